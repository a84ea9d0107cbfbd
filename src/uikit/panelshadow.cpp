#include "panelshadow.h"

#include <QPainter>
#include <QPainterPath>
#include <QtMath>

#include <map>
#include <tuple>

// The blur behind QGraphicsDropShadowEffect, exported by Qt Widgets though not in its headers.
Q_DECL_IMPORT void qt_blurImage(QPainter *p, QImage &blurImage, qreal radius, bool quality,
                                bool alphaOnly, int transposed = 0);

namespace {
// How far along a side a corner still changes the shadow, in blur radii past the rounding; beyond
// it a side's shadow no longer differs from one of a longer panel.
const qreal CornerZoneBlurs = 2.5;

struct Tile
{
    QImage image;
    int reach = 0;
    int corner = 0;
};

QPainterPath roundedShape(int side, qreal cornerRadius)
{
    QPainterPath path;
    path.addRoundedRect(QRectF(0, 0, side, side), cornerRadius, cornerRadius);
    return path;
}

// The shadow of a square panel just big enough for its corners, blurred the way the graphics
// effect the panels used to carry blurs it, so the look stays the same.
Tile renderTile(qreal blurRadius, const QColor &color, qreal cornerRadius)
{
    Tile tile;
    tile.reach = qCeil(blurRadius);
    const int zone = qCeil(cornerRadius + CornerZoneBlurs * blurRadius);
    // An even side keeps the blur's pixel pairing the same on opposite sides.
    const int side = 2 * zone + 2;
    tile.corner = tile.reach + zone;
    const int tileSide = side + 2 * tile.reach;

    // The effect's steps on the tile alone: the shape's silhouette, its alpha blurred, then
    // coloured. Going through a scene and the effect itself blurred an image twice as wide,
    // with the shape beside its shadow, and made several full copies on the way.
    QImage shape(tileSide, tileSide, QImage::Format_ARGB32_Premultiplied);
    shape.fill(Qt::transparent);
    QPainter painter(&shape);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(tile.reach, tile.reach);
    painter.fillPath(roundedShape(side, cornerRadius), Qt::black);
    painter.end();

    tile.image = QImage(shape.size(), QImage::Format_ARGB32_Premultiplied);
    tile.image.fill(Qt::transparent);
    painter.begin(&tile.image);
    QImage blurred = shape;
    qt_blurImage(&painter, blurred, blurRadius, false, true);
    painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
    painter.fillRect(tile.image.rect(), color);
    painter.end();

    // What the shape covers fully never shows; clearing it leaves the tile's middle empty like
    // the unpainted middle of a panel.
    for (int y = 0; y < tileSide; ++y) {
        const auto *mask = reinterpret_cast<const QRgb *>(shape.constScanLine(y));
        auto *pixel = reinterpret_cast<QRgb *>(tile.image.scanLine(y));
        for (int x = 0; x < tileSide; ++x) {
            if (qAlpha(mask[x]) == 255)
                pixel[x] = 0;
        }
    }
    return tile;
}

const Tile &cachedTile(qreal blurRadius, const QColor &color, qreal cornerRadius)
{
    // Few looks exist (the main window's and the dialogs'), so the tiles are kept for good.
    static std::map<std::tuple<qreal, QRgb, qreal>, Tile> tiles;
    const auto key = std::make_tuple(blurRadius, color.rgba(), cornerRadius);
    auto it = tiles.find(key);
    if (it == tiles.end())
        it = tiles.emplace(key, renderTile(blurRadius, color, cornerRadius)).first;
    return it->second;
}
} // namespace

PanelShadow::PanelShadow(qreal blurRadius, const QColor &color, qreal cornerRadius)
{
    if (blurRadius <= 0 || color.alpha() == 0)
        return;
    const Tile &tile = cachedTile(blurRadius, color, qMax<qreal>(0, cornerRadius));
    m_tile = tile.image;
    m_reach = tile.reach;
    m_corner = tile.corner;
}

void PanelShadow::paint(QPainter *painter, const QRect &panelRect, const QRect &clip) const
{
    if (m_tile.isNull() || panelRect.isEmpty())
        return;
    const QRect outer = panelRect.adjusted(-m_reach, -m_reach, m_reach, m_reach);
    if (!outer.intersects(clip))
        return;

    // A panel smaller than the tile's corners gives each corner half of it.
    const int left = qMin(m_corner, m_reach + panelRect.width() / 2);
    const int right = qMin(m_corner, outer.width() - left);
    const int top = qMin(m_corner, m_reach + panelRect.height() / 2);
    const int bottom = qMin(m_corner, outer.height() - top);
    const int midWidth = outer.width() - left - right;
    const int midHeight = outer.height() - top - bottom;
    const int tileSide = m_tile.width();
    const int x0 = outer.left();
    const int y0 = outer.top();
    const int x1 = outer.left() + outer.width();
    const int y1 = outer.top() + outer.height();

    painter->save();
    // The sides are one tile column or row stretched: copied as is, never smoothed.
    painter->setRenderHint(QPainter::SmoothPixmapTransform, false);
    const auto piece = [&](const QRect &target, const QRect &source) {
        if (!target.isEmpty() && target.intersects(clip))
            painter->drawImage(target, m_tile, source);
    };
    piece(QRect(x0, y0, left, top), QRect(0, 0, left, top));
    piece(QRect(x1 - right, y0, right, top), QRect(tileSide - right, 0, right, top));
    piece(QRect(x0, y1 - bottom, left, bottom), QRect(0, tileSide - bottom, left, bottom));
    piece(QRect(x1 - right, y1 - bottom, right, bottom),
          QRect(tileSide - right, tileSide - bottom, right, bottom));
    if (midWidth > 0) {
        piece(QRect(x0 + left, y0, midWidth, m_reach), QRect(m_corner, 0, 1, m_reach));
        piece(QRect(x0 + left, y1 - m_reach, midWidth, m_reach),
              QRect(m_corner, tileSide - m_reach, 1, m_reach));
    }
    if (midHeight > 0) {
        piece(QRect(x0, y0 + top, m_reach, midHeight), QRect(0, m_corner, m_reach, 1));
        piece(QRect(x1 - m_reach, y0 + top, m_reach, midHeight),
              QRect(tileSide - m_reach, m_corner, m_reach, 1));
    }
    painter->restore();
}
