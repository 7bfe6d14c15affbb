#include "core/AppResources.h"

#include "TestMain.h"

#include <QDirIterator>
#include <QFile>
#include <QRawFont>
#include <QRegularExpression>
#include <QtTest>

// The icon font draws every code point the QML documents use.
class TestIconFont : public QObject
{
    Q_OBJECT
private slots:
    void everyUsedCodePointHasAGlyph()
    {
        initResources();
        QFile fontFile(QStringLiteral(":/assets/fonts/iconfont.ttf"));
        QVERIFY(fontFile.open(QIODevice::ReadOnly));
        const QRawFont font(fontFile.readAll(), 24);
        QVERIFY(font.isValid());

        // Glyphs are written as hexadecimal numbers of the private use area (0xe61a, "0xe712").
        const QRegularExpression codePoint(QStringLiteral("0x([eE][0-9a-fA-F]{3})\\b"));
        QStringList missing;
        int uses = 0;
        QDirIterator it(QStringLiteral(":/ui"), {QStringLiteral("*.qml")}, QDir::Files,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            QFile qml(it.next());
            QVERIFY(qml.open(QIODevice::ReadOnly));
            const QString text = QString::fromUtf8(qml.readAll());
            auto matches = codePoint.globalMatch(text);
            while (matches.hasNext()) {
                const uint code = matches.next().captured(1).toUInt(nullptr, 16);
                ++uses;
                if (!font.supportsCharacter(code))
                    missing << QStringLiteral("%1 in %2").arg(code, 0, 16).arg(qml.fileName());
            }
        }
        QVERIFY(uses > 0);
        QVERIFY2(missing.isEmpty(), qPrintable(missing.join('\n')));
    }
};

PARLAVINE_TEST_MAIN(TestIconFont)
#include "tst_IconFont.moc"
