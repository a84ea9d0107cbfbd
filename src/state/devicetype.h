#pragma once

#include <QList>
#include <QString>

/// The device model. Stored as its number in config.ini and chosen in the login settings.
enum DeviceType
{
    Dev0808 = 0,
    Dev0809 = 1,
    Dev0409S = 2, // the video-wall model
    Dev0808S = 3,
    Dev0809M = 4, // the multiview model
    Dev0404 = 5,
};

/// 0..5 as they are, anything else the default Dev0809.
inline DeviceType deviceTypeFromInt(int n)
{
    return (n >= Dev0808 && n <= Dev0404) ? DeviceType(n) : Dev0809;
}

/// The model as the version report names it.
inline QString modelName(DeviceType type)
{
    static const char *const names[] = {"0808", "0809", "0409-S", "0808-S", "0809-M", "0404"};
    return QString::fromLatin1(names[deviceTypeFromInt(type)]);
}

/// The model a version report's name stands for; false for a name no model has.
inline bool modelFromName(const QString &name, DeviceType *type)
{
    for (int i = Dev0808; i <= Dev0404; ++i) {
        if (modelName(DeviceType(i)) == name) {
            *type = DeviceType(i);
            return true;
        }
    }
    return false;
}

/// Ports per side the tables are built for.
inline int portCountFor(DeviceType type)
{
    return (type == Dev0808 || type == Dev0808S) ? 8 : 9;
}

/// Splice mode of a Dev0808S: 1..5 as they are, anything else 0.
inline int spliceModeFromInt(int n)
{
    return (n >= 1 && n <= 5) ? n : 0;
}

/// Outputs joined by each splice mode of a Dev0808S (mode 0, or anything unknown: output 1 alone).
inline QList<int> spliceModeOutputs(int mode)
{
    switch (mode) {
    case 1:
        return {1, 2};
    case 2:
        return {1, 5};
    case 3:
        return {1, 2, 5, 6};
    case 4:
        return {1, 2, 3, 5, 6, 7};
    case 5:
        return {1, 2, 3, 4, 5, 6, 7, 8};
    default:
        return {1};
    }
}
