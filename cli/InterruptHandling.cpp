#include "InterruptHandling.h"

#include <atomic>
#include <csignal>
#include <cstring>
#include <unistd.h>

namespace {

constexpr size_t kMaxFiles = 8;
constexpr size_t kMaxPath = 4096;
char g_Paths[kMaxFiles][kMaxPath];
std::atomic<bool> g_bUsed[kMaxFiles];
std::atomic<bool> g_bDeferred{false};
std::atomic<int> g_nPending{0};  // the deferred signal, 0 for none

void OnSignal(int nSignal)
{
    // Only async-signal-safe calls here.
    if (g_bDeferred.load()) {
        g_nPending = nSignal;
        return;
    }
    for (size_t i = 0; i < kMaxFiles; ++i)
        if (g_bUsed[i].load())
            unlink(g_Paths[i]);
    static const char kMessage[] = "\nbrindlewarbler: interrupted\n";
    [[maybe_unused]] const ssize_t n = write(STDERR_FILENO, kMessage, sizeof kMessage - 1);
    _exit(128 + nSignal);
}

}  // namespace

void InstallInterruptHandlers()
{
    struct sigaction action{};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGHUP, &action, nullptr);
}

void RegisterTemporaryFile(const std::string& path)
{
    if (path.size() >= kMaxPath)
        return;
    for (size_t i = 0; i < kMaxFiles; ++i) {
        if (!g_bUsed[i].load()) {
            std::memcpy(g_Paths[i], path.c_str(), path.size() + 1);
            g_bUsed[i] = true;
            return;
        }
    }
}

void UnregisterTemporaryFile(const std::string& path)
{
    for (size_t i = 0; i < kMaxFiles; ++i)
        if (g_bUsed[i].load() && path == g_Paths[i])
            g_bUsed[i] = false;
}

void DeferInterrupts(bool bDefer)
{
    g_bDeferred = bDefer;
    if (!bDefer)
        g_nPending = 0;
}

bool InterruptRequested() { return g_nPending.load() != 0; }
