#include <QProcess>
#include <QRegularExpression>
#include <QtTest>

// The program as a script or the demo starts it; its sessions are driven from tests/e2e.
class TestDeviceSimProcess : public QObject
{
    Q_OBJECT
private slots:
    // A bad option ends it with 2 before it listens; a taken port with 1.
    void refusals()
    {
        constexpr int Timeout = 10000;
        const QString program = qEnvironmentVariable("CORVANE_BIN_DIR") + "/corvane-devicesim";
        if (!QFileInfo::exists(program))
            QSKIP("corvane-devicesim is not built next to the tests");
        QProcess bad;
        bad.start(program, {"--fault", "explode"});
        QVERIFY(bad.waitForFinished(Timeout));
        QCOMPARE(bad.exitCode(), 2);
        QVERIFY(bad.readAllStandardError().contains("explode"));
        QVERIFY(bad.readAllStandardOutput().isEmpty());

        QProcess first;
        first.start(program, {"--port", "0", "--upload-port", "0"});
        while (!first.canReadLine())
            QVERIFY(first.waitForReadyRead(Timeout));
        // Both ports chosen by the system are reported on the first line.
        const QString line = QString::fromUtf8(first.readLine()).trimmed();
        const QRegularExpressionMatch m =
            QRegularExpression("^LISTENING control=([1-9]\\d*) upload=([1-9]\\d*)$").match(line);
        QVERIFY2(m.hasMatch(), qPrintable(line));
        QProcess second;
        second.start(program, {"--port", m.captured(1), "--upload-port", "0"});
        QVERIFY(second.waitForFinished(Timeout));
        QCOMPARE(second.exitCode(), 1);
        QVERIFY(second.readAllStandardError().contains("cannot listen"));
        first.terminate();
        QVERIFY(first.waitForFinished(Timeout));
    }
};

QTEST_GUILESS_MAIN(TestDeviceSimProcess)
#include "tst_devicesimprocess.moc"
