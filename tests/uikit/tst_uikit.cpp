#include "uikit/basewidget.h"
#include "uikit/dialogconfirm.h"
#include "uikit/dialogconfirm3btn.h"
#include "uikit/framelessdialog.h"
#include "uikit/labelclickedintableitem.h"
#include "uikit/msgdlg.h"
#include "uikit/renamedialog.h"
#include "uikit/svgcheckbox.h"
#include "uikit/svglabel.h"
#include "uikit/switchcontrol.h"

#include <QFrame>
#include <QGraphicsDropShadowEffect>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QVBoxLayout>
#include <QtTest>

namespace {
const QColor ShadowGreen(19, 106, 103);

// A press, move (the button held) or release at a point of w.
void mouse(QWidget *w, QEvent::Type type, const QPoint &at, Qt::MouseButton button = Qt::LeftButton)
{
    QMouseEvent event(type, at, w->mapToGlobal(at),
                      type == QEvent::MouseMove ? Qt::NoButton : button,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : button, {});
    QApplication::sendEvent(w, &event);
}

void mouseOnScreen(QWidget *w, QEvent::Type type, const QPoint &global)
{
    mouse(w, type, w->mapFromGlobal(global));
}

QImage shot(QWidget *w, const QRegion &region = {})
{
    QImage image(region.isEmpty() ? w->size() : region.boundingRect().size(),
                 QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    w->render(&image, QPoint(), region);
    return image;
}

bool isShadowGreen(QRgb pixel)
{
    return qAlpha(pixel) > 60 &&
           qAbs(QColor::fromRgba(qUnpremultiply(pixel)).hue() - ShadowGreen.hue()) <= 3;
}

// The look the window had when its panel carried a graphics effect.
QImage effectLook(const QSize &size)
{
    QWidget window;
    window.setAttribute(Qt::WA_TranslucentBackground);
    window.resize(size);
    auto *panel = new QFrame(&window);
    panel->setObjectName(QStringLiteral("ref"));
    panel->setStyleSheet(QStringLiteral("QFrame#ref{background-color:black;border-radius:10px;}"));
    panel->setGeometry(QRect(QPoint(0, 0), size).adjusted(15, 15, -15, -15));
    auto *effect = new QGraphicsDropShadowEffect;
    effect->setOffset(0, 0);
    effect->setColor(ShadowGreen);
    effect->setBlurRadius(35);
    panel->setGraphicsEffect(effect);
    return shot(&window);
}

// Notes what it repaints.
struct ShadowedDialog : FramelessDialog
{
    ShadowedDialog()
    {
        auto *layout = new QVBoxLayout(this);
        layout->setContentsMargins(20, 20, 20, 20);
        layout->addWidget(panel);
        applyShadow(panel, 25);
    }
    QFrame *panel = new QFrame(this);
    QRegion painted;
    void paintEvent(QPaintEvent *event) override
    {
        painted += event->region();
        FramelessDialog::paintEvent(event);
    }
};

// The icon set's accent green, opaque.
bool isAccent(QRgb c)
{
    return qAbs(qRed(c) - 0x33) < 12 && qAbs(qGreen(c) - 0x8c) < 12 && qAbs(qBlue(c) - 0x56) < 12 &&
           qAlpha(c) > 250;
}

// Is the pixel at x,y of the widget the accent green?
bool green(QWidget &w, int x, int y)
{
    return isAccent(shot(&w).pixel(x, y));
}

void release(QWidget *w, Qt::MouseButton button = Qt::LeftButton)
{
    mouse(w, QEvent::MouseButtonRelease, w->rect().center(), button);
}

// Ticks until the animation ends; the ticks that moved the thumb.
int runTicks(SwitchControl &sw, QSignalSpy &after)
{
    int ticks = 0;
    while (after.isEmpty() && ticks++ <= 1000)
        sw.onTimeout();
    return ticks - 1;
}

template <typename T = QWidget> T *child(QWidget *parent, const char *name)
{
    return parent->findChild<T *>(QLatin1String(name));
}

// Everything that widens with a content of width w; the buttons move sideways only; every line
// of the content shows, above the buttons.
void checkLayout(QDialog &dlg, int w = -1)
{
    auto *content = child<QLabel>(&dlg, "lb_content");
    auto *ok = child<QPushButton>(&dlg, "btnOk");
    QVERIFY(content->height() >= content->heightForWidth(content->width()));
    QVERIFY(content->height() >= content->sizeHint().height() || content->wordWrap());
    QVERIFY(content->mapTo(&dlg, content->rect().bottomLeft()).y() < ok->mapTo(&dlg, QPoint()).y());
    if (w < 0)
        return;
    QCOMPARE(child(&dlg, "widget_bg")->width(), w + 21);
    QCOMPARE(child(&dlg, "widget_title")->width(), w + 21);
    QCOMPARE(content->width(), w + 1);
    QCOMPARE(dlg.width(), w + 96);
    QCOMPARE(child(&dlg, "btnClose")->x(), w - 6);
    QCOMPARE(ok->x(), w - 50);
}
} // namespace

class TestUikit : public QObject
{
    Q_OBJECT

private slots:
    void leftDragMovesTheWindowByTheMouseTravel_data()
    {
        QTest::addColumn<bool>("dialog");
        QTest::newRow("base widget") << false;
        QTest::newRow("frameless dialog") << true;
    }

    void leftDragMovesTheWindowByTheMouseTravel()
    {
        QFETCH(bool, dialog);
        QScopedPointer<QWidget> w(dialog ? static_cast<QWidget *>(new ShadowedDialog)
                                         : new BaseWidget);
        w->setGeometry(100, 80, 300, 200);
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.data()));
        QVERIFY(w->windowFlags() & Qt::FramelessWindowHint);
        const QPoint start = w->pos();
        QTest::mousePress(w.data(), Qt::RightButton, {}, QPoint(40, 30)); // drags nothing
        mouseOnScreen(w.data(), QEvent::MouseMove, start + QPoint(90, 90));
        QCOMPARE(w->pos(), start);
        QTest::mouseRelease(w.data(), Qt::RightButton, {}, QPoint(40, 30));
        mouseOnScreen(w.data(), QEvent::MouseButtonPress, start + QPoint(40, 30));
        mouseOnScreen(w.data(), QEvent::MouseMove, start + QPoint(52, 24));
        mouseOnScreen(w.data(), QEvent::MouseMove, start + QPoint(65, 18));
        QCOMPARE(w->pos(), start + QPoint(25, -12));
        // After the release, even a move with the button held leaves the window alone.
        mouseOnScreen(w.data(), QEvent::MouseButtonRelease, start + QPoint(65, 18));
        mouseOnScreen(w.data(), QEvent::MouseMove, start + QPoint(200, 200));
        QCOMPARE(w->pos(), start + QPoint(25, -12));
    }

    // Maximised: no margin, no rounding, no drag; restored, the shadow and corners come back.
    void maximisedWindowFillsWithoutRoundingAndDoesNotDrag()
    {
        BaseWidget w;
        w.resize(400, 300);
        w.showMaximized();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QTRY_VERIFY(w.isMaximized());
        QTRY_COMPARE(w.panel()->geometry(), QRect(QPoint(0, 0), w.size()));
        QVERIFY(!w.panel()->styleSheet().contains(QLatin1String("border-radius")));
        QCOMPARE(shot(&w).pixel(0, 0), qRgba(0, 0, 0, 255));
        const QPoint start = w.pos();
        mouse(&w, QEvent::MouseButtonPress, QPoint(40, 40));
        mouseOnScreen(&w, QEvent::MouseMove, start + QPoint(140, 90));
        QCOMPARE(w.pos(), start);
        w.showNormal();
        QTRY_VERIFY(!w.isMaximized());
        QTRY_COMPARE(w.panel()->pos(), QPoint(15, 15));
        QVERIFY(w.panel()->styleSheet().contains(QLatin1String("border-radius")));
        QVERIFY(isShadowGreen(shot(&w).pixel(14, w.height() / 2)));
    }

    void shadowLooksLikeTheGraphicsEffect_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::newRow("even") << QSize(400, 300);
        QTest::newRow("odd") << QSize(401, 301);
        QTest::newRow("under the corners") << QSize(100, 80);
        QTest::newRow("under the margins") << QSize(20, 20);
    }

    // Every side and corner fades as the old effect's did, in green; a part repaints the same.
    void shadowLooksLikeTheGraphicsEffect()
    {
        QFETCH(QSize, size);
        BaseWidget w;
        w.resize(300, 200);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.resize(size); // the shadow follows a resize
        const QImage expected = effectLook(size);
        const QImage actual = shot(&w);
        const QRect panel = w.panel()->geometry();
        QCOMPARE(panel, QRect(15, 15, qMax(0, size.width() - 30), qMax(0, size.height() - 30)));
        int worst = 0, notGreen = 0;
        for (int i = 0; i < size.width() * size.height(); ++i) {
            const QPoint p(i % size.width(), i / size.width());
            const QRgb pixel = actual.pixel(p);
            worst = qMax(worst, qAbs(qAlpha(pixel) - qAlpha(expected.pixel(p))));
            notGreen += qAlpha(pixel) > 60 && !panel.contains(p) && !isShadowGreen(pixel);
        }
        QVERIFY2(worst <= 3 && notGreen == 0, qPrintable(QString::number(worst)));
        const QRect area(100, 0, 30, 20); // where a corner meets a side
        if (QRect(QPoint(), size).contains(area))
            QCOMPARE(shot(&w, area), actual.copy(area));
    }

    void framelessDialogShadowFollowsItsPanel()
    {
        ShadowedDialog dlg;
        dlg.resize(300, 200);
        dlg.show();
        QTRY_COMPARE(dlg.panel->geometry(), QRect(20, 20, 260, 160));
        const QImage image = shot(&dlg);
        for (const QPoint &p :
             {QPoint(19, 100), QPoint(280, 100), QPoint(150, 19), QPoint(150, 180)})
            QVERIFY(isShadowGreen(image.pixel(p)));
        QVERIFY(qAlpha(image.pixel(0, 100)) < qAlpha(image.pixel(19, 100)));
        // The layout moving the panel repaints the shadow where the panel now is.
        dlg.painted = QRegion();
        dlg.layout()->setContentsMargins(40, 20, 20, 20);
        QTRY_VERIFY(dlg.painted.contains(QPoint(17, 100)));
        const QImage moved = shot(&dlg);
        QVERIFY(isShadowGreen(moved.pixel(39, 100)));
        QCOMPARE(qAlpha(moved.pixel(20, 100)), qAlpha(image.pixel(0, 100)));
    }

    // Pictures are kept between paints; a new file, size or state must never show the kept one.
    void svgLabelRedrawsForANewFileSizeOrState()
    {
        SvgLabel label, other;
        for (SvgLabel *l : {&label, &other}) {
            l->setSvg(QStringLiteral(":/Images/on2.svg"), QSize(40, 40));
            l->resize(80, 60);
        }
        QCOMPARE(label.sizeHint().expandedTo(QSize(40, 40)), label.sizeHint());
        // 40 x 40 centred in 80 x 60: its corners in, just outside it out.
        QVERIFY(green(label, 30, 20) && green(label, 50, 40));
        QVERIFY(!green(label, 17, 30) && !green(label, 63, 30) && !green(label, 40, 7));

        label.setSvgPath(QStringLiteral(":/Images/off2.svg"));
        QVERIFY(!green(label, 30, 20) && green(other, 30, 20));
        label.setSvgPath(QStringLiteral(":/Images/no-such-image.svg"));
        QVERIFY(!label.hasValidSvg());

        other.setSvgSize(20, 20);
        QVERIFY(!green(other, 25, 15) && !green(other, 55, 45) && green(other, 35, 25));
        other.setSvgSize(40, 40);
        other.setEnabled(false); // dimmed to half
        QVERIFY(!green(other, 30, 20));
    }

    void checkBoxTogglesWhereverItIsClicked_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QPoint>("at");
        QTest::newRow("image only, far corner") << int(SvgCheckBox::ImageOnly) << QPoint(40, 20);
        QTest::newRow("beside text, on the text")
            << int(SvgCheckBox::ImageBesideText) << QPoint(100, 10);
    }

    void checkBoxTogglesWhereverItIsClicked()
    {
        QFETCH(int, mode);
        QFETCH(QPoint, at);
        SvgCheckBox box(QStringLiteral("Login-free mode"));
        box.setTextPosition(mode);
        box.resize(mode == SvgCheckBox::ImageOnly ? QSize(44, 24) : QSize(160, 22));
        const QString on = QStringLiteral(":/Images/on.svg"),
                      off = QStringLiteral(":/Images/off.svg");
        box.setSvgPaths(on, off);
        QCOMPARE(box.currentSvgPath(), off);
        QTest::mouseClick(&box, Qt::LeftButton, Qt::NoModifier, at);
        QCOMPARE(box.currentSvgPath(), on);
        const auto greens = [&box] { // the on-image is green, dimmed when disabled
            const QImage image = shot(&box);
            int n = 0;
            for (int i = 0; i < image.width() * image.height(); ++i)
                n += isAccent(image.pixel(i % image.width(), i / image.width()));
            return n;
        };
        QVERIFY(greens() > 20);
        box.setEnabled(false);
        QCOMPARE(greens(), 0);
        box.setOnSvgPath(QString()); // ticked without an on-image: the off-image
        QCOMPARE(box.currentSvgPath(), off);
        QCOMPARE(box.imageRect().left(), 0);
        QCOMPARE(box.imageRect().width(), mode == SvgCheckBox::ImageOnly ? 44 : 18);
        if (mode != SvgCheckBox::ImageOnly) // asks for room for all of its text
            QVERIFY(box.sizeHint().width() > 18 + box.fontMetrics().horizontalAdvance(box.text()));
    }

    void labelClicks_data()
    {
        QTest::addColumn<int>("button");
        QTest::addColumn<QPoint>("releaseAt");
        QTest::addColumn<int>("clicks");
        QTest::newRow("left, inside") << int(Qt::LeftButton) << QPoint(10, 10) << 1;
        QTest::newRow("left, released outside") << int(Qt::LeftButton) << QPoint(60, 10) << 0;
        QTest::newRow("right") << int(Qt::RightButton) << QPoint(10, 10) << 0;
    }

    void labelClicks()
    {
        QFETCH(int, button);
        QFETCH(QPoint, releaseAt);
        QFETCH(int, clicks);
        LabelClickedInTableItem label;
        label.resize(24, 24);
        QSignalSpy clicked(&label, &LabelClickedInTableItem::clicked);
        mouse(&label, QEvent::MouseButtonPress, QPoint(10, 10), Qt::MouseButton(button));
        mouse(&label, QEvent::MouseButtonRelease, releaseAt, Qt::MouseButton(button));
        mouse(&label, QEvent::MouseButtonRelease, QPoint(10, 10)); // no press of its own
        QCOMPARE(clicked.count(), clicks);
    }

    void clickSlidesThumbOnePixelPerTick_data()
    {
        QTest::addColumn<int>("width");
        QTest::newRow("minimum width") << 38;
        QTest::newRow("wide") << 60;
    }

    void clickSlidesThumbOnePixelPerTick()
    {
        QFETCH(int, width);
        SwitchControl sw;
        sw.resize(width, 22);
        QCOMPARE(sw.thumbX(), 8.0);
        QSignalSpy toggled(&sw, &SwitchControl::toggled);
        QSignalSpy after(&sw, &SwitchControl::toggledAfter);
        for (const bool on : {true, false}) {
            after.clear();
            release(&sw);
            QCOMPARE(toggled.takeFirst().at(0).toBool(), on); // at the click, before any tick
            QVERIFY(sw.isAnimating() && after.isEmpty());
            QCOMPARE(runTicks(sw, after), width - 16 - 8);
            QCOMPARE(sw.thumbX(), on ? qreal(width - 16) : 8.0);
            QCOMPARE(after, QList<QVariantList>{{on}});
            QVERIFY(!sw.isAnimating());
        }
        // Reversed midway, it turns back from where it is.
        after.clear();
        release(&sw);
        for (int i = 0; i < 10; ++i)
            sw.onTimeout();
        QCOMPARE(sw.thumbX(), 18.0);
        release(&sw);
        QCOMPARE(runTicks(sw, after), 10);
        QCOMPARE(after, QList<QVariantList>{{false}});
        toggled.clear();
        release(&sw, Qt::RightButton);
        release(&sw, Qt::MiddleButton);
        sw.setEnabled(false);
        release(&sw);
        QVERIFY(toggled.isEmpty() && !sw.isToggled() && !sw.isAnimating());
    }

    // Set from the device: no toggled, but the end is still reported; a resize keeps the end.
    void setToggledAnimatesQuietlyAndResizeKeepsTheThumbAtItsEnd()
    {
        SwitchControl sw;
        sw.resize(40, 22);
        sw.show(); // every resize delivered at once, as under a layout
        QVERIFY(QTest::qWaitForWindowExposed(&sw));
        QSignalSpy toggled(&sw, &SwitchControl::toggled);
        QSignalSpy after(&sw, &SwitchControl::toggledAfter);
        sw.setToggled(true);
        QCOMPARE(runTicks(sw, after), 40 - 16 - 8);
        after.clear();
        sw.setToggled(true);
        QCOMPARE(runTicks(sw, after), 0);
        QCOMPARE(after.count(), 1);
        QVERIFY(toggled.isEmpty());
        sw.resize(70, 22);
        QCOMPARE(sw.thumbX(), 54.0);
        sw.setToggled(false);
        sw.resize(50, 22);
        QCOMPARE(sw.thumbX(), 8.0);
    }

    void msgDlgSizeFollowsTheWidestLine_data()
    {
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("widest");
        const QString long1 = "An error occurred while connecting to the file transfer port!";
        const QString long2 = "The size of the OSD or caption file cannot exceed 4KB!";
        QTest::newRow("short") << "Saved."
                               << "Saved.";
        QTest::newRow("long") << long1 << long1;
        QTest::newRow("several lines") << "Upload stopped.\n" + long2 + "\nRetry." << long2;
    }

    void msgDlgSizeFollowsTheWidestLine()
    {
        QFETCH(QString, message);
        QFETCH(QString, widest);
        MsgDlg dlg;
        const int okY = child(&dlg, "btnOk")->y();
        dlg.setText(QStringLiteral("NetWork Error"), message);
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        const int w = QFontMetrics(child(&dlg, "lb_content")->font()).horizontalAdvance(widest);
        checkLayout(dlg, qMax(w, MsgDlg::DesignedPanelWidth - 21));
        QCOMPARE(child(&dlg, "btnOk")->y(), okY);
    }

    // Wider than the screen it wraps; markup wraps at a readable width and plain text after it
    // shows as typed at the plain size; a long question makes its dialog taller.
    void longTextWraps()
    {
        MsgDlg dlg;
        dlg.setText(QStringLiteral("Error"), QString(500, QLatin1Char('W')));
        QVERIFY(dlg.width() <= QGuiApplication::primaryScreen()->availableGeometry().width());
        QVERIFY(child<QLabel>(&dlg, "lb_content")->wordWrap());
        dlg.setRichText("Warning", QString("The wall needs three reports first. ").repeated(6) +
                                       "<br><font color='red'>Not Received</font>");
        QCOMPARE(dlg.title(), QStringLiteral("Warning"));
        DialogConfirm confirm(nullptr, "Reset", QString("Every route is lost. ").repeated(12));
        QCOMPARE(child<QLabel>(&confirm, "lb_content")->textFormat(), Qt::PlainText);
        confirm.setRichText(true);
        QCOMPARE(child<QLabel>(&confirm, "lb_content")->textFormat(), Qt::RichText);
        for (QDialog *d : std::initializer_list<QDialog *>{&dlg, &confirm}) {
            d->show();
            QVERIFY(QTest::qWaitForWindowExposed(d));
        }
        checkLayout(confirm);
        checkLayout(dlg, MsgDlg::RichWrapWidth);
        dlg.setText(QStringLiteral("Rename"), QStringLiteral("<b>A</b>"));
        QCOMPARE(child<QLabel>(&dlg, "lb_content")->textFormat(), Qt::PlainText);
        checkLayout(dlg, 270);
    }

    void buttonsCloseWithTheirResult_data()
    {
        QTest::addColumn<int>("answers"); // how many the dialog offers
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("result");
        const int yes = DialogConfirm3Btn::Yes, no = DialogConfirm3Btn::No,
                  cancel = DialogConfirm3Btn::Cancel;
        QTest::newRow("message: ok") << 1 << "btnOk" << 1;
        QTest::newRow("message: close") << 1 << "btnClose" << 0;
        QTest::newRow("ok") << 2 << "btnOk" << 1;
        QTest::newRow("cancel") << 2 << "btnCancel" << 0;
        QTest::newRow("close") << 2 << "btnClose" << 0;
        QTest::newRow("3: yes") << 3 << "btnYes" << yes;
        QTest::newRow("3: no") << 3 << "btnNo" << no;
        QTest::newRow("3: cancel") << 3 << "btnCancel" << cancel;
        QTest::newRow("3: close") << 3 << "btnClose" << cancel;
        // Enter answers with the dialog's OK unless the keyboard is on another button.
        QTest::newRow("message: Enter") << 1 << "Enter" << 1;
        QTest::newRow("ok: Return") << 2 << "Return" << 1;
        QTest::newRow("3: Enter") << 3 << "Enter" << yes;
        QTest::newRow("3: no focused: Enter") << 3 << "btnNo Enter" << no;
        QTest::newRow("3: Escape") << 3 << "Esc" << cancel;
    }

    void buttonsCloseWithTheirResult()
    {
        QFETCH(int, answers);
        QFETCH(QString, button);
        QFETCH(int, result);
        QScopedPointer<QDialog> dlg;
        if (answers == 1)
            dlg.reset(new MsgDlg(QStringLiteral("t"), QStringLiteral("m")));
        else if (answers == 2)
            dlg.reset(new DialogConfirm(nullptr, QStringLiteral("Error"), QStringLiteral("!")));
        else
            dlg.reset(new DialogConfirm3Btn(nullptr, QStringLiteral("Quit"), QStringLiteral("?")));
        QVERIFY(dlg->isModal());
        dlg->show();
        QVERIFY(QTest::qWaitForWindowActive(dlg.data()));
        dlg->setResult(-1);
        const QStringList parts = button.split(QLatin1Char(' ')); // "[button ]key" or "button"
        if (auto *b = dlg->findChild<QPushButton *>(parts.first()))
            parts.size() > 1 ? b->setFocus() : b->click();
        if (!parts.last().startsWith(QLatin1String("btn")))
            QTest::keyClick(QApplication::focusWidget(), Qt::Key(QKeySequence(parts.last())[0]));
        QCOMPARE(dlg->result(), result);
        QVERIFY(!dlg->isVisible());
    }

    void renameConfirmKeys_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("emitted");
        QTest::newRow("Return, empty") << int(Qt::Key_Return) << QString() << false;
        QTest::newRow("Enter, unchanged") << int(Qt::Key_Enter) << "Input 3" << false;
        QTest::newRow("Enter, changed") << int(Qt::Key_Enter) << "Camera" << true;
        QTest::newRow("Return, blank") << int(Qt::Key_Return) << " " << true;
    }

    void renameConfirmKeys()
    {
        QFETCH(int, key);
        QFETCH(QString, typed);
        QFETCH(bool, emitted);
        RenameDialog dlg(QStringLiteral("Input 3"));
        QVERIFY(dlg.isModal());
        QSignalSpy spy(&dlg, &RenameDialog::Sig_SetNewName);
        dlg.show();
        // Once active, the edit has the focus and the cursor at the end: typing appends.
        QVERIFY(QTest::qWaitForWindowActive(&dlg));
        QLineEdit *edit = child<QLineEdit>(&dlg, "lineEdit");
        QTRY_COMPARE(edit->cursorPosition(), 7);
        QCOMPARE(dlg.focusWidget(), edit);
        QVERIFY(!edit->hasSelectedText());
        edit->setText(typed);
        dlg.setResult(-1);
        QTest::keyClick(edit, Qt::Key(key));
        QCOMPARE(spy, emitted ? QList<QVariantList>{{typed}} : QList<QVariantList>());
        QCOMPARE(dlg.result(), 1);
        QVERIFY(!dlg.isVisible());
    }
};

QTEST_MAIN(TestUikit)
#include "tst_uikit.moc"
