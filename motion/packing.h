#pragma once
// Packed forms of a frame's music command and LED channel states, as the
// operation file and the robot's requests carry them.

namespace packing {

struct Music {
    int control = 0; // 0 none, 1 pause, 2 stop, 3 play
    int type = 0;    // 0 mp3, 1 wav
    int folder = 0;  // 0 SD card, 1 flash
    int file = 0;    // 0..4095
};

// Music word: bits 15-14 control, bit 13 type, bit 12 folder, bits 11-0 file.
// Each field is masked to its width, so the word is always 0..65535.
int musicWord(const Music &music);
// Only the low 16 bits of the word are read.
Music unpackMusicWord(int word);

struct Led {
    int brightness = 0; // tenths, 0..10
    int frequency = 0;  // 0 "0 Hz", 1 "1 Hz", 2 "2 Hz", 3 "3 Hz", 4 "random"
};

// LED byte: brightness (4 bits) x 16 + frequency (4 bits), masked to 8 bits.
int ledByte(const Led &led);
Led unpackLedByte(int byte);

} // namespace packing
