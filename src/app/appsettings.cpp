#include "appsettings.h"

#include <QCoreApplication>
#include <QDir>
#include <QSettings>

namespace {
QString &dataDirOverride()
{
    static QString dir;
    return dir;
}

QString nameOrDefault(const QMap<int, QString> &names, int port, const char *pattern)
{
    const auto it = names.constFind(port);
    if (it != names.constEnd())
        return it.value();
    // Port 0 and 100 mean "nothing routed": they have no name.
    if (port == 0 || port == 100)
        return QString();
    return QString::fromLatin1(pattern).arg(port);
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

QString AppSettings::dataDirectory()
{
    if (!dataDirOverride().isEmpty())
        return dataDirOverride();
    const QString env = qEnvironmentVariable("CORVANE_DATA_DIR");
    if (!env.isEmpty())
        return QDir(env).absolutePath();
    if (QCoreApplication::instance())
        return QCoreApplication::applicationDirPath();
    return QDir::currentPath();
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

QString AppSettings::inputName(int port) const
{
    return nameOrDefault(m_inputNames, port, "Input %1");
}

QString AppSettings::audioName(int port) const
{
    return nameOrDefault(m_audioNames, port, "Audio %1");
}

QString AppSettings::outputName(int port) const
{
    return nameOrDefault(m_outputNames, port, "Output %1");
}
