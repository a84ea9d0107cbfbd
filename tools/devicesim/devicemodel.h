#pragma once

#include "commandoutcome.h"
#include "simstate.h"

#include <QMap>
#include <QString>
#include <QVector>

/// The simulated device: applies command texts to its state and says what to answer and whom to
/// tell. No sockets here; SimServer carries the bytes.
class DeviceModel
{
public:
    /// What the device remembers per control connection.
    struct Session
    {
        int captionTarget =
            0; // 0: the caption; n: the OSD of input n (set by Get_OSD/Get_Subtitle)
    };

    /// The bytes of a finished upload.
    struct Upload
    {
        QString kind; // "OSD", "Subtitle", "EDID", or empty for data sent without a start command
        int port = 0;
        QByteArray data;
    };

    DeviceModel(DeviceType type, const QString &address);

    const SimState &state() const { return m_state; }

    /// Applies one command given as the text after "param=" (for {param=3VIDEO5} that is
    /// "3VIDEO5").
    CommandOutcome apply(const QString &body, Session &session);

    /// Plugs or unplugs the source of an input; returns the notice for every client, or nothing
    /// when the input does not exist or already is in that state.
    QByteArray setInputSignal(int input, bool present);

    /// Data that arrived on an upload link, for the upload under way.
    void appendUploadData(const QByteArray &bytes);
    /// Drops data of an upload that was never ended; returns how many bytes were dropped.
    int discardUnfinishedUpload();
    int pendingUploadBytes() const { return m_upload.data.size(); }
    /// The last finished upload of a kind ("OSD", "Subtitle", "EDID").
    Upload lastUpload(const QString &kind) const { return m_finished.value(kind); }

private:
    struct Call
    {
        QString body;
        QString args; // the body after its keyword
        Session &session;
    };
    using Handler = void (DeviceModel::*)(const Call &, CommandOutcome &);
    struct Entry
    {
        const char *keyword;
        bool exact; // the whole body is the keyword
        Handler handler;
    };
    static const QVector<Entry> &table();

    bool route(const QString &body, CommandOutcome &out);
    bool isInput(int n) const { return n >= 1 && n <= m_state.inputs; }
    bool isOutput(int n) const { return n >= 1 && n <= m_state.outputs; }
    int audioPort(int port) const;
    bool needsWall(CommandOutcome &out);
    SimState::Caption &captionFor(const Session &session);
    void echo(const Call &c, const char *keyword, CommandOutcome &out);
    void wallChanged(CommandOutcome &out);
    void restack(int id, int layer);

    // Queries.
    void qVersion(const Call &c, CommandOutcome &out);
    void qStatus(const Call &c, CommandOutcome &out);
    void qInputInfo(const Call &c, CommandOutcome &out);
    void qNetInfo(const Call &c, CommandOutcome &out);
    void qResolution(const Call &c, CommandOutcome &out);
    void qOutputInfo(const Call &c, CommandOutcome &out);
    void qHdcpInfo(const Call &c, CommandOutcome &out);
    void qBindInfo(const Call &c, CommandOutcome &out);
    void qVolume(const Call &c, CommandOutcome &out);
    void qRotate(const Call &c, CommandOutcome &out);
    void qOsd(const Call &c, CommandOutcome &out);
    void qSubtitle(const Call &c, CommandOutcome &out);
    void qNoInput(const Call &c, CommandOutcome &out);
    void qScaler(const Call &c, CommandOutcome &out);

    // Output and input settings.
    void sFrozen(const Call &c, CommandOutcome &out);
    void sOutputLock(const Call &c, CommandOutcome &out);
    void sVideoMuteOn(const Call &c, CommandOutcome &out);
    void sVideoMuteOff(const Call &c, CommandOutcome &out);
    void sInPattern(const Call &c, CommandOutcome &out);
    void sOutPattern(const Call &c, CommandOutcome &out);
    void sNoSignal(const Call &c, CommandOutcome &out);
    void sScaler(const Call &c, CommandOutcome &out);
    void sPort(const Call &c, CommandOutcome &out);
    void sVolume(const Call &c, CommandOutcome &out);
    void sMuteOn(const Call &c, CommandOutcome &out);
    void sMuteOff(const Call &c, CommandOutcome &out);
    void sAnalogSelect(const Call &c, CommandOutcome &out);
    void sFollowVideo(const Call &c, CommandOutcome &out);
    void sAloneVideo(const Call &c, CommandOutcome &out);
    void sInputHdcp(const Call &c, CommandOutcome &out);
    void sEdidSelect(const Call &c, CommandOutcome &out);
    void sCopyEdid(const Call &c, CommandOutcome &out);

    // Caption and OSD.
    void sCaptionOpen(const Call &c, CommandOutcome &out);
    void sCaptionClose(const Call &c, CommandOutcome &out);
    void sCaptionSpeed(const Call &c, CommandOutcome &out);
    void sCaptionLeft(const Call &c, CommandOutcome &out);
    void sCaptionRight(const Call &c, CommandOutcome &out);
    void sCaptionPosition(const Call &c, CommandOutcome &out);
    void sFontColor(const Call &c, CommandOutcome &out);
    void sBgColor(const Call &c, CommandOutcome &out);
    void sBgOpen(const Call &c, CommandOutcome &out);
    void sBgClose(const Call &c, CommandOutcome &out);
    void sEraseOsd(const Call &c, CommandOutcome &out);
    void sEraseSubtitle(const Call &c, CommandOutcome &out);

    // Uploads.
    void sUploadEdid(const Call &c, CommandOutcome &out);
    void sUploadOsd(const Call &c, CommandOutcome &out);
    void sUploadSubtitle(const Call &c, CommandOutcome &out);
    void sDone(const Call &c, CommandOutcome &out);
    void beginUpload(const QString &kind, int port, CommandOutcome &out);

    // Wall, splice groups, multiview.
    void sVir(const Call &c, CommandOutcome &out);
    void sWindowOpen(const Call &c, CommandOutcome &out);
    void sWindowClose(const Call &c, CommandOutcome &out);
    void sWindowCloseAll(const Call &c, CommandOutcome &out);
    void sWindowMove(const Call &c, CommandOutcome &out);
    void sWindowResize(const Call &c, CommandOutcome &out);
    void sWindowLayer(const Call &c, CommandOutcome &out);
    void sRotate(const Call &c, CommandOutcome &out);
    void sBezelX(const Call &c, CommandOutcome &out);
    void sBezelY(const Call &c, CommandOutcome &out);
    void sBezel(const Call &c, QVector<uint> &target, const char *keyword, CommandOutcome &out);
    void sMode(const Call &c, CommandOutcome &out);
    void sBind(const Call &c, CommandOutcome &out);
    void sUnbind(const Call &c, CommandOutcome &out);
    void sSplitter(const Call &c, CommandOutcome &out);

    // Plans, network, reset.
    void sSave(const Call &c, CommandOutcome &out);
    void sRecall(const Call &c, CommandOutcome &out);
    void sClear(const Call &c, CommandOutcome &out);
    void sDefault(const Call &c, CommandOutcome &out);
    void sNetwork(const Call &c, CommandOutcome &out);
    void sDhcpOn(const Call &c, CommandOutcome &out);
    void sDhcpOff(const Call &c, CommandOutcome &out);

    SimState m_state;
    QString m_address;
    Upload m_upload;                  // the upload under way
    bool m_uploadStarted = false;     // a start command came and no end command yet
    QMap<QString, Upload> m_finished; // by kind
};
