#include "reportrecorder.h"

#include "protocol/messagedistance.h"

#include <QThread>

ReportRecorder::ReportRecorder(MessageDistance *client)
{
    using MD = MessageDistance;
    const struct
    {
        void (MD::*signal)(const QJsonObject &);
        const char *name;
    } reports[] = {
        {&MD::receiveChangedByOthersSig, "receiveChangedByOthersSig"},
        {&MD::receiveVersionSig, "receiveVersionSig"},
        {&MD::receiveVideoAudioIRMapSig, "receiveVideoAudioIRMapSig"},
        {&MD::receiveWindowStatusSig, "receiveWindowStatusSig"},
        {&MD::receiveInputChannelStateSig, "receiveInputChannelStateSig"},
        {&MD::receiveNetWorkImforamtionSig, "receiveNetWorkImforamtionSig"},
        {&MD::receiveInOutChannelResolutionMapSig, "receiveInOutChannelResolutionMapSig"},
        {&MD::receiveOutputInfoSig, "receiveOutputInfoSig"},
        {&MD::receiveBindInfoSig, "receiveBindInfoSig"},
        {&MD::receiveVolumnImformationSig, "receiveVolumnImformationSig"},
        {&MD::receiveTitleImfSig, "receiveTitleImfSig"},
        {&MD::receiveRotateAngleSig, "receiveRotateAngleSig"},
        {&MD::receiveHDCPInfoSig, "receiveHDCPInfoSig"},
    };
    for (const auto &r : reports) {
        const char *name = r.name;
        connect(client, r.signal, this, [this, name](const QJsonObject &o) { add(name, o); });
    }
    const struct
    {
        void (MD::*signal)();
        const char *name;
    } plain[] = {
        {&MD::connectingSig, "connectingSig"},
        {&MD::connectSuccessFulSig, "connectSuccessFulSig"},
        {&MD::connectFailureSig, "connectFailureSig"},
        {&MD::si_http200Analysis, "si_http200Analysis"},
        {&MD::si_requestCloseOsdSocket, "si_requestCloseOsdSocket"},
        {&MD::si_osdUploadFinish, "si_osdUploadFinish"},
    };
    for (const auto &p : plain) {
        const char *name = p.name;
        connect(client, p.signal, this, [this, name] { add(name); });
    }
    connect(client, &MD::si_SetDhcpSwitch, this,
            [this](bool on) { add("si_SetDhcpSwitch", {}, {}, on); });
    connect(client, &MD::si_ForwardAnalysis, this,
            [this](const QString &text) { add("si_ForwardAnalysis", {}, text); });
    connect(client, &MD::si_setDisableUiObject, this,
            [this](bool on) { add("si_setDisableUiObject", {}, {}, on); });
    connect(client, &MD::si_updateProgressVal, this,
            [this](int n) { add("si_updateProgressVal", {}, QString::number(n)); });
}

QStringList ReportRecorder::names() const
{
    QStringList result;
    for (const Entry &e : m_entries)
        result << e.name;
    return result;
}

int ReportRecorder::count(const QString &name) const
{
    int n = 0;
    for (const Entry &e : m_entries)
        n += e.name == name ? 1 : 0;
    return n;
}

void ReportRecorder::add(const char *name, const QJsonObject &object, const QString &text,
                         bool flag)
{
    m_entries.append(
        Entry{QString::fromLatin1(name), object, text, flag, QThread::currentThread() == thread()});
}
