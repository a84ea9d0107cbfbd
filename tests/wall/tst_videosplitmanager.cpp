// Splice groups formed and dissolved from the output table's selection, from device reports and
// from the 0808-S presets, and what the manager asks the device and the table to do.
#include "app/appsettings.h"
#include "storage/projectdatabase.h"
#include "wall/videosplitmanager.h"

#include <QSignalSpy>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using Groups = QMap<int, QList<int>>;
using Lists = QList<QList<int>>;
Q_DECLARE_METATYPE(Lists)

class TestVideoSplitManager : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void operatorSelection_data();
    void operatorSelection();
    void selectionKeepsTheOrderOfClicks();
    void isSelectionAGroup_data();
    void isSelectionAGroup();
    void deviceNoticeReformsAMatchingGroup();
    void listWithoutSendAsksNothing();
    void groupOfPrefersTheLowestMaster();
    void reportReplacesAllGroups();
    void dissolveGroupOf_data();
    void dissolveGroupOf();
    void presetsFormTheOnlyGroup_data();
    void presetsFormTheOnlyGroup();
    void menuOnAnUnselectedTableActsOnItsCell();
    void layoutRequestKeepsGroupsUnlessCleared();

private:
    /// Selects the outputs in the given order, as ctrl-clicks would.
    void select(const QList<int> &outputs);
    QTableWidgetItem *itemOf(int output) const;

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<QTableWidget> m_table;
    std::unique_ptr<VideoSplitManager> m_manager;
};

void TestVideoSplitManager::initTestCase()
{
    qRegisterMetaType<QList<int>>();
    qRegisterMetaType<Groups>();
}

void TestVideoSplitManager::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    AppSettings::setDataDirectory(m_dir->path());
    ProjectDatabase::resetDatabasePath();

    // The 3 x 3 video table: outputs 1..9 row by row.
    m_table = std::make_unique<QTableWidget>(3, 3);
    m_table->setSelectionMode(QAbstractItemView::ExtendedSelection);
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 3; ++c) {
            auto *item = new QTableWidgetItem;
            item->setData(Qt::UserRole, r * 3 + c + 1);
            m_table->setItem(r, c, item);
        }
    }
    m_manager = std::make_unique<VideoSplitManager>();
    m_manager->setTable(m_table.get());
}

void TestVideoSplitManager::cleanup()
{
    m_manager.reset();
    m_table.reset();
    m_dir.reset();
}

QTableWidgetItem *TestVideoSplitManager::itemOf(int output) const
{
    return m_table->item((output - 1) / 3, (output - 1) % 3);
}

void TestVideoSplitManager::select(const QList<int> &outputs)
{
    m_table->clearSelection();
    for (int o : outputs)
        itemOf(o)->setSelected(true);
}

void TestVideoSplitManager::operatorSelection_data()
{
    QTest::addColumn<Groups>("before");
    QTest::addColumn<QList<int>>("selection");
    QTest::addColumn<Groups>("after");
    QTest::addColumn<QList<int>>("bind"); // master then members; empty: no bind asked
    QTest::addColumn<QList<int>>("unbinds");

    QTest::newRow("new group in click order")
        << Groups{} << QList<int>{3, 1, 2} << Groups{{3, {3, 1, 2}}} << QList<int>{3, 3, 1, 2}
        << QList<int>{};
    QTest::newRow("exact selection dissolves, named by the first click")
        << Groups{{1, {1, 2}}} << QList<int>{2, 1} << Groups{} << QList<int>{} << QList<int>{2};
    QTest::newRow("single master leaves and unbinds its group")
        << Groups{{1, {1, 2}}} << QList<int>{1} << Groups{} << QList<int>{} << QList<int>{1};
    QTest::newRow("single member unbinds the group by its master")
        << Groups{{1, {1, 2, 3}}} << QList<int>{3} << Groups{} << QList<int>{} << QList<int>{1};
    QTest::newRow("overlap erases the old group quietly")
        << Groups{{1, {1, 2, 3}}} << QList<int>{2, 5} << Groups{{2, {2, 5}}} << QList<int>{2, 2, 5}
        << QList<int>{};
    QTest::newRow("superset grows the group")
        << Groups{{1, {1, 2}}} << QList<int>{1, 2, 3} << Groups{{1, {1, 2, 3}}}
        << QList<int>{1, 1, 2, 3} << QList<int>{};
    QTest::newRow("single output in no group")
        << Groups{{1, {1, 2}}} << QList<int>{7} << Groups{{1, {1, 2}}} << QList<int>{}
        << QList<int>{};
    QTest::newRow("group without its master is dropped")
        << Groups{{1, {2, 3}}} << QList<int>{7, 8} << Groups{{7, {7, 8}}} << QList<int>{7, 7, 8}
        << QList<int>{};
}

void TestVideoSplitManager::operatorSelection()
{
    QFETCH(Groups, before);
    QFETCH(QList<int>, selection);
    QFETCH(Groups, after);
    QFETCH(QList<int>, bind);
    QFETCH(QList<int>, unbinds);

    m_manager->setGroups(before);
    select(selection);
    QSignalSpy binds(m_manager.get(), &VideoSplitManager::si_sendNewBindMsg);
    QSignalSpy unbindSpy(m_manager.get(), &VideoSplitManager::si_sendUnBindMsg);
    QSignalSpy painted(m_manager.get(), &VideoSplitManager::si_groupsChanged);

    m_manager->spliceSelection(std::nullopt, true, false);

    QCOMPARE(m_manager->groups(), after);
    if (bind.isEmpty()) {
        QCOMPARE(binds.count(), 0);
    } else {
        QCOMPARE(binds.count(), 1);
        QCOMPARE(binds.at(0).at(0).toInt(), bind.first());
        QCOMPARE(binds.at(0).at(1).value<QList<int>>(), bind.mid(1));
    }
    QList<int> unbound;
    for (const QList<QVariant> &args : qAsConst(unbindSpy))
        unbound.append(args.at(0).toInt());
    QCOMPARE(unbound, unbinds);
    // The table always learns the outcome.
    QCOMPARE(painted.count(), 1);
    QCOMPARE(painted.at(0).at(0).value<Groups>(), after);
}

void TestVideoSplitManager::selectionKeepsTheOrderOfClicks()
{
    select({9, 4, 1, 5});
    QCOMPARE(m_manager->selectedOutputs(), (QList<int>{9, 4, 1, 5}));
    // Cells without an output number (the empty corner of a 5 x 2 table) are no outputs.
    m_table->item(0, 1)->setData(Qt::UserRole, QVariant());
    select({2, 3});
    QCOMPARE(m_manager->selectedOutputs(), (QList<int>{3}));
}

void TestVideoSplitManager::isSelectionAGroup_data()
{
    QTest::addColumn<Groups>("groups");
    QTest::addColumn<QList<int>>("selection");
    QTest::addColumn<bool>("expected");

    const Groups g{{1, {1, 2, 3}}, {5, {5, 6}}};
    QTest::newRow("nothing") << g << QList<int>{} << true;
    QTest::newRow("a whole group in another order") << g << QList<int>{3, 1, 2} << true;
    QTest::newRow("part of a group") << g << QList<int>{1, 2} << false;
    QTest::newRow("two outputs in no group") << Groups{} << QList<int>{8, 9} << false;
}

void TestVideoSplitManager::isSelectionAGroup()
{
    QFETCH(Groups, groups);
    QFETCH(QList<int>, selection);
    QFETCH(bool, expected);
    m_manager->setGroups(groups);
    select(selection);
    QCOMPARE(m_manager->isSelectionAGroup(), expected);
}

void TestVideoSplitManager::deviceNoticeReformsAMatchingGroup()
{
    m_manager->setGroups({{1, {1, 2}}});
    QSignalSpy binds(m_manager.get(), &VideoSplitManager::si_sendNewBindMsg);
    QSignalSpy unbinds(m_manager.get(), &VideoSplitManager::si_sendUnBindMsg);

    // Another client bound the same outputs again: the group must not vanish.
    m_manager->addGroup({1, 2});
    QCOMPARE(m_manager->groups(), (Groups{{1, {1, 2}}}));
    m_manager->addGroup({4, 1, 2});
    QCOMPARE(m_manager->groups(), (Groups{{4, {4, 1, 2}}}));
    QCOMPARE(binds.count(), 0);
    QCOMPARE(unbinds.count(), 0);
}

void TestVideoSplitManager::listWithoutSendAsksNothing()
{
    m_manager->setGroups({{1, {1, 2}}});
    QSignalSpy binds(m_manager.get(), &VideoSplitManager::si_sendNewBindMsg);
    QSignalSpy unbinds(m_manager.get(), &VideoSplitManager::si_sendUnBindMsg);
    // The table's selection is ignored when a list is given.
    select({7, 8});
    m_manager->spliceSelection(QList<int>{2}, false, false);
    QVERIFY(m_manager->groups().isEmpty());
    m_manager->spliceSelection(QList<int>{5, 6, 5}, false, false);
    QCOMPARE(m_manager->groups(), (Groups{{5, {5, 6}}}));
    m_manager->spliceSelection(QList<int>{6, 5}, false, false);
    QVERIFY(m_manager->groups().isEmpty());
    // An empty list is no selection at all: the selected 7 and 8 stay apart.
    m_manager->spliceSelection(QList<int>{}, true, false);
    QVERIFY(m_manager->groups().isEmpty());
    QCOMPARE(binds.count(), 0);
    QCOMPARE(unbinds.count(), 0);
}

void TestVideoSplitManager::groupOfPrefersTheLowestMaster()
{
    // Reports may overlap; the lookup must be stable.
    m_manager->setGroups({{6, {6, 2}}, {1, {1, 2}}});
    QCOMPARE(m_manager->groupOf(2), (QList<int>{1, 2}));
    QCOMPARE(m_manager->groupOf(6), (QList<int>{6, 2}));
    QVERIFY(m_manager->groupOf(9).isEmpty());
}

void TestVideoSplitManager::reportReplacesAllGroups()
{
    m_manager->setGroups({{7, {7, 8}}});
    QSignalSpy painted(m_manager.get(), &VideoSplitManager::si_groupsChanged);
    m_manager->replaceGroups({{3, 1, 2}, {5, 5, 6}, {9}, {}});
    QCOMPARE(m_manager->groups(), (Groups{{3, {3, 1, 2}}, {5, {5, 6}}}));
    QCOMPARE(painted.count(), 1);
    m_manager->replaceGroups({});
    QVERIFY(m_manager->groups().isEmpty());
}

void TestVideoSplitManager::dissolveGroupOf_data()
{
    QTest::addColumn<int>("output");
    QTest::addColumn<Groups>("after");
    const Groups g{{1, {1, 2}}, {5, {5, 6, 7}}};
    QTest::newRow("by master") << 5 << Groups{{1, {1, 2}}};
    QTest::newRow("by member") << 7 << Groups{{1, {1, 2}}};
    QTest::newRow("in no group") << 9 << g;
}

void TestVideoSplitManager::dissolveGroupOf()
{
    QFETCH(int, output);
    QFETCH(Groups, after);
    m_manager->setGroups({{1, {1, 2}}, {5, {5, 6, 7}}});
    QSignalSpy unbinds(m_manager.get(), &VideoSplitManager::si_sendUnBindMsg);
    m_manager->dissolveGroupOf(output);
    QCOMPARE(m_manager->groups(), after);
    QCOMPARE(unbinds.count(), 0);
}

void TestVideoSplitManager::presetsFormTheOnlyGroup_data()
{
    QTest::addColumn<QList<int>>("outputs");
    QTest::addColumn<Groups>("after");
    QTest::newRow("mode 0") << QList<int>{1} << Groups{};
    QTest::newRow("mode 3") << QList<int>{1, 2, 5, 6} << Groups{{1, {1, 2, 5, 6}}};
}

void TestVideoSplitManager::presetsFormTheOnlyGroup()
{
    QFETCH(QList<int>, outputs);
    QFETCH(Groups, after);
    m_manager->setGroups({{1, {1, 2}}, {7, {7, 8}}});
    QSignalSpy binds(m_manager.get(), &VideoSplitManager::si_sendNewBindMsg);
    QSignalSpy unbinds(m_manager.get(), &VideoSplitManager::si_sendUnBindMsg);
    m_manager->formOnlyGroup(outputs);
    QCOMPARE(m_manager->groups(), after);
    // The preset is one setMode command; no binds of its own.
    QCOMPARE(binds.count() + unbinds.count(), 0);
}

void TestVideoSplitManager::menuOnAnUnselectedTableActsOnItsCell()
{
    m_manager->setGroups({{4, {4, 5}}});
    QSignalSpy unbinds(m_manager.get(), &VideoSplitManager::si_sendUnBindMsg);
    m_table->clearSelection();
    m_manager->toggleSplice(5);
    QVERIFY(m_manager->groups().isEmpty());
    QCOMPARE(unbinds.count(), 1);
    QCOMPARE(unbinds.at(0).at(0).toInt(), 4);

    // With a selection the menu acts on the selection, master first.
    QSignalSpy binds(m_manager.get(), &VideoSplitManager::si_sendNewBindMsg);
    select({8, 9});
    m_manager->toggleSplice(9);
    QCOMPARE(m_manager->groups(), (Groups{{8, {8, 9}}}));
    QCOMPARE(binds.count(), 1);
}

void TestVideoSplitManager::layoutRequestKeepsGroupsUnlessCleared()
{
    m_manager->setGroups({{1, {1, 2}}});
    QSignalSpy relayout(m_manager.get(), &VideoSplitManager::si_tableRefreshRequested);
    m_manager->layoutForMode(1);
    QCOMPARE(relayout.count(), 1);
    QCOMPARE(relayout.at(0).at(0).toInt(), 1);
    QCOMPARE(m_manager->groups(), (Groups{{1, {1, 2}}}));
    m_manager->refreshTable(true, 0);
    QVERIFY(m_manager->groups().isEmpty());
    QCOMPARE(relayout.count(), 2);
    QCOMPARE(m_manager->rowCount(), 3);
}

QTEST_MAIN(TestVideoSplitManager)
#include "tst_videosplitmanager.moc"
