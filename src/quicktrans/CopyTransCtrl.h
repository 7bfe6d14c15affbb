#pragma once

#include <QEnableSharedFromThis>
#include <QObject>
#include <QString>

class QQuickTextDocument;

// The copy-translate controller: selections, Ctrl+C+C, the trigger and detail windows.
// Owned by Dispatch through a shared pointer; hands out weak references to itself.
class CopyTransCtrl : public QObject, public QEnableSharedFromThis<CopyTransCtrl>
{
    Q_OBJECT
public:
    explicit CopyTransCtrl(QObject* parent = nullptr);

    void init();
    void requestTrans(const QString& source);
    void setStayOn(bool stayOn);
    void setSourceLanguage(const QString& code);
    void setTargetLanguageDebounced(const QString& code);
    void handleUIForEditor(QQuickTextDocument* document);
    void makePanelWindow(bool panel);
    void closePanelWindow(bool close, bool byUser);
    void startQuickSearch();
    void startSelectTrans();
    void fixDetailWindowPosi(int x, int y, int w, int h);
    void startCCTrans();
    void fixDetailWindowSize(int w, int h);
};
