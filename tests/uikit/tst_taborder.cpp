// Tab walks every dialog in reading order: top to bottom, left to right along a row. The
// title-bar buttons stay out of it.
#include "../common/datadirfixture.h"

#include "app/logindialog.h"
#include "app/loginsettingdialog.h"
#include "dialogs/cdlgnosignaloutput.h"
#include "dialogs/cdlgscalingmode.h"
#include "dialogs/edidsettingdilog.h"
#include "dialogs/graphicstestdialog.h"
#include "dialogs/titleorosddialog.h"
#include "dialogs/volumnsettingdialog.h"
#include "uikit/dialogconfirm.h"
#include "uikit/dialogconfirm3btn.h"
#include "uikit/msgdlg.h"
#include "uikit/renamedialog.h"
#include "users/permissiondialog.h"
#include "users/permissionstore.h"
#include "users/usermanagerdialog.h"
#include "wall/dialogbezel.h"
#include "wall/dialogwindowproperty.h"
#include "wall/widgetsplicingsetting.h"

#include <QLayout>
#include <QPushButton>
#include <QtTest>

#include <memory>

using Make = QWidget *(*)();
Q_DECLARE_METATYPE(Make)

namespace {
// Centres this close count as one row, whatever their heights.
const int RowTolerance = 12;

QRect rectIn(QWidget *window, QWidget *w)
{
    return QRect(w->mapTo(window, QPoint(0, 0)), w->size());
}

bool inTitleBar(QWidget *w, QWidget *window)
{
    for (QWidget *p = w->parentWidget(); p && p != window; p = p->parentWidget()) {
        if (p->objectName() == QLatin1String("widget_title"))
            return true;
    }
    // The login window has its window buttons in a row of their own above the form.
    const auto *row = window->findChild<QLayout *>(QStringLiteral("lyt_windowButtons"));
    return row && row->indexOf(w) >= 0;
}

// The widgets of the focus chain that Tab may stop at, before Qt's rules at the keyboard (one
// stop per group of radio buttons) leave some out.
QList<QWidget *> chainStops(QWidget *window)
{
    QList<QWidget *> out;
    for (QWidget *w = window->nextInFocusChain(); w != window; w = w->nextInFocusChain()) {
        if ((w->focusPolicy() & Qt::TabFocus) && !w->focusProxy() && w->isVisible() &&
            w->isEnabled())
            out.append(w);
    }
    return out;
}

// The layouts holding w within l, innermost first.
bool layoutPath(QLayout *l, QWidget *w, QList<QLayout *> *path)
{
    for (int i = 0; i < l->count(); ++i) {
        QLayoutItem *item = l->itemAt(i);
        if (item->widget() == w || (item->layout() && layoutPath(item->layout(), w, path))) {
            path->append(l);
            return true;
        }
    }
    return false;
}

struct Box
{
    const QObject *object;
    QRect rect; // in the window's coordinates
};

// Everything that places w, innermost first: w, the layouts around it, the widget holding
// them, and so on up to the window. A group (a frame, a column of a layout) reads as a whole.
QList<Box> boxes(QWidget *w, QWidget *window)
{
    QList<Box> out{{w, rectIn(window, w)}};
    for (QWidget *child = w; child != window; child = child->parentWidget()) {
        QWidget *p = child->parentWidget();
        QList<QLayout *> path;
        if (p->layout())
            layoutPath(p->layout(), child, &path);
        for (QLayout *l : qAsConst(path))
            out.append({l, QRect(p->mapTo(window, l->geometry().topLeft()), l->geometry().size())});
        out.append({p, rectIn(window, p)});
    }
    return out;
}

// A reads before b: b lies lower, or on the same row further right. Boxes beside a taller one
// (fields next to a list) share its row.
bool readsBefore(const QRect &a, const QRect &b)
{
    const int dy = b.center().y() - a.center().y();
    const bool sameRow = qAbs(dy) <= RowTolerance ||
                         (b.center().y() >= a.top() && b.center().y() <= a.bottom()) ||
                         (a.center().y() >= b.top() && a.center().y() <= b.bottom());
    return sameRow ? b.center().x() > a.center().x() : dy > 0;
}

// Compares the two stops as the innermost boxes that hold one but not the other.
bool tabsBefore(QWidget *a, QWidget *b, QWidget *window)
{
    const QList<Box> outerA = boxes(a, window);
    const QList<Box> outerB = boxes(b, window);
    int i = outerA.size() - 1;
    int j = outerB.size() - 1;
    while (i >= 0 && j >= 0 && outerA.at(i).object == outerB.at(j).object) {
        --i;
        --j;
    }
    return i >= 0 && j >= 0 && readsBefore(outerA.at(i).rect, outerB.at(j).rect);
}

QString describe(const QList<QWidget *> &stops, QWidget *window)
{
    QStringList out;
    for (QWidget *w : stops) {
        if (!w) {
            out << QStringLiteral("(none)");
            continue;
        }
        const QRect r = rectIn(window, w);
        out << QStringLiteral("%1(%2,%3 %4x%5)")
                   .arg(w->objectName().isEmpty() ? QLatin1String(w->metaObject()->className())
                                                  : w->objectName())
                   .arg(r.x())
                   .arg(r.y())
                   .arg(r.width())
                   .arg(r.height());
    }
    return out.join(QStringLiteral(" > "));
}
} // namespace

class TestTabOrder : public QObject
{
    Q_OBJECT

    DataDirFixture m_fx;

private slots:
    void initTestCase() { m_fx.setUp(); }

    void readingOrder_data();
    void readingOrder();
    void escapeClosesTheSplicingSetting();
};

void TestTabOrder::readingOrder_data()
{
    QTest::addColumn<Make>("make");
    QTest::newRow("LoginDialog") << Make([]() -> QWidget * { return new LoginDialog; });
    QTest::newRow("LoginSettingDialog")
        << Make([]() -> QWidget * { return new LoginSettingDialog; });
    QTest::newRow("MsgDlg") << Make([]() -> QWidget * { return new MsgDlg("Title", "Text"); });
    QTest::newRow("DialogConfirm")
        << Make([]() -> QWidget * { return new DialogConfirm(nullptr, "Title", "Text"); });
    QTest::newRow("DialogConfirm3Btn")
        << Make([]() -> QWidget * { return new DialogConfirm3Btn(nullptr, "Title", "Text"); });
    QTest::newRow("RenameDialog") << Make([]() -> QWidget * { return new RenameDialog("Name"); });
    QTest::newRow("CDlgnosignaloutput") << Make([]() -> QWidget * {
        auto *d = new CDlgnosignaloutput;
        // Solid colour chosen: the palette button shows.
        d->sl_StateUpdate(QStringLiteral(R"({"Chn":1,"Mode":0,"Color":1,2,3})"));
        return d;
    });
    QTest::newRow("CDlgScalingmode") << Make([]() -> QWidget * { return new CDlgScalingmode; });
    QTest::newRow("GraphicsTestDialog") << Make([]() -> QWidget * {
        auto *d = new GraphicsTestDialog(1, true);
        d->findChild<QWidget *>(QStringLiteral("widget_color"))->show();
        return d;
    });
    QTest::newRow("EdidSettingDilog")
        << Make([]() -> QWidget * { return new EdidSettingDilog(2); });
    QTest::newRow("TitleOrOsdDialog caption")
        << Make([]() -> QWidget * { return new TitleOrOsdDialog(nullptr, -1); });
    QTest::newRow("TitleOrOsdDialog osd")
        << Make([]() -> QWidget * { return new TitleOrOsdDialog(nullptr, 3); });
    QTest::newRow("VolumnSettingDialog")
        << Make([]() -> QWidget * { return new VolumnSettingDialog(2); });
    QTest::newRow("Usermanagerdialog editing") << Make([]() -> QWidget * {
        static PermissionStore permissions;
        auto *d = new Usermanagerdialog(&permissions);
        d->findChild<QPushButton *>(QStringLiteral("btnAdd"))->click();
        return d;
    });
    QTest::newRow("Usermanagerdialog user chosen") << Make([]() -> QWidget * {
        static PermissionStore permissions;
        UserAccountStore().addUser(QStringLiteral("operator"), QStringLiteral("pw"));
        auto *d = new Usermanagerdialog(&permissions);
        d->on_tableWidget_cellClicked(1, 1);
        return d;
    });
    QTest::newRow("PermissionDialog") << Make([]() -> QWidget * {
        static PermissionStore permissions;
        return new PermissionDialog(QStringLiteral("2"), QStringLiteral("operator"), &permissions);
    });
    QTest::newRow("DialogBezel") << Make([]() -> QWidget * { return new DialogBezel; });
    QTest::newRow("DialogWindowProperty") << Make([]() -> QWidget * {
        const WallWindowProperties window{2, 1, 1, QRectF(0.25, 0.25, 0.5, 0.5), QSize(3840, 2160)};
        return new DialogWindowProperty(window, {{1, "Camera"}, {2, "PC"}});
    });
    QTest::newRow("WidgetSplicingSetting")
        << Make([]() -> QWidget * { return new WidgetSplicingSetting; });
}

void TestTabOrder::readingOrder()
{
    QFETCH(Make, make);
    const std::unique_ptr<QWidget> window(make());
    window->show();
    QApplication::setActiveWindow(window.get());
    QVERIFY(QTest::qWaitForWindowActive(window.get()));

    // Tab pressed from the first stop, as often as there are stops: Qt's own rules decide.
    const QList<QWidget *> candidates = chainStops(window.get());
    QVERIFY2(!candidates.isEmpty(), "nothing takes Tab");
    candidates.first()->setFocus(Qt::TabFocusReason);
    QList<QWidget *> seen{QApplication::focusWidget()};
    for (int i = 0; i < candidates.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        seen.append(QApplication::focusWidget());
    }
    // One round, back to the first stop, each stop once. A list that walks its cells on Tab
    // would keep the keyboard from everything after it.
    const QList<QWidget *> stops = seen.mid(0, seen.indexOf(seen.first(), 1));
    const QString chain = describe(seen, window.get());
    QVERIFY2(stops.size() < seen.size() && !stops.contains(nullptr), qPrintable(chain));
    QVERIFY2(QSet<QWidget *>(stops.begin(), stops.end()).size() == stops.size(), qPrintable(chain));
    QVERIFY2(candidates.size() == 1 || seen.at(1) != seen.first(), qPrintable(chain));
    for (QWidget *w : qAsConst(stops)) {
        // Labels and plain frames are for looking at only.
        QVERIFY2(!w->inherits("QLabel") && qstrcmp(w->metaObject()->className(), "QFrame") &&
                     qstrcmp(w->metaObject()->className(), "QWidget"),
                 qPrintable(chain));
        // The window's own buttons are for the mouse, as a native title bar's; Escape closes.
        QVERIFY2(!inTitleBar(w, window.get()), qPrintable(chain));
    }
    for (int i = 1; i < stops.size(); ++i) {
        QVERIFY2(tabsBefore(stops.at(i - 1), stops.at(i), window.get()),
                 qPrintable(describe(stops.mid(i - 1, 2), window.get()) + QStringLiteral(" in ") +
                            chain));
    }
}

// Not a dialog, so Escape does nothing of itself; the keyboard has no close button to reach.
void TestTabOrder::escapeClosesTheSplicingSetting()
{
    WidgetSplicingSetting setting;
    setting.show();
    QApplication::setActiveWindow(&setting);
    QVERIFY(QTest::qWaitForWindowActive(&setting));
    QVERIFY(setting.focusWidget());
    QTest::keyClick(setting.focusWidget(), Qt::Key_Escape);
    QVERIFY(!setting.isVisible());
}

QTEST_MAIN(TestTabOrder)
#include "tst_taborder.moc"
