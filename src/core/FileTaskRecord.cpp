#include "core/FileTaskRecord.h"

FileTaskRecord::FileTaskRecord(const QString& fileId, const QString& fileName)
    : file_id(fileId), file_name(fileName), fileType(suffixOf(fileName))
{
}

QString FileTaskRecord::suffixOf(const QString& fileName)
{
    // A name without a dot is its own suffix, as the server treats it.
    return fileName.mid(fileName.lastIndexOf(QLatin1Char('.')) + 1).toLower();
}
