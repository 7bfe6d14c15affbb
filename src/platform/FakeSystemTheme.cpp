#include "platform/FakeSystemTheme.h"

FakeSystemTheme::FakeSystemTheme(bool dark, QObject* parent) : SystemTheme(parent), m_dark(dark) {}

void FakeSystemTheme::setPrefersDark(bool dark)
{
    if (dark == m_dark)
        return;
    m_dark = dark;
    emit changed();
}
