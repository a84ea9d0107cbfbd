#include "../common/datadirfixture.h"

#include "corvaneresources.h"
#include "users/permissiondialog.h"
#include "users/permissionstore.h"
#include "users/usermanagerdialog.h"

#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QTableWidget>
#include <QTranslator>
#include <QtTest>

// Both dialogs in both languages, saved under <build>/screenshots/, and the catalogue texts
// that the operator sees in them.
class TestUserDialogShots : public QObject
{
    Q_OBJECT

private:
    DataDirFixture m_fx;
    QTranslator m_translator;

    static void save(QWidget *window, const QString &name)
    {
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        QCoreApplication::processEvents();
        const QString dir =
            qEnvironmentVariable("CORVANE_BUILD_DIR", QDir::currentPath()) + "/screenshots";
        QVERIFY(QDir().mkpath(dir));
        QVERIFY2(window->grab().save(dir + QLatin1Char('/') + name), qPrintable(name));
    }

private slots:
    void initTestCase() { initCorvaneResources(); }
    void cleanup() { QCoreApplication::removeTranslator(&m_translator); }

    void shots_data()
    {
        QTest::addColumn<QString>("suffix");
        QTest::addColumn<QString>("passwordEmpty");
        QTest::addColumn<QString>("confirmLabel");
        QTest::newRow("Chinese") << "zh_CN" << QStringLiteral("密码不能为空！")
                                 << QStringLiteral("确认新密码");
        QTest::newRow("English") << "en" << QStringLiteral("Password cannot be empty!")
                                 << QStringLiteral("Confirm New Password");
    }

    void shots()
    {
        QFETCH(QString, suffix);
        QFETCH(QString, passwordEmpty);
        m_fx.setUp();
        UserAccountStore accounts;
        PermissionStore permissions;
        for (const char *name : {"operator", "night shift", "guest"})
            QVERIFY(accounts.addUser(QString::fromLatin1(name), QStringLiteral("pw")));
        QVERIFY(m_translator.load(QStringLiteral(":/") + QTest::currentDataTag()));
        QCoreApplication::installTranslator(&m_translator);

        Usermanagerdialog users(&permissions);
        QTEST(child<QLabel>(&users, "lb_repeat")->text(), "confirmLabel");
        child<QTableWidget>(&users, "tableWidget")->selectRow(1);
        users.on_tableWidget_cellClicked(1, 1);
        users.on_btnEdit_clicked();
        users.on_btnSave_clicked();
        QCOMPARE(users.tipText(), passwordEmpty);
        save(&users, QStringLiteral("usermanagerdialog_%1.png").arg(suffix));

        const int id = accounts.allUsers().at(1).at(0).toInt();
        QVERIFY(permissions.savePermissions(
            id, "1/1/0/1/1/1/1/1", "1/1/1/1/0/1/1/1/1", "1/1/1/1/1/1/1/1", "1/1/1/1/1/1/1/1/0",
            "1/1/1/1/1/1/1/1/1/1/1/1/1/1/1/1/0/1/1/1/0/1/1/1/1/0/1/1"));
        PermissionDialog rights(QString::number(id), QStringLiteral("operator"), &permissions);
        // The infrared switch is spelt correctly in English only.
        if (suffix == QLatin1String("en"))
            QCOMPARE(rights.functionBox(25)->text(), QStringLiteral("Infrared\nSwitch"));
        QVERIFY(child<QLabel>(&rights, "titleLabel")->text().endsWith(QStringLiteral("operator")));
        save(&rights, QStringLiteral("permissiondialog_%1.png").arg(suffix));
    }
};

QTEST_MAIN(TestUserDialogShots)
#include "tst_userdialogshots.moc"
