#pragma once

/// The device model. Stored as its number in config.ini and chosen in the login settings.
enum DeviceType {
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
