#pragma once
// A failure the user can act on: a one-line message for standard error and the exit status.

#include <stdexcept>
#include <string>

class CCliError : public std::runtime_error {
public:
    static constexpr int kFailure = 1;      // bad input, failed render, missing module
    static constexpr int kUsage = 2;        // bad command line

    explicit CCliError(const std::string& message, int nExitCode = kFailure)
        : std::runtime_error(message), m_nExitCode(nExitCode) {}
    int ExitCode() const { return m_nExitCode; }

private:
    int m_nExitCode;
};

// Throws a usage error (exit status 2).
[[noreturn]] inline void ThrowUsage(const std::string& message)
{
    throw CCliError(message, CCliError::kUsage);
}
