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

    /// Where the data folder came from, first match wins.
    enum class DataDirSource
    {
        Option,       ///< --data-dir, or setDataDirectory()
        Environment,  ///< CORVANE_DATA_DIR
        AppDirectory, ///< beside the program, as portable setups have it
        UserData      ///< the per-user folder of an installed program
    };
    struct DataDirChoice
    {
        QString path;
        DataDirSource source;
    };

    /// Picks the data folder: the option, else the environment, else the application directory
    /// when it can be written and is not an installed program's (bin/ with our desktop file in
    /// ../share/applications), else userDir.
    static DataDirChoice chooseDataDirectory(const QString &option, const QString &environment,
                                             const QString &appDir, const QString &userDir);
    /// chooseDataDirectory() for this process; userDir is the per-user application data folder.
    static DataDirChoice dataDirectoryChoice();
    /// Folder of config.ini, project.db and password.txt: dataDirectoryChoice().path.
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
    /// The device's file-upload port: "UploadPort" of [NetWork], 6666 when missing or invalid.
    quint16 uploadPort() const;
    void setUploadPort(int port);
    QString userName() const;
    int language() const;
    int type() const;

    QString currentUser() const { return m_currentUser; }
    void setCurrentUser(const QString &name) { m_currentUser = name; }
    int currentUserType() const { return m_currentUserType; }
    void setCurrentUserType(int type) { m_currentUserType = type; }
    enum ConnectionState
    {
        Disconnected,
        Connecting,
        Connected,
    };
    ConnectionState connectionState() const { return m_connectionState; }
    void setConnectionState(ConnectionState state) { m_connectionState = state; }

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
    /// The names a port has until an operator names it, in the language shown.
    enum class NameKind
    {
        Input,
        Audio,
        Output
    };
    static QString defaultName(NameKind kind, int port);

    /// Re-reads config.ini from the current data directory (tests switch directories).
    void reload();

private:
    AppSettings();
    ~AppSettings() = delete;

    QSettings *m_settings = nullptr;
    QString m_currentUser;
    int m_currentUserType = 1;
    ConnectionState m_connectionState = Connecting;
    QMap<int, QString> m_inputNames;
    QMap<int, QString> m_audioNames;
    QMap<int, QString> m_outputNames;
};
