#include <QProcess>
#include <QRegularExpression>
#include <QtTest>

// The program as a script or the demo starts it; its sessions are driven from tests/e2e.
class TestDeviceSimProcess : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void badOption();
    void portInUse();

private:
    QString m_program;
};

namespace {
constexpr int Timeout = 10000;
} // namespace

void TestDeviceSimProcess::initTestCase()
{
    m_program = qEnvironmentVariable("CORVANE_BIN_DIR") + QStringLiteral("/corvane-devicesim");
    if (!QFileInfo::exists(m_program))
        QSKIP("corvane-devicesim is not built next to the tests");
}

void TestDeviceSimProcess::badOption()
{
    QProcess sim;
    sim.start(m_program, {"--fault", "explode"});
    QVERIFY(sim.waitForFinished(Timeout));
    QCOMPARE(sim.exitCode(), 2);
    QVERIFY(sim.readAllStandardError().contains("explode"));
    QVERIFY(sim.readAllStandardOutput().isEmpty());
}

void TestDeviceSimProcess::portInUse()
{
    QProcess first;
    first.start(m_program, {"--port", "0", "--upload-port", "0"});
    QVERIFY(first.waitForStarted(Timeout));
    while (!first.canReadLine())
        QVERIFY(first.waitForReadyRead(Timeout));
    // Both ports chosen by the system are reported on the first line.
    const QString line = QString::fromUtf8(first.readLine()).trimmed();
    const QRegularExpressionMatch m =
        QRegularExpression("^LISTENING control=([1-9]\\d*) upload=([1-9]\\d*)$").match(line);
    QVERIFY2(m.hasMatch(), qPrintable(line));

    QProcess second;
    second.start(m_program, {"--port", m.captured(1), "--upload-port", "0"});
    QVERIFY(second.waitForFinished(Timeout));
    QCOMPARE(second.exitCode(), 1);
    QVERIFY(second.readAllStandardError().contains("cannot listen"));
    first.terminate();
    QVERIFY(first.waitForFinished(Timeout));
}

QTEST_GUILESS_MAIN(TestDeviceSimProcess)
#include "tst_devicesimprocess.moc"
