// Every input the fuzzer was seeded with or ever failed on, replayed through the reply path:
// once as the fuzzer drives it and once through a running client and its parse thread.
#include "protocol/messagedistance.h"
#include "replyfuzzdriver.h"
#include "reportrecorder.h"

#include <QDir>
#include <QFile>
#include <QtTest>

class TestFuzzCorpus : public QObject
{
    Q_OBJECT

    MessageDistance *m_client = nullptr;
    ReportRecorder *m_rec = nullptr;
    int m_sentinel = 0;

private slots:
    void initTestCase()
    {
        silenceQtMessages();
        m_client = new MessageDistance;
        m_rec = new ReportRecorder(m_client);
    }
    void cleanupTestCase()
    {
        delete m_rec;
        delete m_client;
    }

    void replay_data()
    {
        QTest::addColumn<QByteArray>("input");
        const QDir corpus(QStringLiteral(CORVANE_FUZZ_CORPUS));
        const QStringList files = corpus.entryList(QDir::Files, QDir::Name);
        QVERIFY2(files.size() >= 20, qPrintable(corpus.path()));
        for (const QString &name : files) {
            QFile file(corpus.filePath(name));
            QVERIFY(file.open(QIODevice::ReadOnly));
            QTest::newRow(qPrintable(name)) << file.readAll();
        }
    }
    void replay()
    {
        QFETCH(QByteArray, input);
        QVERIFY(runReplyPath(reinterpret_cast<const uint8_t *>(input.constData()),
                             size_t(input.size())));

        // The running client: after the input, a closing brace and a report marked with a
        // fresh number; that report must arrive, so nothing before it jammed the path.
        const int mark = ++m_sentinel;
        for (int at = 0; at < input.size(); at += 7) {
            QMetaObject::invokeMethod(m_client, "receiveDataSlot", Qt::DirectConnection,
                                      Q_ARG(QByteArray, input.mid(at, 7)));
        }
        QMetaObject::invokeMethod(
            m_client, "receiveDataSlot", Qt::DirectConnection,
            Q_ARG(QByteArray, "}{\"Angle9\":" + QByteArray::number(mark) + "}"));
        QTRY_VERIFY(!m_rec->entries().isEmpty() &&
                    m_rec->entries().last().object.value("Angle9").toInt() == mark);
    }
};

QTEST_GUILESS_MAIN(TestFuzzCorpus)
#include "tst_fuzzcorpus.moc"
