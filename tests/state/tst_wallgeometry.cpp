// The wall arithmetic, headless: tables, the virtual wall, rounding, IDs, layers, zooms,
// snapping, edge resizing and the hover cursor.
#include "state/wallgeometry.h"

#include <QtTest>

using namespace WallGeometry;
Q_DECLARE_METATYPE(Qt::CursorShape)
Q_DECLARE_METATYPE(Grid)

namespace {
// QFETCH as an expression, so that a row's check fits in one statement.
template <typename T> T arg(const char *column)
{
    return *static_cast<T *>(QTest::qData(column, qMetaTypeId<T>()));
}
using LayerOp = Layers (*)(const Layers &, int);
} // namespace
Q_DECLARE_METATYPE(LayerOp)

class TestWallGeometry : public QObject
{
    Q_OBJECT

private slots:
    void layoutMode_data()
    {
        QTest::addColumn<int>("vir");
        QTest::addColumn<int>("unit");
        QTest::addColumn<int>("mode");
        QTest::addColumn<Grid>("grid");
        QTest::newRow("3x3 unit0") << 0 << 0 << 0 << Grid{1, 1};
        QTest::newRow("3x3 unit1") << 0 << 1 << 3 << Grid{2, 2};
        QTest::newRow("3x3 unit2") << 0 << 2 << 5 << Grid{3, 3};
        QTest::newRow("1x9 unit0") << 1 << 0 << 7 << Grid{1, 2};
        QTest::newRow("1x9 unit1") << 1 << 1 << 8 << Grid{1, 4};
        QTest::newRow("1x9 unit2") << 1 << 2 << 2 << Grid{1, 9};
        QTest::newRow("2x4 unit1") << 2 << 1 << 3 << Grid{2, 2};
        QTest::newRow("2x4 unit2") << 2 << 2 << 4 << Grid{2, 4};
        QTest::newRow("4x2 unit0") << 3 << 0 << 0 << Grid{1, 1};
        QTest::newRow("4x2 unit2") << 3 << 2 << 6 << Grid{4, 2};
        // A unit outside 0..2 counts as 2; a VIR mode outside 0..3 keeps the current mode (1).
        QTest::newRow("unit 7") << 2 << 7 << 4 << Grid{2, 4};
        QTest::newRow("vir 4 keeps") << 4 << 0 << 1 << Grid{1, 3};
        QTest::newRow("vir -1 keeps") << -1 << 2 << 1 << Grid{1, 3};
    }
    void layoutMode()
    {
        QTEST(layoutModeFor(arg<int>("vir"), arg<int>("unit"), 1), "mode");
        QTEST(layoutGrid(arg<int>("mode")), "grid");
    }

    void virtualWall_data()
    {
        QTest::addColumn<int>("vir");
        QTest::addColumn<QString>("res");
        QTest::addColumn<int>("rot");
        QTest::addColumn<QSize>("wall");
        QTest::newRow("3x3") << 0 << "1920x1080x60Hz" << 0 << QSize(5760, 3240);
        QTest::newRow("2x4") << 2 << "1280x720x50Hz" << 0 << QSize(5120, 1440);
        QTest::newRow("4x2") << 3 << "1920x1080x60Hz" << 0 << QSize(3840, 4320);
        QTest::newRow("1x9 rotated 1") << 1 << "1920x1080x60Hz" << 1 << QSize(9720, 1920);
        QTest::newRow("rotated 3") << 0 << "1920x1200x60Hz" << 3 << QSize(3600, 5760);
        QTest::newRow("rotated 2 keeps") << 0 << "1920x1080x60Hz" << 2 << QSize(5760, 3240);
        QTest::newRow("vir 7 is 3x3") << 7 << "1920x1080x60Hz" << 0 << QSize(5760, 3240);
        QTest::newRow("missing is default") << 0 << "" << 0 << QSize(5760, 3240);
        QTest::newRow("no x") << 0 << "1920" << 0 << QSize(0, 0);
        QTest::newRow("one side letters") << 0 << "1920xabc" << 0 << QSize(0, 0);
        QTest::newRow("too wide") << 0 << "99999x1080x60Hz" << 0 << QSize(0, 0);
        QTest::newRow("negative") << 0 << "-1920x1080" << 0 << QSize(0, 0);
        QTest::newRow("smallest side") << 0 << "1x1x1Hz" << 0 << QSize(3, 3);
        QTest::newRow("largest side") << 1 << "16384x8x1Hz" << 0 << QSize(147456, 8);
    }
    void virtualWall()
    {
        QTEST(virtualWallSize(arg<int>("vir"), arg<QString>("res"), arg<int>("rot")), "wall");
    }

    void rounding_data()
    {
        QTest::addColumn<double>("d");
        QTest::addColumn<int>("n");
        QTest::newRow("2.5") << 2.5 << 3;
        QTest::newRow("2.49") << 2.49 << 2;
        QTest::newRow("-2.5") << -2.5 << -2;
        QTest::newRow("-2.51") << -2.51 << -3;
        QTest::newRow("-0.5") << -0.5 << 0;
        QTest::newRow("huge") << 1e12 << INT_MAX;
        QTest::newRow("-huge") << -1e12 << INT_MIN;
        QTest::newRow("nan") << std::nan("") << 0;
    }
    void rounding() { QTEST(roundHalfUp(arg<double>("d")), "n"); }

    void coordinateSpaces()
    {
        const QSize wall(5760, 3240);
        const QSizeF canvas(1500, 900);
        const QRect v(1920, 1080, 1920, 1080);
        const QRectF c = virtualToCanvas(v, wall, canvas);
        QCOMPARE(c, QRectF(500, 300, 500, 300));
        QCOMPARE(canvasToRelative(c, canvas), QRectF(1.0 / 3, 1.0 / 3, 1.0 / 3, 1.0 / 3));
        QCOMPARE(relativeToVirtual(canvasToRelative(c, canvas), wall), v);
        // Half a virtual pixel rounds up: 0.25 of 10 is 2.5.
        QCOMPARE(relativeToVirtual({0.25, 0.25, 0.25, 0.25}, {10, 10}), QRect(3, 3, 3, 3));
        // Empty wall or canvas map to zeros, never divide by zero.
        QCOMPARE(virtualToCanvas(v, QSize(0, 0), canvas), QRectF(0, 0, 0, 0));
        QCOMPARE(canvasToRelative(c, QSizeF(0, 0)), QRectF(0, 0, 0, 0));
    }

    void sanitise_data()
    {
        QTest::addColumn<QRect>("in");
        QTest::addColumn<QRect>("out");
        QTest::newRow("negative origin") << QRect(-500, -1, 100, 100) << QRect(0, 0, 100, 100);
        QTest::newRow("past far edge") << QRect(9000, 4000, 100, 100) << QRect(5759, 3239, 1, 1);
        QTest::newRow("too wide") << QRect(100, 0, 99999999, 3240) << QRect(100, 0, 5660, 3240);
        QTest::newRow("zero size") << QRect(5, 5, 0, -3) << QRect(5, 5, 1, 1);
    }
    void sanitise() { QTEST(sanitiseVirtualRect(arg<QRect>("in"), QSize(5760, 3240)), "out"); }

    void freeId_data()
    {
        QTest::addColumn<QList<int>>("used");
        QTest::addColumn<int>("hint");
        QTest::addColumn<int>("id");
        QTest::newRow("hint free") << QList<int>{1, 2} << 4 << 4;
        QTest::newRow("hint taken") << QList<int>{1, 3} << 1 << 2;
        QTest::newRow("gap") << QList<int>{1, 2, 4} << 1 << 3;
        QTest::newRow("bad hint") << QList<int>{1} << 0 << 2;
        QList<int> all;
        for (int i = 1; i <= 101; ++i)
            all << i;
        QTest::newRow("exhausted") << all << 1 << 0;
        QTest::newRow("102 past the bound") << all << 102 << 0;
    }
    void freeId() { QTEST(freeWindowId(arg<QList<int>>("used"), arg<int>("hint")), "id"); }

    void layers_data()
    {
        QTest::addColumn<LayerOp>("op");
        QTest::addColumn<Layers>("before");
        QTest::addColumn<int>("id");
        QTest::addColumn<Layers>("after");
        const LayerOp renumber = [](const Layers &l, int) { return renumberLayers(l); };
        const Layers three{{1, 1}, {2, 2}, {3, 3}};
        QTest::newRow("renumber") << renumber << Layers{{4, 2}, {1, 7}, {2, 2}, {3, 0}} << 0
                                  << Layers{{3, 1}, {2, 2}, {4, 3}, {1, 4}};
        QTest::newRow("up swaps") << &layerUp << three << 1 << Layers{{1, 2}, {2, 1}, {3, 3}};
        QTest::newRow("up on top unchanged") << &layerUp << three << 3 << three;
        QTest::newRow("up skips gaps")
            << &layerUp << Layers{{1, 1}, {2, 5}, {3, 9}} << 1 << Layers{{1, 2}, {2, 1}, {3, 3}};
        QTest::newRow("down swaps") << &layerDown << three << 3 << Layers{{1, 1}, {2, 3}, {3, 2}};
        QTest::newRow("down on bottom unchanged") << &layerDown << three << 1 << three;
        QTest::newRow("top") << &layerTop << three << 1 << Layers{{1, 3}, {2, 1}, {3, 2}};
        QTest::newRow("bottom") << &layerBottom << three << 3 << Layers{{1, 2}, {2, 3}, {3, 1}};
        QTest::newRow("unknown") << &layerTop << Layers{{1, 4}, {2, 8}} << 9
                                 << Layers{{1, 1}, {2, 2}};
    }
    void layers() { QTEST(arg<LayerOp>("op")(arg<Layers>("before"), arg<int>("id")), "after"); }

    void zooms_data()
    {
        QTest::addColumn<QRect>("window");
        QTest::addColumn<int>("layoutMode");
        QTest::addColumn<QRect>("single");
        QTest::addColumn<QRect>("occupied");
        const QRect second(1920, 0, 1920, 1080), centre(1920, 1080, 1920, 1080),
            last(3840, 2160, 1920, 1080);
        QTest::newRow("inside one screen") << QRect(2000, 100, 500, 500) << 5 << second << second;
        QTest::newRow("over four screens") << QRect(1800, 1000, 400, 200) << 5
                                           << QRect(0, 0, 1920, 1080) << QRect(0, 0, 3840, 2160);
        QTest::newRow("exactly one screen") << centre << 5 << centre << centre;
        QTest::newRow("2x2 grid") << QRect(2000, 100, 1000, 2000) << 3 << QRect(0, 0, 2880, 1620)
                                  << QRect(0, 0, 5760, 3240);
        QTest::newRow("past the wall") << QRect(5000, 3000, 4000, 4000) << 5 << last << last;
    }
    void zooms()
    {
        const QRect window = arg<QRect>("window");
        const Grid grid = layoutGrid(arg<int>("layoutMode"));
        QTEST(zoomSingleScreen(window, QSize(5760, 3240), grid), "single");
        QTEST(zoomOccupiedScreens(window, QSize(5760, 3240), grid), "occupied");
        // A wall without height leaves the window alone.
        QCOMPARE(zoomSingleScreen(window, QSize(5760, 0), grid), window);
        QCOMPARE(zoomOccupiedScreens(window, QSize(5760, 0), grid), window);
        QCOMPARE(zoomSingleScreen(window, QSize(5760, 3240), Grid{0, 3}), window);
        QCOMPARE(zoomOccupiedScreens(window, QSize(5760, 3240), Grid{3, 0}), window);
        // Screens of one pixel are screens still.
        QCOMPARE(zoomSingleScreen(QRect(5, 5, 1, 1), QSize(3, 3), layoutGrid(5)),
                 QRect(2, 2, 1, 1));
        QCOMPARE(zoomOccupiedScreens(QRect(5, 5, 1, 1), QSize(3, 3), layoutGrid(5)),
                 QRect(2, 2, 1, 1));
    }

    void snapping_data()
    {
        QTest::addColumn<QPointF>("to");
        QTest::addColumn<QSizeF>("size");
        QTest::addColumn<QPointF>("at");
        // 3x3 on 900 x 900: cells of 300.
        const QSizeF small(100, 100);
        QTest::newRow("free") << QPointF(120, 140) << small << QPointF(120, 140);
        QTest::newRow("left just past") << QPointF(305, 140) << small << QPointF(300, 140);
        QTest::newRow("left just before") << QPointF(292, 140) << small << QPointF(300, 140);
        QTest::newRow("10 away no snap") << QPointF(310, 140) << small << QPointF(310, 140);
        QTest::newRow("right wins") << QPointF(305, 140) << QSizeF(290, 100) << QPointF(310, 140);
        QTest::newRow("bottom wins") << QPointF(20, 296) << QSizeF(100, 308) << QPointF(20, 292);
        QTest::newRow("past the canvas") << QPointF(850, -40) << small << QPointF(800, 0);
        QTest::newRow("wider than canvas") << QPointF(-50, 0) << QSizeF(1000, 100) << QPointF(0, 0);
    }
    void snapping()
    {
        QTEST(snapDrag(arg<QPointF>("to"), arg<QSizeF>("size"), {900, 900}, layoutGrid(5)), "at");
    }

    void edgeResize_data()
    {
        QTest::addColumn<int>("edges");
        QTest::addColumn<QPointF>("delta");
        QTest::addColumn<QRectF>("to");
        const int L = LeftEdge, R = RightEdge, T = TopEdge, B = BottomEdge;
        // From (100, 100, 200, 200) on a 500 x 400 canvas.
        QTest::newRow("right grows") << R << QPointF(50, 0) << QRectF(100, 100, 250, 200);
        QTest::newRow("right at canvas") << R << QPointF(900, 0) << QRectF(100, 100, 400, 200);
        QTest::newRow("right stops at 50") << R << QPointF(-400, 0) << QRectF(100, 100, 50, 200);
        QTest::newRow("left stops at 0") << L << QPointF(-300, 0) << QRectF(0, 100, 300, 200);
        QTest::newRow("left stops at 50") << L << QPointF(500, 0) << QRectF(250, 100, 50, 200);
        QTest::newRow("top and left") << (T | L) << QPointF(-20, -30) << QRectF(80, 70, 220, 230);
        QTest::newRow("bottom at canvas") << B << QPointF(0, 500) << QRectF(100, 100, 200, 300);
        QTest::newRow("bottom-right") << (B | R) << QPointF(-180, -180) << QRectF(100, 100, 50, 50);
        QTest::newRow("no edge") << 0 << QPointF(40, 40) << QRectF(100, 100, 200, 200);
    }
    void edgeResize()
    {
        const QPointF d = arg<QPointF>("delta");
        QTEST(resizeEdges({100, 100, 200, 200}, arg<int>("edges"), d.x(), d.y(), {500, 400}), "to");
    }

    void clamp_data()
    {
        QTest::addColumn<QRectF>("in");
        QTest::addColumn<QSizeF>("canvas");
        QTest::addColumn<QRectF>("out");
        const QSizeF canvas(500, 400);
        QTest::newRow("far") << QRectF(480, 390, 50, 50) << canvas << QRectF(450, 350, 50, 50);
        QTest::newRow("negative") << QRectF(-20, -5, 50, 50) << canvas << QRectF(0, 0, 50, 50);
        QTest::newRow("too big") << QRectF(30, 30, 900, 900) << canvas << QRectF(0, 0, 500, 400);
        QTest::newRow("empty canvas") << QRectF(30, 30, 90, 90) << QSizeF() << QRectF(0, 0, 0, 0);
    }
    void clamp() { QTEST(clampToCanvas(arg<QRectF>("in"), arg<QSizeF>("canvas")), "out"); }

    void pointer_data()
    {
        QTest::addColumn<QPoint>("p");
        QTest::addColumn<bool>("header");
        QTest::addColumn<int>("edges");
        QTest::addColumn<Qt::CursorShape>("cursor");
        // A 200 x 100 window; the header strip is the caller's business.
        const int L = LeftEdge, R = RightEdge, T = TopEdge, B = BottomEdge;
        QTest::newRow("top-left") << QPoint(9, 9) << true << (L | T) << Qt::SizeFDiagCursor;
        QTest::newRow("bottom-right") << QPoint(191, 91) << false << (R | B) << Qt::SizeFDiagCursor;
        QTest::newRow("top-right") << QPoint(195, 0) << true << (R | T) << Qt::SizeBDiagCursor;
        QTest::newRow("bottom-left") << QPoint(0, 99) << false << (L | B) << Qt::SizeBDiagCursor;
        QTest::newRow("right") << QPoint(191, 50) << false << R << Qt::SizeHorCursor;
        QTest::newRow("left") << QPoint(9, 50) << false << L << Qt::SizeHorCursor;
        QTest::newRow("top") << QPoint(100, 9) << true << T << Qt::SizeVerCursor;
        QTest::newRow("inner right") << QPoint(190, 50) << false << 0 << Qt::ArrowCursor;
        QTest::newRow("header") << QPoint(100, 10) << true << 0 << Qt::OpenHandCursor;
        QTest::newRow("body") << QPoint(100, 50) << false << 0 << Qt::ArrowCursor;
    }
    void pointer()
    {
        const QPoint p = arg<QPoint>("p");
        QTEST(edgesAt(p, {200, 100}), "edges");
        QTEST(hoverCursor(p, {200, 100}, arg<bool>("header"), false), "cursor");
        if (arg<Qt::CursorShape>("cursor") == Qt::OpenHandCursor)
            QCOMPARE(hoverCursor(p, {200, 100}, true, true), Qt::ClosedHandCursor);
    }

    void operatorInput_data()
    {
        QTest::addColumn<QPoint>("press");
        QTest::addColumn<QPoint>("release");
        QTest::addColumn<QRect>("band");
        QTest::newRow("down-right") << QPoint(10, 20) << QPoint(110, 70) << QRect(10, 20, 101, 51);
        QTest::newRow("50 long") << QPoint(0, 0) << QPoint(25, 25) << QRect(0, 0, 26, 26);
        QTest::newRow("49 long") << QPoint(0, 0) << QPoint(49, 0) << QRect();
        QTest::newRow("up-left") << QPoint(200, 200) << QPoint(10, 10) << QRect();
        QTest::newRow("up-right") << QPoint(10, 200) << QPoint(300, 150) << QRect();
        QTest::newRow("straight down") << QPoint(10, 10) << QPoint(10, 80) << QRect(10, 10, 1, 71);
    }
    void operatorInput()
    {
        QTEST(bandWindow(arg<QPoint>("press"), arg<QPoint>("release")), "band");
    }

    void dropCell_data()
    {
        QTest::addColumn<QPointF>("at");
        QTest::addColumn<int>("mode");
        QTest::addColumn<QRectF>("cell");
        QTest::newRow("bottom-left") << QPointF(10, 890) << 5 << QRectF(0, 600, 300, 300);
        QTest::newRow("far edge") << QPointF(900, 900) << 5 << QRectF(600, 600, 300, 300);
        QTest::newRow("left of the canvas") << QPointF(-5, -5) << 5 << QRectF(0, 0, 300, 300);
        QTest::newRow("one row") << QPointF(610, 450) << 1 << QRectF(600, 0, 300, 900);
    }
    void dropCell()
    {
        QTEST(cellAt(arg<QPointF>("at"), {900, 900}, layoutGrid(arg<int>("mode"))), "cell");
    }

    void dropText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("input");
        QTest::newRow("video 1") << "101" << 1;
        QTest::newRow("video 4") << " 104\n" << 4;
        QTest::newRow("video 5 not on the wall") << "105" << 0;
        QTest::newRow("offset alone") << "100" << 0;
        QTest::newRow("words ending in a digit") << "hello 2" << 0;
    }
    void dropText() { QTEST(inputFromDropText(arg<QString>("text")), "input"); }

    void fontRule_data()
    {
        QTest::addColumn<int>("w");
        QTest::addColumn<int>("h");
        QTest::addColumn<int>("points");
        QTest::newRow("height limits") << 600 << 150 << 10;
        QTest::newRow("truncates") << 299 << 299 << 19;
        QTest::newRow("minimum window") << 50 << 50 << 3;
        QTest::newRow("collapsed") << 0 << 0 << 1;
    }
    void fontRule() { QTEST(windowFontPointSize(arg<int>("w"), arg<int>("h")), "points"); }
};

QTEST_GUILESS_MAIN(TestWallGeometry)
#include "tst_wallgeometry.moc"
