// parlavine-draghelper <file>: a small window that starts a drag of the file's URL when pressed,
// because no command-line drag source exists. Exits 0 when the drop was taken, 1 otherwise.
#include <QApplication>
#include <QDrag>
#include <QLabel>
#include <QMimeData>
#include <QMouseEvent>
#include <QTimer>
#include <QUrl>

class DragSource : public QLabel
{
public:
    explicit DragSource(const QString& path) : QLabel(QStringLiteral("drag me")), path(path) {}

protected:
    void mousePressEvent(QMouseEvent*) override
    {
        auto* data = new QMimeData;
        data->setUrls({QUrl::fromLocalFile(path)});
        auto* drag = new QDrag(this);
        drag->setMimeData(data);
        const int code = drag->exec(Qt::CopyAction) == Qt::CopyAction ? 0 : 1;
        // The target asks this process for the data after the drop: stay until it has.
        QTimer::singleShot(3000, [code] { QCoreApplication::exit(code); });
    }

private:
    QString path;
};

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc < 2)
        return 2;
    DragSource source(QString::fromLocal8Bit(argv[1]));
    source.setWindowTitle(QStringLiteral("parlavine-drag"));
    source.setGeometry(0, 0, 120, 80);
    source.show();
    return app.exec();
}
