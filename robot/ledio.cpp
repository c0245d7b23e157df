#include "robot/ledio.h"

#include <algorithm>

#include "motion/packing.h"

namespace ledio {

int brightnessTenth(int sliderValue)
{
    return std::clamp(sliderValue, 0, 100) / 10;
}

quint8 ledByte(int sliderValue, int frequencyIndex)
{
    return quint8(packing::ledByte({brightnessTenth(sliderValue), std::clamp(frequencyIndex, 0, 4)}));
}

// No selection (-1) counts as the first item.
static int bit(int index)
{
    return index < 0 ? 0 : index % 2;
}

quint8 ioByte(int io1Index, int io2Index)
{
    return quint8(bit(io1Index) * 2 + bit(io2Index));
}

int io1Level(int state)
{
    return (state >> 1) & 1;
}

int io2Level(int state)
{
    return state & 1;
}

} // namespace ledio
