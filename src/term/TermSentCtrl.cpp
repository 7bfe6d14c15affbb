#include "term/TermSentCtrl.h"

TermSentCtrl::TermSentCtrl(QObject* parent) : QObject(parent) {}

// TODO(term): every body below.
void TermSentCtrl::init() {}
void TermSentCtrl::updateRepoList(bool) {}
void TermSentCtrl::updateRepoSentences(const QString&, bool) {}
void TermSentCtrl::addRepo(const QString&, const QString&, const QString&, bool) {}
void TermSentCtrl::addRepoSent(const QString&, const QString&, const QString&) {}
void TermSentCtrl::deleteRepo(const QString&, const QString&, const QString&, const QString&, bool) {}
void TermSentCtrl::deleteRepoSent(const QString&, const QString&, const QString&, const QString&) {}
void TermSentCtrl::updateRepoSent(const QString&, const QString&, const QString&, const QString&) {}
