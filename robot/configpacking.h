#pragma once
// How the configure file packs the settings pages' choices into its values,
// and unpacks them: an LED colour's brightness and blink frequency in one
// value, a radio's frequency hopping and channel, its bandwidth and power,
// the remote key map's entries and the on/off switches. Plain rules without
// widgets; the page and the reader of the file share them.

#include <array>

namespace configpacking {

// The items the settings pages offer: brightness "0 %" to "100 %" (0..10),
// frequency "0 Hz", "1 Hz", "2 Hz", "3 Hz", "random" (0..4), hopping
// "disable", "enable", channels 0..125, bandwidth "250 K", "1 M", "2 M"
// (0..2), power "0 dbm" to "-18 dbm" (0..3).
constexpr int MaxBrightness = 10;
constexpr int MaxFrequency = 4;
constexpr int MaxChannel = 125;
constexpr int MaxBandwidth = 2;
constexpr int MaxPower = 3;

// An LED colour: its value is brightness * 16 + frequency.
struct Led {
    int brightness = 0;
    int frequency = 0;
};
// Each part clamped to the items offered.
int packLed(Led led);
// The file's rule: brightness = (value >> 4) AND 15, frequency = value AND 7
// (the page shows a part beyond its items as the last item).
Led unpackLed(int value);

// A radio's channel: hopping * 256 + channel.
struct Channel {
    int hopping = 0;
    int channel = 0;
};
int packChannel(Channel channel);
// Hopping is 1 when the value is above 255; channel = value AND 127.
Channel unpackChannel(int value);
// A broadcast channel: value AND 127.
int unpackBroadcast(int value);

// A radio's mode: bandwidth * 256 + power.
struct RadioMode {
    int bandwidth = 0;
    int power = 0;
};
int packMode(RadioMode mode);
// bandwidth = (value >> 8) AND 3, power = value AND 3.
RadioMode unpackMode(int value);

// An on/off choice (the extra servos, fall checking): value AND 1.
int unpackSwitch(int value);

// A remote key map entry: 0 "file function", 1 "stop"; read values are
// clamped to 0..1.
int keyEntry(int value);
// The key map entries the remote key function boxes stand for, in the order
// Y, X, B, A, Start, Back, Up, Right, Left, Down, LB, RB, RAM; entry 12 and
// entries 14 to 34 have no box and are carried through.
constexpr std::array<int, 13> KeyFunctionEntries{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 13};

} // namespace configpacking
