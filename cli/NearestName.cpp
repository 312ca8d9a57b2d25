#include "NearestName.h"

#include <algorithm>
#include <cctype>

namespace {

char Lower(char c) { return char(std::tolower(static_cast<unsigned char>(c))); }

bool StartsWithIgnoringCase(const std::string& text, const std::string& prefix)
{
    return prefix.size() <= text.size() && EqualsIgnoringCase(text.substr(0, prefix.size()), prefix);
}

}  // namespace

bool EqualsIgnoringCase(const std::string& a, const std::string& b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return Lower(x) == Lower(y); });
}

size_t NameDistance(const std::string& a, const std::string& b)
{
    // Optimal string alignment distance over three rows.
    const size_t n = a.size(), m = b.size();
    std::vector<size_t> prev2(m + 1), prev(m + 1), cur(m + 1);
    for (size_t j = 0; j <= m; ++j)
        prev[j] = j;
    for (size_t i = 1; i <= n; ++i) {
        cur[0] = i;
        for (size_t j = 1; j <= m; ++j) {
            const size_t cost = Lower(a[i - 1]) == Lower(b[j - 1]) ? 0 : 1;
            cur[j] = std::min({prev[j] + 1, cur[j - 1] + 1, prev[j - 1] + cost});
            if (i > 1 && j > 1 && Lower(a[i - 1]) == Lower(b[j - 2]) && Lower(a[i - 2]) == Lower(b[j - 1]))
                cur[j] = std::min(cur[j], prev2[j - 2] + 1);
        }
        prev2.swap(prev);
        prev.swap(cur);
    }
    return prev[m];
}

std::optional<std::string> NearestName(const std::string& wanted, const std::vector<std::string>& candidates)
{
    if (wanted.empty())
        return std::nullopt;
    std::optional<std::string> prefixMatch;
    size_t nPrefixMatches = 0;
    const std::string* pBest = nullptr;
    size_t nBest = 0;
    for (const std::string& c : candidates) {
        if (c.empty())
            continue;
        if (StartsWithIgnoringCase(c, wanted)) {
            prefixMatch = c;
            ++nPrefixMatches;
        }
        const size_t d = NameDistance(wanted, c);
        if (!pBest || d < nBest) {
            pBest = &c;
            nBest = d;
        }
    }
    // A third of the longer name may be wrong, but at least two characters are forgiven.
    if (pBest && nBest <= std::max<size_t>(2, std::max(wanted.size(), pBest->size()) / 3))
        return *pBest;
    if (nPrefixMatches == 1)
        return prefixMatch;
    return std::nullopt;
}

std::string DidYouMean(const std::string& wanted, const std::vector<std::string>& candidates)
{
    const std::optional<std::string> best = NearestName(wanted, candidates);
    return best ? "; did you mean \"" + *best + "\"?" : std::string();
}
