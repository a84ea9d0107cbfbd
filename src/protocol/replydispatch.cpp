#include "replydispatch.h"

#include "replyrepair.h"

using ReplyRepair::contains;

namespace ReplyDispatch {

unsigned reportKinds(const QByteArray &m)
{
    if (contains(m, "change"))
        return 1u << ChangedByOthers;
    unsigned kinds = 0;
    auto mark = [&kinds](ReportKind kind, bool holds) {
        if (holds)
            kinds |= 1u << kind;
    };
    const bool version =
        contains(m, "type") && contains(m, "MCU") && contains(m, "FPGA") && contains(m, "device");
    mark(Version, version);
    mark(VideoAudioIrMap, contains(m, "video") && contains(m, "audio") && contains(m, "IR"));
    mark(WindowStatus, contains(m, "window") && contains(m, "VIR"));
    const bool hasOut = contains(m, "out");
    mark(InputChannelState, contains(m, "input") && !hasOut);
    mark(NetWorkInformation, contains(m, "ip") && contains(m, "gateway") && contains(m, "subnet"));
    // A version report whose texts hold "in" and "out" (a model named "4in4out") is no
    // resolution report: taken for one it would clear every input's signal.
    mark(InOutChannelResolutionMap,
         contains(m, "in") && hasOut && !contains(m, "hdcp") && !version);
    mark(OutputInfo, contains(m, "link"));
    mark(BindInfo, contains(m, "bind") && contains(m, "mode"));
    mark(VolumeInformation, contains(m, "Volume"));
    mark(TitleInformation, contains(m, "switch"));
    mark(RotateAngle, contains(m, "Angle"));
    mark(HdcpInfo, contains(m, "hdcp_in"));
    return kinds;
}

const char *logLine(ReportKind kind)
{
    switch (kind) {
    case ChangedByOthers:
        return "";
    case Version:
        return "******-receive version-******";
    case VideoAudioIrMap:
        return "******-receive status normal-******";
    case WindowStatus:
        return "******-receive status 0409-******";
    case InputChannelState:
        return "******-receive inputInfo-******";
    case NetWorkInformation:
        return "******-receive netInfo-******";
    case InOutChannelResolutionMap:
        return "******-receive Resolution-******";
    case OutputInfo:
        return "******-receive outputinfo-******";
    case BindInfo:
        return "******-receive bindinfo-******";
    case VolumeInformation:
        return "******-receive Get_Volume-******";
    case TitleInformation:
        return "******-receive Get_OSD Get_Subtitle-******";
    case RotateAngle:
        return "******-receive Get_Rotate-******";
    case HdcpInfo:
        return "******-receive hdcpinfo-******";
    case ReportKindCount:
        break;
    }
    return "";
}

int dhcpSwitch(const QByteArray &msg)
{
    // Looked for without its opening quote, which would stop the search at every key.
    constexpr std::string_view key = "DHCP\":";
    const std::string_view text(msg.constData(), size_t(msg.size()));
    size_t at = text.find(key, 1);
    while (at != std::string_view::npos && text[at - 1] != '"')
        at = text.find(key, at + 1);
    if (at == std::string_view::npos)
        return -1;
    const size_t from = at + key.size();
    const size_t comma = text.find(',', from);
    if (comma == std::string_view::npos)
        return -1;
    const std::string_view value = text.substr(from, comma - from);
    if (value == "true" || value == "TRUE")
        return 1;
    if (value == "false" || value == "FALSE")
        return 0;
    return -1;
}

} // namespace ReplyDispatch
