#include "CRenderJob.h"

#include "CAtomicFile.h"
#include "CAudioFile.h"
#include "CProgressBar.h"
#include "CStateRecord.h"
#include "CliError.h"
#include "TsraRand.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <random>

void ApplyRequestedSettings(CEffectSession& session, const std::optional<std::string>& stateFile,
                            const std::optional<std::string>& preset, const std::vector<std::string>& settings, bool bBypass)
{
    // Everything is checked before anything is applied, so errors come first.
    std::optional<SStateRecord> state;
    if (stateFile)
        state = ReadStateFile(*stateFile);
    std::optional<int> nPreset;
    if (preset)
        nPreset = ResolvePreset(*preset);

    if (state)
        session.RestoreState(state->m_Bytes);
    if (nPreset)
        session.ApplyPreset(*nPreset);
    for (const std::string& s : settings)
        session.ApplySetting(s);
    if (bBypass)
        session.SetBypass(true);
}

namespace {

// Planar buffers for one host buffer of every channel.
struct SPlanar {
    std::vector<std::vector<float>> m_Channels;
    std::vector<float*> m_Pointers;
    SPlanar(int nChannels, int32_t nFrames)
        : m_Channels(size_t(nChannels), std::vector<float>(size_t(nFrames), 0.0f))
    {
        for (auto& c : m_Channels)
            m_Pointers.push_back(c.data());
    }
    void Clear()
    {
        for (auto& c : m_Channels)
            std::fill(c.begin(), c.end(), 0.0f);
    }
};

}  // namespace

SRenderSummary RenderFile(const CModuleHost& host, const SRenderOptions& options)
{
    const auto start = std::chrono::steady_clock::now();
    if (IsSameFile(options.m_Input, options.m_Output))
        throw CCliError("the output '" + options.m_Output + "' is the input file; choose another output name");
    CAudioReader reader(options.m_Input);
    const int nFormat = OutputFormatFor(options.m_Output, reader.Format(), options.m_bFloat);
    if (options.m_StateIn)
        ReadStateFile(*options.m_StateIn);  // refuse a bad state before any work

    SRenderSummary summary;
    summary.m_nSeed = options.m_nSeed ? *options.m_nSeed : std::random_device{}();
    summary.m_nSampleRate = reader.SampleRate();
    summary.m_nFormat = nFormat;

    // The runtime generator is per thread; this thread creates and renders the instance.
    tsraSeedRand(summary.m_nSeed);
    const int nInputChannels = reader.Channels() == 1 && !options.m_bStereo ? 1 : 2;
    CEffectSession session(host, host.ComponentFor(nInputChannels), float(reader.SampleRate()), options.m_nBlock);
    ApplyRequestedSettings(session, options.m_StateIn, options.m_Preset, options.m_Settings, options.m_bBypass);
    // The state file is prepared now, so a bad path fails before the render, and appears
    // together with the audio.
    std::optional<CAtomicFile> stateFile;
    if (options.m_StateOut) {
        const std::vector<unsigned char> saved = session.SaveState();
        stateFile.emplace(*options.m_StateOut);
        stateFile->WriteAll(saved.data(), saved.size());
    }

    const int nOutputChannels = session.OutputChannels();
    summary.m_nChannels = nOutputChannels;
    CAudioWriter writer(options.m_Output, nFormat, nOutputChannels, reader.SampleRate());

    const int32_t nBlock = options.m_nBlock;
    const int nFileChannels = reader.Channels();
    SPlanar in(nInputChannels, nBlock), out(nOutputChannels, nBlock);
    std::vector<float> interleavedIn(size_t(nBlock) * size_t(nFileChannels));
    std::vector<float> interleavedOut(size_t(nBlock) * size_t(nOutputChannels));

    for (int64_t nPrime = std::llround(kSettleSeconds * reader.SampleRate()); nPrime > 0; nPrime -= nBlock)
        session.Render(in.m_Pointers.data(), out.m_Pointers.data(), int32_t(std::min<int64_t>(nBlock, nPrime)));

    const int64_t nTail = std::llround(options.m_fTailSeconds * reader.SampleRate());
    int64_t nInputLeft = reader.Frames();
    int64_t nToWrite = reader.Frames() + nTail;
    int64_t nToSkip = std::max<int32_t>(session.Latency(), 0);
    const double fTotalSeconds = double(nToWrite) / reader.SampleRate();
    CProgressBar progress(options.m_bProgress, fTotalSeconds);

    while (nToWrite > 0) {
        in.Clear();
        if (nInputLeft > 0) {
            const int64_t nWanted = std::min<int64_t>(nBlock, nInputLeft);
            const int64_t nRead = reader.Read(interleavedIn.data(), nWanted);
            nInputLeft = nRead < nWanted ? 0 : nInputLeft - nRead;
            for (int64_t f = 0; f < nRead; ++f)
                for (int c = 0; c < nInputChannels; ++c)
                    in.m_Channels[size_t(c)][size_t(f)] = interleavedIn[size_t(f) * size_t(nFileChannels) + size_t(std::min(c, nFileChannels - 1))];
        }
        session.Render(in.m_Pointers.data(), out.m_Pointers.data(), nBlock);

        const int64_t nSkipped = std::min<int64_t>(nToSkip, nBlock);
        nToSkip -= nSkipped;
        const int64_t nOut = std::min<int64_t>(nBlock - nSkipped, nToWrite);
        for (int64_t f = 0; f < nOut; ++f)
            for (int c = 0; c < nOutputChannels; ++c)
                interleavedOut[size_t(f) * size_t(nOutputChannels) + size_t(c)] = out.m_Channels[size_t(c)][size_t(nSkipped + f)];
        writer.Write(interleavedOut.data(), nOut);
        nToWrite -= nOut;
        summary.m_nFrames += nOut;
        progress.Update(double(summary.m_nFrames) / reader.SampleRate());
    }
    progress.Finish();
    writer.Commit();
    if (stateFile)
        stateFile->Commit();
    summary.m_nClipped = writer.ClippedSamples();
    summary.m_fWallSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return summary;
}
