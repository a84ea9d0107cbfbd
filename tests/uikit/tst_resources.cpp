#include "corvaneresources.h"

#include <QDirIterator>
#include <QRegularExpression>
#include <QTranslator>
#include <QXmlStreamReader>
#include <QtTest>

namespace {
const QString Source = qEnvironmentVariable("CORVANE_SOURCE_DIR", SOURCE_DIR_FALLBACK);

// Reads a catalogue's keys; notes each message unfinished, empty or in the wrong language.
// Language names stay in their own language; acronyms and model names need no Chinese.
QSet<QString> readCatalogue(const QString &path, bool zh, QStringList &problems)
{
    static const QRegularExpression word("[a-z]{2,}"), han("[\\x{4e00}-\\x{9fff}]");
    QSet<QString> keys;
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    QXmlStreamReader xml(&file);
    QString context, source;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("name")) {
            context = xml.readElementText();
        } else if (xml.name() == QLatin1String("source")) {
            source = xml.readElementText();
        } else if (xml.name() == QLatin1String("translation")) {
            const QString type = xml.attributes().value(QLatin1String("type")).toString();
            if (type == QLatin1String("vanished") || type == QLatin1String("obsolete"))
                continue; // kept by lupdate, not compiled
            const QString text = xml.readElementText();
            keys << context + '|' + source;
            const bool language = source == "English" || source == "简体中文";
            const bool wrong =
                zh ? word.match(source).hasMatch() && !language && !han.match(text).hasMatch()
                   : han.match(text).hasMatch() && !language;
            if (!type.isEmpty() || text.isEmpty() || wrong)
                problems << (zh ? "zh " : "en ") + context + ": " + source;
        }
    }
    return keys;
}
} // namespace

class TestResources : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { initCorvaneResources(); }

    // Every image the code, forms or style sheets name is bundled.
    void images()
    {
        QStringList bad;
        int named = 0;
        const QRegularExpression re(":/Images/[A-Za-z0-9_./-]+\\.(?:svg|png)");
        for (const char *dir : {"/src", "/forms"}) {
            QDirIterator it(Source + dir, {"*.cpp", "*.h", "*.ui"}, QDir::Files,
                            QDirIterator::Subdirectories);
            while (it.hasNext()) {
                QFile file(it.next());
                QVERIFY(file.open(QIODevice::ReadOnly));
                for (auto m = re.globalMatch(QString::fromUtf8(file.readAll())); m.hasNext();
                     ++named) {
                    const QString path = m.next().captured(0);
                    if (!QFile::exists(path))
                        bad << file.fileName() + ": " + path;
                }
            }
        }
        QVERIFY(named > 10);
        QVERIFY2(bad.isEmpty(), qPrintable(bad.join(", ")));
    }

    // Both catalogues carry the same keys, every one finished, and the Chinese one in Chinese;
    // the compiled ones are bundled.
    void catalogues()
    {
        const QString dir = Source + "/resources/translations/corvane_";
        QStringList problems;
        const QSet<QString> zh = readCatalogue(dir + "zh_CN.ts", true, problems);
        QVERIFY(!zh.isEmpty());
        QCOMPARE(readCatalogue(dir + "en.ts", false, problems), zh);
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join("; ")));
        QTranslator en, chinese;
        QVERIFY(en.load(":/English") && chinese.load(":/Chinese"));
        QCOMPARE(en.translate("MessageDistance", "传输文件端口连接发生错误！"),
                 "An error occurred while connecting to the file transfer port!");
        QCOMPARE(chinese.translate("LoginDialog", "connect fail!"), QStringLiteral("连接失败！"));
    }
};

QTEST_MAIN(TestResources)
#include "tst_resources.moc"
