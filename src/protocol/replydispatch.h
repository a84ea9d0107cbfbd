#pragma once

#include <QByteArray>

/// Recognises the kind of a repaired device message by the words it contains.
namespace ReplyDispatch {

/// Report kinds in the order they are tested and emitted.
enum ReportKind
{
    ChangedByOthers,
    Version,
    VideoAudioIrMap,
    WindowStatus,
    InputChannelState,
    NetWorkInformation,
    InOutChannelResolutionMap,
    OutputInfo,
    BindInfo,
    VolumeInformation,
    TitleInformation,
    RotateAngle,
    HdcpInfo,
    ReportKindCount
};

/// One bit per ReportKind. A change notice is that alone; any other message may be several
/// kinds at once, or none.
unsigned reportKinds(const QByteArray &msg);

/// The log line written before a kind is emitted; empty for change notices.
const char *logLine(ReportKind kind);

/// The DHCP switch a message carries: 1 on, 0 off, -1 when it carries none the device spells
/// as "true", "TRUE", "false" or "FALSE" between the "DHCP" key's colon and the next comma.
int dhcpSwitch(const QByteArray &msg);

} // namespace ReplyDispatch
