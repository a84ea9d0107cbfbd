// The fuzzers' seeds and findings, applied through the main window as the fuzzer does.
#include "reportapplydriver.h"

#include <QDir>
#include <QtTest>

class TestReportApplyCorpus : public QObject
{
    Q_OBJECT

private slots:
    void replay()
    {
        for (const char *path : {CORVANE_FUZZ_CORPUS, CORVANE_FUZZ_APPLY_CORPUS}) {
            const QDir corpus(QString::fromUtf8(path));
            const QStringList files = corpus.entryList(QDir::Files);
            QVERIFY(files.size() >= 10);
            for (const QString &name : files) {
                QFile file(corpus.filePath(name));
                const QByteArray input = file.open(QIODevice::ReadOnly) ? file.readAll() : "{";
                QVERIFY2(runReportApply(reinterpret_cast<const uint8_t *>(input.constData()),
                                        size_t(input.size())),
                         qPrintable(name));
            }
        }
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
