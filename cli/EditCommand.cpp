// brindlewarbler edit [IN] [--live]: the module's editor in an X11 window, as in a DAW. Edits go
// to the instance's parameters through the host; the audio device (JACK, PulseAudio, or a
// silent paced thread) plays IN in a loop through the instance, or with --live the JACK
// capture, so the meters move and the knobs are heard. On close the state is saved
// (--save-state) and IN is rendered with the final settings (--render).
//
// Threads: this one is the GUI thread (window, editor, its timer, ParameterUpdated); the
// device's audio thread renders; the automation delegate answers set-value requests on the
// parameter thread.
#include "CArguments.h"
#include "CAudioDevice.h"
#include "CAudioFile.h"
#include "CEditorWindow.h"
#include "CLoopSource.h"
#include "CRenderCallback.h"
#include "CRenderJob.h"
#include "CStateRecord.h"
#include "CliError.h"
#include "Commands.h"
#include "InterruptHandling.h"
#include "Resample.h"

#include "vstgui/cfont.h"

#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <unistd.h>

namespace {
constexpr int kBlock = 512;

std::vector<std::vector<float>> ReadChannels(const std::string& path, int& nSampleRate)
{
    CAudioReader reader(path);
    nSampleRate = reader.SampleRate();
    const int channels = reader.Channels();
    std::vector<std::vector<float>> out(static_cast<size_t>(channels));
    std::vector<float> buffer(static_cast<size_t>(4096 * channels));
    for (int64_t n; (n = reader.Read(buffer.data(), 4096)) > 0;)
        for (int64_t i = 0; i < n; ++i)
            for (int c = 0; c < channels; ++c)
                out[static_cast<size_t>(c)].push_back(buffer[static_cast<size_t>(i * channels + c)]);
    return out;
}

// The host tells the editor about every parameter whose value changed since the last look.
class CParameterRelay {
public:
    explicit CParameterRelay(const CEffectSession& session)
    {
        for (const SParameterInfo& p : session.Parameters())
            m_Seen[p.m_ID] = 0;
    }
    void Deliver(CHostInstance& instance)
    {
        AAX_IACFEffectGUI* pGUI = instance.GUI();
        if (!pGUI)
            return;
        for (auto& [id, seen] : m_Seen) {
            const uint32_t count = instance.Automation().CurrentValueCount(id.c_str());
            if (count != seen) {
                seen = count;
                pGUI->ParameterUpdated(id.c_str());
            }
        }
    }

private:
    std::map<std::string, uint32_t> m_Seen;
};
}  // namespace

namespace {
int Edit(const std::vector<std::string>& words)
{
    static const SOptionSpec kOptions[] = {{"preset", true, false},     {"state", true, false},
                                           {"save-state", true, false}, {"render", true, false},
                                           {"module", true, false},     {"audio", true, false},
                                           {"live", false, false}};
    const CArguments args(words, kOptions);
    args.ExpectPositionals(0, 1,
                           "brindlewarbler edit [IN] [--live] [--audio jack|pulse|none] [--preset P] [--state F] "
                           "[--save-state F] [--render OUT]");
    const std::optional<std::string> input =
        args.Positionals().empty() ? std::nullopt : std::optional<std::string>(args.Positionals().front());
    if (args.Has("render") && !input)
        ThrowUsage("--render needs an input file");
    const bool bLive = args.Has("live");
    if (bLive && input)
        ThrowUsage("--live plays the JACK capture, not a file");
    SAudioRequest request;
    if (args.Value("audio"))
        request.m_eBackEnd = ParseAudioBackEnd(*args.Value("audio"));
    request.m_bLive = bLive;

    int sampleRate = 48000;
    std::vector<std::vector<float>> channels;
    if (input)
        channels = ReadChannels(*input, sampleRate);
    request.m_fSampleRate = sampleRate;
    request.m_nBlock = kBlock;
    std::string notice;
    const std::unique_ptr<CAudioDevice> pDevice = OpenAudioDevice(request, notice);
    if (!notice.empty())
        std::fprintf(stderr, "%s\n", notice.c_str());
    // The engine runs at the device's rate: a file at another rate is converted once, here.
    const double deviceRate = pDevice->SampleRate();
    if (!channels.empty() && deviceRate != sampleRate)
        channels = ResampleChannels(channels, sampleRate, deviceRate);
    const int inputChannels = channels.empty() ? 2 : static_cast<int>(channels.size());
    const int maxFrames = pDevice->BufferFrames();

    const CModuleHost host(LocateModule(args.Value("module").value_or("")));
    CEffectSession session(host, host.ComponentFor(inputChannels), static_cast<float>(deviceRate), maxFrames);
    ApplyRequestedSettings(session, args.Value("state"), args.Value("preset"), {}, false);
    CHostInstance& instance = session.Instance();

    CEditorWindow window("BrindleWarbler", 900, 568);
    if (instance.CreateGUI() != AAX_SUCCESS)
        throw CCliError("the module offers no editor");
    instance.Automation().Start();
    instance.SetView(window.getWindow());
    AAX_Point size{};
    instance.GUI()->GetViewSize(&size);
    window.Resize(static_cast<int>(size.horz), static_cast<int>(size.vert));

    CLoopSource loop(std::move(channels));
    CRenderCallback callback(instance, maxFrames, bLive ? nullptr : &loop);
    pDevice->Start(callback);
    // Declared after the callback, so an exception stops the device before the callback goes.
    struct SStopAtExit {
        CAudioDevice& m_rDevice;
        ~SStopAtExit() { m_rDevice.Stop(); }
    } stopAtExit{*pDevice};
    CParameterRelay relay(session);
    // Ctrl-C closes the window like the window manager does, so the session ends in order.
    DeferInterrupts(true);
    window.Run([&] {
        relay.Deliver(instance);
        if (InterruptRequested())
            window.Close();
    });
    DeferInterrupts(false);
    pDevice->Stop();
    if (std::string(pDevice->Name()) != "none")
        std::fprintf(stderr, "%s\n", XrunSummary(*pDevice).c_str());
    instance.SetView(0);
    instance.Automation().Stop();
    session.Settle();

    std::vector<unsigned char> state = session.SaveState();
    std::string statePath;
    std::string tempState;
    if (args.Value("save-state")) {
        statePath = *args.Value("save-state");
        WriteStateFile(statePath, state);
    }
    if (args.Value("render")) {
        if (statePath.empty()) {
            char name[] = "/tmp/brindlewarbler-edit-XXXXXX";
            const int fd = mkstemp(name);
            if (fd < 0)
                throw CCliError("cannot make a temporary state file");
            close(fd);
            tempState = statePath = name;
            WriteStateFile(statePath, state);
        }
        SRenderOptions options;
        options.m_Input = *input;
        options.m_Output = *args.Value("render");
        options.m_StateIn = statePath;
        try {
            RenderFile(host, options);
        } catch (...) {
            if (!tempState.empty())
                std::remove(tempState.c_str());
            throw;
        }
        if (!tempState.empty())
            std::remove(tempState.c_str());
    }
    return 0;
}
}  // namespace

int RunEdit(const std::vector<std::string>& words)
{
    const int status = Edit(words);
    // Everything that drew is gone: cairo's process-wide caches can go too.
    VSTGUI::releaseFontCaches();
    return status;
}
