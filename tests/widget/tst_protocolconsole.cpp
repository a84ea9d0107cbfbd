// The protocol console on the settings page of the real window, against a loopback peer that
// records what the window sends and answers when told.
#include "../common/look.h"
#include "../common/windowstart.h"
#include "commandrecorder.h"
#include "mainwindow/consolemodel.h"
#include "mainwindow/protocolconsole.h"
#include "mainwindow/widget.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QJsonDocument>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

class TestProtocolConsole : public QObject
{
    Q_OBJECT

private slots:
    void commandLine_data()
    {
        QTest::addColumn<QString>("user");
        QTest::newRow("administrator") << "ADMIN";
        QTest::newRow("operator") << "operator";
    }
    // An administrator's command goes out as typed and shows with the name; a malformed one
    // is refused unsent; a report shows raw and, selected, as dispatched. Operators get no
    // command line.
    void commandLine()
    {
        QFETCH(QString, user);
        QTemporaryDir dir;
        CommandRecorder peer;
        prepareLoginFreeStart(dir.path(), peer.serverPort());
        QVERIFY(user == "ADMIN" || addOperator(user) > 0);
        AppSettings::instance()->setUserName(user);
        AppSettings::instance()->setLanguage(user == "ADMIN" ? 1 : 0); // a start in Chinese too
        Widget window;
        window.show();
        window.findChild<QTabWidget *>("tabWidget")->setCurrentIndex(4); // settings
        QTRY_VERIFY_WITH_TIMEOUT(peer.bytes.contains("{param=version}"), 5000);
        window.findChild<QPushButton *>("btn_console")->click();
        auto *console = window.findChild<ProtocolConsole *>();
        QVERIFY(console);
        auto *command = console->findChild<QLineEdit *>("consoleCommand");
        auto *view = console->findChild<QTableView *>("consoleView");
        auto *model = qobject_cast<ConsoleModel *>(view->model());
        QVERIFY_LOOK("console-" + user + ".txt", console); // a command line for the ADMIN only
        if (user != "ADMIN")
            return;
        (void)peer.take();
        const auto last = [model] {
            const int row = model->rowCount() - 1;
            return model->data(model->index(row, ConsoleModel::TextColumn)).toString();
        };
        for (const QString typed : {"{param=3VIDEO5}", "{param={3VIDEO5}}", " {param=x}"}) {
            QTest::keyClicks(command, typed);
            // The button sends as Return does.
            if (typed.startsWith(' '))
                console->findChild<QPushButton *>("consoleSend")->click();
            else
                QTest::keyClick(command, Qt::Key_Return);
            const bool good = typed == QLatin1String("{param=3VIDEO5}");
            QCOMPARE(peer.take(), good ? typed.toUtf8() : QByteArray());
            QCOMPARE(last().startsWith("Refused"), !good);
            QVERIFY(last().endsWith(good ? "ADMIN: " + typed : ": " + typed));
        }

        QJsonObject applied;
        connect(MessageDistance::instance(), &MessageDistance::receiveChangedByOthersSig, this,
                [&applied](const QJsonObject &object) { applied = object; });
        peer.findChild<QTcpSocket *>()->write("{Frozen_change=3/1}\r\n");
        QTRY_VERIFY(!applied.isEmpty());
        QTRY_COMPARE(last(), QStringLiteral("{Frozen_change=3/1}\\r\\n"));
        view->setCurrentIndex(model->index(model->rowCount() - 1, 0));
        QCOMPARE(console->findChild<QPlainTextEdit *>("consoleReports")->toPlainText(),
                 "ChangedByOthers " + QJsonDocument(applied).toJson(QJsonDocument::Compact));

        // Paused, what arrives is counted and shown only on resuming.
        auto *pause = console->findChild<QPushButton *>("consolePause");
        auto *waiting = console->findChild<QLabel *>("consoleWaiting");
        const int rows = model->rowCount();
        pause->click();
        QCOMPARE(waiting->text(), QStringLiteral("Lines waiting: 0"));
        peer.findChild<QTcpSocket *>()->write("{Frozen_change=4/1}");
        QTRY_COMPARE(waiting->text(), QStringLiteral("Lines waiting: 1"));
        QVERIFY_LOOK("console-paused.txt", console);
        QCOMPARE(model->rowCount(), rows);
        pause->click();
        QCOMPARE(waiting->text(), QString());
        QCOMPARE(last(), QStringLiteral("{Frozen_change=4/1}"));

        // A regular expression filters at once; the lines selected are what Copy takes.
        auto *filter = console->findChild<QLineEdit *>("consoleFilter");
        QTest::keyClicks(filter, "^ADMIN|=4/");
        console->findChild<QCheckBox *>()->click();
        QCOMPARE(model->rowCount(), 2);
        view->selectAll();
        console->findChild<QPushButton *>("consoleCopy")->click();
        QVERIFY(QApplication::clipboard()->text().endsWith("\tReceived\t{Frozen_change=4/1}"));
        QTest::keyClicks(filter, "["); // invalid, it filters nothing once typing stops
        QTRY_VERIFY(filter->toolTip().startsWith("Invalid expression: "));
        QVERIFY(model->rowCount() > 2);
        QVERIFY_LOOK("console-filter-invalid.txt", console);
    }

    void cleanupTestCase() { MessageDistance::instance()->closeConnections(); }
};

QTEST_MAIN(TestProtocolConsole)
#include "tst_protocolconsole.moc"
