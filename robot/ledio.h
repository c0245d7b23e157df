#pragma once
// The bytes of the LED and IO requests, from what the LED page shows.

#include <QtGlobal>

namespace ledio {

// A brightness slider (0..100) in tenths: the multiple of 10 it rests on, / 10.
int brightnessTenth(int sliderValue);
// LED byte of a channel: tenth of the slider x 16 + frequency index (no
// selection counts as "0 Hz").
quint8 ledByte(int sliderValue, int frequencyIndex);
// SetIo's two bytes: IO 1's index x 2 + IO 2's index, each taken modulo 2
// (the direction byte from "in"/"out", the value byte from "0"/"1").
quint8 ioByte(int io1Index, int io2Index);
// An IoState byte: bit 1 is IO 1, bit 0 IO 2.
int io1Level(int state);
int io2Level(int state);

} // namespace ledio
