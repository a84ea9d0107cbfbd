#include "outputwidget0409.h"

#include "app/appsettings.h"
#include "inputsignalwidget0409.h"
#include "protocol/messagedistance.h"
#include "state/devicestate.h"
#include "uikit/dialogconfirm.h"
#include "users/permissionfunction.h"
#include "users/permissiongate.h"
#include "wall/dialogwindowproperty.h"

#include <QDebug>
#include <QDragEnterEvent>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>
#include <QWheelEvent>

using namespace WallGeometry;

namespace {
const char *const listMime = "application/x-qabstractitemmodeldatalist";
const char *const typeMime = "application/type";

const char *const menuStyle =
    "QMenu { background-color: white; border: none; border-radius: 10px; padding: 5px; }"
    " QMenu::item { padding: 5px; min-width: 150px; min-height: 25px; font-size: 12px;"
    " color: rgba(64, 64, 64, 255); background: transparent; }"
    " QMenu::item:selected { background-color: rgba(240, 241, 236, 255); }";

WallWindowProperties propertiesOf(const InputSignalWidget0409 *w)
{
    WallWindowProperties p;
    p.id = w->id();
    p.layer = w->layer();
    p.input = w->input();
    p.relativeRect = w->relativeRect();
    p.virtualSize = w->virtualSize();
    return p;
}
} // namespace

OutputWidget0409::OutputWidget0409(QWidget *parent)
    : QWidget(parent), m_virtualSize(virtualWallSize(0, QString(), 0))
{
    setAcceptDrops(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

OutputWidget0409::~OutputWidget0409() = default;

void OutputWidget0409::setPermissions(const PermissionStore *permissions)
{
    if (!permissions) {
        m_permissionCheck = nullptr;
        return;
    }
    m_permissionCheck = [permissions](int input) {
        const PermissionGate gate(permissions);
        return gate.checkListPermission(SplicingWallFunction, false) &&
               gate.checkPortPermission(input, InputPortKind, false);
    };
}

bool OutputWidget0409::allowed(int input) const
{
    return !m_permissionCheck || m_permissionCheck(input);
}

bool OutputWidget0409::message(const QString &title, const QString &text, bool question)
{
    if (m_message)
        return m_message(title, text, question);
    DialogConfirm dialog(this, title, text);
    return dialog.exec() == 1;
}

bool OutputWidget0409::linkUp() const
{
    return MessageDistance::instance()->isConnected();
}

QString OutputWidget0409::nameOf(int input) const
{
    const auto it = m_inputNames.constFind(input);
    return it != m_inputNames.cend() ? it.value() : AppSettings::instance()->inputName(input);
}

// ---- the wall and its grid -------------------------------------------------------------------

void OutputWidget0409::updateRealResolution()
{
    const DeviceState *store = DeviceState::instance();
    const int vir = store->virMode();
    const QString resolution = store->outputResolution().value(1);
    if (resolution.trimmed().isEmpty())
        qDebug() << "_DEFAULT_RESOLU";
    const QSize wall = virtualWallSize(vir, resolution, store->rotateAngleAt(1));
    if (wall.isEmpty()) {
        // Zeros would put every window at 0, 0 with no size on the device: keep the last wall.
        qDebug() << "Error: Map of out resolu" << resolution << "- the wall stays" << m_virtualSize;
    } else {
        m_virtualSize = wall;
    }
    qDebug() << "VIR Mode: " << vir;
    qDebug().nospace() << "Real Resolu: " << m_virtualSize.width() << "x" << m_virtualSize.height();
    const QSize posted = m_virtualSize;
    QTimer::singleShot(0, this, [this, posted] {
        emit si_orderToOptimiseSizeVis(posted.width(), posted.height());
    });
}

void OutputWidget0409::setLayoutUnit(int index)
{
    m_unitIndex = (index >= 0 && index <= 2) ? index : 2;
    updateLayoutMode();
}

void OutputWidget0409::updateLayoutMode()
{
    m_layoutMode = layoutModeFor(DeviceState::instance()->virMode(), m_unitIndex, m_layoutMode);
    const Grid g = grid();
    emit si_layoutChanged(g.rows, g.columns);
    update();
}

void OutputWidget0409::resetAndLayout()
{
    discardAll();
    m_nextId = 1;
    updateRealResolution();
    updateLayoutMode();
    scheduleRebuild();
}

void OutputWidget0409::relayout()
{
    // Windows keep their place on the wall at any canvas size.
    for (InputSignalWidget0409 *w : qAsConst(m_windows)) {
        w->placeFromVirtual(w->currentVirtualRect());
        w->clampToCanvas();
    }
    update();
}

void OutputWidget0409::redraw()
{
    updateLayoutMode();
}

void OutputWidget0409::retranslate()
{
    for (InputSignalWidget0409 *w : qAsConst(m_windows))
        w->retranslate();
}

void OutputWidget0409::renameInput(int input, const QString &name)
{
    m_inputNames.insert(input, name);
    for (InputSignalWidget0409 *w : qAsConst(m_windows)) {
        if (w->input() == input)
            w->setInput(input, name);
    }
    if (m_currentInput == input)
        m_currentInputName = name;
}

void OutputWidget0409::setCurrentInput(int input)
{
    m_currentInput = input;
    m_currentInputName = input > 0 ? nameOf(input) : QString();
}

void OutputWidget0409::refreshWindowInfo()
{
    for (InputSignalWidget0409 *w : qAsConst(m_windows))
        w->setLayer(w->layer());
}

void OutputWidget0409::setWallLocked(bool locked)
{
    // Kept also while the page is hidden: Lock All pressed elsewhere must still hold here.
    m_wallLocked = locked;
    for (InputSignalWidget0409 *w : qAsConst(m_windows))
        w->setLocked(locked);
    if (locked && m_rubberBandActive) {
        m_rubberBandActive = false;
        m_rubberBand = QRect(QPoint(0, 0), QPoint(-1, -1));
        update();
    }
    emit si_wallLockChanged(locked);
}

void OutputWidget0409::zoomBy(double factor)
{
    resize(roundHalfUp(width() * factor), roundHalfUp(height() * factor));
    emit si_resize(factor);
}

// ---- windows --------------------------------------------------------------------------------

InputSignalWidget0409 *OutputWidget0409::addOrUpdateWindow(int input, const QString &name,
                                                           const QRectF &rect, bool openOnShow,
                                                           bool hasLayer, int layer, bool hasId,
                                                           int id)
{
    if (hasId) {
        if (InputSignalWidget0409 *w = m_windows.value(id)) {
            w->setVirtualSize(m_virtualSize);
            w->setInput(input, name);
            if (hasLayer)
                w->setLayer(layer);
            w->setGeometryF(rect);
            w->clampToCanvas();
            w->syncVirtualRect();
            w->update();
            m_nextId = 1;
            return w;
        }
    }
    if (m_windows.size() >= MaxWindows) {
        message(tr("Error"), tr("Not allowed to add more windows"), false);
        return nullptr;
    }
    if (!hasId) {
        id = freeWindowId(m_windows.keys(), m_nextId);
        if (id == 0) {
            message(tr("Error"), tr("Unable to assign ID to input window"), false);
            return nullptr;
        }
        m_nextId = id;
    }
    if (!hasLayer)
        layer = m_windows.size() + 1;
    const Grid g = grid();
    auto *w = new InputSignalWidget0409(m_virtualSize, input, name, g.rows, g.columns, id, layer,
                                        openOnShow, this);
    m_windows.insert(id, w);
    connectWindow(w);
    if (m_wallLocked)
        w->setLocked(true);
    w->setGeometryF(rect);
    w->clampToCanvas();
    w->syncVirtualRect();
    if (!hasLayer) {
        const Layers renumbered = renumberLayers(layers());
        for (auto it = renumbered.cbegin(); it != renumbered.cend(); ++it)
            m_windows.value(it.key())->setLayer(it.value());
    }
    restack();
    w->show();
    return w;
}

void OutputWidget0409::connectWindow(InputSignalWidget0409 *w)
{
    connect(w, &InputSignalWidget0409::si_layerUp, this, &OutputWidget0409::layerUp);
    connect(w, &InputSignalWidget0409::si_layerDown, this, &OutputWidget0409::layerDown);
    connect(w, &InputSignalWidget0409::si_layerTop, this, &OutputWidget0409::layerTop);
    connect(w, &InputSignalWidget0409::si_layerBottom, this, &OutputWidget0409::layerBottom);
    connect(w, &InputSignalWidget0409::si_deleted, this, &OutputWidget0409::removeWindow);
    connect(w, &InputSignalWidget0409::si_orderZoomSingleScreen, this,
            &OutputWidget0409::zoomSingleScreen);
    connect(w, &InputSignalWidget0409::si_orderZoomOccupiedScreens, this,
            &OutputWidget0409::zoomOccupiedScreens);
    connect(w, &InputSignalWidget0409::si_showProperty, this,
            &OutputWidget0409::showWindowProperty);
    connect(w, &InputSignalWidget0409::si_menuRequested, this, &OutputWidget0409::showWindowMenu);
    connect(w, &InputSignalWidget0409::si_sent, this, &OutputWidget0409::recordWindows);
    connect(this, &OutputWidget0409::si_layoutChanged, w, &InputSignalWidget0409::setGrid);
}

void OutputWidget0409::removeWindow(int id)
{
    m_windows.remove(id);
    m_nextId = 1;
    const Layers renumbered = renumberLayers(layers());
    for (auto it = renumbered.cbegin(); it != renumbered.cend(); ++it)
        m_windows.value(it.key())->setLayer(it.value());
    restack();
    recordWindows();
    emit si_windowRemoved(id);
}

// The store follows what the operator sent, as for every other command: a rotation or
// resolution report rebuilds the wall from it and must not put windows back where they were.
void OutputWidget0409::recordWindows()
{
    DeviceState *store = DeviceState::instance();
    QMap<int, QList<int>> status = store->windowStatus();
    for (int id = 1; id <= MaxWindows; ++id) {
        const InputSignalWidget0409 *w = m_windows.value(id);
        if (w) {
            const QRect v = w->currentVirtualRect();
            status.insert(id, {w->input(), w->layer(), v.x(), v.y(), v.width(), v.height()});
        } else if (status.contains(id)) {
            status.insert(id, {0, 0, 0, 0, 0, 0});
        }
    }
    store->setWindowStatus(status);
}

void OutputWidget0409::discardWindow(int id)
{
    InputSignalWidget0409 *w = m_windows.take(id);
    if (!w)
        return;
    w->hide();
    w->deleteLater();
    emit si_windowRemoved(id);
}

void OutputWidget0409::discardAll()
{
    const QList<int> ids = m_windows.keys();
    for (int id : ids)
        discardWindow(id);
}

void OutputWidget0409::closeAllWindows(bool silent)
{
    if (m_wallLocked)
        return;
    if (silent) {
        discardAll();
        m_nextId = 1;
        return;
    }
    if (!isVisible())
        return;
    if (!message(tr("Close All Windows"), tr("Confirm to close all windows"), true))
        return;
    const bool up = linkUp();
    // Refused by the client while the link is down, which tells the operator; the windows stay.
    MessageDistance::instance()->windowCloseAll();
    if (!up)
        return;
    discardAll();
    m_nextId = 1;
    recordWindows();
}

Layers OutputWidget0409::layers() const
{
    Layers l;
    for (auto it = m_windows.cbegin(); it != m_windows.cend(); ++it)
        l.insert(it.key(), it.value()->layer());
    return l;
}

void OutputWidget0409::applyLayers(const Layers &layers, int announce)
{
    if (!linkUp()) {
        // The client refuses and tells the operator; the stacking stays as the device has it.
        MessageDistance::instance()->windowLayer(announce, layers.value(announce));
        return;
    }
    for (auto it = layers.cbegin(); it != layers.cend(); ++it) {
        if (InputSignalWidget0409 *w = m_windows.value(it.key()))
            w->setLayer(it.value());
    }
    restack();
    if (InputSignalWidget0409 *w = m_windows.value(announce))
        w->sendLayer();
}

void OutputWidget0409::restack()
{
    const QList<int> order = stackingOrder(layers());
    for (int id : order)
        m_windows.value(id)->raise();
}

void OutputWidget0409::zoomSingleScreen(int id)
{
    if (InputSignalWidget0409 *w = m_windows.value(id))
        zoomTo(id, WallGeometry::zoomSingleScreen(w->currentVirtualRect(), m_virtualSize, grid()));
}

void OutputWidget0409::zoomOccupiedScreens(int id)
{
    if (InputSignalWidget0409 *w = m_windows.value(id))
        zoomTo(id,
               WallGeometry::zoomOccupiedScreens(w->currentVirtualRect(), m_virtualSize, grid()));
}

void OutputWidget0409::zoomTo(int id, const QRect &virtualRect)
{
    InputSignalWidget0409 *w = m_windows.value(id);
    w->placeFromVirtual(virtualRect);
    w->clampToCanvas();
    w->update();
    if (!w->sendResize())
        w->revertToDevice();
}

void OutputWidget0409::showWindowProperty(int id)
{
    InputSignalWidget0409 *w = m_windows.value(id);
    if (!w || m_propertyOpen)
        return;
    QMap<int, QString> names = m_inputNames;
    for (int input = 1; input <= WallInputs; ++input) {
        if (!names.contains(input))
            names.insert(input, nameOf(input));
    }
    m_propertyOpen = true;
    if (m_propertyOpener) {
        m_propertyOpener(id, names);
    } else {
        // The dialog holds a copy and the ID: a report may remove the window while it is open,
        // and then the dialog closes.
        DialogWindowProperty dialog(propertiesOf(w), names, this);
        const auto refresh = [this, &dialog](int changed) {
            if (InputSignalWidget0409 *now = m_windows.value(changed))
                dialog.setWindow(propertiesOf(now));
        };
        connect(&dialog, &DialogWindowProperty::si_resizeWindow, this,
                [this, refresh](int changed, const QRectF &relative) {
                    if (InputSignalWidget0409 *now = m_windows.value(changed))
                        applyWindowProperty(changed, now->input(), now->inputName(), relative);
                    refresh(changed);
                });
        connect(
            &dialog, &DialogWindowProperty::si_reopenWindow, this,
            [this, refresh](int changed, int input, const QString &name, const QRectF &relative) {
                applyWindowProperty(changed, input, name, relative);
                refresh(changed);
            });
        connect(this, &OutputWidget0409::si_windowRemoved, &dialog,
                &DialogWindowProperty::sl_windowRemoved);
        dialog.exec();
    }
    m_propertyOpen = false;
}

void OutputWidget0409::applyWindowProperty(int id, int input, const QString &name,
                                           const QRectF &relative)
{
    InputSignalWidget0409 *w = m_windows.value(id);
    if (!w)
        return;
    const QSizeF canvas = size();
    w->setGeometryF(QRectF(relative.x() * canvas.width(), relative.y() * canvas.height(),
                           relative.width() * canvas.width(), relative.height() * canvas.height()));
    w->clampToCanvas();
    if (input == w->input()) {
        if (!w->sendResize())
            w->revertToDevice();
        return;
    }
    const int oldInput = w->input();
    const QString oldName = w->inputName();
    w->setInput(input, name);
    if (!w->sendOpen()) {
        w->setInput(oldInput, oldName);
        w->revertToDevice();
    }
}

void OutputWidget0409::showWindowMenu(int id, const QPoint &globalPos)
{
    auto *menu = new QMenu(tr("Menu"), this);
    menu->setObjectName(QStringLiteral("windowMenu"));
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->setAttribute(Qt::WA_TranslucentBackground);
    menu->setWindowFlags(menu->windowFlags() | Qt::FramelessWindowHint |
                         Qt::NoDropShadowWindowHint);
    menu->setStyleSheet(QString::fromLatin1(menuStyle));
    // Entries hold the window's ID: a report may replace the window while the menu is open.
    const auto entry = [this, menu, id](const QString &text, void (InputSignalWidget0409::*act)()) {
        menu->addAction(text, this, [this, id, act] {
            if (InputSignalWidget0409 *w = m_windows.value(id))
                (w->*act)();
        });
    };
    const auto layerEntry = [this, menu, id](const QString &text, int step) {
        menu->addAction(text, this, [this, id, step] {
            if (InputSignalWidget0409 *w = m_windows.value(id))
                w->requestLayer(step);
        });
    };
    entry(tr("Close"), &InputSignalWidget0409::requestClose);
    layerEntry(tr("Layer Up"), 1);
    layerEntry(tr("Layer Down"), -1);
    layerEntry(tr("Layer to Top"), 2);
    layerEntry(tr("Layer to Bottom"), -2);
    entry(tr("Zoom to a Single Screen"), &InputSignalWidget0409::requestZoomSingle);
    entry(tr("Zoom to the Occupied Screens"), &InputSignalWidget0409::requestZoomOccupied);
    entry(tr("Zoom to Maximum"), &InputSignalWidget0409::zoomToMaximum);
    entry(tr("Property"), &InputSignalWidget0409::requestProperty);
    menu->popup(globalPos);
}

// ---- the device's report ----------------------------------------------------------------------

void OutputWidget0409::scheduleRebuild()
{
    if (!m_rebuildTimer) {
        m_rebuildTimer = new QTimer(this);
        m_rebuildTimer->setSingleShot(true);
        connect(m_rebuildTimer, &QTimer::timeout, this, &OutputWidget0409::rebuildFromDevice);
    }
    m_rebuildTimer->start(RebuildWaitMs);
}

bool OutputWidget0409::rebuildPending() const
{
    return m_rebuildTimer && m_rebuildTimer->isActive();
}

void OutputWidget0409::resetReadiness()
{
    m_nextId = 1;
    m_resolutionReady = false;
    m_windowsReady = false;
    m_rotationReady = false;
}

void OutputWidget0409::onOutputResolutionReady()
{
    m_resolutionReady = true;
    if (m_windowsReady && m_rotationReady)
        rebuildFromDevice();
}

void OutputWidget0409::onWindowsReady()
{
    m_windowsReady = true;
    if (m_resolutionReady && m_rotationReady)
        rebuildFromDevice();
}

void OutputWidget0409::onRotationReady()
{
    m_rotationReady = true;
    if (m_resolutionReady && m_windowsReady)
        rebuildFromDevice();
}

void OutputWidget0409::rebuildFromDevice()
{
    if (m_rebuildTimer) {
        m_rebuildTimer->stop();
        m_rebuildTimer->deleteLater();
        m_rebuildTimer = nullptr;
    }
    if (!(m_resolutionReady && m_windowsReady && m_rotationReady)) {
        discardAll();
        updateRealResolution();
        message(tr("Error"), tr("Timeout for Reading The last Window status!"), false);
        return;
    }
    updateRealResolution();
    const QMap<int, QList<int>> status = DeviceState::instance()->windowStatus();
    for (auto it = status.cbegin(); it != status.cend(); ++it) {
        const int id = it.key();
        const QList<int> &v = it.value();
        if (v.size() == 1)
            continue; // the VIR value
        if (id < 1 || id > MaxWindows || v.size() < 6) {
            qDebug() << "Window report entry ignored: ID" << id << "values" << v;
            continue;
        }
        const int input = v.at(0);
        InputSignalWidget0409 *existing = m_windows.value(id);
        // The window under the operator's pointer stays where the operator has it; the
        // release tells the device.
        if (existing && existing->inGesture()) {
            qDebug() << "Window report for window" << id << "held back: it is being moved";
            continue;
        }
        if (input == 0) {
            discardWindow(id);
            continue;
        }
        if (input < 0) {
            qDebug() << "Window report entry ignored: ID" << id << "input" << input;
            continue;
        }
        const int layer = v.at(1);
        const QRect r =
            sanitiseVirtualRect(QRect(v.at(2), v.at(3), v.at(4), v.at(5)), m_virtualSize);
        qDebug() << "Window ID:" << id << "Input X:" << input << "Layer:" << layer
                 << "Position X:" << v.at(2) << "Position Y:" << v.at(3) << "Size X:" << v.at(4)
                 << "Size Y:" << v.at(5);
        InputSignalWidget0409 *w =
            addOrUpdateWindow(input, nameOf(input), virtualToCanvas(r, m_virtualSize, size()),
                              false, true, layer, true, id);
        if (w)
            w->adoptVirtualRect(r);
    }
    const Layers renumbered = renumberLayers(layers());
    for (auto it = renumbered.cbegin(); it != renumbered.cend(); ++it)
        m_windows.value(it.key())->setLayer(it.value());
    restack();
}

// ---- painting and the mouse -------------------------------------------------------------------

void OutputWidget0409::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const int W = width();
    const int H = height();
    p.fillRect(rect(), palette().brush(QPalette::Base));
    const QPen gridPen(m_gridColor, 1);
    QPen crossPen(m_crossColor, 1.0, Qt::DashLine, Qt::SquareCap, Qt::BevelJoin);
    const Grid g = grid();
    const int cw = W / g.columns;
    const int ch = H / g.rows;
    p.setPen(gridPen);
    if (m_layoutMode != 0) {
        for (int k = 1; k < g.columns; ++k)
            p.drawLine(k * cw, 0, k * cw, H);
        for (int k = 1; k < g.rows; ++k)
            p.drawLine(0, k * ch, W, k * ch);
    }
    p.setPen(crossPen);
    for (int r = 0; r < g.rows; ++r) {
        for (int c = 0; c < g.columns; ++c) {
            p.drawLine(c * cw, r * ch + ch / 2, c * cw + cw, r * ch + ch / 2);
            p.drawLine(c * cw + cw / 2, r * ch, c * cw + cw / 2, r * ch + ch);
        }
    }
    p.setPen(gridPen);
    p.drawLine(0, 0, 0, H);
    p.drawLine(0, 0, W, 0);
    p.drawLine(0, H - 1, W - 1, H - 1);
    p.drawLine(W - 1, 0, W - 1, H - 1);
    if (m_rubberBandActive) {
        const QRect band = m_rubberBand.normalized();
        p.fillRect(band, QColor(0, 100, 200, 120));
        p.drawRect(band);
    }
}

void OutputWidget0409::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    relayout();
}

void OutputWidget0409::wheelEvent(QWheelEvent *event)
{
    if (!(event->modifiers() & Qt::ControlModifier)) {
        event->ignore();
        return;
    }
    zoomBy(event->angleDelta().y() > 0 ? 1.1 : 0.9);
    event->accept();
}

void OutputWidget0409::setHighlightAll(bool on)
{
    for (InputSignalWidget0409 *w : qAsConst(m_windows)) {
        if (!w->isLocked())
            w->setHighlighted(on);
    }
}

void OutputWidget0409::mousePressEvent(QMouseEvent *event)
{
    if (m_wallLocked || event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    m_rubberBandActive = true;
    m_pressPoint = event->pos();
    m_rubberBand = QRect(m_pressPoint, m_pressPoint);
    if (isVisible())
        setHighlightAll(true);
    update();
}

void OutputWidget0409::mouseMoveEvent(QMouseEvent *event)
{
    if (!m_rubberBandActive)
        return;
    const QRect before = m_rubberBand.normalized();
    m_rubberBand = QRect(m_pressPoint, event->pos());
    update(before.united(m_rubberBand.normalized()).adjusted(-1, -1, 1, 1));
}

void OutputWidget0409::mouseReleaseEvent(QMouseEvent *event)
{
    if (!m_rubberBandActive || event->button() != Qt::LeftButton)
        return;
    if (isVisible())
        setHighlightAll(false);
    m_rubberBandActive = false;
    const QRect band = bandWindow(m_pressPoint, event->pos());
    m_rubberBand = QRect(QPoint(0, 0), QPoint(-1, -1));
    update();
    if (band.isEmpty() || m_currentInput <= 0 || m_currentInputName.isEmpty())
        return;
    if (!allowed(m_currentInput)) {
        emit si_showPermissionWarningDialog();
        return;
    }
    openWindow(m_currentInput, m_currentInputName, QRectF(band));
}

void OutputWidget0409::openWindow(int input, const QString &name, const QRectF &rect)
{
    if (!linkUp()) {
        // Nothing is created that the device never got; the client's refusal tells the
        // operator.
        const QRect v =
            relativeToVirtual(canvasToRelative(clampToCanvas(rect, size()), size()), m_virtualSize);
        MessageDistance::instance()->windowOpen(freeWindowId(m_windows.keys(), m_nextId), input,
                                                m_windows.size() + 1, v.x(), v.y(), v.width(),
                                                v.height());
        return;
    }
    addOrUpdateWindow(input, name, rect, true, false, 0, false, 0);
}

void OutputWidget0409::dragEnterEvent(QDragEnterEvent *event)
{
    const QMimeData *data = event->mimeData();
    // The signal list offers its own type; a plain row drag of an item view offers the model's.
    if (!m_wallLocked && (data->hasFormat(QString::fromLatin1(listMime)) ||
                          data->hasFormat(QString::fromLatin1(typeMime)))) {
        event->acceptProposedAction();
        return;
    }
    event->ignore();
}

void OutputWidget0409::dragMoveEvent(QDragMoveEvent *event)
{
    if (m_wallLocked)
        event->ignore();
    else
        event->acceptProposedAction();
}

void OutputWidget0409::dropEvent(QDropEvent *event)
{
    if (m_wallLocked || !event->mimeData()->hasText()) {
        event->ignore();
        return;
    }
    const int input = inputFromDropText(event->mimeData()->text());
    if (input == 0) {
        qDebug() << "Drop on the wall ignored: not an input:" << event->mimeData()->text();
        event->ignore();
        return;
    }
    if (!allowed(input)) {
        emit si_showPermissionWarningDialog();
        event->ignore();
        return;
    }
    event->setDropAction(Qt::CopyAction);
    event->accept();
    InputSignalWidget0409 *target = nullptr;
    for (InputSignalWidget0409 *w : qAsConst(m_windows)) {
        if (w->isVisible() && w->geometry().contains(event->pos()) &&
            (!target || w->layer() > target->layer()))
            target = w;
    }
    if (!target) {
        openWindow(input, nameOf(input), cellAt(event->pos(), size(), grid()));
        return;
    }
    const int oldInput = target->input();
    const QString oldName = target->inputName();
    target->setInput(input, nameOf(input));
    if (!target->sendOpen())
        target->setInput(oldInput, oldName);
}
