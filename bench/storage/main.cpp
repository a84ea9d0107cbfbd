// Cost of the one-connection-per-call pattern of project.db: 1,000 logins checks and 1,000
// port renames, next to the same statements on one connection kept open.
#include "app/appsettings.h"
#include "storage/portnamestore.h"
#include "storage/projectdatabase.h"
#include "storage/useraccountstore.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTextStream>

#include <functional>

namespace {
constexpr int Calls = 1000;

double millisecondsFor(const std::function<void(int)> &call)
{
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < Calls; ++i)
        call(i);
    return timer.nsecsElapsed() / 1e6;
}

void report(QTextStream &out, const char *what, double perCall, double keptOpen)
{
    out << QString::asprintf("%-14s %8.1f ms total  %7.1f us/call  kept-open %7.1f us/call  "
                             "ratio %5.1fx\n",
                             what, perCall, perCall * 1000 / Calls, keptOpen * 1000 / Calls,
                             perCall / keptOpen);
}
} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTemporaryDir dir(argc > 1 ? QString::fromLocal8Bit(argv[1]) + QStringLiteral("/bench-XXXXXX")
                               : QString());
    if (!dir.isValid()) {
        out << "cannot create a temporary directory\n";
        return 1;
    }
    AppSettings::setDataDirectory(dir.path());
    ProjectDatabase::resetDatabasePath();

    UserAccountStore users;
    PortNameStore names;
    users.addUser(QStringLiteral("operator"), QStringLiteral("secret"));

    bool allOk = true;
    const double check = millisecondsFor([&](int) {
        allOk = users.checkUser(QStringLiteral("operator"), QStringLiteral("secret")) && allOk;
    });
    const double save = millisecondsFor([&](int i) {
        allOk = names.savePortName(i % 9 + 1, QStringLiteral("Port %1").arg(i), 0) && allOk;
    });

    // The same statements on one connection, to show what opening per call costs.
    double checkOpen = 0;
    double saveOpen = 0;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "bench");
        db.setDatabaseName(ProjectDatabase::databasePath());
        db.open();
        QSqlQuery query(db);
        checkOpen = millisecondsFor([&](int) {
            query.prepare(QStringLiteral("Select * from user where username=? and password=?"));
            query.addBindValue(QStringLiteral("operator"));
            query.addBindValue(QStringLiteral("secret"));
            allOk = query.exec() && query.next() && allOk;
        });
        saveOpen = millisecondsFor([&](int i) {
            query.prepare(
                QStringLiteral("insert or replace into InPortName(Port,PortName) values(?,?)"));
            query.addBindValue(i % 9 + 1);
            query.addBindValue(QStringLiteral("Port %1").arg(i));
            allOk = query.exec() && allOk;
        });
    }
    QSqlDatabase::removeDatabase(QStringLiteral("bench"));

    out << "project.db in " << dir.path() << ", " << Calls << " calls each\n";
    report(out, "checkUser", check, checkOpen);
    report(out, "savePortName", save, saveOpen);
    out << (allOk ? "all calls succeeded\n" : "SOME CALLS FAILED\n");
    return allOk ? 0 : 1;
}
