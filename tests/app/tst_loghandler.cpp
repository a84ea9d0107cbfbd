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
               QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd")) +
               QStringLiteral(".log");
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
    void init() { QFile::remove(logPath()); }

    void lineShape()
    {
        QMessageLogContext none;
        messageHandler(QtWarningMsg, none, QStringLiteral("hello"));
        QMessageLogContext ctx("widget.cpp", 42, "f", "default");
        messageHandler(QtDebugMsg, ctx, QStringLiteral("there"));
        const QStringList got = lines();
        QCOMPARE(got.size(), 2);
        const QRegularExpression shape(
            QStringLiteral("^\\[\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d\\]\\[File:  Line:0\\]:hello$"));
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
                    messageHandler(QtDebugMsg, none, text);
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
        for (const QString &line : got)
            QVERIFY(line.endsWith(QStringLiteral("]:") + a) || line.endsWith(QStringLiteral("]:") + b));
    }
};

QTEST_GUILESS_MAIN(TestLogHandler)
#include "tst_loghandler.moc"
