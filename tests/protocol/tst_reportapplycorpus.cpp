// Every input the report-application fuzzer was seeded with or ever failed on, applied to the
// device state through the main window as the fuzzer does; the reply path's seeds too.
#include "reportapplydriver.h"

#include <QDir>
#include <QFile>
#include <QtTest>

class TestReportApplyCorpus : public QObject
{
    Q_OBJECT

private slots:
    void replay_data()
    {
        QTest::addColumn<QByteArray>("input");
        for (const char *path : {CORVANE_FUZZ_CORPUS, CORVANE_FUZZ_APPLY_CORPUS}) {
            const QDir corpus(QString::fromUtf8(path));
            const QStringList files = corpus.entryList(QDir::Files, QDir::Name);
            QVERIFY2(files.size() >= 10, qPrintable(corpus.path()));
            for (const QString &name : files) {
                QFile file(corpus.filePath(name));
                QVERIFY(file.open(QIODevice::ReadOnly));
                QTest::newRow(qPrintable(corpus.dirName() + QLatin1Char('/') + name))
                    << file.readAll();
            }
        }
    }
    void replay()
    {
        QFETCH(QByteArray, input);
        QVERIFY(runReportApply(reinterpret_cast<const uint8_t *>(input.constData()),
                               size_t(input.size())));
    }
};

int main(int argc, char **argv)
{
    if (!startReportApply(&argc, &argv))
        return 1;
    TestReportApplyCorpus test;
    const int failed = QTest::qExec(&test, argc, argv);
    stopReportApply();
    return failed;
}

#include "tst_reportapplycorpus.moc"
