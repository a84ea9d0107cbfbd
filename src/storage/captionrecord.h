#pragma once

#include <QString>

/// Text settings of a caption or OSD, as remembered per port in project.db.
struct CaptionRecord
{
    QString content;
    QString font;
    int fontSize = 0;
    bool isBold = false;
    bool isItalic = false;
    bool isUnderline = false;
};
