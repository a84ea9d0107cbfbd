#pragma once

#include "simstate.h"

#include <QByteArray>
#include <QList>
#include <QString>

/// The texts the device writes on its links, byte for byte. Each report is one brace pair with
/// no brace inside, no space and no line feed: the client cuts a message at its first closing
/// brace and strips spaces before it repairs the device's loose syntax.
namespace SimReports {

// Answers to queries.
QByteArray version(const SimState &s);
QByteArray status(const SimState &s); // the routing report, or the window report on the wall
QByteArray routing(const SimState &s);
QByteArray wallStatus(const SimState &s);
QByteArray inputInfo(const SimState &s);
QByteArray netInfo(const SimState &s);
QByteArray resolution(const SimState &s);
QByteArray outputInfo(const SimState &s);
QByteArray hdcpInfo(const SimState &s);
QByteArray bindInfo(const SimState &s);
QByteArray volume(const SimState &s);
QByteArray rotation(const SimState &s);
QByteArray caption(const SimState::Caption &c);
QByteArray noSignal(int output, const SimState::NoSignal &n);
QByteArray scaler(int output, int mode);

// Change notices for the other clients.
QByteArray routeNotice(const QString &kind, int output, int input); // kind "video", "audio", "IR"
QByteArray modeNotice(int mode);
QByteArray bindNotice(const QList<int> &group);
QByteArray unbindNotice(int output);
QByteArray inputSignalNotice(int input, bool present);
QByteArray noSignalNotice(int output, const SimState::NoSignal &n);
/// The echo of a set command: {keyword_change=body}, body being the command text after "param=".
QByteArray echoNotice(const QString &keyword, const QString &body);

// Acknowledgements.
QByteArray httpAck();      // on the control link, after an upload, a network change or a reset
QByteArray uploadAck();    // on the upload link, once the upload's end command arrived
QByteArray packetAnswer(); // on the upload link, after each packet

/// True for the texts that the client recognises in the raw bytes of one read rather than as a
/// cut-out message (no-signal and scaler answers and notices, the HTTP acknowledgement). They
/// must reach the client in one piece.
bool mustArriveWhole(const QByteArray &text);

} // namespace SimReports
