#include "simreports.h"

namespace {

QByteArray num(int n)
{
    return QByteArray::number(n);
}

QByteArray quoted(const QString &text)
{
    return '"' + text.toUtf8() + '"';
}

QByteArray boolWord(bool on)
{
    return on ? QByteArrayLiteral("true") : QByteArrayLiteral("false");
}

QByteArray rgb(int r, int g, int b)
{
    return num(r) + ',' + num(g) + ',' + num(b);
}

// Joins "key":value pairs into one object.
QByteArray object(const QList<QByteArray> &pairs)
{
    QByteArray out = "{";
    for (int i = 0; i < pairs.size(); ++i) {
        if (i)
            out += ',';
        out += pairs.at(i);
    }
    out += '}';
    return out;
}

QByteArray pair(const QByteArray &key, const QByteArray &value)
{
    return '"' + key + "\":" + value;
}

QByteArray bezelText(const QVector<uint> &v)
{
    QByteArray out;
    for (int i = 0; i < 4; ++i) {
        if (i)
            out += '/';
        out += QByteArray::number(i < v.size() ? v.at(i) : 0u);
    }
    return out;
}

} // namespace

namespace SimReports {

QByteArray version(const SimState &s)
{
    QList<QByteArray> p{pair("type", quoted(s.typeText)), pair("MCU", quoted(s.mcu)),
                        pair("FPGA", quoted(s.fpga)),
                        pair("device", quoted(SimState::modelText(s.type))),
                        pair("audio", boolWord(s.audioFollow))};
    if (s.type == Dev0809M)
        p << pair("Splitter", num(s.splitter));
    if (s.type == Dev0409S) {
        p << pair("bezel_x", '"' + bezelText(s.bezelX) + '"');
        p << pair("bezel_y", '"' + bezelText(s.bezelY) + '"');
    }
    return object(p);
}

QByteArray status(const SimState &s)
{
    return s.type == Dev0409S ? wallStatus(s) : routing(s);
}

QByteArray routing(const SimState &s)
{
    // Every matrix model reports all three layers: the client recognises the report by the
    // words video, audio and IR together.
    QList<QByteArray> p;
    for (auto it = s.video.cbegin(); it != s.video.cend(); ++it)
        p << pair("video" + num(it.key()), num(it.value()));
    if (s.type == Dev0809M) {
        QByteArray windows;
        for (auto it = s.multiview.cbegin(); it != s.multiview.cend(); ++it) {
            if (!windows.isEmpty())
                windows += '/';
            windows += num(it.value());
        }
        p << pair("video900", '"' + windows + '"');
    }
    for (auto it = s.audio.cbegin(); it != s.audio.cend(); ++it)
        p << pair("audio" + num(it.key()), num(it.value()));
    for (auto it = s.ir.cbegin(); it != s.ir.cend(); ++it)
        p << pair("IR" + num(it.key()), num(it.value()));
    if (s.type == Dev0808S)
        p << pair("splice_mode", num(s.spliceMode));
    return object(p);
}

QByteArray wallStatus(const SimState &s)
{
    // The device's own comma list: bare keys, six bare numbers per window, exactly four windows
    // numbered with one digit and a single AUDIO value last, which is what the client's repair
    // turns into arrays.
    QByteArray out = "{";
    for (int id = 1; id <= 4; ++id) {
        const SimState::Window w = s.windows.value(id);
        out += "window" + num(id) + ':' + num(w.input) + ',' + num(w.layer) + ',' + num(w.x) + ',' +
               num(w.y) + ',' + num(w.width) + ',' + num(w.height) + ',';
    }
    const int screens = (s.vir == 2 || s.vir == 3) ? 8 : 9;
    out += "VIR:" + num(s.vir) + ',' + num(screens) + ",AUDIO:" + num(s.wallAudio) + '}';
    return out;
}

QByteArray inputInfo(const SimState &s)
{
    QList<QByteArray> p;
    for (auto it = s.signal.cbegin(); it != s.signal.cend(); ++it)
        p << pair("input-" + num(it.key()), quoted(QString::fromLatin1(boolWord(it.value()))));
    return object(p);
}

QByteArray netInfo(const SimState &s)
{
    // DHCP first: the client reads its bare word up to the next comma.
    return object({pair("DHCP", boolWord(s.dhcp)), pair("ip", quoted(s.ip)),
                   pair("gateway", quoted(s.gateway)), pair("subnet", quoted(s.subnet)),
                   pair("mac", quoted(s.mac))});
}

QByteArray resolution(const SimState &s)
{
    // Quoted keys, bare values: the client quotes every value of an in/out report itself.
    QList<QByteArray> p;
    for (auto it = s.signal.cbegin(); it != s.signal.cend(); ++it) {
        const QString text = it.value() ? s.inputResolution.value(it.key()) : "noinput";
        p << pair("in" + num(it.key()), text.toUtf8());
    }
    for (auto it = s.outputResolution.cbegin(); it != s.outputResolution.cend(); ++it)
        p << pair("out" + num(it.key()), it.value().toUtf8());
    return object(p);
}

QByteArray outputInfo(const SimState &s)
{
    // link/frozen/lock/mute as bare words; the client quotes them when the first parse fails.
    QList<QByteArray> p;
    for (auto it = s.link.cbegin(); it != s.link.cend(); ++it) {
        const int out = it.key();
        p << pair("link" + num(out), boolWord(it.value()) + '/' + boolWord(s.frozen.value(out)) +
                                         '/' + boolWord(s.locked.value(out, true)) + '/' +
                                         boolWord(s.videoMute.value(out)));
    }
    return object(p);
}

QByteArray hdcpInfo(const SimState &s)
{
    QList<QByteArray> p;
    for (auto it = s.hdcp.cbegin(); it != s.hdcp.cend(); ++it)
        p << pair("hdcp_in" + num(it.key()), '"' + num(it.value()) + '"');
    return object(p);
}

QByteArray bindInfo(const SimState &s)
{
    QList<QByteArray> p;
    int n = 0;
    for (auto it = s.groups.cbegin(); it != s.groups.cend(); ++it) {
        QByteArray members;
        for (int out : it.value()) {
            if (!members.isEmpty())
                members += '/';
            members += num(out);
        }
        p << pair("bind" + num(++n), '"' + members + '"');
    }
    // Without groups an empty entry still names the report as the bind report.
    if (p.isEmpty())
        p << pair("bind1", "\"\"");
    p << pair("mode", num(s.bindMode));
    return object(p);
}

QByteArray volume(const SimState &s)
{
    QList<QByteArray> p;
    for (auto it = s.volume.cbegin(); it != s.volume.cend(); ++it) {
        p << pair("Volume" + num(it.key()), num(it.value()));
        p << pair("Mute" + num(it.key()), num(s.mute.value(it.key())));
    }
    return object(p);
}

QByteArray rotation(const SimState &s)
{
    QList<QByteArray> p;
    for (auto it = s.rotate.cbegin(); it != s.rotate.cend(); ++it)
        p << pair("Angle" + num(it.key()), num(it.value()));
    return object(p);
}

QByteArray caption(const SimState::Caption &c)
{
    // Bare Switch, Color, Bg_switch, Bg_Color and Move_dir values, in this order: the client
    // quotes each by fixed offsets, takes the first "Color" for the text colour, and looks for
    // the end of Move_dir at the closing brace, so Move_dir comes last.
    return object({pair("Switch", boolWord(c.on)), pair("Speed", num(c.speed)),
                   pair("Color", rgb(c.red, c.green, c.blue)), pair("Position_x", num(c.x)),
                   pair("Position_y", num(c.y)), pair("Bg_switch", boolWord(c.bgOn)),
                   pair("Bg_Color", rgb(c.bgRed, c.bgGreen, c.bgBlue)),
                   pair("Move_dir", c.moveRight ? "right" : "left")});
}

QByteArray noSignal(int output, const SimState::NoSignal &n)
{
    // The colour stays three bare numbers up to the brace: the dialog splits it at commas.
    return object({pair("Chn", num(output)), pair("Mode", num(n.mode)),
                   pair("Color", rgb(n.red, n.green, n.blue))});
}

QByteArray scaler(int output, int mode)
{
    return object({pair("Chn", num(output)), pair("Scaler_Mode", num(mode))});
}

QByteArray routeNotice(const QString &kind, int output, int input)
{
    return object({pair(kind.toUtf8() + num(output) + "_change", num(input))});
}

QByteArray modeNotice(int mode)
{
    return object({pair("mode_change", num(mode))});
}

QByteArray bindNotice(const QList<int> &group)
{
    // The bare member list is quoted by the client's Bind_change repair.
    QByteArray members;
    for (int out : group) {
        if (!members.isEmpty())
            members += '/';
        members += num(out);
    }
    return object({pair("Bind_change", members)});
}

QByteArray unbindNotice(int output)
{
    // The port in the key keeps this notice clear of the Bind_change repair, so the value
    // stays a number.
    return object({pair("UnBind" + num(output) + "_change", num(output))});
}

QByteArray inputSignalNotice(int input, bool present)
{
    return object(
        {pair("input" + num(input) + "_change", quoted(QString::fromLatin1(boolWord(present))))});
}

QByteArray noSignalNotice(int output, const SimState::NoSignal &n)
{
    return object({pair("Chn_change", num(output)), pair("Mode_change", num(n.mode)),
                   pair("Color_change", rgb(n.red, n.green, n.blue))});
}

QByteArray echoNotice(const QString &keyword, const QString &body)
{
    return '{' + keyword.toUtf8() + "_change=" + body.toUtf8() + '}';
}

QByteArray httpAck()
{
    // No space after the colon: the client looks for "Length:2OK" once CR LF pairs are gone.
    return QByteArrayLiteral("HTTP/1.1 200 OK\r\nContent-Length:2\r\n\r\nOK");
}

QByteArray uploadAck()
{
    return QByteArrayLiteral("<ACK_1>\r\n");
}

QByteArray packetAnswer()
{
    return QByteArrayLiteral("<ACK_0>\r\n");
}

bool mustArriveWhole(const QByteArray &text)
{
    return text.startsWith("HTTP") || text.startsWith("{\"Chn");
}

} // namespace SimReports
