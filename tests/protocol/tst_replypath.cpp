// The reply path without threads or sockets, driven as the parse thread drives it.
#include "../state/checktable.h"
#include "protocol/duplicatekeys.h"
#include "protocol/messagescanner.h"
#include "protocol/rawtextpass.h"
#include "protocol/replyprocessor.h"
#include "protocol/replyrepair.h"
#include "replyfuzzdriver.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

namespace {

const char *const kindNames[] = {"change",  "version",    "status", "wall", "input",
                                 "net",     "resolution", "output", "bind", "volume",
                                 "caption", "rotate",     "hdcp"};

class RecordingSink : public ReplyProcessor::Sink
{
public:
    QStringList events;
    QList<QJsonObject> objects;

    void report(ReplyDispatch::ReportKind kind, const QJsonObject &object) override
    {
        events << QString::fromLatin1(kindNames[kind]);
        objects << object;
    }
    void dhcpSwitch(bool on) override { events << (on ? "dhcp:true" : "dhcp:false"); }
    void forwardText(const QString &text) override { events << QStringLiteral("forward:") + text; }
    void httpAcknowledged() override { events << QStringLiteral("http"); }
    void log(const QString &line) override
    {
        if (line.startsWith("JSON ERROR! ERROR DATA: ") || line.startsWith("dropped"))
            events << (line.startsWith('J') ? "error" : "dropped");
    }
};

// Feeds a chunk as receiveDataSlot does and runs cycles until nothing is left.
void feed(ReplyProcessor &processor, const QByteArray &chunk)
{
    processor.appendMessageBytes(chunk);
    processor.appendRawText(chunk);
    while (processor.runCycle()) {
    }
}

// The messages a scanner cuts from the chunks, and the bytes it still holds.
std::pair<QByteArrayList, int> scan(const QByteArrayList &chunks)
{
    MessageScanner scanner;
    QByteArrayList got;
    QByteArray msg;
    for (const QByteArray &chunk : chunks) {
        scanner.append(chunk);
        while (scanner.next(&msg))
            got << msg;
    }
    return {got, scanner.pendingSize()};
}

QStringList split(const QString &events)
{
    return events.split(' ', Qt::SkipEmptyParts);
}

} // namespace

class TestReplyPath : public QObject
{
    Q_OBJECT

private slots:
    void checks_data()
    {
        checkColumns();
        CHECK((scan({"{a}{b}"})), QByteArrayList{"{a}", "{b}"}, 0);
        CHECK((scan({"}", "x{", "1}"})), QByteArrayList{"{1}"}, 0);
        CHECK(scan({"{a{b}c}"}), QByteArrayList{"{a{b}"}, 0); // the first closing brace ends it
        // Spaces and line feeds go, carriage returns stay.
        CHECK(scan({"{ \"a\" :\r\n 1 }"}), QByteArrayList{"{\"a\":\r1}"}, 0);
        CHECK(scan({"junk{\"a\":"}), QByteArrayList{}, 5);
        const QByteArray zero("{a\0b}", 5);
        CHECK(scan({zero}), QByteArrayList{zero}, 0);

        // As in the parser's own result, the last member of a key wins.
        using DuplicateKeys::keepLast;
        CHECK(keepLast("{\"a\":[\"x]\"],\"a\":[2,[3]]}"), R"({"a":[2,[3]]})");
        CHECK(keepLast("{\"a\":[1],\"b\":\"x,]\",\"a\":2,\"c\":true}"),
              "{\"b\":\"x,]\",\"a\":2,\"c\":true}");
        CHECK(keepLast("{ \"a\" :[1],\r\n\t\"a\":[2] }"), "{\"a\":[2] }");
        CHECK(keepLast("{\"a\":1,\"a\":2}\r\n"), "{\"a\":2}");
        // Keys compared by what they mean; a quote escaped in a value does not end it.
        CHECK(keepLast("{\"a\":1,\"\\u0061\":2,\"b\":\"x\\\"y\",\"b\":3}"),
              "{\"\\u0061\":2,\"b\":3}");
        CHECK(
            (QByteArrayList{keepLast("{\"a\":1,\"a\":2,\"b\" 3}"), keepLast("{\"a\":1],\"a\":2}")}),
            "{\"a\":1,\"a\":2,\"b\" 3}", "{\"a\":1],\"a\":2}");
        CHECK(keepLast(R"({"a":[1],"a":[2})"), R"({"a":[1],"a":[2})"); // not a flat object
        // The quoted list goes to the parser only; the text kept for a second attempt stays raw.
        const auto kept = [](QByteArray msg) {
            QByteArray str;
            ReplyRepair::repairMessage(&msg, &str);
            return str;
        };
        CHECK(kept("{\"Bind_change\":1/2/3}"), "{\"Bind_change\":1/2/3}");

        // Answers handed whole to the dialog that asked: the text, how often, and HTTP's "OK".
        const auto raw = [](const QByteArray &bytes) {
            const RawTextPass::Result r = RawTextPass::analyse(bytes);
            return QStringLiteral("%1 %2 %3")
                .arg(r.text)
                .arg(r.forwardCount)
                .arg(r.httpAcknowledged);
        };
        CHECK(raw("{\"Chn\":2,\r\n\"Scaler_Mode\":3}"), R"({"Chn":2,"Scaler_Mode":3} 1 0)");
        CHECK(raw(R"({"Chn_change":2,"Mode_change":1,"Color_change":"0,0,0"})"),
              R"({"Chn":2,"Mode":1,"Color":"0,0,0"} 1 0)");
        CHECK(raw(R"({"Chn":1,"Mode":2,"Color":3,"Scaler_Mode":1})"),
              R"({"Chn":1,"Mode":2,"Color":3,"Scaler_Mode":1} 2 0)");
        CHECK(raw("{\"Chn\"\n:2,\r\n\"Scaler_Mode\":3}"),
              "{\"Chn\"\n:2,\"Scaler_Mode\":3} 0 0"); // a bare LF stays
        CHECK(raw(R"({"Chn_change":2,"Scaler_Mode":1})"),
              R"({"Chn_change":2,"Scaler_Mode":1} 0 0)");
        CHECK(raw(QByteArray("{\"Chn\":1,\"Mode\":2\0,\"Color\":3}", 29)),
              "{\"Chn\":1,\"Mode\":2 0 0");
        CHECK(raw("HTTP/1.1 200 OK\r\nContent-Length:2\r\n\r\nOK"),
              "HTTP/1.1 200 OKContent-Length:2OK 0 1");
        CHECK(raw("HTTP/1.1 200 OK\r\nContent-Length: 2\r\n\r\nOK"),
              "HTTP/1.1 200 OKContent-Length: 2OK 0 0");
    }
    void checks() { compareCheck(); }

    // A rotation report follows in the same chunk and in the next: both must come through.
    void reportShapes_data()
    {
        QTest::addColumn<QByteArray>("raw");
        QTest::addColumn<QString>("events");
        QTest::addColumn<QByteArray>("json");
        const auto row = [](const char *name, const QByteArray &raw, const char *events,
                            const QByteArray &json = QByteArray()) {
            QTest::newRow(name) << raw << QString::fromLatin1(events) << (json == "=" ? raw : json);
        };
        row("DHCP TRUE does not parse but counts", R"({"DHCP":TRUE,"x":1})", "dhcp:true error");
        row("DHCP false", R"({"DHCP":false,"x":1})", "dhcp:false");
        row("DHCP key unquoted", "{DHCP:true,\"x\":1}", "error");
        row("DHCP last, no comma, is no switch", R"({"x":1,"DHCP":true})", "");
        row("DHCP neither true nor false", R"({"DHCP":"on","x":1})", "");
        row("VIR without windows is no window report", R"({"VIR":2,"AUDIO":1})", "");
        row("routes without audio, a network without a mask, a group without a mode",
            R"({"video1":2,"IR1":3,"ip":"a","gateway":"b","bind1":"1/2","type":"t"})", "");
        row("change notice with =", "{Frozen_change=3/1}", "change", R"({"Frozen_change":"3/1"})");
        row("change excludes every other kind", R"({"Volume2_change":40,"Angle1":1})", "change");
        row("several kinds in one message",
            R"({"input-1":"true","Volume1":20,"Angle1":1,"hdcp_in1":2})",
            "input volume rotate hdcp");
        row("in and out with hdcp is no resolution", R"({"in1":a,"out1":b,"hdcp":1})", "");
        // Handed to the dialog that asked by the raw-text pass; no failed report.
        row("no-signal answer, bare colour", R"({"Chn":2,"Mode":1,"Color":0,0,255})",
            R"(forward:{"Chn":2,"Mode":1,"Color":0,0,255}{"Angle9":9})");
        row("stray bytes before", "\xff\x01{\"Angle1\":2}", "rotate", R"({"Angle1":2})");
        // Refused outright.
        for (const char *bad :
             {R"({"a":bad})", R"({"Color":1,"Color"})", "{window1:1,2,VIR:0,AUDIO:1}",
              "{\"link1_change\":a/b}", "{\"Move_dir\"}", "{VIR,window}"})
            row(bad, bad, "error");
    }
    void reportShapes()
    {
        QFETCH(QByteArray, raw);
        QFETCH(QString, events);
        QFETCH(QByteArray, json);
        RecordingSink sink;
        ReplyProcessor processor(&sink);
        feed(processor, raw + R"({"Angle9":9})");
        feed(processor, R"({"Angle9":9})");
        QCOMPARE(sink.events, split(events + " rotate rotate"));
        if (!json.isEmpty())
            QCOMPARE(sink.objects.first(), QJsonDocument::fromJson(json).object());
        QCOMPARE(processor.pendingMessageBytes(), 0);
    }

    // Cut anywhere, a stream gives the same reports and answers once each.
    void chunkSplits()
    {
        const QByteArray stream =
            "{Frozen_change=3/1}\r\n{\"in1\":720x576x50Hz,\"out1\":noinput}"
            "{window1:1,0,0,0,1,1,window2:0,0,0,0,0,0,window3:0,0,0,0,0,0,"
            "window4:0,0,0,0,0,0,VIR:3,AUDIO:1}{\"Chn\":2,\r\n\"Scaler_Mode\":3}";
        for (int cut = 1; cut < stream.size(); ++cut) {
            RecordingSink sink;
            ReplyProcessor processor(&sink);
            feed(processor, stream.left(cut));
            feed(processor, stream.mid(cut));
            const QStringList answers = sink.events.filter(QStringLiteral("forward:"));
            for (const QString &answer : answers)
                sink.events.removeOne(answer);
            QVERIFY2(sink.events == split("change resolution wall") && answers.size() == 1 &&
                         answers[0].endsWith(R"({"Chn":2,"Scaler_Mode":3})"),
                     qPrintable(QString::number(cut)));
            QCOMPARE(processor.pendingRawBytes(), 0);
        }
    }

    // An answer still open waits for its "}"; the raw-text pass runs before the cycle's message.
    void rawTextPassOrder()
    {
        RecordingSink sink;
        ReplyProcessor processor(&sink);
        feed(processor, R"({"Angle1":1}{"Chn":4,)");
        QCOMPARE(sink.events, split("rotate"));
        QCOMPARE(processor.pendingRawBytes(), 9);
        feed(processor,
             "\"Scaler_Mode\":2}{\"Angle1\":1}HTTP/1.1 200\r\nContent-Length:2\r\n\r\nOK");
        QCOMPARE(sink.events, (QStringList{"rotate",
                                           R"(forward:{"Chn":4,"Scaler_Mode":2}{"Angle1":1})"
                                           "HTTP/1.1 200Content-Length:2OK",
                                           "http", "rotate"}));
        QCOMPARE(processor.pendingRawBytes(), 0);

        // A new connection cannot finish what the old one left open.
        const QStringList before = sink.events;
        feed(processor, R"({"Chn":4,)");
        processor.startNewStream();
        feed(processor, R"("Scaler_Mode":2})");
        QCOMPARE(sink.events, before);
        QCOMPARE(processor.pendingRawBytes(), 0);

        // An open answer that never closes is held up to one message's ceiling, then passed.
        sink.events.clear();
        feed(processor, "{\"Chn\":4,");
        for (int i = 0; i < 20; ++i) {
            feed(processor, QByteArray(64 << 10, 'x'));
            QVERIFY(processor.pendingRawBytes() <= MessageScanner::MaxMessageSize);
        }
        // Past the ceiling the message is dropped unparsed; the next one arrives.
        feed(processor, R"(}{"Angle1":3})");
        QCOMPARE(sink.events.filter(QRegularExpression("^(dropped|rotate)$")),
                 split("dropped rotate"));
        QCOMPARE(processor.pendingMessageBytes(), 0);
    }

    // Megabytes of noise, with or without braces, pass in bounded memory; the next report
    // arrives.
    void longNoise_data()
    {
        QTest::addColumn<QByteArray>("noise");
        QTest::addColumn<QString>("events");
        const QByteArray plain(4 << 20, 'x');
        QByteArray braces = plain;
        for (int i = 0; i < braces.size(); i += 97)
            braces[i] = '}';
        QTest::newRow("no braces") << plain << "rotate";
        QTest::newRow("closing braces") << braces << "rotate";
        QTest::newRow("one huge message") << QByteArray("{" + plain + "}") << "dropped rotate";
    }
    void longNoise()
    {
        QFETCH(QByteArray, noise);
        QFETCH(QString, events);
        RecordingSink sink;
        ReplyProcessor processor(&sink);
        for (int at = 0; at < noise.size(); at += 65536)
            feed(processor, noise.mid(at, 65536));
        feed(processor, R"({"Angle1":3})");
        QCOMPARE(sink.events, split(events));
        QCOMPARE(processor.pendingMessageBytes(), 0);
    }

    // The fuzzer's seeds and findings: after any input, "}" ends it and the next report arrives.
    void fuzzCorpus()
    {
        const QDir corpus(QStringLiteral(CORVANE_FUZZ_CORPUS));
        const QStringList files = corpus.entryList(QDir::Files);
        QVERIFY(files.size() >= 20);
        for (const QString &name : files) {
            QFile file(corpus.filePath(name));
            const QByteArray input = file.open(QIODevice::ReadOnly) ? file.readAll() : "{";
            QVERIFY2(runReplyPath(reinterpret_cast<const uint8_t *>(input.constData()),
                                  size_t(input.size())),
                     qPrintable(name));
        }
    }
};

QTEST_GUILESS_MAIN(TestReplyPath)
#include "tst_replypath.moc"
