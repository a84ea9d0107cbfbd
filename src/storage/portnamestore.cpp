#include "portnamestore.h"

#include "projectdatabase.h"

namespace {
const char *const createTables[] = {
    "create table if not exists InPortName(                               "
    "Port integer primary key,                               "
    "PortName text                               "
    ")",
    "create table if not exists InAudioName(Port integer primary key,PortName text)",
    "create table if not exists OutPortName(                               "
    "Port integer primary key,                               "
    "PortName text                               "
    ")",
    "create table if not exists OutAudioPortName(                               "
    "Port integer primary key,                               "
    "PortName text                               "
    ")",
    "create table if not exists OutInfarePortName(                               "
    "Port integer primary key,                               "
    "PortName text                               "
    ")",
};

bool saveName(const QString &sql, int port, const QString &name)
{
    return ProjectDatabase::executeStatement(sql, {port, name});
}

QMap<int, QString> loadNames(const QString &sql)
{
    QMap<int, QString> names;
    const auto rows = ProjectDatabase::queryRows(sql, {}, 2);
    for (const QVariantList &row : rows)
        names.insert(row.at(0).toInt(), row.at(1).toString());
    return names;
}
} // namespace

PortNameStore::PortNameStore()
{
    createPortNameTables();
}

bool PortNameStore::createPortNameTables()
{
    QStringList statements;
    for (const char *sql : createTables)
        statements.append(QString::fromLatin1(sql));
    return ProjectDatabase::executeStatements(statements);
}

bool PortNameStore::savePortName(int port, const QString &name, int kind)
{
    switch (kind) {
    case InputVideoName:
        return saveName(
            QStringLiteral("insert or replace into InPortName(Port,PortName) values(?,?)"), port,
            name);
    case OutputVideoName:
        return saveName(
            QStringLiteral("insert or replace into OutPortName(Port,PortName) values(?,?)"), port,
            name);
    case InputAudioName:
        return saveName(
            QStringLiteral("insert or replace into InAudioName(Port,PortName) values(?,?)"), port,
            name);
    default:
        return false;
    }
}

bool PortNameStore::saveOutputAudioName(int port, const QString &name)
{
    return saveName(
        QStringLiteral("insert or replace into OutAudioPortName(Port,PortName) values(?,?)"), port,
        name);
}

QMap<int, QString> PortNameStore::loadPortNames(int kind) const
{
    switch (kind) {
    case InputVideoName:
        return loadNames(QStringLiteral("select *from InPortName"));
    case InputAudioName:
        return loadNames(QStringLiteral("select * from InAudioName"));
    default:
        return loadNames(QStringLiteral("select *from OutPortName"));
    }
}

QMap<int, QString> PortNameStore::loadOutputAudioNames() const
{
    return loadNames(QStringLiteral("select * from OutAudioPortName"));
}
