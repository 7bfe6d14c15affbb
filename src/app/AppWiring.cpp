#include "app/AppWiring.h"

#include "account/AccountRoutes.h"
#include "account/UserInfoCtrl.h"
#include "account/UserLoginCtrl.h"
#include "core/Dispatch.h"
#include "core/Log.h"
#include "core/State.h"
#include "filetrans/FileTransCtrl.h"
#include "filetrans/FileTransRoutes.h"
#include "network/RequestService.h"
#include "quicktrans/CopyTransCtrl.h"
#include "quicktrans/QuickTransRoutes.h"
#include "quicktrans/ScreenshotTransCtrl.h"
#include "shell/GlobalCtrl.h"
#include "shell/GlobalRoutes.h"
#include "shell/ImageProvider.h"
#include "shell/TableModels.h"
#include "term/TermCtrl.h"
#include "term/TermRoutes.h"
#include "term/TermSentCtrl.h"
#include "texttrans/TextTransCtrl.h"
#include "texttrans/TextTransRoutes.h"
#include "update/VexilService.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QQmlContext>
#include <QQmlEngine>

namespace AppWiring {

namespace {

void registerRoutes(Dispatch& dispatch)
{
    dispatch.setGlobalRoutes([]() -> QObject* { return GlobalCtrl::instance(); },
                             Dispatch::actionsOf(globalActions<GlobalCtrl>()));
    dispatch.setControllerKind(Dispatch::Ctrl_UserLogin, Dispatch::kindOf(userLoginActions<UserLoginCtrl>()));
    dispatch.setControllerKind(Dispatch::Ctrl_TextTrans, Dispatch::kindOf(textTransActions<TextTransCtrl>()));
    dispatch.setControllerKind(Dispatch::Ctrl_FileTrans, Dispatch::kindOf(fileTransActions<FileTransCtrl>()));
    dispatch.setControllerKind(Dispatch::Ctrl_UserInfo, Dispatch::kindOf(userInfoActions<UserInfoCtrl>()));
    dispatch.setControllerKind(Dispatch::Ctrl_TermSent, Dispatch::kindOf(repoActions<TermSentCtrl>()));
    dispatch.setControllerKind(Dispatch::Ctrl_Term, Dispatch::kindOf(repoActions<TermCtrl>()));
    dispatch.setControllerKind(Dispatch::Ctrl_CopyTrans, Dispatch::kindOf(copyTransActions<CopyTransCtrl>()));
    dispatch.setControllerKind(Dispatch::Ctrl_ScreenshotTrans,
                               Dispatch::kindOf(screenshotTransActions<ScreenshotTransCtrl>()));
}

// Telemetry may be gone already when a late reply fails at exit.
void reportError(const QString& what, const QString& detail)
{
    if (VexilService* vexil = VexilService::instance())
        vexil->reportError(what, detail);
}

void reportPageView(const QString& page)
{
    if (VexilService* vexil = VexilService::instance())
        vexil->reportPv(page);
}

void copyText(const QString& text, const QString& window)
{
    if (GlobalCtrl* global = GlobalCtrl::instance())
        global->copyText(text, window);
}

// Offers the address for copying when no browser opens.
void openUrl(const QString& url)
{
    if (GlobalCtrl* global = GlobalCtrl::instance())
        global->openWebUrl(url, true);
}

// Step 14 of start-up.
QString loadIconFont()
{
    const int id = QFontDatabase::addApplicationFont(QStringLiteral(":/assets/fonts/iconfont.ttf"));
    const QStringList families = QFontDatabase::applicationFontFamilies(id);
    if (families.isEmpty()) {
        log(QStringLiteral("load fontfail!!: %1"), QString::number(id));
        return QStringLiteral("parlavineicon");
    }
    log(QStringLiteral("load font: %1"), families.first());
    return families.first();
}

} // namespace

void wire()
{
    registerRoutes(*Dispatch::instance());
    RequestService::setHooks({reportError, openUrl});
    TextTransCtrl::setHooks({copyText, reportPageView});
}

QString setUpEngine(QQmlEngine& engine, const QString& mainFont)
{
    static const bool modelsRegistered = (registerTableModels(), true);
    Q_UNUSED(modelsRegistered)
    const QString iconFont = loadIconFont();
    QQmlContext* context = engine.rootContext();
    context->setContextProperty(QStringLiteral("$iconfont"), iconFont);
    context->setContextProperty(QStringLiteral("$state"), State::instance());
    context->setContextProperty(QStringLiteral("$dispatch"), Dispatch::instance());
    context->setContextProperty(QStringLiteral("$mainfont"),
                                mainFont.isEmpty() ? QGuiApplication::font().family() : mainFont);
    engine.addImageProvider(QLatin1String(ImageProvider::ProviderId), new ImageProvider);
    return iconFont;
}

} // namespace AppWiring
