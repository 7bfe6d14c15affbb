#pragma once

#include <QMap>
#include <QPixmap>
#include <QQuickImageProvider>
#include <QString>

// Pixmaps held in memory, shown in QML as "image://myprovider/<id>". The QML engine owns the
// provider; controllers reach it through instance(), null before start-up and after the engine.
class ImageProvider : public QQuickImageProvider
{
public:
    static const char* const ProviderId; // "myprovider"

    ImageProvider();
    ~ImageProvider() override;

    static ImageProvider* instance();

    QPixmap requestPixmap(const QString& id, QSize* size, const QSize& requestedSize) override;
    void setPixmap(const QString& id, const QPixmap& pixmap);
    QPixmap* pixmap(const QString& id);
    void removePixmap(const QString& id);
    bool hasPixmap(const QString& id) const;

private:
    QMap<QString, QPixmap> pixmaps;
};
