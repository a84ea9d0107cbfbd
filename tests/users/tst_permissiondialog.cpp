#include "../common/datadirfixture.h"

#include "uikit/dialogconfirm3btn.h"
#include "uikit/msgdlg.h"
#include "users/permissiondialog.h"
#include "users/permissionlist.h"
#include "users/permissionstore.h"

#include <QCheckBox>
#include <QtTest>

namespace {
// The boxes as "1"/"0" joined by "/", the way they are stored.
QString shown(const QList<QCheckBox *> &boxes)
{
    QList<bool> states;
    for (const QCheckBox *box : boxes)
        states.append(box->isChecked());
    return PermissionList::join(states);
}

// Port lists 0-3, then the function list.
QStringList shownAll(const PermissionDialog &dialog)
{
    QList<QCheckBox *> functions;
    for (int i = 0; i < PermissionList::FunctionCount; ++i)
        functions.append(dialog.functionBox(i));
    return {shown(dialog.portBoxes(0)), shown(dialog.portBoxes(1)), shown(dialog.portBoxes(2)),
            shown(dialog.portBoxes(3)), shown(functions)};
}

QString functionsWithout(std::initializer_list<int> denied)
{
    QStringList parts = PermissionList::allowAll(PermissionList::FunctionCount).split('/');
    for (int i : denied)
        parts[i] = QStringLiteral("0");
    return parts.join('/');
}

// What a user without a row may do: every box set.
QStringList allowedAll()
{
    return {PermissionList::allowAll(8), PermissionList::allowAll(9), PermissionList::allowAll(8),
            PermissionList::allowAll(9), PermissionList::allowAll(28)};
}

QStringList stored(int id)
{
    PermissionRecord r;
    if (!PermissionStore::readPermissions(id, &r))
        return {QStringLiteral("<no row>")};
    return {r.input, r.output, r.audio, r.analog, r.functions};
}
} // namespace

class TestPermissionDialog : public QObject
{
    Q_OBJECT

private:
    DataDirFixture m_fx;
    int m_opId = 0;
    QString opId() const { return QString::number(m_opId); }

private slots:
    void init()
    {
        m_fx.setUp();
        UserAccountStore users;
        QVERIFY(users.addUser(QStringLiteral("op"), QStringLiteral("pw")));
        m_opId = users.allUsers().last().at(0).toInt();
    }

    void loading_data()
    {
        QTest::addColumn<QStringList>("record"); // empty: no row at all
        QTest::addColumn<QStringList>("expected");
        const QString all8 = PermissionList::allowAll(8);
        const QString all9 = PermissionList::allowAll(9);
        QTest::newRow("no row: everything allowed") << QStringList{} << allowedAll();
        QTest::newRow("short lists allow the rest")
            << QStringList{"0", "1/0", "", "0/0/0", "0/0"}
            << QStringList{"0/1/1/1/1/1/1/1", "1/0/1/1/1/1/1/1/1", all8, "0/0/0/1/1/1/1/1/1",
                           functionsWithout({0, 1})};
        QTest::newRow("long lists are cut")
            << QStringList{"1/1/1/1/1/1/1/0/0/0", "0/0/0/0/0/0/0/0/0/0", all8, all9,
                           functionsWithout({5}) + "/0/0"}
            << QStringList{"1/1/1/1/1/1/1/0", "0/0/0/0/0/0/0/0/0", all8, all9,
                           functionsWithout({5})};
    }
    void loading()
    {
        QFETCH(QStringList, record);
        PermissionStore permissions;
        if (!record.isEmpty())
            QVERIFY(permissions.savePermissions(m_opId, record.at(0), record.at(1), record.at(2),
                                                record.at(3), record.at(4)));
        PermissionDialog dialog(opId(), QStringLiteral("op"), &permissions);
        QTEST(shownAll(dialog), "expected");
    }

    // Each group's "all" box follows its boxes and sets or clears them all, and only them.
    void allBoxToggling()
    {
        PermissionStore permissions;
        PermissionDialog dialog(opId(), QStringLiteral("op"), &permissions);
        for (int g = 0; g < PermissionDialog::GroupCount; ++g) {
            const QList<QCheckBox *> boxes = dialog.groupBoxes(PermissionDialog::Group(g));
            QCheckBox *all = dialog.allBox(PermissionDialog::Group(g));
            QVERIFY(all && all->isChecked() && !boxes.isEmpty());
            boxes.at(g % boxes.size())->setChecked(false);
            QVERIFY(!all->isChecked());
            const QStringList before = shownAll(dialog);
            const int own =
                g >= PermissionDialog::InputGroup ? g - PermissionDialog::InputGroup : 4;
            const QString allSet = PermissionList::allowAll(boxes.size());
            for (bool set : {true, false}) {
                all->click();
                QCOMPARE(shown(boxes), set ? allSet : QString(allSet).replace('1', '0'));
                QCOMPARE(all->isChecked(), set);
                const QStringList now = shownAll(dialog);
                for (int i = 0; i < now.size(); ++i)
                    QVERIFY(i == own || now.at(i) == before.at(i));
            }
            all->click();
        }
    }

    // From no row at all, so a no-op Apply could not pass.
    void applyWritesEachBoxAtItsPosition()
    {
        PermissionStore permissions;
        PermissionDialog dialog(opId(), QStringLiteral("op"), &permissions);
        for (auto [list, i] :
             std::initializer_list<std::pair<int, int>>{{0, 1}, {1, 4}, {2, 7}, {3, 0}})
            dialog.portBoxes(list).at(i)->setChecked(false);
        for (int i : {0, 14, 27})
            dialog.functionBox(i)->setChecked(false);
        dialog.on_btnApply_clicked();
        const QStringList expected{"1/0/1/1/1/1/1/1", "1/1/1/1/0/1/1/1/1", "1/1/1/1/1/1/1/0",
                                   "0/1/1/1/1/1/1/1/1", functionsWithout({0, 14, 27})};
        QCOMPARE(stored(m_opId), expected);
        QCOMPARE(shownAll(PermissionDialog(opId(), QStringLiteral("op"), &permissions)), expected);
    }

    void closeConfirmation_data()
    {
        QTest::addColumn<bool>("escape");
        QTest::addColumn<int>("choice");
        QTest::addColumn<bool>("refused"); // the database refuses to store
        QTest::newRow("yes applies and closes") << false << int(DialogConfirm3Btn::Yes) << false;
        QTest::newRow("no closes without applying") << false << int(DialogConfirm3Btn::No) << false;
        QTest::newRow("cancel keeps the dialog")
            << false << int(DialogConfirm3Btn::Cancel) << false;
        QTest::newRow("escape asks too") << true << int(DialogConfirm3Btn::Cancel) << false;
        // Changes that could not be stored keep the dialog open rather than vanish.
        QTest::newRow("failed save is reported") << false << int(DialogConfirm3Btn::Yes) << true;
    }
    void closeConfirmation()
    {
        QFETCH(bool, escape);
        QFETCH(int, choice);
        QFETCH(bool, refused);
        const bool stillOpen = choice == DialogConfirm3Btn::Cancel || refused;
        PermissionStore permissions;
        QVERIFY(permissions.initUserPermissions(QStringLiteral("op")));
        if (refused)
            QVERIFY(DataDirFixture::rawSql(
                QStringLiteral("create trigger no_rights before insert on PermissionInfo begin "
                               "select raise(abort, 'read only'); end")));
        PermissionDialog dialog(opId(), QStringLiteral("op"), &permissions);
        dialog.show();
        dialog.portBoxes(1).at(4)->setChecked(false);

        QString title, text, warning;
        whenModal<DialogConfirm3Btn>([&](DialogConfirm3Btn *confirm) {
            title = confirm->title();
            text = confirm->text();
            if (refused)
                whenModal<MsgDlg>([&warning](MsgDlg *message) {
                    warning = message->message();
                    message->done(1);
                });
            confirm->done(choice);
        });
        if (escape)
            QTest::keyClick(&dialog, Qt::Key_Escape);
        else
            dialog.on_btnClose_clicked();

        QCOMPARE(title, QStringLiteral("Quit Permission Management"));
        QCOMPARE(text, QStringLiteral("Apply the latest changes?"));
        QCOMPARE(warning,
                 refused ? QStringLiteral("The permissions could not be saved!") : QString());
        QCOMPARE(dialog.isVisible(), stillOpen);
        const QString changed = QStringLiteral("1/1/1/1/0/1/1/1/1");
        const bool applied = choice == DialogConfirm3Btn::Yes && !refused;
        QCOMPARE(stored(m_opId).value(1), applied ? changed : PermissionList::allowAll(9));
        // The unsaved change stays on screen, ready to be applied later.
        if (stillOpen) {
            QCOMPARE(dialog.apply(), !refused);
            QCOMPARE(stored(m_opId).value(1), refused ? PermissionList::allowAll(9) : changed);
            QVERIFY(!dialog.portBoxes(1).at(4)->isChecked());
        }
    }

    void withoutAStoreOrIdNothingIsStored()
    {
        PermissionStore permissions;
        QVERIFY(!PermissionDialog(opId(), QStringLiteral("op"), nullptr).apply());
        QVERIFY(!PermissionDialog(QStringLiteral("x"), QStringLiteral("op"), &permissions).apply());
        QCOMPARE(stored(m_opId), QStringList{QStringLiteral("<no row>")});
        QCOMPARE(stored(0), QStringList{QStringLiteral("<no row>")});
    }
};

QTEST_MAIN(TestPermissionDialog)
#include "tst_permissiondialog.moc"
