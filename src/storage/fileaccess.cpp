#include "fileaccess.h"

#include "app/appsettings.h"

#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>
#endif

bool FileAccess::createOwnerOnly(const QString &path)
{
#ifdef Q_OS_UNIX
    // Created with its final mode in one step: there is no moment in which another user could
    // open it.
    const QByteArray native = QFile::encodeName(path);
    const int fd = ::open(native.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd >= 0) {
        ::close(fd);
        return true;
    }
    return errno == EEXIST;
#else
    QFile file(path);
    if (file.exists())
        return true;
    return file.open(QIODevice::WriteOnly) &&
           file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
#endif
}

bool FileAccess::restrictToOwner(const QString &path, QString *error)
{
    const QFileInfo info(path);
    if (!info.exists() || !info.isFile())
        return true;
    const QFile::Permissions others = QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup |
                                      QFile::ReadOther | QFile::WriteOther | QFile::ExeOther;
    if (!(info.permissions() & others))
        return true;
    QFile file(path);
    if (file.setPermissions(QFile::ReadOwner | QFile::WriteOwner))
        return true;
    if (error)
        *error = file.errorString();
    return false;
}

QString FileAccess::passwordFilePath()
{
    return AppSettings::dataDirectory() + QStringLiteral("/password.txt");
}
