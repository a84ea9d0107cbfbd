#include "../common/modalwatcher.h"
#include "uikit/basewidget.h"
#include "uikit/dialogconfirm.h"
#include "uikit/dialogconfirm3btn.h"
#include "uikit/framelessdialog.h"
#include "uikit/msgdlg.h"
#include "uikit/renamedialog.h"
#include "uikit/switchcontrol.h"

#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QtTest>

namespace {
// A press, move (the button held) or release at a point of w given on the screen.
void mouse(QWidget *w, QEvent::Type type, const QPoint &global,
           Qt::MouseButton button = Qt::LeftButton)
{
    const QPoint at = w->mapFromGlobal(global);
    QMouseEvent event(type, at, global, type == QEvent::MouseMove ? Qt::NoButton : button,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : button, {});
    QApplication::sendEvent(w, &event);
}

void release(QWidget *w, Qt::MouseButton button = Qt::LeftButton)
{
    mouse(w, QEvent::MouseButtonRelease, w->mapToGlobal(w->rect().center()), button);
}

// Ticks until the animation ends; the ticks that moved the thumb.
int runTicks(SwitchControl &sw, QSignalSpy &after)
{
    int ticks = 0;
    while (after.isEmpty() && ticks++ <= 1000)
        sw.onTimeout();
    return ticks - 1;
}

} // namespace

class TestUikit : public QObject
{
    Q_OBJECT

private slots:
    // A left drag moves the window by the mouse travel; a move after the release does not.
    void leftDragMovesTheWindowByTheMouseTravel()
    {
        for (QWidget *window :
             std::initializer_list<QWidget *>{new FramelessDialog, new BaseWidget}) {
            QScopedPointer<QWidget> w(window);
            w->setGeometry(100, 80, 300, 200);
            w->show();
            QVERIFY(QTest::qWaitForWindowExposed(w.data()));
            const QPoint start = w->pos();
            mouse(w.data(), QEvent::MouseButtonPress, start + QPoint(40, 30));
            mouse(w.data(), QEvent::MouseMove, start + QPoint(52, 24));
            mouse(w.data(), QEvent::MouseMove, start + QPoint(65, 18));
            QCOMPARE(w->pos(), start + QPoint(25, -12));
            mouse(w.data(), QEvent::MouseButtonRelease, start + QPoint(65, 18));
            mouse(w.data(), QEvent::MouseMove, start + QPoint(200, 200));
            QCOMPARE(w->pos(), start + QPoint(25, -12));
        }
    }

    // A click slides the thumb one pixel per tick to the far end and reports once it is there;
    // set from the device it slides without toggled; a resize keeps the thumb at its end.
    void switchSlidesOnePixelPerTick()
    {
        SwitchControl sw;
        sw.resize(38, 22);
        sw.show(); // every resize delivered at once, as under a layout
        QVERIFY(QTest::qWaitForWindowExposed(&sw));
        QCOMPARE(sw.thumbX(), 8.0);
        QSignalSpy toggled(&sw, &SwitchControl::toggled);
        QSignalSpy after(&sw, &SwitchControl::toggledAfter);
        for (const bool on : {true, false}) {
            after.clear();
            release(&sw);
            QCOMPARE(toggled.takeFirst().at(0).toBool(), on); // at the click, before any tick
            QVERIFY(sw.isAnimating() && after.isEmpty());
            QCOMPARE(runTicks(sw, after), 38 - 16 - 8);
            QCOMPARE(after, QList<QVariantList>{{on}});
        }
        // Reversed midway, it turns back from where it is.
        after.clear();
        release(&sw);
        for (int i = 0; i < 10; ++i)
            sw.onTimeout();
        QCOMPARE(sw.thumbX(), 18.0);
        release(&sw);
        QCOMPARE(runTicks(sw, after), 10);
        release(&sw, Qt::RightButton);
        sw.setEnabled(false);
        release(&sw);
        QVERIFY(toggled.size() == 2 && !sw.isToggled() && !sw.isAnimating());
        after.clear();
        sw.setToggled(true);
        QCOMPARE(runTicks(sw, after), 38 - 16 - 8);
        QVERIFY(toggled.size() == 2 && !sw.isAnimating());
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
            const bool wraps = text.size() == 500;
            QCOMPARE(content->wordWrap(), wraps);
            QVERIFY(wraps || content->width() > content->fontMetrics().horizontalAdvance(line));
        }
        QVERIFY(dlg.width() <= QGuiApplication::primaryScreen()->availableGeometry().width());
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

    // The edit has the focus, its cursor at the end; Enter and Return close the dialog, and only a
    // changed, non-empty name is announced.
    void renameConfirmKeys()
    {
        for (const auto &[key, typed, emitted] : {std::tuple{Qt::Key_Return, "", false},
                                                  {Qt::Key_Enter, "Input 3", false},
                                                  {Qt::Key_Enter, "Camera", true},
                                                  {Qt::Key_Return, " ", true}}) {
            RenameDialog dlg(QStringLiteral("Input 3"));
            QSignalSpy spy(&dlg, &RenameDialog::Sig_SetNewName);
            dlg.show();
            QVERIFY(QTest::qWaitForWindowActive(&dlg));
            QLineEdit *edit = child<QLineEdit>(&dlg, "lineEdit");
            QTRY_COMPARE(edit->cursorPosition(), 7);
            QCOMPARE(dlg.focusWidget(), edit);
            edit->setText(typed);
            dlg.setResult(-1);
            QTest::keyClick(edit, key);
            QCOMPARE(spy, emitted ? QList<QVariantList>{{typed}} : QList<QVariantList>());
            QVERIFY(dlg.result() == 1 && !dlg.isVisible());
        }
    }
};

QTEST_MAIN(TestUikit)
#include "tst_uikit.moc"
