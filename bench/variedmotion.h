#pragma once
// The motion the benchmarks open, edit and draw: every value set, LEDs
// changing every fourth frame, one loop per 50 frames.
#include "motion/frametable.h"

inline frametable::FrameRows variedMotion(int frames)
{
    using namespace frametable;
    FrameRows rows;
    rows.reserve(frames);
    for (int r = 0; r < frames; ++r) {
        FrameCells cells;
        for (int c = 0; c < ServoCount; ++c)
            cells[c] = ((r * 37 + c * 101) % 6001) - 3000;
        cells[ColOperationTime] = 200 + r % 800;
        cells[ColDelayTime] = r % 300;
        cells[ColLoopFlag] = r % 50 == 0 ? LoopStart : r % 50 == 49 ? LoopEnd : LoopNone;
        cells[ColLoopTimes] = r % 50 == 0 ? 3 : 0;
        cells[ColMusicControl] = r % 100 == 0 ? 3 : 0;
        cells[ColMusicType] = 1;
        cells[ColMusicFolder] = 1;
        cells[ColMusicFile] = r % 4096;
        cells[ColVolume] = 60;
        for (int k = 0; k < LedChannelCount; ++k) {
            cells[ledBrightnessColumn(k)] = (r / 4 + k) % 11;
            cells[ledFrequencyColumn(k)] = (r / 4) % 5;
        }
        rows.append(cells);
    }
    return rows;
}
