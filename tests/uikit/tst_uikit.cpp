#include "uikit/basewidget.h"
#include "uikit/dialogconfirm.h"
#include "uikit/dialogconfirm3btn.h"
#include "uikit/framelessdialog.h"
#include "uikit/msgdlg.h"
#include "uikit/renamedialog.h"
#include "uikit/svgcheckbox.h"
#include "uikit/switchcontrol.h"

#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPushButton>
#include <QScreen>
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

// A left drag moves the window by the mouse travel; a move after the release does not.
void dragByTheMouseTravel(QWidget *window)
{
    QScopedPointer<QWidget> w(window);
    w->setGeometry(100, 80, 300, 200);
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.data()));
    const QPoint start = w->pos();
    mouseOnScreen(w.data(), QEvent::MouseButtonPress, start + QPoint(40, 30));
    mouseOnScreen(w.data(), QEvent::MouseMove, start + QPoint(52, 24));
    mouseOnScreen(w.data(), QEvent::MouseMove, start + QPoint(65, 18));
    QCOMPARE(w->pos(), start + QPoint(25, -12));
    // After the release, even a move with the button held leaves the window alone.
    mouseOnScreen(w.data(), QEvent::MouseButtonRelease, start + QPoint(65, 18));
    mouseOnScreen(w.data(), QEvent::MouseMove, start + QPoint(200, 200));
    QCOMPARE(w->pos(), start + QPoint(25, -12));
}

// A click slides the thumb one pixel per tick to the far end and reports once it is there.
void slideOnePixelPerTick(int width)
{
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

// The edit has the focus, its cursor at the end; the key closes with or without a new name.
void renameWith(Qt::Key key, const QString &typed, bool emitted)
{
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
    QTest::keyClick(edit, key);
    QCOMPARE(spy, emitted ? QList<QVariantList>{{typed}} : QList<QVariantList>());
    QCOMPARE(dlg.result(), 1);
    QVERIFY(!dlg.isVisible());
}
// A click anywhere ticks the box; it asks for room for all of its text.
void checkBoxClickedAt(int mode, const QPoint &at)
{
    SvgCheckBox box(QStringLiteral("Login-free mode"));
    box.setTextPosition(mode);
    box.resize(mode == SvgCheckBox::ImageOnly ? QSize(44, 24) : QSize(160, 22));
    const QString on = QStringLiteral(":/Images/on.svg"), off = QStringLiteral(":/Images/off.svg");
    box.setSvgPaths(on, off);
    QCOMPARE(box.currentSvgPath(), off);
    QTest::mouseClick(&box, Qt::LeftButton, Qt::NoModifier, at);
    QCOMPARE(box.currentSvgPath(), on);
    box.setOnSvgPath(QString()); // ticked without an on-image: the off-image
    QCOMPARE(box.currentSvgPath(), off);
    QCOMPARE(box.imageRect().left(), 0);
    QCOMPARE(box.imageRect().width(), mode == SvgCheckBox::ImageOnly ? 44 : 18);
    if (mode != SvgCheckBox::ImageOnly) // asks for room for all of its text
        QVERIFY(box.sizeHint().width() > 18 + box.fontMetrics().horizontalAdvance(box.text()));
}

} // namespace

class TestUikit : public QObject
{
    Q_OBJECT

private slots:
    void leftDragMovesTheWindowByTheMouseTravel()
    {
        for (bool dialog : {false, true})
            dragByTheMouseTravel(dialog ? static_cast<QWidget *>(new ShadowedDialog)
                                        : new BaseWidget);
    }

    // The shadow is green, fades outwards, and follows its panel where the layout moves it.
    void shadowFollowsItsPanel()
    {
        ShadowedDialog dlg;
        dlg.resize(300, 200);
        dlg.show();
        QTRY_COMPARE(dlg.panel->geometry(), QRect(20, 20, 260, 160));
        dlg.painted = QRegion();
        dlg.layout()->setContentsMargins(40, 20, 20, 20);
        QTRY_VERIFY(dlg.painted.contains(QPoint(17, 100)));
        const QImage image = shot(&dlg);
        for (const QPoint &p : {QPoint(39, 100), QPoint(280, 100), QPoint(150, 19)})
            QVERIFY(isShadowGreen(image.pixel(p)));
        QVERIFY(qAlpha(image.pixel(20, 100)) < qAlpha(image.pixel(39, 100)));
    }

    void checkBoxTogglesWhereverItIsClicked()
    {
        checkBoxClickedAt(SvgCheckBox::ImageOnly, QPoint(40, 20));        // the far corner
        checkBoxClickedAt(SvgCheckBox::ImageBesideText, QPoint(100, 10)); // on the text
    }

    void clickSlidesThumbOnePixelPerTick()
    {
        for (int width : {38, 60})
            slideOnePixelPerTick(width);
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
        sw.setToggled(true); // already there: reported at once
        QCOMPARE(runTicks(sw, after), 0);
        QVERIFY(after.count() == 1 && toggled.isEmpty());
        sw.resize(70, 22);
        QCOMPARE(sw.thumbX(), 54.0);
        sw.setToggled(false);
        sw.resize(50, 22);
        QCOMPARE(sw.thumbX(), 8.0);
    }

    // A line shows whole, text wider than the screen wraps; markup is plain unless asked for.
    void messagesShowWholeOrWrap()
    {
        const QString line = "An error occurred while connecting to the file transfer port!";
        MsgDlg dlg;
        auto *content = child<QLabel>(&dlg, "lb_content");
        for (const QString &text : {"Upload stopped.\n" + line + "\nRetry.", QString(500, 'W')}) {
            dlg.setText(QStringLiteral("Error"), text);
            dlg.show();
            QVERIFY(QTest::qWaitForWindowExposed(&dlg));
            const bool wraps = text.size() == 500;
            QCOMPARE(content->wordWrap(), wraps);
            QVERIFY(wraps || content->width() > content->fontMetrics().horizontalAdvance(line));
            QVERIFY(content->height() >= content->heightForWidth(content->width()));
            const QRect shown(content->mapTo(&dlg, QPoint()), content->size());
            QVERIFY(dlg.rect().contains(shown));
            QVERIFY(shown.bottom() < child(&dlg, "btnOk")->mapTo(&dlg, QPoint()).y());
        }
        QVERIFY(dlg.width() <= QGuiApplication::primaryScreen()->availableGeometry().width());
        dlg.setText(QStringLiteral("Rename"), QStringLiteral("<b>A</b>"));
        QCOMPARE(content->textFormat(), Qt::PlainText);
        DialogConfirm confirm(nullptr, "Reset", "<b>Every route is lost.</b>");
        QCOMPARE(child<QLabel>(&confirm, "lb_content")->textFormat(), Qt::PlainText);
        confirm.setRichText(true);
        QCOMPARE(child<QLabel>(&confirm, "lb_content")->textFormat(), Qt::RichText);
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

    // Enter and Return close the dialog; only a changed, non-empty name is announced.
    void renameConfirmKeys()
    {
        for (const auto &[key, typed, emitted] : {std::tuple{Qt::Key_Return, "", false},
                                                  {Qt::Key_Enter, "Input 3", false},
                                                  {Qt::Key_Enter, "Camera", true},
                                                  {Qt::Key_Return, " ", true}})
            renameWith(key, typed, emitted);
    }
};

QTEST_MAIN(TestUikit)
#include "tst_uikit.moc"
