#include "uikit/dialogconfirm.h"
#include "uikit/dialogconfirm3btn.h"
#include "uikit/msgdlg.h"
#include "uikit/renamedialog.h"

#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QtTest>

namespace {
template <typename T> T *child(QWidget *parent, const char *name)
{
    T *w = parent->findChild<T *>(QLatin1String(name));
    if (!w)
        qFatal("no child %s", name);
    return w;
}

// Everything that widens with a content of width w, from the designed 270 upwards.
void compareWidth(MsgDlg &dlg, int w)
{
    QCOMPARE(child<QFrame>(&dlg, "widget_bg")->width(), w + 21);
    QCOMPARE(child<QFrame>(&dlg, "widget_title")->width(), w + 21);
    QCOMPARE(child<QLabel>(&dlg, "lb_content")->width(), w + 1);
    QCOMPARE(dlg.width(), w + 96);
    QCOMPARE(child<QPushButton>(&dlg, "btnClose")->x(), w - 6);
    QCOMPARE(child<QPushButton>(&dlg, "btnOk")->x(), w - 50);
}
} // namespace

class TestUikitDialogs : public QObject
{
    Q_OBJECT

private slots:
    void msgDlgSizeFollowsTheWidestLine_data()
    {
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("widest");
        QTest::addColumn<bool>("widens");
        const QString long1 =
            QStringLiteral("An error occurred while connecting to the file transfer port!");
        const QString long2 =
            QStringLiteral("The size of the OSD or caption file cannot exceed 4KB!");
        const QString zh = QStringLiteral("传输文件过程网络发生错误！请重新上传文件");
        QTest::newRow("short") << QStringLiteral("Saved.") << QStringLiteral("Saved.") << false;
        QTest::newRow("empty") << QString() << QString() << false;
        QTest::newRow("long") << long1 << long1 << true;
        QTest::newRow("chinese long") << zh << zh << true;
        QTest::newRow("several lines")
            << QStringLiteral("Upload stopped.\n") + long2 + QStringLiteral("\nRetry.") << long2
            << true;
    }

    void msgDlgSizeFollowsTheWidestLine()
    {
        QFETCH(QString, message);
        QFETCH(QString, widest);
        QFETCH(bool, widens);
        MsgDlg dlg;
        const int buttonsY = child<QPushButton>(&dlg, "btnOk")->y();
        const int closeY = child<QPushButton>(&dlg, "btnClose")->y();
        dlg.setText(QStringLiteral("NetWork Error"), message);
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));

        QLabel *content = child<QLabel>(&dlg, "lb_content");
        const int w = QFontMetrics(content->font()).horizontalAdvance(widest);
        QCOMPARE(w + 21 > MsgDlg::DesignedPanelWidth, widens);
        compareWidth(dlg, widens ? w : 270);
        // Every line shows in full: the dialog grows down for a message of several lines.
        QVERIFY2(content->height() >= content->sizeHint().height(),
                 qPrintable(QStringLiteral("%1 < %2")
                                .arg(content->height())
                                .arg(content->sizeHint().height())));
        QVERIFY(content->geometry().bottom() <
                child<QFrame>(&dlg, "widget_bottom")->geometry().top());
        // Buttons move sideways only.
        QCOMPARE(child<QPushButton>(&dlg, "btnOk")->y(), buttonsY);
        QCOMPARE(child<QPushButton>(&dlg, "btnClose")->y(), closeY);
    }

    void msgDlgNeverGrowsPastTheScreen()
    {
        MsgDlg dlg;
        dlg.setText(QStringLiteral("Error"), QString(500, QLatin1Char('W')));
        const int available = QGuiApplication::primaryScreen()->availableGeometry().width();
        QVERIFY(dlg.width() <= available);
        QLabel *content = child<QLabel>(&dlg, "lb_content");
        QVERIFY(content->wordWrap());
        QVERIFY(content->height() >= content->heightForWidth(content->width()));
    }

    void buttonsCloseWithTheirResult_data()
    {
        QTest::addColumn<int>("answers"); // how many the dialog offers
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("result");
        QTest::newRow("message: ok") << 1 << "btnOk" << 1;
        QTest::newRow("message: close") << 1 << "btnClose" << 0;
        QTest::newRow("ok") << 2 << "btnOk" << 1;
        QTest::newRow("cancel") << 2 << "btnCancel" << 0;
        QTest::newRow("close") << 2 << "btnClose" << 0;
        QTest::newRow("3: yes") << 3 << "btnYes" << int(DialogConfirm3Btn::Yes);
        QTest::newRow("3: no") << 3 << "btnNo" << int(DialogConfirm3Btn::No);
        QTest::newRow("3: cancel") << 3 << "btnCancel" << int(DialogConfirm3Btn::Cancel);
        QTest::newRow("3: close") << 3 << "btnClose" << int(DialogConfirm3Btn::Cancel);
        // Enter answers with the dialog's OK unless the keyboard is on another button.
        QTest::newRow("message: Enter") << 1 << "Enter" << 1;
        QTest::newRow("ok: Return") << 2 << "Return" << 1;
        QTest::newRow("3: Enter") << 3 << "Enter" << int(DialogConfirm3Btn::Yes);
        QTest::newRow("3: no focused: Enter") << 3 << "btnNo Enter" << int(DialogConfirm3Btn::No);
        QTest::newRow("3: Escape") << 3 << "Esc" << int(DialogConfirm3Btn::Cancel);
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

    void confirmTextIsPlainUnlessAsked()
    {
        DialogConfirm dlg(nullptr, QStringLiteral("Rename"), QStringLiteral("Rename <b>A</b>?"));
        QLabel *label = child<QLabel>(&dlg, "lb_content");
        QCOMPARE(label->textFormat(), Qt::PlainText);
        dlg.setRichText(true);
        QCOMPARE(label->textFormat(), Qt::RichText);
        // Long text makes the dialog taller, every line above the buttons; markup wraps at a
        // readable width, and the next plain message shows as typed, at the plain size.
        DialogConfirm tall(nullptr, "Reset", QString("Every route and plan is lost. ").repeated(9));
        MsgDlg msg;
        msg.setRichText("Warning", QString("The wall needs three reports first. ").repeated(6) +
                                       "<br><font color='red'>Not Received</font>");
        for (QDialog *d : std::initializer_list<QDialog *>{&tall, &msg}) {
            d->show();
            QVERIFY(QTest::qWaitForWindowExposed(d));
            label = child<QLabel>(d, "lb_content");
            QVERIFY(label->height() >= label->heightForWidth(label->width()));
            QVERIFY(label->mapTo(d, label->rect().bottomLeft()).y() <
                    child<QPushButton>(d, "btnOk")->mapTo(d, QPoint()).y());
        }
        QVERIFY(label->wordWrap());
        compareWidth(msg, MsgDlg::RichWrapWidth);
        msg.setText(QStringLiteral("Rename"), QStringLiteral("<b>A</b>"));
        QCOMPARE(label->textFormat(), Qt::PlainText);
        compareWidth(msg, 270);
    }

    void renameConfirmKeys_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("emitted");
        for (const int key : {int(Qt::Key_Return), int(Qt::Key_Enter)}) {
            const char *name = key == Qt::Key_Return ? "Return" : "Enter";
            QTest::addRow("%s, empty", name) << key << QString() << false;
            QTest::addRow("%s, unchanged", name) << key << QStringLiteral("Input 3") << false;
            QTest::addRow("%s, changed", name) << key << QStringLiteral("Camera") << true;
            QTest::addRow("%s, blank", name) << key << QStringLiteral(" ") << true;
        }
    }

    void renameConfirmKeys()
    {
        QFETCH(int, key);
        QFETCH(QString, typed);
        QFETCH(bool, emitted);
        RenameDialog dlg(QStringLiteral("Input 3"));
        QSignalSpy spy(&dlg, &RenameDialog::Sig_SetNewName);
        dlg.show();
        // Once active, the edit has the focus and the cursor at the end: typing appends.
        QVERIFY(QTest::qWaitForWindowActive(&dlg));
        QCoreApplication::processEvents();
        QLineEdit *edit = child<QLineEdit>(&dlg, "lineEdit");
        QCOMPARE(dlg.focusWidget(), edit);
        QVERIFY(!edit->hasSelectedText());
        QCOMPARE(edit->cursorPosition(), 7);

        edit->setText(typed);
        dlg.setResult(-1);
        QTest::keyClick(edit, Qt::Key(key));
        QCOMPARE(spy, emitted ? QList<QVariantList>{{typed}} : QList<QVariantList>());
        QCOMPARE(dlg.result(), 1);
        QVERIFY(!dlg.isVisible());
    }
};

QTEST_MAIN(TestUikitDialogs)
#include "tst_uikitdialogs.moc"
