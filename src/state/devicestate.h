#pragma once

#include "captioninfo.h"
#include "devicetype.h"

#include <QList>
#include <QMap>
#include <QObject>
#include <QString>

#include <array>

/// Eight bezel gaps: four between columns (x1..x4), then four between rows (y1..y4).
using BezelValues = std::array<uint, 8>;

/// The in-memory model of the connected device. GUI thread only; created on first use.
///
/// Maps are keyed by 1-based port numbers and copied in and out by value. For each map
/// `foo()` copies it out, `setFoo(map)` replaces it whole, `setFooAt(port, v)` writes one entry
/// and `fooAt(port)` reads one entry, giving the documented default for a port never written.
///
/// Every write that changes something is announced by changed(part, ports), so views redraw
/// themselves; a write that repeats what is stored announces nothing.
class DeviceState : public QObject
{
    Q_OBJECT

public:
    /// What a change notice is about.
    enum Part
    {
        Network,
        Model, ///< device type and versions
        VideoRoute,
        AudioRoute,
        IrRoute,
        InputSignal,
        InputResolution,
        OutputResolution,
        Volume, ///< levels and mutes
        ScalingMode,
        OutputFlags, ///< link, frozen, lock and video mute
        Hdcp,
        Windows, ///< wall windows and VIR
        Rotation,
        Bezel,
        PlanNames,
        Layout, ///< bind, splice and splitter modes
        Multiview,
        Osd,
        Caption,
    };
    Q_ENUM(Part)

    /// Holds change notices back while it lives and then sends one per part, the ports merged;
    /// batches nest.
    class Batch
    {
    public:
        explicit Batch(DeviceState *state);
        ~Batch();
        Batch(const Batch &) = delete;
        Batch &operator=(const Batch &) = delete;

    private:
        DeviceState *m_state;
    };

    /// The application's one store.
    static DeviceState *instance();
    /// A separate, empty store (tests and tools); the application uses instance().
    explicit DeviceState(QObject *parent = nullptr);

    // Connection and network
    QString ip() const { return m_ip; }
    void setIp(const QString &ip);
    int port() const { return m_port; }
    void setPort(int port);
    QString mac() const { return m_mac; }
    void setMac(const QString &mac);
    QString gateway() const { return m_gateway; }
    void setGateway(const QString &gateway);
    QString subnet() const { return m_subnet; }
    void setSubnet(const QString &subnet);

    // Model and versions
    DeviceType deviceType() const { return m_deviceType; }
    void setDeviceType(DeviceType type);
    QString mcuVersion() const { return m_mcuVersion; }
    void setMcuVersion(const QString &version);
    QString fpgaVersion() const { return m_fpgaVersion; }
    void setFpgaVersion(const QString &version);
    QString deviceTypeText() const { return m_deviceTypeText; }
    void setDeviceTypeText(const QString &text);

    // Routing: output -> input
    QMap<int, int> videoRoute() const { return m_videoRoute; }
    void setVideoRoute(const QMap<int, int> &route);
    void setVideoRouteAt(int output, int input);
    int videoRouteAt(int output) const { return m_videoRoute.value(output, 0); }

    QMap<int, int> audioRoute() const { return m_audioRoute; }
    void setAudioRoute(const QMap<int, int> &route);
    void setAudioRouteAt(int output, int input);
    int audioRouteAt(int output) const { return m_audioRoute.value(output, 0); }

    QMap<int, int> irRoute() const { return m_irRoute; }
    void setIrRoute(const QMap<int, int> &route);
    void setIrRouteAt(int output, int input);
    int irRouteAt(int output) const { return m_irRoute.value(output, 0); }

    // Resolutions and signals
    QMap<int, QString> inputResolution() const { return m_inputResolution; }
    void setInputResolution(const QMap<int, QString> &resolutions);
    QString inputResolutionAt(int input) const { return m_inputResolution.value(input); }

    QMap<int, QString> outputResolution() const { return m_outputResolution; }
    void setOutputResolution(const QMap<int, QString> &resolutions);
    /// "1920x1080x60Hz" for an output never reported.
    QString outputResolutionAt(int output) const;

    QMap<int, bool> inputSignal() const { return m_inputSignal; }
    void setInputSignal(const QMap<int, bool> &present);
    void setInputSignalAt(int input, bool present);
    bool inputSignalAt(int input) const { return m_inputSignal.value(input, false); }

    // Audio levels; key 0 is never kept.
    QMap<int, int> volume() const { return m_volume; }
    void setVolume(const QMap<int, int> &volume);
    void setVolumeAt(int port, int volume);
    int volumeAt(int port) const { return m_volume.value(port, 0); }

    QMap<int, int> mute() const { return m_mute; }
    void setMute(const QMap<int, int> &mute);
    void setMuteAt(int port, int mute);
    int muteAt(int port) const { return m_mute.value(port, 0); }

    // Per-output settings and flags
    QMap<int, int> scalingMode() const { return m_scalingMode; }
    void setScalingModeAt(int output, int mode);
    int scalingModeAt(int output) const { return m_scalingMode.value(output, 0); }

    QMap<int, bool> outputLink() const { return m_outputLink; }
    void setOutputLink(const QMap<int, bool> &linked);
    void setOutputLinkAt(int output, bool linked);
    bool outputLinkAt(int output) const { return m_outputLink.value(output, false); }

    QMap<int, bool> frozen() const { return m_frozen; }
    void setFrozen(const QMap<int, bool> &frozen);
    void setFrozenAt(int output, bool frozen);
    bool frozenAt(int output) const { return m_frozen.value(output, false); }

    /// true is the "No Standby" state; an output never reported reads true.
    QMap<int, bool> outputLock() const { return m_outputLock; }
    void setOutputLock(const QMap<int, bool> &locked);
    void setOutputLockAt(int output, bool locked);
    bool outputLockAt(int output) const { return m_outputLock.value(output, true); }

    QMap<int, bool> videoMute() const { return m_videoMute; }
    void setVideoMute(const QMap<int, bool> &muted);
    void setVideoMuteAt(int output, bool muted);
    bool videoMuteAt(int output) const { return m_videoMute.value(output, false); }

    QMap<int, int> inputHdcp() const { return m_inputHdcp; }
    void setInputHdcp(const QMap<int, int> &modes);
    void setInputHdcpAt(int input, int mode);
    int inputHdcpAt(int input) const { return m_inputHdcp.value(input, 0); }

    // Video wall
    /// Window id -> its six reported integers; key 0 holds [VIR] when the report carried it.
    QMap<int, QList<int>> windowStatus() const { return m_windowStatus; }
    void setWindowStatus(const QMap<int, QList<int>> &windows);

    int virMode() const { return m_virMode; }
    /// Keeps 1, 2 and 3; anything else becomes 0.
    void setVirMode(int mode);

    QMap<int, int> rotateAngle() const { return m_rotateAngle; }
    void setRotateAngle(const QMap<int, int> &angles);
    /// Returns the number of outputs with a rotation afterwards.
    int setRotateAngleAt(int output, int angle);
    int rotateAngleAt(int output) const { return m_rotateAngle.value(output, 0); }

    BezelValues bezel() const { return m_bezel; }
    void setBezel(const BezelValues &values);

    // Plans: 0-based button index -> name
    QMap<int, QString> planNames() const { return m_planNames; }
    void setPlanNames(const QMap<int, QString> &names);
    void setPlanNameAt(int index, const QString &name);
    QString planNameAt(int index) const { return m_planNames.value(index); }

    // Layouts
    int bindMode() const { return m_bindMode; }
    void setBindMode(int mode);
    /// Splice mode of a Dev0808S; kept within 0..5 since it indexes the fixed output lists.
    int spliceMode() const { return m_spliceMode; }
    void setSpliceMode(int mode);
    int splitterMode() const { return m_splitterMode; }
    /// Stores the reported layout as it is.
    void setSplitterMode(int mode);
    /// Keeps 1..6; anything else becomes 0.
    void setSplitterModeNormalised(int mode);

    /// Multiview window -> input; key 0 is the input on the multiview output itself.
    QMap<int, int> multiviewWindows() const { return m_multiviewWindows; }
    /// Replaces the windows but keeps the multiview output's input (key 0) when one is stored.
    void setMultiviewWindows(const QMap<int, int> &windows);
    void setMultiviewWindowAt(int window, int input);
    /// -1 for a window never written.
    int multiviewWindowAt(int window) const { return m_multiviewWindows.value(window, -1); }

    // Caption and OSD
    QMap<int, CaptionInfo> osdInfo() const { return m_osdInfo; }
    void setOsdInfoAt(int input, const CaptionInfo &info);
    CaptionInfo osdInfoAt(int input) const { return m_osdInfo.value(input); }
    CaptionInfo caption() const { return m_caption; }
    void setCaption(const CaptionInfo &caption);

signals:
    /// `ports` lists the ports or indexes written; empty when the whole part was replaced.
    void changed(DeviceState::Part part, const QList<int> &ports);

private:
    void notify(Part part, int port = -1);

    int m_batchDepth = 0;
    /// Parts held back by a batch, in the order first written; a part in m_pendingAll is whole.
    QList<Part> m_pendingOrder;
    QMap<Part, QList<int>> m_pending;
    QList<Part> m_pendingAll;

    QString m_ip;
    int m_port = 0;
    QString m_mac;
    QString m_gateway;
    QString m_subnet;
    DeviceType m_deviceType = Dev0809;
    QString m_mcuVersion;
    QString m_fpgaVersion;
    QMap<int, int> m_videoRoute;
    QMap<int, int> m_audioRoute;
    QMap<int, int> m_irRoute;
    QMap<int, QString> m_inputResolution;
    QMap<int, QString> m_outputResolution;
    QMap<int, bool> m_inputSignal;
    QMap<int, int> m_volume;
    QMap<int, int> m_scalingMode;
    QMap<int, bool> m_outputLink;
    QMap<int, bool> m_frozen;
    QMap<int, bool> m_outputLock;
    QMap<int, bool> m_videoMute;
    QMap<int, int> m_inputHdcp;
    QMap<int, int> m_mute;
    QString m_deviceTypeText;
    QMap<int, QList<int>> m_windowStatus;
    int m_virMode = 0;
    QMap<int, int> m_rotateAngle;
    QMap<int, QString> m_planNames;
    int m_bindMode = 0;
    int m_spliceMode = 0;
    BezelValues m_bezel{};
    int m_splitterMode = 0;
    QMap<int, int> m_multiviewWindows;
    QMap<int, CaptionInfo> m_osdInfo;
    CaptionInfo m_caption;
};
