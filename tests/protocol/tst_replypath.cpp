// The reply path without threads or sockets: scanner, repairs, parse, DHCP check, dispatch and
// the raw-text pass, driven through ReplyProcessor as the parse thread drives it.
#include "protocol/duplicatekeys.h"
#include "protocol/messagescanner.h"
#include "protocol/rawtextpass.h"
#include "protocol/replyprocessor.h"
#include "protocol/replyrepair.h"

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
    void dhcpSwitch(bool on) override
    {
        events << (on ? QStringLiteral("dhcp:true") : QStringLiteral("dhcp:false"));
    }
    void forwardText(const QString &text) override { events << QStringLiteral("forward:") + text; }
    void httpAcknowledged() override { events << QStringLiteral("http"); }
    // Parse failures take their place among the results; other log lines are left out.
    void log(const QString &line) override
    {
        if (line.startsWith(QLatin1String("JSON ERROR")))
            events << (line.startsWith(QLatin1String("JSON ERROR! ERROR DATA: ")) ? "error" : line);
    }
};

// Feeds chunks the way receiveDataSlot does and runs cycles until nothing is left.
void feed(ReplyProcessor &processor, const QByteArray &chunk)
{
    processor.appendMessageBytes(chunk);
    processor.appendRawText(chunk);
    while (processor.runCycle()) {
    }
}

} // namespace

class TestReplyPath : public QObject
{
    Q_OBJECT

private slots:
    void scanner_data()
    {
        QTest::addColumn<QByteArrayList>("chunks");
        QTest::addColumn<QByteArrayList>("messages");
        QTest::addColumn<int>("pending");

        QTest::newRow("two in one chunk")
            << QByteArrayList{"{a}{b}"} << QByteArrayList{"{a}", "{b}"} << 0;
        QTest::newRow("split over chunks")
            << QByteArrayList{"{a", "b", "c}"} << QByteArrayList{"{abc}"} << 0;
        QTest::newRow("stray closing braces")
            << QByteArrayList{"}}{a}"} << QByteArrayList{"{a}"} << 0;
        QTest::newRow("closing brace alone, message later")
            << QByteArrayList{"}", "x{", "1}"} << QByteArrayList{"{1}"} << 0;
        QTest::newRow("first closing brace ends it")
            << QByteArrayList{"{a{b}c}"} << QByteArrayList{"{a{b}"} << 0;
        QTest::newRow("spaces and line feeds go, carriage returns stay")
            << QByteArrayList{"{ \"a\" :\r\n 1 }"} << QByteArrayList{"{\"a\":\r1}"} << 0;
        QTest::newRow("spaces split from their message")
            << QByteArrayList{"{\"a\":", "  \n", "1}"} << QByteArrayList{"{\"a\":1}"} << 0;
        QTest::newRow("incomplete message waits")
            << QByteArrayList{"junk{\"a\":"} << QByteArrayList{} << 5;
        QTest::newRow("bytes without braces are not kept")
            << QByteArrayList{"no braces here", "nor here"} << QByteArrayList{} << 0;
        QTest::newRow("zero byte inside") << QByteArrayList{QByteArray("{a\0b}", 5)}
                                          << QByteArrayList{QByteArray("{a\0b}", 5)} << 0;
    }
    void scanner()
    {
        QFETCH(QByteArrayList, chunks);
        QFETCH(QByteArrayList, messages);
        QFETCH(int, pending);

        MessageScanner scanner;
        QByteArrayList got;
        QByteArray msg;
        for (const QByteArray &chunk : chunks) {
            scanner.append(chunk);
            while (scanner.next(&msg))
                got << msg;
        }
        QCOMPARE(got, messages);
        QCOMPARE(scanner.pendingSize(), pending);
    }

    // Many messages in one buffer: each comes out once, in order, and nothing is left over
    // once the consumed part has been dropped.
    void scannerLongBurst()
    {
        MessageScanner scanner;
        QByteArray burst;
        for (int i = 0; i < 5000; ++i)
            burst += "~{\"n\":" + QByteArray::number(i) + "}";
        scanner.append(burst);
        QByteArray msg;
        int n = 0;
        while (scanner.next(&msg)) {
            QCOMPARE(msg, "{\"n\":" + QByteArray::number(n) + "}");
            ++n;
            if (n == 2500)
                scanner.append("{\"n\":"); // a new chunk arriving mid-burst
        }
        QCOMPARE(n, 5000);
        QCOMPARE(scanner.pendingSize(), 5);
        scanner.append("5000}");
        QVERIFY(scanner.next(&msg));
        QCOMPARE(msg, QByteArray("{\"n\":5000}"));
    }

    // Each message is followed in its chunk and in a later one by a rotation report: both must
    // come through, and a refused message is logged once and not kept.
    void reportShapes_data()
    {
        QTest::addColumn<QByteArray>("raw");
        QTest::addColumn<QStringList>("events");
        QTest::addColumn<QByteArray>("json");

        const QByteArray version(R"({"type":"matrix","MCU":"V1.2","FPGA":"V2.0",)"
                                 R"("device":"0409-S","audio":true,"bezel_x":0})");
        QTest::newRow("version") << version << QStringList{"version"} << version;
        const QByteArray fourInFourOut(R"({"type":"4in4out","MCU":"V1.2","FPGA":"V2.0",)"
                                       R"("device":"0808","audio":false})");
        QTest::newRow("version of a model named with in and out")
            << fourInFourOut << QStringList{"version"} << fourInFourOut;
        QTest::newRow("wall status, bare keys")
            << QByteArray("{window1:1,0,0,0,1920,1080,window2:2,1,960,0,960,540,"
                          "window3:0,0,0,0,0,0,window4:0,0,0,0,0,0,VIR:0,1,AUDIO:3}")
            << QStringList{"wall"}
            << QByteArray(R"({"window1":[1,0,0,0,1920,1080],"window2":[2,1,960,0,960,540],)"
                          R"("window3":[0,0,0,0,0,0],"window4":[0,0,0,0,0,0],"VIR":[0,1],)"
                          R"("AUDIO":[3]})");
        QTest::newRow("wall status, a window twice")
            << QByteArray("{window1:1,0,0,0,1920,1080,window1:2,1,961,0,960,540,"
                          "window3:0,0,0,0,0,0,window4:0,0,0,0,1,0,VIR:0,1,AUDIO:3}")
            << QStringList{"wall"}
            << QByteArray(R"({"window1":[2,1,961,0,960,540],"window3":[0,0,0,0,0,0],)"
                          R"("window4":[0,0,0,0,1,0],"VIR":[0,1],"AUDIO":[3]})");
        QTest::newRow("window change is no wall status")
            << QByteArray(R"({"window_change":1,"VIR":2})") << QStringList{"change"}
            << QByteArray(R"({"window_change":1,"VIR":2})");
        QTest::newRow("netInfo, DHCP before the report")
            << QByteArray(R"({"ip":"192.168.1.188","gateway":"192.168.1.1",)"
                          R"("subnet":"255.255.255.0","DHCP":false,"mac":"00:11:22:33:44:55"})")
            << QStringList{"dhcp:false", "net"} << QByteArray();
        QTest::newRow("DHCP true")
            << QByteArray(R"({"DHCP":true,"x":1})") << QStringList{"dhcp:true"} << QByteArray();
        QTest::newRow("DHCP TRUE does not parse but counts")
            << QByteArray(R"({"DHCP":TRUE,"x":1})") << QStringList{"dhcp:true", "error"}
            << QByteArray();
        QTest::newRow("DHCP quoted word")
            << QByteArray(R"({"DHCP":"true","x":1})") << QStringList{} << QByteArray();
        QTest::newRow("DHCP without comma after")
            << QByteArray(R"({"x":1,"DHCP":true})") << QStringList{} << QByteArray();
        QTest::newRow("DHCP key unquoted")
            << QByteArray("{DHCP:true,\"x\":1}") << QStringList{"error"} << QByteArray();
        QTest::newRow("resolution, bare values")
            << QByteArray("{\"in1\":1920x1080x60Hz,\"in2\":noinput,\"out1\":3840x2160x30Hz}")
            << QStringList{"resolution"}
            << QByteArray(R"({"in1":"1920x1080x60Hz","in2":"noinput","out1":"3840x2160x30Hz"})");
        const QByteArray quotedResolution(R"({"in1":"1920x1080x60Hz","out1":"noinput"})");
        QTest::newRow("resolution, values quoted")
            << quotedResolution << QStringList{"resolution"} << quotedResolution;
        QTest::newRow("outputinfo, second attempt")
            << QByteArray("{\"link1\":true/true/false/true,\"link2\":false/true/true/xx}")
            << QStringList{"output"}
            << QByteArray(R"({"link1":"true/true/false/true","link2":"false/true/true/xx"})");
        QTest::newRow("caption report")
            << QByteArray("{\"Switch\":true,\"Speed\":3,\"Color\":255,0,0,\"Position_x\":10,"
                          "\"Position_y\":20,\"Bg_switch\":false,\"Bg_Color\":0,0,255,"
                          "\"Move_dir\":left}")
            << QStringList{"caption"}
            << QByteArray(R"({"Switch":"true","Speed":3,"Color":"255,0,0","Position_x":10,)"
                          R"("Position_y":20,"Bg_switch":"false","Bg_Color":"0,0,255",)"
                          R"("Move_dir":"left"})");
        QTest::newRow("caption report, keys in another order")
            << QByteArray("{\"Move_dir\":right,\"Bg_switch\":true,\"Bg_Color\":1,2,3,\"Speed\":3,"
                          "\"Switch\":false,\"Color\":4,5,6}")
            << QStringList{"caption"}
            << QByteArray(R"({"Move_dir":"right","Bg_switch":"true","Bg_Color":"1,2,3","Speed":3,)"
                          R"("Switch":"false","Color":"4,5,6"})");
        QTest::newRow("caption report, some values quoted")
            << QByteArray(
                   "{\"Switch\":\"true\",\"Color\":1,2,3,\"Bg_switch\":false,\"Move_dir\":left}")
            << QStringList{"caption"}
            << QByteArray(
                   R"({"Switch":"true","Color":"1,2,3","Bg_switch":"false","Move_dir":"left"})");
        QTest::newRow("change notice with =")
            << QByteArray("{Frozen_change=3/1}") << QStringList{"change"}
            << QByteArray(R"({"Frozen_change":"3/1"})");
        QTest::newRow("Bind_change, bare list")
            << QByteArray("{\"Bind_change\":1/2/3}") << QStringList{"change"}
            << QByteArray(R"({"Bind_change":"1/2/3"})");
        QTest::newRow("Bind_change, quoted list")
            << QByteArray(R"({"Bind_change":"1/2/3"})") << QStringList{"change"}
            << QByteArray(R"({"Bind_change":"1/2/3"})");
        QTest::newRow("change excludes every other kind")
            << QByteArray(R"({"Volume2_change":40,"Angle1":1})") << QStringList{"change"}
            << QByteArray();
        QTest::newRow("several kinds in one message")
            << QByteArray(R"({"input-1":"true","Volume1":20,"Angle1":1,"hdcp_in1":2})")
            << QStringList{"input", "volume", "rotate", "hdcp"} << QByteArray();
        QTest::newRow("in and out with hdcp is no resolution")
            << QByteArray(R"({"in1":a,"out1":b,"hdcp":1})") << QStringList{} << QByteArray();
        // Handed to the dialog that asked by the raw-text pass; no failed report.
        QTest::newRow("no-signal answer, bare colour")
            << QByteArray(R"({"Chn":2,"Mode":1,"Color":0,0,255})")
            << QStringList{R"(forward:{"Chn":2,"Mode":1,"Color":0,0,255}{"Angle9":9})"}
            << QByteArray();
        QTest::newRow("known to nobody")
            << QByteArray(R"({"foo":1})") << QStringList{} << QByteArray();
        QTest::newRow("stray bytes before")
            << QByteArray("\xff\x01{\"Angle1\":2}") << QStringList{"rotate"}
            << QByteArray(R"({"Angle1":2})");
        // Refused by the parser: bare word, caption key without value, wall status short of
        // windows, output report with change, key or window at the very end.
        for (const char *bad :
             {R"({"a":bad})", R"({"Color":1,"Color"})", "{window1:1,2,VIR:0,AUDIO:1}",
              "{\"link1_change\":a/b}", "{\"Move_dir\"}", "{VIR,window}"})
            QTest::newRow(bad) << QByteArray(bad) << QStringList{"error"} << QByteArray();
    }
    void reportShapes()
    {
        QFETCH(QByteArray, raw);
        QFETCH(QStringList, events);
        QFETCH(QByteArray, json);

        RecordingSink sink;
        ReplyProcessor processor(&sink);
        feed(processor, raw + R"({"Angle9":9})");
        feed(processor, R"({"Angle9":9})");
        QCOMPARE(sink.events, (events + QStringList{"rotate", "rotate"}));
        if (!json.isEmpty())
            QCOMPARE(sink.objects.first(), QJsonDocument::fromJson(json).object());
        QCOMPARE(processor.pendingMessageBytes(), 0);
    }

    // The same stream cut at every byte gives the same reports, each once and in order.
    void chunkSplits()
    {
        const QByteArray stream = "{Frozen_change=3/1}\r\n{\"in1\":720x576x50Hz,\"out1\":noinput}"
                                  "{window1:1,0,0,0,1,1,window2:0,0,0,0,0,0,window3:0,0,0,0,0,0,"
                                  "window4:0,0,0,0,0,0,VIR:3,AUDIO:1}";
        const QStringList whole{"change", "resolution", "wall"};
        for (int cut = 1; cut < stream.size(); ++cut) {
            RecordingSink sink;
            ReplyProcessor processor(&sink);
            feed(processor, stream.left(cut));
            feed(processor, stream.mid(cut));
            QVERIFY2(sink.events == whole, qPrintable(QString::number(cut)));
        }
        RecordingSink sink;
        ReplyProcessor processor(&sink);
        for (const char c : stream)
            feed(processor, QByteArray(1, c));
        QCOMPARE(sink.events, whole);
    }

    // Two messages in one chunk are dispatched in two cycles, in order.
    void oneMessagePerCycle()
    {
        RecordingSink sink;
        ReplyProcessor processor(&sink);
        processor.appendMessageBytes(R"({"Angle1":1}{"Volume1":2})");
        QVERIFY(processor.runCycle());
        QCOMPARE(sink.events, QStringList{"rotate"});
        QVERIFY(processor.runCycle());
        QCOMPARE(sink.events, (QStringList{"rotate", "volume"}));
        QVERIFY(!processor.runCycle());
    }

    // Megabytes of bytes that are no message, with or without stray braces, are got through
    // and the report after them is still dispatched.
    void longNoise_data()
    {
        QTest::addColumn<QByteArray>("noise");
        QTest::addColumn<QStringList>("events");
        const QByteArray plain(4 << 20, 'x');
        QByteArray braces = plain;
        for (int i = 0; i < braces.size(); i += 97)
            braces[i] = '}';
        QTest::newRow("no braces") << plain << QStringList{"rotate"};
        QTest::newRow("closing braces") << braces << QStringList{"rotate"};
        // Past the ceiling of one message it is dropped before it is ever parsed.
        QTest::newRow("one huge message") << QByteArray("{" + plain + "}") << QStringList{"rotate"};
    }
    void longNoise()
    {
        QFETCH(QByteArray, noise);
        QFETCH(QStringList, events);
        RecordingSink sink;
        ReplyProcessor processor(&sink);
        for (int at = 0; at < noise.size(); at += 65536)
            feed(processor, noise.mid(at, 65536));
        feed(processor, R"({"Angle1":3})");
        QCOMPARE(sink.events, events);
        QCOMPARE(processor.pendingMessageBytes(), 0);
    }

    void rawText_data()
    {
        QTest::addColumn<QByteArray>("raw");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("forwards");
        QTest::addColumn<bool>("http");

        QTest::newRow("scaler reply")
            << QByteArray("{\"Chn\":2,\r\n\"Scaler_Mode\":3}")
            << QStringLiteral(R"({"Chn":2,"Scaler_Mode":3})") << 1 << false;
        QTest::newRow("no-signal change notice")
            << QByteArray(R"({"Chn_change":2,"Mode_change":1,"Color_change":"0,0,0"})")
            << QStringLiteral(R"({"Chn":2,"Mode":1,"Color":"0,0,0"})") << 1 << false;
        QTest::newRow("both forwards")
            << QByteArray(R"({"Chn":1,"Mode":2,"Color":3,"Scaler_Mode":1})")
            << QStringLiteral(R"({"Chn":1,"Mode":2,"Color":3,"Scaler_Mode":1})") << 2 << false;
        QTest::newRow("no-signal reply, bare colour")
            << QByteArray("{\"Chn\":3,\"Mode\":0,\"Color\":12,34,56}")
            << QStringLiteral("{\"Chn\":3,\"Mode\":0,\"Color\":12,34,56}") << 1 << false;
        QTest::newRow("keys without quotes")
            << QByteArray("{Chn:1,Mode:2,Color:3}") << QStringLiteral("{Chn:1,Mode:2,Color:3}") << 0
            << false;
        QTest::newRow("cut at a zero byte")
            << QByteArray("{\"Chn\":1,\"Mode\":2\0,\"Color\":3}", 29)
            << QStringLiteral("{\"Chn\":1,\"Mode\":2") << 0 << false;
        QTest::newRow("HTTP acknowledgement")
            << QByteArray("HTTP/1.1 200 OK\r\nContent-Length:2\r\n\r\nOK")
            << QStringLiteral("HTTP/1.1 200 OKContent-Length:2OK") << 0 << true;
        QTest::newRow("HTTP acknowledgement with a space")
            << QByteArray("HTTP/1.1 200 OK\r\nContent-Length: 2\r\n\r\nOK")
            << QStringLiteral("HTTP/1.1 200 OKContent-Length: 2OK") << 0 << false;
    }
    // An answer split over two reads, wherever the cut falls, is forwarded once and whole.
    void rawText()
    {
        QFETCH(QByteArray, raw);
        QFETCH(QString, text);
        QFETCH(int, forwards);
        QFETCH(bool, http);
        const RawTextPass::Result result = RawTextPass::analyse(raw);
        QCOMPARE(result.text, text);
        QCOMPARE(result.forwardCount, forwards);
        QCOMPARE(result.httpAcknowledged, http);
        if (!raw.startsWith('{'))
            return;
        QStringList whole;
        for (int i = 0; i < forwards; ++i)
            whole << QStringLiteral("forward:") + text;
        for (int cut = 1; cut < raw.size(); ++cut) {
            RecordingSink sink;
            ReplyProcessor processor(&sink);
            feed(processor, raw.left(cut));
            feed(processor, raw.mid(cut));
            const QStringList forwarded =
                sink.events.filter(QRegularExpression(QStringLiteral("^forward:")));
            QVERIFY2(forwarded == whole, qPrintable(QString::number(cut)));
            QCOMPARE(processor.pendingRawBytes(), 0);
        }
    }

    // The raw-text pass sees what arrived since the previous pass up to an answer still open,
    // which waits for its "}", and runs before that cycle's message.
    void rawTextPassOrder()
    {
        RecordingSink sink;
        ReplyProcessor processor(&sink);
        feed(processor, R"({"Angle1":1}{"Chn":4,)");
        QCOMPARE(sink.events, QStringList{"rotate"});
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
        RecordingSink open;
        ReplyProcessor endless(&open);
        const QByteArray noise(64 << 10, 'x');
        feed(endless, "{\"Chn\":4,");
        for (int i = 0; i < 20; ++i) {
            feed(endless, noise);
            QVERIFY(endless.pendingRawBytes() <= MessageScanner::MaxMessageSize);
        }
    }

    void duplicateKeys_data()
    {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<QByteArray>("kept");
        QTest::newRow("arrays") << QByteArray(R"({"a":[1],"a":[2,[3]]})")
                                << QByteArray(R"({"a":[2,[3]]})");
        QTest::newRow("others stay in order")
            << QByteArray("{\"a\":[1],\"b\":\"x,]\",\"a\":2,\"c\":true}")
            << QByteArray("{\"b\":\"x,]\",\"a\":2,\"c\":true}");
        QTest::newRow("escaped key is the same key")
            << QByteArray("{\"a\":[1],\"\\u0061\":[2]}") << QByteArray("{\"\\u0061\":[2]}");
        QTest::newRow("not an object the scan knows")
            << QByteArray(R"({"a":[1],"a":[2})") << QByteArray(R"({"a":[1],"a":[2})");
        QTest::newRow("unterminated string")
            << QByteArray("{\"a\":[1],\"a") << QByteArray("{\"a\":[1],\"a");
    }
    // As in the parser's own result, the last member of a key wins.
    void duplicateKeys()
    {
        QFETCH(QByteArray, json);
        QFETCH(QByteArray, kept);
        QCOMPARE(DuplicateKeys::keepLast(json), kept);
    }

    // The quoted list goes to the parser only; the text kept for a second attempt stays raw.
    void bindNoticeLeftToItsOwnRule()
    {
        QByteArray msg = "{\"Bind_change\":1/2/3}";
        QByteArray str;
        ReplyRepair::repairMessage(&msg, &str);
        QCOMPARE(str, QByteArray("{\"Bind_change\":1/2/3}"));
    }
};

QTEST_GUILESS_MAIN(TestReplyPath)
#include "tst_replypath.moc"
