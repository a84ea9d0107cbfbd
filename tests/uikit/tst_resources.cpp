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

struct Message
{
    QString context, source, translation;
    bool finished = true;
};

QList<Message> readCatalogue(const QString &path)
{
    QList<Message> messages;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return messages;
    QXmlStreamReader xml(&file);
    QString context;
    Message current;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        if (xml.name() == QLatin1String("name")) {
            context = xml.readElementText();
        } else if (xml.name() == QLatin1String("message")) {
            current = Message();
            current.context = context;
        } else if (xml.name() == QLatin1String("source")) {
            current.source = xml.readElementText();
        } else if (xml.name() == QLatin1String("translation")) {
            const QString type = xml.attributes().value(QLatin1String("type")).toString();
            // Messages no longer in the code are kept by lupdate but not compiled.
            if (type == QLatin1String("vanished") || type == QLatin1String("obsolete"))
                continue;
            current.finished = type.isEmpty();
            current.translation = xml.readElementText();
            messages << current;
        }
    }
    return messages;
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
    for (const QChar c : text) {
        if (c.unicode() >= 0x4e00 && c.unicode() <= 0x9fff)
            return true;
    }
    return false;
}
} // namespace

class TestResources : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { initCorvaneResources(); }

    // Every bundled image loads and draws.
    void namedImagesExistAndDraw_data()
    {
        QTest::addColumn<QString>("path");
        QDirIterator it(QStringLiteral(":/Images"), QDir::Files, QDirIterator::Subdirectories);
        int n = 0;
        while (it.hasNext()) {
            const QString path = it.next();
            QTest::newRow(qPrintable(path)) << path;
            ++n;
        }
        QVERIFY(n > 20);
    }

    void namedImagesExistAndDraw()
    {
        QFETCH(QString, path);
        QVERIFY2(QFile::exists(path), qPrintable(path));
        if (path.endsWith(QLatin1String(".svg"))) {
            QSvgRenderer renderer(path);
            QVERIFY(renderer.isValid());
            QVERIFY(!renderer.defaultSize().isEmpty());
        } else {
            const QImage image(path);
            QVERIFY(!image.isNull());
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
        QTest::addColumn<QString>("catalogue");
        QTest::addColumn<QString>("context");
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("expected");
        QTest::newRow("en: login error") << ":/English"
                                         << "LoginDialog"
                                         << "username or password error!"
                                         << "Invalid username or password.";
        QTest::newRow("en: upload") << ":/English"
                                    << "MessageDistance"
                                    << "传输文件端口连接发生错误！"
                                    << "An error occurred while connecting to the file "
                                       "transfer port!";
        QTest::newRow("zh: connect fail") << ":/Chinese"
                                          << "LoginDialog"
                                          << "connect fail!"
                                          << "连接失败！";
    }

    void cataloguesTranslateKnownKeys()
    {
        QFETCH(QString, catalogue);
        QFETCH(QString, context);
        QFETCH(QString, source);
        QFETCH(QString, expected);
        QTranslator translator;
        QVERIFY(translator.load(catalogue));
        QCOMPARE(translator.translate(context.toUtf8(), source.toUtf8()), expected);
    }

    // Both catalogues carry the same keys, every one finished, and the Chinese one in Chinese.
    void cataloguesAreComplete()
    {
        const QString dir = sourceDir() + QLatin1String("/resources/translations/");
        const QList<Message> zh = readCatalogue(dir + QLatin1String("corvane_zh_CN.ts"));
        const QList<Message> en = readCatalogue(dir + QLatin1String("corvane_en.ts"));
        QVERIFY(!zh.isEmpty());
        QSet<QString> zhKeys, enKeys;
        QStringList problems;
        for (const Message &m : zh) {
            zhKeys << m.context + QLatin1Char('|') + m.source;
            if (!m.finished || m.translation.isEmpty() ||
                (needsChinese(m.source) && !hasChinese(m.translation)))
                problems << QLatin1String("zh ") + m.context + QLatin1String(": ") + m.source;
        }
        for (const Message &m : en) {
            enKeys << m.context + QLatin1Char('|') + m.source;
            if (!m.finished || m.translation.isEmpty() ||
                (hasChinese(m.translation) && !isLanguageName(m.source)))
                problems << QLatin1String("en ") + m.context + QLatin1String(": ") + m.source;
        }
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QLatin1String("; "))));
        QCOMPARE(zhKeys, enKeys);
    }
};

QTEST_MAIN(TestResources)
#include "tst_resources.moc"
