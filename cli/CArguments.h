#pragma once
// The command line of one subcommand: positional words and --options, checked against the
// options the subcommand accepts. "--name value" and "--name=value" are both accepted; "--"
// ends the options. Unknown or repeated options and missing values are usage errors.

#include <map>
#include <optional>
#include <span>
#include <string>
#include <vector>

struct SOptionSpec {
    const char* m_pName;    // without the leading dashes
    bool m_bTakesValue;
    bool m_bRepeatable;
};

class CArguments {
public:
    // Throws CCliError (usage) on any malformed option.
    CArguments(const std::vector<std::string>& words, std::span<const SOptionSpec> options);

    bool Has(const std::string& name) const { return m_Values.count(name) != 0; }
    std::optional<std::string> Value(const std::string& name) const;
    std::vector<std::string> Values(const std::string& name) const;
    const std::vector<std::string>& Positionals() const { return m_Positionals; }

    // Throws a usage error unless there are between nMin and nMax positional words.
    void ExpectPositionals(size_t nMin, size_t nMax, const std::string& usage) const;

private:
    std::map<std::string, std::vector<std::string>> m_Values;
    std::vector<std::string> m_Positionals;
};

// Strict number parsing for option values; the message names the option and the range.
long long ParseInteger(const std::string& text, const std::string& what, long long nMin, long long nMax);
double ParseNumber(const std::string& text, const std::string& what, double fMin, double fMax);
