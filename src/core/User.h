#pragma once

#include <QObject>
#include <QString>

// Who is signed in, with what session, from which device. The account controllers and the
// backend write the fields directly; State reads them live and emits its own change signals.
class User : public QObject
{
    Q_OBJECT
public:
    static User* instance(); // created on first call; null once destroyed at exit
    ~User() override;

    QString deviceId();             // "desktop-" + 32 hex digits, created once and kept
    bool loadAutoLogin();           // restores a remembered login whose check code matches
    void saveAutoLogin(bool enable); // writes or forgets the remembered login
    void setSessionKey(const QString& newSession);
    void setLogo(const QString& logo);
    void clear();                   // signs the user out; device id, login type and record stay
    bool isLoggedOut() const;

    // The login a request was sent for. A reply is applied only while that login is still on:
    // another user may have signed in, or the same one again, meanwhile.
    struct Signature
    {
        QString userId;
        QString session;
    };
    Signature signature() const;
    bool isStill(const Signature& sent) const;
    // Only a web picture may be shown as the avatar: the entry is not covered by the record's
    // check code, and a local path or inline data must never be read.
    static bool isWebPicture(const QString& url);

    QString userName;
    QString userLogo;
    QString userEmail;
    QString userApiToken;
    QString userApiTokenId;
    QString userId;
    QString clientKey; // the device id
    QString session;
    double userBalance = -1.0; // -1.0 until known
    bool profileLoaded = false;
    QString userChargeType;
    int userDiscount = 0;
    int userCost = 0;
    int userPrePayLimit = 0;
    int userPostPayLimit = 0;
    QString userDefaultWorkgroup;
    int userLoginType = 0; // 0 password, 1 Zolomi, 2 kx
    bool isUserAutoLogin = false;
    bool userSessionUpdating = false;

signals:
    void sessionUpdateFinished();

private:
    explicit User(QObject* parent = nullptr);
};
