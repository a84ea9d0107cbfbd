// The wall arithmetic, headless: tables, the virtual wall, rounding, IDs,
// layers, zooms, snapping, edge resizing and the hover cursor.
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
        // A unit outside 0..2 counts as 2; a VIR mode outside 0..3 keeps the
        // current mode (1).
        CHECK(layoutGrid(layoutModeFor(0, 0, 1)), 1, 1);
        CHECK(layoutGrid(layoutModeFor(0, 1, 1)), 2, 2);
        CHECK(layoutGrid(layoutModeFor(0, 2, 1)), 3, 3);
        CHECK(layoutGrid(layoutModeFor(1, 0, 1)), 1, 2);
        CHECK(layoutGrid(layoutModeFor(1, 1, 1)), 1, 4);
        CHECK(layoutGrid(layoutModeFor(1, 2, 1)), 1, 9);
        CHECK(layoutGrid(layoutModeFor(2, 1, 1)), 2, 2);
        CHECK(layoutGrid(layoutModeFor(2, 2, 1)), 2, 4);
        CHECK(layoutGrid(layoutModeFor(3, 0, 1)), 1, 1);
        CHECK(layoutGrid(layoutModeFor(3, 2, 1)), 4, 2);
        CHECK(layoutGrid(layoutModeFor(2, 7, 1)), 2, 4);
        CHECK(layoutGrid(layoutModeFor(4, 0, 1)), 1, 3);
        CHECK(layoutGrid(layoutModeFor(-1, 2, 1)), 1, 3);

        CHECK(virtualWallSize(0, "1920x1080x60Hz", 0), 5760, 3240);
        CHECK(virtualWallSize(2, "1280x720x50Hz", 0), 5120, 1440);
        CHECK(virtualWallSize(3, "1920x1080x60Hz", 0), 3840, 4320);
        CHECK(virtualWallSize(1, "1920x1080x60Hz", 1), 9720, 1920);
        CHECK(virtualWallSize(0, "1920x1200x60Hz", 3), 3600, 5760);
        CHECK(virtualWallSize(0, "1920x1080x60Hz", 2), 5760, 3240);
        CHECK(virtualWallSize(7, "1920x1080x60Hz", 0), 5760, 3240);
        CHECK(virtualWallSize(0, "", 0), 5760, 3240);
        CHECK(virtualWallSize(0, "1920", 0), 0, 0);
        CHECK(virtualWallSize(0, "1920xabc", 0), 0, 0);
        CHECK(virtualWallSize(0, "99999x1080x60Hz", 0), 0, 0);
        CHECK(virtualWallSize(0, "-1920x1080", 0), 0, 0);
        CHECK(virtualWallSize(0, "1x1x1Hz", 0), 3, 3);
        CHECK(virtualWallSize(1, "16384x8x1Hz", 0), 147456, 8);

        CHECK(roundHalfUp(2.5), 3);
        CHECK(roundHalfUp(2.49), 2);
        CHECK(roundHalfUp(-2.5), -2);
        CHECK(roundHalfUp(-2.51), -3);
        CHECK(roundHalfUp(-0.5), 0);
        CHECK(roundHalfUp(1e12), INT_MAX);
        CHECK(roundHalfUp(-1e12), INT_MIN);
        CHECK(roundHalfUp(std::nan("")), 0);

        const QSize wall(5760, 3240);
        const QSizeF canvas(1500, 900);
        const QRect v(1920, 1080, 1920, 1080);
        const QRectF third(1.0 / 3, 1.0 / 3, 1.0 / 3, 1.0 / 3);
        CHECK(virtualToCanvas(v, wall, canvas), 500, 300, 500, 300);
        CHECK(canvasToRelative(QRectF(500, 300, 500, 300), canvas), third);
        CHECK(relativeToVirtual(third, wall), v);
        // Half a virtual pixel rounds up; an empty wall or canvas never divides by
        // zero.
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
        CHECK((freeWindowId({1}, 0)), 2);
        QList<int> all;
        for (int i = 1; i <= 101; ++i)
            all << i;
        CHECK(freeWindowId(all, 1), 0);
        CHECK(freeWindowId(all, 102), 0);

        const Layers three{{1, 1}, {2, 2}, {3, 3}};
        CHECK((renumberLayers({{4, 2}, {1, 7}, {2, 2}, {3, 0}})), {3, 1}, {2, 2}, {4, 3}, {1, 4});
        CHECK(layerUp(three, 1), {1, 2}, {2, 1}, {3, 3});
        CHECK(layerUp(three, 3), three);
        CHECK((layerUp({{1, 1}, {2, 5}, {3, 9}}, 1)), {1, 2}, {2, 1}, {3, 3});
        CHECK(layerDown(three, 3), {1, 1}, {2, 3}, {3, 2});
        CHECK(layerDown(three, 1), three);
        CHECK(layerTop(three, 1), {1, 3}, {2, 1}, {3, 2});
        CHECK(layerBottom(three, 3), {1, 2}, {2, 3}, {3, 1});
        CHECK((layerTop({{1, 4}, {2, 8}}, 9)), {1, 1}, {2, 2});

        const Grid g3 = layoutGrid(5), g2 = layoutGrid(3), noRows{0, 3}, noColumns{3, 0};
        const QRect w(1800, 1000, 400, 200);
        CHECK(zoomSingleScreen(QRect(2000, 100, 500, 500), wall, g3), 1920, 0, 1920, 1080);
        CHECK(zoomOccupiedScreens(QRect(2000, 100, 500, 500), wall, g3), 1920, 0, 1920, 1080);
        CHECK(zoomSingleScreen(w, wall, g3), 0, 0, 1920, 1080);
        CHECK(zoomOccupiedScreens(w, wall, g3), 0, 0, 3840, 2160);
        CHECK(zoomSingleScreen(v, wall, g3), v);
        CHECK(zoomOccupiedScreens(v, wall, g3), v);
        CHECK(zoomSingleScreen(QRect(2000, 100, 1000, 2000), wall, g2), 0, 0, 2880, 1620);
        CHECK(zoomOccupiedScreens(QRect(2000, 100, 1000, 2000), wall, g2), 0, 0, 5760, 3240);
        CHECK(zoomSingleScreen(QRect(5000, 3000, 4000, 4000), wall, g3), 3840, 2160, 1920, 1080);
        CHECK(zoomOccupiedScreens(QRect(5000, 3000, 4000, 4000), wall, g3), 3840, 2160, 1920, 1080);
        // A wall or grid without height or width leaves the window alone; one-pixel
        // screens count.
        CHECK(zoomSingleScreen(w, QSize(5760, 0), g3), w);
        CHECK(zoomOccupiedScreens(w, QSize(5760, 0), g3), w);
        CHECK(zoomSingleScreen(w, wall, noRows), w);
        CHECK(zoomSingleScreen(w, wall, noColumns), w);
        CHECK(zoomOccupiedScreens(w, wall, noRows), w);
        CHECK(zoomOccupiedScreens(w, wall, noColumns), w);
        CHECK(zoomSingleScreen(QRect(5, 5, 1, 1), QSize(3, 3), g3), 2, 2, 1, 1);
        CHECK(zoomOccupiedScreens(QRect(5, 5, 1, 1), QSize(3, 3), g3), 2, 2, 1, 1);

        // 3x3 on 900 x 900: cells of 300.
        const QSizeF square(900, 900), small(100, 100);
        CHECK(snapDrag(QPointF(120, 140), small, square, g3), 120, 140);
        CHECK(snapDrag(QPointF(305, 140), small, square, g3), 300, 140);
        CHECK(snapDrag(QPointF(292, 140), small, square, g3), 300, 140);
        CHECK(snapDrag(QPointF(310, 140), small, square, g3), 310, 140);
        CHECK(snapDrag(QPointF(305, 140), QSizeF(290, 100), square, g3), 310, 140);
        CHECK(snapDrag(QPointF(20, 296), QSizeF(100, 308), square, g3), 20, 292);
        CHECK(snapDrag(QPointF(850, -40), small, square, g3), 800, 0);
        CHECK(snapDrag(QPointF(-50, 0), QSizeF(1000, 100), square, g3), 0, 0);
        CHECK(cellAt(QPointF(10, 890), square, g3), 0, 600, 300, 300);
        CHECK(cellAt(QPointF(900, 900), square, g3), 600, 600, 300, 300);
        CHECK(cellAt(QPointF(-5, -5), square, g3), 0, 0, 300, 300);
        CHECK(cellAt(QPointF(610, 450), square, layoutGrid(1)), 600, 0, 300, 900);

        const int L = LeftEdge, R = RightEdge, T = TopEdge, B = BottomEdge;
        const QRectF r(100, 100, 200, 200);
        const QSizeF c(500, 400);
        CHECK(resizeEdges(r, R, 50, 0, c), 100, 100, 250, 200);
        CHECK(resizeEdges(r, R, 900, 0, c), 100, 100, 400, 200);
        CHECK(resizeEdges(r, R, -400, 0, c), 100, 100, 50, 200);
        CHECK(resizeEdges(r, L, -300, 0, c), 0, 100, 300, 200);
        CHECK(resizeEdges(r, L, 500, 0, c), 250, 100, 50, 200);
        CHECK(resizeEdges(r, T | L, -20, -30, c), 80, 70, 220, 230);
        CHECK(resizeEdges(r, B, 0, 500, c), 100, 100, 200, 300);
        CHECK(resizeEdges(r, B | R, -180, -180, c), 100, 100, 50, 50);
        CHECK(resizeEdges(r, 0, 40, 40, c), r);
        CHECK(clampToCanvas(QRectF(480, 390, 50, 50), c), 450, 350, 50, 50);
        CHECK(clampToCanvas(QRectF(-20, -5, 50, 50), c), 0, 0, 50, 50);
        CHECK(clampToCanvas(QRectF(30, 30, 900, 900), c), 0, 0, 500, 400);
        CHECK(clampToCanvas(QRectF(30, 30, 90, 90), QSizeF()), 0, 0, 0, 0);

        // A 200 x 100 window; the header strip is the caller's business.
        const auto hover = [](int x, int y, bool header) {
            return std::make_pair(edgesAt(QPoint(x, y), QSize(200, 100)),
                                  hoverCursor(QPoint(x, y), QSize(200, 100), header, false));
        };
        CHECK(hover(9, 9, true), L | T, Qt::SizeFDiagCursor);
        CHECK(hover(191, 91, false), R | B, Qt::SizeFDiagCursor);
        CHECK(hover(195, 0, true), R | T, Qt::SizeBDiagCursor);
        CHECK(hover(0, 99, false), L | B, Qt::SizeBDiagCursor);
        CHECK(hover(191, 50, false), R, Qt::SizeHorCursor);
        CHECK(hover(9, 50, false), L, Qt::SizeHorCursor);
        CHECK(hover(100, 9, true), T, Qt::SizeVerCursor);
        CHECK(hover(190, 50, false), 0, Qt::ArrowCursor);
        CHECK(hover(100, 10, true), 0, Qt::OpenHandCursor);
        CHECK(hover(100, 50, false), 0, Qt::ArrowCursor);
        CHECK(hoverCursor(QPoint(100, 10), QSize(200, 100), true, true), Qt::ClosedHandCursor);

        CHECK(bandWindow(QPoint(10, 20), QPoint(110, 70)), 10, 20, 101, 51);
        CHECK(bandWindow(QPoint(0, 0), QPoint(25, 25)), 0, 0, 26, 26);
        CHECK(bandWindow(QPoint(0, 0), QPoint(49, 0)), );
        CHECK(bandWindow(QPoint(200, 200), QPoint(10, 10)), );
        CHECK(bandWindow(QPoint(10, 200), QPoint(300, 150)), );
        CHECK(bandWindow(QPoint(10, 10), QPoint(10, 80)), 10, 10, 1, 71);

        CHECK(inputFromDropText("101"), 1);
        CHECK(inputFromDropText(" 104\n"), 4);
        CHECK(inputFromDropText("105"), 0);
        CHECK(inputFromDropText("100"), 0);
        CHECK(inputFromDropText("hello 2"), 0);

        CHECK(windowFontPointSize(600, 150), 10);
        CHECK(windowFontPointSize(299, 299), 19);
        CHECK(windowFontPointSize(50, 50), 3);
        CHECK(windowFontPointSize(0, 0), 1);
    }
    void checks()
    {
        QFETCH(QString, got);
        QTEST(got, "want");
    }
};

QTEST_GUILESS_MAIN(TestWallGeometry)
#include "tst_wallgeometry.moc"
