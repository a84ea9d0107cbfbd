#include "tablewidget.h"

#include "tableitemwidget.h"

#include "app/appsettings.h"
#include "state/devicestate.h"
#include "state/sigmanager.h"
#include "uikit/labelclickedintableitem.h"
#include "users/permissionfunction.h"
#include "users/permissiongate.h"

#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QFrame>
#include <QHeaderView>
#include <QMimeData>
#include <QMouseEvent>

namespace {
const char *const selectionFrameStyle =
    "QFrame { border: 2px solid rgba(51,140,86,128); background-color: transparent; }";

// The margin around a cell shows the theme's colours, not the platform's blue: green when the
// cell is selected, else dark blue-grey when it has the keyboard focus. Every item has a rule, so
// the sheet rather than the platform style draws them, and draws no focus frame over the cell.
const char *const tableStyle =
    "TableWidget{outline:none;} TableWidget::item{background:transparent;} "
    "TableWidget::item:focus{background:#2c3e50;} TableWidget::item:selected{background:#338c56;}";

// The highest output a table holds, counted from its port base.
constexpr int maxOutputs = 9;
constexpr int videoOffset = 100;

} // namespace

TableWidget::TableWidget(QWidget *parent) : QTableWidget(parent)
{
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setDragDropMode(QAbstractItemView::DropOnly);
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);
    setDropIndicatorShown(false);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setStyleSheet(QString::fromLatin1(tableStyle));
    setTableType(VideoTable);

    connect(this, &QTableWidget::itemSelectionChanged, this, &TableWidget::refreshLook);

    // Any of the three notices may concern a cell; each cell relabels from its own input code,
    // so the kind of the notice does not matter.
    SigManager *hub = SigManager::instance();
    connect(hub, &SigManager::Sig_RenameInputSignals, this, &TableWidget::relabelInput);
    connect(hub, &SigManager::Sig_RenameInputAudioSignals, this, &TableWidget::relabelInput);
    connect(hub, &SigManager::Sig_RenameInputHDMIAudioSignals, this, &TableWidget::relabelInput);
}

TableWidget::~TableWidget() = default;

QSize TableWidget::videoLayout(DeviceType type, int bindMode)
{
    switch (bindMode) {
    case 1:
        return (type == Dev0808 || type == Dev0808S) ? QSize(4, 2) : QSize(5, 2);
    case 2:
        return QSize(2, 2);
    default:
        return QSize(3, 3);
    }
}

QSize TableWidget::audioLayout(DeviceType type)
{
    switch (type) {
    case Dev0808:
    case Dev0808S:
        return QSize(4, 2);
    case Dev0404:
        return QSize(2, 2);
    case Dev0409S:
        return QSize(1, 1);
    default:
        return QSize(3, 3);
    }
}

void TableWidget::setTableType(int type)
{
    m_tableType = type;
    const bool video = type == VideoTable;
    setShowGrid(!video);
    if (video && !m_selectionFrame) {
        m_selectionFrame = new QFrame(viewport());
        m_selectionFrame->setObjectName(QStringLiteral("selectionFrame"));
        m_selectionFrame->setStyleSheet(QString::fromLatin1(selectionFrameStyle));
        m_selectionFrame->setAttribute(Qt::WA_TransparentForMouseEvents);
        m_selectionFrame->hide();
    } else if (!video && m_selectionFrame) {
        delete m_selectionFrame;
        m_selectionFrame = nullptr;
    }
}

void TableWidget::setHeaderColor(const QString &color)
{
    m_headerColor = color;
    const QString style =
        QStringLiteral("QHeaderView::section{background:%1;color:white;border:none;}").arg(color);
    horizontalHeader()->setStyleSheet(style);
    verticalHeader()->setStyleSheet(style);
}

void TableWidget::setOutputNames(const QMap<int, QString> &names)
{
    m_outputNames = names;
    refreshOutputNames();
}

void TableWidget::setInputColors(const QStringList &colors)
{
    m_inputColors = colors;
    refreshLook();
}

int TableWidget::outputAt(int row, int column) const
{
    // Five columns leave the top-right cell empty: 1..4 above, 5..9 below.
    if (m_columns == 5 && row == 0 && column == 4)
        return 0;
    if (m_columns == 5 && row == 1)
        return 5 + column + m_portBase;
    return column + 1 + m_columns * row + m_portBase;
}

void TableWidget::setTableLayout(int columns, int rows)
{
    hideFrame();
    clear();
    // Dropping all rows first releases the old cell widgets.
    setRowCount(0);
    setColumnCount(0);
    m_columns = qMax(0, columns);
    m_rows = qMax(0, rows);
    setColumnCount(m_columns);
    setRowCount(m_rows);

    const DeviceState *state = DeviceState::instance();
    const DeviceType type = state->deviceType();
    const bool eightPorts = type == Dev0808 || type == Dev0808S;
    const bool video = m_tableType == VideoTable;

    for (int r = 0; r < m_rows; ++r) {
        for (int c = 0; c < m_columns; ++c) {
            const int output = outputAt(r, c);
            if (output == 0 || output > m_portBase + maxOutputs)
                continue;
            if (eightPorts && output == m_portBase + maxOutputs)
                continue;
            auto *item = new QTableWidgetItem;
            item->setTextAlignment(Qt::AlignCenter);
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDropEnabled);
            item->setData(OutputRole, output);
            setItem(r, c, item);
        }
    }
    m_cellsPending = true;
    if (!m_cellsWhenShown || isVisible())
        buildCells();

    horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    verticalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    refreshOutputNames();
    refreshLook();
    emit layoutChangedSig();
    if (video) {
        emit si_requsetCheckPermissionLabelClicked();
        // The multiview model shows its layout on output 9; that cell cannot be routed then.
        if (state->splitterMode() != 0)
            setOutputEnabled(m_portBase + maxOutputs, false);
    }
    fitCells();
}

void TableWidget::setCellsWhenShown(bool later)
{
    m_cellsWhenShown = later;
    if (!later)
        ensureCells();
}

void TableWidget::provideCellRules()
{
    // One sheet for all cells: a cell with a sheet of its own is re-polished whenever it is
    // re-parented. A window that shows several tables carries the rules once for all of them;
    // a copy on each table was read again at every polish of its cells.
    const QString &rules = TableItemWidget::sharedStyleSheet();
    for (const QWidget *w = this; w; w = w->parentWidget()) {
        if (w->styleSheet().contains(rules))
            return;
    }
    viewport()->setStyleSheet(rules);
}

void TableWidget::buildCells()
{
    m_cellsPending = false;
    provideCellRules();
    const DeviceState *state = DeviceState::instance();
    const bool video = m_tableType == VideoTable;
    for (int r = 0; r < rowCount(); ++r) {
        for (int c = 0; c < columnCount(); ++c) {
            const QTableWidgetItem *it = item(r, c);
            if (!it || cellWidget(r, c))
                continue;
            const int output = it->data(OutputRole).toInt();
            auto *cell = new TableItemWidget;
            cell->setButtonsVisible(video);
            if (video) {
                cell->setFrozen(state->frozenAt(output));
                cell->setLocked(state->outputLockAt(output));
                cell->setLinked(state->outputLinkAt(output));
                cell->setMuted(state->videoMuteAt(output));
                connect(cell, &TableItemWidget::si_click_pause, this,
                        [this, output](bool pause) { emit si_orderToPause(output, pause); });
                connect(cell, &TableItemWidget::si_click_lock, this,
                        [this, output](bool lock) { emit si_orderToLock(output, lock); });
                connect(cell, &TableItemWidget::si_click_mute, this,
                        [this, output](bool mute) { emit si_orderToMute(output, mute); });
            }
            // Routes that arrived while the cells were pending live in the items.
            cell->setInputText(inputLabel(it->data(InputRole).toInt()));
            setCellWidget(r, c, cell);
        }
    }
}

void TableWidget::ensureCells() const
{
    if (!m_cellsPending)
        return;
    auto *self = const_cast<TableWidget *>(this);
    self->buildCells();
    // Whatever changed while the cells were pending is taken from the items and the state.
    self->refreshOutputNames();
    self->refreshLook();
    if (m_tableType == VideoTable) {
        self->applyButtonRights();
        emit self->si_requsetCheckPermissionLabelClicked();
    }
    self->fitCells();
}

void TableWidget::showEvent(QShowEvent *event)
{
    ensureCells();
    QTableWidget::showEvent(event);
}

void TableWidget::setLayoutForBindMode(int bindMode)
{
    const QSize layout = videoLayout(DeviceState::instance()->deviceType(), bindMode);
    setTableLayout(layout.width(), layout.height());
}

void TableWidget::setSpliceGroups(const QMap<int, QList<int>> &groups)
{
    m_groups = groups;
    refreshLook();
}

QList<int> TableWidget::groupOf(int output) const
{
    for (auto it = m_groups.cbegin(); it != m_groups.cend(); ++it) {
        if (it.value().contains(output))
            return it.value();
    }
    return {};
}

void TableWidget::setGroupColorHook(GroupColorHook hook)
{
    m_groupColorHook = std::move(hook);
    refreshLook();
}

QString TableWidget::groupColor(int output) const
{
    int index = 0;
    for (auto it = m_groups.cbegin(); it != m_groups.cend(); ++it, ++index) {
        if (!it.value().contains(output))
            continue;
        if (m_groupColorHook)
            return m_groupColorHook(it.key(), index);
        if (!m_inputColors.isEmpty())
            return m_inputColors.at(index % m_inputColors.size());
        return QStringLiteral("rgb(201,202,202)");
    }
    return QString();
}

void TableWidget::setOutputEnabled(int output, bool enabled)
{
    for (int r = 0; r < rowCount(); ++r) {
        for (int c = 0; c < columnCount(); ++c) {
            const QTableWidgetItem *it = item(r, c);
            if (it && it->data(OutputRole).toInt() == output) {
                if (auto *cell = cellForItem(it))
                    cell->setCellDisabled(!enabled);
            }
        }
    }
    refreshLook();
}

bool TableWidget::isOutputEnabled(int output) const
{
    const TableItemWidget *cell = cellForOutput(output);
    return cell && !cell->isCellDisabled();
}

QTableWidgetItem *TableWidget::itemForOutput(int output) const
{
    for (int r = 0; r < rowCount(); ++r) {
        for (int c = 0; c < columnCount(); ++c) {
            QTableWidgetItem *it = item(r, c);
            if (it && it->data(OutputRole).toInt() == output)
                return it;
        }
    }
    return nullptr;
}

TableItemWidget *TableWidget::cellForOutput(int output) const
{
    return cellForItem(itemForOutput(output));
}

TableItemWidget *TableWidget::cellForItem(const QTableWidgetItem *item) const
{
    ensureCells();
    return builtCell(item);
}

TableItemWidget *TableWidget::builtCell(const QTableWidgetItem *item) const
{
    if (!item || item->tableWidget() != this)
        return nullptr;
    return qobject_cast<TableItemWidget *>(cellWidget(item->row(), item->column()));
}

QList<int> TableWidget::outputs() const
{
    QList<int> list;
    for (int r = 0; r < rowCount(); ++r) {
        for (int c = 0; c < columnCount(); ++c) {
            if (const QTableWidgetItem *it = item(r, c))
                list.append(it->data(OutputRole).toInt());
        }
    }
    return list;
}

QString TableWidget::inputLabel(int code) const
{
    if (code <= 0)
        return QString();
    const AppSettings *settings = AppSettings::instance();
    // Video and infrared tables route video inputs, whether or not the offset came along; the
    // audio tables tell a video input's embedded audio (above 100) from an audio input.
    if (m_stripVideoOffset || code >= videoOffset) {
        const int port = code >= videoOffset ? code - videoOffset : code;
        return QStringLiteral("[%1] %2").arg(port).arg(settings->inputName(port));
    }
    return QStringLiteral("[%1] %2").arg(code).arg(settings->audioName(code));
}

void TableWidget::setCellInput(int output, int input)
{
    for (int r = 0; r < rowCount(); ++r) {
        for (int c = 0; c < columnCount(); ++c) {
            QTableWidgetItem *it = item(r, c);
            if (!it || it->data(OutputRole).toInt() != output)
                continue;
            it->setData(InputRole, input);
            if (auto *cell = builtCell(it))
                cell->setInputText(inputLabel(input));
        }
    }
}

void TableWidget::refreshFromRoute(const QMap<int, int> &route)
{
    for (int r = 0; r < rowCount(); ++r) {
        for (int c = 0; c < columnCount(); ++c) {
            QTableWidgetItem *it = item(r, c);
            if (!it)
                continue;
            const int output = it->data(OutputRole).toInt();
            const auto found = route.constFind(output);
            if (found == route.cend())
                continue;
            it->setData(InputRole, found.value());
            if (auto *cell = builtCell(it))
                cell->setInputText(inputLabel(found.value()));
        }
    }
}

void TableWidget::showPending(const QMap<int, int> &inputs, const QSet<int> &stale)
{
    for (int r = 0; r < rowCount(); ++r) {
        for (int c = 0; c < columnCount(); ++c) {
            const QTableWidgetItem *it = item(r, c);
            TableItemWidget *cell = it ? builtCell(it) : nullptr;
            if (!cell)
                continue;
            const int output = it->data(OutputRole).toInt();
            const auto found = inputs.constFind(output);
            if (found == inputs.cend()) {
                cell->setPendingText(QString(), false);
                continue;
            }
            const QString input = found.value() ? inputLabel(found.value()) : tr("nothing");
            cell->setPendingText(stale.contains(output) ? tr("Stale: %1").arg(input)
                                                        : tr("Take: %1").arg(input),
                                 stale.contains(output));
        }
    }
}

void TableWidget::relabelInput(int port)
{
    for (int r = 0; r < rowCount(); ++r) {
        for (int c = 0; c < columnCount(); ++c) {
            const QTableWidgetItem *it = item(r, c);
            if (!it)
                continue;
            const int code = it->data(InputRole).toInt();
            const int shown = code >= videoOffset ? code - videoOffset : code;
            if (code <= 0 || shown != port)
                continue;
            if (auto *cell = builtCell(it))
                cell->setInputText(inputLabel(code));
        }
    }
}

void TableWidget::clearItem(QTableWidgetItem *item)
{
    TableItemWidget *cell = cellForItem(item);
    // A disabled cell (the multiview output) cannot be routed, so it cannot be cleared either.
    if (!cell || cell->isCellDisabled())
        return;
    const int output = item->data(OutputRole).toInt();
    if (!dropAllowed(output, 0)) {
        emit si_showPermissionWarningDialog();
        return;
    }
    item->setData(InputRole, 0);
    item->setText(QString());
    cell->setInputText(QString());
    emit dropPortToItemSig(0, output);
}

void TableWidget::refreshOutputFlags(int output)
{
    const DeviceState *state = DeviceState::instance();
    for (int r = 0; r < rowCount(); ++r) {
        for (int c = 0; c < columnCount(); ++c) {
            const QTableWidgetItem *it = item(r, c);
            if (!it || it->data(OutputRole).toInt() != output)
                continue;
            if (auto *cell = builtCell(it)) {
                cell->setFrozen(state->frozenAt(output));
                cell->setLocked(state->outputLockAt(output));
                cell->setLinked(state->outputLinkAt(output));
                cell->setMuted(state->videoMuteAt(output));
            }
        }
    }
}

void TableWidget::refreshOutputFlags()
{
    const QList<int> all = outputs();
    for (int output : all)
        refreshOutputFlags(output);
}

void TableWidget::applyButtonRights()
{
    const PermissionGate gate(m_permissions);
    const bool pausePlay = gate.checkListPermission(PausePlayOutputFunction, false);
    const bool closeOpen = gate.checkListPermission(CloseOpenOutputFunction, false);
    for (int r = 0; r < rowCount(); ++r) {
        for (int c = 0; c < columnCount(); ++c) {
            const QTableWidgetItem *it = item(r, c);
            TableItemWidget *cell = builtCell(it);
            if (!cell)
                continue;
            const bool output =
                gate.checkPortPermission(it->data(OutputRole).toInt(), OutputPortKind, false);
            cell->playLabel()->setEnabled(output && pausePlay);
            cell->muteLabel()->setEnabled(output && closeOpen);
        }
    }
}

QString TableWidget::outputNameFor(int output) const
{
    const int port = output - m_portBase;
    const QString own = m_outputNames.value(port);
    return own.isEmpty() ? AppSettings::instance()->outputName(port) : own;
}

void TableWidget::refreshOutputNames()
{
    for (int r = 0; r < rowCount(); ++r) {
        for (int c = 0; c < columnCount(); ++c) {
            const QTableWidgetItem *it = item(r, c);
            if (auto *cell = builtCell(it))
                cell->setOutputName(outputNameFor(it->data(OutputRole).toInt()));
        }
    }
}

CellLook TableWidget::lookFor(const QTableWidgetItem *item, bool selected) const
{
    const TableItemWidget *cell = builtCell(item);
    if (cell && cell->isCellDisabled())
        return TableItemWidget::disabledLook();
    CellLook look = selected ? TableItemWidget::selectedLook() : TableItemWidget::normalLook();
    const QString color = groupColor(item->data(OutputRole).toInt());
    if (!color.isEmpty()) {
        look.outputBackground = color;
        look.inputBackground = color;
        look.outputText = TableItemWidget::normalLook().outputText;
    }
    return look;
}

void TableWidget::refreshLook()
{
    for (int r = 0; r < rowCount(); ++r) {
        for (int c = 0; c < columnCount(); ++c) {
            const QTableWidgetItem *it = item(r, c);
            if (auto *cell = builtCell(it))
                cell->setLook(lookFor(it, it->isSelected()));
        }
    }
}

void TableWidget::fitCells()
{
    horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    verticalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    updateGeometries();
    hideFrame();
}

bool TableWidget::groupAllows(int output) const
{
    const PermissionGate gate(m_permissions);
    const QList<int> members = groupOf(output);
    for (int member : members) {
        if (!gate.checkPortPermission(member, OutputPortKind, false))
            return false;
    }
    return true;
}

bool TableWidget::dropAllowed(int output, int code) const
{
    if (!m_permissions)
        return true;
    // Warnings are left to the table's owner: a refused drop shows the port warning once.
    const PermissionGate gate(m_permissions);
    const auto analog = [&] {
        return gate.checkPortPermission(output, AnalogOutputPortKind, false) &&
               gate.checkListPermission(AudioSwitchFunction, false) &&
               gate.checkPortPermission(code, AudioInputPortKind, false);
    };
    const auto hdmi = [&] {
        return gate.checkPortPermission(output, OutputPortKind, false) &&
               gate.checkListPermission(HdmiAudioSwitchFunction, false);
    };
    switch (m_tableType) {
    case VideoTable:
        return gate.checkPortPermission(output, OutputPortKind, false) &&
               gate.checkListPermission(VideoSwitchFunction, false) &&
               gate.checkPortPermission(code, InputPortKind, false) && groupAllows(output);
    case AnalogAudioTable:
        return analog();
    case HdmiAudioTable:
        return hdmi();
    case InfraredTable:
        return gate.checkPortPermission(output, OutputPortKind, false) &&
               gate.checkListPermission(InfraredSwitchFunction, false);
    default:
        return true;
    }
}

void TableWidget::dragEnterEvent(QDragEnterEvent *event)
{
    event->acceptProposedAction();
}

void TableWidget::dragMoveEvent(QDragMoveEvent *event)
{
    event->acceptProposedAction();
    showFrameAt(event->pos());
}

void TableWidget::dragLeaveEvent(QDragLeaveEvent *event)
{
    hideFrame();
    event->accept();
}

void TableWidget::dropEvent(QDropEvent *event)
{
    hideFrame();
    QTableWidgetItem *target = itemAt(event->pos());
    if (!target) {
        event->accept();
        return;
    }
    TableItemWidget *cell = cellForItem(target);
    if (!cell || cell->isCellDisabled()) {
        event->ignore();
        return;
    }
    // Only an input code from the signal list routes; any other text (a drag from another
    // program) would otherwise read as 0 and clear the output.
    bool ok = false;
    const int code = event->mimeData()->text().trimmed().toInt(&ok);
    if (!ok || code <= 0) {
        event->ignore();
        return;
    }
    // Copy only: a source offering a move must never lose its entry to a drop here.
    event->setDropAction(Qt::CopyAction);
    event->accept();

    const int output = target->data(OutputRole).toInt();
    if (!dropAllowed(output, code)) {
        emit si_showPermissionWarningDialog();
        return;
    }
    target->setData(InputRole, code);
    cell->setInputText(inputLabel(code));
    const int input = (m_stripVideoOffset && code > videoOffset) ? code - videoOffset : code;
    emit dropPortToItemSig(input, output);
}

void TableWidget::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        if (QTableWidgetItem *target = itemAt(event->pos())) {
            clearItem(target);
            event->accept();
            return;
        }
    }
    QTableWidget::mouseDoubleClickEvent(event);
}

void TableWidget::resizeEvent(QResizeEvent *event)
{
    QTableWidget::resizeEvent(event);
    fitCells();
}

void TableWidget::showFrameAt(const QPoint &pos)
{
    if (!m_selectionFrame)
        return;
    const QTableWidgetItem *target = itemAt(pos);
    const TableItemWidget *cell = cellForItem(target);
    if (!cell || cell->isCellDisabled()) {
        hideFrame();
        return;
    }
    m_selectionFrame->setGeometry(visualItemRect(target));
    m_selectionFrame->raise();
    m_selectionFrame->show();
}

void TableWidget::hideFrame()
{
    if (m_selectionFrame)
        m_selectionFrame->hide();
}
