#include "appsettings.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace {
QString &dataDirOverride()
{
    static QString dir;
    return dir;
}

QString nameOrDefault(const QMap<int, QString> &names, int port, AppSettings::NameKind kind)
{
    const auto it = names.constFind(port);
    if (it != names.constEnd())
        return it.value();
    // Port 0 and 100 mean "nothing routed": they have no name.
    if (port == 0 || port == 100)
        return QString();
    return AppSettings::defaultName(kind, port);
}
} // namespace

AppSettings *AppSettings::instance()
{
    static QMutex mutex;
    static AppSettings *settings = nullptr;
    QMutexLocker lock(&mutex);
    if (!settings)
        settings = new AppSettings;
    return settings;
}

AppSettings::DataDirChoice AppSettings::chooseDataDirectory(const QString &option,
                                                            const QString &environment,
                                                            const QString &appDir,
                                                            const QString &userDir)
{
    if (!option.isEmpty())
        return {QDir(option).absolutePath(), DataDirSource::Option};
    if (!environment.isEmpty())
        return {QDir(environment).absolutePath(), DataDirSource::Environment};
    const QFileInfo dir(appDir);
    // An installed program's folder may well be writable (a prefix in the home folder, or run
    // as root), but data files have no place among programs.
    const bool installed = QFileInfo::exists(
        appDir + QStringLiteral("/../share/applications/org.corvane.Corvane.desktop"));
    if (dir.isDir() && dir.isWritable() && !installed)
        return {dir.absoluteFilePath(), DataDirSource::AppDirectory};
    return {QDir(userDir).absolutePath(), DataDirSource::UserData};
}

AppSettings::DataDirChoice AppSettings::dataDirectoryChoice()
{
    const QString appDir =
        QCoreApplication::instance() ? QCoreApplication::applicationDirPath() : QDir::currentPath();
    return chooseDataDirectory(dataDirOverride(), qEnvironmentVariable("CORVANE_DATA_DIR"), appDir,
                               QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
}

QString AppSettings::dataDirectory()
{
    return dataDirectoryChoice().path;
}

void AppSettings::setDataDirectory(const QString &dir)
{
    dataDirOverride() = dir.isEmpty() ? QString() : QDir(dir).absolutePath();
}

bool AppSettings::applyDataDirArgument(const QStringList &arguments)
{
    for (int i = 0; i < arguments.size(); ++i) {
        const QString &arg = arguments.at(i);
        if (arg == QLatin1String("--data-dir")) {
            if (i + 1 >= arguments.size() || arguments.at(i + 1).isEmpty())
                return false;
            setDataDirectory(arguments.at(i + 1));
        } else if (arg.startsWith(QLatin1String("--data-dir="))) {
            const QString dir = arg.mid(int(qstrlen("--data-dir=")));
            if (dir.isEmpty())
                return false;
            setDataDirectory(dir);
        }
    }
    return true;
}

AppSettings::AppSettings()
{
    reload();
}

void AppSettings::reload()
{
    const QString dir = dataDirectory();
    QDir().mkpath(dir);
    delete m_settings;
    m_settings = new QSettings(dir + QStringLiteral("/config.ini"), QSettings::IniFormat);
}

void AppSettings::setNetWork(const QString &address, int port)
{
    m_settings->setValue(QStringLiteral("NetWork/Ip"), address);
    m_settings->setValue(QStringLiteral("NetWork/Port"), port);
}

void AppSettings::setUserName(const QString &name)
{
    m_settings->setValue(QStringLiteral("User/Username"), name);
}

void AppSettings::setLanguage(int language)
{
    m_settings->setValue(QStringLiteral("Language/language"), language);
}

void AppSettings::setType(int type)
{
    m_settings->setValue(QStringLiteral("Type/type"), type);
}

QString AppSettings::deviceAddress() const
{
    const QString address = m_settings->value(QStringLiteral("NetWork/Ip")).toString();
    return address.isEmpty() ? QStringLiteral("192.168.1.188") : address;
}

int AppSettings::devicePort() const
{
    const int port = m_settings->value(QStringLiteral("NetWork/Port")).toString().toInt();
    return port == 0 ? 80 : port;
}

quint16 AppSettings::uploadPort() const
{
    bool ok = false;
    const int port =
        m_settings->value(QStringLiteral("NetWork/UploadPort")).toString().trimmed().toInt(&ok);
    return ok && port > 0 && port <= 65535 ? quint16(port) : quint16(6666);
}

void AppSettings::setUploadPort(int port)
{
    m_settings->setValue(QStringLiteral("NetWork/UploadPort"), port);
}

QString AppSettings::userName() const
{
    return m_settings->value(QStringLiteral("User/Username"), QStringLiteral("ADMIN")).toString();
}

int AppSettings::language() const
{
    const QVariant v = m_settings->value(QStringLiteral("Language/language"));
    return v.isValid() ? v.toInt() : -1;
}

int AppSettings::type() const
{
    const QVariant v = m_settings->value(QStringLiteral("Type/type"));
    return v.isValid() ? v.toInt() : 1;
}

QString AppSettings::defaultName(NameKind kind, int port)
{
    switch (kind) {
    case NameKind::Input:
        return QCoreApplication::translate("AppSettings", "Input %1").arg(port);
    case NameKind::Audio:
        return QCoreApplication::translate("AppSettings", "Audio %1").arg(port);
    case NameKind::Output:
        break;
    }
    return QCoreApplication::translate("AppSettings", "Output %1").arg(port);
}

QString AppSettings::inputName(int port) const
{
    return nameOrDefault(m_inputNames, port, NameKind::Input);
}

QString AppSettings::audioName(int port) const
{
    return nameOrDefault(m_audioNames, port, NameKind::Audio);
}

QString AppSettings::outputName(int port) const
{
    return nameOrDefault(m_outputNames, port, NameKind::Output);
}
