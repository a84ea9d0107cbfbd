#pragma once

#include <QString>

class QJsonObject;

/// Caption (subtitle) or OSD settings of one input, as the device reports them.
struct CaptionInfo
{
    bool switchOn = false;
    int speed = 0;
    QString color = QStringLiteral("255,255,255"); // "r,g,b" in decimal
    int positionX = 0;
    int positionY = 0;
    bool bgSwitchOn = false;
    QString bgColor = QStringLiteral("255,255,255");
    QString moveDir = QStringLiteral("left");

    /// Reads the report keys ("Switch", "Speed", "Color", ...); a missing or mistyped key keeps
    /// its default.
    static CaptionInfo fromReport(const QJsonObject &report);

    bool operator==(const CaptionInfo &other) const;
    bool operator!=(const CaptionInfo &other) const { return !(*this == other); }
};
