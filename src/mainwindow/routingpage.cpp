#include "routingpage.h"
#include "widgetforms.h"

#include "app/appsettings.h"
#include "mainwindow/listwidget.h"
#include "mainwindow/tableitemwidget.h"
#include "mainwindow/tablewidget.h"
#include "protocol/messagedistance.h"
#include "state/reportapplier.h"
#include "state/sigmanager.h"
#include "state/statuskeys.h"
#include "storage/portnamestore.h"
#include "uikit/dialogconfirm.h"
#include "uikit/dialogconfirm3btn.h"
#include "uikit/pngicon.h"
#include "uikit/svgcheckbox.h"
#include "users/permissionfunction.h"
#include "users/permissionstore.h"
#include "wall/planpushbutton.h"
#include "wall/splicegroups.h"
#include "wall/videosplitmanager.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QPushButton>
#include <QShortcut>
#include <QTime>
#include <QTimer>

namespace {

// How long a cell shows that another client changed it.
constexpr int RecentChangeMs = 60 * 1000;

// Draws on each splice-mode button the group its preset forms on the 2 x 4 outputs.
void decorateSpliceModeButtons(QButtonGroup *modes)
{
    const QStringList colors{QStringLiteral("#338c56")};
    for (QAbstractButton *b : modes->buttons()) {
        auto *preset = qobject_cast<PlanPushButton *>(b);
        if (!preset)
            continue;
        const int mode = modes->id(b);
        const QList<int> outputs = StatusKeys::spliceModeOutputs(mode);
        // The presets are ordinary exclusive buttons: no flash, no right-button click.
        preset->setPlainMode(true);
        preset->setGrid(2, 4);
        preset->setPreview(mode, {{outputs.first(), outputs}});
        preset->setGroupColors(colors);
        preset->setPreviewMode();
        preset->setToolTip(b->text());
    }
}

} // namespace

RoutingPage::RoutingPage(WidgetForms *ui, MessageDistance *client, DeviceState *state,
                         ReportApplier *reports, PermissionStore *permissions,
                         PortNameStore *portNames, Hooks hooks, QObject *parent)
    : QObject(parent), m_ui(ui), m_client(client), m_state(state), m_reports(reports),
      m_permissions(permissions), m_portNames(portNames), m_hooks(std::move(hooks)),
      m_history(new RouteHistory(state, reports, this)), m_staged(new StagedRoutes(reports, this)),
      m_recentTimer(new QTimer(this))
{
    m_recentTimer->setSingleShot(true);
    connect(m_recentTimer, &QTimer::timeout, this, &RoutingPage::showRecentChanges);
    connect(reports, &ReportApplier::routeChangedByOthers, this, &RoutingPage::markChangedByOthers);
    connect(client, &MessageDistance::connectFailureSig, m_history, &RouteHistory::linkLost);
    connect(m_history, &RouteHistory::changed, this, &RoutingPage::showHistory);
    m_ui->btnUndo->setIcon(pngIcon(QStringLiteral(":/Images/window/undo.png")));
    m_ui->btnRedo->setIcon(pngIcon(QStringLiteral(":/Images/window/redo.png")));
    connect(m_ui->btnUndo, &QPushButton::clicked, this, &RoutingPage::undo);
    connect(m_ui->btnRedo, &QPushButton::clicked, this, &RoutingPage::redo);
    // Window-wide; a focused line edit still takes its own undo first.
    connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z), m_ui->tabWidget),
            &QShortcut::activated, this, &RoutingPage::undo);
    connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), m_ui->tabWidget),
            &QShortcut::activated, this, &RoutingPage::redo);
    showHistory();

    connect(m_staged, &StagedRoutes::changed, this, &RoutingPage::showStaged);
    m_ui->cb_takeMode->setSvgPaths(QStringLiteral(":/Images/on.svg"),
                                   QStringLiteral(":/Images/off.svg"));
    m_ui->cb_takeMode->setSvgSize(40, 20);
    connect(m_ui->cb_takeMode, &QCheckBox::toggled, this, &RoutingPage::setTakeMode);
    connect(m_ui->btnTake, &QPushButton::clicked, this, &RoutingPage::take);
    connect(m_ui->btnCancelTake, &QPushButton::clicked, this, &RoutingPage::cancelStaged);
    // Enabled only while routes are staged on a routing page, so Enter and Esc keep their
    // usual work everywhere else.
    for (int key : {int(Qt::Key_Return), int(Qt::Key_Enter), int(Qt::Key_Escape)}) {
        auto *shortcut = new QShortcut(QKeySequence(key), m_ui->tabWidget);
        connect(shortcut, &QShortcut::activated, this,
                key == Qt::Key_Escape ? &RoutingPage::cancelStaged : &RoutingPage::take);
        m_takeKeys << shortcut;
    }
    showStaged();
    TableWidget *video = m_ui->videoTableWidget;
    // Rebuilt cells show the routes, flags and stages again.
    connect(video, &TableWidget::layoutChangedSig, this, [this, video] {
        refreshTable(video);
        video->refreshOutputFlags();
        showStaged();
        showRecentChanges();
    });
    for (TableWidget *table : {m_ui->AudioTable, m_ui->InfaredTable, m_ui->audioHDMITable})
        connect(table, &TableWidget::layoutChangedSig, this, [this, table] {
            refreshTable(table);
            showStaged();
            showRecentChanges();
        });
    for (TableWidget *table : {video, m_ui->AudioTable, m_ui->InfaredTable, m_ui->audioHDMITable})
        connect(table, &TableWidget::dropPortToItemSig, this,
                [this, table](int input, int output) { onDrop(table, input, output); });
    connect(video, &TableWidget::si_orderToLock, this, &RoutingPage::onLock);
    connect(video, &TableWidget::si_orderToPause, this, [this](int port, bool pause) {
        applyToGroup(port, pause, &DeviceState::setFrozenAt, &MessageDistance::setFrozen);
    });
    connect(video, &TableWidget::si_orderToMute, this, [this](int port, bool mute) {
        applyToGroup(port, mute, &DeviceState::setVideoMuteAt, &MessageDistance::setVideoMute);
    });
    connect(m_state, &DeviceState::changed, this, &RoutingPage::onStateChanged);
    for (TableWidget *table : tables())
        connect(table, &TableWidget::si_showPermissionWarningDialog, this,
                [this] { m_hooks.portWarning(); });
    connect(video, &TableWidget::si_requsetCheckPermissionLabelClicked, video,
            &TableWidget::applyButtonRights);

    buildSpliceModes();
    // What the store does not hold: the device's splice and bind groups and its bind layout.
    connect(m_reports, &ReportApplier::spliceModeReported, this, &RoutingPage::showSpliceMode);
    connect(m_reports, &ReportApplier::bindModeReported, this, [this](int mode) {
        if (SpliceGroups *groups = spliceGroups())
            groups->layoutForMode(mode);
        else
            buildTables();
    });
    connect(m_reports, &ReportApplier::bindGroupsReported, this,
            [this](const QList<QList<int>> &reported) {
                if (SpliceGroups *groups = spliceGroups())
                    groups->replaceGroups(reported);
            });
    connect(m_reports, &ReportApplier::bindGroupAdded, this, [this](const QList<int> &outputs) {
        if (SpliceGroups *groups = spliceGroups())
            groups->addGroup(outputs);
    });
    connect(m_reports, &ReportApplier::bindGroupDissolved, this, [this](int output) {
        if (SpliceGroups *groups = spliceGroups())
            groups->dissolveGroupOf(output);
    });
}

void RoutingPage::buildSpliceModes()
{
    m_spliceModes = new QButtonGroup(this);
    const QList<QPushButton *> modes{m_ui->btn_spliceMode0, m_ui->btn_spliceMode1,
                                     m_ui->btn_spliceMode2, m_ui->btn_spliceMode3,
                                     m_ui->btn_spliceMode4, m_ui->btn_spliceMode5};
    for (int i = 0; i < modes.size(); ++i)
        m_spliceModes->addButton(modes[i], i);
    modes.first()->setChecked(true);
    decorateSpliceModeButtons(m_spliceModes);
    connect(m_spliceModes, &QButtonGroup::idClicked, this, [this](int index) {
        if (spliceGroups())
            applySpliceMode(spliceModeFromInt(index));
    });
}

void RoutingPage::showSpliceMode(int mode)
{
    if (SpliceGroups *groups = spliceGroups())
        groups->formOnlyGroup(spliceModeOutputs(mode));
    if (QAbstractButton *button = m_spliceModes->button(m_state->spliceMode()))
        button->setChecked(true);
}

void RoutingPage::applySpliceMode(int mode)
{
    const QList<int> outputs = spliceModeOutputs(mode);
    QList<int> touched = outputs;
    for (int o : outputs) {
        for (int member : m_reports->spliceGroupOf(o)) {
            if (!touched.contains(member))
                touched.append(member);
        }
    }
    for (int o : touched) {
        if (m_permissions && !m_permissions->hasPortPermission(o, OutputPortKind))
            return;
    }
    if (!m_hooks.linkReady(QStringLiteral("splice mode %1").arg(mode))) {
        if (QAbstractButton *button = m_spliceModes->button(m_state->spliceMode()))
            button->setChecked(true);
        return;
    }
    m_client->setMode(mode);
    m_state->setSpliceMode(mode);
    if (SpliceGroups *groups = spliceGroups())
        groups->formOnlyGroup(outputs);
    m_reports->applyVideoRoute(m_state->videoRouteAt(outputs.first()), outputs.first(), false);
    if (QAbstractButton *button = m_spliceModes->button(m_state->spliceMode()))
        button->setChecked(true);
}

void RoutingPage::buildTables()
{
    DeviceState *store = m_state;
    const DeviceType type = store->deviceType();
    TableWidget *video = m_ui->videoTableWidget;
    TableWidget *audio = m_ui->AudioTable;
    TableWidget *hdmi = m_ui->audioHDMITable;
    TableWidget *ir = m_ui->InfaredTable;
    video->setTableType(TableWidget::VideoTable);
    audio->setTableType(TableWidget::AnalogAudioTable);
    hdmi->setTableType(TableWidget::HdmiAudioTable);
    ir->setTableType(TableWidget::InfraredTable);
    for (TableWidget *t : {audio, hdmi})
        t->setStripVideoOffset(false);
    // Their pages are not shown at start-up; their cells are made when the page first is.
    for (TableWidget *t : {audio, hdmi, ir})
        t->setCellsWhenShown(true);
    audio->setHeaderColor(QStringLiteral("#6988a0"));
    hdmi->setHeaderColor(QStringLiteral("#789383"));
    hdmi->setPortBase(100);
    showOutputNames();

    const QSize audioLayout = TableWidget::audioLayout(type);
    arrangeAudioPage();
    // A version report on every refresh must not rebuild cells that would come out the same.
    const QVector<int> layoutKey{int(type), store->bindMode(), store->splitterMode()};
    if (layoutKey == m_builtLayout)
        return;
    m_builtLayout = layoutKey;
    if (type != Dev0409S)
        audio->setTableLayout(audioLayout.width(), audioLayout.height());
    hdmi->setTableLayout(audioLayout.width(), audioLayout.height());
    if (type != Dev0404 && type != Dev0409S)
        ir->setTableLayout(audioLayout.width(), audioLayout.height());
    if (SpliceGroups *groups = spliceGroups())
        groups->layoutForMode(store->bindMode());
    else
        video->setLayoutForBindMode(store->bindMode());
}

// Every model's audio page is laid out alike: the analog table on the left and the HDMI audio
// table on the right, each under its caption, and a table shown alone stands in the middle.
// The wall model has no analog outputs; HDMI audio that follows video has no table.
void RoutingPage::arrangeAudioPage()
{
    const bool analog = m_state->deviceType() != Dev0409S;
    const bool hdmi = !m_reports->hdmiAudioFollow();
    m_ui->AudioTable->setVisible(analog);
    m_ui->lb_analogAudio->setVisible(analog);
    m_ui->audioHDMITable->setVisible(hdmi);
    m_ui->lb_hdmiAudio->setVisible(hdmi);
    // Rows 0, 1, 4 and columns 0, 3 are the page's margins: wide while only one table shows.
    const int margin = (analog && hdmi) ? 1 : 4;
    QGridLayout *grid = m_ui->gridLayout_audio;
    for (int row : {0, 1, 4})
        grid->setRowStretch(row, margin);
    for (int column : {0, 3})
        grid->setColumnStretch(column, margin);
    grid->setRowStretch(3, 8);
    grid->setColumnStretch(1, analog ? 6 : 0);
    grid->setColumnStretch(2, hdmi ? 6 : 0);
}

void RoutingPage::refreshTable(TableWidget *table)
{
    switch (table->tableType()) {
    case TableWidget::VideoTable:
        table->refreshFromRoute(m_state->videoRoute());
        break;
    case TableWidget::InfraredTable:
        table->refreshFromRoute(m_state->irRoute());
        break;
    default:
        table->refreshFromRoute(m_state->audioRoute());
        break;
    }
}

void RoutingPage::onStateChanged(DeviceState::Part part, const QList<int> &ports)
{
    switch (part) {
    case DeviceState::VideoRoute:
        refreshTable(m_ui->videoTableWidget);
        break;
    case DeviceState::AudioRoute:
        refreshTable(m_ui->AudioTable);
        refreshTable(m_ui->audioHDMITable);
        break;
    case DeviceState::IrRoute:
        refreshTable(m_ui->InfaredTable);
        break;
    case DeviceState::InputSignal:
        m_ui->listWidget->refreshSelectionAndMode();
        break;
    case DeviceState::OutputFlags:
        if (ports.isEmpty())
            m_ui->videoTableWidget->refreshOutputFlags();
        for (int port : ports)
            m_ui->videoTableWidget->refreshOutputFlags(port);
        break;
    default:
        break;
    }
}

void RoutingPage::onDrop(TableWidget *table, int input, int output)
{
    const RouteHistory::Kind kind = table == m_ui->videoTableWidget ? RouteHistory::Video
                                    : table == m_ui->InfaredTable   ? RouteHistory::Infrared
                                                                    : RouteHistory::Audio;
    if (m_takeMode) {
        // The table has checked the rights; the cell goes back to the live input and shows
        // the stage beside it.
        m_staged->stage(kind, output, input);
        refreshTable(table);
        return;
    }
    if (!m_hooks.linkReady(QStringLiteral("input %1 to output %2").arg(input).arg(output))) {
        // The cell already shows the drop; it goes back to what the device has.
        refreshTable(table);
        return;
    }
    m_history->recordRoute(kind, output, input);
    sendRoute(kind, output, input);
}

void RoutingPage::sendRoute(RouteHistory::Kind kind, int output, int input)
{
    if (kind == RouteHistory::Video)
        m_reports->applyVideoRoute(input, output, true);
    else if (kind == RouteHistory::Infrared)
        m_state->setIrRouteAt(output, input);
    else
        m_state->setAudioRouteAt(output, input);
    m_client->switchPort(input, output, kind, m_state->deviceType() == Dev0409S ? 100 : 0);
}

TableWidget *RoutingPage::tableFor(RouteHistory::Kind kind, int output) const
{
    switch (kind) {
    case RouteHistory::Video:
        return m_ui->videoTableWidget;
    case RouteHistory::Infrared:
        return m_ui->InfaredTable;
    case RouteHistory::Audio:
        break;
    }
    return output > ReportApplier::HdmiAudioOffset ? m_ui->audioHDMITable : m_ui->AudioTable;
}

void RoutingPage::undo()
{
    replay(m_history->takeUndo(), true);
}

void RoutingPage::redo()
{
    replay(m_history->takeRedo(), false);
}

void RoutingPage::replay(const RouteHistory::Step &step, bool back)
{
    if (step.isEmpty())
        return;
    const auto putBack = [&] {
        if (back)
            m_history->putBackUndo(step);
        else
            m_history->putBackRedo(step);
    };
    const QString what = (back ? QStringLiteral("undo of ") : QStringLiteral("redo of ")) +
                         RouteHistory::describe(step);
    if (!m_hooks.linkReady(what)) {
        putBack();
        return;
    }
    const QList<QList<int>> &dissolve = back ? step.formed : step.dissolved;
    const QList<QList<int>> &form = back ? step.dissolved : step.formed;
    // All or nothing: a step the operator may no longer make in full is not made in part.
    bool allowed = true;
    for (const RouteHistory::Route &r : step.routes)
        allowed =
            allowed && tableFor(r.kind, r.output)->dropAllowed(r.output, back ? r.before : r.after);
    for (const QList<int> &group : dissolve + form) {
        for (int o : group)
            allowed = allowed && groupAllows(o, SpliceFunction);
    }
    if (!allowed) {
        putBack();
        m_hooks.portWarning();
        return;
    }
    // Groups first: a route then reaches the outputs as they will be grouped.
    for (const QList<int> &group : dissolve) {
        m_client->unbindOutputs(group.first());
        if (m_groups)
            m_groups->dissolveGroupOf(group.first());
    }
    for (const QList<int> &group : form) {
        m_client->bindOutputs(group.first(), group);
        if (m_groups)
            m_groups->addGroup(group);
    }
    for (const RouteHistory::Route &r : step.routes)
        sendRoute(r.kind, r.output, back ? r.before : r.after);
}

void RoutingPage::setTakeMode(bool on)
{
    if (on == m_takeMode)
        return;
    if (!on && !m_staged->isEmpty()) {
        DialogConfirm ask(
            m_ui->tabWidget->window(), tr("Take mode"),
            tr("Drop the %1 staged routes without sending them?").arg(m_staged->count()));
        if (ask.exec() != 1) {
            const QSignalBlocker quiet(m_ui->cb_takeMode);
            m_ui->cb_takeMode->setChecked(true);
            return;
        }
        m_staged->clear();
    }
    m_takeMode = on;
    if (m_ui->cb_takeMode->isChecked() != on) {
        const QSignalBlocker quiet(m_ui->cb_takeMode);
        m_ui->cb_takeMode->setChecked(on);
    }
    showStaged();
}

void RoutingPage::take()
{
    if (m_staged->isEmpty() ||
        !m_hooks.linkReady(QStringLiteral("take of %1 staged routes").arg(m_staged->count())))
        return;
    bool sendStale = true;
    if (const int stale = m_staged->staleCount()) {
        DialogConfirm3Btn ask(m_ui->tabWidget->window(), tr("Take"),
                              tr("Another operator has changed %1 of the staged outputs since "
                                 "they were staged.\nYes: send those routes too.\nNo: send "
                                 "the others and drop those.")
                                  .arg(stale));
        const int choice = ask.exec();
        if (choice == DialogConfirm3Btn::Cancel)
            return;
        sendStale = choice == DialogConfirm3Btn::Yes;
    }
    // The rights again: the user may have changed since the routes were staged.
    QList<StagedRoutes::Stage> refused;
    QList<RouteHistory::Route> routes;
    for (const StagedRoutes::Stage &stage : m_staged->stages()) {
        if (stage.stale && !sendStale)
            continue;
        if (!tableFor(stage.kind, stage.output)->dropAllowed(stage.output, stage.input))
            refused << stage;
        else
            routes << RouteHistory::Route{stage.kind, stage.output, 0, stage.input};
    }
    // One undo step for the whole take; sent output by output.
    m_history->recordRoutes(routes);
    m_staged->clear();
    for (const RouteHistory::Route &r : routes)
        sendRoute(r.kind, r.output, r.after);
    if (!refused.isEmpty()) {
        for (const StagedRoutes::Stage &stage : refused)
            m_staged->stage(stage.kind, stage.output, stage.input);
        m_hooks.portWarning();
    }
}

void RoutingPage::onGroupsChanged(const QMap<int, QList<int>> &groups)
{
    // Only what reached the device is a step to undo.
    if (m_spliceSent && m_client->isConnected()) {
        QList<QList<int>> formed;
        QList<QList<int>> dissolved;
        for (const QList<int> &group : groups) {
            if (!m_groupsShown.values().contains(group))
                formed << group;
        }
        for (const QList<int> &group : qAsConst(m_groupsShown)) {
            if (!groups.values().contains(group))
                dissolved << group;
        }
        m_history->recordSplice(formed, dissolved, m_spliceRoutes);
    }
    m_spliceSent = false;
    m_spliceRoutes.clear();
    m_groupsShown = groups;
}

void RoutingPage::markChangedByOthers(int layer, int output)
{
    const auto kind = RouteHistory::Kind(layer);
    RouteHistory::Step step;
    step.routes << RouteHistory::Route{kind, output, 0, m_history->routesOf(kind).value(output)};
    const QString change = RouteHistory::describe(step);
    m_recent.insert({layer, output},
                    {QDeadlineTimer(RecentChangeMs),
                     tr("Changed by another client at %1: %2")
                         .arg(QTime::currentTime().toString(QStringLiteral("HH:mm:ss")), change)});
    showRecentChanges();
}

void RoutingPage::showRecentChanges()
{
    qint64 next = -1;
    for (auto it = m_recent.begin(); it != m_recent.end();) {
        const bool over = it->until.hasExpired();
        const auto kind = RouteHistory::Kind(it.key().first);
        const int output = it.key().second;
        if (TableItemWidget *cell = tableFor(kind, output)->cellForOutput(output))
            cell->setRecentChange(over ? QString() : it->text);
        if (over) {
            it = m_recent.erase(it);
            continue;
        }
        const qint64 left = it->until.remainingTime();
        next = next < 0 ? left : qMin(next, left);
        ++it;
    }
    // One timer for all marks, set for the next to go.
    if (next >= 0)
        m_recentTimer->start(int(next) + 1);
}

void RoutingPage::cancelStaged()
{
    m_staged->clear();
}

void RoutingPage::setTakeBarShown(bool shown)
{
    m_takeBarShown = shown;
    m_ui->wid_take->setVisible(shown);
    showStaged();
}

void RoutingPage::showStaged()
{
    QMap<TableWidget *, QMap<int, int>> inputs;
    QMap<TableWidget *, QSet<int>> stale;
    for (TableWidget *table : tables())
        inputs[table]; // every table, so that cells no longer staged are cleared
    for (const StagedRoutes::Stage &stage : m_staged->stages()) {
        TableWidget *table = tableFor(stage.kind, stage.output);
        inputs[table].insert(stage.output, stage.input);
        if (stage.stale)
            stale[table].insert(stage.output);
    }
    for (auto it = inputs.cbegin(); it != inputs.cend(); ++it)
        it.key()->showPending(it.value(), stale.value(it.key()));

    const int count = m_staged->count();
    const int staleCount = m_staged->staleCount();
    QString text;
    if (count > 0)
        text = staleCount
                   ? tr("%1 staged, %2 changed by another operator").arg(count).arg(staleCount)
                   : tr("%1 staged").arg(count);
    else if (m_takeMode)
        text = tr("Drops wait here for Take");
    m_ui->lb_staged->setText(text);
    m_ui->lb_staged->setVisible(!text.isEmpty());
    m_ui->btnTake->setVisible(m_takeMode || count > 0);
    m_ui->btnCancelTake->setVisible(m_takeMode || count > 0);
    m_ui->btnTake->setEnabled(count > 0);
    m_ui->btnCancelTake->setEnabled(count > 0);
    for (QShortcut *key : qAsConst(m_takeKeys))
        key->setEnabled(count > 0 && m_takeBarShown);
}

void RoutingPage::showHistory()
{
    const QString undo = m_history->undoText();
    const QString redo = m_history->redoText();
    m_ui->btnUndo->setEnabled(!undo.isEmpty());
    m_ui->btnRedo->setEnabled(!redo.isEmpty());
    m_ui->btnUndo->setToolTip(undo.isEmpty() ? tr("Nothing to undo") : undo);
    m_ui->btnRedo->setToolTip(redo.isEmpty() ? tr("Nothing to redo") : redo);
}

bool RoutingPage::groupAllows(int port, int listRight) const
{
    if (!m_permissions)
        return true;
    for (int o : m_reports->spliceGroupOf(port)) {
        if (!m_permissions->hasPortPermission(o, OutputPortKind) ||
            !m_permissions->hasListPermission(listRight))
            return false;
    }
    return true;
}

void RoutingPage::onLock(int port, bool lock)
{
    if (!m_hooks.linkReady(QStringLiteral("lock of output %1").arg(port))) {
        m_ui->videoTableWidget->refreshOutputFlags(port);
        return;
    }
    m_client->setOutputLock(port, lock);
    m_state->setOutputLockAt(port, lock);
}

void RoutingPage::applyToGroup(int port, bool on, void (DeviceState::*store)(int, bool),
                               void (MessageDistance::*send)(int, bool))
{
    if (!m_hooks.linkReady(QStringLiteral("pause or mute of output %1").arg(port))) {
        m_ui->videoTableWidget->refreshOutputFlags(port);
        return;
    }
    if (!groupAllows(port, PausePlayOutputFunction)) {
        m_hooks.portWarning();
        m_ui->videoTableWidget->refreshOutputFlags(port);
        return;
    }
    // The rest of the group follows in the view; the device is told for the port only.
    for (int o : m_reports->spliceGroupOf(port)) {
        if (o != port)
            (m_state->*store)(o, on);
    }
    (m_client->*send)(port, on);
    (m_state->*store)(port, on);
}

QList<TableWidget *> RoutingPage::tables() const
{
    return {m_ui->videoTableWidget, m_ui->AudioTable, m_ui->audioHDMITable, m_ui->InfaredTable};
}

void RoutingPage::arrangeFor(DeviceType type)
{
    // The 0808-S has its splice bar and always the 2 x 4 layout; the 0404 one fixed layout.
    if (type != Dev0409S) {
        m_ui->vtcWidBottomVideoTable->setVisible(type == Dev0808S);
        m_ui->lb_sg->setVisible(type == Dev0808S);
        if (type == Dev0808S)
            m_state->setBindMode(1);
        else if (type == Dev0404)
            m_state->setBindMode(2);
    }
    // The list knows which of its entries each model has.
    m_ui->listWidget->arrangeForDeviceType(type);
    buildTables();
    m_ui->listWidget->refreshSelectionAndMode();
}

void RoutingPage::applyRights()
{
    for (TableWidget *table : tables())
        table->setPermissions(m_permissions);
    m_ui->videoTableWidget->applyButtonRights();
    const bool spliceBar = m_permissions->hasListPermission(VideoSwitchFunction) &&
                           m_permissions->hasListPermission(SpliceFunction);
    m_ui->vtcWidBottomVideoTable->setEnabled(spliceBar);
    m_ui->lb_sg->setEnabled(spliceBar);
}

void RoutingPage::loadPortNames()
{
    AppSettings *settings = AppSettings::instance();
    const QMap<int, QString> videoNames = m_portNames->loadPortNames(InputVideoName);
    const QMap<int, QString> audioNames = m_portNames->loadPortNames(InputAudioName);
    settings->setInputNames(videoNames);
    settings->setAudioNames(audioNames);
    settings->setOutputNames(m_portNames->loadPortNames(OutputVideoName));
    // The list shows the names just read; reading them again cost a second pass over project.db.
    m_ui->listWidget->setSignalNames(videoNames, audioNames);
}

void RoutingPage::showNamesAfresh()
{
    loadPortNames();
    SigManager *hub = SigManager::instance();
    for (int port = 1; port <= ListWidget::PortsPerKind; ++port) {
        emit hub->Sig_RenameInputSignals(port);
        emit hub->Sig_RenameInputAudioSignals(port);
        emit hub->Sig_RenameInputHDMIAudioSignals(port);
    }
    showOutputNames();
}

void RoutingPage::showOutputNames()
{
    const QMap<int, QString> names = m_portNames->loadPortNames(OutputVideoName);
    for (TableWidget *t : tables())
        t->setOutputNames(names);
}

RoutingPage::~RoutingPage() = default;

SpliceGroups *RoutingPage::spliceGroups() const
{
    return m_groups.get();
}

void RoutingPage::createSpliceGroups()
{
    if (m_groups)
        return;
    m_groups = std::make_unique<VideoSplitManager>();
    TableWidget *video = m_ui->videoTableWidget;
    VideoSplitManager *groups = m_groups.get();
    connect(groups, &VideoSplitManager::si_groupsChanged, video, &TableWidget::setSpliceGroups);
    connect(groups, &VideoSplitManager::si_groupsChanged, this, &RoutingPage::onGroupsChanged);
    connect(groups, &VideoSplitManager::si_tableRefreshRequested, video,
            &TableWidget::setLayoutForBindMode);
    // A new group shows the master's picture on all its outputs.
    connect(groups, &VideoSplitManager::si_sendNewBindMsg, this,
            [this](int master, const QList<int> &members) {
                const int input = m_state->videoRouteAt(master);
                for (int o : members)
                    m_spliceRoutes << RouteHistory::Route{RouteHistory::Video, o,
                                                          m_state->videoRouteAt(o), input};
                m_spliceSent = true;
                m_reports->applyVideoRoute(input, master, false);
                m_client->bindOutputs(master, members);
            });
    connect(groups, &VideoSplitManager::si_sendUnBindMsg, this, [this](int output) {
        m_spliceSent = true;
        m_client->unbindOutputs(output);
    });
    groups->setTable(video);
    m_reports->setSpliceGroups([groups](int output) { return groups->groupOf(output); });
}
