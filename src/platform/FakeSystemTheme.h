#pragma once

#include "platform/SystemTheme.h"

// A preference the tests set by hand.
class FakeSystemTheme : public SystemTheme
{
    Q_OBJECT
public:
    explicit FakeSystemTheme(bool dark = false, QObject* parent = nullptr);

    bool prefersDark() const override { return m_dark; }
    void setPrefersDark(bool dark);

private:
    bool m_dark;
};
