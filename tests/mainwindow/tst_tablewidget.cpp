#include "contrast.h"

#include "app/appsettings.h"
#include "mainwindow/tableitemwidget.h"
#include "mainwindow/tablewidget.h"
#include "state/devicestate.h"
#include "state/sigmanager.h"
#include "storage/projectdatabase.h"
#include "uikit/labelclickedintableitem.h"
#include "uikit/svglabel.h"
#include "users/permissionfunction.h"
#include "users/permissionlist.h"
#include "users/permissionstore.h"

#include <QApplication>
#include <QLabel>
#include <QMimeData>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

using IntList = QList<int>;

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

// As the window system delivers a drag: to the innermost widget under the point, which hands it
// up (a cell widget swallowing drops would show). `framed`: the target frame showed on the way.
bool dropAt(TableWidget &table, const QPoint &viewportPos, QMimeData *mime, bool *framed = nullptr)
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
    const auto *frame = table.viewport()->findChild<QWidget *>(QStringLiteral("selectionFrame"));
    if (framed)
        *framed = frame && frame->isVisible();
    QDropEvent drop(pos, offered, mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
    return drop.isAccepted();
}

bool dropOnOutput(TableWidget &table, int output, QMimeData *mime)
{
    return dropAt(table, table.visualItemRect(table.itemForOutput(output)).center(), mime);
}

QString labelOf(const TableWidget &table, int output)
{
    return table.cellForOutput(output)->inputText();
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
    QScopedPointer<QTemporaryDir> m_dir;
    QScopedPointer<QWidget> m_window; // declared before the table, so the table goes first
    QScopedPointer<TableWidget> m_table;
    QScopedPointer<PermissionStore> m_store;

    // With a window, the table sits in one carrying the cells' shared rules, as in the program.
    TableWidget &makeTable(int type, int columns, int rows, int portBase = 0, bool window = false)
    {
        m_table.reset();
        m_window.reset();
        if (window) {
            m_window.reset(new QWidget);
            m_window->setStyleSheet(TableItemWidget::sharedStyleSheet());
        }
        m_table.reset(new TableWidget);
        m_table->setTableType(type);
        m_table->setStripVideoOffset(type == TableWidget::VideoTable ||
                                     type == TableWidget::InfraredTable);
        m_table->setPortBase(portBase);
        m_table->resize(700, 300);
        if (window) {
            m_table->setParent(m_window.data());
            m_window->resize(720, 320);
            m_window->show();
        }
        m_table->show();
        m_table->setTableLayout(columns, rows);
        return *m_table;
    }

    // Every right of the operator but `port` of list `kind` and `function` (-1: none).
    void restrict(int kind, int port, int function = -1)
    {
        const auto list = [](int count, int denied) {
            QList<bool> entries;
            for (int i = 0; i < count; ++i)
                entries.append(i != denied);
            return PermissionList::join(entries);
        };
        const auto ports = [&](int k, int count) { return list(count, k == kind ? port - 1 : -1); };
        m_store.reset(new PermissionStore);
        QVERIFY(m_store->savePermissions(operatorId, ports(InputPortKind, 8),
                                         ports(OutputPortKind, 9), ports(AudioInputPortKind, 8),
                                         ports(AnalogOutputPortKind, 9),
                                         list(PermissionList::FunctionCount, function)));
        QVERIFY(m_store->loadPermissions(operatorId));
    }

private slots:
    void init()
    {
        m_dir.reset(new QTemporaryDir);
        AppSettings::setDataDirectory(m_dir->path());
        ProjectDatabase::resetDatabasePath();
        AppSettings *settings = AppSettings::instance();
        settings->setInputNames({});
        settings->setAudioNames({});
        settings->setOutputNames({});
        settings->setCurrentUserType(ordinaryUser);
        DeviceState *state = DeviceState::instance();
        state->setDeviceType(Dev0809);
        state->setSplitterMode(0);
        state->setFrozen({});
        state->setOutputLock({});
        state->setOutputLink({});
        state->setVideoMute({});
    }

    void cleanup()
    {
        m_table.reset();
        m_window.reset();
        m_store.reset();
    }

    void layoutNumbering_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<bool>("hdmiAudio");
        QTest::addColumn<int>("bindMode");
        QTest::addColumn<IntList>("grid"); // row by row, 0 for a cell without an output
        // clang-format off
        QTest::newRow("3x3")                   << int(Dev0809)  << false << 0 << IntList{1, 2, 3, 4, 5, 6, 7, 8, 9};
        QTest::newRow("5x2, top right empty")  << int(Dev0809M) << false << 1 << IntList{1, 2, 3, 4, 0, 5, 6, 7, 8, 9};
        QTest::newRow("4x2 on 0808S")          << int(Dev0808S) << false << 1 << IntList{1, 2, 3, 4, 5, 6, 7, 8};
        QTest::newRow("3x3 on 0808 has no 9")  << int(Dev0808)  << false << 0 << IntList{1, 2, 3, 4, 5, 6, 7, 8, 0};
        QTest::newRow("2x2")                   << int(Dev0404)  << false << 2 << IntList{1, 2, 3, 4};
        QTest::newRow("HDMI audio 3x3")        << int(Dev0809)  << true  << 0 << IntList{101, 102, 103, 104, 105, 106, 107, 108, 109};
        QTest::newRow("HDMI audio on 0808")    << int(Dev0808)  << true  << 0 << IntList{101, 102, 103, 104, 105, 106, 107, 108};
        QTest::newRow("HDMI audio on 0404")    << int(Dev0404)  << true  << 0 << IntList{101, 102, 103, 104};
        QTest::newRow("HDMI audio, wall model") << int(Dev0409S) << true << 0 << IntList{101};
        // clang-format on
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
        IntList shown;
        for (int r = 0; r < table.rowCount(); ++r) {
            for (int c = 0; c < table.columnCount(); ++c) {
                const QTableWidgetItem *item = table.item(r, c);
                shown.append(item ? item->data(TableWidget::OutputRole).toInt() : 0);
                QCOMPARE(table.cellWidget(r, c) != nullptr, item != nullptr);
                // One name per output number across the tables: 101 is named as output 1.
                if (item)
                    QCOMPARE(table.cellForItem(item)->outputName(),
                             QStringLiteral("Output %1").arg(shown.last() % 100));
            }
        }
        QTEST(shown, "grid");
    }

    void layoutReadsTheStoreAndAnnouncesItself()
    {
        DeviceState *state = DeviceState::instance();
        state->setDeviceType(Dev0809M);
        state->setSplitterMode(3);
        state->setFrozenAt(2, true);
        state->setVideoMuteAt(3, true);
        state->setOutputLockAt(5, false);
        for (int type : {TableWidget::VideoTable, TableWidget::AnalogAudioTable}) {
            const bool video = type == TableWidget::VideoTable;
            TableWidget &table = makeTable(type, 1, 1);
            QSignalSpy changed(&table, &TableWidget::layoutChangedSig);
            QSignalSpy rights(&table, &TableWidget::si_requsetCheckPermissionLabelClicked);
            table.setTableLayout(3, 3);
            // Only the video table shows buttons and asks for their rights.
            QCOMPARE(changed.count() + rights.count(), video ? 2 : 1);
            QCOMPARE(table.cellForOutput(1)->playLabel()->isVisible(), video);
            QCOMPARE(table.cellForOutput(2)->playLabel()->svgPath() ==
                         QString::fromLatin1(TableItemWidget::FrozenIcon),
                     video);
            QCOMPARE(table.cellForOutput(3)->muteLabel()->svgPath() ==
                         QString::fromLatin1(TableItemWidget::MutedIcon),
                     video);
            QCOMPARE(table.cellForOutput(5)->isLocked(), !video);
            QVERIFY(table.cellForOutput(6)->isLocked()); // never reported: "No Standby"
            // A multiview layout occupies output 9 of the video table.
            QCOMPARE(table.isOutputEnabled(9), !video);
            QVERIFY(table.isOutputEnabled(8));
        }
    }

    // Every cell starts on input 1; a refused drop (no label) leaves them all so. Output 0 is the
    // empty cell of the 5 x 2 layout, which takes the drop and does nothing. A row may deny one
    // port of one list (kind -1: none) and one function (-1: none); an administrator has them all.
    void drops_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("output");
        QTest::addColumn<int>("emitted");
        QTest::addColumn<QString>("label");
        QTest::addColumn<int>("deniedKind");
        QTest::addColumn<int>("deniedPort");
        QTest::addColumn<int>("deniedFunction");
        QTest::addColumn<QString>("cell"); // output 5 disabled, or output 4 grouped with it
        QTest::addColumn<bool>("permitted");
        const auto row = [](const char *tag, int type, const char *text, int output, int emitted,
                            const char *label, int kind = -1, int port = 0, int function = -1,
                            const char *cell = "", bool permitted = true) {
            QTest::newRow(tag) << type << text << output << emitted << label << kind << port
                               << function << cell << permitted;
        };
        const int video = TableWidget::VideoTable, analog = TableWidget::AnalogAudioTable,
                  hdmi = TableWidget::HdmiAudioTable, ir = TableWidget::InfraredTable;
        const int in = InputPortKind, out = OutputPortKind, aud = AudioInputPortKind,
                  ana = AnalogOutputPortKind;
        const char *const in3 = "[3] Input 3", *const audio2 = "[2] Audio 2";
        // clang-format off
        row("video table strips the offset", video,  "103", 5,   3,   in3);
        row("analog audio keeps it",         analog, "103", 5,   103, in3);
        row("audio input",                   analog, "2",   5,   2,   audio2);
        row("HDMI audio",                    hdmi,   "103", 105, 103, in3);
        row("infrared",                      ir,     "108", 7,   8,   "[8] Input 8");
        row("outside any cell",              video,  "103", 0,   0,   "");
        row("disabled cell",                 video,  "103", 5,   0,   "", -1, 0, -1, "disabled");
        row("foreign text",                  video,  "hello", 5, 0,   "");
        row("zero would clear",              video,  "0",   5,   0,   "");
        row("video: output denied",          video,  "103", 5,   3,   in3, out, 5, -1, "", false);
        row("video: other output",           video,  "103", 4,   3,   in3, out, 5, -1, "", true);
        row("video: grouped with denied",    video,  "103", 4,   3,   in3, out, 5, -1, "grouped", false);
        row("video: input denied",           video,  "103", 4,   3,   in3, in,  3, -1, "", false);
        row("video: switching denied",       video,  "103", 4,   3,   in3, -1,  0, 22, "", false);
        row("analog: output denied",         analog, "2",   5,   2,   audio2, ana, 5, -1, "", false);
        row("analog: video output right",    analog, "2",   5,   2,   audio2, out, 5, -1, "", true);
        row("analog: audio input denied",    analog, "2",   5,   2,   audio2, aud, 2, -1, "", false);
        row("analog: switching denied",      analog, "102", 5,   102, "[2] Input 2", -1, 0, 23, "", false);
        row("hdmi: output less offset",      hdmi,   "103", 105, 103, in3, out, 5, -1, "", false);
        row("hdmi: switching denied",        hdmi,   "103", 104, 103, in3, -1,  0, 24, "", false);
        row("infrared: switching denied",    ir,     "103", 4,   3,   in3, -1,  0, 25, "", false);
        row("infrared: output denied",       ir,     "103", 5,   3,   in3, out, 5, -1, "", false);
        // clang-format on
    }

    void drops()
    {
        QFETCH(int, type);
        QFETCH(QString, text);
        QFETCH(int, output);
        QFETCH(int, emitted);
        QFETCH(QString, label);
        QFETCH(int, deniedKind);
        QFETCH(int, deniedPort);
        QFETCH(int, deniedFunction);
        QFETCH(QString, cell);
        QFETCH(bool, permitted);
        restrict(deniedKind, deniedPort, deniedFunction);
        for (int userType : {ordinaryUser, administrator}) {
            AppSettings::instance()->setCurrentUserType(userType);
            const bool allowed = permitted || userType == administrator;
            TableWidget &table = makeTable(type, 5, 2, output > 100 ? 100 : 0);
            if (deniedKind >= 0 || deniedFunction >= 0)
                table.setPermissions(m_store.data());
            QMap<int, QString> labels;
            for (int o : table.outputs()) {
                table.setCellInput(o, 1);
                labels[o] = labelOf(table, o);
            }
            table.setOutputEnabled(5, cell != "disabled");
            if (cell == "grouped")
                table.setSpliceGroups({{4, {4, 5}}});
            QSignalSpy drops(&table, &TableWidget::dropPortToItemSig);
            QSignalSpy warnings(&table, &TableWidget::si_showPermissionWarningDialog);
            const QTableWidgetItem *target = table.itemForOutput(output);
            const QRect at = target ? table.visualItemRect(target)
                                    : table.visualRect(table.model()->index(0, 4));
            bool framed = false;
            // A drop refused for a right is still taken, so that the warning is the only answer.
            QCOMPARE(dropAt(table, at.center(), dragOf(text, !output), &framed),
                     !label.isEmpty() || !output);
            // Only the video table frames its target, and only a cell that can take the drop.
            QCOMPARE(framed, type == TableWidget::VideoTable && output && cell != "disabled");
            const bool routed = !label.isEmpty() && allowed;
            const QList<QVariantList> emission{{emitted, output}};
            QCOMPARE(drops, routed ? emission : QList<QVariantList>());
            QCOMPARE(warnings.count(), allowed ? 0 : 1);
            if (routed) {
                labels[output] = label;
                QCOMPARE(target->data(TableWidget::InputRole).toString(), text);
            }
            for (int o : table.outputs())
                QCOMPARE(labelOf(table, o), labels[o]);
            if (label.isEmpty() && output) { // the refusal was the input's doing, not the cell's
                table.setOutputEnabled(5, true);
                QVERIFY(dropOnOutput(table, output, dragOf("103", true)));
                QCOMPARE(drops.count(), 1);
            }
        }
    }

    // Output 2 is denied, and pausing everywhere. What cannot be routed cannot be cleared.
    void buttonRightsAndClearing()
    {
        restrict(OutputPortKind, 2, PausePlayOutputFunction);
        TableWidget &video = makeTable(TableWidget::VideoTable, 3, 3);
        video.setPermissions(m_store.data());
        video.applyButtonRights();
        QVERIFY(!video.cellForOutput(1)->playLabel()->isEnabled());
        QVERIFY(video.cellForOutput(1)->muteLabel()->isEnabled());
        QVERIFY(!video.cellForOutput(2)->muteLabel()->isEnabled());

        for (int output : {1, 2, 3})
            video.setCellInput(output, 103);
        QSignalSpy drops(&video, &TableWidget::dropPortToItemSig);
        QSignalSpy warnings(&video, &TableWidget::si_showPermissionWarningDialog);
        doubleClickOutput(video, 1);
        QCOMPARE(drops, QList<QVariantList>({{0, 1}}));
        QCOMPARE(labelOf(video, 1), QString());
        QCOMPARE(video.itemForOutput(1)->data(TableWidget::InputRole).toInt(), 0);
        doubleClickOutput(video, 2);
        QCOMPARE(warnings.count(), 1);
        video.setOutputEnabled(3, false);
        doubleClickOutput(video, 3);
        QCOMPARE(warnings.count() + drops.count(), 2);
        QCOMPARE(labelOf(video, 2), QStringLiteral("[3] Input 3"));
        QCOMPARE(labelOf(video, 3), QStringLiteral("[3] Input 3"));
    }

    void labelsFollowRoutesAndRenames()
    {
        TableWidget &video = makeTable(TableWidget::VideoTable, 3, 3);
        QVERIFY(dropOnOutput(video, 1, dragOf("103", true)));
        video.refreshFromRoute({{2, 3}, {3, 4}, {4, 0}, {42, 5}});
        TableWidget audio;
        audio.setTableType(TableWidget::AnalogAudioTable);
        audio.setStripVideoOffset(false);
        audio.setTableLayout(3, 3);
        audio.refreshFromRoute({{1, 3}, {2, 103}});
        QCOMPARE(labelOf(audio, 1), QStringLiteral("[3] Audio 3"));
        QCOMPARE(labelOf(audio, 2), QStringLiteral("[3] Input 3")); // video input 3's own audio
        QCOMPARE(labelOf(video, 4), QString());

        SigManager *hub = SigManager::instance();
        AppSettings::instance()->setInputName(3, QStringLiteral("Camera"));
        emit hub->Sig_RenameInputSignals(3);
        emit hub->Sig_RenameInputHDMIAudioSignals(3);
        const auto labels = [&] {
            return QStringList{labelOf(video, 1), labelOf(video, 2), labelOf(video, 3),
                               labelOf(audio, 1), labelOf(audio, 2)};
        };
        QCOMPARE(labels(), (QStringList{"[3] Camera", "[3] Camera", "[4] Input 4", "[3] Audio 3",
                                        "[3] Camera"}));
        AppSettings::instance()->setAudioName(3, QStringLiteral("Mic"));
        emit hub->Sig_RenameInputSignals(3);
        emit hub->Sig_RenameInputAudioSignals(3);
        QCOMPARE(labels(),
                 (QStringList{"[3] Camera", "[3] Camera", "[4] Input 4", "[3] Mic", "[3] Camera"}));
    }

    // A name wider than its panel ends in "…" after each resize, its start in sight; the tooltip
    // and the getters keep it whole.
    void longNamesAreCutAtTheirEnd()
    {
        const QString input = QStringLiteral("Room PC With Video Conference Camera And Microphone");
        const QString output = QStringLiteral("Conference Room Left Projector Screen Output");
        AppSettings::instance()->setInputName(3, input);
        TableWidget &video = makeTable(TableWidget::VideoTable, 3, 3);
        video.setCellInput(5, 103);
        TableItemWidget *cell = video.cellForOutput(5);
        cell->setOutputName(output);
        QCOMPARE(cell->inputText(), "[3] " + input);
        QCOMPARE(cell->outputName(), output);
        for (int width : {700, 3000, 400}) {
            video.resize(width, 300);
            QTRY_COMPARE(cell->width(), video.columnWidth(1));
            for (const auto &[name, whole] :
                 {std::pair{"InputName", "[3] " + input}, {"OutputName", output}}) {
                const auto *label = cell->findChild<QLabel *>(QLatin1String(name));
                const QString shown = label->text();
                QCOMPARE(label->toolTip(), whole);
                QVERIFY(label->fontMetrics().horizontalAdvance(shown) <=
                        label->contentsRect().width());
                QVERIFY2(width == 3000 ? shown == whole
                                       : shown.endsWith(QChar(0x2026)) && shown.size() > 5 &&
                                             whole.startsWith(shown.chopped(1)),
                         qPrintable(shown));
            }
        }
    }

    // A hidden table builds its cells when shown, or when a cell is asked for; what arrived
    // meanwhile shows once they exist.
    void hiddenTableMakesItsCellsWhenShown()
    {
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
        QCOMPARE(builtCells(), 0);
        QCOMPARE(layoutChanged.count(), 1); // the owner still fills the routes at once
        QCOMPARE(audio->outputs(), IntList({1, 2, 3, 4, 5, 6, 7, 8, 9}));
        audio->refreshFromRoute({{1, 3}, {2, 103}});
        AppSettings::instance()->setAudioName(3, QStringLiteral("Mic"));
        emit SigManager::instance()->Sig_RenameInputAudioSignals(3);
        AppSettings::instance()->setOutputName(4, QStringLiteral("Stage"));
        audio->refreshOutputNames();
        QCOMPARE(builtCells(), 0);

        page.show();
        QVERIFY(!audio->cellsPending());
        QCOMPARE(builtCells(), 9);
        QCOMPARE((QStringList{labelOf(*audio, 1), labelOf(*audio, 2), labelOf(*audio, 3)}),
                 (QStringList{"[3] Mic", "[3] Input 3", ""}));
        QCOMPARE(audio->cellForOutput(4)->outputName(), QStringLiteral("Stage"));
        QVERIFY(audio->isOutputEnabled(9));
        audio->setTableLayout(3, 3);
        QCOMPARE(builtCells(), 9);
        page.hide();
        audio->setTableLayout(3, 3);
        QCOMPARE(builtCells(), 0);
        QVERIFY(audio->cellForOutput(5));
        QCOMPARE(builtCells(), 9);
        QVERIFY(!audio->cellsPending());
    }

    // The buttons ask for the opposite state; a refused order is put back from the store. Each
    // icon explains itself in either state.
    void cellButtons()
    {
        TableWidget &video = makeTable(TableWidget::VideoTable, 3, 3);
        QSignalSpy pause(&video, &TableWidget::si_orderToPause);
        QSignalSpy mute(&video, &TableWidget::si_orderToMute);
        TableItemWidget *cell = video.cellForOutput(6);
        for (QWidget *label : {cell->playLabel(), cell->playLabel(), cell->muteLabel()})
            QTest::mouseClick(label, Qt::LeftButton, Qt::NoModifier, label->rect().center());
        QCOMPARE(pause, QList<QVariantList>({{6, true}, {6, false}}));
        QCOMPARE(mute, QList<QVariantList>({{6, true}}));
        QCOMPARE(cell->muteLabel()->svgPath(), QString::fromLatin1(TableItemWidget::MutedIcon));
        DeviceState::instance()->setOutputLinkAt(6, true);
        video.refreshOutputFlags(6);
        QCOMPARE(cell->muteLabel()->svgPath(), QString::fromLatin1(TableItemWidget::UnmutedIcon));
        QVERIFY(cell->isLinked());

        cell = video.cellForOutput(2);
        const auto tips = [cell] {
            QStringList shown;
            for (const SvgLabel *icon : cell->findChildren<SvgLabel *>())
                shown += icon->isVisibleTo(cell) ? QStringList{icon->toolTip()} : QStringList();
            return shown;
        };
        const QStringList before = tips();
        cell->setFrozen(true);
        cell->setMuted(true);
        cell->setLinked(true);
        const QStringList after = tips();
        QCOMPARE(before.size(), 3);
        for (int i = 0; i < 3; ++i)
            QVERIFY(!before.at(i).isEmpty() && !after.at(i).isEmpty() &&
                    before.at(i) != after.at(i));
    }

    void groupsColourTheirCells()
    {
        TableWidget &video = makeTable(TableWidget::VideoTable, 3, 3);
        const CellLook plain = video.cellForOutput(3)->look();
        video.setSpliceGroups({{1, {1, 2}}, {5, {5, 6, 8}}});
        video.setInputColors({QStringLiteral("#f4ebd9"), QStringLiteral("#fcdedb")});
        QCOMPARE(video.cellForOutput(2)->look().outputBackground, QStringLiteral("#f4ebd9"));
        QCOMPARE(video.cellForOutput(8)->look().inputBackground, QStringLiteral("#fcdedb"));
        QCOMPARE(video.cellForOutput(3)->look(), plain);
        video.setGroupColorHook([](int master, int) {
            return master == 5 ? QStringLiteral("red") : QStringLiteral("blue");
        });
        QCOMPARE(video.cellForOutput(6)->look().outputBackground, QStringLiteral("red"));
        QCOMPARE(video.cellForOutput(1)->look().outputBackground, QStringLiteral("blue"));
        video.itemForOutput(3)->setSelected(true);
        QVERIFY(video.cellForOutput(3)->look().borderWidth > plain.borderWidth);
        video.setSpliceGroups({});
        QCOMPARE(video.cellForOutput(1)->look(), plain);
    }

    // What a cell paints for each look, from the shared rules or the table's own copy, reached
    // after every other look was painted (a stale polish shows). Input names read at 4.5:1 but
    // in a disabled cell; the focused cell's margin is green when selected, else dark.
    void cellsPaintTheirLook_data()
    {
        QTest::addColumn<bool>("selected");
        QTest::addColumn<bool>("disabled");
        QTest::addColumn<bool>("group");
        QTest::addColumn<QColor>("output");
        QTest::addColumn<QColor>("input");
        QTest::addColumn<QColor>("outputText");
        QTest::addColumn<int>("border");
        QTest::addColumn<bool>("window");
        const QColor dark(0x2c, 0x3e, 0x50), beige(0xf4, 0xeb, 0xd9);
        for (bool window : {false, true}) {
            const char *where = window ? " in window" : "";
            // clang-format off
            QTest::addRow("plain%s", where)          << false << false << false << QColor(240, 241, 236) << QColor(249, 250, 250) << dark << 1 << window;
            QTest::addRow("selected%s", where)       << true  << false << false << dark << QColor(0xe8, 0xef, 0xeb) << QColor(Qt::white) << 2 << window;
            QTest::addRow("disabled%s", where)       << false << true  << false << QColor(159, 159, 159) << QColor(221, 222, 219) << QColor(240, 240, 240) << 1 << window;
            QTest::addRow("group%s", where)          << false << false << true  << beige << beige << dark << 1 << window;
            QTest::addRow("selected group%s", where) << true  << false << true  << beige << beige << dark << 2 << window;
            // clang-format on
        }
    }

    void cellsPaintTheirLook()
    {
        QFETCH(bool, selected);
        QFETCH(bool, disabled);
        QFETCH(bool, group);
        QFETCH(QColor, output);
        QFETCH(QColor, input);
        QFETCH(QColor, outputText);
        QFETCH(int, border);
        QFETCH(bool, window);
        TableWidget &video = makeTable(TableWidget::VideoTable, 3, 3, 0, window);
        video.setInputColors({QStringLiteral("#f4ebd9")});
        video.window()->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(video.window()));
        TableItemWidget *cell = video.cellForOutput(5);
        // A window that carries the rules spares the table its own copy.
        QCOMPARE(video.viewport()->styleSheet().isEmpty(), window);
        const QString blocks(3, QChar(0x2588)); // odd: the middle of a block is the middle
        cell->setOutputName(blocks);
        cell->setInputText(blocks);
        const auto setLook = [&](bool s, bool d, bool g) {
            video.itemForOutput(5)->setSelected(s);
            video.setOutputEnabled(5, !d);
            video.setSpliceGroups(g ? QMap<int, QList<int>>{{4, {4, 5}}} : QMap<int, QList<int>>{});
        };
        setLook(true, true, true);
        QCoreApplication::processEvents();
        setLook(false, false, false);
        setLook(selected, disabled, group);
        const QTableWidgetItem *item = video.itemForOutput(5);
        video.setFocus(Qt::TabFocusReason);
        video.selectionModel()->setCurrentIndex(video.model()->index(item->row(), item->column()),
                                                QItemSelectionModel::NoUpdate);

        // The cell as the view shows it, with the margin the view paints around it.
        const QImage image = video.viewport()->grab(cell->geometry()).toImage();
        const QImage other = video.viewport()->grab(video.cellForOutput(1)->geometry()).toImage();
        const QColor margin = selected ? QColor(0x33, 0x8c, 0x56) : QColor(0x2c, 0x3e, 0x50);
        QCOMPARE(image.pixelColor(0, image.height() / 2), margin);
        QVERIFY(other.pixelColor(0, other.height() / 2) != margin);
        const QRect out = cell->findChild<QWidget *>(QStringLiteral("outportWidget"))->geometry();
        const QRect in = cell->findChild<QWidget *>(QStringLiteral("widget_2"))->geometry();
        const auto at = [&image](const QPoint &p) { return image.pixelColor(p); };
        QCOMPARE(at(QPoint(out.left() + border + 1, out.center().y())), output);
        QCOMPARE(at(QPoint(in.left() + border + 1, in.top() + border + 1)), input);
        QVERIFY(at(QPoint(out.left() + border - 1, out.center().y())) != output);
        // Glyph edges blend into the panel; the middle of a full block is near the text colour.
        const auto middleOf = [&](const char *label, const QRect &panel) {
            return at(cell->findChild<QLabel *>(label)->geometry().center() + panel.topLeft());
        };
        const QColor text = middleOf("OutputName", out);
        QVERIFY2(qAbs(text.red() - outputText.red()) <= 24 &&
                     qAbs(text.blue() - outputText.blue()) <= 24,
                 qPrintable(text.name()));
        const QColor inputText = middleOf("InputName", in);
        QVERIFY2(disabled || contrastRatio(inputText, input) >= 4.5, qPrintable(inputText.name()));
    }
};

QTEST_MAIN(TestTableWidget)
#include "tst_tablewidget.moc"
