#include "term/TermCtrl.h"

TermCtrl::TermCtrl(QObject* parent) : QObject(parent) {}

// TODO(term): every body below.
void TermCtrl::init() {}
void TermCtrl::updateRepoList(bool) {}
void TermCtrl::updateRepoSentences(const QString&, bool) {}
void TermCtrl::addRepo(const QString&, const QString&, const QString&, bool) {}
void TermCtrl::addRepoSent(const QString&, const QString&, const QString&) {}
void TermCtrl::deleteRepo(const QString&, const QString&, const QString&, const QString&, bool) {}
void TermCtrl::deleteRepoSent(const QString&, const QString&, const QString&, const QString&) {}
void TermCtrl::updateRepoSent(const QString&, const QString&, const QString&, const QString&) {}
