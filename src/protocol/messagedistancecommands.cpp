// The command set: one operation per device command, each written at once and never waited on.
#include "messagedistance.h"

namespace {

QString param(const char *body)
{
    return QStringLiteral("{param=%1}").arg(QLatin1String(body));
}

} // namespace

void MessageDistance::getVersion()
{
    sendCommand(param("version"));
}

void MessageDistance::getStatus()
{
    sendCommand(param("status"));
}

void MessageDistance::getInputInfo()
{
    sendCommand(param("inputinfo"));
}

void MessageDistance::getNetInfo()
{
    sendCommand(param("netInfo"));
}

void MessageDistance::getResolution()
{
    sendCommand(param("resolution"));
}

void MessageDistance::getOutputInfo()
{
    sendCommand(param("outputinfo"));
}

void MessageDistance::getHdcpInfo()
{
    sendCommand(param("hdcpinfo"));
}

void MessageDistance::getBindInfo()
{
    sendCommand(param("bindinfo"));
}

void MessageDistance::getVolume()
{
    sendCommand(param("Get_Volume"));
}

void MessageDistance::getRotate()
{
    sendCommand(param("Get_Rotate"));
}

void MessageDistance::getOsd(int input)
{
    sendCommand(QStringLiteral("{param=Get_OSD%1}").arg(input));
}

void MessageDistance::getSubtitle()
{
    sendCommand(param("Get_Subtitle"));
}

void MessageDistance::getNoInput(int output)
{
    sendCommand(QStringLiteral("{param=Get_Noinput%1}").arg(output));
}

void MessageDistance::getScaler(int output)
{
    sendCommand(QStringLiteral("{param=Get_Scaler%1}").arg(output));
}

void MessageDistance::switchPort(int input, int output, int layer, int portOffset)
{
    if (input > portOffset)
        input -= portOffset;
    if (output > portOffset)
        output -= portOffset;
    QString word;
    if (layer == 0)
        word = QStringLiteral("VIDEO");
    else if (layer == 1)
        word = QStringLiteral("AUDIO");
    else if (layer == 2)
        word = QStringLiteral("IR");
    sendCommand(QStringLiteral("{param=%1%2%3}")
                    .arg(QString::number(input), word, QString::number(output)));
}

void MessageDistance::setMode(int mode)
{
    sendCommand(QStringLiteral("{param=mode%1}").arg(mode));
}

void MessageDistance::restoreDefault()
{
    sendCommand(param("Default"));
}

void MessageDistance::setNetInfo(const QString &address, const QString &gateway, const QString &mac,
                                 const QString &subnet)
{
    sendCommand(QStringLiteral("{param=&ip,ip=%1,gateway=%2,subnet=%3,mac=%4}")
                    .arg(address, gateway, subnet, mac));
}

void MessageDistance::setDhcp(bool on)
{
    sendCommand(on ? param("DHCP_On") : param("DHCP_Off"));
}

void MessageDistance::savePlan(int plan)
{
    sendCommand(QStringLiteral("{param=Save%1}").arg(plan));
}

void MessageDistance::recallPlan(int plan)
{
    sendCommand(QStringLiteral("{param=Recall%1}").arg(plan));
}

void MessageDistance::clearPlan(int plan)
{
    sendCommand(QStringLiteral("{param=Clear%1}").arg(plan));
}

void MessageDistance::setInputPattern(int port, int pattern)
{
    sendCommand(QStringLiteral("{param=In_Pattern%1/%2}").arg(port).arg(pattern));
}

void MessageDistance::setOutputPattern(int port, int pattern)
{
    sendCommand(QStringLiteral("{param=Out_Pattern%1/%2}").arg(port).arg(pattern));
}

void MessageDistance::setNoSignal(int output, int pattern, int red, int green, int blue)
{
    sendCommand(QStringLiteral("{param=No_Signal%1/%2/%3/%4/%5}")
                    .arg(output)
                    .arg(pattern)
                    .arg(red)
                    .arg(green)
                    .arg(blue));
}

void MessageDistance::setScalerMode(int output, int mode)
{
    sendCommand(QStringLiteral("{param=Scaler_Mode%1/%2}").arg(output).arg(mode));
}

void MessageDistance::setPortResolution(int output, const QString &resolution)
{
    // One multi-argument arg(), so a "%" in the resolution text is written as it stands.
    sendCommand(QStringLiteral("{param=Port%1/%2!}").arg(QString::number(output), resolution));
}

void MessageDistance::setVolume(int port, int volume)
{
    sendCommand(QStringLiteral("{param=Volume%1/%2}").arg(port).arg(volume));
}

void MessageDistance::muteOn(int port)
{
    sendCommand(QStringLiteral("{param=MuteOn%1}").arg(port));
}

void MessageDistance::muteOff(int port)
{
    sendCommand(QStringLiteral("{param=MuteOff%1}").arg(port));
}

void MessageDistance::setAnalogSelect(int port, int value)
{
    sendCommand(QStringLiteral("{param=Analog_sel%1/%2}").arg(port).arg(value));
}

void MessageDistance::setAudioFollow(bool follow)
{
    sendCommand(follow ? param("FollowVideo") : param("AloneVideo"));
}

void MessageDistance::setFrozen(int output, bool frozen)
{
    sendCommand(QStringLiteral("{param=Frozen%1/%2}").arg(output).arg(frozen ? 1 : 0));
}

void MessageDistance::setOutputLock(int output, bool locked)
{
    // The device takes 0 for locked and 1 for unlocked.
    sendCommand(QStringLiteral("{param=Output_Lock%1/%2}").arg(output).arg(locked ? 0 : 1));
}

void MessageDistance::setVideoMute(int output, bool muted)
{
    sendCommand(muted ? QStringLiteral("{param=VideoMuteOn%1}").arg(output)
                      : QStringLiteral("{param=VideoMuteOff%1}").arg(output));
}

void MessageDistance::setInputHdcp(int input, int mode)
{
    sendCommand(QStringLiteral("{param=Input_HDCP%1/%2}").arg(input).arg(mode));
}

void MessageDistance::selectEdid(int input, int edid)
{
    sendCommand(QStringLiteral("{param=EDID_Sel%1/%2}").arg(input).arg(edid));
}

void MessageDistance::copyEdid(int input, int output)
{
    sendCommand(QStringLiteral("{param=Copy_EDID%1/%2}").arg(input).arg(output));
}

void MessageDistance::setCaptionOpen(bool shown)
{
    sendCommand(shown ? param("Open") : param("Close"));
}

void MessageDistance::setCaptionSpeed(int speed)
{
    sendCommand(QStringLiteral("{param=Speed%1}").arg(speed));
}

void MessageDistance::setCaptionDirection(int direction)
{
    // Any other direction has no command: the empty text is logged but puts nothing on the wire.
    if (direction == 0)
        sendCommand(param("Left"));
    else if (direction == 1)
        sendCommand(param("Right"));
    else
        sendCommand(QString());
}

void MessageDistance::setCaptionPosition(int x, int y)
{
    sendCommand(QStringLiteral("{param=POS%1/%2}").arg(x).arg(y));
}

void MessageDistance::setCaptionFontColor(int red, int green, int blue)
{
    sendCommand(QStringLiteral("{param=Font_Color%1/%2/%3}").arg(red).arg(green).arg(blue));
}

void MessageDistance::setCaptionBgColor(int red, int green, int blue)
{
    sendCommand(QStringLiteral("{param=Bg_Color%1/%2/%3}").arg(red).arg(green).arg(blue));
}

void MessageDistance::setCaptionBgOpen(bool on)
{
    sendCommand(on ? param("Bg_Open") : param("Bg_Close"));
}

void MessageDistance::eraseOsd()
{
    sendCommand(param("EraseOSD"));
}

void MessageDistance::eraseSubtitle()
{
    sendCommand(param("EraseSubtitle"));
}

void MessageDistance::setVirMode(int mode)
{
    sendCommand(QStringLiteral("{param=VIR%1}").arg(mode));
}

void MessageDistance::windowOpen(int window, int input, int layer, int x, int y, int width,
                                 int height)
{
    sendCommand(QStringLiteral("{param=WindowOpen%1/%2/%3/%4/%5/%6/%7}")
                    .arg(window)
                    .arg(input)
                    .arg(layer)
                    .arg(x)
                    .arg(y)
                    .arg(width)
                    .arg(height));
}

void MessageDistance::windowClose(int window)
{
    sendCommand(QStringLiteral("{param=WindowClose%1}").arg(window));
}

void MessageDistance::windowCloseAll()
{
    sendCommand(param("WindowCloseAll"));
}

void MessageDistance::windowMove(int window, int x, int y)
{
    sendCommand(QStringLiteral("{param=WindowMove%1/%2/%3}").arg(window).arg(x).arg(y));
}

void MessageDistance::windowResize(int window, int x, int y, int width, int height)
{
    sendCommand(QStringLiteral("{param=WindowResize%1/%2/%3/%4/%5}")
                    .arg(window)
                    .arg(x)
                    .arg(y)
                    .arg(width)
                    .arg(height));
}

void MessageDistance::windowLayer(int window, int layer)
{
    sendCommand(QStringLiteral("{param=WindowLayer%1/%2}").arg(window).arg(layer));
}

void MessageDistance::setRotate(int screen, int rotation)
{
    sendCommand(QStringLiteral("{param=Rotate%1/%2}").arg(screen).arg(rotation));
}

void MessageDistance::setBezelX(uint a, uint b, uint c, uint d)
{
    sendCommand(QStringLiteral("{param=Bezel_x%1/%2/%3/%4}").arg(a).arg(b).arg(c).arg(d));
}

void MessageDistance::setBezelY(uint a, uint b, uint c, uint d)
{
    sendCommand(QStringLiteral("{param=Bezel_y%1/%2/%3/%4}").arg(a).arg(b).arg(c).arg(d));
}

void MessageDistance::bindOutputs(int master, const QList<int> &members)
{
    QString text = QStringLiteral("{param=Bind%1").arg(master);
    for (const int member : members) {
        if (member != master)
            text += QStringLiteral("/%1").arg(member);
    }
    text += QLatin1Char('}');
    sendCommand(text);
}

void MessageDistance::unbindOutputs(int output)
{
    sendCommand(QStringLiteral("{param=UnBind%1}").arg(output));
}

void MessageDistance::setSplitter(int layout)
{
    sendCommand(QStringLiteral("{param=Splitter%1}").arg(layout));
}
