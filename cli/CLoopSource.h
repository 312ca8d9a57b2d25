#pragma once
// The file that edit plays: its channels held in memory and read in a loop, block after
// block. No channels: silence.
//
// Threading: built on the main thread, then read only by the audio thread.

#include <cstddef>
#include <vector>

class CLoopSource {
public:
    explicit CLoopSource(std::vector<std::vector<float>> channels);

    // The next nFrames into nChannels buffers (a mono file feeds every channel), wrapping
    // at the end. Allocates nothing.
    void Read(float* const* ppOut, int nChannels, int nFrames);

private:
    std::vector<std::vector<float>> m_Channels;
    size_t m_nLength = 0;
    size_t m_nPosition = 0;
};
