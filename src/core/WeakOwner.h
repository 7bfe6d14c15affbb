#pragma once

#include <QSharedPointer>
#include <QVariantMap>

#include <functional>
#include <utility>

// A callback given to a timer or a service outlives the object that asked. It holds its owner
// weakly and, when the owner is gone by the time it runs, does nothing or answers failure.
namespace WeakOwner {

// fn(owner, args...) (a lambda or a member function) while the owner lives; nothing once it is gone.
template <class Owner, class Fn>
auto ifAlive(QWeakPointer<Owner> weak, Fn fn)
{
    return [weak = std::move(weak), fn = std::move(fn)](auto&&... args) {
        if (const QSharedPointer<Owner> self = weak.toStrongRef())
            std::invoke(fn, *self, std::forward<decltype(args)>(args)...);
    };
}

// A service's reply handler: fn(service, ok, data) while the service lives; once it is gone the
// caller's callback hears (false, {}).
template <class Owner, class Fn>
auto orFail(QWeakPointer<Owner> weak, std::function<void(bool, const QVariantMap&)> callback, Fn fn)
{
    return [weak = std::move(weak), callback = std::move(callback), fn = std::move(fn)](bool ok,
                                                                                        const QVariantMap& data) {
        const QSharedPointer<Owner> self = weak.toStrongRef();
        if (!self) {
            callback(false, {});
            return;
        }
        std::invoke(fn, *self, callback, ok, data);
    };
}

} // namespace WeakOwner
