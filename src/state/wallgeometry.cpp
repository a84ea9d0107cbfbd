#include "wallgeometry.h"

#include <QStringList>

#include <algorithm>
#include <climits>
#include <cmath>

namespace WallGeometry {

namespace {
// Distance from `v` to the cell boundary nearest to it, signed so that v - offset lies on it.
double boundaryOffset(double v, double cell)
{
    const double m = std::fmod(v, cell);
    return (std::fabs(m) <= cell / 2) ? m : (m > 0 ? m - cell : m + cell);
}

double snapAxis(double pos, double extent, double cell, double canvasExtent)
{
    if (cell > 0) {
        const double farEdge = pos + extent;
        const double nearOffset = boundaryOffset(pos, cell);
        if (std::fabs(nearOffset) < SnapDistance)
            pos -= nearOffset;
        const double farOffset = boundaryOffset(farEdge, cell);
        if (std::fabs(farOffset) < SnapDistance)
            pos = farEdge - farOffset - extent;
    }
    return std::max(0.0, std::min(pos, canvasExtent - extent));
}

int clampToInt(qint64 v)
{
    return int(std::max<qint64>(INT_MIN, std::min<qint64>(INT_MAX, v)));
}
} // namespace

Grid virGrid(int virMode)
{
    switch (virMode) {
    case 1:
        return {1, 9};
    case 2:
        return {2, 4};
    case 3:
        return {4, 2};
    default:
        return {3, 3};
    }
}

Grid layoutGrid(int layoutMode)
{
    static const Grid grids[] = {{1, 1}, {1, 3}, {1, 9}, {2, 2}, {2, 4},
                                 {3, 3}, {4, 2}, {1, 2}, {1, 4}};
    if (layoutMode < 0 || layoutMode > 8)
        return {3, 3};
    return grids[layoutMode];
}

int layoutModeFor(int virMode, int unit, int current)
{
    static const int modes[4][3] = {{0, 3, 5}, {7, 8, 2}, {0, 3, 4}, {0, 3, 6}};
    if (virMode < 0 || virMode > 3)
        return current;
    if (unit < 0 || unit > 2)
        unit = 2;
    return modes[virMode][unit];
}

bool parseResolution(const QString &text, int *width, int *height)
{
    const QStringList parts = text.split(QLatin1Char('x'));
    if (parts.size() < 2)
        return false;
    bool okW = false;
    bool okH = false;
    const int w = parts.at(0).trimmed().toInt(&okW);
    const int h = parts.at(1).trimmed().toInt(&okH);
    if (!okW || !okH || w < 1 || h < 1 || w > MaxOutputSide || h > MaxOutputSide)
        return false;
    *width = w;
    *height = h;
    return true;
}

QSize virtualWallSize(int virMode, const QString &resolution, int rotation)
{
    const QString text =
        resolution.trimmed().isEmpty() ? QString::fromLatin1(DefaultResolution) : resolution;
    int w = 0;
    int h = 0;
    if (!parseResolution(text, &w, &h))
        return QSize(0, 0);
    if (rotation == 1 || rotation == 3)
        std::swap(w, h);
    const Grid grid = virGrid(virMode);
    return QSize(w * grid.columns, h * grid.rows);
}

int roundHalfUp(double d)
{
    if (std::isnan(d))
        return 0;
    if (d >= double(INT_MAX))
        return INT_MAX;
    if (d <= double(INT_MIN))
        return INT_MIN;
    if (d >= 0)
        return int(std::trunc(d + 0.5));
    const double t = std::trunc(d - 1);
    return clampToInt(qint64(t) + qint64(std::trunc(d - t + 0.5)));
}

QRect roundRect(const QRectF &r)
{
    return QRect(roundHalfUp(r.x()), roundHalfUp(r.y()), roundHalfUp(r.width()),
                 roundHalfUp(r.height()));
}

QRectF virtualToCanvas(const QRect &r, const QSize &wall, const QSizeF &canvas)
{
    const double sx = wall.width() > 0 ? canvas.width() / wall.width() : 0.0;
    const double sy = wall.height() > 0 ? canvas.height() / wall.height() : 0.0;
    return QRectF(r.x() * sx, r.y() * sy, r.width() * sx, r.height() * sy);
}

QRectF canvasToRelative(const QRectF &r, const QSizeF &canvas)
{
    const double W = canvas.width();
    const double H = canvas.height();
    if (W <= 0 || H <= 0)
        return QRectF(0, 0, 0, 0);
    return QRectF(r.x() / W, r.y() / H, r.width() / W, r.height() / H);
}

QRect relativeToVirtual(const QRectF &rel, const QSize &wall)
{
    return QRect(roundHalfUp(rel.x() * wall.width()), roundHalfUp(rel.y() * wall.height()),
                 roundHalfUp(rel.width() * wall.width()),
                 roundHalfUp(rel.height() * wall.height()));
}

QRect sanitiseVirtualRect(const QRect &r, const QSize &wall)
{
    if (wall.width() <= 0 || wall.height() <= 0)
        return r;
    const int x = std::max(0, std::min(r.x(), wall.width() - 1));
    const int y = std::max(0, std::min(r.y(), wall.height() - 1));
    const int w = std::max(1, std::min(r.width(), wall.width() - x));
    const int h = std::max(1, std::min(r.height(), wall.height() - y));
    return QRect(x, y, w, h);
}

int freeWindowId(const QList<int> &used, int hint)
{
    if (hint >= 1 && hint <= IdSearchLimit && !used.contains(hint))
        return hint;
    for (int id = 1; id <= IdSearchLimit; ++id) {
        if (!used.contains(id))
            return id;
    }
    return 0;
}

QList<int> stackingOrder(const Layers &layers)
{
    QList<int> ids = layers.keys(); // ascending IDs
    std::stable_sort(ids.begin(), ids.end(),
                     [&](int a, int b) { return layers.value(a) < layers.value(b); });
    return ids;
}

Layers renumberLayers(const Layers &layers)
{
    Layers out;
    int layer = 1;
    const QList<int> order = stackingOrder(layers);
    for (int id : order)
        out.insert(id, layer++);
    return out;
}

namespace {
// The other window whose layer is the nearest above (up) or below (!up) the window's own.
int neighbour(const Layers &layers, int id, bool up)
{
    const int own = layers.value(id);
    int found = 0;
    for (auto it = layers.cbegin(); it != layers.cend(); ++it) {
        if (it.key() == id)
            continue;
        const int l = it.value();
        if (up ? l <= own : l >= own)
            continue;
        if (!found || (up ? l < layers.value(found) : l > layers.value(found)))
            found = it.key();
    }
    return found;
}

Layers exchange(Layers layers, int id, bool up)
{
    if (!layers.contains(id))
        return renumberLayers(layers);
    const int other = neighbour(layers, id, up);
    if (other) {
        const int own = layers.value(id);
        layers[id] = layers.value(other);
        layers[other] = own;
    }
    return renumberLayers(layers);
}

Layers toEnd(Layers layers, int id, bool top)
{
    if (!layers.contains(id) || layers.isEmpty())
        return renumberLayers(layers);
    const QList<int> values = layers.values();
    layers[id] = top ? *std::max_element(values.begin(), values.end()) + 1
                     : *std::min_element(values.begin(), values.end()) - 1;
    return renumberLayers(layers);
}
} // namespace

Layers layerUp(const Layers &layers, int id)
{
    return exchange(layers, id, true);
}

Layers layerDown(const Layers &layers, int id)
{
    return exchange(layers, id, false);
}

Layers layerTop(const Layers &layers, int id)
{
    return toEnd(layers, id, true);
}

Layers layerBottom(const Layers &layers, int id)
{
    return toEnd(layers, id, false);
}

QRect zoomSingleScreen(const QRect &window, const QSize &wall, const Grid &grid)
{
    const int sw = grid.columns > 0 ? wall.width() / grid.columns : 0;
    const int sh = grid.rows > 0 ? wall.height() / grid.rows : 0;
    if (sw <= 0 || sh <= 0)
        return window;
    // A window left of or above the wall is on the first screen.
    const int c = std::max(0, std::min(window.x() / sw, grid.columns - 1));
    const int r = std::max(0, std::min(window.y() / sh, grid.rows - 1));
    return QRect(c * sw, r * sh, sw, sh);
}

QRect zoomOccupiedScreens(const QRect &window, const QSize &wall, const Grid &grid)
{
    const int sw = grid.columns > 0 ? wall.width() / grid.columns : 0;
    const int sh = grid.rows > 0 ? wall.height() / grid.rows : 0;
    if (sw <= 0 || sh <= 0)
        return window;
    // Left of or above the wall is the first screen, as in zoomSingleScreen.
    const auto screen = [](qint64 v, int side, int count) {
        return int(std::max<qint64>(0, std::min<qint64>(v / side, count - 1)));
    };
    const int c0 = screen(window.x(), sw, grid.columns);
    const int r0 = screen(window.y(), sh, grid.rows);
    const int c1 = std::max(
        c0, screen(qint64(window.x()) + std::max(window.width(), 1) - 1, sw, grid.columns));
    const int r1 =
        std::max(r0, screen(qint64(window.y()) + std::max(window.height(), 1) - 1, sh, grid.rows));
    return QRect(c0 * sw, r0 * sh, (c1 - c0 + 1) * sw, (r1 - r0 + 1) * sh);
}

QRectF cellAt(const QPointF &p, const QSizeF &canvas, const Grid &grid)
{
    const double cw = canvas.width() / std::max(grid.columns, 1);
    const double ch = canvas.height() / std::max(grid.rows, 1);
    const int c = cw > 0 ? std::max(0, std::min(int(std::trunc(p.x() / cw)), grid.columns - 1)) : 0;
    const int r = ch > 0 ? std::max(0, std::min(int(std::trunc(p.y() / ch)), grid.rows - 1)) : 0;
    return QRectF(c * cw, r * ch, cw, ch);
}

QPointF snapDrag(const QPointF &topLeft, const QSizeF &size, const QSizeF &canvas, const Grid &grid)
{
    const double cw = canvas.width() / std::max(grid.columns, 1);
    const double ch = canvas.height() / std::max(grid.rows, 1);
    return QPointF(snapAxis(topLeft.x(), size.width(), cw, canvas.width()),
                   snapAxis(topLeft.y(), size.height(), ch, canvas.height()));
}

QRectF resizeEdges(const QRectF &r, int edges, double dx, double dy, const QSizeF &canvas)
{
    double left = r.left();
    double right = r.right();
    double top = r.top();
    double bottom = r.bottom();
    // Each grabbed edge follows the pointer as far as the minimum size and the canvas allow;
    // the canvas wins when a window is already smaller than the minimum.
    if (edges & LeftEdge)
        left = std::max(0.0, std::min(left + dx, right - MinWindowSide));
    if (edges & RightEdge)
        right = std::min(canvas.width(), std::max(right + dx, left + MinWindowSide));
    if (edges & TopEdge)
        top = std::max(0.0, std::min(top + dy, bottom - MinWindowSide));
    if (edges & BottomEdge)
        bottom = std::min(canvas.height(), std::max(bottom + dy, top + MinWindowSide));
    return QRectF(QPointF(left, top), QPointF(right, bottom));
}

QRectF clampToCanvas(const QRectF &r, const QSizeF &canvas)
{
    const double W = std::max(0.0, canvas.width());
    const double H = std::max(0.0, canvas.height());
    const double w = std::min(r.width(), W);
    const double h = std::min(r.height(), H);
    const double x = std::min(std::max(r.x(), 0.0), W - w);
    const double y = std::min(std::max(r.y(), 0.0), H - h);
    return QRectF(x, y, w, h);
}

int edgesAt(const QPoint &p, const QSize &size)
{
    int edges = NoEdge;
    if (p.x() < EdgeGrip)
        edges |= LeftEdge;
    if (p.x() >= size.width() - (EdgeGrip - 1))
        edges |= RightEdge;
    if (p.y() < EdgeGrip)
        edges |= TopEdge;
    if (p.y() >= size.height() - (EdgeGrip - 1))
        edges |= BottomEdge;
    return edges;
}

Qt::CursorShape hoverCursor(const QPoint &p, const QSize &size, bool inHeader, bool dragging)
{
    const int x = p.x();
    const int y = p.y();
    const int w = size.width();
    const int h = size.height();
    const bool nearLeft = x < EdgeGrip;
    const bool nearRight = x >= w - (EdgeGrip - 1);
    const bool nearTop = y < EdgeGrip;
    const bool nearBottom = y >= h - (EdgeGrip - 1);
    if (nearLeft && nearTop)
        return Qt::SizeFDiagCursor;
    if (nearRight) {
        if (nearBottom)
            return Qt::SizeFDiagCursor;
        return nearTop ? Qt::SizeBDiagCursor : Qt::SizeHorCursor;
    }
    if (nearLeft)
        return nearBottom ? Qt::SizeBDiagCursor : Qt::SizeHorCursor;
    if (nearTop || nearBottom)
        return Qt::SizeVerCursor;
    if (inHeader)
        return dragging ? Qt::ClosedHandCursor : Qt::OpenHandCursor;
    return Qt::ArrowCursor;
}

QRect bandWindow(const QPoint &press, const QPoint &release)
{
    const int dx = release.x() - press.x();
    const int dy = release.y() - press.y();
    if (std::abs(dx) + std::abs(dy) <= 49 || dx < 0 || dy < 0)
        return QRect();
    return QRect(press, release);
}

int inputFromDropText(const QString &text)
{
    bool ok = false;
    const int code = text.trimmed().toInt(&ok);
    if (!ok || code <= DragInputOffset || code > DragInputOffset + WallInputs)
        return 0;
    return code - DragInputOffset;
}

int windowFontPointSize(int width, int height)
{
    const float scale = std::min(float(width) / 300.0f, float(height) / 300.0f);
    return std::max(1, int(20.0f * scale));
}

} // namespace WallGeometry
