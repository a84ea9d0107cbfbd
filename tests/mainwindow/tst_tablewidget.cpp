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

/// A drag as the signal list makes it; `typed` marks a video input.
QMimeData *dragOf(const QString &text, bool typed = false)
{
    auto *mime = new QMimeData;
    mime->setText(text);
    if (typed)
        mime->setData(QStringLiteral("application/type"), QByteArrayLiteral("1"));
    return mime;
}

// As the window system delivers a drag: the enter goes to the innermost widget under the point and
// Qt hands it up to the first enabled widget taking drops (a cell widget swallowing drops would
// show here); the drop then goes to whichever widget took the enter.
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

    /// With a window, the table sits in one whose style sheet carries the cells' shared rules,
    /// as the main window's content does.
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

    /// Stores every right of the operator but `port` (1-based) of list `kind` and `function`
    /// (-1: none) into m_store.
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

    // Layouts

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
        QFETCH(IntList, grid);
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
        QCOMPARE(shown, grid);
    }

    void layoutReadsTheStoreAndAnnouncesItself()
    {
        DeviceState *state = DeviceState::instance();
        state->setDeviceType(Dev0809M);
        state->setSplitterMode(3);
        state->setFrozenAt(2, true);
        state->setVideoMuteAt(3, true);
        state->setOutputLockAt(5, false);
        TableWidget &video = makeTable(TableWidget::VideoTable, 1, 1);
        QSignalSpy changed(&video, &TableWidget::layoutChangedSig);
        QSignalSpy rights(&video, &TableWidget::si_requsetCheckPermissionLabelClicked);
        video.setTableLayout(3, 3);
        QCOMPARE(changed.count(), 1);
        QCOMPARE(rights.count(), 1);
        QCOMPARE(video.cellForOutput(2)->playLabel()->svgPath(),
                 QString::fromLatin1(TableItemWidget::FrozenIcon));
        QCOMPARE(video.cellForOutput(3)->muteLabel()->svgPath(),
                 QString::fromLatin1(TableItemWidget::MutedIcon));
        QVERIFY(!video.cellForOutput(5)->isLocked());
        QVERIFY(video.cellForOutput(6)->isLocked()); // never reported: "No Standby"
        // A multiview layout occupies output 9.
        QVERIFY(!video.isOutputEnabled(9));
        QVERIFY(video.isOutputEnabled(8));

        // Only the video table shows buttons and asks for their rights.
        TableWidget &audio = makeTable(TableWidget::AnalogAudioTable, 1, 1);
        QSignalSpy audioRights(&audio, &TableWidget::si_requsetCheckPermissionLabelClicked);
        audio.setTableLayout(3, 3);
        QCOMPARE(audioRights.count(), 0);
        QVERIFY(!audio.cellForOutput(1)->playLabel()->isVisible());
        QVERIFY(audio.isOutputEnabled(9));
    }

    // Drops

    void drops_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("output");
        QTest::addColumn<int>("emitted");
        QTest::addColumn<QString>("label");
        // clang-format off
        QTest::newRow("video table strips the offset") << int(TableWidget::VideoTable)       << "103" << 5   << 3   << "[3] Input 3";
        QTest::newRow("analog audio keeps it")         << int(TableWidget::AnalogAudioTable) << "103" << 5   << 103 << "[3] Input 3";
        QTest::newRow("audio input")                   << int(TableWidget::AnalogAudioTable) << "2"   << 5   << 2   << "[2] Audio 2";
        QTest::newRow("HDMI audio")                    << int(TableWidget::HdmiAudioTable)   << "103" << 105 << 103 << "[3] Input 3";
        QTest::newRow("infrared")                      << int(TableWidget::InfraredTable)    << "108" << 7   << 8   << "[8] Input 8";
        // clang-format on
    }

    void drops()
    {
        QFETCH(int, type);
        QFETCH(QString, text);
        QFETCH(int, output);
        QFETCH(int, emitted);
        QFETCH(QString, label);
        TableWidget &table = makeTable(type, 3, 3, output > 100 ? 100 : 0);
        QSignalSpy drops(&table, &TableWidget::dropPortToItemSig);

        QVERIFY(dropOnOutput(table, output, dragOf(text)));
        QCOMPARE(drops.count(), 1);
        QCOMPARE(drops.first(), QVariantList({emitted, output}));
        QCOMPARE(labelOf(table, output), label);
        QCOMPARE(table.itemForOutput(output)->data(TableWidget::InputRole).toString(), text);
        QCOMPARE(labelOf(table, output + 1), QString()); // nothing else moved
    }

    void dropOutsideAnyCellChangesNothing()
    {
        TableWidget &video = makeTable(TableWidget::VideoTable, 5, 2);
        QSignalSpy drops(&video, &TableWidget::dropPortToItemSig);
        QSignalSpy warnings(&video, &TableWidget::si_showPermissionWarningDialog);
        const QRect emptyCell = video.visualRect(video.model()->index(0, 4));
        QVERIFY(!emptyCell.isEmpty());

        QVERIFY(dropAt(video, emptyCell.center(), dragOf("103", true)));
        QCOMPARE(drops.count() + warnings.count(), 0);
        for (int output : video.outputs())
            QCOMPARE(labelOf(video, output), QString());
    }

    void refusedDrops_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("disabled");
        QTest::newRow("disabled cell") << "103" << true;
        QTest::newRow("no text") << "" << false;
        QTest::newRow("foreign text") << "hello" << false;
        QTest::newRow("zero would clear") << "0" << false;
        QTest::newRow("negative") << "-103" << false;
        QTest::newRow("fraction") << "103.5" << false;
    }

    void refusedDrops()
    {
        QFETCH(QString, text);
        QFETCH(bool, disabled);
        TableWidget &video = makeTable(TableWidget::VideoTable, 3, 3);
        video.setCellInput(5, 2);
        video.setOutputEnabled(5, !disabled);
        QSignalSpy drops(&video, &TableWidget::dropPortToItemSig);

        QVERIFY(!dropOnOutput(video, 5, dragOf(text)));
        QCOMPARE(drops.count(), 0);
        QCOMPARE(labelOf(video, 5), QStringLiteral("[2] Input 2"));
        // The same cell still takes a proper drop: the refusal was the input's doing.
        video.setOutputEnabled(5, true);
        QVERIFY(dropOnOutput(video, 5, dragOf("103", true)));
        QCOMPARE(drops.count(), 1);
    }

    // Permissions

    // Each row denies one port of one list (kind -1: none) and one function (-1: none).
    void dropPermissions_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("deniedKind");
        QTest::addColumn<int>("deniedPort");
        QTest::addColumn<int>("deniedFunction");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("output");
        QTest::addColumn<bool>("allowed");
        const int video = TableWidget::VideoTable, analog = TableWidget::AnalogAudioTable,
                  hdmi = TableWidget::HdmiAudioTable, ir = TableWidget::InfraredTable;
        const int in = InputPortKind, out = OutputPortKind, aud = AudioInputPortKind,
                  ana = AnalogOutputPortKind;
        // clang-format off
        QTest::newRow("video: output denied")         << video  << out << 5 << -1 << "103" << 5   << false;
        QTest::newRow("video: other output")          << video  << out << 5 << -1 << "103" << 4   << true;
        QTest::newRow("video: input denied")          << video  << in  << 3 << -1 << "103" << 4   << false;
        QTest::newRow("video: switching denied")      << video  << -1  << 0 << 22 << "103" << 4   << false;
        QTest::newRow("video: audio right unrelated") << video  << -1  << 0 << 23 << "103" << 4   << true;
        QTest::newRow("analog: output denied")        << analog << ana << 5 << -1 << "2"   << 5   << false;
        QTest::newRow("analog: video output right")   << analog << out << 5 << -1 << "2"   << 5   << true;
        QTest::newRow("analog: audio input denied")   << analog << aud << 2 << -1 << "2"   << 5   << false;
        QTest::newRow("analog: switching denied")     << analog << -1  << 0 << 23 << "102" << 5   << false;
        QTest::newRow("hdmi: output less offset")     << hdmi   << out << 5 << -1 << "103" << 105 << false;
        QTest::newRow("hdmi: switching denied")       << hdmi   << -1  << 0 << 24 << "103" << 104 << false;
        QTest::newRow("hdmi: input right unrelated")  << hdmi   << in  << 3 << -1 << "103" << 104 << true;
        QTest::newRow("infrared: switching denied")   << ir     << -1  << 0 << 25 << "103" << 4   << false;
        QTest::newRow("infrared: output denied")      << ir     << out << 5 << -1 << "103" << 5   << false;
        // clang-format on
    }

    void dropPermissions()
    {
        QFETCH(int, type);
        QFETCH(int, deniedKind);
        QFETCH(int, deniedPort);
        QFETCH(int, deniedFunction);
        QFETCH(QString, text);
        QFETCH(int, output);
        QFETCH(bool, allowed);
        restrict(deniedKind, deniedPort, deniedFunction);
        for (int userType : {ordinaryUser, administrator}) {
            AppSettings::instance()->setCurrentUserType(userType);
            const bool expected = allowed || userType == administrator;
            TableWidget &table = makeTable(type, 3, 3, output > 100 ? 100 : 0);
            table.setPermissions(m_store.data());
            table.setCellInput(output, 1);
            const QString before = labelOf(table, output);
            QSignalSpy drops(&table, &TableWidget::dropPortToItemSig);
            QSignalSpy warnings(&table, &TableWidget::si_showPermissionWarningDialog);

            // A refused drop is still taken, so that the warning is the only answer.
            QVERIFY(dropOnOutput(table, output, dragOf(text)));
            QCOMPARE(drops.count(), expected ? 1 : 0);
            QCOMPARE(warnings.count(), expected ? 0 : 1);
            QCOMPARE(labelOf(table, output) == before, !expected);
        }
    }

    void spliceGroupPermission()
    {
        restrict(OutputPortKind, 5);
        TableWidget &video = makeTable(TableWidget::VideoTable, 3, 3);
        video.setPermissions(m_store.data());
        QSignalSpy drops(&video, &TableWidget::dropPortToItemSig);
        QSignalSpy warnings(&video, &TableWidget::si_showPermissionWarningDialog);

        // Output 4 itself is allowed, but it shares its picture with the denied output 5.
        video.setSpliceGroups({{4, {4, 5}}});
        QVERIFY(dropOnOutput(video, 4, dragOf("101", true)));
        QCOMPARE(drops.count(), 0);
        QCOMPARE(warnings.count(), 1);
        video.setSpliceGroups({});
        QVERIFY(dropOnOutput(video, 4, dragOf("101", true)));
        QCOMPARE(drops.count(), 1);
    }

    void buttonRights()
    {
        restrict(OutputPortKind, 2, PausePlayOutputFunction);
        TableWidget &video = makeTable(TableWidget::VideoTable, 3, 3);
        video.setPermissions(m_store.data());
        video.applyButtonRights();
        QVERIFY(!video.cellForOutput(1)->playLabel()->isEnabled());
        QVERIFY(video.cellForOutput(1)->muteLabel()->isEnabled());
        // Output 2 is denied: neither of its buttons works.
        QVERIFY(!video.cellForOutput(2)->muteLabel()->isEnabled());
    }

    // Clearing and labels

    void doubleClickClears()
    {
        restrict(OutputPortKind, 2);
        TableWidget &video = makeTable(TableWidget::VideoTable, 3, 3);
        video.setPermissions(m_store.data());
        for (int output : {1, 2, 3})
            video.setCellInput(output, 103);
        QSignalSpy drops(&video, &TableWidget::dropPortToItemSig);
        QSignalSpy warnings(&video, &TableWidget::si_showPermissionWarningDialog);

        doubleClickOutput(video, 1);
        QCOMPARE(drops.count(), 1);
        QCOMPARE(drops.first(), QVariantList({0, 1}));
        QCOMPARE(labelOf(video, 1), QString());
        QCOMPARE(video.itemForOutput(1)->data(TableWidget::InputRole).toInt(), 0);

        doubleClickOutput(video, 2); // no right on output 2
        QCOMPARE(warnings.count(), 1);
        video.setOutputEnabled(3, false); // what cannot be routed cannot be cleared
        doubleClickOutput(video, 3);
        QCOMPARE(warnings.count(), 1);
        QCOMPARE(drops.count(), 1);
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

        AppSettings::instance()->setInputName(3, QStringLiteral("Camera"));
        emit SigManager::instance()->Sig_RenameInputSignals(3);
        emit SigManager::instance()->Sig_RenameInputHDMIAudioSignals(3);
        QCOMPARE(labelOf(video, 1), QStringLiteral("[3] Camera"));
        QCOMPARE(labelOf(video, 2), QStringLiteral("[3] Camera"));
        QCOMPARE(labelOf(video, 3), QStringLiteral("[4] Input 4"));
        QCOMPARE(labelOf(audio, 2), QStringLiteral("[3] Camera"));
        QCOMPARE(labelOf(audio, 1), QStringLiteral("[3] Audio 3")); // another port 3

        AppSettings::instance()->setAudioName(3, QStringLiteral("Mic"));
        emit SigManager::instance()->Sig_RenameInputSignals(3);
        emit SigManager::instance()->Sig_RenameInputAudioSignals(3);
        QCOMPARE(labelOf(audio, 1), QStringLiteral("[3] Mic"));
        QCOMPARE(labelOf(audio, 2), QStringLiteral("[3] Camera"));
        QCOMPARE(labelOf(video, 1), QStringLiteral("[3] Camera"));
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

    void hiddenTableMakesItsCellsWhenShown()
    {
        QWidget page; // a page of the window that is not shown yet
        auto *audio = new TableWidget(&page);
        audio->setTableType(TableWidget::AnalogAudioTable);
        audio->setStripVideoOffset(false);
        audio->setCellsWhenShown(true);
        QSignalSpy layoutChanged(audio, &TableWidget::layoutChangedSig);
        audio->setTableLayout(3, 3);
        const auto builtCells = [audio] {
            // Cells of an earlier layout are deleted later.
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            return audio->viewport()->findChildren<TableItemWidget *>().size();
        };
        QVERIFY(audio->cellsPending());
        QCOMPARE(builtCells(), 0);
        QCOMPARE(layoutChanged.count(), 1); // the owner still fills the routes at once
        QCOMPARE(audio->outputs(), IntList({1, 2, 3, 4, 5, 6, 7, 8, 9}));

        // What arrives meanwhile is shown by the cells once they exist.
        audio->refreshFromRoute({{1, 3}, {2, 103}});
        AppSettings::instance()->setAudioName(3, QStringLiteral("Mic"));
        emit SigManager::instance()->Sig_RenameInputAudioSignals(3);
        AppSettings::instance()->setOutputName(4, QStringLiteral("Stage"));
        audio->refreshOutputNames();
        QCOMPARE(builtCells(), 0);

        page.show();
        QVERIFY(!audio->cellsPending());
        QCOMPARE(builtCells(), 9);
        QCOMPARE(labelOf(*audio, 1), QStringLiteral("[3] Mic"));
        QCOMPARE(labelOf(*audio, 2), QStringLiteral("[3] Input 3"));
        QCOMPARE(labelOf(*audio, 3), QString());
        QCOMPARE(audio->cellForOutput(4)->outputName(), QStringLiteral("Stage"));
        QVERIFY(audio->isOutputEnabled(9));

        // A visible table builds at once; a hidden one builds when a cell is asked for.
        audio->setTableLayout(3, 3);
        QCOMPARE(builtCells(), 9);
        page.hide();
        audio->setTableLayout(3, 3);
        QCOMPARE(builtCells(), 0);
        QVERIFY(audio->cellForOutput(5));
        QCOMPARE(builtCells(), 9);
        QVERIFY(!audio->cellsPending());
    }

    // Cell buttons and looks

    void cellButtonsAskForTheOppositeState()
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

        // A refused order is put back from the store.
        video.refreshOutputFlags(6);
        QCOMPARE(cell->muteLabel()->svgPath(), QString::fromLatin1(TableItemWidget::UnmutedIcon));
    }

    // Each icon a video cell shows explains itself, in either state.
    void cellIconsExplainThemselves()
    {
        TableItemWidget *cell = makeTable(TableWidget::VideoTable, 3, 3).cellForOutput(2);
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
        QVERIFY(cell->muteLabel()->hasValidSvg()); // the picture-off icon is in the resources
    }

    void groupsColourTheirCells()
    {
        TableWidget &video = makeTable(TableWidget::VideoTable, 3, 3);
        const CellLook plain = video.cellForOutput(3)->look();
        video.setInputColors({QStringLiteral("#f4ebd9"), QStringLiteral("#fcdedb")});
        video.setSpliceGroups({{1, {1, 2}}, {5, {5, 6, 8}}});
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

    // What a cell paints for each look, drawn from the shared rules or its own sheet. Every look
    // is reached from the others after the cell was painted, so a stale polish would show here.
    // Input names read at 4.5:1 but in a disabled cell. The margin of the focused cell is green
    // when selected, else dark blue-grey.
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
        // The rules come from the table's own copy, or from the window that carries them.
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
        QVERIFY(QTest::qWaitForWindowExposed(video.window()));
        video.window()->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(video.window()));
        TableItemWidget *cell = video.cellForOutput(5);
        // A window that carries the rules spares the table its own copy.
        QCOMPARE(video.viewport()->styleSheet().isEmpty(), window);
        const QString blocks(3, QChar(0x2588)); // odd: the middle of a block is the middle
        cell->setOutputName(blocks);
        cell->setInputText(blocks);
        video.itemForOutput(5)->setSelected(true);
        video.setOutputEnabled(5, false);
        video.setSpliceGroups({{4, {4, 5}}});
        QCoreApplication::processEvents();
        video.setSpliceGroups({});
        video.setOutputEnabled(5, true);
        video.itemForOutput(5)->setSelected(false);
        video.itemForOutput(5)->setSelected(selected);
        if (disabled)
            video.setOutputEnabled(5, false);
        if (group)
            video.setSpliceGroups({{4, {4, 5}}});
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
        const auto *outputPanel = cell->findChild<QWidget *>(QStringLiteral("outportWidget"));
        const auto *inputPanel = cell->findChild<QWidget *>(QStringLiteral("widget_2"));
        const auto *outputName = cell->findChild<QLabel *>(QStringLiteral("OutputName"));
        const auto *inputName = cell->findChild<QLabel *>(QStringLiteral("InputName"));
        QVERIFY(outputPanel && inputPanel && outputName && inputName);
        const QRect out = outputPanel->geometry();
        const QRect in = inputPanel->geometry();
        const auto at = [&image](const QPoint &p) { return image.pixelColor(p); };
        QCOMPARE(at(QPoint(out.left() + border + 1, out.center().y())), output);
        QCOMPARE(at(QPoint(in.left() + border + 1, in.top() + border + 1)), input);
        // The border is as wide as the look says: the pixel inside it is background.
        QVERIFY(at(QPoint(out.left() + border - 1, out.center().y())) != output);
        // Glyph edges blend into the panel; the middle of a full block is near the text colour.
        const QColor text = at(outputName->geometry().center() + out.topLeft());
        QVERIFY2(qAbs(text.red() - outputText.red()) <= 24 &&
                     qAbs(text.blue() - outputText.blue()) <= 24,
                 qPrintable(text.name()));
        const QColor inputText = at(inputName->geometry().center() + in.topLeft());
        QVERIFY2(disabled || contrastRatio(inputText, input) >= 4.5, qPrintable(inputText.name()));
    }
};

QTEST_MAIN(TestTableWidget)
#include "tst_tablewidget.moc"
