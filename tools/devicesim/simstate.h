#pragma once

#include "state/devicetype.h"

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QString>
#include <QVector>

/// Everything the simulated device remembers. Plain data: DeviceModel changes it, the report
/// builders read it.
struct SimState
{
    /// Caption (subtitle) or the OSD of one input.
    struct Caption
    {
        bool on = false;
        int speed = 5;
        int red = 255, green = 255, blue = 255;
        int x = 0, y = 0;
        bool bgOn = false;
        int bgRed = 0, bgGreen = 0, bgBlue = 0;
        bool moveRight = false;
        int imageBytes = 0; // size of the bitmap last uploaded, 0 after an erase
    };

    /// What an output shows while its input has no signal: pattern 0 is a plain colour.
    struct NoSignal
    {
        int mode = 0;
        int red = 0, green = 0, blue = 0;
    };

    /// One window of the wall; input 0 means the window is closed.
    struct Window
    {
        int input = 0, layer = 0, x = 0, y = 0, width = 0, height = 0;
    };

    /// What a plan keeps: the routes and the layout they belong to.
    struct Plan
    {
        QMap<int, int> video, audio, ir, multiview;
        QMap<int, QList<int>> groups;
        int bindMode = 0;
        int spliceMode = 0;
        QMap<int, Window> windows;
        int vir = 0;
        int wallAudio = 1;
        QMap<int, int> rotate;
    };

    DeviceType type = Dev0809;
    int inputs = 8;
    int outputs = 9;
    QString typeText, mcu, fpga;

    bool audioFollow = true;
    QMap<int, int> video;     // output -> input
    QMap<int, int> audio;     // analog outputs 1.., HDMI audio outputs 101.. -> input
    QMap<int, int> ir;        // output -> input
    QMap<int, int> multiview; // multiview window 1..9 -> input
    int splitter = 0;

    QMap<int, bool> signal;              // input -> a source is present
    QMap<int, QString> inputResolution;  // input -> resolution of its source
    QMap<int, QString> outputResolution; // output -> resolution
    QMap<int, bool> link, frozen, locked, videoMute;
    QMap<int, int> hdcp, volume, mute, analogSelect, inputPattern, outputPattern, scaler;
    QMap<int, QString> edid; // input -> "builtin:N", "copy:N" or "upload"
    QMap<int, NoSignal> noSignal;
    Caption caption;
    QMap<int, Caption> osd;

    int bindMode = 0;
    int spliceMode = 0;
    QMap<int, QList<int>> groups; // master output -> members, master first

    QMap<int, Window> windows; // window 1..4; the open ones are layered 1..n from the bottom
    int vir = 0;
    int wallAudio = 1; // input heard on the wall's audio output
    QMap<int, int> rotate;
    QVector<uint> bezelX, bezelY;

    QString ip, gateway, subnet, mac;
    bool dhcp = false;

    QMap<int, Plan> plans;

    /// The state of a freshly reset device of the given model. The network address reported is
    /// `address`, so that a client that stores it keeps talking to the simulator.
    static SimState factory(DeviceType type, const QString &address);

    /// Model text of the version report ("0409-S" and so on).
    static QString modelText(DeviceType type);

    /// Inputs and outputs of a model.
    static int inputCountFor(DeviceType type);
    static int outputCountFor(DeviceType type);
};
