#pragma once

#include <QMap>
#include <QString>

/// Which name table savePortName() and loadPortNames() use.
enum PortNameKind
{
    InputVideoName = 0,
    OutputVideoName = 1,
    InputAudioName = 2,
};

/// The operator's names of ports in project.db, one row per 1-based port. Holds no state.
class PortNameStore
{
public:
    /// Creates the five name tables when they are missing.
    PortNameStore();

    bool createPortNameTables();

    /// Kinds 0, 1 and 2 only; any other kind stores nothing and gives false.
    bool savePortName(int port, const QString &name, int kind);
    bool saveOutputAudioName(int port, const QString &name);

    /// Port -> name. Kind 0 input video, 2 input audio, every other kind output video.
    QMap<int, QString> loadPortNames(int kind) const;
    QMap<int, QString> loadOutputAudioNames() const;
};
