#include "robot/configpacking.h"

#include <algorithm>

namespace configpacking {

int packLed(Led led)
{
    return std::clamp(led.brightness, 0, MaxBrightness) * 16 + std::clamp(led.frequency, 0, MaxFrequency);
}

Led unpackLed(int value)
{
    return {(value >> 4) & 15, value & 7};
}

int packChannel(Channel channel)
{
    return std::clamp(channel.hopping, 0, 1) * 256 + std::clamp(channel.channel, 0, MaxChannel);
}

Channel unpackChannel(int value)
{
    return {value > 255 ? 1 : 0, value & 127};
}

int unpackBroadcast(int value)
{
    return value & 127;
}

int packMode(RadioMode mode)
{
    return std::clamp(mode.bandwidth, 0, MaxBandwidth) * 256 + std::clamp(mode.power, 0, MaxPower);
}

RadioMode unpackMode(int value)
{
    return {(value >> 8) & 3, value & 3};
}

int unpackSwitch(int value)
{
    return value & 1;
}

int keyEntry(int value)
{
    return std::clamp(value, 0, 1);
}

} // namespace configpacking
