#pragma once

#include <QObject>
#include <QString>

#include <memory>

class SettingsFile;

// The per-user settings: every value is text, an absent key reads as "". Most keys live in the
// main store; "opengl" lives in its own file, which start-up reads before the application exists.
class QuickStorage : public QObject
{
    Q_OBJECT
public:
    static QuickStorage* instance(); // created on first call; null once destroyed at exit
    ~QuickStorage() override;

    void setValue(const QString& key, const QString& value); // on disk before it returns
    QString getValue(const QString& key) const;
    QString getValueOr(const QString& key, const QString& fallback) const; // fallback for "" too
    void remove(const QString& key);                                      // main store only

    void setIniSetting(const QString& key, const QString& value);
    QString getIniSetting(const QString& key);

private:
    explicit QuickStorage(QObject* parent = nullptr);
    SettingsFile& iniFile();

    std::unique_ptr<SettingsFile> registry;
    std::unique_ptr<SettingsFile> ini; // created by the first ini operation
};
