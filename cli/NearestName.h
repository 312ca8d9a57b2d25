#pragma once
// Nearest-name suggestions for mistyped presets, parameters, options and commands.

#include <optional>
#include <string>
#include <vector>

// Edit distance (insert, delete, substitute, swap of neighbours), ignoring ASCII case.
size_t NameDistance(const std::string& a, const std::string& b);

// The candidate closest to wanted, when it is close enough to be a plausible typo
// (or when wanted is a prefix of exactly one candidate).
std::optional<std::string> NearestName(const std::string& wanted, const std::vector<std::string>& candidates);

// "; did you mean \"X\"?" or the empty string.
std::string DidYouMean(const std::string& wanted, const std::vector<std::string>& candidates);

// ASCII case-insensitive equality.
bool EqualsIgnoringCase(const std::string& a, const std::string& b);
