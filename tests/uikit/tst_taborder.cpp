// Tab walks every dialog in reading order and leaves the title-bar buttons out.
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

using Make = std::function<QWidget *()>;
Q_DECLARE_METATYPE(Make)

namespace {
// A T made of args, put by prepare in the state the row is about.
template <typename T, typename... Args> Make make(std::function<void(T *)> prepare, Args... args)
{
    return [=] {
        T *d = new T(args...);
        if (prepare)
            prepare(d);
        return d;
    };
}

// b reads after a: lower, or further right on the row; a layout without the other is one.
bool tabsBefore(QWidget *a, QWidget *b)
{
    const auto rect = [](QWidget *w) { return QRect(w->mapToGlobal(QPoint()), w->size()); };
    const auto group = [&](QWidget *w, QWidget *other) {
        QRect out = rect(w);
        for (QLayout *l : w->window()->findChildren<QLayout *>()) {
            const QRect r = l->geometry().translated(l->parentWidget()->mapToGlobal(QPoint()));
            if (r.contains(out) && !r.contains(rect(other)))
                out = r;
        }
        return out;
    };
    const QRect ra = group(a, b), rb = group(b, a);
    const int ya = ra.center().y(), yb = rb.center().y();
    const bool sameRow = ra.contains(ra.center().x(), yb) || rb.contains(rb.center().x(), ya);
    return sameRow ? rb.center().x() > ra.center().x() : yb > ya;
}
} // namespace

class TestTabOrder : public QObject
{
    Q_OBJECT

    DataDirFixture m_fx;

private slots:
    void initTestCase() { m_fx.setUp(); }

    void readingOrder_data()
    {
        static PermissionStore permissions;
        QTest::addColumn<Make>("make");
        QTest::newRow("LoginDialog") << make<LoginDialog>({});
        QTest::newRow("LoginSettingDialog") << make<LoginSettingDialog>({});
        QTest::newRow("MsgDlg") << make<MsgDlg>({}, "Title", "Text");
        QTest::newRow("DialogConfirm") << make<DialogConfirm>({}, nullptr, "Title", "Text");
        QTest::newRow("DialogConfirm3Btn") << make<DialogConfirm3Btn>({}, nullptr, "Title", "Text");
        QTest::newRow("RenameDialog") << make<RenameDialog>({}, "Name");
        QTest::newRow("CDlgnosignaloutput") << make<CDlgnosignaloutput>([](auto *d) {
            d->sl_StateUpdate(R"({"Chn":1,"Mode":0,"Color":1,2,3})"); // the palette button shows
        });
        QTest::newRow("CDlgScalingmode") << make<CDlgScalingmode>({});
        QTest::newRow("GraphicsTestDialog") << make<GraphicsTestDialog>(
            [](QWidget *d) { d->findChild<QWidget *>("widget_color")->show(); }, 1, true);
        QTest::newRow("EdidSettingDilog") << make<EdidSettingDilog>({}, 2);
        QTest::newRow("TitleOrOsdDialog caption") << make<TitleOrOsdDialog>({}, nullptr, -1);
        QTest::newRow("TitleOrOsdDialog osd") << make<TitleOrOsdDialog>({}, nullptr, 3);
        QTest::newRow("VolumnSettingDialog") << make<VolumnSettingDialog>({}, 2);
        QTest::newRow("Usermanagerdialog editing") << make<Usermanagerdialog>(
            [](QWidget *d) { d->findChild<QPushButton *>("btnAdd")->click(); }, &permissions);
        UserAccountStore().addUser(QStringLiteral("operator"), QStringLiteral("pw"));
        QTest::newRow("Usermanagerdialog user chosen") << make<Usermanagerdialog>(
            [](auto *d) { d->on_tableWidget_cellClicked(1, 1); }, &permissions);
        QTest::newRow("PermissionDialog")
            << make<PermissionDialog>({}, QString("2"), QString("operator"), &permissions);
        QTest::newRow("DialogBezel") << make<DialogBezel>({});
        QTest::newRow("DialogWindowProperty") << make<DialogWindowProperty>(
            {}, WallWindowProperties{2, 1, 1, QRectF(0.25, 0.25, 0.5, 0.5), QSize(3840, 2160)},
            QMap<int, QString>{{1, "Camera"}, {2, "PC"}});
        QTest::newRow("WidgetSplicingSetting") << make<WidgetSplicingSetting>({});
    }

    void readingOrder()
    {
        QFETCH(Make, make);
        const QScopedPointer<QWidget> win(make());
        win->show();
        QApplication::setActiveWindow(win.data());
        QVERIFY(QTest::qWaitForWindowActive(win.data()));

        // Tab from the first stop, once per stop: Qt's own rules decide.
        QWidgetList chain;
        for (QWidget *w = win->nextInFocusChain(); w != win.data(); w = w->nextInFocusChain()) {
            if ((w->focusPolicy() & Qt::TabFocus) && w->isVisible() && w->isEnabled())
                chain.append(w);
        }
        QVERIFY(!chain.isEmpty());
        chain.first()->setFocus(Qt::TabFocusReason);
        QWidgetList seen{QApplication::focusWidget()};
        for (int i = 0; i < chain.size(); ++i) {
            QTest::keyClick(seen.last(), Qt::Key_Tab);
            seen.append(QApplication::focusWidget());
        }
        QString all;
        QDebug(&all) << seen;
        // One round back to the first stop, each stop once (a text box or list keeping Tab fails).
        const QWidgetList stops = seen.mid(0, seen.indexOf(seen.first(), 1));
        const QSet<QWidget *> once(stops.begin(), stops.end());
        QVERIFY2(stops.size() < seen.size() && once.size() == stops.size() &&
                     !once.contains(nullptr) && (chain.size() == 1 || stops.size() > 1),
                 qPrintable(all));
        // Labels, frames and the title bar's buttons are for the eye and the mouse.
        const QWidget *title = win->findChild<QWidget *>(QStringLiteral("widget_title"));
        const QLayout *row = win->findChild<QLayout *>(QStringLiteral("lyt_windowButtons"));
        for (int i = 0; i < stops.size(); ++i) {
            QWidget *w = stops.at(i);
            const QByteArray type = w->metaObject()->className();
            QVERIFY2(!w->inherits("QLabel") && type != "QFrame" && type != "QWidget" &&
                         !(title && title->isAncestorOf(w)) && !(row && row->indexOf(w) >= 0) &&
                         (i == 0 || tabsBefore(stops.at(i - 1), w)),
                     qPrintable(QStringLiteral("stop %1 in %2").arg(i).arg(all)));
        }
        if (!win->inherits("QDialog")) { // Escape does nothing of itself here
            QTest::keyClick(stops.first(), Qt::Key_Escape);
            QVERIFY(!win->isVisible());
        }
    }
};

QTEST_MAIN(TestTabOrder)
#include "tst_taborder.moc"
