#pragma once
// Audio files through libsndfile: a reader for anything libsndfile reads (one or two
// channels), and a writer that goes through CAtomicFile, choosing the format from the output
// file's extension. Samples are 32-bit float, interleaved.
//
// Threading: one thread per object.

#include "CAtomicFile.h"

#include <sndfile.h>

#include <cstdint>
#include <memory>
#include <string>

class CAudioReader {
public:
    // Throws CCliError: missing or unreadable file, a format libsndfile does not know, no
    // channels or more than two.
    explicit CAudioReader(const std::string& path);
    ~CAudioReader();
    CAudioReader(const CAudioReader&) = delete;
    CAudioReader& operator=(const CAudioReader&) = delete;

    int Channels() const { return m_Info.channels; }
    int SampleRate() const { return m_Info.samplerate; }
    int64_t Frames() const { return m_Info.frames; }
    int Format() const { return m_Info.format; }
    // Reads up to nFrames frames; returns the number read (0 at the end). Throws on a read error.
    int64_t Read(float* pInterleaved, int64_t nFrames);

private:
    std::string m_Path;
    SF_INFO m_Info{};
    SNDFILE* m_pFile = nullptr;
};

class CAudioWriter {
public:
    // Throws CCliError when the format cannot hold these channels and rate or the folder is
    // not writable. Nothing appears at path until Commit.
    CAudioWriter(const std::string& path, int nFormat, int nChannels, int nSampleRate);
    ~CAudioWriter();
    CAudioWriter(const CAudioWriter&) = delete;
    CAudioWriter& operator=(const CAudioWriter&) = delete;

    void Write(const float* pInterleaved, int64_t nFrames);
    void Commit();
    // Samples beyond full scale that an integer format had to clip.
    uint64_t ClippedSamples() const { return m_nClipped; }

private:
    std::string m_Path;
    CAtomicFile m_File;
    SF_INFO m_Info{};
    SNDFILE* m_pFile = nullptr;
    bool m_bIntegerFormat = false;
    uint64_t m_nClipped = 0;
};

// The libsndfile format for an output path: the container from the extension (.wav, .aif,
// .aiff, .flac, .ogg/.oga, .au, .caf, .w64, .rf64), the encoding from the input's when the
// container can hold it (else a sensible default), 32-bit float when bFloat. Throws CCliError
// for an unknown extension or a container that cannot hold float.
int OutputFormatFor(const std::string& path, int nInputFormat, bool bFloat);

// "WAV 16-bit PCM" and the like.
std::string DescribeFormat(int nFormat);
