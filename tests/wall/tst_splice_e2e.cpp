// Splice groups, plans and the multiview splitter through the whole application against the
// device simulator on loopback.
#include "../common/windowstart.h"
#include "../e2e/simprocess.h"

#include "app/appsettings.h"
#include "mainwindow/listwidget.h"
#include "mainwindow/tablewidget.h"
#include "mainwindow/widget.h"
#include "protocol/messagedistance.h"
#include "state/devicestate.h"
#include "storage/projectdatabase.h"
#include "storage/useraccountstore.h"
#include "wall/planpushbutton.h"
#include "wall/singlesplitterwidget.h"
#include "wall/videosplitmanager.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QMimeData>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using Groups = QMap<int, QList<int>>;

class TestSpliceE2E : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();

    void spliceTwoOutputsAndRouteToTheMaster();
    void recallPlanRequeriesTheStatus();
    void multiviewDropRoutesTheWindow();
    void spliceModePresetFormsItsGroup();

private:
    /// Starts the simulator for `model` and the window against it, logged in without a dialog;
    /// waits for the connection and, where the model has groups, the first bind report.
    bool startAgainst(const QString &model, bool bindReport = true);
    TableWidget *videoTable() const
    {
        return m_window->findChild<TableWidget *>(QStringLiteral("videoTableWidget"));
    }
    VideoSplitManager *manager() const
    {
        return dynamic_cast<VideoSplitManager *>(m_window->splitManager());
    }
    int shownInput(int output) const
    {
        QTableWidgetItem *item = videoTable()->itemForOutput(output);
        return item ? item->data(TableWidget::InputRole).toInt() : -1;
    }
    /// Drags `data` onto `target` at `at`: the entry, then the drop.
    static void drop(QWidget *target, const QMimeData *data, const QPoint &at)
    {
        QDragEnterEvent enter(at, Qt::CopyAction | Qt::MoveAction, data, Qt::LeftButton,
                              Qt::NoModifier);
        QApplication::sendEvent(target, &enter);
        QDropEvent event(at, Qt::CopyAction | Qt::MoveAction, data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &event);
    }
    /// Saves the window under <build>/screenshots for a person to look at.
    void screenshot(const QString &name) const;

    std::unique_ptr<QTemporaryDir> m_dataDir;
    std::unique_ptr<SimProcess> m_sim;
    Widget *m_window = nullptr;
};

void TestSpliceE2E::cleanup()
{
    delete m_window;
    m_window = nullptr;
    MessageDistance::instance()->closeConnections();
    m_sim.reset();
}

bool TestSpliceE2E::startAgainst(const QString &model, bool bindReport)
{
    m_dataDir = std::make_unique<QTemporaryDir>();
    m_sim = std::make_unique<SimProcess>();
    if (!m_dataDir->isValid() || !m_sim->start(model))
        return false;
    prepareLoginFreeStart(m_dataDir->path(), m_sim->controlPort());
    AppSettings::instance()->setUserName(QStringLiteral("ADMIN"));
    AppSettings::instance()->setType(1);
    QSignalSpy bindReports(MessageDistance::instance(), &MessageDistance::receiveBindInfoSig);
    m_window = new Widget;
    auto *state = m_window->findChild<QLabel *>(QStringLiteral("connectState"));
    // The start-up bind report replaces all groups: let it land before the operator acts.
    return QTest::qWaitFor([&] {
        return state->text().endsWith(QLatin1String(" connected")) &&
               (!bindReport || bindReports.count() > 0);
    });
}

void TestSpliceE2E::screenshot(const QString &name) const
{
    const QString dir = qEnvironmentVariable("CORVANE_BUILD_DIR", QDir::currentPath()) +
                        QStringLiteral("/screenshots");
    QVERIFY(QDir().mkpath(dir) && m_window->grab().save(dir + QLatin1Char('/') + name));
}

void TestSpliceE2E::spliceTwoOutputsAndRouteToTheMaster()
{
    QVERIFY(startAgainst(QStringLiteral("0809")));
    QVERIFY(manager());
    TableWidget *table = videoTable();
    QTRY_VERIFY_WITH_TIMEOUT(shownInput(1) > 0, 5000);
    const int masterInput = shownInput(1);

    // The operator selects output 1, then 2, and chooses "Splice".
    table->clearSelection();
    table->itemForOutput(1)->setSelected(true);
    table->itemForOutput(2)->setSelected(true);
    int from = m_sim->commands().size();
    manager()->toggleSplice(2);
    QVERIFY(m_sim->waitForCommand(QStringLiteral("{param=Bind1/2}"), from));
    QCOMPARE(manager()->groups(), (Groups{{1, {1, 2}}}));
    // The table paints the group, and the new member shows the master's picture at once.
    QCOMPARE(table->spliceGroups(), (Groups{{1, {1, 2}}}));
    QCOMPARE(shownInput(2), masterInput);

    // Routing to the master routes the whole group on the screen.
    auto *list = m_window->findChild<ListWidget *>(QStringLiteral("listWidget"));
    std::unique_ptr<QMimeData> data(list->createDragData(list->entry(ListWidget::VideoKind, 3)));
    from = m_sim->commands().size();
    drop(table->viewport(), data.get(), table->visualItemRect(table->itemForOutput(1)).center());
    QVERIFY(m_sim->waitForCommand(QStringLiteral("{param=3VIDEO1}"), from));
    QCOMPARE(shownInput(1), 3);
    QCOMPARE(shownInput(2), 3);

    // The same selection again dissolves the group.
    from = m_sim->commands().size();
    manager()->toggleSplice(1);
    QVERIFY(m_sim->waitForCommand(QStringLiteral("{param=UnBind1}"), from));
    QVERIFY(manager()->groups().isEmpty());
    QVERIFY(table->spliceGroups().isEmpty());
}

void TestSpliceE2E::recallPlanRequeriesTheStatus()
{
    QVERIFY(startAgainst(QStringLiteral("0809")));
    // Plan 2 holds input 5 on output 4 and the group 7/8.
    QVERIFY(m_sim->sendAsOtherClient(QStringLiteral("{param=5VIDEO4}")));
    QVERIFY(m_sim->sendAsOtherClient(QStringLiteral("{param=Bind7/8}")));
    // Another client's bind reaches the window as a notice.
    QTRY_COMPARE_WITH_TIMEOUT(manager()->groups(), (Groups{{7, {7, 8}}}), 5000);
    QVERIFY(m_sim->sendAsOtherClient(QStringLiteral("{param=Save2}")));
    QVERIFY(m_sim->sendAsOtherClient(QStringLiteral("{param=UnBind7}")));
    QVERIFY(m_sim->sendAsOtherClient(QStringLiteral("{param=1VIDEO4}")));
    QTRY_COMPARE_WITH_TIMEOUT(shownInput(4), 1, 5000);
    QTRY_VERIFY_WITH_TIMEOUT(manager()->groups().isEmpty(), 5000);

    auto *plan2 = m_window->findChild<PlanPushButton *>(QStringLiteral("btn_plan2"));
    QVERIFY(plan2);
    QCOMPARE(plan2->caption(), QStringLiteral("[2]"));
    const int from = m_sim->commands().size();
    QMouseEvent dbl(QEvent::MouseButtonDblClick, QPointF(5, 5), Qt::LeftButton, Qt::LeftButton,
                    Qt::NoModifier);
    QApplication::sendEvent(plan2, &dbl);
    QVERIFY(m_sim->waitForCommand(QStringLiteral("{param=bindinfo}"), from));
    QCOMPARE(m_sim->commands().mid(from),
             (QStringList{QStringLiteral("{param=Recall2}"), QStringLiteral("{param=status}"),
                          QStringLiteral("{param=bindinfo}")}));
    // The re-queried status and bind reports bring the plan back on screen.
    QTRY_COMPARE_WITH_TIMEOUT(shownInput(4), 5, 5000);
    QTRY_COMPARE_WITH_TIMEOUT(manager()->groups(), (Groups{{7, {7, 8}}}), 5000);
}

void TestSpliceE2E::multiviewDropRoutesTheWindow()
{
    QVERIFY(startAgainst(QStringLiteral("0809-M")));
    auto *splitter = m_window->findChild<SingleSplitterWidget *>(QStringLiteral("wid_ss"));
    auto *layout3 = m_window->findChild<QAbstractButton *>(QStringLiteral("btn_splitter_3"));
    QVERIFY(splitter && layout3);

    int from = m_sim->commands().size();
    layout3->click();
    QVERIFY(m_sim->waitForCommand(QStringLiteral("{param=Splitter3}"), from));
    QCOMPARE(splitter->splitterMode(), 3);

    m_window->findChild<QTabWidget *>(QStringLiteral("tabWidget"))->setCurrentIndex(1);
    QTRY_VERIFY(splitter->isVisible() && splitter->width() > 100);
    const QPoint region3(int(0.8 * splitter->width()), int(0.3 * splitter->height()));
    QMimeData mime;
    mime.setText(QStringLiteral("103"));
    from = m_sim->commands().size();
    drop(splitter, &mime, region3);
    QVERIFY(m_sim->waitForCommand(QStringLiteral("{param=3VIDEO903}"), from));
    QCOMPARE(DeviceState::instance()->multiviewWindowAt(3), 3);
    screenshot(QStringLiteral("multiview-page.png"));

    // A double click empties the window again.
    from = m_sim->commands().size();
    QTest::mouseDClick(splitter, Qt::LeftButton, {}, region3);
    QVERIFY(m_sim->waitForCommand(QStringLiteral("{param=0VIDEO903}"), from));
    QVERIFY(splitter->label(3).isEmpty());
}

void TestSpliceE2E::spliceModePresetFormsItsGroup()
{
    QVERIFY(startAgainst(QStringLiteral("0808-S"), false));
    QVERIFY(m_sim->waitForCommand(QStringLiteral("{param=outputinfo}")));
    QTRY_VERIFY_WITH_TIMEOUT(shownInput(1) > 0, 5000);
    auto *preset = m_window->findChild<PlanPushButton *>(QStringLiteral("btn_spliceMode3"));
    QVERIFY(preset);
    // The button shows the outputs its preset joins.
    QVERIFY(preset->previewMode());
    QVERIFY(preset->screenColor(6).isValid());
    QVERIFY(!preset->screenColor(3).isValid());

    const int masterInput = shownInput(1);
    const int from = m_sim->commands().size();
    QTest::mouseClick(preset, Qt::LeftButton);
    QVERIFY(m_sim->waitForCommand(QStringLiteral("{param=mode3}"), from));
    QVERIFY(preset->isChecked());
    QCOMPARE(manager()->groups(), (Groups{{1, {1, 2, 5, 6}}}));
    // The preset is one command: no binds of its own, and the group shows the master's input.
    QVERIFY(m_sim->commands().mid(from).filter(QStringLiteral("Bind")).isEmpty());
    for (int o : {2, 5, 6})
        QCOMPARE(shownInput(o), masterInput);
    screenshot(QStringLiteral("splice-mode-bar.png"));

    // Another client's preset reaches the bar as a notice.
    QVERIFY(m_sim->sendAsOtherClient(QStringLiteral("{param=mode1}")));
    QTRY_COMPARE_WITH_TIMEOUT(manager()->groups(), (Groups{{1, {1, 2}}}), 5000);
    auto *preset1 = m_window->findChild<PlanPushButton *>(QStringLiteral("btn_spliceMode1"));
    QVERIFY(preset1->isChecked());
}

QTEST_MAIN(TestSpliceE2E)
#include "tst_splice_e2e.moc"
