#pragma once

#include "devicetype.h"

#include <QJsonObject>
#include <QList>
#include <QObject>

#include <functional>

class DeviceState;

/// Applies the device's reports to a DeviceState: routes, resolutions, signals, output flags,
/// HDCP, volumes, bind groups, wall windows and rotation, changes announced as made by other
/// clients and the commands they echo. Views follow the state's change notices; what the state
/// does not hold (splice groups, the moment a report arrived) is announced by the signals below.
class ReportApplier : public QObject
{
    Q_OBJECT

public:
    /// Offset of the HDMI audio ports in the audio route.
    static constexpr int HdmiAudioOffset = 100;

    explicit ReportApplier(DeviceState *state, QObject *parent = nullptr);

    /// The outputs spliced with `output`, itself included; by default each output stands alone.
    void setSpliceGroups(std::function<QList<int>(int output)> groupOf);
    QList<int> spliceGroupOf(int output) const;

    /// While on, HDMI audio follows the video route; never on the wall model, whose one HDMI
    /// audio output is always chosen on its own.
    void setHdmiAudioFollow(bool follow);
    bool hdmiAudioFollow() const { return m_hdmiAudioFollow; }

    /// The version report: model, versions, bezel and whether HDMI audio follows video.
    /// Returns false when the model is unknown (the stored type stays). `audioFollows` gets
    /// the report's flag as sent, before the wall model's exception.
    bool applyVersion(const QJsonObject &report, bool *audioFollows = nullptr);
    void applyInputSignals(const QJsonObject &report);
    void applyNetwork(const QJsonObject &report);
    void applyRoutes(const QJsonObject &report);
    void applyResolutions(const QJsonObject &report);
    void applyCaption(const QJsonObject &report);
    void applyVolumes(const QJsonObject &report);
    void applyOutputInfo(const QJsonObject &report);
    void applyHdcp(const QJsonObject &report);
    void applyWindowStatus(const QJsonObject &report);
    void applyRotation(const QJsonObject &report);
    void applyBindInfo(const QJsonObject &report);
    void applyChangedByOthers(const QJsonObject &report);

    /// `input` on `output` and the rest of its splice group. A route from the device clears
    /// video mute; one made here unfreezes instead.
    void applyVideoRoute(int input, int output, bool clearMute);

signals:
    /// A 0808-S splice mode reported; the state already holds it.
    void spliceModeReported(int mode);
    /// A bind mode reported; the state already holds it.
    void bindModeReported(int mode);
    void bindGroupsReported(const QList<QList<int>> &groups);
    void bindGroupAdded(const QList<int> &outputs);
    void bindGroupDissolved(int output);
    /// The resolution, window and rotation reports arrived (the wall waits for all three).
    void resolutionsReported();
    void windowsReported();
    void rotationReported();
    void outputResolutionChangedByOthers(int output);
    void hdcpChangedByOthers(int input);
    /// A full routes report was stored.
    void routesReported();
    /// Another client routed `output`; `layer` 0 video, 1 audio, 2 infrared. A video route
    /// names every output of the group.
    void routeChangedByOthers(int layer, int output);
    /// An echoed scaling mode, in the form the port dialogs read.
    void scalingModeEchoed(const QString &text);

private:
    void storeRoutes(const QJsonObject &report);
    void applyEchoedCommand(const QString &text);

    DeviceState *m_state;
    std::function<QList<int>(int)> m_groupOf;
    bool m_hdmiAudioFollow = false;
};
