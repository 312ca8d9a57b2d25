// brindlewarbler: the tape effect module from the command line, through the substitute host.

#include "CliError.h"
#include "Commands.h"
#include "InterruptHandling.h"
#include "NearestName.h"

#include <cstdio>
#include <exception>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    std::vector<std::string> words(argv + 1, argv + argc);
    if (words.empty()) {
        std::fputs(UsageText(), stderr);
        return CCliError::kUsage;
    }
    const std::string command = words.front();
    words.erase(words.begin());
    if (command == "-h" || command == "--help" || command == "help") {
        std::fputs(UsageText(), stdout);
        return 0;
    }
    struct SCommand {
        const char* m_pName;
        int (*m_pRun)(const std::vector<std::string>&);
    };
    static const SCommand kCommands[] = {{"render", RunRender}, {"presets", RunPresets}, {"params", RunParams},
                                         {"describe", RunDescribe}, {"state", RunState}, {"demo", RunDemo},
                                         {"edit", RunEdit}, {"screenshot", RunScreenshot}, {"analyze", RunAnalyze}};
    InstallInterruptHandlers();
    try {
        for (const SCommand& c : kCommands)
            if (command == c.m_pName)
                return c.m_pRun(words);
        std::vector<std::string> names;
        for (const SCommand& c : kCommands)
            names.push_back(c.m_pName);
        ThrowUsage("unknown command '" + command + "'" + DidYouMean(command, names) + " (try 'brindlewarbler --help')");
    } catch (const CCliError& e) {
        std::fprintf(stderr, "brindlewarbler: %s\n", e.what());
        return e.ExitCode();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "brindlewarbler: %s\n", e.what());
        return CCliError::kFailure;
    }
}
