// The protocol console's lines without a window: the ring's bound, batches, filter, pause,
// where reports attach, and what is copied.
#include "mainwindow/consolemodel.h"
#include "protocol/messagedistance.h"

#include <QAbstractItemModelTester>
#include <QTemporaryDir>
#include <QtTest>

namespace {
QString textAt(const ConsoleModel &model, int row)
{
    return model.data(model.index(row, ConsoleModel::TextColumn)).toString();
}
void addNumbers(ConsoleModel &model, int from, int count)
{
    for (int i = from; i < from + count; ++i)
        model.addNote(QString::number(i));
}
} // namespace

using Tester = QAbstractItemModelTester::FailureReportingMode;

class TestConsoleModel : public QObject
{
    Q_OBJECT

private slots:
    // Lines in batches: the rows left, the first of them, and per batch one insertion and at
    // most one removal.
    void ringKeepsTheLastLines_data()
    {
        QTest::addColumn<QList<int>>("batches");
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("inserts");
        QTest::addColumn<int>("removes");
        QTest::newRow("full") << QList<int>{20000} << 0 << 1 << 0;
        QTest::newRow("one over in a batch") << QList<int>{20001} << 1 << 1 << 0;
        QTest::newRow("one over, shown") << QList<int>{20000, 1} << 1 << 2 << 1;
        // 5000 lines beyond the ring are moved in without waiting for the batch.
        QTest::newRow("flood") << QList<int>{30000} << 10000 << 2 << 1;
    }
    void ringKeepsTheLastLines()
    {
        QFETCH(QList<int>, batches);
        ConsoleModel model;
        QAbstractItemModelTester tester(&model, Tester::QtTest); // signals match the rows
        QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
        QSignalSpy removed(&model, &QAbstractItemModel::rowsRemoved);
        int from = 0;
        for (int count : batches) {
            addNumbers(model, from, count);
            from += count;
            model.flush();
        }
        QCOMPARE(model.rowCount(), int(ConsoleModel::Capacity));
        QCOMPARE(model.lineCount(), int(ConsoleModel::Capacity));
        QTEST(textAt(model, 0).toInt(), "first");
        QCOMPARE(textAt(model, model.rowCount() - 1).toInt(), from - 1);
        QTEST(int(inserted.size()), "inserts");
        QTEST(int(removed.size()), "removes");
    }

    void filter_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("regex");
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<bool>("valid");
        const QStringList all{"{param=3VIDEO5}", "video1", "AUDIO2", "{param=status}", "video [9]"};
        QTest::newRow("none") << "" << false << all << true;
        QTest::newRow("any case") << "VIDEO" << false << QStringList{all[0], all[1], all[4]}
                                  << true;
        QTest::newRow("plain is literal") << "o [9" << false << QStringList{all[4]} << true;
        QTest::newRow("regex") << "^\\{param=\\d" << true << QStringList{all[0]} << true;
        QTest::newRow("regex any case") << "audio\\d$" << true << QStringList{all[2]} << true;
        QTest::newRow("invalid filters nothing") << "video[" << true << all << false;
    }
    // The filter applies to the lines shown and to those of later batches.
    void filter()
    {
        QFETCH(QString, text);
        QFETCH(bool, regex);
        ConsoleModel model;
        for (const char *text : {"{param=3VIDEO5}", "video1", "AUDIO2", "{param=status}"})
            model.addNote(text);
        model.flush();
        QTEST(model.setFilter(text, regex), "valid");
        model.addNote(QStringLiteral("video [9]"));
        model.flush();
        QStringList shown;
        for (int row = 0; row < model.rowCount(); ++row)
            shown << textAt(model, row);
        QTEST(shown, "rows");
    }

    void pause_data()
    {
        QTest::addColumn<int>("before");
        QTest::addColumn<int>("rowsWhilePaused");
        QTest::newRow("room left") << 10 << 10;
        // The ring stays bounded: the oldest shown lines make room for those waiting.
        QTest::newRow("ring full") << 20000 << 19995;
    }
    // Paused, lines are counted as waiting and the rows stay; resuming shows them.
    void pause()
    {
        QFETCH(int, before);
        ConsoleModel model;
        addNumbers(model, 0, before);
        model.flush();
        QSignalSpy waiting(&model, &ConsoleModel::waitingChanged);
        model.setPaused(true);
        addNumbers(model, before, 5);
        model.flush();
        QTEST(model.rowCount(), "rowsWhilePaused");
        QCOMPARE(model.waitingLines(), 5);
        model.setPaused(false);
        QCOMPARE(waiting, (QList<QVariantList>{{5}, {0}}));
        QCOMPARE(model.rowCount(), std::min(before + 5, int(ConsoleModel::Capacity)));
        QCOMPARE(textAt(model, model.rowCount() - 1), QString::number(before + 4));
    }

    // Reports go to the latest received line, shown or not; a shown one announces the change.
    // A piece is shown with its control bytes visible and cut with its full size.
    void reportsAttachToTheLatestReceivedLine()
    {
        ConsoleModel model;
        QAbstractItemModelTester tester(&model, Tester::QtTest);
        model.addReport(1, {{"lost", 1}}); // nothing received yet
        model.addReceived("{a}\r\n\x01");
        model.flush();
        QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
        model.addReport(0, {{"video1_change", 3}});
        model.addSent(QStringLiteral("{param=x}"));
        model.addReport(1, {{"b", true}});
        model.addReceived(QByteArray(200, 'x'));
        for (int i = 0; i < ConsoleModel::MaxReportsPerLine + 2; ++i)
            model.addReport(12, {{"n", i}});
        model.flush();
        QCOMPARE(changed.size(), 1);
        QCOMPARE(changed.at(0).at(0).toModelIndex().row(), 0);
        QCOMPARE(textAt(model, 0), QStringLiteral("{a}\\r\\n\\x01"));
        QCOMPARE(model.reports(0),
                 (QStringList{"ChangedByOthers {\"video1_change\":3}", "Version {\"b\":true}"}));
        QVERIFY(model.reports(1).isEmpty());
        QCOMPARE(textAt(model, 2), QString(160, 'x') + " ... (200 bytes in all)");
        const QStringList last = model.reports(2);
        QCOMPARE(last.size(), ConsoleModel::MaxReportsPerLine + 1);
        QCOMPARE(last.at(0), QStringLiteral("HdcpInfo {\"n\":0}"));
        QCOMPARE(last.constLast(), QStringLiteral("Reports not kept: 2"));
    }

    // Past the budget for all reports, the oldest lines give theirs up first.
    void reportsStayWithinTheirBudget()
    {
        ConsoleModel model;
        model.addReceived("cleared");
        model.clear(); // the lines that follow are no longer the ring's first
        const QJsonObject big{{"text", QString(64 * 1024 - 100, 'r')}}; // 32 fit
        const int lines = ConsoleModel::ReportBudgetBytes / (64 * 1024) + 1;
        for (int i = 0; i < lines; ++i) {
            model.addReceived(QByteArray::number(i));
            model.addReport(1, big);
        }
        model.flush();
        QCOMPARE(model.reports(0), QStringList{"Reports not kept: 1"});
        QVERIFY(model.reports(1).constFirst().startsWith("Version"));
    }

    // What the client sends, cannot send and how its link goes; copy and export of the rows.
    void linesFromTheClientCopiedAndExported()
    {
        MessageDistance client;
        ConsoleModel model;
        model.follow(&client);
        emit client.connectFailureSig();
        emit client.connectFailureSig(); // a retry is not marked again
        model.setSender(QStringLiteral("ADMIN"));
        QVERIFY(!client.sendCommand(QStringLiteral("{param=x}")));
        emit client.commandSent(QStringLiteral("{param=y}"));
        model.flush();
        QCOMPARE(model.rowCount(), 3);
        QCOMPARE(model.direction(0), ConsoleModel::Link);
        QCOMPARE(textAt(model, 1), QStringLiteral("Not sent, the link is down: ADMIN: {param=x}"));
        QCOMPARE(model.direction(2), ConsoleModel::Sent);
        const QStringList copied = model.copyText({2, 0}).split('\n');
        QVERIFY(QRegularExpression("^\\d\\d:\\d\\d:\\d\\d\\.\\d{3}\tLink\tLink down: :0$")
                    .match(copied[0])
                    .hasMatch());
        QVERIFY(copied[1].endsWith("\tSent\tADMIN: {param=y}"));

        QTemporaryDir dir;
        QString error;
        QVERIFY(!model.exportTo(dir.filePath("missing/console.txt"), &error));
        QVERIFY(!error.isEmpty());
        QVERIFY(model.exportTo(dir.filePath("console.txt"), &error));
        QFile file(dir.filePath("console.txt"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(file.readAll()).split('\n').mid(0, 3).join('\n'),
                 model.copyText({0, 1, 2}));
    }
};

QTEST_MAIN(TestConsoleModel)
#include "tst_consolemodel.moc"
