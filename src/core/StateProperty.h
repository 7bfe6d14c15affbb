#pragma once

// Declaration helpers for State's QML-facing properties. Every property gets a getter named
// after it and a change signal named after it plus "Change"; the kinds differ in how a write
// behaves.

// Change signal and storage with its default; the getter returns the stored value.
#define STATE_STORAGE(Type, name, ...)                                                             \
public:                                                                                            \
    const Type& name() const { return m_##name; }                                                  \
    Q_SIGNAL void name##Change();                                                                  \
                                                                                                   \
private:                                                                                           \
    Type m_##name{__VA_ARGS__};                                                                    \
                                                                                                   \
public:

// A public setter that stores and emits on every call, even when the value is unchanged.
#define STATE_SETTER(Type, name, Setter)                                                           \
public:                                                                                            \
    void Setter(const Type& value)                                                                 \
    {                                                                                              \
        m_##name = value;                                                                          \
        emit name##Change();                                                                       \
    }

// A write that stores without emitting, for a value QML must not react to when it changes.
#define STATE_QUIET_SETTER(Type, name, Setter)                                                     \
public:                                                                                            \
    void Setter(const Type& value) { m_##name = value; }

// Setter kind: QML and native code write through Setter, which always emits.
#define STATE_PROPERTY(Type, name, Setter, ...)                                                    \
    Q_PROPERTY(Type name READ name WRITE Setter NOTIFY name##Change)                               \
    STATE_STORAGE(Type, name, __VA_ARGS__)                                                         \
    STATE_SETTER(Type, name, Setter)

// Setter kind whose setter does more than store and emit; the setter is written by hand.
#define STATE_PROPERTY_CUSTOM(Type, name, Setter, ...)                                             \
    Q_PROPERTY(Type name READ name WRITE Setter NOTIFY name##Change)                               \
    STATE_STORAGE(Type, name, __VA_ARGS__)                                                         \
    void Setter(const Type& value);

// QML kind: a write from QML stores and emits only when the value differs. Native code writes
// through a STATE_SETTER declared beside it; name##Ref() is only for in-place edits of a map
// that stay quiet.
#define STATE_QML_PROPERTY(Type, name, ...)                                                        \
    Q_PROPERTY(Type name READ name WRITE name##QmlWrite NOTIFY name##Change)                        \
    STATE_STORAGE(Type, name, __VA_ARGS__)                                                         \
    Type& name##Ref() { return m_##name; }                                                         \
                                                                                                   \
private:                                                                                           \
    void name##QmlWrite(const Type& value)                                                         \
    {                                                                                              \
        if (m_##name == value)                                                                     \
            return;                                                                                \
        m_##name = value;                                                                          \
        emit name##Change();                                                                       \
    }                                                                                              \
                                                                                                   \
public:

// Read-only kind: no storage here, the getter is written by hand (constants, live reads).
#define STATE_READONLY(Type, name)                                                                 \
    Q_PROPERTY(Type name READ name NOTIFY name##Change)                                            \
public:                                                                                            \
    Type name() const;                                                                             \
    Q_SIGNAL void name##Change();
