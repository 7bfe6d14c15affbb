#include "core/DispatchArgs.h"

#include <QQuickTextDocument>

QQuickTextDocument* DispatchArgs::d(int position) const
{
    return qobject_cast<QQuickTextDocument*>(at(position).value<QObject*>());
}
