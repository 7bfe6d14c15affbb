#pragma once

#include <QEnableSharedFromThis>
#include <QObject>
#include <QString>
#include <QVariantMap>

// The document-translation controller: file checks, upload, task history, download.
// Owned by Dispatch through a shared pointer; hands out weak references to itself.
class FileTransCtrl : public QObject, public QEnableSharedFromThis<FileTransCtrl>
{
    Q_OBJECT
public:
    explicit FileTransCtrl(QObject* parent = nullptr);

    void init();
    void translation(const QString& path, const QString& sourceLang, const QString& targetLang, const QString& domain);
    void transWithBrowser(const QString& sourceLang, const QString& targetLang);
    void removeTransHistory(const QVariantMap& task);
    void downloadTransHistory(const QString& fileId);
    void loadSupportLang(bool force);
};
