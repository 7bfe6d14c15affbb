#pragma once

#include <QObject>
#include <QString>

// Version checks, package download and installer hand-off, owned by the shell controller.
class Updater : public QObject
{
    Q_OBJECT
public:
    explicit Updater(QObject* parent = nullptr);

    void checkVersion(bool userAsked, bool silent);
    void findConfig();
    void blockVersion(const QString& version);
    void cancelDownload();
    // 0 when the download starts or the package is already there; -100 empty url, -200 no
    // package folder, -300 no file name in the url.
    int downloadPkg(const QString& url);
    void removePkgDir();
    void onWindowReActive();
};
