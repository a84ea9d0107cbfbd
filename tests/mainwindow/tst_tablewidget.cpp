#include "../common/datadirfixture.h"
#include "../common/look.h"
#include "../common/windowstart.h"
#include "mainwindow/tableitemwidget.h"
#include "mainwindow/tablewidget.h"
#include "state/sigmanager.h"
#include "uikit/labelclickedintableitem.h"
#include "users/permissionfunction.h"

#include <QApplication>
#include <QLabel>
#include <QMimeData>
#include <QtTest>

using IntList = QList<int>;

// A drop on a table of `type`; `emitted` and `label` are empty when it is refused.
struct Drop
{
    int type;
    const char *text;
    int output, emitted;
    const char *label;
    int kind = -1, port = 0, function = -1;
    const char *cell = ""; // output 5 disabled, or output 4 grouped with it
    bool permitted = true;
};
Q_DECLARE_METATYPE(Drop)

namespace {
constexpr int ordinaryUser = 1;
constexpr int administrator = 0;
constexpr int operatorId = 7;

// A drag as the signal list makes it; `typed` marks a video input.
QMimeData *dragOf(const QString &text, bool typed = false)
{
    auto *mime = new QMimeData;
    mime->setText(text);
    if (typed)
        mime->setData(QStringLiteral("application/type"), QByteArrayLiteral("1"));
    return mime;
}

// To the innermost widget under the point, as the window system does.
bool dropAt(TableWidget &table, const QPoint &viewportPos, QMimeData *mime)
{
    QScopedPointer<QMimeData> owned(mime);
    QWidget *target = table.viewport()->childAt(viewportPos);
    if (!target)
        target = table.viewport();
    const QPoint pos = target->mapFrom(table.viewport(), viewportPos);
    const Qt::DropActions offered = Qt::CopyAction | Qt::MoveAction;
    QDragEnterEvent enter(pos, offered, mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    if (!enter.isAccepted())
        return false;
    QDragMoveEvent move(pos, offered, mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &move);
    QDropEvent drop(pos, offered, mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
    return drop.isAccepted();
}

bool dropOnOutput(TableWidget &table, int output, QMimeData *mime)
{
    return dropAt(table, table.visualItemRect(table.itemForOutput(output)).center(), mime);
}

// On the cell's own label, as the operator would: the click has to reach the table through it.
void doubleClickOutput(TableWidget &table, int output)
{
    auto *label = table.cellForOutput(output)->findChild<QLabel *>(QStringLiteral("InputName"));
    QTest::mouseDClick(label, Qt::LeftButton, Qt::NoModifier, label->rect().center());
}
} // namespace

class TestTableWidget : public QObject
{
    Q_OBJECT

private:
    DataDirFixture m_fx;
    QScopedPointer<QWidget> m_window; // declared before the table, so the table goes first
    QScopedPointer<TableWidget> m_table;
    QScopedPointer<PermissionStore> m_store;

    TableWidget &makeTable(int type, int columns, int rows, int portBase = 0)
    {
        m_table.reset();
        m_window.reset(new QWidget);
        m_table.reset(new TableWidget(m_window.data()));
        m_table->setTableType(type);
        m_table->setStripVideoOffset(type == TableWidget::VideoTable ||
                                     type == TableWidget::InfraredTable);
        m_table->setPortBase(portBase);
        m_table->resize(700, 300);
        m_window->resize(720, 320);
        m_window->show();
        m_table->setTableLayout(columns, rows);
        return *m_table;
    }

    // Every right of the operator but `port` of list `kind` and `function` (-1: none).
    void restrict(int kind, int port, int function = -1)
    {
        const auto ports = [&](int k, int count) {
            return allBut(count, {k == kind ? port - 1 : -1});
        };
        m_store.reset(new PermissionStore);
        QVERIFY(m_store->savePermissions(operatorId, ports(InputPortKind, 8),
                                         ports(OutputPortKind, 9), ports(AudioInputPortKind, 8),
                                         ports(AnalogOutputPortKind, 9),
                                         allBut(PermissionList::FunctionCount, {function})));
        QVERIFY(m_store->loadPermissions(operatorId));
    }

private slots:
    void init()
    {
        m_fx.setUp();
        AppSettings *settings = AppSettings::instance();
        settings->setInputNames({});
        settings->setAudioNames({});
        settings->setOutputNames({});
        settings->setCurrentUserType(ordinaryUser);
        DeviceState::instance()->setDeviceType(Dev0809);
        DeviceState::instance()->setOutputLink({});
    }

    void cleanup() { m_table.reset(); } // before the window

    // Which output each cell holds, row by row, as the look keeps it (101 is named as output 1).
    void layoutNumbering_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<bool>("hdmiAudio");
        QTest::addColumn<int>("bindMode");
        QTest::newRow("3x3") << int(Dev0809) << false << 0;
        QTest::newRow("5x2, top right empty") << int(Dev0809M) << false << 1;
        QTest::newRow("4x2 on 0808S") << int(Dev0808S) << false << 1;
        QTest::newRow("3x3 on 0808 has no 9") << int(Dev0808) << false << 0;
        QTest::newRow("2x2") << int(Dev0404) << false << 2;
        QTest::newRow("HDMI audio on 0808") << int(Dev0808) << true << 0;
        QTest::newRow("HDMI audio on 0404") << int(Dev0404) << true << 0;
    }

    void layoutNumbering()
    {
        QFETCH(int, type);
        QFETCH(bool, hdmiAudio);
        QFETCH(int, bindMode);
        DeviceState::instance()->setDeviceType(DeviceType(type));
        TableWidget &table =
            makeTable(hdmiAudio ? TableWidget::HdmiAudioTable : TableWidget::VideoTable, 1, 1,
                      hdmiAudio ? 100 : 0);
        const QSize layout = TableWidget::audioLayout(DeviceType(type));
        if (hdmiAudio)
            table.setTableLayout(layout.width(), layout.height());
        else
            table.setLayoutForBindMode(bindMode);
        QVERIFY_LOOK(QStringLiteral("table-%1.txt").arg(QTest::currentDataTag()), &table);
    }

    // Cells start on input 1; output 0 is the 5 x 2 layout's empty cell; admins have every right.
    void drops_data()
    {
        QTest::addColumn<Drop>("c");
        const int video = TableWidget::VideoTable, analog = TableWidget::AnalogAudioTable,
                  hdmi = TableWidget::HdmiAudioTable, ir = TableWidget::InfraredTable;
        const int in = InputPortKind, out = OutputPortKind, aud = AudioInputPortKind,
                  ana = AnalogOutputPortKind;
        const char *const in3 = "[3] Input 3", *const audio2 = "[2] Audio 2";
        // clang-format off
        QTest::newRow("video table strips the offset") << Drop{video,  "103", 5,   3,   in3};
        QTest::newRow("analog audio keeps it")         << Drop{analog, "103", 5,   103, in3};
        QTest::newRow("audio input")                   << Drop{analog, "2",   5,   2,   audio2};
        QTest::newRow("HDMI audio")                    << Drop{hdmi,   "103", 105, 103, in3};
        QTest::newRow("infrared")                      << Drop{ir,     "108", 7,   8,   "[8] Input 8"};
        QTest::newRow("outside any cell")              << Drop{video,  "103", 0,   0,   ""};
        QTest::newRow("disabled cell")                 << Drop{video,  "103", 5,   0,   "", -1, 0, -1, "disabled"};
        QTest::newRow("foreign text")                  << Drop{video,  "hello", 5, 0,   ""};
        QTest::newRow("zero would clear")              << Drop{video,  "0",   5,   0,   ""};
        QTest::newRow("video: output denied")          << Drop{video,  "103", 5,   3,   in3, out, 5, -1, "", false};
        QTest::newRow("video: other output")           << Drop{video,  "103", 4,   3,   in3, out, 5, -1, "", true};
        QTest::newRow("video: grouped with denied")    << Drop{video,  "103", 4,   3,   in3, out, 5, -1, "grouped", false};
        QTest::newRow("video: input denied")           << Drop{video,  "103", 4,   3,   in3, in,  3, -1, "", false};
        QTest::newRow("video: switching denied")       << Drop{video,  "103", 4,   3,   in3, -1,  0, 22, "", false};
        QTest::newRow("analog: output denied")         << Drop{analog, "2",   5,   2,   audio2, ana, 5, -1, "", false};
        QTest::newRow("analog: video output right")    << Drop{analog, "2",   5,   2,   audio2, out, 5, -1, "", true};
        QTest::newRow("analog: audio input denied")    << Drop{analog, "2",   5,   2,   audio2, aud, 2, -1, "", false};
        QTest::newRow("analog: switching denied")      << Drop{analog, "102", 5,   102, "[2] Input 2", -1, 0, 23, "", false};
        QTest::newRow("hdmi: output less offset")      << Drop{hdmi,   "103", 105, 103, in3, out, 5, -1, "", false};
        QTest::newRow("hdmi: switching denied")        << Drop{hdmi,   "103", 104, 103, in3, -1,  0, 24, "", false};
        QTest::newRow("infrared: switching denied")    << Drop{ir,     "103", 4,   3,   in3, -1,  0, 25, "", false};
        QTest::newRow("infrared: output denied")       << Drop{ir,     "103", 5,   3,   in3, out, 5, -1, "", false};
        // clang-format on
    }

    void drops()
    {
        QFETCH(Drop, c);
        const int output = c.output;
        const QString label = QString::fromUtf8(c.label), cell = QString::fromUtf8(c.cell);
        restrict(c.kind, c.port, c.function);
        for (int userType : {ordinaryUser, administrator}) {
            AppSettings::instance()->setCurrentUserType(userType);
            const bool allowed = c.permitted || userType == administrator;
            TableWidget &table = makeTable(c.type, 5, 2, output > 100 ? 100 : 0);
            if (c.kind >= 0 || c.function >= 0)
                table.setPermissions(m_store.data());
            for (int o : table.outputs())
                table.setCellInput(o, 1);
            table.setOutputEnabled(5, cell != "disabled");
            if (cell == "grouped")
                table.setSpliceGroups({{4, {4, 5}}});
            QSignalSpy drops(&table, &TableWidget::dropPortToItemSig);
            QSignalSpy warnings(&table, &TableWidget::si_showPermissionWarningDialog);
            const QTableWidgetItem *target = table.itemForOutput(output);
            const QRect at = target ? table.visualItemRect(target)
                                    : table.visualRect(table.model()->index(0, 4));
            // A drop refused for a right is still taken, so that the warning is the only answer.
            QCOMPARE(dropAt(table, at.center(), dragOf(c.text, !output)),
                     !label.isEmpty() || !output);
            const bool routed = !label.isEmpty() && allowed;
            QCOMPARE(drops,
                     routed ? QList<QVariantList>({{c.emitted, output}}) : QList<QVariantList>());
            QCOMPARE(warnings.count(), allowed ? 0 : 1);
            // The cell shows the input at once; the others keep theirs.
            QVERIFY_LOOK(
                QStringLiteral("drop-%1-%2.txt").arg(QTest::currentDataTag()).arg(userType),
                &table);
        }
    }

    // Output 2 is denied, and pausing everywhere. What cannot be routed cannot be cleared.
    void buttonRightsAndClearing()
    {
        restrict(OutputPortKind, 2, PausePlayOutputFunction);
        TableWidget &video = makeTable(TableWidget::VideoTable, 3, 3);
        video.setPermissions(m_store.data());
        video.applyButtonRights();

        for (int output : {1, 2, 3})
            video.setCellInput(output, 103);
        QSignalSpy drops(&video, &TableWidget::dropPortToItemSig);
        QSignalSpy warnings(&video, &TableWidget::si_showPermissionWarningDialog);
        doubleClickOutput(video, 1);
        QCOMPARE(drops, QList<QVariantList>({{0, 1}}));
        doubleClickOutput(video, 2);
        QCOMPARE(warnings.count(), 1);
        video.setOutputEnabled(3, false);
        doubleClickOutput(video, 3);
        QCOMPARE(warnings.count() + drops.count(), 2);
        // Buttons off where the right is missing; 1 cleared, 2 and 3 kept.
        QVERIFY_LOOK("table-rights.txt", &video);
    }

    // Routes and renames reach the labels, also of a hidden table's cells made when shown.
    void labelsFollowRoutesAndRenames()
    {
        TableWidget &video = makeTable(TableWidget::VideoTable, 3, 3);
        QVERIFY(dropOnOutput(video, 1, dragOf("103", true)));
        video.refreshFromRoute({{2, 3}, {3, 4}, {4, 0}, {42, 5}});
        QWidget page;
        auto *audio = new TableWidget(&page);
        audio->setTableType(TableWidget::AnalogAudioTable);
        audio->setStripVideoOffset(false);
        audio->setCellsWhenShown(true);
        QSignalSpy layoutChanged(audio, &TableWidget::layoutChangedSig);
        audio->setTableLayout(3, 3);
        const auto builtCells = [audio] {
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); // earlier cells
            return audio->viewport()->findChildren<TableItemWidget *>().size();
        };
        QVERIFY(audio->cellsPending());
        QCOMPARE(layoutChanged.count(), 1); // the owner still fills the routes at once
        QCOMPARE(audio->outputs(), IntList({1, 2, 3, 4, 5, 6, 7, 8, 9}));
        audio->refreshFromRoute({{1, 3}, {2, 103}});
        AppSettings::instance()->setOutputName(4, QStringLiteral("Stage"));
        audio->refreshOutputNames();
        SigManager *hub = SigManager::instance();
        AppSettings::instance()->setInputName(3, QStringLiteral("Camera"));
        emit hub->Sig_RenameInputSignals(3);
        emit hub->Sig_RenameInputHDMIAudioSignals(3);
        QCOMPARE(builtCells(), 0);
        page.show();
        QVERIFY(!audio->cellsPending());
        QCOMPARE(builtCells(), 9);
        // Inputs by their names, an input 0 empty, the renamed output.
        QVERIFY_LOOK("table-labels.txt", &video);
        QVERIFY_LOOK("table-labels-audio.txt", &page);
    }

    // A name too wide ends in "…"; its tooltip keeps it whole.
    void longNamesAreCutAtTheirEnd()
    {
        const QString input = QStringLiteral("Room PC With Video Conference Camera And Microphone");
        AppSettings::instance()->setInputName(3, input);
        TableWidget &video = makeTable(TableWidget::VideoTable, 3, 3);
        video.setCellInput(5, 103);
        QVERIFY_LOOK("table-long-name.txt", video.cellForOutput(5));
    }

    // The look follows selection, group and state; a disabled cell shows no group colour, and
    // no earlier look stays behind.
    void cellLooks()
    {
        TableWidget &video = makeTable(TableWidget::VideoTable, 3, 3);
        video.setInputColors({QStringLiteral("#f4ebd9")});
        video.setSpliceGroups({{4, {4, 5}}});
        video.itemForOutput(5)->setSelected(true);
        const TableItemWidget *cell = video.cellForOutput(5);
        const auto look = [cell] {
            return cell->property("cellLook").toString() + ' ' + cell->look().inputBackground;
        };
        QCOMPARE(look(), QStringLiteral("custom #f4ebd9"));
        QVERIFY_LOOK("table-cell-looks.txt", &video);
        video.setOutputEnabled(5, false);
        QVERIFY(look().startsWith("disabled ") && !look().endsWith("#f4ebd9") &&
                !cell->isEnabled());
        video.setOutputEnabled(5, true);
        video.setSpliceGroups({});
        QVERIFY(look().startsWith("selected ") && cell->look().borderWidth == 2);
    }
};

QTEST_MAIN(TestTableWidget)
#include "tst_tablewidget.moc"
