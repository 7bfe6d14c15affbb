#include "network/NetworkFailure.h"

#include "TestMain.h"

#include <QNetworkReply>
#include <QRegularExpression>
#include <QtTest>

// A failed transfer is told in words: never a number the user cannot read.
class TestNetworkFailure : public QObject
{
    Q_OBJECT
private slots:
    void words_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("text");
        QTest::newRow("refused") << int(QNetworkReply::ConnectionRefusedError) << "连接被拒绝";
        QTest::newRow("host not found") << int(QNetworkReply::HostNotFoundError) << "找不到服务器";
        QTest::newRow("timeout, Qt's") << int(QNetworkReply::TimeoutError) << "连接超时";
        QTest::newRow("timeout, the transport's") << -100 << "连接超时";
        QTest::newRow("handshake") << int(QNetworkReply::SslHandshakeFailedError) << "安全连接（TLS）失败";
        QTest::newRow("certificate refused") << -200 << "安全连接（TLS）失败";
        QTest::newRow("proxy group") << int(QNetworkReply::ProxyAuthenticationRequiredError) << "代理服务器连接失败";
        QTest::newRow("content group") << int(QNetworkReply::ContentNotFoundError) << "服务器拒绝了请求";
        QTest::newRow("server group") << int(QNetworkReply::UnknownServerError) << "服务器内部错误";
        QTest::newRow("unknown") << int(QNetworkReply::UnknownNetworkError) << "未知网络错误";
        QTest::newRow("unheard of") << 7777 << "未知网络错误";
    }
    void words()
    {
        QFETCH(int, code);
        QTEST(NetworkFailure::text(code), "text");
        QVERIFY(!NetworkFailure::text(code).contains(QRegularExpression("[0-9]")));
    }

    void describe_data()
    {
        QTest::addColumn<QVariantMap>("error");
        QTest::addColumn<QString>("text");
        QTest::newRow("transport") << QVariantMap{{"errorCode", 2}, {"message", "ignored"}} << "服务器断开了连接";
        QTest::newRow("server's message") << QVariantMap{{"message", "任务不存在"}} << "任务不存在";
        QTest::newRow("nothing said") << QVariantMap{{"status", 500}} << "";
    }
    void describe()
    {
        QFETCH(QVariantMap, error);
        QTEST(NetworkFailure::describe(error), "text");
    }
};

PARLAVINE_GUILESS_TEST_MAIN(TestNetworkFailure)
#include "tst_NetworkFailure.moc"
