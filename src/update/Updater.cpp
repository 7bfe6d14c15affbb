#include "update/Updater.h"

Updater::Updater(QObject* parent) : QObject(parent) {}

// TODO(update): every body below.
void Updater::checkVersion(bool, bool) {}
void Updater::findConfig() {}
void Updater::blockVersion(const QString&) {}
void Updater::cancelDownload() {}

int Updater::downloadPkg(const QString&)
{
    return 0;
}

void Updater::removePkgDir() {}
void Updater::onWindowReActive() {}
