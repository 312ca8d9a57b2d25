#include "CLoopSource.h"

#include <algorithm>
#include <cstring>

CLoopSource::CLoopSource(std::vector<std::vector<float>> channels) : m_Channels(std::move(channels))
{
    m_nLength = m_Channels.empty() ? 0 : m_Channels.front().size();
}

void CLoopSource::Read(float* const* ppOut, int nChannels, int nFrames)
{
    const auto nWanted = size_t(nFrames);
    for (int c = 0; c < nChannels; ++c) {
        if (m_nLength == 0) {
            std::memset(ppOut[c], 0, nWanted * sizeof(float));
            continue;
        }
        const std::vector<float>& source = m_Channels[std::min(size_t(c), m_Channels.size() - 1)];
        for (size_t done = 0, at = m_nPosition; done < nWanted;) {
            const size_t n = std::min(nWanted - done, m_nLength - at);
            std::memcpy(ppOut[c] + done, source.data() + at, n * sizeof(float));
            done += n;
            at = (at + n) % m_nLength;
        }
    }
    if (m_nLength)
        m_nPosition = (m_nPosition + nWanted) % m_nLength;
}
