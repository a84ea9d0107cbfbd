#include "corvaneresources.h"

#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <QSvgRenderer>
#include <QTranslator>
#include <QXmlStreamReader>
#include <QtTest>

namespace {
QString sourceDir()
{
    return qEnvironmentVariable("CORVANE_SOURCE_DIR", QStringLiteral(SOURCE_DIR_FALLBACK));
}

// The language selector names each language in that language, whatever the catalogue.
bool isLanguageName(const QString &source)
{
    return source == QLatin1String("English") || source == QStringLiteral("简体中文");
}

// Acronyms and model names ("HDCP", "CVN0808") stay as they are in Chinese; anything with a
// word in it needs a Chinese text.
bool needsChinese(const QString &source)
{
    static const QRegularExpression word(QStringLiteral("[a-z]{2,}"));
    return word.match(source).hasMatch() && !isLanguageName(source);
}

bool hasChinese(const QString &text)
{
    static const QRegularExpression han(QStringLiteral("[\\x{4e00}-\\x{9fff}]"));
    return han.match(text).hasMatch();
}

// Reads a catalogue's keys; notes each message that is unfinished, empty or in the wrong language.
QSet<QString> readCatalogue(const QString &path, bool zh, QStringList &problems)
{
    QSet<QString> keys;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return keys;
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
            // Messages no longer in the code are kept by lupdate but not compiled.
            if (type == QLatin1String("vanished") || type == QLatin1String("obsolete"))
                continue;
            const QString text = xml.readElementText();
            keys << context + QLatin1Char('|') + source;
            const bool wrongLanguage = zh ? needsChinese(source) && !hasChinese(text)
                                          : hasChinese(text) && !isLanguageName(source);
            if (!type.isEmpty() || text.isEmpty() || wrongLanguage)
                problems << (zh ? "zh " : "en ") + context + QLatin1String(": ") + source;
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

    // Every bundled image loads and draws.
    void namedImagesDraw_data()
    {
        QTest::addColumn<QString>("path");
        QDirIterator it(QStringLiteral(":/Images"), QDir::Files, QDirIterator::Subdirectories);
        int n = 0;
        for (; it.hasNext(); ++n)
            QTest::newRow(qPrintable(it.next())) << it.filePath();
        QVERIFY(n > 20);
    }

    void namedImagesDraw()
    {
        QFETCH(QString, path);
        if (path.endsWith(QLatin1String(".svg"))) {
            QSvgRenderer renderer(path);
            QVERIFY(renderer.isValid());
            QVERIFY(!renderer.defaultSize().isEmpty());
        } else {
            const QImage image(path);
            QVERIFY(image.hasAlphaChannel());
            QVERIFY(image.width() >= 24);
        }
    }

    // Every image path the code, the forms or their style sheets name must be in the bundle.
    void everyReferencedImageIsBundled()
    {
        const QRegularExpression re(QStringLiteral(":/Images/[A-Za-z0-9_./-]+\\.(?:svg|png)"));
        QStringList missing;
        int seen = 0;
        for (const char *dir : {"src", "forms"}) {
            QDirIterator it(
                sourceDir() + QLatin1Char('/') + QLatin1String(dir),
                {QStringLiteral("*.cpp"), QStringLiteral("*.h"), QStringLiteral("*.ui")},
                QDir::Files, QDirIterator::Subdirectories);
            while (it.hasNext()) {
                QFile file(it.next());
                QVERIFY(file.open(QIODevice::ReadOnly));
                const QString text = QString::fromUtf8(file.readAll());
                auto matches = re.globalMatch(text);
                while (matches.hasNext()) {
                    const QString path = matches.next().captured(0);
                    ++seen;
                    if (!QFile::exists(path))
                        missing << QFileInfo(file).fileName() + QLatin1String(": ") + path;
                }
            }
        }
        QVERIFY(seen > 10);
        QVERIFY2(missing.isEmpty(), qPrintable(missing.join(QLatin1String(", "))));
    }

    void cataloguesTranslateKnownKeys_data()
    {
        // Catalogue, context, source, translation.
        QTest::addColumn<QStringList>("entry");
        QTest::newRow("en: login error")
            << QStringList{":/English", "LoginDialog", "username or password error!",
                           "Invalid username or password."};
        QTest::newRow("en: upload")
            << QStringList{":/English", "MessageDistance", "传输文件端口连接发生错误！",
                           "An error occurred while connecting to the file transfer port!"};
        QTest::newRow("zh: connect fail")
            << QStringList{":/Chinese", "LoginDialog", "connect fail!", "连接失败！"};
    }

    void cataloguesTranslateKnownKeys()
    {
        QFETCH(QStringList, entry);
        QTranslator translator;
        QVERIFY(translator.load(entry[0]));
        QCOMPARE(translator.translate(entry[1].toUtf8(), entry[2].toUtf8()), entry[3]);
    }

    // Both catalogues carry the same keys, every one finished, and the Chinese one in Chinese.
    void cataloguesAreComplete()
    {
        const QString dir = sourceDir() + QLatin1String("/resources/translations/corvane_");
        QStringList problems;
        const QSet<QString> zh = readCatalogue(dir + QLatin1String("zh_CN.ts"), true, problems);
        const QSet<QString> en = readCatalogue(dir + QLatin1String("en.ts"), false, problems);
        QVERIFY(!zh.isEmpty());
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QLatin1String("; "))));
        QCOMPARE(zh, en);
    }
};

QTEST_MAIN(TestResources)
#include "tst_resources.moc"
