#include "platform/QtFileDialogs.h"

#include <QFileDialog>

QStringList QtFileDialogs::openFiles(const QString& caption, const QString& folder, const QString& filter)
{
    return QFileDialog::getOpenFileNames(nullptr, caption, folder, filter);
}

QString QtFileDialogs::saveFile(const QString& caption, const QString& suggestedPath, const QString& filter)
{
    return QFileDialog::getSaveFileName(nullptr, caption, suggestedPath, filter);
}
