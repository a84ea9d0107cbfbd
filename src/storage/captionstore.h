#pragma once

#include "captionrecord.h"

#include <QMap>

/// Caption and OSD text settings per port in project.db. Holds no state.
class CaptionStore
{
public:
    /// Creates the caption table when it is missing.
    CaptionStore();

    bool createCaptionTable();
    /// Writes the port's row whole.
    bool saveCaption(int port, const QString &content, const QString &font, int fontSize, bool bold,
                     bool italic, bool underline);
    /// Port -> record.
    QMap<int, CaptionRecord> loadCaptions() const;
};
