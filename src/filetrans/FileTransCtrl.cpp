#include "filetrans/FileTransCtrl.h"

FileTransCtrl::FileTransCtrl(QObject* parent) : QObject(parent) {}

// TODO(filetrans): every body below.
void FileTransCtrl::init() {}
void FileTransCtrl::translation(const QString&, const QString&, const QString&, const QString&) {}
void FileTransCtrl::transWithBrowser(const QString&, const QString&) {}
void FileTransCtrl::removeTransHistory(const QVariantMap&) {}
void FileTransCtrl::downloadTransHistory(const QString&) {}
void FileTransCtrl::loadSupportLang(bool) {}
