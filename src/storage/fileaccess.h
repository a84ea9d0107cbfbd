#pragma once

#include <QString>

/// Creation of the data files that hold passwords as typed (project.db, password.txt).
class FileAccess
{
public:
    /// Creates an empty file readable and writable by its owner only (0600 on POSIX) unless it
    /// exists already; an existing file keeps its permissions. True when the file exists
    /// afterwards. Writers that replace the file (QSettings, QSaveFile) keep these permissions.
    static bool createOwnerOnly(const QString &path);

    /// Takes the group and other bits off an existing file (0600), for copies made by an older
    /// version or by hand. True when the file is owner-only afterwards or does not exist; a
    /// path that is not a regular file is left alone. `error` gets the system's words.
    static bool restrictToOwner(const QString &path, QString *error = nullptr);

    /// Data directory + "/password.txt", the exported user list.
    static QString passwordFilePath();
};
