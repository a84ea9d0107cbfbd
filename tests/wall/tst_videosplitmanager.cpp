// Splice groups from the table's selection, device reports and presets; what the manager asks for.
#include "app/appsettings.h"
#include "storage/projectdatabase.h"
#include "wall/videosplitmanager.h"

#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using L = QList<int>;
using Groups = QMap<int, L>;

class TestVideoSplitManager : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { qRegisterMetaType<Groups>(); }
    void init()
    {
        m_manager.reset();
        m_dir = std::make_unique<QTemporaryDir>();
        AppSettings::setDataDirectory(m_dir->path());
        ProjectDatabase::resetDatabasePath();
        // The 3 x 3 video table: outputs 1..9 row by row.
        m_table = std::make_unique<QTableWidget>(3, 3);
        m_table->setSelectionMode(QAbstractItemView::ExtendedSelection);
        for (int o = 1; o <= 9; ++o) {
            auto *item = new QTableWidgetItem;
            item->setData(Qt::UserRole, o);
            m_table->setItem((o - 1) / 3, (o - 1) % 3, item);
        }
        m_manager = std::make_unique<VideoSplitManager>();
        m_manager->setTable(m_table.get());
    }
    // The operator's menu on output 5 (a selection wins over the cell) asks the device; a
    // notice, a list, a dissolve or a preset is the device's own doing and asks nothing.
    void changes_data()
    {
        QTest::addColumn<Groups>("before");
        QTest::addColumn<QString>("change");
        QTest::addColumn<QList<int>>("outputs"); // the menu's selection, or the list given
        QTest::addColumn<Groups>("after");
        QTest::addColumn<QList<int>>("bind"); // master then members; empty: no bind asked
        QTest::addColumn<QList<int>>("unbinds");
        QTest::addColumn<bool>("isGroup"); // the selection already is a group, in any order

        const Groups one{{1, {1, 2}}}, two{{1, {1, 2}}, {5, {5, 6, 7}}};
        // clang-format off
        QTest::newRow("nothing selected")                 << Groups{{4, {4, 5}}}    << "menu" << L{}        << Groups{}               << L{}           << L{4} << true;
        QTest::newRow("part of a group regroups")         << Groups{{1, {1, 2, 3}}} << "menu" << L{1, 2}    << Groups{{1, {1, 2}}}    << L{1, 1, 2}    << L{}  << false;
        QTest::newRow("new group in click order")         << Groups{}               << "menu" << L{3, 1, 2} << Groups{{3, {3, 1, 2}}} << L{3, 3, 1, 2} << L{}  << false;
        QTest::newRow("exact selection dissolves")        << one                    << "menu" << L{2, 1}    << Groups{}               << L{}           << L{2} << true;
        QTest::newRow("single member: unbind the master") << Groups{{1, {1, 2, 3}}} << "menu" << L{3}       << Groups{}               << L{}           << L{1} << true;
        QTest::newRow("overlap erases the old quietly")   << Groups{{1, {1, 2, 3}}} << "menu" << L{2, 5}    << Groups{{2, {2, 5}}}    << L{2, 2, 5}    << L{}  << false;
        QTest::newRow("group without its master dropped") << Groups{{1, {2, 3}}}    << "menu" << L{7, 8}    << Groups{{7, {7, 8}}}    << L{7, 7, 8}    << L{}  << false;
        // Another client bound the same outputs again: the group must not vanish.
        QTest::newRow("notice of the same group")     << one                << "notice"   << L{1, 2}       << one                     << L{} << L{} << false;
        // A given list wins over the table's selection of 7 and 8.
        QTest::newRow("list of one member")           << one                << "list"     << L{2}          << Groups{}                << L{} << L{} << false;
        QTest::newRow("repeated output counted once") << Groups{}           << "list"     << L{5, 6, 5}    << Groups{{5, {5, 6}}}     << L{} << L{} << false;
        QTest::newRow("same group again dissolves")   << Groups{{5, {5, 6}}} << "list"    << L{6, 5}       << Groups{}                << L{} << L{} << false;
        QTest::newRow("dissolve by member")           << two                << "dissolve" << L{7}          << one                     << L{} << L{} << false;
        QTest::newRow("preset mode 3")                << two                << "preset"   << L{1, 2, 5, 6} << Groups{{1, {1, 2, 5, 6}}} << L{} << L{} << false;
        // clang-format on
    }
    void changes()
    {
        QFETCH(Groups, before);
        QFETCH(QString, change);
        QFETCH(QList<int>, outputs);
        QFETCH(Groups, after);
        m_manager->setGroups(before);
        select(change == "menu" ? outputs : QList<int>{7, 8});
        if (change == "menu")
            QTEST(m_manager->isSelectionAGroup(), "isGroup");
        QSignalSpy binds(m_manager.get(), &VideoSplitManager::si_sendNewBindMsg);
        QSignalSpy unbindSpy(m_manager.get(), &VideoSplitManager::si_sendUnBindMsg);
        QSignalSpy painted(m_manager.get(), &VideoSplitManager::si_groupsChanged);
        if (change == "menu")
            m_manager->toggleSplice(5);
        else if (change == "notice")
            m_manager->addGroup(outputs);
        else if (change == "list")
            m_manager->spliceSelection(outputs, false, false);
        else if (change == "dissolve")
            m_manager->dissolveGroupOf(outputs.first());
        else
            m_manager->formOnlyGroup(outputs);
        QCOMPARE(m_manager->groups(), after);
        QList<int> asked, unbound;
        for (const QVariantList &b : binds)
            asked << b.at(0).toInt() << b.at(1).value<QList<int>>();
        for (const QVariantList &u : unbindSpy)
            unbound << u.at(0).toInt();
        QTEST(asked, "bind");
        QTEST(unbound, "unbinds");
        QCOMPARE(painted.value(0).value(0).value<Groups>(), after); // the table learns it
    }
    void lookupsAndReports()
    {
        // The empty corner of a 5 x 2 table has no output number.
        m_table->item(0, 1)->setData(Qt::UserRole, QVariant());
        select({9, 2, 3});
        QCOMPARE(m_manager->selectedOutputs(), (QList<int>{9, 3}));
        // Reports may overlap; the lookup must be stable.
        m_manager->setGroups({{6, {6, 2}}, {1, {1, 2}}});
        QCOMPARE(m_manager->groupOf(2) + m_manager->groupOf(9), (QList<int>{1, 2}));
        // A report replaces all groups, dropping the ones of fewer than two outputs.
        QSignalSpy painted(m_manager.get(), &VideoSplitManager::si_groupsChanged);
        m_manager->replaceGroups({{3, 1, 3, 2}, {5, 5, 6}, {9, 9}, {}});
        QCOMPARE(m_manager->groups(), (Groups{{3, {3, 1, 2}}, {5, {5, 6}}}));
        QCOMPARE(painted.count(), 1);
    }

private:
    /// Selects the outputs in the given order, as ctrl-clicks would.
    void select(const QList<int> &outputs)
    {
        m_table->clearSelection();
        for (int o : outputs)
            m_table->item((o - 1) / 3, (o - 1) % 3)->setSelected(true);
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<QTableWidget> m_table;
    std::unique_ptr<VideoSplitManager> m_manager;
};

QTEST_MAIN(TestVideoSplitManager)
#include "tst_videosplitmanager.moc"
