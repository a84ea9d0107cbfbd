#include "simstate.h"

#include <QHostAddress>

QString SimState::modelText(DeviceType type)
{
    return modelName(type);
}

int SimState::inputCountFor(DeviceType type)
{
    return (type == Dev0409S || type == Dev0404) ? 4 : 8;
}

int SimState::outputCountFor(DeviceType type)
{
    // The 0404 is four by four; every other model has as many outputs as the tables show.
    return type == Dev0404 ? 4 : portCountFor(type);
}

SimState SimState::factory(DeviceType type, const QString &address)
{
    SimState s;
    s.type = type;
    s.inputs = inputCountFor(type);
    s.outputs = outputCountFor(type);
    switch (type) {
    case Dev0409S:
        s.typeText = QStringLiteral("HDMI_VIDEO_WALL");
        break;
    case Dev0808S:
        s.typeText = QStringLiteral("HDMI_SPLICE_MATRIX");
        break;
    case Dev0809M:
        s.typeText = QStringLiteral("HDMI_MULTIVIEW_MATRIX");
        break;
    default:
        s.typeText = QStringLiteral("HDMI_MATRIX");
        break;
    }
    s.mcu = QStringLiteral("V1.2.0");
    s.fpga = QStringLiteral("V3.0.5");

    // A fresh device shows input n on output n, wrapping around when there are more outputs.
    for (int out = 1; out <= s.outputs; ++out) {
        const int in = (out - 1) % s.inputs + 1;
        s.video[out] = in;
        s.audio[out] = in;
        s.audio[100 + out] = 100 + in;
        s.ir[out] = in;
        s.outputResolution[out] = QStringLiteral("1920x1080x60Hz");
        // The last output has no display attached, so a demo shows both link states.
        s.link[out] = out != s.outputs;
        s.frozen[out] = false;
        s.locked[out] = true;
        s.videoMute[out] = false;
        s.scaler[out] = 0;
        s.outputPattern[out] = 0;
        s.noSignal[out] = NoSignal();
        s.rotate[out] = 0;
    }
    static const char *const sources[] = {"1920x1080x60Hz", "1280x720x60Hz", "3840x2160x30Hz"};
    for (int in = 1; in <= s.inputs; ++in) {
        // The last input has nothing plugged in.
        s.signal[in] = in != s.inputs;
        s.inputResolution[in] = QString::fromLatin1(in <= 3 ? sources[in - 1] : sources[0]);
        s.hdcp[in] = 0;
        s.volume[in] = 50;
        s.mute[in] = 0;
        s.analogSelect[in] = 0;
        s.inputPattern[in] = 0;
        s.edid[in] = QStringLiteral("builtin:0");
        s.osd[in] = Caption();
    }
    if (type == Dev0809M) {
        for (int w = 1; w <= 9; ++w)
            s.multiview[w] = (w - 1) % s.inputs + 1;
    }
    if (type == Dev0808S)
        s.bindMode = 1;
    else if (type == Dev0404)
        s.bindMode = 2;

    for (int id = 1; id <= 4; ++id)
        s.windows[id] = Window();
    s.windows[1] = Window{1, 1, 0, 0, 1920, 1080};
    s.bezelX = QVector<uint>(4, 0);
    s.bezelY = QVector<uint>(4, 0);

    const QHostAddress host(address);
    s.ip = (host.isNull() || host == QHostAddress::AnyIPv4 ||
            host.protocol() != QAbstractSocket::IPv4Protocol)
               ? QStringLiteral("127.0.0.1")
               : host.toString();
    s.gateway = QStringLiteral("127.0.0.1");
    s.subnet = QStringLiteral("255.0.0.0");
    s.mac = QStringLiteral("02:43:56:4E:%1:%2")
                .arg(modelText(type).mid(0, 2), modelText(type).mid(2, 2));
    return s;
}
