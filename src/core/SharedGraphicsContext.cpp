#include "core/SharedGraphicsContext.h"

#include <QCoreApplication>
#include <QOpenGLContext>
#include <QQuickWindow>
#include <QSurfaceFormat>

QT_BEGIN_NAMESPACE
// Exported by QtGui and used by its own start-up for the same purpose; it has no public header.
Q_GUI_EXPORT void qt_gl_set_global_share_context(QOpenGLContext* context);
QT_END_NAMESPACE

namespace SharedGraphicsContext {

namespace {
QOpenGLContext* s_context = nullptr;

void release()
{
    qt_gl_set_global_share_context(nullptr);
    delete s_context;
    s_context = nullptr;
}
} // namespace

bool windowsUseOpenGL()
{
    QString backend = QQuickWindow::sceneGraphBackend();
    if (backend.isEmpty())
        backend = qEnvironmentVariable("QT_QUICK_BACKEND");
    if (backend.isEmpty())
        backend = qEnvironmentVariable("QMLSCENE_DEVICE");
    return backend != QLatin1String("software") && backend != QLatin1String("softwarecontext");
}

void ensure()
{
    if (QOpenGLContext::globalShareContext())
        return;
    s_context = new QOpenGLContext;
    s_context->setFormat(QSurfaceFormat::defaultFormat());
    s_context->create();
    qt_gl_set_global_share_context(s_context);
    // Runs before the platform integration goes, as Qt's own shared context does.
    qAddPostRoutine(release);
}

} // namespace SharedGraphicsContext
