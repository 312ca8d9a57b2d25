#pragma once
// The demo's test piece, made from nothing: chords, a melody and percussive hits, stereo,
// deterministic (its noise comes from its own generator), peaking at -3 dBFS.

#include <cstddef>
#include <vector>

struct SDemoPiece {
    int m_nSampleRate = 0;
    std::vector<float> m_Interleaved;  // stereo frames
    size_t Frames() const { return m_Interleaved.size() / 2; }
};

SDemoPiece SynthesiseDemoPiece(int nSampleRate = 44100, double fSeconds = 6.0);
