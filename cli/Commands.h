#pragma once
// The subcommands. Each takes the words after its name and returns the exit status; errors
// are thrown as CCliError and reported by main.

#include <string>
#include <vector>

int RunRender(const std::vector<std::string>& args);
int RunPresets(const std::vector<std::string>& args);
int RunParams(const std::vector<std::string>& args);
int RunDescribe(const std::vector<std::string>& args);
int RunState(const std::vector<std::string>& args);
int RunDemo(const std::vector<std::string>& args);
int RunEdit(const std::vector<std::string>& args);
int RunScreenshot(const std::vector<std::string>& args);
int RunAnalyze(const std::vector<std::string>& args);

// The top-level help text.
const char* UsageText();
