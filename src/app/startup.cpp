#include "startup.h"

#include "app/appsettings.h"
#include "storage/fileaccess.h"
#include "storage/projectdatabase.h"
#include "uikit/msgdlg.h"

#include <QApplication>
#include <QDir>
#include <QFont>
#include <QLocale>
#include <QStringList>
#include <QTranslator>

void prepareApplication()
{
    qputenv("QT_SCALE_FACTOR", QByteArray::number(1));
    QApplication::setAttribute(Qt::AA_EnableHighDpiScaling, true);
    QApplication::setAttribute(Qt::AA_UseHighDpiPixmaps, true);
}

void configureApplication()
{
    QFont font = QApplication::font();
    font.setFamily(QStringLiteral("Microsoft YaHei"));
    QApplication::setFont(font);
}

StartupCheck::Report StartupCheck::examine()
{
    Report report;
    QStringList parts;

    // Both hold passwords as typed; new copies are made owner-only, older ones are closed here.
    for (const QString &path : {ProjectDatabase::databasePath(), FileAccess::passwordFilePath()}) {
        QString error;
        if (!FileAccess::restrictToOwner(path, &error))
            parts.append(tr("%1 can be read by other users and could not be restricted to its "
                            "owner: %2")
                             .arg(QDir::toNativeSeparators(path), error));
    }

    const ProjectDatabase::Health health = ProjectDatabase::checkHealth();
    const QString where =
        QStringLiteral("%1\n%2").arg(QDir::toNativeSeparators(health.path), health.error);
    if (health.state == ProjectDatabase::Health::Unusable) {
        report.canContinue = false;
        parts.prepend(tr("The project database cannot be used, so nobody can log in:\n%1\nNothing "
                         "was changed in it. Restore it from a backup or move it away, then "
                         "start again.")
                          .arg(where));
    } else if (health.state == ProjectDatabase::Health::ReadOnly) {
        parts.prepend(tr("The project database is read-only:\n%1\nYou can log in and work, but "
                         "changes that would be stored in it are refused.")
                          .arg(where));
    }
    report.message = parts.join(QStringLiteral("\n\n"));
    return report;
}

bool StartupCheck::run(QWidget *parent)
{
    // The main window loads the language later; the same choice is made here for the message.
    int language = AppSettings::instance()->language();
    if (language == -1)
        language = QLocale::system().language() == QLocale::Chinese ? 0 : 1;
    QTranslator translator;
    if (translator.load(language == 0 ? QStringLiteral(":/Chinese") : QStringLiteral(":/English")))
        QCoreApplication::installTranslator(&translator);

    const Report report = examine();
    if (!report.message.isEmpty()) {
        MsgDlg dialog(tr("Project database"), report.message, parent);
        dialog.exec();
    }
    QCoreApplication::removeTranslator(&translator);
    return report.canContinue;
}
