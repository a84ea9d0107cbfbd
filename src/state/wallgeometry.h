#pragma once

// The arithmetic of the video wall, free of widgets: the wall and grid tables, the virtual wall
// size, the conversions between canvas, relative and virtual coordinates, window IDs and
// layers, the screen zooms, drag snapping, edge resizing and the hover cursor. The canvas and
// window widgets only paint and route mouse events here.

#include <QList>
#include <QMap>
#include <QPoint>
#include <QPointF>
#include <QRect>
#include <QRectF>
#include <QSize>
#include <QSizeF>
#include <QString>
#include <qnamespace.h>

namespace WallGeometry {

/// At most this many windows on the wall; their IDs are 1..MaxWindows.
constexpr int MaxWindows = 4;
/// Inputs of the wall model; a video input is dragged from the signal list as port + 100.
constexpr int WallInputs = 4;
constexpr int DragInputOffset = 100;
/// The free-ID search gives up after this many candidates.
constexpr int IdSearchLimit = 101;
/// Narrowest and lowest a window may be made by an edge resize, in canvas pixels.
constexpr double MinWindowSide = 50.0;
/// Distance to a cell boundary, in canvas pixels, at which a dragged edge snaps.
constexpr double SnapDistance = 10.0;
/// Width of the band along a window's border that grabs an edge.
constexpr int EdgeGrip = 10;
/// Largest output side taken from a resolution text; anything larger is not a resolution.
constexpr int MaxOutputSide = 16384;
/// Output resolution used when output 1 has none.
constexpr const char *DefaultResolution = "1920x1080x60Hz";

/// Edges of a window grabbed for a resize.
enum Edge
{
    NoEdge = 0,
    LeftEdge = 1,
    RightEdge = 2,
    TopEdge = 4,
    BottomEdge = 8
};

struct Grid
{
    int rows = 3;
    int columns = 3;
    bool operator==(const Grid &o) const { return rows == o.rows && columns == o.columns; }
};

/// Screens of the wall for a VIR mode: 0 3x3, 1 1x9, 2 2x4, 3 4x2, anything else 3x3.
Grid virGrid(int virMode);
/// Cells of the canvas grid for a layout mode 0..8; anything else gives the 3x3 of mode 5.
Grid layoutGrid(int layoutMode);
/// The layout mode for a VIR mode and layout unit (0..2, anything else counts as 2); a VIR mode
/// outside 0..3 keeps `current`.
int layoutModeFor(int virMode, int unit, int current);

/// Reads "WIDTHxHEIGHT..." as two positive sides of at most MaxOutputSide; false otherwise.
bool parseResolution(const QString &text, int *width, int *height);
/// The virtual wall for a VIR mode, output 1's resolution text (empty means the default) and
/// output 1's rotation (1 or 3 swap the sides). An unreadable resolution gives an empty size.
QSize virtualWallSize(int virMode, const QString &resolution, int rotation);

/// Nearest integer with halves going up (2.5 -> 3, -2.5 -> -2); saturates at the int range and
/// reads NaN as 0.
int roundHalfUp(double d);
QRect roundRect(const QRectF &r);

/// Virtual rectangle -> canvas pixels. An empty wall maps everything to 0.
QRectF virtualToCanvas(const QRect &r, const QSize &wall, const QSizeF &canvas);
/// Canvas pixels -> fractions of the canvas. An empty canvas gives 0.
QRectF canvasToRelative(const QRectF &r, const QSizeF &canvas);
/// Fractions of the canvas -> virtual pixels, each rounded.
QRect relativeToVirtual(const QRectF &rel, const QSize &wall);
/// A reported rectangle made to lie on the wall: origin within it, sides at least 1 and not past
/// its far edges.
QRect sanitiseVirtualRect(const QRect &r, const QSize &wall);

/// The smallest ID >= 1 that `used` lacks, trying `hint` first; 0 when the first IdSearchLimit
/// candidates are all taken.
int freeWindowId(const QList<int> &used, int hint);

/// Window ID -> layer.
using Layers = QMap<int, int>;
/// Layers 1..n, ordered by the old layer and, among equal layers, by ID.
Layers renumberLayers(const Layers &layers);
/// The four layer operations on window `id`; each result is renumbered 1..n.
Layers layerUp(const Layers &layers, int id);
Layers layerDown(const Layers &layers, int id);
Layers layerTop(const Layers &layers, int id);
Layers layerBottom(const Layers &layers, int id);
/// IDs from bottom to top.
QList<int> stackingOrder(const Layers &layers);

/// The screen holding the window's top-left corner, in virtual pixels.
QRect zoomSingleScreen(const QRect &window, const QSize &wall, const Grid &grid);
/// Every screen the window touches, in virtual pixels.
QRect zoomOccupiedScreens(const QRect &window, const QSize &wall, const Grid &grid);

/// The cell of the canvas grid under `p`.
QRectF cellAt(const QPointF &p, const QSizeF &canvas, const Grid &grid);
/// Where a window dragged to `topLeft` lands: edges within SnapDistance of a cell boundary snap
/// to it (the right and bottom edges win), and the window stays on the canvas.
QPointF snapDrag(const QPointF &topLeft, const QSizeF &size, const QSizeF &canvas,
                 const Grid &grid);
/// Moves the grabbed edges by (dx, dy); an edge moves only while the window stays at least
/// MinWindowSide wide and high and on the canvas.
QRectF resizeEdges(const QRectF &r, int edges, double dx, double dy, const QSizeF &canvas);
/// Sides capped at the canvas, then the origin moved so that the window lies on it.
QRectF clampToCanvas(const QRectF &r, const QSizeF &canvas);

/// Edges grabbed by a press at `p` in a window of `size`.
int edgesAt(const QPoint &p, const QSize &size);
/// The hover cursor at `p`; `inHeader` when p lies on the header strip.
Qt::CursorShape hoverCursor(const QPoint &p, const QSize &size, bool inHeader, bool dragging);

/// The rectangle a rubber band from `press` to `release` draws, or an empty one when the band
/// is too short (|dx| + |dy| < 50) or not drawn rightwards and downwards.
QRect bandWindow(const QPoint &press, const QPoint &release);
/// The input of a drag from the signal list ("101".."104" for inputs 1..4), or 0.
int inputFromDropText(const QString &text);
/// Point size of a window's text: trunc(20 x min(w, h) / 300), at least 1.
int windowFontPointSize(int width, int height);

} // namespace WallGeometry
