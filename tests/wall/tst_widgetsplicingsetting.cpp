// The wall's splicing setting and window property dialog, driven by keys and mouse, against a
// loopback device that records every command.
#include "../dialogs/modalwatcher.h"
#include "../protocol/loopbackpeer.h"

#include "protocol/messagedistance.h"
#include "state/devicestate.h"
#include "wall/dialogwindowproperty.h"
#include "wall/tableitemsplicingrealscreen.h"
#include "wall/widgetsplicingsetting.h"

#include <QComboBox>
#include <QContextMenuEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTableWidget>
#include <QToolButton>
#include <QtTest>

#include <memory>

using Rotations = QMap<int, int>;

namespace {
const QString Fence = QStringLiteral("{param=fence}");

/// The operator picks entry index with the keyboard: the box first shows a neighbour (as if it
/// had been there), then one arrow key moves onto the entry, as a user choice does.
void choose(QComboBox *box, int index)
{
    {
        const QSignalBlocker blocker(box);
        box->setCurrentIndex(index > 0 ? index - 1 : 1);
    }
    QTest::keyClick(box, index > 0 ? Qt::Key_Down : Qt::Key_Up);
}

void mouse(QWidget *w, QEvent::Type type, const QPoint &local, Qt::MouseButtons held)
{
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, local, w->mapToGlobal(local), button, held, Qt::NoModifier);
    QApplication::sendEvent(w, &event);
}

/// A press at from, a move to to with the button held, a release there; from and to are in
/// w's coordinates at the press.
void drag(QWidget *w, const QPoint &from, const QPoint &to)
{
    const QPoint global = w->mapToGlobal(to);
    mouse(w, QEvent::MouseButtonPress, from, Qt::LeftButton);
    mouse(w, QEvent::MouseMove, w->mapFromGlobal(global), Qt::LeftButton);
    mouse(w, QEvent::MouseButtonRelease, w->mapFromGlobal(global), Qt::NoButton);
}

QStringList screenTexts(QTableWidget *table)
{
    QStringList out;
    for (int r = 0; r < table->rowCount(); ++r) {
        for (int c = 0; c < table->columnCount(); ++c)
            out << (table->item(r, c) ? table->item(r, c)->text() : QStringLiteral("-"));
    }
    return out;
}

QString screenText(int screen, const QString &resolution, const QString &rotation)
{
    return QStringLiteral("    %1\n    %2\n    %3").arg(screen).arg(resolution, rotation);
}
} // namespace

class TestWidgetSplicingSetting : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void showingFillsFromStoreAndSendsNothing_data();
    void showingFillsFromStoreAndSendsNothing();
    void layoutChoice_data();
    void layoutChoice();
    void resolutionChoiceRelabelsEveryScreen();
    void rotationChoiceAndTableMenu_data();
    void rotationChoiceAndTableMenu();
    void selectionShowsRotationWithoutSending_data();
    void selectionShowsRotationWithoutSending();
    void changesRefusedWhileDisconnected();
    void noInputColour_data();
    void noInputColour();
    void noSignalReport_data();
    void noSignalReport();
    void modalLoopEndsOnCloseAndOnALaterCall();
    void edgesResizeAndTheRestDrags();

    void propertyFields();
    void propertyApply_data();
    void propertyApply();
    void propertyWithoutWallSizeAppliesNothing();
    void propertyClosesWhenItsWindowGoes();

private:
    QStringList commands();
    void connectClient();
    QTableWidget *table() const
    {
        return m_setting->findChild<QTableWidget *>(QStringLiteral("tw_real_screen"));
    }
    QComboBox *box(const char *name) const
    {
        return m_setting->findChild<QComboBox *>(QLatin1String(name));
    }
    QPoint screenCentre(int screen) const
    {
        QTableWidget *t = table();
        const int columns = t->columnCount();
        return t->visualItemRect(t->item((screen - 1) / columns, (screen - 1) % columns)).center();
    }

    std::unique_ptr<LoopbackPeer> m_peer;
    std::unique_ptr<WidgetSplicingSetting> m_setting;
    int m_fences = 0;
};

void TestWidgetSplicingSetting::initTestCase()
{
    m_peer = std::make_unique<LoopbackPeer>();
    QVERIFY(m_peer->isListening());
    connectClient();
}

void TestWidgetSplicingSetting::connectClient()
{
    MessageDistance *client = MessageDistance::instance();
    if (client->isConnected())
        return;
    client->connectToDevice(QStringLiteral("127.0.0.1"), m_peer->port());
    QVERIFY(QTest::qWaitFor([client] { return client->isConnected(); }, 10000));
}

void TestWidgetSplicingSetting::init()
{
    connectClient();
    DeviceState *store = DeviceState::instance();
    store->setDeviceType(Dev0409S);
    store->setVirMode(0);
    store->setOutputResolution({});
    store->setRotateAngle({});
    m_setting = std::make_unique<WidgetSplicingSetting>();
    m_setting->resize(900, 560);
    commands();
}

void TestWidgetSplicingSetting::cleanup()
{
    m_setting.reset();
}

/// The commands that reached the device since the last call, once everything sent before has
/// arrived.
QStringList TestWidgetSplicingSetting::commands()
{
    MessageDistance::instance()->sendCommand(Fence);
    const int fences = ++m_fences;
    (void)QTest::qWaitFor(
        [this, fences] { return m_peer->received().count(Fence.toLatin1()) >= fences; }, 5000);
    QStringList out;
    const QString text = QString::fromLatin1(m_peer->received());
    QRegularExpressionMatchIterator it =
        QRegularExpression(QStringLiteral("\\{param=[^}]*\\}")).globalMatch(text);
    while (it.hasNext()) {
        const QString command = it.next().captured(0);
        if (command != Fence)
            out << command;
    }
    m_peer->clearReceived();
    m_fences = 0;
    return out;
}

void TestWidgetSplicingSetting::showingFillsFromStoreAndSendsNothing_data()
{
    QTest::addColumn<int>("vir");
    QTest::addColumn<QString>("resolution"); // output 1's; empty: never reported
    QTest::addColumn<Rotations>("rotations");
    QTest::addColumn<int>("resolutionIndex");
    QTest::addColumn<int>("rotateIndex");
    QTest::addColumn<QStringList>("screens"); // first and last screen

    QTest::newRow("nothing reported: 3x3 of 1920x1080, 0 degrees")
        << 0 << QString() << Rotations() << 11 << 0
        << QStringList{screenText(1, "1920x1080x60Hz", "0\u00b0"),
                       screenText(9, "1920x1080x60Hz", "0\u00b0")};
    QTest::newRow("4x2, output 1 at 90, screen 8 at 180")
        << 3 << "1280x720x60Hz" << Rotations{{1, 1}, {8, 2}} << 2 << 1
        << QStringList{screenText(1, "1280x720x60Hz", "90\u00b0"),
                       screenText(8, "1280x720x60Hz", "180\u00b0")};
    // A stored rotation above 3 shows as 0, in the table and in the box.
    QTest::newRow("rotation 5 counts as 0")
        << 1 << "800x600x60Hz" << Rotations{{1, 5}, {9, 5}} << 0 << 0
        << QStringList{screenText(1, "800x600x60Hz", "0\u00b0"),
                       screenText(9, "800x600x60Hz", "0\u00b0")};
    QTest::newRow("resolution the list does not offer")
        << 2 << "3840x2160x30Hz" << Rotations{{1, 3}} << -1 << 3
        << QStringList{screenText(1, "3840x2160x30Hz", "270\u00b0"),
                       screenText(8, "3840x2160x30Hz", "0\u00b0")};
}

void TestWidgetSplicingSetting::showingFillsFromStoreAndSendsNothing()
{
    QFETCH(int, vir);
    QFETCH(QString, resolution);
    QFETCH(Rotations, rotations);
    QFETCH(int, resolutionIndex);
    QFETCH(int, rotateIndex);
    QFETCH(QStringList, screens);

    DeviceState *store = DeviceState::instance();
    store->setVirMode(vir);
    if (!resolution.isEmpty())
        store->setOutputResolution({{1, resolution}});
    store->setRotateAngle(rotations);
    QSignalSpy recalculate(m_setting.get(), &WidgetSplicingSetting::si_orderToRecalculate);
    m_setting->show();

    QCOMPARE(box("cbb_layout")->currentIndex(), vir);
    QCOMPARE(box("cbb_resolu")->currentIndex(), resolutionIndex);
    QCOMPARE(box("cbb_rotate")->currentIndex(), rotateIndex);
    const QStringList texts = screenTexts(table());
    QCOMPARE(texts.size(), vir == 0 ? 9 : 8 + (vir == 1));
    QCOMPARE(QStringList({texts.first(), texts.last()}), screens);
    QVERIFY(!(table()->item(0, 0)->flags() & Qt::ItemIsEditable));
    QCOMPARE(commands(), QStringList());
    QCOMPARE(recalculate.count(), 0);
}

void TestWidgetSplicingSetting::layoutChoice_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("columns");
    QTest::newRow("3x3") << 0 << 3 << 3;
    QTest::newRow("1x9") << 1 << 1 << 9;
    QTest::newRow("2x4") << 2 << 2 << 4;
    QTest::newRow("4x2") << 3 << 4 << 2;
}

void TestWidgetSplicingSetting::layoutChoice()
{
    QFETCH(int, index);
    QFETCH(int, rows);
    QFETCH(int, columns);

    DeviceState::instance()->setVirMode(index == 3 ? 0 : 3);
    DeviceState::instance()->setOutputResolution({{1, QStringLiteral("1024x768x60Hz")}});
    m_setting->show();
    QStringList order;
    connect(m_setting.get(), &WidgetSplicingSetting::si_update3BtnLayout, this,
            [&order] { order << QStringLiteral("buttons"); });
    connect(m_setting.get(), &WidgetSplicingSetting::si_orderToRecalculate, this,
            [&order] { order << QStringLiteral("recalculate"); });

    choose(box("cbb_layout"), index);

    QCOMPARE(commands(), QStringList{QStringLiteral("{param=VIR%1}").arg(index)});
    QCOMPARE(DeviceState::instance()->virMode(), index);
    QCOMPARE(order, QStringList({"buttons", "recalculate"}));
    QCOMPARE(table()->rowCount(), rows);
    QCOMPARE(table()->columnCount(), columns);
    // Screens numbered row by row.
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c) {
            auto *screen = dynamic_cast<TableItemSplicingRealScreen *>(table()->item(r, c));
            QVERIFY(screen);
            QCOMPARE(screen->text(), screenText(r * columns + c + 1, "1024x768x60Hz", "0\u00b0"));
        }
    }
}

void TestWidgetSplicingSetting::resolutionChoiceRelabelsEveryScreen()
{
    DeviceState *store = DeviceState::instance();
    store->setVirMode(2);
    store->setOutputResolution(
        {{1, QStringLiteral("1920x1080x60Hz")}, {2, QStringLiteral("800x600x60Hz")}});
    m_setting->show();
    QSignalSpy recalculate(m_setting.get(), &WidgetSplicingSetting::si_orderToRecalculate);
    QSignalSpy buttons(m_setting.get(), &WidgetSplicingSetting::si_update3BtnLayout);

    choose(box("cbb_resolu"), 2);

    QCOMPARE(commands(), QStringList{"{param=Port1/1280x720x60Hz!}"});
    QCOMPARE(store->outputResolutionAt(1), QStringLiteral("1280x720x60Hz"));
    QCOMPARE(store->outputResolutionAt(2), QStringLiteral("800x600x60Hz"));
    const QStringList texts = screenTexts(table());
    QCOMPARE(texts.size(), 8);
    for (int i = 0; i < texts.size(); ++i)
        QCOMPARE(texts.at(i), screenText(i + 1, "1280x720x60Hz", "0\u00b0"));
    QCOMPARE(recalculate.count(), 1);
    QCOMPARE(buttons.count(), 0);
}

void TestWidgetSplicingSetting::rotationChoiceAndTableMenu_data()
{
    QTest::addColumn<bool>("fromMenu");
    QTest::addColumn<int>("rightClicked"); // screen under the right click
    QTest::addColumn<int>("index");
    QTest::newRow("box, 270") << false << 0 << 3;
    QTest::newRow("box, back to 0") << false << 0 << 0;
    QTest::newRow("menu on screen 1, 180") << true << 1 << 2;
    // Whichever screen is clicked, the wall turns with output 1.
    QTest::newRow("menu on screen 6, 90") << true << 6 << 1;
}

void TestWidgetSplicingSetting::rotationChoiceAndTableMenu()
{
    QFETCH(bool, fromMenu);
    QFETCH(int, rightClicked);
    QFETCH(int, index);

    DeviceState::instance()->setRotateAngle({{1, index == 0 ? 1 : 0}, {6, 3}});
    m_setting->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_setting.get()));
    QSignalSpy recalculate(m_setting.get(), &WidgetSplicingSetting::si_orderToRecalculate);
    QSignalSpy buttons(m_setting.get(), &WidgetSplicingSetting::si_update3BtnLayout);
    const int before = m_setting->rotateIndex();

    if (fromMenu) {
        QStringList entries;
        QString checked;
        QTimer picker;
        picker.setInterval(10);
        connect(&picker, &QTimer::timeout, this, [&] {
            auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
            if (!menu || !entries.isEmpty())
                return;
            const auto actions = menu->actions();
            for (QAction *a : actions) {
                entries << a->text();
                if (a->isChecked())
                    checked = a->text();
            }
            QTest::mouseClick(menu, Qt::LeftButton, {},
                              menu->actionGeometry(actions.at(index)).center());
        });
        picker.start();
        // A right click as the window system delivers it to the table.
        QWidget *viewport = table()->viewport();
        const QPoint at = screenCentre(rightClicked);
        QContextMenuEvent event(QContextMenuEvent::Mouse, at, viewport->mapToGlobal(at));
        QApplication::sendEvent(viewport, &event);
        QCOMPARE(entries, QStringList({"0\u00b0", "90\u00b0", "180\u00b0", "270\u00b0"}));
        QCOMPARE(checked, TableItemSplicingRealScreen::rotationText(before));
    } else {
        choose(box("cbb_rotate"), index);
    }

    QCOMPARE(commands(), QStringList{QStringLiteral("{param=Rotate1/%1}").arg(index)});
    QCOMPARE(DeviceState::instance()->rotateAngleAt(1), index);
    QCOMPARE(m_setting->rotateIndex(), index);
    QCOMPARE(box("cbb_rotate")->currentIndex(), index);
    QCOMPARE(table()->item(0, 0)->text(),
             screenText(1, "1920x1080x60Hz", TableItemSplicingRealScreen::rotationText(index)));
    QCOMPARE(table()->item(1, 2)->text(), screenText(6, "1920x1080x60Hz", "270\u00b0"));
    QCOMPARE(recalculate.count(), 1);
    QCOMPARE(buttons.count(), 1);
}

void TestWidgetSplicingSetting::selectionShowsRotationWithoutSending_data()
{
    QTest::addColumn<QList<int>>("clicked"); // the first plain, the others with Control
    QTest::addColumn<int>("shown");
    QTest::newRow("one screen at 180") << QList<int>{5} << 2;
    QTest::newRow("two screens at 90") << QList<int>{2, 4} << 1;
    QTest::newRow("rotations differ: no entry") << QList<int>{2, 5} << -1;
    QTest::newRow("stored 7 reads 0, like 0") << QList<int>{7, 9} << 0;
}

void TestWidgetSplicingSetting::selectionShowsRotationWithoutSending()
{
    QFETCH(QList<int>, clicked);
    QFETCH(int, shown);

    DeviceState::instance()->setRotateAngle({{1, 3}, {2, 1}, {4, 1}, {5, 2}, {7, 7}});
    m_setting->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_setting.get()));
    QSignalSpy recalculate(m_setting.get(), &WidgetSplicingSetting::si_orderToRecalculate);
    for (int i = 0; i < clicked.size(); ++i) {
        QTest::mouseClick(table()->viewport(), Qt::LeftButton,
                          i == 0 ? Qt::NoModifier : Qt::ControlModifier,
                          screenCentre(clicked.at(i)));
    }
    QCOMPARE(table()->selectedItems().size(), clicked.size());
    QCOMPARE(box("cbb_rotate")->currentIndex(), shown);
    QCOMPARE(m_setting->rotateIndex(), 3);
    QCOMPARE(DeviceState::instance()->rotateAngleAt(1), 3);
    QCOMPARE(commands(), QStringList());
    QCOMPARE(recalculate.count(), 0);
}

void TestWidgetSplicingSetting::changesRefusedWhileDisconnected()
{
    DeviceState *store = DeviceState::instance();
    store->setVirMode(1);
    store->setOutputResolution({{1, QStringLiteral("1024x768x60Hz")}});
    store->setRotateAngle({{1, 2}});
    m_setting->show();
    MessageDistance *client = MessageDistance::instance();
    client->closeConnections();
    QVERIFY(QTest::qWaitFor([client] { return !client->isConnected(); }, 5000));
    QSignalSpy notSent(client, &MessageDistance::si_commandNotSent);
    QSignalSpy recalculate(m_setting.get(), &WidgetSplicingSetting::si_orderToRecalculate);
    QSignalSpy buttons(m_setting.get(), &WidgetSplicingSetting::si_update3BtnLayout);

    choose(box("cbb_layout"), 2);
    choose(box("cbb_resolu"), 0);
    choose(box("cbb_rotate"), 3);

    // Each refusal is announced, and the form shows what the device still has.
    QCOMPARE(notSent.count(), 3);
    QCOMPARE(store->virMode(), 1);
    QCOMPARE(store->outputResolutionAt(1), QStringLiteral("1024x768x60Hz"));
    QCOMPARE(store->rotateAngleAt(1), 2);
    QCOMPARE(box("cbb_layout")->currentIndex(), 1);
    QCOMPARE(box("cbb_resolu")->currentIndex(), 1);
    QCOMPARE(box("cbb_rotate")->currentIndex(), 2);
    QCOMPARE(table()->columnCount(), 9);
    QCOMPARE(recalculate.count(), 0);
    QCOMPARE(buttons.count(), 0);

    connectClient();
    QCOMPARE(commands(), QStringList());
}

void TestWidgetSplicingSetting::noInputColour_data()
{
    QTest::addColumn<bool>("accept");
    QTest::addColumn<QStringList>("sent");
    QTest::addColumn<QColor>("shown");
    QTest::newRow("chosen") << true << QStringList{"{param=No_Signal1/0/10/200/30}"}
                            << QColor(10, 200, 30);
    QTest::newRow("cancelled") << false << QStringList() << QColor(Qt::black);
}

void TestWidgetSplicingSetting::noInputColour()
{
    QFETCH(bool, accept);
    QFETCH(QStringList, sent);
    QFETCH(QColor, shown);

    m_setting->show();
    QString title;
    ModalWatcher watcher([&](QDialog *d) {
        title = d->windowTitle();
        if (accept)
            ModalWatcher::chooseColour(QColor(10, 200, 30))(d);
        else
            d->reject();
    });
    auto *swatch = m_setting->findChild<QToolButton *>(QStringLiteral("toolButton_ColorPalette"));
    QTest::mouseClick(swatch, Qt::LeftButton);

    QCOMPARE(watcher.count(), 1);
    QCOMPARE(watcher.seen().first().className, QStringLiteral("QColorDialog"));
    QCOMPARE(title, QStringLiteral("Select Color"));
    QCOMPARE(commands(), sent);
    QCOMPARE(m_setting->noInputColor(), shown);
    QCOMPARE(swatch->styleSheet(), QStringLiteral("background-color: rgb(%1, %2, %3);border:none;")
                                       .arg(shown.red())
                                       .arg(shown.green())
                                       .arg(shown.blue()));
}

void TestWidgetSplicingSetting::noSignalReport_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QColor>("shown");
    const QColor before(40, 50, 60);
    QTest::newRow("output 1") << "{\"Chn\":1,\"Mode\":0,\"Color\":12,34,56}" << QColor(12, 34, 56);
    QTest::newRow("quoted values")
        << "{\"Chn\":\"1\",\"Mode\":\"0\",\"Color\":\"7,8,9\"}" << QColor(7, 8, 9);
    QTest::newRow("another output") << "{\"Chn\":3,\"Mode\":0,\"Color\":12,34,56}" << before;
    QTest::newRow("colour of two parts") << "{\"Chn\":1,\"Mode\":0,\"Color\":12,34}" << before;
    QTest::newRow("colour out of range") << "{\"Chn\":1,\"Mode\":0,\"Color\":12,34,256}" << before;
    QTest::newRow("no colour") << "{\"Chn\":1,\"Mode\":4}" << before;
    QTest::newRow("two reports, output 1's counts")
        << "{\"Chn\":1,\"Mode\":0,\"Color\":1,2,3}{\"Chn\":2,\"Mode\":0,\"Color\":9,9,9}"
        << QColor(1, 2, 3);
    QTest::newRow("cut short") << "{\"Chn\":1,\"Mode\":0,\"Col" << before;
}

void TestWidgetSplicingSetting::noSignalReport()
{
    QFETCH(QString, text);
    QFETCH(QColor, shown);

    m_setting->sl_noSignalReport(QStringLiteral("{\"Chn\":1,\"Mode\":0,\"Color\":40,50,60}"));
    m_setting->sl_noSignalReport(text);
    QCOMPARE(m_setting->noInputColor(), shown);
    auto *swatch = m_setting->findChild<QToolButton *>(QStringLiteral("toolButton_ColorPalette"));
    QCOMPARE(swatch->styleSheet(), QStringLiteral("background-color: rgb(%1, %2, %3);border:none;")
                                       .arg(shown.red())
                                       .arg(shown.green())
                                       .arg(shown.blue()));
    QCOMPARE(commands(), QStringList());
}

void TestWidgetSplicingSetting::modalLoopEndsOnCloseAndOnALaterCall()
{
    auto *close = m_setting->findChild<QPushButton *>(QStringLiteral("btn_close"));
    QStringList returned;
    QTimer::singleShot(0, this, [&] {
        QVERIFY(m_setting->isVisible());
        QCOMPARE(QApplication::activeModalWidget(), m_setting.get());
        // A second opening ends the first loop; the close then ends the second.
        QTimer::singleShot(0, this, [&] { QTest::mouseClick(close, Qt::LeftButton); });
        m_setting->showModalLoop();
        returned << QStringLiteral("second");
    });
    m_setting->showModalLoop();
    returned << QStringLiteral("first");
    QCOMPARE(returned, QStringList({"second", "first"}));
    QVERIFY(!m_setting->isVisible());

    // Opened again after the close: the store is read afresh.
    DeviceState::instance()->setVirMode(3);
    QTimer::singleShot(0, this, [&] { QTest::mouseClick(close, Qt::LeftButton); });
    m_setting->showModalLoop();
    QCOMPARE(table()->rowCount(), 4);

    // Opened from a window, it shows over that window, not at the screen's corner.
    QWidget owner;
    owner.setGeometry(300, 200, 1000, 700);
    owner.show();
    WidgetSplicingSetting placed(&owner);
    QTimer::singleShot(0, this, [&] { placed.close(); });
    placed.showModalLoop();
    QVERIFY((placed.geometry().center() - owner.geometry().center()).manhattanLength() <= 2);
}

void TestWidgetSplicingSetting::edgesResizeAndTheRestDrags()
{
    m_setting->setGeometry(100, 100, 900, 600);
    m_setting->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_setting.get()));
    WidgetSplicingSetting *w = m_setting.get();

    // The top-left corner zone moves both edges.
    drag(w, QPoint(3, 3), QPoint(-37, -17));
    QCOMPARE(w->geometry(), QRect(60, 80, 940, 620));
    // The bottom edge alone.
    drag(w, QPoint(400, w->height() - 2), QPoint(400, w->height() + 48));
    QCOMPARE(w->geometry(), QRect(60, 80, 940, 670));
    // Shrinking stops at the size the content needs.
    drag(w, QPoint(w->width() - 2, 300), QPoint(-2000, 300));
    QCOMPARE(w->width(), w->minimumSizeHint().width());
    QCOMPARE(w->x(), 60);

    // A press on the title moves the window without resizing it.
    auto *title = w->findChild<QLabel *>(QStringLiteral("lb_title"));
    const QSize size = w->size();
    const QPoint at = title->mapTo(w, title->rect().center());
    drag(w, at, at + QPoint(25, 40));
    QCOMPARE(w->pos(), QPoint(85, 120));
    QCOMPARE(w->size(), size);
}

// --- window property -------------------------------------------------------------------------

namespace {
const QMap<int, QString> Inputs{{1, QStringLiteral("Camera")},
                                {2, QStringLiteral("PC")},
                                {3, QStringLiteral("Input 3")},
                                {4, QStringLiteral("Input 4")}};

WallWindowProperties window2()
{
    WallWindowProperties w;
    w.id = 2;
    w.layer = 3;
    w.input = 2;
    // On a 5760 x 3240 wall: 1440.25 x 810.5 and so on, rounded halves up.
    w.relativeRect = QRectF(1440.25 / 5760, 810.5 / 3240, 2880.75 / 5760, 1619.4 / 3240);
    w.virtualSize = QSize(5760, 3240);
    return w;
}

template <typename T> T *part(QWidget *parent, const char *name)
{
    return parent->findChild<T *>(QLatin1String(name));
}
} // namespace

void TestWidgetSplicingSetting::propertyFields()
{
    DialogWindowProperty dialog(window2(), Inputs);
    QCOMPARE(part<QLineEdit>(&dialog, "le_id")->text(), QStringLiteral("2"));
    QCOMPARE(part<QLineEdit>(&dialog, "le_layer")->text(), QStringLiteral("3"));
    QVERIFY(part<QLineEdit>(&dialog, "le_id")->isReadOnly());
    auto *source = part<QComboBox>(&dialog, "cbb_source");
    QCOMPARE(source->count(), 4);
    QCOMPARE(source->currentText(), QStringLiteral("PC"));
    QCOMPARE(part<QSpinBox>(&dialog, "sb_x")->value(), 1440);
    QCOMPARE(part<QSpinBox>(&dialog, "sb_y")->value(), 811);
    QCOMPARE(part<QSpinBox>(&dialog, "sb_width")->value(), 2881);
    QCOMPARE(part<QSpinBox>(&dialog, "sb_height")->value(), 1619);
    QCOMPARE(part<QSpinBox>(&dialog, "sb_x")->maximum(), 99999);
    QCOMPARE(DialogWindowProperty::roundHalfUp(2.5), 3);
    QCOMPARE(DialogWindowProperty::roundHalfUp(-2.5), -2);
    QCOMPARE(DialogWindowProperty::roundHalfUp(-2.6), -3);
}

void TestWidgetSplicingSetting::propertyApply_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("inputIndex");     // -2: untouched
    QTest::addColumn<QString>("typedWidth"); // empty: untouched
    QTest::addColumn<QString>("expected");   // "resize", "open <input> <name>" or "none"
    QTest::addColumn<QRect>("virtualRect");  // of the request
    QTest::addColumn<int>("result");

    const QRect moved(1440, 811, 1000, 1619);
    const QRect same(1440, 811, 2881, 1619);
    QTest::newRow("size only, apply") << "btn_apply" << -2 << "1000"
                                      << "resize" << moved << -1;
    QTest::newRow("size only, confirm") << "btn_ok" << -2 << "1000"
                                        << "resize" << moved << int(QDialog::Accepted);
    QTest::newRow("input changed")
        << "btn_ok" << 0 << QString() << "open 1 Camera" << same << int(QDialog::Accepted);
    QTest::newRow("input and size changed") << "btn_apply" << 3 << "1000"
                                            << "open 4 Input 4" << moved << -1;
    QTest::newRow("no entry keeps the window's input") << "btn_apply" << -1 << "1000"
                                                       << "resize" << moved << -1;
    // A window of no width could never be seen or grabbed again.
    QTest::newRow("width typed as 0 is refused") << "btn_apply" << -2 << "0"
                                                 << "resize" << same << -1;
    QTest::newRow("cancel") << "btn_cancel" << 0 << "1000"
                            << "none" << QRect() << int(QDialog::Rejected);
    QTest::newRow("close") << "btn_close" << 0 << "1000"
                           << "none" << QRect() << int(QDialog::Rejected);
}

void TestWidgetSplicingSetting::propertyApply()
{
    QFETCH(QString, button);
    QFETCH(int, inputIndex);
    QFETCH(QString, typedWidth);
    QFETCH(QString, expected);
    QFETCH(QRect, virtualRect);
    QFETCH(int, result);

    DialogWindowProperty dialog(window2(), Inputs);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QStringList requests;
    QRectF requested;
    connect(&dialog, &DialogWindowProperty::si_resizeWindow, this, [&](int id, const QRectF &r) {
        requests << QStringLiteral("resize %1").arg(id);
        requested = r;
    });
    connect(&dialog, &DialogWindowProperty::si_reopenWindow, this,
            [&](int id, int input, const QString &name, const QRectF &r) {
                requests << QStringLiteral("open %1 %2 %3").arg(id).arg(input).arg(name);
                requested = r;
            });
    if (inputIndex != -2)
        part<QComboBox>(&dialog, "cbb_source")->setCurrentIndex(inputIndex);
    if (!typedWidth.isEmpty()) {
        auto *width = part<QSpinBox>(&dialog, "sb_width");
        width->selectAll();
        QTest::keyClicks(width, typedWidth);
        QTest::keyClick(width, Qt::Key_Tab);
    }
    QTest::mouseClick(part<QPushButton>(&dialog, qPrintable(button)), Qt::LeftButton);

    if (expected == QLatin1String("none")) {
        QCOMPARE(requests, QStringList());
    } else {
        const QString want = expected == QLatin1String("resize")
                                 ? QStringLiteral("resize 2")
                                 : QStringLiteral("open 2 ") + expected.mid(5);
        QCOMPARE(requests, QStringList{want});
        // The request carries fractions of the wall; the canvas scales them to its size.
        QCOMPARE(DialogWindowProperty::roundHalfUp(requested.x() * 5760), virtualRect.x());
        QCOMPARE(DialogWindowProperty::roundHalfUp(requested.y() * 3240), virtualRect.y());
        QCOMPARE(DialogWindowProperty::roundHalfUp(requested.width() * 5760), virtualRect.width());
        QCOMPARE(DialogWindowProperty::roundHalfUp(requested.height() * 3240),
                 virtualRect.height());
    }
    if (result < 0) {
        QVERIFY(dialog.isVisible());
        // Applying again without a change only resizes: the window has its new input now.
        requests.clear();
        QTest::mouseClick(part<QPushButton>(&dialog, "btn_apply"), Qt::LeftButton);
        QCOMPARE(requests, QStringList{"resize 2"});
    } else {
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.result(), result);
    }
    QCOMPARE(commands(), QStringList());
}

void TestWidgetSplicingSetting::propertyWithoutWallSizeAppliesNothing()
{
    WallWindowProperties w = window2();
    w.virtualSize = QSize(0, 0);
    DialogWindowProperty dialog(w, Inputs);
    QSignalSpy resize(&dialog, &DialogWindowProperty::si_resizeWindow);
    QVERIFY(!part<QPushButton>(&dialog, "btn_apply")->isEnabled());
    QVERIFY(!part<QPushButton>(&dialog, "btn_ok")->isEnabled());
    QTest::mouseClick(part<QPushButton>(&dialog, "btn_apply"), Qt::LeftButton);
    QCOMPARE(resize.count(), 0);

    // Once the wall has a size again the dialog works.
    dialog.setWindow(window2());
    QTest::mouseClick(part<QPushButton>(&dialog, "btn_apply"), Qt::LeftButton);
    QCOMPARE(resize.count(), 1);
}

void TestWidgetSplicingSetting::propertyClosesWhenItsWindowGoes()
{
    DialogWindowProperty dialog(window2(), Inputs);
    dialog.show();
    dialog.sl_windowRemoved(1);
    QVERIFY(dialog.isVisible());
    dialog.sl_windowRemoved(2);
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
}

QTEST_MAIN(TestWidgetSplicingSetting)
#include "tst_widgetsplicingsetting.moc"
