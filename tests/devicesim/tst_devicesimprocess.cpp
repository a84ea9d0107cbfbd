#include <QProcess>
#include <QRegularExpression>
#include <QTcpSocket>
#include <QtTest>

// The program as a script or the demo starts it.
class TestDeviceSimProcess : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void handTypedSession();
    void badOption();
    void portInUse();

private:
    QString m_program;
};

namespace {
constexpr int Timeout = 10000;

// Starts the simulator on free ports and reads its first line.
bool startOnFreePorts(QProcess &p, const QString &program, const QStringList &extra,
                      quint16 *control, quint16 *upload)
{
    p.start(program, QStringList{"--port", "0", "--upload-port", "0"} + extra);
    if (!p.waitForStarted(Timeout))
        return false;
    while (!p.canReadLine()) {
        if (!p.waitForReadyRead(Timeout))
            return false;
    }
    const QString line = QString::fromUtf8(p.readLine()).trimmed();
    const QRegularExpressionMatch m =
        QRegularExpression("^LISTENING control=(\\d+) upload=(\\d+)$").match(line);
    if (!m.hasMatch())
        return false;
    *control = quint16(m.captured(1).toUInt());
    *upload = quint16(m.captured(2).toUInt());
    return *control != 0 && *upload != 0;
}
} // namespace

void TestDeviceSimProcess::initTestCase()
{
    const QString dir = qEnvironmentVariable("CORVANE_BIN_DIR");
    m_program = dir + QStringLiteral("/corvane-devicesim");
    if (!QFileInfo::exists(m_program))
        QSKIP("corvane-devicesim is not built next to the tests");
}

void TestDeviceSimProcess::handTypedSession()
{
    QProcess sim;
    quint16 control = 0, upload = 0;
    QVERIFY(startOnFreePorts(sim, m_program, {"--type", "0404"}, &control, &upload));
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, control);
    QVERIFY(socket.waitForConnected(Timeout));
    // As typed into nc: a line end after each command.
    socket.write("{param=version}\n{param=2VIDEO3}\n{param=status}\n");
    QByteArray answer;
    QTRY_VERIFY_WITH_TIMEOUT((answer += socket.readAll()).count('}') >= 2, Timeout);
    QVERIFY2(answer.contains("\"device\":\"0404\""), answer);
    QVERIFY2(answer.contains("\"video3\":2"), answer);
    QTcpSocket uploadSocket;
    uploadSocket.connectToHost(QHostAddress::LocalHost, upload);
    QVERIFY(uploadSocket.waitForConnected(Timeout));

    // Every command is logged on its own line.
    QByteArray log;
    QTRY_VERIFY_WITH_TIMEOUT((log += sim.readAllStandardOutput()).contains("{param=status}"),
                             Timeout);
    QVERIFY(log.contains("{param=version}\n"));
    QVERIFY(log.contains("{param=2VIDEO3}\n"));
    sim.terminate();
    QVERIFY(sim.waitForFinished(Timeout));
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
    quint16 control = 0, upload = 0;
    QVERIFY(startOnFreePorts(first, m_program, {}, &control, &upload));
    QProcess second;
    second.start(m_program, {"--port", QString::number(control), "--upload-port", "0"});
    QVERIFY(second.waitForFinished(Timeout));
    QCOMPARE(second.exitCode(), 1);
    QVERIFY(second.readAllStandardError().contains("cannot listen"));
    first.terminate();
    QVERIFY(first.waitForFinished(Timeout));
}

QTEST_GUILESS_MAIN(TestDeviceSimProcess)
#include "tst_devicesimprocess.moc"
