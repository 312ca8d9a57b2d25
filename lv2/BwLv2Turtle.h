#pragma once
// Small Turtle writing helpers for the TTL generator.

#include <string>

namespace bwlv2 {

// The shortest decimal text that reads back as the same float, always a Turtle decimal or
// double (never a bare integer), so hosts see a float literal.
std::string turtleFloat(float f);
// A quoted Turtle string literal.
std::string turtleString(const std::string& s);
// Lower-case letters and digits, other runs as one '-': "A Little Aged" -> "a-little-aged".
std::string slug(const std::string& s);
// Replaces every occurrence of a placeholder.
std::string replaceAll(std::string text, const std::string& from, const std::string& to);

}  // namespace bwlv2
