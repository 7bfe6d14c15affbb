#include "shell/ImageProvider.h"

#include "core/Log.h"

const char* const ImageProvider::ProviderId = "myprovider";

static ImageProvider* s_imageProvider = nullptr;

ImageProvider::ImageProvider() : QQuickImageProvider(QQuickImageProvider::Pixmap)
{
    s_imageProvider = this;
}

ImageProvider::~ImageProvider()
{
    log(QStringLiteral("delete ImageProvider"));
    pixmaps.clear();
    if (s_imageProvider == this)
        s_imageProvider = nullptr;
}

ImageProvider* ImageProvider::instance()
{
    return s_imageProvider;
}

QPixmap ImageProvider::requestPixmap(const QString& id, QSize*, const QSize&)
{
    return hasPixmap(id) ? pixmaps.value(id) : QPixmap();
}

void ImageProvider::setPixmap(const QString& id, const QPixmap& pixmap)
{
    pixmaps.insert(id, pixmap);
}

QPixmap* ImageProvider::pixmap(const QString& id)
{
    return hasPixmap(id) ? &pixmaps[id] : nullptr;
}

void ImageProvider::removePixmap(const QString& id)
{
    pixmaps.remove(id);
}

bool ImageProvider::hasPixmap(const QString& id) const
{
    if (id.isEmpty())
        return false;
    const auto it = pixmaps.constFind(id);
    return it != pixmaps.constEnd() && it->width() > 0;
}
