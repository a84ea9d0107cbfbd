#include "../common/datadirfixture.h"

#include "uikit/dialogconfirm3btn.h"
#include "uikit/msgdlg.h"
#include "users/permissiondialog.h"
#include "users/permissionlist.h"
#include "users/permissionstore.h"

#include <QCheckBox>
#include <QLabel>
#include <QtTest>

namespace {
// The boxes of one list as "1"/"0" joined by "/", the way they are stored.
QString shown(const QList<QCheckBox *> &boxes)
{
    QList<bool> states;
    for (const QCheckBox *box : boxes)
        states.append(box->isChecked());
    return PermissionList::join(states);
}

QString shownFunctions(const PermissionDialog &dialog)
{
    QList<bool> states;
    for (int i = 0; i < PermissionList::FunctionCount; ++i)
        states.append(dialog.functionBox(i)->isChecked());
    return PermissionList::join(states);
}

QString functionsWithout(std::initializer_list<int> denied)
{
    QList<bool> states;
    for (int i = 0; i < PermissionList::FunctionCount; ++i)
        states.append(true);
    for (int i : denied)
        states[i] = false;
    return PermissionList::join(states);
}

PermissionRecord stored(int id)
{
    PermissionRecord record;
    if (!PermissionStore::readPermissions(id, &record))
        record.input = QStringLiteral("<no row>");
    return record;
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
        const QString all28 = PermissionList::allowAll(28);
        QTest::newRow("no row: everything allowed")
            << QStringList{} << QStringList{all8, all9, all8, all9, all28};
        QTest::newRow("short lists allow the rest")
            << QStringList{"0", "1/0", "", "0/0/0", "0/0"}
            << QStringList{"0/1/1/1/1/1/1/1", "1/0/1/1/1/1/1/1/1", all8, "0/0/0/1/1/1/1/1/1",
                           functionsWithout({0, 1})};
        QTest::newRow("long lists are cut")
            << QStringList{"1/1/1/1/1/1/1/0/0/0", "0/0/0/0/0/0/0/0/0/0", all8, all9,
                           functionsWithout({5}) + "/0/0"}
            << QStringList{"1/1/1/1/1/1/1/0", "0/0/0/0/0/0/0/0/0", all8, all9,
                           functionsWithout({5})};
        QTest::newRow("garbage denies") << QStringList{"x/1/1/1/1/1/1/1", all9, all8, all9, all28}
                                        << QStringList{"0/1/1/1/1/1/1/1", all9, all8, all9, all28};
    }

    void loading()
    {
        QFETCH(QStringList, record);
        QFETCH(QStringList, expected);

        PermissionStore permissions;
        if (!record.isEmpty())
            QVERIFY(permissions.savePermissions(m_opId, record.at(0), record.at(1), record.at(2),
                                                record.at(3), record.at(4)));
        PermissionDialog dialog(opId(), QStringLiteral("op"), &permissions);
        QCOMPARE(shown(dialog.portBoxes(0)), expected.at(0));
        QCOMPARE(shown(dialog.portBoxes(1)), expected.at(1));
        QCOMPARE(shown(dialog.portBoxes(2)), expected.at(2));
        QCOMPARE(shown(dialog.portBoxes(3)), expected.at(3));
        QCOMPARE(shownFunctions(dialog), expected.at(4));
    }

    void allBoxToggling_data()
    {
        QTest::addColumn<int>("group");
        QTest::addColumn<QList<int>>("cleared"); // positions in the group cleared first

        QTest::newRow("setting page, one clear")
            << int(PermissionDialog::SettingPageGroup) << QList<int>{3};
        QTest::newRow("matrix menu, all set")
            << int(PermissionDialog::MatrixEntryMenuGroup) << QList<int>{};
        QTest::newRow("inputs") << int(PermissionDialog::InputGroup) << QList<int>{0, 7};
        QTest::newRow("outputs") << int(PermissionDialog::OutputGroup) << QList<int>{8};
    }

    void allBoxToggling()
    {
        QFETCH(int, group);
        QFETCH(QList<int>, cleared);

        PermissionStore permissions;
        PermissionDialog dialog(opId(), QStringLiteral("op"), &permissions);
        const auto g = PermissionDialog::Group(group);
        const QList<QCheckBox *> boxes = dialog.groupBoxes(g);
        QCheckBox *all = dialog.allBox(g);
        QVERIFY(all);
        QVERIFY(all->isChecked());
        for (int i : cleared)
            boxes.at(i)->setChecked(false);
        QCOMPARE(all->isChecked(), cleared.isEmpty());

        // Other groups must not move.
        const QString otherInputs = shown(dialog.portBoxes(0));
        const QString otherFunctions = shownFunctions(dialog);

        auto states = [&boxes] {
            QList<bool> s;
            for (const QCheckBox *b : boxes)
                s.append(b->isChecked());
            return s;
        };
        QList<bool> allSet, allClear;
        for (int i = 0; i < boxes.size(); ++i) {
            allSet.append(true);
            allClear.append(false);
        }

        all->click();
        QCOMPARE(states(), cleared.isEmpty() ? allClear : allSet);
        QCOMPARE(all->isChecked(), !cleared.isEmpty());
        all->click();
        QCOMPARE(states(), cleared.isEmpty() ? allSet : allClear);
        QCOMPARE(all->isChecked(), cleared.isEmpty());

        if (g != PermissionDialog::InputGroup)
            QCOMPARE(shown(dialog.portBoxes(0)), otherInputs);
        if (g >= PermissionDialog::InputGroup)
            QCOMPARE(shownFunctions(dialog), otherFunctions);
    }

    void applyAllSetWritesTheColumnDefaults()
    {
        PermissionStore permissions;
        // Starts from a restricted row so a no-op Apply could not pass.
        QVERIFY(permissions.savePermissions(m_opId, "0/0/0/0/0/0/0/0", "0/0/0/0/0/0/0/0/0",
                                            "0/0/0/0/0/0/0/0", "0/0/0/0/0/0/0/0/0", "0"));
        PermissionDialog dialog(opId(), QStringLiteral("op"), &permissions);
        for (int g = 0; g < PermissionDialog::GroupCount; ++g) {
            QCheckBox *all = dialog.allBox(PermissionDialog::Group(g));
            if (!all->isChecked())
                all->click();
        }
        QVERIFY(dialog.apply());
        const PermissionRecord record = stored(m_opId);
        QCOMPARE(record.input, QStringLiteral("1/1/1/1/1/1/1/1"));
        QCOMPARE(record.output, QStringLiteral("1/1/1/1/1/1/1/1/1"));
        QCOMPARE(record.audio, QStringLiteral("1/1/1/1/1/1/1/1"));
        QCOMPARE(record.analog, QStringLiteral("1/1/1/1/1/1/1/1/1"));
        QCOMPARE(record.functions,
                 QStringLiteral("1/1/1/1/1/1/1/1/1/1/1/1/1/1/1/1/1/1/1/1/1/1/1/1/1/1/1/1"));
    }

    void applyWritesEachBoxAtItsPosition()
    {
        PermissionStore permissions;
        PermissionDialog dialog(opId(), QStringLiteral("op"), &permissions);
        dialog.portBoxes(0).at(1)->setChecked(false);
        dialog.portBoxes(1).at(4)->setChecked(false);
        dialog.portBoxes(2).at(7)->setChecked(false);
        dialog.portBoxes(3).at(0)->setChecked(false);
        dialog.functionBox(0)->setChecked(false);
        dialog.functionBox(14)->setChecked(false);
        dialog.functionBox(27)->setChecked(false);
        dialog.on_btnApply_clicked();

        const PermissionRecord record = stored(m_opId);
        QCOMPARE(record.input, QStringLiteral("1/0/1/1/1/1/1/1"));
        QCOMPARE(record.output, QStringLiteral("1/1/1/1/0/1/1/1/1"));
        QCOMPARE(record.audio, QStringLiteral("1/1/1/1/1/1/1/0"));
        QCOMPARE(record.analog, QStringLiteral("0/1/1/1/1/1/1/1/1"));
        QCOMPARE(record.functions, functionsWithout({0, 14, 27}));

        // And a dialog opened afterwards shows exactly that.
        PermissionDialog again(opId(), QStringLiteral("op"), &permissions);
        QCOMPARE(shown(again.portBoxes(1)), record.output);
        QCOMPARE(shownFunctions(again), record.functions);
    }

    void closeConfirmation_data()
    {
        QTest::addColumn<int>("choice");
        QTest::addColumn<bool>("stillOpen");
        QTest::addColumn<QString>("storedOutput");

        QTest::newRow("yes applies and closes")
            << int(DialogConfirm3Btn::Yes) << false << "1/1/1/1/0/1/1/1/1";
        QTest::newRow("no closes without applying")
            << int(DialogConfirm3Btn::No) << false << "<unchanged>";
        QTest::newRow("cancel keeps the dialog")
            << int(DialogConfirm3Btn::Cancel) << true << "<unchanged>";
    }

    void closeConfirmation()
    {
        QFETCH(int, choice);
        QFETCH(bool, stillOpen);
        QFETCH(QString, storedOutput);

        PermissionStore permissions;
        QVERIFY(permissions.initUserPermissions(QStringLiteral("op")));
        PermissionDialog dialog(opId(), QStringLiteral("op"), &permissions);
        dialog.show();
        dialog.portBoxes(1).at(4)->setChecked(false);

        QString title, text;
        whenModal<DialogConfirm3Btn>([&](DialogConfirm3Btn *confirm) {
            title = confirm->title();
            text = confirm->text();
            confirm->done(choice);
        });
        dialog.on_btnClose_clicked();

        QCOMPARE(title, QStringLiteral("Quit Permission Management"));
        QCOMPARE(text, QStringLiteral("Apply the latest changes?"));
        QCOMPARE(dialog.isVisible(), stillOpen);
        const QString output = stored(m_opId).output;
        QCOMPARE(output, storedOutput == QLatin1String("<unchanged>") ? PermissionList::allowAll(9)
                                                                      : storedOutput);
        // Cancel keeps the unsaved change on screen, ready to be applied later.
        if (stillOpen) {
            QVERIFY(!dialog.portBoxes(1).at(4)->isChecked());
            QVERIFY(dialog.apply());
            QCOMPARE(stored(m_opId).output, QStringLiteral("1/1/1/1/0/1/1/1/1"));
        }
    }

    void escapeAsksToo()
    {
        PermissionStore permissions;
        PermissionDialog dialog(opId(), QStringLiteral("op"), &permissions);
        dialog.show();
        bool asked = false;
        whenModal<DialogConfirm3Btn>([&asked](DialogConfirm3Btn *confirm) {
            asked = true;
            confirm->done(DialogConfirm3Btn::Cancel);
        });
        QTest::keyClick(&dialog, Qt::Key_Escape);
        QTRY_VERIFY(asked);
        QVERIFY(dialog.isVisible());
    }

    void failedSaveKeepsTheDialogOpen()
    {
        PermissionStore permissions;
        QVERIFY(DataDirFixture::rawSql(
            QStringLiteral("create trigger no_rights before insert on PermissionInfo begin "
                           "select raise(abort, 'read only'); end")));
        PermissionDialog dialog(opId(), QStringLiteral("op"), &permissions);
        dialog.show();
        dialog.portBoxes(0).at(0)->setChecked(false);

        QString warning;
        whenModal<DialogConfirm3Btn>([&warning](DialogConfirm3Btn *confirm) {
            whenModal<MsgDlg>([&warning](MsgDlg *message) {
                warning = message->message();
                message->done(1);
            });
            confirm->done(DialogConfirm3Btn::Yes);
        });
        dialog.on_btnClose_clicked();

        QCOMPARE(warning, QStringLiteral("The permissions could not be saved!"));
        QVERIFY(dialog.isVisible());
        QVERIFY(!dialog.portBoxes(0).at(0)->isChecked());
        QVERIFY(!dialog.apply());
    }

    void withoutAStoreOrIdNothingIsStored()
    {
        PermissionDialog noStore(opId(), QStringLiteral("op"), nullptr);
        QVERIFY(!noStore.apply());
        PermissionStore permissions;
        PermissionDialog badId(QStringLiteral("x"), QStringLiteral("op"), &permissions);
        QVERIFY(!badId.apply());
        QCOMPARE(stored(m_opId).input, QStringLiteral("<no row>"));
        QCOMPARE(stored(0).input, QStringLiteral("<no row>"));
    }
};

QTEST_MAIN(TestPermissionDialog)
#include "tst_permissiondialog.moc"
