#pragma once

/// Positions of the function list: what each entry of a user's function permissions governs.
enum PermissionFunction
{
    SplicingSettingFunction = 0,
    SplicingWallFunction = 1,
    SignalOsdFunction = 2,
    SignalEdidFunction = 3,
    SignalVolumeFunction = 4,
    SignalHdcpFunction = 5,
    SpliceFunction = 6,
    ResolutionFunction = 7,
    NoSignalOutputFunction = 8,
    ScalingModeFunction = 9,
    SwitchLayoutFunction = 10,
    PlanOperationFunction = 11,
    NoSignalInputFunction = 12,
    MatrixGraphicsTestFunction = 13,
    SignalGraphicsTestFunction = 14,
    NetWorkFunction = 15,
    CaptionFunction = 16,
    UserFunction = 17,
    BezelFunction = 18,
    DhcpFunction = 19,
    LoginFreeFunction = 20,
    VersionInformationFunction = 21,
    VideoSwitchFunction = 22,
    AudioSwitchFunction = 23,
    HdmiAudioSwitchFunction = 24,
    InfraredSwitchFunction = 25,
    CloseOpenOutputFunction = 26,
    PausePlayOutputFunction = 27,
};

/// Port kinds of the port permission checks.
enum PermissionPortKind
{
    InputPortKind = 0,
    OutputPortKind = 1,
    AudioInputPortKind = 2,
    AnalogOutputPortKind = 3,
};
