#include "svglabel.h"

#include "corvaneresources.h"

#include <QPainter>
#include <QSvgRenderer>

SvgLabel::SvgLabel(QWidget *parent) : QLabel(parent), m_renderer(new QSvgRenderer(this))
{
    initCorvaneResources();
}

void SvgLabel::setSvgPath(const QString &path)
{
    if (path == m_svgPath)
        return;
    m_svgPath = path;
    // Parsed once here rather than on every paint.
    if (path.isEmpty() || !m_renderer->load(path))
        m_renderer->load(QByteArray());
    m_renderer->setAspectRatioMode(Qt::KeepAspectRatio);
    updateGeometry();
    update();
}

void SvgLabel::setSvgSize(const QSize &size)
{
    m_svgSize = size;
    m_scaled = true;
    updateGeometry();
    update();
}

void SvgLabel::setScaled(bool scaled)
{
    m_scaled = scaled;
    updateGeometry();
    update();
}

void SvgLabel::setSvg(const QString &path, const QSize &size)
{
    setSvgPath(path);
    setSvgSize(size);
}

bool SvgLabel::hasValidSvg() const
{
    return m_renderer->isValid();
}

QSize SvgLabel::sizeHint() const
{
    const QSize base = QLabel::sizeHint();
    if (!m_renderer->isValid())
        return base;
    const QSize image = m_scaled ? m_svgSize : m_renderer->defaultSize();
    return base.expandedTo(image);
}

void SvgLabel::paintEvent(QPaintEvent *event)
{
    QLabel::paintEvent(event);
    if (!m_renderer->isValid())
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    if (!isEnabled())
        painter.setOpacity(0.5);
    const QSize image = m_scaled ? m_svgSize : m_renderer->defaultSize();
    QRectF target(QPointF(0, 0), QSizeF(image));
    target.moveCenter(QRectF(rect()).center());
    m_renderer->render(&painter, target);
}
