#include "commandscanner.h"

#include <QtTest>

class TestCommandScanner : public QObject
{
    Q_OBJECT
private slots:
    // Chunks are separated by '|' in the data; commands are expected in order.
    void chunks_data()
    {
        QTest::addColumn<QByteArray>("chunks");
        QTest::addColumn<QList<QByteArray>>("commands");
        using L = QList<QByteArray>;
        QTest::newRow("one") << QByteArray("{param=version}") << L{"param=version"};
        QTest::newRow("two in one chunk")
            << QByteArray("{param=status}{param=netInfo}") << L{"param=status", "param=netInfo"};
        QTest::newRow("split in the keyword")
            << QByteArray("{param=ver|sion}") << L{"param=version"};
        QTest::newRow("split at every byte")
            << QByteArray("{|p|a|r|a|m|=|D|o|n|e|}") << L{"param=Done"};
        QTest::newRow("line ends of a typed session")
            << QByteArray("{param=version}\r\n|{param=status}\n")
            << L{"param=version", "param=status"};
        QTest::newRow("noise between")
            << QByteArray("xx}}{param=a}yy|zz{param=b}") << L{"param=a", "param=b"};
        QTest::newRow("second opening brace restarts")
            << QByteArray("{param=x{param=y}") << L{"param=y"};
        QTest::newRow("never closed") << QByteArray("{param=version") << L{};
        QTest::newRow("no braces at all") << QByteArray("hello|world") << L{};
    }

    void chunks()
    {
        QFETCH(QByteArray, chunks);
        QFETCH(QList<QByteArray>, commands);
        CommandScanner scanner;
        QList<QByteArray> got;
        for (const QByteArray &chunk : chunks.split('|'))
            got += scanner.feed(chunk);
        QCOMPARE(got, commands);
    }

    // Only an open command counts against the cap, and megabytes of noise take one pass.
    void cap()
    {
        CommandScanner small(100);
        for (int i = 0; i < 50; ++i)
            QVERIFY(small.feed(QByteArray(90, 'n') + "}").isEmpty());
        QVERIFY(small.feed("{param=st" + QByteArray(91, 'x')).isEmpty()); // the cap itself
        QCOMPARE(small.pendingBytes(), 100);
        QCOMPARE(small.droppedBytes(), qint64(0));
        QCOMPARE(small.feed("}"), QList<QByteArray>{"param=st" + QByteArray(91, 'x')});
        QVERIFY(small.feed("{param=" + QByteArray(60, 'x')).isEmpty());
        QVERIFY(small.feed(QByteArray(40, 'y')).isEmpty());
        QCOMPARE(small.droppedBytes(), qint64(107));
        QCOMPARE(small.pendingBytes(), 0);
        // The rest of the over-long command is noise; the next command is read.
        QCOMPARE(small.feed("zzz}{param=version}"), QList<QByteArray>{"param=version"});

        // Stray braces with pairs across the chunk borders, then an open command fed a byte at a
        // time just under the cap: a scanner that looked at held bytes again would take seconds.
        CommandScanner scanner;
        int found = 0;
        for (int i = 0; i < 4000; ++i)
            found += scanner.feed(QByteArray("}{x").repeated(300)).size();
        QCOMPARE(found, 4000 * 299 + 3999);
        QCOMPARE(scanner.feed("}{"), QList<QByteArray>{"x"});
        for (int i = 0; i < CommandScanner::DefaultCap - 2; ++i)
            scanner.feed("a");
        QCOMPARE(scanner.feed("}").value(0).size(), CommandScanner::DefaultCap - 2);
        QCOMPARE(scanner.droppedBytes(), qint64(0));
    }
};

QTEST_GUILESS_MAIN(TestCommandScanner)
#include "tst_commandscanner.moc"
