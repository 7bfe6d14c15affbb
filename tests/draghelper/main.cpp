// parlavine-draghelper <file>: a small window that starts a drag of the file's URL when pressed,
// because no command-line drag source exists. Exits 0 when the drop was taken, 1 otherwise.
#include <QApplication>
#include <QDrag>
#include <QLabel>
#include <QMimeData>
#include <QMouseEvent>
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
        const Qt::DropAction action = drag->exec(Qt::CopyAction);
        QCoreApplication::exit(action == Qt::CopyAction ? 0 : 1);
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
