#include "TapePresets.h"

// Values written with an f suffix were saved in single precision; they are kept as that
// float widened to double, so a preset recalls exactly the value that was saved.
const char* const kTapePresetNames[kTapePresetSlots] = {
    "Factory Preset", "A Little Aged", "Dirty Drums", "Well Loved Walkman", "1988",
    "Eccentric Junction", "Dropping Out", "Lost Tape", "Unstable Stereo", "Decayed Tremolo",
    "Disintegrated", "Dusty Piano", "Trashcan Drums", "", "", "",
};

// Columns: Wow Depth, Wow Rate, Flutter Depth, Flutter Rate, Tape Hiss, Dropout Amount,
// Saturation, Dropout Intensity, Input, Output, Wow LFO, Tape Type, Flutter LFO, Age,
// NR Comp, Mono/Stereo Dropouts.
const double kTapePresetValues[kTapePresetSlots][kTapePresetControls] = {
    {0, 0.18, 0, 5, -42, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0},
    {50, 1.1013, 43.359375f, 8.117188f, -50.405209f, 4.023438f, 1, 0.388281f, 0, 0, 0, 1, 1, 2, 0, 1},
    {0, 0.02, 0, 5, -96, 0, 7.3, 0.16, -0.84375, 0, 0, 0, 0, 1, 1, 1},
    {31.499996f, 1.3397, 36.499996f, 6.47, -42.070335f, 8.599999f, 1, 0.605, -0.84375, 0, 0, 0, 0, 4, 0, 1},
    {31.999996f, 1.7736, 58, 7.695, -47.295631f, 5.5, 1.9, 0.22, 0, 0, 0, 1, 1, 2, 1, 1},
    {25, 3.1823, 76, 7.45, -52.65749f, 10, 9.055, 0.705, 0, 0, 0, 2, 1, 0, 0, 1},
    {25, 3.1823, 76, 7.45, -57.499996f, 8.75, 1, 0.985, 0, 0, 0, 0, 1, 2, 0, 0},
    {22.999998f, 2.3463, 21.500004f, 8.045, -43.753662f, 4.5, 3.97, 0.75, 0, 0, 1, 0, 1, 4, 0, 1},
    {0, 0.02, 0, 5, -96, 10, 1, 1, -7.125, -7.125, 1, 2, 1, 1, 1, 1},
    {0, 0.02, 0, 5, -96, 10, 5.86, 1, 0, 0, 1, 2, 1, 0, 1, 0},
    {100, 2.9582, 85.5, 11.405001f, -96, 10, 10, 1, 0.839999f, 0, 0, 2, 1, 4, 0, 1},
    {16.5, 2.8088, 12.5, 8.465, -44.579895f, 0, 1.855, 0, 0.1875, 0, 0, 2, 1, 0, 1, 0},
    {28.500002f, 0.767, 4.500003f, 5, -96, 3.2, 8.515, 0.635, 4.676249f, 0, 0, 2, 0, 2, 1, 1},
    {},
    {},
    {},
};
