#include "devicemodel.h"

#include "simreports.h"
#include "state/devicetype.h"

#include <QHostAddress>
#include <QRegularExpression>

#include <algorithm>

namespace {

// Reads "a/b/c" as exactly `count` decimal numbers (any count of at least one when count < 0).
bool numbers(const QString &text, int count, QVector<int> *out)
{
    const QStringList parts = text.split(QLatin1Char('/'));
    if (text.isEmpty() || (count >= 0 && parts.size() != count))
        return false;
    out->clear();
    for (const QString &part : parts) {
        bool ok = false;
        const int n = part.toInt(&ok, 10);
        if (!ok || part.trimmed() != part)
            return false;
        *out << n;
    }
    return true;
}

bool inRange(int n, int low, int high)
{
    return n >= low && n <= high;
}

void reject(CommandOutcome &out, const QString &why)
{
    out.kind = CommandOutcome::Rejected;
    out.note = why;
}

void answer(CommandOutcome &out, const QByteArray &report)
{
    out.kind = CommandOutcome::Query;
    out.replies << report;
}

bool isIpv4(const QString &text)
{
    static const QRegularExpression re(
        QStringLiteral("^((25[0-5]|2[0-4][0-9]|1[0-9][0-9]|[1-9][0-9]|[0-9])\\.){3}"
                       "(25[0-5]|2[0-4][0-9]|1[0-9][0-9]|[1-9][0-9]|[0-9])$"));
    return re.match(text).hasMatch();
}

bool isMac(const QString &text)
{
    static const QRegularExpression re(QStringLiteral("^([0-9a-fA-F]{2}(:|-)){5}[0-9a-fA-F]{2}$"));
    return re.match(text).hasMatch();
}

} // namespace

DeviceModel::DeviceModel(DeviceType type, const QString &address)
    : m_state(SimState::factory(type, address)), m_address(address)
{
}

const QVector<DeviceModel::Entry> &DeviceModel::table()
{
    static const QVector<Entry> entries = [] {
        QVector<Entry> t{
            {"version", true, &DeviceModel::qVersion},
            {"status", true, &DeviceModel::qStatus},
            {"inputinfo", true, &DeviceModel::qInputInfo},
            {"netInfo", true, &DeviceModel::qNetInfo},
            {"resolution", true, &DeviceModel::qResolution},
            {"outputinfo", true, &DeviceModel::qOutputInfo},
            {"hdcpinfo", true, &DeviceModel::qHdcpInfo},
            {"bindinfo", true, &DeviceModel::qBindInfo},
            {"Get_Volume", true, &DeviceModel::qVolume},
            {"Get_Rotate", true, &DeviceModel::qRotate},
            {"Get_OSD", false, &DeviceModel::qOsd},
            {"Get_Subtitle", true, &DeviceModel::qSubtitle},
            {"Get_Noinput", false, &DeviceModel::qNoInput},
            {"Get_Scaler", false, &DeviceModel::qScaler},
            {"Frozen", false, &DeviceModel::sFrozen},
            {"Output_Lock", false, &DeviceModel::sOutputLock},
            {"VideoMuteOn", false, &DeviceModel::sVideoMuteOn},
            {"VideoMuteOff", false, &DeviceModel::sVideoMuteOff},
            {"In_Pattern", false, &DeviceModel::sInPattern},
            {"Out_Pattern", false, &DeviceModel::sOutPattern},
            {"No_Signal", false, &DeviceModel::sNoSignal},
            {"Scaler_Mode", false, &DeviceModel::sScaler},
            {"Port", false, &DeviceModel::sPort},
            {"Volume", false, &DeviceModel::sVolume},
            {"MuteOn", false, &DeviceModel::sMuteOn},
            {"MuteOff", false, &DeviceModel::sMuteOff},
            {"Analog_sel", false, &DeviceModel::sAnalogSelect},
            {"FollowVideo", true, &DeviceModel::sFollowVideo},
            {"AloneVideo", true, &DeviceModel::sAloneVideo},
            {"Input_HDCP", false, &DeviceModel::sInputHdcp},
            {"EDID_Sel", false, &DeviceModel::sEdidSelect},
            {"Copy_EDID", false, &DeviceModel::sCopyEdid},
            {"Open", true, &DeviceModel::sCaptionOpen},
            {"Close", true, &DeviceModel::sCaptionClose},
            {"Speed", false, &DeviceModel::sCaptionSpeed},
            {"Left", true, &DeviceModel::sCaptionLeft},
            {"Right", true, &DeviceModel::sCaptionRight},
            {"POS", false, &DeviceModel::sCaptionPosition},
            {"Font_Color", false, &DeviceModel::sFontColor},
            {"Bg_Color", false, &DeviceModel::sBgColor},
            {"Bg_Open", true, &DeviceModel::sBgOpen},
            {"Bg_Close", true, &DeviceModel::sBgClose},
            {"EraseOSD", true, &DeviceModel::sEraseOsd},
            {"EraseSubtitle", true, &DeviceModel::sEraseSubtitle},
            {"Update_EDID", false, &DeviceModel::sUploadEdid},
            {"Upload_OSD", false, &DeviceModel::sUploadOsd},
            {"Upload_Subtitle", false, &DeviceModel::sUploadSubtitle},
            {"Done", true, &DeviceModel::sDone},
            {"VIR", false, &DeviceModel::sVir},
            {"WindowOpen", false, &DeviceModel::sWindowOpen},
            {"WindowCloseAll", true, &DeviceModel::sWindowCloseAll},
            {"WindowClose", false, &DeviceModel::sWindowClose},
            {"WindowMove", false, &DeviceModel::sWindowMove},
            {"WindowResize", false, &DeviceModel::sWindowResize},
            {"WindowLayer", false, &DeviceModel::sWindowLayer},
            {"Rotate", false, &DeviceModel::sRotate},
            {"Bezel_x", false, &DeviceModel::sBezelX},
            {"Bezel_y", false, &DeviceModel::sBezelY},
            {"mode", false, &DeviceModel::sMode},
            {"Bind", false, &DeviceModel::sBind},
            {"UnBind", false, &DeviceModel::sUnbind},
            {"Splitter", false, &DeviceModel::sSplitter},
            {"Save", false, &DeviceModel::sSave},
            {"Recall", false, &DeviceModel::sRecall},
            {"Clear", false, &DeviceModel::sClear},
            {"Default", true, &DeviceModel::sDefault},
            {"&ip,", false, &DeviceModel::sNetwork},
            {"DHCP_On", true, &DeviceModel::sDhcpOn},
            {"DHCP_Off", true, &DeviceModel::sDhcpOff},
        };
        // Longest keyword first, so "WindowCloseAll" is not taken for "WindowClose".
        std::stable_sort(t.begin(), t.end(), [](const Entry &a, const Entry &b) {
            return qstrlen(a.keyword) > qstrlen(b.keyword);
        });
        return t;
    }();
    return entries;
}

CommandOutcome DeviceModel::apply(const QString &body, Session &session)
{
    CommandOutcome out;
    if (route(body, out))
        return out;
    for (const Entry &e : table()) {
        const QString keyword = QString::fromLatin1(e.keyword);
        if (e.exact ? body == keyword : body.startsWith(keyword)) {
            const Call call{body, body.mid(keyword.size()), session};
            (this->*e.handler)(call, out);
            return out;
        }
    }
    out.note = QStringLiteral("unknown command");
    return out;
}

// {param=<input><VIDEO|AUDIO|IR><output>}
bool DeviceModel::route(const QString &body, CommandOutcome &out)
{
    static const QRegularExpression re(QStringLiteral("^(\\d{1,4})(VIDEO|AUDIO|IR)(\\d{1,4})$"));
    const QRegularExpressionMatch m = re.match(body);
    if (!m.hasMatch())
        return false;
    const int in = m.captured(1).toInt();
    const QString layer = m.captured(2);
    const int target = m.captured(3).toInt();
    SimState &s = m_state;

    if (layer == QLatin1String("VIDEO")) {
        if (!(in == 0 || isInput(in))) {
            reject(out, QStringLiteral("no input %1").arg(in));
            return true;
        }
        if (s.type == Dev0809M && inRange(target, 901, 909)) {
            s.multiview[target - 900] = in;
        } else if (isOutput(target)) {
            // The device switches a whole splice group at once; the client expands the notice
            // to the group itself.
            QList<int> outputs{target};
            for (const QList<int> &group : qAsConst(s.groups)) {
                if (group.contains(target))
                    outputs = group;
            }
            for (int o : qAsConst(outputs)) {
                s.video[o] = in;
                s.videoMute[o] = false;
                if (s.audioFollow)
                    s.audio[100 + o] = in ? 100 + in : 0;
            }
        } else {
            reject(out, QStringLiteral("no output %1").arg(target));
            return true;
        }
        out.notices << SimReports::routeNotice(QStringLiteral("video"), target, in);
    } else if (layer == QLatin1String("AUDIO")) {
        if (s.type == Dev0409S) {
            // The wall has one audio output, fed by one of its four inputs.
            if (target != 1 || !(in == 0 || isInput(in))) {
                reject(out, QStringLiteral("the wall routes audio 1..4 to output 1"));
                return true;
            }
            s.wallAudio = in;
        } else {
            const bool outOk = isOutput(target) || isOutput(target - 100);
            const bool inOk = in == 0 || isInput(in) || isInput(in - 100);
            if (!outOk || !inOk) {
                reject(out, QStringLiteral("no audio route %1 to %2").arg(in).arg(target));
                return true;
            }
            s.audio[target] = in;
        }
        out.notices << SimReports::routeNotice(QStringLiteral("audio"), target, in);
    } else {
        if (s.type == Dev0409S || !isOutput(target) || !(in == 0 || isInput(in))) {
            reject(out, QStringLiteral("no IR route %1 to %2").arg(in).arg(target));
            return true;
        }
        s.ir[target] = in;
        out.notices << SimReports::routeNotice(QStringLiteral("IR"), target, in);
    }
    out.kind = CommandOutcome::Set;
    return true;
}

int DeviceModel::audioPort(int port) const
{
    // The wall numbers its audio ports from 101 in some dialogs.
    return (m_state.type == Dev0409S && port > 100) ? port - 100 : port;
}

bool DeviceModel::needsWall(CommandOutcome &out)
{
    if (m_state.type == Dev0409S)
        return true;
    reject(out, QStringLiteral("only the 0409-S has a wall"));
    return false;
}

SimState::Caption &DeviceModel::captionFor(const Session &session)
{
    if (session.captionTarget > 0 && m_state.osd.contains(session.captionTarget))
        return m_state.osd[session.captionTarget];
    return m_state.caption;
}

void DeviceModel::echo(const Call &c, const char *keyword, CommandOutcome &out)
{
    out.kind = CommandOutcome::Set;
    out.notices << SimReports::echoNotice(QString::fromLatin1(keyword), c.body);
}

void DeviceModel::wallChanged(CommandOutcome &out)
{
    out.kind = CommandOutcome::Set;
    out.notices << SimReports::wallStatus(m_state);
}

// The open windows stay stacked 1..n from the bottom, as the device shows them: `id` goes to
// place `layer` (bounded to the stack) and the others keep their order, ties by ID.
void DeviceModel::restack(int id, int layer)
{
    QMap<int, SimState::Window> &windows = m_state.windows;
    QList<int> order;
    for (auto it = windows.cbegin(); it != windows.cend(); ++it) {
        if (it.value().input && it.key() != id)
            order << it.key();
    }
    std::stable_sort(order.begin(), order.end(), [&windows](int a, int b) {
        return windows.value(a).layer < windows.value(b).layer;
    });
    if (windows.value(id).input)
        order.insert(qBound(0, layer - 1, order.size()), id);
    for (int i = 0; i < order.size(); ++i)
        windows[order.at(i)].layer = i + 1;
}

// --- Queries -----------------------------------------------------------------------------

void DeviceModel::qVersion(const Call &, CommandOutcome &out)
{
    answer(out, SimReports::version(m_state));
}

void DeviceModel::qStatus(const Call &, CommandOutcome &out)
{
    answer(out, SimReports::status(m_state));
}

void DeviceModel::qInputInfo(const Call &, CommandOutcome &out)
{
    answer(out, SimReports::inputInfo(m_state));
}

void DeviceModel::qNetInfo(const Call &, CommandOutcome &out)
{
    answer(out, SimReports::netInfo(m_state));
}

void DeviceModel::qResolution(const Call &, CommandOutcome &out)
{
    answer(out, SimReports::resolution(m_state));
}

void DeviceModel::qOutputInfo(const Call &, CommandOutcome &out)
{
    answer(out, SimReports::outputInfo(m_state));
}

void DeviceModel::qHdcpInfo(const Call &, CommandOutcome &out)
{
    answer(out, SimReports::hdcpInfo(m_state));
}

void DeviceModel::qBindInfo(const Call &, CommandOutcome &out)
{
    answer(out, SimReports::bindInfo(m_state));
}

void DeviceModel::qVolume(const Call &, CommandOutcome &out)
{
    answer(out, SimReports::volume(m_state));
}

void DeviceModel::qRotate(const Call &, CommandOutcome &out)
{
    answer(out, SimReports::rotation(m_state));
}

void DeviceModel::qOsd(const Call &c, CommandOutcome &out)
{
    QVector<int> v;
    if (!numbers(c.args, 1, &v) || !isInput(v[0]))
        return reject(out, QStringLiteral("no input"));
    // Later caption commands of this client go to this input's OSD.
    c.session.captionTarget = v[0];
    answer(out, SimReports::caption(m_state.osd.value(v[0])));
}

void DeviceModel::qSubtitle(const Call &c, CommandOutcome &out)
{
    c.session.captionTarget = 0;
    answer(out, SimReports::caption(m_state.caption));
}

void DeviceModel::qNoInput(const Call &c, CommandOutcome &out)
{
    QVector<int> v;
    if (!numbers(c.args, 1, &v) || !isOutput(v[0]))
        return reject(out, QStringLiteral("no output"));
    answer(out, SimReports::noSignal(v[0], m_state.noSignal.value(v[0])));
}

void DeviceModel::qScaler(const Call &c, CommandOutcome &out)
{
    QVector<int> v;
    if (!numbers(c.args, 1, &v) || !isOutput(v[0]))
        return reject(out, QStringLiteral("no output"));
    answer(out, SimReports::scaler(v[0], m_state.scaler.value(v[0])));
}

// --- Output and input settings -----------------------------------------------------------

void DeviceModel::sFrozen(const Call &c, CommandOutcome &out)
{
    QVector<int> v;
    if (!numbers(c.args, 2, &v) || !isOutput(v[0]) || !inRange(v[1], 0, 1))
        return reject(out, QStringLiteral("expects output/0|1"));
    m_state.frozen[v[0]] = v[1] == 1;
    echo(c, "Frozen", out);
}

void DeviceModel::sOutputLock(const Call &c, CommandOutcome &out)
{
    QVector<int> v;
    if (!numbers(c.args, 2, &v) || !isOutput(v[0]) || !inRange(v[1], 0, 1))
        return reject(out, QStringLiteral("expects output/0|1"));
    m_state.locked[v[0]] = v[1] == 0; // 0 locks
    echo(c, "Output_Lock", out);
}

void DeviceModel::sVideoMuteOn(const Call &c, CommandOutcome &out)
{
    QVector<int> v;
    if (!numbers(c.args, 1, &v) || !isOutput(v[0]))
        return reject(out, QStringLiteral("no output"));
    m_state.videoMute[v[0]] = true;
    // An echo would carry "MuteOn", which the client takes for audio mute; the output report
    // tells the others instead.
    out.kind = CommandOutcome::Set;
    out.notices << SimReports::outputInfo(m_state);
}

void DeviceModel::sVideoMuteOff(const Call &c, CommandOutcome &out)
{
    QVector<int> v;
    if (!numbers(c.args, 1, &v) || !isOutput(v[0]))
        return reject(out, QStringLiteral("no output"));
    m_state.videoMute[v[0]] = false;
    out.kind = CommandOutcome::Set;
    out.notices << SimReports::outputInfo(m_state);
}

void DeviceModel::sInPattern(const Call &c, CommandOutcome &out)
{
    QVector<int> v;
    if (!numbers(c.args, 2, &v) || !isInput(v[0]) || !inRange(v[1], 0, 11))
        return reject(out, QStringLiteral("expects input/pattern 0..11"));
    m_state.inputPattern[v[0]] = v[1];
    echo(c, "In_Pattern", out);
}

void DeviceModel::sOutPattern(const Call &c, CommandOutcome &out)
{
    QVector<int> v;
    if (!numbers(c.args, 2, &v) || !isOutput(v[0]) || !inRange(v[1], 0, 11))
        return reject(out, QStringLiteral("expects output/pattern 0..11"));
    m_state.outputPattern[v[0]] = v[1];
    echo(c, "Out_Pattern", out);
}

void DeviceModel::sNoSignal(const Call &c, CommandOutcome &out)
{
    QVector<int> v;
    if (!numbers(c.args, 5, &v) || !isOutput(v[0]) || !inRange(v[1], 0, 10) ||
        !inRange(v[2], 0, 255) || !inRange(v[3], 0, 255) || !inRange(v[4], 0, 255))
        return reject(out, QStringLiteral("expects output/pattern 0..10/red/green/blue"));
    const SimState::NoSignal n{v[1], v[2], v[3], v[4]};
    m_state.noSignal[v[0]] = n;
    out.kind = CommandOutcome::Set;
    out.notices << SimReports::noSignalNotice(v[0], n);
}

void DeviceModel::sScaler(const Call &c, CommandOutcome &out)
{
    QVector<int> v;
    if (!numbers(c.args, 2, &v) || !isOutput(v[0]) || !inRange(v[1], 0, 3))
        return reject(out, QStringLiteral("expects output/mode 0..3"));
    m_state.scaler[v[0]] = v[1];
    echo(c, "Scaler_Mode", out);
}

void DeviceModel::sPort(const Call &c, CommandOutcome &out)
{
    static const QRegularExpression re(
        QStringLiteral("^(\\d{1,2})/(\\d{3,5}x\\d{3,5}x\\d{2,3}Hz)!$"));
    const QRegularExpressionMatch m = re.match(c.args);
    const int port = m.captured(1).toInt();
    if (!m.hasMatch() || !isOutput(port))
        return reject(out, QStringLiteral("expects output/WIDTHxHEIGHTxRATEHz!"));
    if (m_state.type == Dev0409S) {
        // One resolution drives every screen of the wall.
        for (auto it = m_state.outputResolution.begin(); it != m_state.outputResolution.end(); ++it)
            it.value() = m.captured(2);
    } else {
        m_state.outputResolution[port] = m.captured(2);
    }
    echo(c, "Port", out);
}

void DeviceModel::sVolume(const Call &c, CommandOutcome &out)
{
    QVector<int> v;
    if (!numbers(c.args, 2, &v))
        return reject(out, QStringLiteral("expects port/volume"));
    const int port = audioPort(v[0]);
    if (!isInput(port) || !inRange(v[1], 0, 100))
        return reject(out, QStringLiteral("expects port/volume 0..100"));
    m_state.volume[port] = v[1];
    echo(c, "Volume", out);
}

void DeviceModel::sMuteOn(const Call &c, CommandOutcome &out)
{
    QVector<int> v;
    if (!numbers(c.args, 1, &v) || !isInput(audioPort(v[0])))
        return reject(out, QStringLiteral("no port"));
    m_state.mute[audioPort(v[0])] = 1;
    echo(c, "MuteOn", out);
}

void DeviceModel::sMuteOff(const Call &c, CommandOutcome &out)
{
    QVector<int> v;
    if (!numbers(c.args, 1, &v) || !isInput(audioPort(v[0])))
        return reject(out, QStringLiteral("no port"));
    m_state.mute[audioPort(v[0])] = 0;
    echo(c, "MuteOff", out);
}

void DeviceModel::sAnalogSelect(const Call &c, CommandOutcome &out)
{
    QVector<int> v;
    if (!numbers(c.args, 2, &v) || !(isOutput(v[0]) || isOutput(v[0] - 100)) ||
        !inRange(v[1], 0, 1))
        return reject(out, QStringLiteral("expects port/0|1"));
    m_state.analogSelect[v[0]] = v[1];
    echo(c, "Analog_sel", out);
}

void DeviceModel::sFollowVideo(const Call &c, CommandOutcome &out)
{
    m_state.audioFollow = true;
    echo(c, "FollowVideo", out);
}

void DeviceModel::sAloneVideo(const Call &c, CommandOutcome &out)
{
    m_state.audioFollow = false;
    echo(c, "AloneVideo", out);
}

void DeviceModel::sInputHdcp(const Call &c, CommandOutcome &out)
{
    QVector<int> v;
    if (!numbers(c.args, 2, &v) || !isInput(v[0]) || !inRange(v[1], 0, 3))
        return reject(out, QStringLiteral("expects input/mode 0..3"));
    m_state.hdcp[v[0]] = v[1];
    echo(c, "Input_HDCP", out);
}

void DeviceModel::sEdidSelect(const Call &c, CommandOutcome &out)
{
    QVector<int> v;
    if (!numbers(c.args, 2, &v) || !isInput(v[0]) || !inRange(v[1], 0, 31))
        return reject(out, QStringLiteral("expects input/built-in EDID 0..31"));
    m_state.edid[v[0]] = QStringLiteral("builtin:%1").arg(v[1]);
    echo(c, "EDID_Sel", out);
}

void DeviceModel::sCopyEdid(const Call &c, CommandOutcome &out)
{
    QVector<int> v;
    if (!numbers(c.args, 2, &v) || !isInput(v[0]) || !isOutput(v[1]))
        return reject(out, QStringLiteral("expects input/output"));
    m_state.edid[v[0]] = QStringLiteral("copy:%1").arg(v[1]);
    echo(c, "Copy_EDID", out);
}

// --- Caption and OSD ---------------------------------------------------------------------
// The caption commands carry no port: they act on what this client last asked about.

void DeviceModel::sCaptionOpen(const Call &c, CommandOutcome &out)
{
    captionFor(c.session).on = true;
    echo(c, "Open", out);
}

void DeviceModel::sCaptionClose(const Call &c, CommandOutcome &out)
{
    captionFor(c.session).on = false;
    echo(c, "Close", out);
}

void DeviceModel::sCaptionSpeed(const Call &c, CommandOutcome &out)
{
    QVector<int> v;
    if (!numbers(c.args, 1, &v) || !inRange(v[0], 0, 255))
        return reject(out, QStringLiteral("expects a speed 0..255"));
    captionFor(c.session).speed = v[0];
    echo(c, "Speed", out);
}

void DeviceModel::sCaptionLeft(const Call &c, CommandOutcome &out)
{
    captionFor(c.session).moveRight = false;
    echo(c, "Left", out);
}

void DeviceModel::sCaptionRight(const Call &c, CommandOutcome &out)
{
    captionFor(c.session).moveRight = true;
    echo(c, "Right", out);
}

void DeviceModel::sCaptionPosition(const Call &c, CommandOutcome &out)
{
    QVector<int> v;
    if (!numbers(c.args, 2, &v) || !inRange(v[0], 0, 99999) || !inRange(v[1], 0, 99999))
        return reject(out, QStringLiteral("expects x/y"));
    SimState::Caption &caption = captionFor(c.session);
    caption.x = v[0];
    caption.y = v[1];
    echo(c, "POS", out);
}

void DeviceModel::sFontColor(const Call &c, CommandOutcome &out)
{
    QVector<int> v;
    if (!numbers(c.args, 3, &v) || !inRange(v[0], 0, 255) || !inRange(v[1], 0, 255) ||
        !inRange(v[2], 0, 255))
        return reject(out, QStringLiteral("expects red/green/blue"));
    SimState::Caption &caption = captionFor(c.session);
    caption.red = v[0];
    caption.green = v[1];
    caption.blue = v[2];
    echo(c, "Font_Color", out);
}

void DeviceModel::sBgColor(const Call &c, CommandOutcome &out)
{
    QVector<int> v;
    if (!numbers(c.args, 3, &v) || !inRange(v[0], 0, 255) || !inRange(v[1], 0, 255) ||
        !inRange(v[2], 0, 255))
        return reject(out, QStringLiteral("expects red/green/blue"));
    SimState::Caption &caption = captionFor(c.session);
    caption.bgRed = v[0];
    caption.bgGreen = v[1];
    caption.bgBlue = v[2];
    echo(c, "Bg_Color", out);
}

void DeviceModel::sBgOpen(const Call &c, CommandOutcome &out)
{
    captionFor(c.session).bgOn = true;
    echo(c, "Bg_Open", out);
}

void DeviceModel::sBgClose(const Call &c, CommandOutcome &out)
{
    captionFor(c.session).bgOn = false;
    echo(c, "Bg_Close", out);
}

void DeviceModel::sEraseOsd(const Call &c, CommandOutcome &out)
{
    if (c.session.captionTarget > 0) {
        m_state.osd[c.session.captionTarget].imageBytes = 0;
    } else {
        for (SimState::Caption &osd : m_state.osd)
            osd.imageBytes = 0;
    }
    echo(c, "EraseOSD", out);
}

void DeviceModel::sEraseSubtitle(const Call &c, CommandOutcome &out)
{
    m_state.caption.imageBytes = 0;
    echo(c, "EraseSubtitle", out);
}

// --- Uploads -----------------------------------------------------------------------------

void DeviceModel::beginUpload(const QString &kind, int port, CommandOutcome &out)
{
    // A start command after another that was never ended: the old bytes belong to nothing.
    if (m_uploadStarted)
        m_upload.data.clear();
    m_upload.kind = kind;
    m_upload.port = port;
    m_uploadStarted = true;
    out.kind = CommandOutcome::Set;
    out.note = QStringLiteral("upload of %1 %2 started").arg(kind).arg(port);
}

void DeviceModel::sUploadEdid(const Call &c, CommandOutcome &out)
{
    QVector<int> v;
    if (!numbers(c.args, 1, &v) || !isInput(v[0]))
        return reject(out, QStringLiteral("no input"));
    beginUpload(QStringLiteral("EDID"), v[0], out);
}

void DeviceModel::sUploadOsd(const Call &c, CommandOutcome &out)
{
    QVector<int> v;
    if (!numbers(c.args, 1, &v) || !isInput(v[0]))
        return reject(out, QStringLiteral("no input"));
    c.session.captionTarget = v[0];
    beginUpload(QStringLiteral("OSD"), v[0], out);
}

void DeviceModel::sUploadSubtitle(const Call &c, CommandOutcome &out)
{
    QVector<int> v;
    if (!numbers(c.args, 1, &v) || !isOutput(v[0]))
        return reject(out, QStringLiteral("no output"));
    c.session.captionTarget = 0;
    beginUpload(QStringLiteral("Subtitle"), v[0], out);
}

void DeviceModel::sDone(const Call &, CommandOutcome &out)
{
    const Upload done = m_upload;
    m_finished[done.kind] = done;
    if (done.kind == QLatin1String("OSD"))
        m_state.osd[done.port].imageBytes = done.data.size();
    else if (done.kind == QLatin1String("Subtitle"))
        m_state.caption.imageBytes = done.data.size();
    else if (done.kind == QLatin1String("EDID"))
        m_state.edid[done.port] = QStringLiteral("upload");
    out.kind = CommandOutcome::Set;
    out.note = done.kind.isEmpty()
                   ? QStringLiteral("end of upload, %1 bytes without a start command")
                         .arg(done.data.size())
                   : QStringLiteral("upload of %1 %2 finished, %3 bytes")
                         .arg(done.kind)
                         .arg(done.port)
                         .arg(done.data.size());
    out.uploadAck = true;
    out.httpAck = true;
    m_upload = Upload();
    m_uploadStarted = false;
}

void DeviceModel::appendUploadData(const QByteArray &bytes)
{
    m_upload.data += bytes;
}

int DeviceModel::discardUnfinishedUpload()
{
    const int n = m_upload.data.size();
    m_upload.data.clear();
    return n;
}

// --- Wall, splice groups, multiview ------------------------------------------------------

void DeviceModel::sVir(const Call &c, CommandOutcome &out)
{
    QVector<int> v;
    if (!needsWall(out))
        return;
    if (!numbers(c.args, 1, &v) || !inRange(v[0], 0, 3))
        return reject(out, QStringLiteral("expects a VIR mode 0..3"));
    m_state.vir = v[0];
    wallChanged(out);
}

void DeviceModel::sWindowOpen(const Call &c, CommandOutcome &out)
{
    QVector<int> v;
    if (!needsWall(out))
        return;
    // A window shows an input: closing is WindowClose, not an open of input 0.
    if (!numbers(c.args, 7, &v) || !inRange(v[0], 1, 4) || !isInput(v[1]) || v[2] < 0 || v[3] < 0 ||
        v[4] < 0 || v[5] < 0 || v[6] < 0)
        return reject(out, QStringLiteral("expects id 1..4/input/layer/x/y/width/height"));
    m_state.windows[v[0]] = SimState::Window{v[1], v[2], v[3], v[4], v[5], v[6]};
    restack(v[0], v[2]);
    wallChanged(out);
}

void DeviceModel::sWindowClose(const Call &c, CommandOutcome &out)
{
    QVector<int> v;
    if (!needsWall(out))
        return;
    if (!numbers(c.args, 1, &v) || !inRange(v[0], 1, 4))
        return reject(out, QStringLiteral("expects a window 1..4"));
    m_state.windows[v[0]] = SimState::Window();
    restack(0, 0);
    wallChanged(out);
}

void DeviceModel::sWindowCloseAll(const Call &, CommandOutcome &out)
{
    if (!needsWall(out))
        return;
    for (SimState::Window &w : m_state.windows)
        w = SimState::Window();
    wallChanged(out);
}

void DeviceModel::sWindowMove(const Call &c, CommandOutcome &out)
{
    QVector<int> v;
    if (!needsWall(out))
        return;
    if (!numbers(c.args, 3, &v) || !inRange(v[0], 1, 4) || v[1] < 0 || v[2] < 0)
        return reject(out, QStringLiteral("expects window/x/y"));
    SimState::Window &w = m_state.windows[v[0]];
    if (!w.input)
        return reject(out, QStringLiteral("window %1 is closed").arg(v[0]));
    w.x = v[1];
    w.y = v[2];
    wallChanged(out);
}

void DeviceModel::sWindowResize(const Call &c, CommandOutcome &out)
{
    QVector<int> v;
    if (!needsWall(out))
        return;
    if (!numbers(c.args, 5, &v) || !inRange(v[0], 1, 4) || v[1] < 0 || v[2] < 0 || v[3] < 0 ||
        v[4] < 0)
        return reject(out, QStringLiteral("expects window/x/y/width/height"));
    SimState::Window &w = m_state.windows[v[0]];
    if (!w.input)
        return reject(out, QStringLiteral("window %1 is closed").arg(v[0]));
    w.x = v[1];
    w.y = v[2];
    w.width = v[3];
    w.height = v[4];
    wallChanged(out);
}

void DeviceModel::sWindowLayer(const Call &c, CommandOutcome &out)
{
    QVector<int> v;
    if (!needsWall(out))
        return;
    if (!numbers(c.args, 2, &v) || !inRange(v[0], 1, 4) || v[1] < 0)
        return reject(out, QStringLiteral("expects window/layer"));
    if (!m_state.windows.value(v[0]).input)
        return reject(out, QStringLiteral("window %1 is closed").arg(v[0]));
    restack(v[0], v[1]);
    wallChanged(out);
}

void DeviceModel::sRotate(const Call &c, CommandOutcome &out)
{
    QVector<int> v;
    if (!needsWall(out))
        return;
    if (!numbers(c.args, 2, &v) || !isOutput(v[0]) || !inRange(v[1], 0, 3))
        return reject(out, QStringLiteral("expects screen/rotation 0..3"));
    m_state.rotate[v[0]] = v[1];
    out.kind = CommandOutcome::Set;
    out.notices << SimReports::rotation(m_state);
}

void DeviceModel::sBezelX(const Call &c, CommandOutcome &out)
{
    sBezel(c, m_state.bezelX, "Bezel_x", out);
}

void DeviceModel::sBezelY(const Call &c, CommandOutcome &out)
{
    sBezel(c, m_state.bezelY, "Bezel_y", out);
}

void DeviceModel::sBezel(const Call &c, QVector<uint> &target, const char *keyword,
                         CommandOutcome &out)
{
    QVector<int> v;
    if (!needsWall(out))
        return;
    if (!numbers(c.args, 4, &v) || std::any_of(v.cbegin(), v.cend(), [](int n) { return n < 0; }))
        return reject(out, QStringLiteral("expects four sizes"));
    for (int i = 0; i < 4; ++i)
        target[i] = uint(v[i]);
    echo(c, keyword, out);
}

void DeviceModel::sMode(const Call &c, CommandOutcome &out)
{
    QVector<int> v;
    if (!numbers(c.args, 1, &v))
        return reject(out, QStringLiteral("expects a mode"));
    if (m_state.type == Dev0808S) {
        // On the 0808-S the mode is a splice preset that joins a fixed set of outputs.
        if (!inRange(v[0], 0, 5))
            return reject(out, QStringLiteral("expects a splice mode 0..5"));
        m_state.spliceMode = v[0];
        m_state.groups.clear();
        const QList<int> group = spliceModeOutputs(v[0]);
        if (group.size() > 1)
            m_state.groups[group.first()] = group;
    } else {
        if (!inRange(v[0], 0, 2))
            return reject(out, QStringLiteral("expects a layout mode 0..2"));
        m_state.bindMode = v[0];
    }
    out.kind = CommandOutcome::Set;
    out.notices << SimReports::modeNotice(v[0]);
}

void DeviceModel::sBind(const Call &c, CommandOutcome &out)
{
    QVector<int> v;
    if (!numbers(c.args, -1, &v) ||
        std::any_of(v.cbegin(), v.cend(), [this](int n) { return !isOutput(n); }))
        return reject(out, QStringLiteral("expects master/member/... outputs"));
    QList<int> group;
    for (int o : qAsConst(v)) {
        if (!group.contains(o))
            group << o;
    }
    if (group.size() < 2)
        return reject(out, QStringLiteral("a group needs two outputs"));
    // An output belongs to one group at most: groups that share one with the new group go.
    for (auto it = m_state.groups.begin(); it != m_state.groups.end();) {
        const bool shares = std::any_of(it.value().cbegin(), it.value().cend(),
                                        [&group](int o) { return group.contains(o); });
        it = shares ? m_state.groups.erase(it) : it + 1;
    }
    m_state.groups[group.first()] = group;
    out.kind = CommandOutcome::Set;
    out.notices << SimReports::bindNotice(group);
}

void DeviceModel::sUnbind(const Call &c, CommandOutcome &out)
{
    QVector<int> v;
    if (!numbers(c.args, 1, &v) || !isOutput(v[0]))
        return reject(out, QStringLiteral("no output"));
    for (auto it = m_state.groups.begin(); it != m_state.groups.end(); ++it) {
        if (it.value().contains(v[0])) {
            m_state.groups.erase(it);
            out.kind = CommandOutcome::Set;
            out.notices << SimReports::unbindNotice(v[0]);
            return;
        }
    }
    reject(out, QStringLiteral("output %1 is in no group").arg(v[0]));
}

void DeviceModel::sSplitter(const Call &c, CommandOutcome &out)
{
    QVector<int> v;
    if (m_state.type != Dev0809M)
        return reject(out, QStringLiteral("only the 0809-M has a splitter"));
    if (!numbers(c.args, 1, &v) || !inRange(v[0], 0, 6))
        return reject(out, QStringLiteral("expects a layout 0..6"));
    m_state.splitter = v[0];
    echo(c, "Splitter", out);
}

// --- Plans, network, reset ---------------------------------------------------------------

void DeviceModel::sSave(const Call &c, CommandOutcome &out)
{
    QVector<int> v;
    if (!numbers(c.args, 1, &v) || !inRange(v[0], 1, 99))
        return reject(out, QStringLiteral("expects a plan 1..99"));
    const SimState &s = m_state;
    m_state.plans[v[0]] =
        SimState::Plan{s.video,      s.audio,   s.ir,  s.multiview, s.groups, s.bindMode,
                       s.spliceMode, s.windows, s.vir, s.wallAudio, s.rotate};
    echo(c, "Save", out);
}

void DeviceModel::sRecall(const Call &c, CommandOutcome &out)
{
    QVector<int> v;
    if (!numbers(c.args, 1, &v) || !inRange(v[0], 1, 99))
        return reject(out, QStringLiteral("expects a plan 1..99"));
    if (!m_state.plans.contains(v[0]))
        return reject(out, QStringLiteral("plan %1 is empty").arg(v[0]));
    const SimState::Plan p = m_state.plans.value(v[0]);
    SimState &s = m_state;
    s.video = p.video;
    s.audio = p.audio;
    s.ir = p.ir;
    s.multiview = p.multiview;
    s.groups = p.groups;
    s.bindMode = p.bindMode;
    s.spliceMode = p.spliceMode;
    s.windows = p.windows;
    s.vir = p.vir;
    s.wallAudio = p.wallAudio;
    s.rotate = p.rotate;
    // The others learn the restored routes as reports; the sender asks for them itself.
    out.kind = CommandOutcome::Set;
    out.notices << SimReports::status(s);
    if (s.type == Dev0409S)
        out.notices << SimReports::rotation(s);
    else if (s.type != Dev0808S)
        out.notices << SimReports::bindInfo(s);
}

void DeviceModel::sClear(const Call &c, CommandOutcome &out)
{
    QVector<int> v;
    if (!numbers(c.args, 1, &v) || !inRange(v[0], 1, 99))
        return reject(out, QStringLiteral("expects a plan 1..99"));
    m_state.plans.remove(v[0]);
    echo(c, "Clear", out);
}

void DeviceModel::sDefault(const Call &, CommandOutcome &out)
{
    m_state = SimState::factory(m_state.type, m_address);
    out.kind = CommandOutcome::Set;
    out.note = QStringLiteral("factory reset");
    out.httpAck = true;
    out.notices << SimReports::netInfo(m_state) << SimReports::status(m_state);
}

void DeviceModel::sNetwork(const Call &c, CommandOutcome &out)
{
    // "&ip,ip=A,gateway=G,subnet=S,mac=M"
    QMap<QString, QString> values;
    for (const QString &item : c.body.split(QLatin1Char(','))) {
        const int eq = item.indexOf(QLatin1Char('='));
        if (eq > 0)
            values[item.left(eq)] = item.mid(eq + 1);
    }
    const QString ip = values.value(QStringLiteral("ip"));
    const QString gateway = values.value(QStringLiteral("gateway"));
    const QString subnet = values.value(QStringLiteral("subnet"));
    const QString mac = values.value(QStringLiteral("mac"));
    if (!isIpv4(ip) || !isIpv4(gateway) || !isIpv4(subnet) || !isMac(mac))
        return reject(out, QStringLiteral("expects ip, gateway, subnet and mac"));
    m_state.ip = ip;
    m_state.gateway = gateway;
    m_state.subnet = subnet;
    m_state.mac = mac;
    out.kind = CommandOutcome::Set;
    out.httpAck = true;
    out.notices << SimReports::netInfo(m_state);
}

void DeviceModel::sDhcpOn(const Call &, CommandOutcome &out)
{
    m_state.dhcp = true;
    out.kind = CommandOutcome::Set;
    out.notices << SimReports::netInfo(m_state);
}

void DeviceModel::sDhcpOff(const Call &, CommandOutcome &out)
{
    m_state.dhcp = false;
    out.kind = CommandOutcome::Set;
    out.notices << SimReports::netInfo(m_state);
}

QByteArray DeviceModel::setInputSignal(int input, bool present)
{
    if (!isInput(input) || m_state.signal.value(input) == present)
        return QByteArray();
    m_state.signal[input] = present;
    return SimReports::inputSignalNotice(input, present);
}
