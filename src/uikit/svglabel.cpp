#include "svglabel.h"

#include "corvaneresources.h"

#include <QCoreApplication>
#include <QHash>
#include <QPainter>
#include <QPixmapCache>
#include <QSvgRenderer>

namespace {
// Every file is parsed once for all labels: a table holds three pictures in each of its cells and
// swaps them as the outputs change state. An empty or unreadable path gets an invalid renderer.
QSvgRenderer *sharedRenderer(const QString &path)
{
    static QHash<QString, QSvgRenderer *> renderers;
    if (renderers.isEmpty()) {
        // The renderers go with the application that owns them.
        QObject::connect(QCoreApplication::instance(), &QObject::destroyed,
                         [] { renderers.clear(); });
    }
    QSvgRenderer *&renderer = renderers[path];
    if (!renderer) {
        renderer = new QSvgRenderer(QCoreApplication::instance());
        if (!path.isEmpty())
            renderer->load(path);
        renderer->setAspectRatioMode(Qt::KeepAspectRatio);
    }
    return renderer;
}
} // namespace

SvgLabel::SvgLabel(QWidget *parent) : QLabel(parent), m_renderer(sharedRenderer(QString()))
{
    initCorvaneResources();
}

void SvgLabel::setSvgPath(const QString &path)
{
    if (path == m_svgPath)
        return;
    m_svgPath = path;
    m_renderer = sharedRenderer(path);
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
    const QSize image = m_scaled ? m_svgSize : m_renderer->defaultSize();
    if (!m_renderer->isValid() || image.isEmpty())
        return;
    // The picture is drawn once for each file and size and then only copied: cells repaint
    // whenever the table changes.
    const qreal ratio = devicePixelRatioF();
    const QString key = QStringLiteral("SvgLabel:%1:%2x%3@%4")
                            .arg(m_svgPath)
                            .arg(image.width())
                            .arg(image.height())
                            .arg(ratio);
    QPixmap picture;
    if (!QPixmapCache::find(key, &picture)) {
        picture = QPixmap(image * ratio);
        picture.setDevicePixelRatio(ratio);
        picture.fill(Qt::transparent);
        QPainter drawing(&picture);
        drawing.setRenderHint(QPainter::Antialiasing);
        drawing.setRenderHint(QPainter::SmoothPixmapTransform);
        m_renderer->render(&drawing, QRectF(QPointF(0, 0), QSizeF(image)));
        drawing.end();
        QPixmapCache::insert(key, picture);
    }
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    if (!isEnabled())
        painter.setOpacity(0.5);
    QRectF target(QPointF(0, 0), QSizeF(image));
    target.moveCenter(QRectF(rect()).center());
    painter.drawPixmap(target.topLeft(), picture);
}
