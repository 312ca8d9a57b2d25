#pragma once
// In-place radix-2 complex FFT (forward, unscaled) for the analysis spectra.

#include <complex>
#include <vector>

// x.size() must be a power of two.
void ForwardFft(std::vector<std::complex<double>>& x);
