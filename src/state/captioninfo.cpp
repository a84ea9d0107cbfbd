#include "captioninfo.h"

#include <QJsonObject>
#include <QJsonValue>
#include <QVariant>

namespace {
// The device writes its switches as the texts "true"/"false"; a JSON boolean is taken the
// same way so that either spelling works.
bool isTrueText(const QJsonValue &value)
{
    return value.toVariant().toString() == QLatin1String("true");
}
} // namespace

CaptionInfo CaptionInfo::fromReport(const QJsonObject &report)
{
    CaptionInfo info;
    info.switchOn = isTrueText(report.value(QLatin1String("Switch")));
    info.speed = report.value(QLatin1String("Speed")).toInt(info.speed);
    info.color = report.value(QLatin1String("Color")).toString(info.color);
    info.positionX = report.value(QLatin1String("Position_x")).toInt(info.positionX);
    info.positionY = report.value(QLatin1String("Position_y")).toInt(info.positionY);
    info.bgSwitchOn = isTrueText(report.value(QLatin1String("Bg_switch")));
    info.bgColor = report.value(QLatin1String("Bg_Color")).toString(info.bgColor);
    info.moveDir = report.value(QLatin1String("Move_dir")).toString(info.moveDir);
    return info;
}

bool CaptionInfo::operator==(const CaptionInfo &other) const
{
    return switchOn == other.switchOn && speed == other.speed && color == other.color &&
           positionX == other.positionX && positionY == other.positionY &&
           bgSwitchOn == other.bgSwitchOn && bgColor == other.bgColor && moveDir == other.moveDir;
}
