#pragma once
// Sample-rate conversion of whole channels (libsamplerate, best sinc), done once when a file
// is loaded for a device that runs at another rate.

#include <vector>

// Throws CCliError when the converter fails.
std::vector<std::vector<float>> ResampleChannels(const std::vector<std::vector<float>>& channels, double fFromRate,
                                                 double fToRate);
