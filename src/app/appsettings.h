#pragma once

#include <QMap>
#include <QMutex>
#include <QString>

class QSettings;

/// Process-wide settings: config.ini in the data directory, the in-memory login state and the
/// operator's port names. Used from the GUI thread only.
class AppSettings
{
public:
    static AppSettings *instance();

    /// Folder of config.ini, project.db and password.txt. The application directory unless
    /// overridden by setDataDirectory() or the CORVANE_DATA_DIR environment variable.
    static QString dataDirectory();
    /// Must be called before the first instance() to take effect for config.ini.
    static void setDataDirectory(const QString &dir);
    /// Picks "--data-dir DIR" (or "--data-dir=DIR") out of the command line; returns false when
    /// the option is present but has no value.
    static bool applyDataDirArgument(const QStringList &arguments);

    void setNetWork(const QString &address, int port);
    void setUserName(const QString &name);
    void setLanguage(int language);
    void setType(int type);

    QString deviceAddress() const;
    int devicePort() const;
    QString userName() const;
    int language() const;
    int type() const;

    QString currentUser() const { return m_currentUser; }
    void setCurrentUser(const QString &name) { m_currentUser = name; }
    int currentUserType() const { return m_currentUserType; }
    void setCurrentUserType(int type) { m_currentUserType = type; }
    int connectionState() const { return m_connectionState; }
    void setConnectionState(int state) { m_connectionState = state; }

    // Operator names of ports, cached from the project database.
    void setInputName(int port, const QString &name) { m_inputNames[port] = name; }
    void setAudioName(int port, const QString &name) { m_audioNames[port] = name; }
    void setOutputName(int port, const QString &name) { m_outputNames[port] = name; }
    void setInputNames(const QMap<int, QString> &names) { m_inputNames = names; }
    void setAudioNames(const QMap<int, QString> &names) { m_audioNames = names; }
    void setOutputNames(const QMap<int, QString> &names) { m_outputNames = names; }
    QString inputName(int port) const;
    QString audioName(int port) const;
    QString outputName(int port) const;

    /// Re-reads config.ini from the current data directory (tests switch directories).
    void reload();

private:
    AppSettings();
    ~AppSettings() = delete;

    QSettings *m_settings = nullptr;
    QString m_currentUser;
    int m_currentUserType = 1;
    int m_connectionState = 1;
    QMap<int, QString> m_inputNames;
    QMap<int, QString> m_audioNames;
    QMap<int, QString> m_outputNames;
};
