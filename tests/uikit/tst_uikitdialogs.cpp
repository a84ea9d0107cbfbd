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

int contentWidth(MsgDlg &dlg, const QString &text)
{
    QLabel *label = child<QLabel>(&dlg, "lb_content");
    label->ensurePolished();
    return QFontMetrics(label->font()).horizontalAdvance(text);
}

struct MsgGeometry
{
    int dialog, panel, title, content, closeX, okX;
};

MsgGeometry geometryOf(MsgDlg &dlg)
{
    return {dlg.width(),
            child<QFrame>(&dlg, "widget_bg")->width(),
            child<QFrame>(&dlg, "widget_title")->width(),
            child<QLabel>(&dlg, "lb_content")->width(),
            child<QPushButton>(&dlg, "btnClose")->x(),
            child<QPushButton>(&dlg, "btnOk")->x()};
}

void compareWidened(const MsgGeometry &g, int w)
{
    QCOMPARE(g.panel, w + 21);
    QCOMPARE(g.title, w + 21);
    QCOMPARE(g.content, w + 1);
    QCOMPARE(g.dialog, w + 96);
    QCOMPARE(g.closeX, w - 6);
    QCOMPARE(g.okX, w - 50);
}
} // namespace

class TestUikitDialogs : public QObject
{
    Q_OBJECT

private slots:
    // --- MsgDlg ---

    void msgDlgSizeFollowsTheMessage_data()
    {
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("widens");
        QTest::newRow("short") << QStringLiteral("Saved.") << false;
        QTest::newRow("empty") << QString() << false;
        QTest::newRow("long")
            << QStringLiteral("An error occurred while connecting to the file transfer port!")
            << true;
        QTest::newRow("chinese long") << QStringLiteral("传输文件过程网络发生错误！请重新上传文件") << true;
    }

    void msgDlgSizeFollowsTheMessage()
    {
        QFETCH(QString, message);
        QFETCH(bool, widens);
        MsgDlg dlg;
        const int buttonsY = child<QPushButton>(&dlg, "btnOk")->y();
        const int closeY = child<QPushButton>(&dlg, "btnClose")->y();
        dlg.setText(QStringLiteral("NetWork Error"), message);
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));

        QCOMPARE(dlg.title(), QStringLiteral("NetWork Error"));
        QCOMPARE(dlg.message(), message);
        const int w = contentWidth(dlg, message);
        QCOMPARE(w + 21 > MsgDlg::DesignedPanelWidth, widens);
        if (widens) {
            compareWidened(geometryOf(dlg), w);
        } else {
            // The designed sizes.
            const MsgGeometry g = geometryOf(dlg);
            QCOMPARE(g.dialog, 366);
            QCOMPARE(g.panel, 291);
            QCOMPARE(g.content, 271);
            QCOMPARE(g.okX, 220);
            QCOMPARE(g.closeX, 264);
        }
        // Buttons move sideways only.
        QCOMPARE(child<QPushButton>(&dlg, "btnOk")->y(), buttonsY);
        QCOMPARE(child<QPushButton>(&dlg, "btnClose")->y(), closeY);
    }

    void msgDlgMeasuresTheWidestLine()
    {
        MsgDlg dlg;
        const QString line =
            QStringLiteral("The size of the OSD or caption file cannot exceed 4KB!");
        const QString message =
            QStringLiteral("Upload stopped.\n") + line + QStringLiteral("\nRetry.");
        dlg.setText(QStringLiteral("Error"), message);
        compareWidened(geometryOf(dlg), contentWidth(dlg, line));
    }

    void msgDlgNeverGrowsPastTheScreen()
    {
        MsgDlg dlg;
        dlg.setText(QStringLiteral("Error"), QString(500, QLatin1Char('W')));
        const int available = QGuiApplication::primaryScreen()->availableGeometry().width();
        QVERIFY(dlg.width() <= available);
        QVERIFY(child<QLabel>(&dlg, "lb_content")->wordWrap());
    }

    void msgDlgButtons_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("result");
        QTest::newRow("ok") << "btnOk" << 1;
        QTest::newRow("close") << "btnClose" << 0;
    }

    void msgDlgButtons()
    {
        QFETCH(QString, button);
        QFETCH(int, result);
        MsgDlg dlg(QStringLiteral("t"), QStringLiteral("m"));
        QVERIFY(dlg.isModal());
        dlg.show();
        dlg.setResult(-1);
        child<QPushButton>(&dlg, button.toLatin1())->click();
        QCOMPARE(dlg.result(), result);
        QVERIFY(!dlg.isVisible());
    }

    // --- DialogConfirm and DialogConfirm3Btn ---

    void confirmButtons_data()
    {
        QTest::addColumn<bool>("threeButtons");
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("result");
        QTest::newRow("ok") << false << "btnOk" << 1;
        QTest::newRow("cancel") << false << "btnCancel" << 0;
        QTest::newRow("close") << false << "btnClose" << 0;
        QTest::newRow("3: yes") << true << "btnYes" << int(DialogConfirm3Btn::Yes);
        QTest::newRow("3: no") << true << "btnNo" << int(DialogConfirm3Btn::No);
        QTest::newRow("3: cancel") << true << "btnCancel" << int(DialogConfirm3Btn::Cancel);
        QTest::newRow("3: close") << true << "btnClose" << int(DialogConfirm3Btn::Cancel);
    }

    void confirmButtons()
    {
        QFETCH(bool, threeButtons);
        QFETCH(QString, button);
        QFETCH(int, result);
        QScopedPointer<QDialog> dlg;
        if (threeButtons)
            dlg.reset(new DialogConfirm3Btn(nullptr, QStringLiteral("Quit"), QStringLiteral("?")));
        else
            dlg.reset(new DialogConfirm(nullptr, QStringLiteral("Error"), QStringLiteral("!")));
        QVERIFY(dlg->isModal());
        dlg->show();
        dlg->setResult(-1);
        child<QPushButton>(dlg.data(), button.toLatin1())->click();
        QCOMPARE(dlg->result(), result);
        QVERIFY(!dlg->isVisible());
    }

    void confirmTextIsPlainUnlessAsked()
    {
        const QString text = QStringLiteral("Rename <b>Input 1</b>?");
        DialogConfirm dlg(nullptr, QStringLiteral("Rename"), text);
        QLabel *label = child<QLabel>(&dlg, "lb_content");
        QCOMPARE(dlg.text(), text);
        QCOMPARE(label->textFormat(), Qt::PlainText);
        dlg.setRichText(true);
        QCOMPARE(label->textFormat(), Qt::RichText);
        dlg.setTextAlignLeft(true);
        QVERIFY(label->alignment() & Qt::AlignLeft);
        dlg.setTextAlignLeft(false);
        QVERIFY(label->alignment() & Qt::AlignHCenter);
    }

    // --- RenameDialog ---

    void renameConfirmKeys_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("emitted");
        const QList<QPair<const char *, int>> keys = {{"Return", Qt::Key_Return},
                                                      {"Enter", Qt::Key_Enter}};
        for (const auto &k : keys) {
            QTest::addRow("%s, empty", k.first) << k.second << QString() << false;
            QTest::addRow("%s, unchanged", k.first)
                << k.second << QStringLiteral("Input 3") << false;
            QTest::addRow("%s, changed", k.first) << k.second << QStringLiteral("Camera") << true;
            QTest::addRow("%s, blank", k.first) << k.second << QStringLiteral(" ") << true;
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
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        QLineEdit *edit = child<QLineEdit>(&dlg, "lineEdit");
        edit->setText(typed);
        dlg.setResult(-1);
        QTest::keyClick(edit, Qt::Key(key));

        QCOMPARE(spy.count(), emitted ? 1 : 0);
        if (emitted)
            QCOMPARE(spy.at(0).at(0).toString(), typed);
        QCOMPARE(dlg.result(), 1);
        QVERIFY(!dlg.isVisible());
    }

    void renameEditIsFocusedWithCursorAtTheEnd()
    {
        RenameDialog dlg(QStringLiteral("Meeting room"));
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        QLineEdit *edit = child<QLineEdit>(&dlg, "lineEdit");
        QCOMPARE(dlg.focusWidget(), edit);
        QCOMPARE(edit->text(), QStringLiteral("Meeting room"));
        QCOMPARE(edit->cursorPosition(), 12);
        // Still so once the window is active: typing appends instead of replacing.
        QVERIFY(QTest::qWaitForWindowActive(&dlg));
        QCoreApplication::processEvents();
        QCOMPARE(dlg.focusWidget(), edit);
        QVERIFY(!edit->hasSelectedText());
        QCOMPARE(edit->cursorPosition(), 12);
    }

    void framelessDialogDragsWithTheLeftButton()
    {
        DialogConfirm dlg(nullptr, QStringLiteral("t"), QStringLiteral("m"));
        dlg.move(120, 90);
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        const QPoint start = dlg.pos();
        const QPoint press = start + QPoint(60, 60);
        QMouseEvent down(QEvent::MouseButtonPress, QPointF(60, 60), press, Qt::LeftButton,
                         Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&dlg, &down);
        QMouseEvent move(QEvent::MouseMove, QPointF(90, 50), press + QPoint(30, -10), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&dlg, &move);
        QCOMPARE(dlg.pos(), start + QPoint(30, -10));
        QVERIFY(dlg.windowFlags() & Qt::FramelessWindowHint);
        QVERIFY(dlg.testAttribute(Qt::WA_TranslucentBackground));
    }
};

QTEST_MAIN(TestUikitDialogs)
#include "tst_uikitdialogs.moc"
