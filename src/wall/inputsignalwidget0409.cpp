#include "inputsignalwidget0409.h"

#include "protocol/messagedistance.h"

#include <QContextMenuEvent>
#include <QDebug>
#include <QHBoxLayout>
#include <QHoverEvent>
#include <QIcon>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>

using namespace WallGeometry;

namespace {
constexpr int headerHeight = 28;

const char *const windowStyle = "QWidget#wallWindow { background-color: rgba(51, 140, 86, 70);"
                                " border: 1px solid rgba(51, 140, 86, 220); }";
const char *const headerStyle =
    "QWidget#headerWidget { background-color: rgba(51, 140, 86, 210); border: none; }"
    " QLabel#labelTitle { color: white; font-family: \"Microsoft YaHei\"; }"
    " QPushButton { border: none; background: transparent; padding: 0px; }"
    " QPushButton:hover { background-color: rgba(255, 255, 255, 60); border-radius: 3px; }";
const char *const highlightWindowStyle =
    "QWidget#wallWindow { background-color: rgba(0, 0, 0, 32); border: none; margin: 0px;"
    " padding: 0px; }";
const char *const highlightHeaderStyle =
    "QWidget#headerWidget { background-color: rgba(51, 140, 86, 32); border: none; }"
    " QPushButton { border: none; background: transparent; padding: 0px; }";
} // namespace

InputSignalWidget0409::InputSignalWidget0409(const QSize &virtualSize, int input,
                                             const QString &name, int rows, int columns, int id,
                                             int layer, bool openOnShow, QWidget *canvas)
    : QWidget(canvas), m_id(id), m_input(input), m_inputName(name), m_layer(layer),
      m_virtualSize(virtualSize), m_grid{rows, columns}, m_openOnShow(openOnShow)
{
    setObjectName(QStringLiteral("wallWindow"));
    setAttribute(Qt::WA_StyledBackground);
    setAttribute(Qt::WA_Hover);
    setMouseTracking(true);

    m_header = new QWidget(this);
    m_header->setObjectName(QStringLiteral("headerWidget"));
    m_header->setAttribute(Qt::WA_StyledBackground);
    m_header->setFixedHeight(headerHeight);
    m_header->setMouseTracking(true);
    m_title = new QLabel(m_header);
    m_title->setObjectName(QStringLiteral("labelTitle"));
    // Labels let the pointer through, so the window itself sees drags and edge grabs.
    m_title->setAttribute(Qt::WA_TransparentForMouseEvents);

    const auto makeButton = [this](const char *objectName, const char *icon) {
        auto *b = new QPushButton(m_header);
        b->setObjectName(QString::fromLatin1(objectName));
        b->setIcon(QIcon(QString::fromLatin1(icon)));
        b->setIconSize(QSize(14, 14));
        b->setFixedSize(20, 20);
        b->setFocusPolicy(Qt::NoFocus);
        b->setCursor(Qt::PointingHandCursor);
        return b;
    };
    m_stick = makeButton("btn_stick", ":/Images/window/stick.png");
    m_full = makeButton("btn_full", ":/Images/window/fullscreen.png");
    m_restore = makeButton("btn_restore", ":/Images/window/restore.png");
    m_close = makeButton("btn_close", ":/Images/window/close.png");
    connect(m_stick, &QPushButton::clicked, this, &InputSignalWidget0409::requestZoomOccupied);
    connect(m_full, &QPushButton::clicked, this, &InputSignalWidget0409::zoomToMaximum);
    connect(m_restore, &QPushButton::clicked, this, &InputSignalWidget0409::restore);
    connect(m_close, &QPushButton::clicked, this, &InputSignalWidget0409::requestClose);

    auto *headerLayout = new QHBoxLayout(m_header);
    // The right margin keeps the buttons clear of the edge that resizes the window.
    headerLayout->setContentsMargins(8, 0, EdgeGrip, 0);
    headerLayout->setSpacing(2);
    headerLayout->addWidget(m_title, 1);
    headerLayout->addWidget(m_stick);
    headerLayout->addWidget(m_full);
    headerLayout->addWidget(m_restore);
    headerLayout->addWidget(m_close);

    m_content = new QLabel(this);
    m_content->setObjectName(QStringLiteral("labelContent"));
    m_content->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_content->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_content->setStyleSheet(QStringLiteral("color: #2c3e50; background: transparent;"));

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->setSpacing(0);
    layout->addWidget(m_header);
    layout->addWidget(m_content, 1);

    applyStyle();
    retranslate();
}

QPushButton *InputSignalWidget0409::button(const char *objectName) const
{
    return m_header->findChild<QPushButton *>(QString::fromLatin1(objectName));
}

QSizeF InputSignalWidget0409::canvasSize() const
{
    return parentWidget() ? QSizeF(parentWidget()->size()) : QSizeF();
}

void InputSignalWidget0409::setGrid(int rows, int columns)
{
    m_grid = Grid{std::max(1, rows), std::max(1, columns)};
}

void InputSignalWidget0409::setVirtualSize(const QSize &size)
{
    // An unreadable resolution never collapses the windows: the last good wall stays.
    if (!size.isEmpty())
        m_virtualSize = size;
}

void InputSignalWidget0409::setInput(int input, const QString &name)
{
    m_input = input;
    m_inputName = name;
    refreshInfo();
}

void InputSignalWidget0409::setLayer(int layer)
{
    m_layer = layer;
    refreshInfo();
}

void InputSignalWidget0409::setGeometryF(const QRectF &r)
{
    m_canvasRect = r;
    setGeometry(roundRect(r));
}

void InputSignalWidget0409::clampToCanvas()
{
    const QSizeF canvas = canvasSize();
    const QRectF clamped = WallGeometry::clampToCanvas(m_canvasRect, canvas);
    if (clamped != m_canvasRect)
        setGeometryF(clamped);
    // A collapsed canvas keeps the window's place on the wall for when it grows again.
    if (!canvas.isEmpty())
        m_relativeRect = canvasToRelative(m_canvasRect, canvas);
    refreshInfo();
}

void InputSignalWidget0409::syncVirtualRect()
{
    m_currentVirtual = relativeToVirtual(m_relativeRect, m_virtualSize);
    if (!m_zoomed)
        m_restoreVirtual = m_currentVirtual;
}

void InputSignalWidget0409::placeFromVirtual(const QRect &r)
{
    setGeometryF(virtualToCanvas(r, m_virtualSize, canvasSize()));
}

void InputSignalWidget0409::setLocked(bool locked)
{
    m_locked = locked;
    if (locked) {
        m_dragging = false;
        m_resizing = false;
    }
    setHighlighted(locked);
    updateCursor(mapFromGlobal(QCursor::pos()));
}

void InputSignalWidget0409::setHighlighted(bool highlighted)
{
    if (m_highlighted == highlighted)
        return;
    m_highlighted = highlighted;
    applyStyle();
}

void InputSignalWidget0409::applyStyle()
{
    setStyleSheet(QString::fromLatin1(m_highlighted ? highlightWindowStyle : windowStyle));
    m_header->setStyleSheet(
        QString::fromLatin1(m_highlighted ? highlightHeaderStyle : headerStyle));
}

void InputSignalWidget0409::retranslate()
{
    m_title->setText(tr("ID: ") + QString::number(m_id));
    m_stick->setToolTip(tr("Zoom to the Occupied Screens"));
    m_full->setToolTip(tr("Zoom to Maximum"));
    m_restore->setToolTip(tr("Restore"));
    m_close->setToolTip(tr("Close"));
    refreshInfo();
}

QString InputSignalWidget0409::infoText() const
{
    const QRect v = relativeToVirtual(m_relativeRect, m_virtualSize);
    return tr("Input: ") + QStringLiteral("\t [%1] %2\n").arg(m_input).arg(m_inputName) +
           tr("Layer: ") + QStringLiteral("\t %1\n").arg(m_layer) + tr("Position:") +
           QStringLiteral("\t %1 , %2\n").arg(v.x()).arg(v.y()) + tr("Size: ") +
           QStringLiteral("\t %1 , %2\n").arg(v.width()).arg(v.height());
}

void InputSignalWidget0409::refreshInfo()
{
    m_content->setText(infoText());
}

bool InputSignalWidget0409::linkUp() const
{
    return MessageDistance::instance()->isConnected();
}

bool InputSignalWidget0409::sendOpen()
{
    const QRect v = relativeToVirtual(m_relativeRect, m_virtualSize);
    if (m_virtualSize.isEmpty())
        return false;
    const bool up = linkUp();
    // Sent also while the link is down: the client refuses it and tells the operator.
    MessageDistance::instance()->windowOpen(m_id, m_input, m_layer, v.x(), v.y(), v.width(),
                                            v.height());
    if (up) {
        m_currentVirtual = v;
        if (!m_zoomed)
            m_restoreVirtual = v;
        emit si_sent(m_id);
    }
    return up;
}

bool InputSignalWidget0409::sendMove()
{
    const QRect v = relativeToVirtual(m_relativeRect, m_virtualSize);
    if (m_virtualSize.isEmpty())
        return false;
    const bool up = linkUp();
    MessageDistance::instance()->windowMove(m_id, v.x(), v.y());
    if (up) {
        m_currentVirtual.moveTopLeft(v.topLeft());
        if (!m_zoomed)
            m_restoreVirtual.moveTopLeft(v.topLeft());
        emit si_sent(m_id);
    }
    return up;
}

bool InputSignalWidget0409::sendResize()
{
    const QRect v = relativeToVirtual(m_relativeRect, m_virtualSize);
    if (m_virtualSize.isEmpty())
        return false;
    const bool up = linkUp();
    MessageDistance::instance()->windowResize(m_id, v.x(), v.y(), v.width(), v.height());
    if (up) {
        m_currentVirtual = v;
        if (!m_zoomed)
            m_restoreVirtual = v;
        emit si_sent(m_id);
    }
    return up;
}

bool InputSignalWidget0409::sendLayer()
{
    const bool up = linkUp();
    MessageDistance::instance()->windowLayer(m_id, m_layer);
    if (up)
        emit si_sent(m_id);
    return up;
}

void InputSignalWidget0409::adoptVirtualRect(const QRect &r)
{
    if (!m_virtualSize.isEmpty())
        m_relativeRect = QRectF(
            double(r.x()) / m_virtualSize.width(), double(r.y()) / m_virtualSize.height(),
            double(r.width()) / m_virtualSize.width(), double(r.height()) / m_virtualSize.height());
    m_currentVirtual = r;
    if (!m_zoomed)
        m_restoreVirtual = r;
    refreshInfo();
}

void InputSignalWidget0409::revertToDevice()
{
    // The device never heard of the change: show the window where the device has it.
    placeFromVirtual(m_currentVirtual);
    clampToCanvas();
    emit si_gestureUndone(m_id);
}

void InputSignalWidget0409::zoomToMaximum()
{
    if (m_locked)
        return;
    const bool wasZoomed = m_zoomed;
    m_zoomed = true;
    const QSizeF canvas = canvasSize();
    setGeometryF(QRectF(0, 0, canvas.width(), canvas.height()));
    clampToCanvas();
    if (!sendResize()) {
        m_zoomed = wasZoomed;
        revertToDevice();
    }
}

void InputSignalWidget0409::restore()
{
    if (m_locked)
        return;
    const bool wasZoomed = m_zoomed;
    m_zoomed = false;
    placeFromVirtual(m_restoreVirtual);
    clampToCanvas();
    update();
    if (!sendResize()) {
        m_zoomed = wasZoomed;
        revertToDevice();
    }
}

void InputSignalWidget0409::requestClose()
{
    if (m_locked)
        return;
    if (!linkUp()) {
        // Refused by the client, which tells the operator; the window stays as the device has it.
        MessageDistance::instance()->windowClose(m_id);
        return;
    }
    emit si_deleted(m_id);
    MessageDistance::instance()->windowClose(m_id);
    hide();
    deleteLater();
}

void InputSignalWidget0409::requestLayer(int step)
{
    if (m_locked)
        return;
    const bool top = m_layer == MaxWindows;
    const bool bottom = m_layer == 1;
    if (step == 1 && !top)
        emit si_layerUp(m_id);
    else if (step == 2 && !top)
        emit si_layerTop(m_id);
    else if (step == -1 && !bottom)
        emit si_layerDown(m_id);
    else if (step == -2 && !bottom)
        emit si_layerBottom(m_id);
}

void InputSignalWidget0409::requestZoomSingle()
{
    if (m_locked)
        return;
    m_zoomed = true;
    emit si_orderZoomSingleScreen(m_id);
}

void InputSignalWidget0409::requestZoomOccupied()
{
    if (m_locked)
        return;
    m_zoomed = true;
    emit si_orderZoomOccupiedScreens(m_id);
}

void InputSignalWidget0409::requestProperty()
{
    if (!m_locked)
        emit si_showProperty(m_id);
}

bool InputSignalWidget0409::inHeader(const QPoint &p) const
{
    return m_header->geometry().contains(p);
}

void InputSignalWidget0409::updateCursor(const QPoint &p)
{
    const Qt::CursorShape shape =
        m_locked ? Qt::ArrowCursor : hoverCursor(p, size(), inHeader(p), m_dragging);
    if (cursor().shape() != shape)
        setCursor(shape);
}

bool InputSignalWidget0409::event(QEvent *event)
{
    if (event->type() == QEvent::HoverMove && !inGesture())
        updateCursor(static_cast<QHoverEvent *>(event)->pos());
    return QWidget::event(event);
}

void InputSignalWidget0409::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (m_openOnShow) {
        m_openOnShow = false;
        sendOpen();
    }
}

void InputSignalWidget0409::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    QFont f = m_content->font();
    const int points = windowFontPointSize(width(), height());
    if (f.pointSize() != points) {
        f.setPointSize(points);
        m_content->setFont(f);
    }
}

void InputSignalWidget0409::mousePressEvent(QMouseEvent *event)
{
    if (m_locked || event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    m_pressGlobal = event->globalPos();
    m_pressRect = m_canvasRect;
    m_edges = edgesAt(event->pos(), size());
    if (m_edges != NoEdge) {
        m_resizing = true;
    } else if (inHeader(event->pos())) {
        m_dragging = true;
        setCursor(Qt::ClosedHandCursor);
    }
    event->accept();
}

void InputSignalWidget0409::mouseMoveEvent(QMouseEvent *event)
{
    if (!(event->buttons() & Qt::LeftButton) || !inGesture()) {
        m_dragging = false;
        m_resizing = false;
        updateCursor(event->pos());
        return;
    }
    if (m_locked)
        return;
    // Measured from the press, so that the window follows the pointer without drift.
    const QPointF delta = QPointF(event->globalPos()) - m_pressGlobal;
    const QSizeF canvas = canvasSize();
    if (m_resizing) {
        setGeometryF(resizeEdges(m_pressRect, m_edges, delta.x(), delta.y(), canvas));
    } else {
        const QPointF to =
            snapDrag(m_pressRect.topLeft() + delta, m_pressRect.size(), canvas, m_grid);
        setGeometryF(QRectF(to, m_pressRect.size()));
    }
}

void InputSignalWidget0409::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || !inGesture()) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    const bool dragged = m_dragging;
    m_dragging = false;
    m_resizing = false;
    const bool moved = m_canvasRect != m_pressRect;
    clampToCanvas();
    if (moved) {
        const bool wasZoomed = m_zoomed;
        m_zoomed = false;
        if (!(dragged ? sendMove() : sendResize())) {
            m_zoomed = wasZoomed;
            revertToDevice();
        }
    }
    if (dragged)
        setCursor(Qt::OpenHandCursor);
    event->accept();
}

void InputSignalWidget0409::contextMenuEvent(QContextMenuEvent *event)
{
    event->accept();
    if (!m_locked)
        emit si_menuRequested(m_id, event->globalPos());
}
