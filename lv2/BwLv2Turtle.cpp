#include "BwLv2Turtle.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace bwlv2 {

std::string turtleFloat(float f)
{
    char buf[64];
    // Start with at least the integer digits, so 100 prints as "100", not "1e+02".
    const double dMag = std::fabs(static_cast<double>(f));
    const int nFirst = dMag >= 1.0 ? std::min(9, static_cast<int>(std::log10(dMag)) + 1) : 1;
    for (int nDigits = nFirst; nDigits <= 9; ++nDigits) {
        std::snprintf(buf, sizeof buf, "%.*g", nDigits, static_cast<double>(f));
        if (std::strtof(buf, nullptr) == f)
            break;
    }
    std::string s = buf;
    if (s.find_first_of(".eE") == std::string::npos)
        s += ".0";
    return s;
}

std::string turtleString(const std::string& s)
{
    std::string out = "\"";
    for (char c : s) {
        if (c == '"' || c == '\\')
            out += '\\';
        out += c;
    }
    return out + "\"";
}

std::string slug(const std::string& s)
{
    std::string out;
    for (unsigned char c : s) {
        if (std::isalnum(c))
            out += static_cast<char>(std::tolower(c));
        else if (!out.empty() && out.back() != '-')
            out += '-';
    }
    while (!out.empty() && out.back() == '-')
        out.pop_back();
    return out;
}

std::string replaceAll(std::string text, const std::string& from, const std::string& to)
{
    for (size_t pos = text.find(from); pos != std::string::npos; pos = text.find(from, pos + to.size()))
        text.replace(pos, from.size(), to);
    return text;
}

}  // namespace bwlv2
