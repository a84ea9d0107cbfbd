#include "app/loghandler.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>
#include <QtTest>

class TestLogHandler : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString m_oldCwd;

    QString logPath() const
    {
        return m_dir.path() + QStringLiteral("/log/") +
               QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd")) + QStringLiteral(".log");
    }
    QStringList lines() const
    {
        QFile f(logPath());
        if (!f.open(QIODevice::ReadOnly))
            return {};
        const QString all = QString::fromUtf8(f.readAll());
        QStringList result = all.split(QStringLiteral("\r\n"));
        if (!result.isEmpty() && result.last().isEmpty())
            result.removeLast();
        return result;
    }

private slots:
    void initTestCase()
    {
        m_oldCwd = QDir::currentPath();
        QDir::setCurrent(m_dir.path());
        QDir().mkpath(QStringLiteral("log"));
    }
    void cleanupTestCase() { QDir::setCurrent(m_oldCwd); }
    void init()
    {
        for (const QString &name :
             QDir(m_dir.path() + QStringLiteral("/log")).entryList(QDir::Files))
            QFile::remove(m_dir.path() + QStringLiteral("/log/") + name);
    }

    void lineShape()
    {
        QMessageLogContext none;
        messageHandler(QtWarningMsg, none, QStringLiteral("hello"));
        QMessageLogContext ctx("widget.cpp", 42, "f", "default");
        messageHandler(QtDebugMsg, ctx, QStringLiteral("there"));
        const QStringList got = lines();
        QCOMPARE(got.size(), 2);
        const QRegularExpression shape(QStringLiteral(
            "^\\[\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d\\]\\[File:  Line:0\\]:hello$"));
        QVERIFY2(shape.match(got.at(0)).hasMatch(), qPrintable(got.at(0)));
        QVERIFY2(got.at(1).endsWith(QStringLiteral("[File:widget.cpp  Line:42]:there")),
                 qPrintable(got.at(1)));
    }

    // Placeholders inside the message are the operator's text, not ours to fill.
    void messageWithPlaceholdersKeptVerbatim()
    {
        QMessageLogContext none;
        messageHandler(QtDebugMsg, none, QStringLiteral("name %1 %2 %4 done"));
        QVERIFY(lines().value(0).endsWith(QStringLiteral("]:name %1 %2 %4 done")));
    }

    void nonAsciiSurvives()
    {
        QMessageLogContext none;
        const QString text = QStringLiteral("用户 Zoë 登录");
        messageHandler(QtDebugMsg, none, text);
        QVERIFY2(lines().value(0).endsWith(text), qPrintable(lines().value(0)));
    }

    void missingLogFolderLosesLineQuietly()
    {
        QDir(m_dir.path()).rename(QStringLiteral("log"), QStringLiteral("log-away"));
        QMessageLogContext none;
        messageHandler(QtDebugMsg, none, QStringLiteral("lost"));
        QDir(m_dir.path()).rename(QStringLiteral("log-away"), QStringLiteral("log"));
        QVERIFY(!lines().join(QString()).contains(QStringLiteral("lost")));
    }

    void threadsWriteWholeLines()
    {
        const int perThread = 300;
        const QString a(200, QLatin1Char('a'));
        const QString b(200, QLatin1Char('b'));
        auto writer = [perThread](const QString &text) {
            return QThread::create([perThread, text] {
                QMessageLogContext none;
                for (int i = 0; i < perThread; ++i)
                    messageHandler(QtDebugMsg, none, text + QString::number(i));
            });
        };
        QThread *t1 = writer(a);
        QThread *t2 = writer(b);
        t1->start();
        t2->start();
        QVERIFY(t1->wait(60000));
        QVERIFY(t2->wait(60000));
        delete t1;
        delete t2;
        const QStringList got = lines();
        QCOMPARE(got.size(), 2 * perThread);
        const QRegularExpression whole(QStringLiteral("\\]:(a{200}|b{200})\\d+$"));
        for (const QString &line : got)
            QVERIFY2(whole.match(line).hasMatch(), qPrintable(line.left(80)));
    }

    // A peer that repeats itself, or floods, cannot fill the disk: runs of one line are
    // counted, and a full day's file moves aside, a few of them kept.
    void repeatsCountedAndFilesRotated()
    {
        QMessageLogContext none;
        for (const char *text : {"once", "twice", "twice", "many", "many", "many", "many", "end"})
            messageHandler(QtDebugMsg, none, QString::fromLatin1(text));
        QStringList got;
        for (const QString &line : lines())
            got << line.section(QStringLiteral("]:"), 1);
        QCOMPARE(got, (QStringList{"once", "twice", "twice", "many", "repeated 3 times", "end"}));

        setLogFileLimits(4000, 2);
        for (int i = 0; i < 200; ++i)
            messageHandler(QtDebugMsg, none, QStringLiteral("line %1 ").arg(i) + QString(40, 'x'));
        setLogFileLimits(50 * 1024 * 1024, 3);
        const QString stem = logPath().chopped(4);
        QStringList all;
        for (const QString &path : {stem + ".2.log", stem + ".1.log", logPath()}) {
            QFile file(path);
            QVERIFY2(file.size() <= 4000 && file.size() > 0, qPrintable(path));
            QVERIFY(file.open(QIODevice::ReadOnly));
            all +=
                QString::fromUtf8(file.readAll()).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
        }
        QVERIFY(!QFile::exists(stem + ".3.log"));
        // The newest lines, in order and whole, up to the last one written.
        QVERIFY(all.last().endsWith(QStringLiteral("line 199 ") + QString(40, 'x')));
        for (int i = 1; i < all.size(); ++i) {
            const int prev =
                all.at(i - 1).section(QStringLiteral("]:line "), 1).section(' ', 0, 0).toInt();
            QCOMPARE(all.at(i).section(QStringLiteral("]:line "), 1).section(' ', 0, 0).toInt(),
                     prev + 1);
        }
    }
};

QTEST_GUILESS_MAIN(TestLogHandler)
#include "tst_loghandler.moc"
