#include "CArguments.h"

#include "CliError.h"
#include "NearestName.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>

CArguments::CArguments(const std::vector<std::string>& words, std::span<const SOptionSpec> options)
{
    auto find = [&](const std::string& name) -> const SOptionSpec* {
        for (const SOptionSpec& o : options)
            if (name == o.m_pName)
                return &o;
        return nullptr;
    };
    bool bOptionsEnded = false;
    for (size_t i = 0; i < words.size(); ++i) {
        const std::string& w = words[i];
        if (bOptionsEnded || w.size() < 2 || w[0] != '-' || w == "-") {
            m_Positionals.push_back(w);
            continue;
        }
        if (w == "--") {
            bOptionsEnded = true;
            continue;
        }
        if (w[1] != '-')
            ThrowUsage("unknown option '" + w + "' (options are spelt --name)");
        std::string name = w.substr(2);
        std::optional<std::string> value;
        if (const size_t eq = name.find('='); eq != std::string::npos) {
            value = name.substr(eq + 1);
            name.erase(eq);
        }
        const SOptionSpec* pSpec = find(name);
        if (!pSpec) {
            std::vector<std::string> names;
            for (const SOptionSpec& o : options)
                names.push_back(o.m_pName);
            std::string hint = DidYouMean(name, names);
            if (!hint.empty())
                hint = "; did you mean --" + hint.substr(hint.find('"') + 1, hint.rfind('"') - hint.find('"') - 1) + "?";
            ThrowUsage("unknown option '--" + name + "'" + hint);
        }
        if (pSpec->m_bTakesValue && !value) {
            if (i + 1 >= words.size())
                ThrowUsage("option --" + name + " needs a value");
            value = words[++i];
        }
        if (!pSpec->m_bTakesValue && value)
            ThrowUsage("option --" + name + " takes no value");
        std::vector<std::string>& slot = m_Values[name];
        if (!slot.empty() && !pSpec->m_bRepeatable)
            ThrowUsage("option --" + name + " given more than once");
        slot.push_back(value.value_or(""));
    }
}

std::optional<std::string> CArguments::Value(const std::string& name) const
{
    const auto it = m_Values.find(name);
    if (it == m_Values.end() || it->second.empty())
        return std::nullopt;
    return it->second.back();
}

std::vector<std::string> CArguments::Values(const std::string& name) const
{
    const auto it = m_Values.find(name);
    return it == m_Values.end() ? std::vector<std::string>() : it->second;
}

void CArguments::ExpectPositionals(size_t nMin, size_t nMax, const std::string& usage) const
{
    if (m_Positionals.size() < nMin)
        ThrowUsage("missing argument; usage: " + usage);
    if (m_Positionals.size() > nMax)
        ThrowUsage("unexpected argument '" + m_Positionals[nMax] + "'; usage: " + usage);
}

long long ParseInteger(const std::string& text, const std::string& what, long long nMin, long long nMax)
{
    errno = 0;
    char* pEnd = nullptr;
    const long long n = std::strtoll(text.c_str(), &pEnd, 10);
    if (text.empty() || *pEnd != '\0' || errno == ERANGE)
        ThrowUsage(what + " must be a whole number, not '" + text + "'");
    if (n < nMin || n > nMax)
        ThrowUsage(what + " must be between " + std::to_string(nMin) + " and " + std::to_string(nMax) + ", not " + text);
    return n;
}

double ParseNumber(const std::string& text, const std::string& what, double fMin, double fMax)
{
    char* pEnd = nullptr;
    const double f = std::strtod(text.c_str(), &pEnd);
    if (text.empty() || *pEnd != '\0' || !std::isfinite(f))
        ThrowUsage(what + " must be a number, not '" + text + "'");
    if (f < fMin || f > fMax) {
        char range[96];
        std::snprintf(range, sizeof range, " must be between %g and %g, not ", fMin, fMax);
        ThrowUsage(what + range + text);
    }
    return f;
}
