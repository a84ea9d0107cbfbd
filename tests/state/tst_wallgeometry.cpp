// The wall arithmetic, headless.
#include "checktable.h"
#include "state/wallgeometry.h"

#include <QtTest>

namespace WallGeometry {
QDebug operator<<(QDebug d, const Grid &g)
{
    return d << g.rows << 'x' << g.columns;
}
} // namespace WallGeometry

using namespace WallGeometry;

class TestWallGeometry : public QObject
{
    Q_OBJECT

private slots:
    void checks_data()
    {
        checkColumns();
        // A unit outside 0..2 counts as 2; a VIR mode outside 0..3 keeps the current one.
        CHECK((QList<Grid>{virGrid(2), virGrid(9), layoutGrid(9)}), {2, 4}, {3, 3}, {3, 3});
        CHECK((QList<Grid>{layoutGrid(8), layoutGrid(layoutModeFor(0, 0, 5))}), {1, 4}, {1, 1});
        CHECK(layoutGrid(layoutModeFor(0, 1, 1)), 2, 2);
        CHECK(layoutGrid(layoutModeFor(1, 2, 1)), 1, 9);
        CHECK(layoutGrid(layoutModeFor(2, 2, 1)), 2, 4);
        CHECK(layoutGrid(layoutModeFor(3, 2, 1)), 4, 2);
        CHECK(layoutGrid(layoutModeFor(2, 7, 1)), 2, 4);
        CHECK(layoutGrid(layoutModeFor(4, 0, 7)), 1, 2);
        CHECK(layoutGrid(layoutModeFor(-1, 2, 1)), 1, 3);

        CHECK(virtualWallSize(0, "1920x1080x60Hz", 0), 5760, 3240);
        CHECK(virtualWallSize(3, "1920x1080x60Hz", 0), 3840, 4320);
        CHECK(virtualWallSize(1, "1920x1080x60Hz", 1), 9720, 1920);
        CHECK(virtualWallSize(0, "1920x1200x60Hz", 3), 3600, 5760);
        CHECK(virtualWallSize(7, "1920x1080x60Hz", 0), 5760, 3240);
        CHECK(virtualWallSize(0, "1280x720", 0), 3840, 2160); // no rate: still a size
        CHECK(virtualWallSize(0, "1920", 0), 0, 0);
        CHECK(virtualWallSize(0, "99999x1080x60Hz", 0), 0, 0);
        CHECK(virtualWallSize(0, "1x1x1Hz", 0), 3, 3);
        CHECK(virtualWallSize(1, "16384x8x1Hz", 0), 147456, 8);

        CHECK((QList<int>{roundHalfUp(2.5), roundHalfUp(-2.5), roundHalfUp(1e12),
                          roundHalfUp(-1e12), roundHalfUp(std::nan(""))}),
              3, -2, INT_MAX, INT_MIN, 0);

        const QSize wall(5760, 3240);
        const QSizeF canvas(1500, 900);
        const QRect v(1920, 1080, 1920, 1080);
        const QRectF third(1.0 / 3, 1.0 / 3, 1.0 / 3, 1.0 / 3);
        CHECK(virtualToCanvas(v, wall, canvas), 500, 300, 500, 300);
        CHECK(canvasToRelative(QRectF(500, 300, 500, 300), canvas), third);
        CHECK(relativeToVirtual(third, wall), v);
        // Half a virtual pixel rounds up; an empty wall or canvas never divides by zero.
        CHECK(relativeToVirtual(QRectF(0.25, 0.25, 0.25, 0.25), QSize(10, 10)), 3, 3, 3, 3);
        CHECK(virtualToCanvas(v, QSize(0, 0), canvas), 0, 0, 0, 0);
        CHECK(canvasToRelative(QRectF(500, 300, 500, 300), QSizeF(0, 0)), 0, 0, 0, 0);
        CHECK(canvasToRelative(QRectF(0.5, 0, 1, 1), QSizeF(1, 1)), 0.5, 0, 1, 1);

        CHECK(sanitiseVirtualRect(QRect(-500, -1, 100, 100), wall), 0, 0, 100, 100);
        CHECK(sanitiseVirtualRect(QRect(9000, 4000, 100, 100), wall), 5759, 3239, 1, 1);
        CHECK(sanitiseVirtualRect(QRect(100, 0, 99999999, 3240), wall), 100, 0, 5660, 3240);
        CHECK(sanitiseVirtualRect(QRect(5, 5, 0, -3), wall), 5, 5, 1, 1);

        CHECK((freeWindowId({1, 2}, 4)), 4);
        CHECK((freeWindowId({1, 3}, 1)), 2);
        CHECK((freeWindowId({1, 2, 4}, 1)), 3);
        CHECK((freeWindowId({2}, 0)), 1);
        QList<int> all;
        for (int i = 1; i <= 101; ++i)
            all << i;
        CHECK(freeWindowId(all, 1), 0);
        CHECK(freeWindowId(all, 102), 0);

        const Layers three{{1, 1}, {2, 2}, {3, 3}};
        CHECK((renumberLayers({{4, 2}, {1, 7}, {2, 2}, {3, 0}})), {3, 1}, {2, 2}, {4, 3}, {1, 4});
        CHECK(layerUp(three, 1), {1, 2}, {2, 1}, {3, 3});
        CHECK((layerUp({{1, 1}, {2, 5}, {3, 9}}, 1)), {1, 2}, {2, 1}, {3, 3});
        CHECK(layerDown(three, 3), {1, 1}, {2, 3}, {3, 2});
        // Two neighbours on one layer: the lower-numbered window is the one exchanged.
        CHECK((layerDown({{1, 1}, {2, 1}, {3, 5}}, 3)), {1, 3}, {2, 1}, {3, 2});
        CHECK((layerUp({{1, 1}, {2, 5}, {3, 5}}, 1)), {1, 2}, {2, 1}, {3, 3});
        CHECK(layerTop(three, 1), {1, 3}, {2, 1}, {3, 2});
        CHECK(layerBottom(three, 3), {1, 2}, {2, 3}, {3, 1});
        CHECK((layerTop({{1, 4}, {2, 8}}, 9)), {1, 1}, {2, 2});

        const Grid g3 = layoutGrid(5), g2 = layoutGrid(3), noRows{0, 3};
        const QRect w(1800, 1000, 400, 200);
        CHECK(zoomOccupiedScreens(QRect(2000, 100, 500, 500), wall, g3), 1920, 0, 1920, 1080);
        CHECK(zoomSingleScreen(w, wall, g3), 0, 0, 1920, 1080);
        CHECK(zoomSingleScreen(QRect(6000, 3300, 9, 9), wall, g3), 3840, 2160, 1920, 1080);
        CHECK(zoomOccupiedScreens(w, wall, g3), 0, 0, 3840, 2160);
        CHECK(zoomSingleScreen(QRect(2000, 100, 1000, 2000), wall, g2), 0, 0, 2880, 1620);
        CHECK(zoomOccupiedScreens(QRect(2000, 100, 1000, 2000), wall, g2), 0, 0, 5760, 3240);
        CHECK(zoomOccupiedScreens(QRect(5000, 3000, 4000, 4000), wall, g3), 3840, 2160, 1920, 1080);
        // A wall or grid without height or width leaves the window alone; one-pixel screens count.
        CHECK(zoomSingleScreen(w, QSize(5760, 0), g3), w);
        CHECK(zoomSingleScreen(w, wall, Grid{3, 0}), w);
        CHECK(zoomOccupiedScreens(w, wall, noRows), w);
        CHECK(zoomOccupiedScreens(w, wall, Grid{1, 3}), 0, 0, 3840, 3240);
        CHECK(zoomOccupiedScreens(QRect(5, 5, 1, 1), QSize(3, 3), g3), 2, 2, 1, 1);

        // Dragging snaps either edge to a screen's border within 10 pixels, inside the canvas.
        CHECK(snapDrag(QPointF(495, 7), QSizeF(200, 100), canvas, g3), 500, 0);
        CHECK(snapDrag(QPointF(305, 445), QSizeF(190, 100), canvas, Grid{1, 3}), 310, 445);
        CHECK(snapDrag(QPointF(1400, -20), QSizeF(200, 100), canvas, g3), 1300, 0);
        CHECK(snapDrag(QPointF(-5, 291), QSizeF(200, 100), canvas, g3), 0, 300);
        // Grabbed edges stop at the minimum size and the canvas.
        const QRectF r(100, 100, 200, 100);
        CHECK(resizeEdges(r, LeftEdge | TopEdge, -150, 80, canvas), 0, 150, 300, 50);
        CHECK(resizeEdges(r, RightEdge | BottomEdge, -190, 900, canvas), 100, 100, 50, 800);
        CHECK(resizeEdges(r, LeftEdge | TopEdge, 190, 90, canvas), 250, 150, 50, 50);
        CHECK(resizeEdges(r, NoEdge, 40, 40, canvas), r);
        CHECK(clampToCanvas(QRectF(1400, 800, 200, 1000), canvas), 1300, 0, 200, 900);
        CHECK(clampToCanvas(QRectF(5, 5, 10, 10), QSizeF(-1, -1)), 0, 0, 0, 0);
        CHECK(cellAt(QPointF(750, 899), canvas, g3), 500, 600, 500, 300);
        CHECK(cellAt(QPointF(-600, 5000), canvas, g3), 0, 600, 500, 300);
        CHECK(cellAt(QPointF(5, 5), QSizeF(0, 0), g3), 0, 0, 0, 0);
        const QSize box(100, 50);
        CHECK((QList<int>{edgesAt(QPoint(9, 0), box), edgesAt(QPoint(91, 41), box),
                          edgesAt(QPoint(10, 10), box), edgesAt(QPoint(90, 40), box)}),
              LeftEdge | TopEdge, RightEdge | BottomEdge, 0, 0);
        const auto cursor = [box](int x, int y, bool header = false, bool dragging = false) {
            return hoverCursor(QPoint(x, y), box, header, dragging);
        };
        CHECK((QList<Qt::CursorShape>{cursor(0, 0), cursor(95, 45), cursor(95, 0), cursor(91, 20),
                                      cursor(0, 45), cursor(9, 20), cursor(50, 9), cursor(50, 41),
                                      cursor(90, 40), cursor(50, 20, true),
                                      cursor(50, 20, true, true), cursor(10, 10)}),
              Qt::SizeFDiagCursor, Qt::SizeFDiagCursor, Qt::SizeBDiagCursor, Qt::SizeHorCursor,
              Qt::SizeBDiagCursor, Qt::SizeHorCursor, Qt::SizeVerCursor, Qt::SizeVerCursor,
              Qt::ArrowCursor, Qt::OpenHandCursor, Qt::ClosedHandCursor, Qt::ArrowCursor);
        // A band shorter than 50 pixels, or drawn up or left, is a click.
        CHECK(bandWindow(QPoint(10, 10), QPoint(40, 30)), 10, 10, 31, 21);
        CHECK(bandWindow(QPoint(10, 10), QPoint(39, 30)), QRect());
        CHECK(bandWindow(QPoint(10, 10), QPoint(10, 70)), 10, 10, 1, 61);
        CHECK(bandWindow(QPoint(100, 10), QPoint(10, 90)), QRect());
        CHECK((QList<int>{windowFontPointSize(300, 300), windowFontPointSize(150, 600),
                          windowFontPointSize(10, 10)}),
              20, 10, 1);

        CHECK(inputFromDropText("101"), 1);
        CHECK(inputFromDropText(" 104\n"), 4);
        CHECK(inputFromDropText("105"), 0);
        CHECK(inputFromDropText("99"), 0);
        CHECK(inputFromDropText("hello 2"), 0);
    }
    void checks() { compareCheck(); }
};

QTEST_GUILESS_MAIN(TestWallGeometry)
#include "tst_wallgeometry.moc"
