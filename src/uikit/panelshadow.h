#pragma once

#include <QColor>
#include <QImage>

class QPainter;
class QRect;

/// The soft shadow around an opaque panel with rounded corners. The blur is done once for each
/// look (blur radius, colour, corner radius) on a small tile that holds the four corners; a panel
/// of any size is then painted from that tile, its corners copied and its sides stretched.
class PanelShadow
{
public:
    /// No shadow at all.
    PanelShadow() = default;
    PanelShadow(qreal blurRadius, const QColor &color, qreal cornerRadius);

    /// How far past the panel's edge the shadow reaches.
    int reach() const { return m_reach; }

    /// Paints the shadow around panelRect; only the pieces meeting clip are drawn. The panel's
    /// inside is left alone: the panel covers it.
    void paint(QPainter *painter, const QRect &panelRect, const QRect &clip) const;

private:
    QImage m_tile;
    int m_reach = 0;
    int m_corner = 0; // side of a corner piece of the tile: the reach plus the corner's own zone
};
