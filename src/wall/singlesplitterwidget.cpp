#include "singlesplitterwidget.h"

#include "app/appsettings.h"
#include "state/devicestate.h"
#include "state/wallgeometry.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

namespace {

// Layout 6 is picture in picture: the picture-in-picture window sits in the lower right
// quarter of the full picture, clear of its edges, the same place the layout button previews.
const QRectF PipRegion(0.6, 0.6, 0.35, 0.35);

// Room kept between a region's frame and its label.
constexpr int LabelPadding = 6;

const QColor NormalFill(240, 241, 236);
const QColor HoveredFill(201, 202, 202);
const QColor NormalText(159, 159, 159);
const QColor HoveredText(249, 250, 250);

// The multiview picture goes out on output 9.
constexpr int MultiviewOutput = 9;
const QSize DefaultPicture(1920, 1080);

} // namespace

SingleSplitterWidget::SingleSplitterWidget(QWidget *parent)
    : QWidget(parent), m_font(QStringLiteral("Microsoft YaHei")), m_textPen(NormalText),
      m_framePen(QColor(51, 140, 86, 128), 2)
{
    setAcceptDrops(true);
    setMouseTracking(true);
    m_font.setPixelSize(14);
    m_font.setBold(true);
    m_regions = layoutRegions(m_mode);
}

QMap<int, QRectF> SingleSplitterWidget::layoutRegions(int mode)
{
    QMap<int, QRectF> r;
    switch (mode) {
    case 1:
        r[1] = QRectF(0, 0, 0.5, 0.5);
        r[2] = QRectF(0.5, 0, 0.5, 0.5);
        r[3] = QRectF(0, 0.5, 0.5, 0.5);
        r[4] = QRectF(0.5, 0.5, 0.5, 0.5);
        break;
    case 2: {
        const qreal pos[] = {0, 0.33, 0.67};
        const qreal size[] = {0.33, 0.34, 0.33};
        for (int row = 0; row < 3; ++row) {
            for (int col = 0; col < 3; ++col)
                r[row * 3 + col + 1] = QRectF(pos[col], pos[row], size[col], size[row]);
        }
        break;
    }
    case 3:
        r[1] = QRectF(0, 0, 0.75, 0.75);
        r[2] = QRectF(0.75, 0, 0.25, 0.25);
        r[3] = QRectF(0.75, 0.25, 0.25, 0.25);
        r[4] = QRectF(0.75, 0.5, 0.25, 0.25);
        r[5] = QRectF(0, 0.75, 0.25, 0.25);
        r[6] = QRectF(0.25, 0.75, 0.25, 0.25);
        r[7] = QRectF(0.5, 0.75, 0.25, 0.25);
        r[8] = QRectF(0.75, 0.75, 0.25, 0.25);
        break;
    case 4:
        r[1] = QRectF(0, 0, 0.67, 0.67);
        r[2] = QRectF(0.67, 0, 0.33, 0.33);
        r[3] = QRectF(0.67, 0.33, 0.33, 0.34);
        r[4] = QRectF(0, 0.67, 0.33, 0.33);
        r[5] = QRectF(0.33, 0.67, 0.34, 0.33);
        break;
    case 5:
        r[1] = QRectF(0, 0, 0.67, 1);
        r[2] = QRectF(0.67, 0, 0.33, 0.33);
        r[3] = QRectF(0.67, 0.33, 0.33, 0.34);
        r[4] = QRectF(0.67, 0.67, 0.33, 0.33);
        break;
    case 6:
        r[1] = QRectF(0, 0, 1, 1);
        r[2] = PipRegion;
        break;
    default:
        // One picture: the output itself takes the drop.
        r[0] = QRectF(0, 0, 1, 1);
        break;
    }
    return r;
}

QSize SingleSplitterWidget::pictureSize(const QString &resolution)
{
    int width = 0;
    int height = 0;
    return WallGeometry::parseResolution(resolution, &width, &height) ? QSize(width, height)
                                                                      : DefaultPicture;
}

void SingleSplitterWidget::setSplitterMode(int mode)
{
    // The device knows layouts 0..6 only; anything else is the undivided output.
    if (mode < 0 || mode > 6)
        mode = 0;
    if (mode == m_mode)
        return;
    m_mode = mode;
    m_hovered = -1;
    m_regions = layoutRegions(mode);
    update();
    emit si_layout_change(mode);
}

QString SingleSplitterWidget::labelFor(int input)
{
    return QStringLiteral("[%1] %2").arg(input).arg(AppSettings::instance()->inputName(input));
}

void SingleSplitterWidget::refreshLabels()
{
    m_labels.clear();
    const QMap<int, int> windows = DeviceState::instance()->multiviewWindows();
    for (auto it = windows.cbegin(); it != windows.cend(); ++it) {
        if (it.value() != 0 && it.value() != 100)
            m_labels.insert(it.key(), labelFor(it.value()));
    }
    update();
}

void SingleSplitterWidget::refreshOutputSize()
{
    setOutputSize(pictureSize(DeviceState::instance()->outputResolutionAt(MultiviewOutput)));
}

void SingleSplitterWidget::setOutputSize(const QSize &size)
{
    const QSize picture = size.isEmpty() ? DefaultPicture : size;
    if (picture == m_outputSize)
        return;
    m_outputSize = picture;
    update();
}

QRectF SingleSplitterWidget::outputArea() const
{
    QSizeF area(m_outputSize);
    area.scale(QSizeF(size()), Qt::KeepAspectRatio);
    // Level with the top of the layout buttons beside it; a spare band goes below.
    return QRectF(QPointF((width() - area.width()) / 2, 0), area);
}

void SingleSplitterWidget::refresh()
{
    setSplitterMode(DeviceState::instance()->splitterMode());
    refreshOutputSize();
    refreshLabels();
}

QRectF SingleSplitterWidget::regionRect(int region) const
{
    return m_regions.value(region, QRectF(0, 0, 25, 25));
}

QRectF SingleSplitterWidget::regionGeometry(int region) const
{
    const QRectF f = regionRect(region);
    const QRectF a = outputArea();
    return QRectF(a.x() + f.x() * a.width(), a.y() + f.y() * a.height(), f.width() * a.width(),
                  f.height() * a.height());
}

QString SingleSplitterWidget::shownLabel(int region) const
{
    const int room = int(regionGeometry(region).width()) - 2 * LabelPadding;
    return QFontMetrics(m_font).elidedText(m_labels.value(region), Qt::ElideRight, qMax(0, room));
}

int SingleSplitterWidget::regionAt(const QPointF &pos) const
{
    auto contains = [this, &pos](int region) {
        const QRectF g = regionGeometry(region);
        // Edges count as inside, so a point on a shared edge goes to the lower number.
        return pos.x() >= g.left() && pos.x() <= g.right() && pos.y() >= g.top() &&
               pos.y() <= g.bottom();
    };
    // The picture-in-picture window lies over the full picture and wins.
    if (m_mode == 6 && m_regions.contains(2) && contains(2))
        return 2;
    for (auto it = m_regions.cbegin(); it != m_regions.cend(); ++it) {
        if (contains(it.key()))
            return it.key();
    }
    return -1;
}

void SingleSplitterWidget::setHovered(int region)
{
    if (region == m_hovered)
        return;
    m_hovered = region;
    update();
}

void SingleSplitterWidget::paintRegion(QPainter &painter, int region)
{
    if (!m_regions.contains(region))
        return;
    const QRectF g = regionGeometry(region);
    const bool hovered = region == m_hovered;
    painter.setPen(m_framePen);
    painter.setBrush(hovered ? HoveredFill : NormalFill);
    painter.drawRect(g.adjusted(1, 1, -1, -1));
    const QString text = shownLabel(region);
    if (text.isEmpty())
        return;
    m_textPen.setColor(hovered ? HoveredText : NormalText);
    painter.setPen(m_textPen);
    painter.drawText(g.adjusted(LabelPadding, LabelPadding, -LabelPadding, -LabelPadding),
                     Qt::AlignCenter, text);
}

bool SingleSplitterWidget::event(QEvent *event)
{
    if (event->type() != QEvent::ToolTip)
        return QWidget::event(event);
    const auto *help = static_cast<QHelpEvent *>(event);
    const QString name = m_labels.value(regionAt(help->pos()));
    if (name.isEmpty())
        QToolTip::hideText();
    else
        QToolTip::showText(help->globalPos(), name, this);
    return true;
}

void SingleSplitterWidget::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setFont(m_font);
    if (m_mode == 6) {
        paintRegion(painter, 1);
        paintRegion(painter, 2);
        return;
    }
    for (auto it = m_regions.cbegin(); it != m_regions.cend(); ++it) {
        if (it.key() != 0)
            paintRegion(painter, it.key());
    }
    paintRegion(painter, 0);
}

void SingleSplitterWidget::mouseMoveEvent(QMouseEvent *event)
{
    setHovered(regionAt(event->localPos()));
    QWidget::mouseMoveEvent(event);
}

void SingleSplitterWidget::mousePressEvent(QMouseEvent *event)
{
    setHovered(regionAt(event->localPos()));
    QWidget::mousePressEvent(event);
}

void SingleSplitterWidget::mouseDoubleClickEvent(QMouseEvent *event)
{
    const int region = regionAt(event->localPos());
    if (region < 0) {
        QWidget::mouseDoubleClickEvent(event);
        return;
    }
    m_labels.remove(region);
    update();
    emit si_drop(0, region);
}

void SingleSplitterWidget::leaveEvent(QEvent *event)
{
    setHovered(-1);
    QWidget::leaveEvent(event);
}

void SingleSplitterWidget::dragEnterEvent(QDragEnterEvent *event)
{
    event->acceptProposedAction();
}

void SingleSplitterWidget::dragMoveEvent(QDragMoveEvent *event)
{
    setHovered(regionAt(event->posF()));
    event->acceptProposedAction();
}

void SingleSplitterWidget::dragLeaveEvent(QDragLeaveEvent *event)
{
    setHovered(-1);
    QWidget::dragLeaveEvent(event);
}

void SingleSplitterWidget::dropEvent(QDropEvent *event)
{
    const int region = regionAt(event->posF());
    if (region < 0) {
        event->ignore();
        return;
    }
    bool ok = false;
    const int code = event->mimeData()->text().trimmed().toInt(&ok);
    // Only video inputs travel with the 100 offset; audio inputs have no place here.
    if (!ok || code <= 100) {
        event->ignore();
        return;
    }
    const int input = code - 100;
    m_labels.insert(region, labelFor(input));
    setHovered(region);
    update();
    event->acceptProposedAction();
    emit si_drop(input, region);
}
