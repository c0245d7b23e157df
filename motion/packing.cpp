#include "motion/packing.h"

namespace packing {

int musicWord(const Music &music)
{
    return ((music.control & 0x3) << 14) | ((music.type & 0x1) << 13) | ((music.folder & 0x1) << 12)
           | (music.file & 0xFFF);
}

Music unpackMusicWord(int word)
{
    const int w = word & 0xFFFF;
    Music music;
    music.control = w >> 14;
    music.type = (w >> 13) & 0x1;
    music.folder = (w >> 12) & 0x1;
    music.file = w & 0xFFF;
    return music;
}

int ledByte(const Led &led)
{
    return (((led.brightness & 0xF) * 16) + (led.frequency & 0xF)) & 0xFF;
}

Led unpackLedByte(int byte)
{
    Led led;
    led.brightness = (byte >> 4) & 0xF;
    led.frequency = byte & 0xF;
    return led;
}

} // namespace packing
