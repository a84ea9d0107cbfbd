#include "app/loghandler.h"

#include <QDate>
#include <QDir>
#include <QTemporaryDir>
#include <QThread>
#include <QtTest>

class TestLogHandler : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    const QString m_path = QDate::currentDate().toString(QStringLiteral("'log/'yyyy-MM-dd'.log'"));

    static QStringList lines(const QString &path)
    {
        QFile f(path);
        f.open(QIODevice::ReadOnly);
        return QString::fromUtf8(f.readAll()).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    }
    static void log(const QString &text, const char *file = nullptr, int line = 0)
    {
        messageHandler(QtDebugMsg, QMessageLogContext(file, line, "f", "default"), text);
    }

private slots:
    void initTestCase() { QDir::setCurrent(m_dir.path()); }
    void init()
    {
        QDir(QStringLiteral("log")).removeRecursively();
        QDir().mkdir(QStringLiteral("log"));
    }

    // The operator's text goes in verbatim and whole: placeholders and non-ASCII included.
    void lineShape()
    {
        log(QStringLiteral("hello"));
        log(QStringLiteral("用户 Zoë %1 %2 %4"), "widget.cpp", 42);
        const QStringList got = lines(m_path);
        QCOMPARE(got.size(), 2);
        QVERIFY2(
            QRegularExpression(QStringLiteral("^\\[\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d\\]"
                                              "\\[File:  Line:0\\]:hello$"))
                .match(got.at(0))
                .hasMatch(),
            qPrintable(got.at(0)));
        QVERIFY2(got.at(1).endsWith(QStringLiteral("[File:widget.cpp  Line:42]:用户 Zoë %1 %2 %4")),
                 qPrintable(got.at(1)));
        // Without its folder the line is lost quietly.
        QDir().rename(QStringLiteral("log"), QStringLiteral("away"));
        log(QStringLiteral("lost"));
        QVERIFY(!lines(QStringLiteral("away") + m_path.mid(3)).join(' ').contains("lost"));
    }

    void threadsWriteWholeLines()
    {
        auto writer = [](char c) {
            return QThread::create([c] {
                for (int i = 0; i < 300; ++i)
                    log(QString(200, QLatin1Char(c)) + QString::number(i));
            });
        };
        QScopedPointer<QThread> a(writer('a')), b(writer('b'));
        a->start();
        b->start();
        QVERIFY(a->wait(60000) && b->wait(60000));
        const QStringList got = lines(m_path);
        QCOMPARE(got.size(), 600);
        const QRegularExpression whole(QStringLiteral("\\]:(a{200}|b{200})\\d+$"));
        for (const QString &line : got)
            QVERIFY2(whole.match(line).hasMatch(), qPrintable(line.left(80)));
    }

    // A peer that repeats itself, or floods, cannot fill the disk: runs of one line are
    // counted, and a full day's file moves aside, a few of them kept.
    void repeatsCountedAndFilesRotated()
    {
        QStringList sent{"once", "twice", "twice", "many", "many", "many", "many", "end"};
        sent += QVector<QString>(1002, QStringLiteral("flood")).toList() << "last";
        for (const QString &text : sent)
            log(text);
        QStringList got;
        for (const QString &line : lines(m_path))
            got << line.section(QStringLiteral("]:"), 1);
        QCOMPARE(got, (QStringList{"once", "twice", "twice", "many", "repeated 3 times", "end",
                                   "flood", "repeated 1000 times", "flood", "last"}));

        // A full file found when the log is opened again moves aside first.
        QVERIFY(QDir().rename(QStringLiteral("log"), QStringLiteral("gone")));
        log(QStringLiteral("closes the file"));
        QVERIFY(QDir().rename(QStringLiteral("gone"), QStringLiteral("log")));
        setLogFileLimits(300, 2);
        log(QStringLiteral("reopened"));
        QCOMPARE(lines(m_path).size(), 1);
        setLogFileLimits(4000, 2);
        for (int i = 0; i < 200; ++i)
            log(QStringLiteral("line %1 ").arg(i) + QString(40, 'x'));
        setLogFileLimits(50 * 1024 * 1024, 3);
        const QString stem = m_path.chopped(4);
        QStringList all;
        for (const QString &path : {stem + ".2.log", stem + ".1.log", m_path}) {
            QVERIFY2(QFileInfo(path).size() <= 4000 && QFileInfo(path).size() > 0,
                     qPrintable(path));
            all += lines(path);
        }
        QVERIFY(!QFile::exists(stem + ".3.log"));
        // The newest lines, in order and whole, up to the last one written.
        QVERIFY(all.last().endsWith(QStringLiteral("line 199 ") + QString(40, 'x')));
        for (int i = 1; i < all.size(); ++i)
            QCOMPARE(
                all.at(i).section(QStringLiteral("]:line "), 1).section(' ', 0, 0).toInt(),
                all.at(i - 1).section(QStringLiteral("]:line "), 1).section(' ', 0, 0).toInt() + 1);
    }
};

QTEST_GUILESS_MAIN(TestLogHandler)
#include "tst_loghandler.moc"
