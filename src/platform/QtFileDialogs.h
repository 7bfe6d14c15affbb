#pragma once

#include "platform/FileDialogs.h"

// Qt's own dialogs, without a parent window.
class QtFileDialogs : public FileDialogs
{
public:
    QStringList openFiles(const QString& caption, const QString& folder, const QString& filter) override;
    // Asks itself before replacing an existing file.
    QString saveFile(const QString& caption, const QString& suggestedPath, const QString& filter) override;
};
