#include "permissionstore.h"

#include "app/appsettings.h"
#include "permissionfunction.h"
#include "permissionlist.h"
#include "storage/projectdatabase.h"

namespace {
const char *const createPermissionInfo =
    "create table if not exists PermissionInfo(Id integer PRIMARY KEY NOT NULL,"
    "InputInfo text DEFAULT '1/1/1/1/1/1/1/1',"
    "OutputInfo text DEFAULT '1/1/1/1/1/1/1/1/1',"
    "AudioInfo text DEFAULT '1/1/1/1/1/1/1/1',"
    "AnalogInfo text DEFAULT '1/1/1/1/1/1/1/1/1',"
    "ListInfo text DEFAULT '1/1/1/1/1/1/1/1/1/1/1/1/1/1/1/1/1/1/1/1/1/1/1/1/1/1/1/1')";

// Returns false when the name is not in the user table.
bool userIdOf(const QString &username, int *id)
{
    const auto rows = ProjectDatabase::queryRows(
        QStringLiteral("select id from user where username = ?"), {username}, 1);
    if (rows.isEmpty())
        return false;
    *id = rows.first().at(0).toInt();
    return true;
}

bool isAdministrator()
{
    return AppSettings::instance()->currentUserType() == 0;
}
} // namespace

PermissionStore::PermissionStore()
{
    createPermissionTable();
}

bool PermissionStore::createPermissionTable()
{
    return ProjectDatabase::executeStatement(QString::fromLatin1(createPermissionInfo));
}

bool PermissionStore::deletePermissions(int id)
{
    return ProjectDatabase::executeStatement(
        QStringLiteral("DELETE FROM PermissionInfo WHERE Id = ?"), {id});
}

bool PermissionStore::savePermissions(int id, const QString &input, const QString &output,
                                      const QString &audio, const QString &analog,
                                      const QString &list)
{
    return ProjectDatabase::executeStatement(
        QStringLiteral("insert or replace into "
                       "PermissionInfo(Id,InputInfo,OutputInfo,AudioInfo,AnalogInfo,ListInfo)"
                       "values(?,?,?,?,?,?)"),
        {id, input, output, audio, analog, list});
}

bool PermissionStore::initUserPermissions(const QString &username)
{
    int id = 0;
    // The first account is the administrator, who needs no row.
    if (!userIdOf(username, &id) || id <= 1)
        return false;
    return ProjectDatabase::executeStatement(
        QStringLiteral("insert or replace into PermissionInfo(Id)values(?)"), {id});
}

bool PermissionStore::readPermissions(int id, PermissionRecord *record)
{
    const auto rows = ProjectDatabase::queryRows(
        QStringLiteral("select * from PermissionInfo where Id = ?"), {id}, 6);
    if (rows.size() != 1 || rows.first().size() != 6)
        return false;
    const QVariantList &row = rows.first();
    record->input = row.at(1).toString();
    record->output = row.at(2).toString();
    record->audio = row.at(3).toString();
    record->analog = row.at(4).toString();
    record->functions = row.at(5).toString();
    return true;
}

bool PermissionStore::loadPermissions(int id)
{
    PermissionRecord record;
    if (!readPermissions(id, &record))
        return false;
    m_input = PermissionList::parse(record.input, 1);
    m_output = PermissionList::parse(record.output, 1);
    m_audio = PermissionList::parse(record.audio, 1);
    m_analog = PermissionList::parse(record.analog, 1);
    m_functions = PermissionList::parse(record.functions, 0);
    return true;
}

void PermissionStore::loadCurrentUser(const QString &username)
{
    int id = 0;
    if (userIdOf(username, &id))
        m_currentUserId = id;
    m_input.clear();
    m_output.clear();
    m_audio.clear();
    m_analog.clear();
    m_functions.clear();
    loadPermissions(m_currentUserId);
}

bool PermissionStore::hasPortPermission(int port, int kind) const
{
    if (isAdministrator())
        return true;
    const QMap<int, bool> *rights = nullptr;
    switch (kind) {
    case InputPortKind:
        rights = &m_input;
        break;
    case OutputPortKind:
        rights = &m_output;
        break;
    case AudioInputPortKind:
        rights = &m_audio;
        break;
    case AnalogOutputPortKind:
        rights = &m_analog;
        break;
    default:
        return true;
    }
    return rights->value(port, true);
}

bool PermissionStore::hasListPermission(int index) const
{
    return isAdministrator() || m_functions.value(index, true);
}
