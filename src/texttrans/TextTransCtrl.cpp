#include "texttrans/TextTransCtrl.h"

TextTransCtrl::TextTransCtrl(QObject* parent) : QObject(parent) {}

// TODO(texttrans): every body below.
void TextTransCtrl::init() {}
void TextTransCtrl::translation(const QString&, const QString&, const QString&, bool, bool, const QString&) {}
void TextTransCtrl::searchSuggestions(const QString&, const QString&, const QString&) {}
void TextTransCtrl::searchSelectSuggestions(const QString&, const QString&, int, int, const QString&, const QString&) {}
void TextTransCtrl::dynamicTransSuggestion(const QString&, const QString&, const QString&, const QString&, const QString&, int, int) {}
void TextTransCtrl::handleUIForEditor(QQuickTextDocument*, const QString&) {}
void TextTransCtrl::transHistoryMakeDelete(int) {}
void TextTransCtrl::transHistoryMakeCopy(int, bool) {}
void TextTransCtrl::refreshTransHistory(bool, bool) {}
void TextTransCtrl::dynamicTransIme(const QString&, const QString&, const QString&, const QString&, const QString&, int, int, int) {}
void TextTransCtrl::saveTermSentence(const QString&, const QString&, const QString&, const QString&) {}
void TextTransCtrl::feedback(const QString&, const QString&, const QString&, const QString&, const QString&, const QString&, const QStringList&) {}
void TextTransCtrl::fetchSupportLang(bool) {}
