#include "Fft.h"

#include <cassert>
#include <cmath>
#include <numbers>
#include <utility>

void ForwardFft(std::vector<std::complex<double>>& x)
{
    const size_t n = x.size();
    assert(n != 0 && (n & (n - 1)) == 0);
    for (size_t i = 1, j = 0; i < n; ++i) {
        size_t bit = n >> 1;
        for (; j & bit; bit >>= 1)
            j ^= bit;
        j ^= bit;
        if (i < j)
            std::swap(x[i], x[j]);
    }
    for (size_t len = 2; len <= n; len <<= 1) {
        const double a = -2.0 * std::numbers::pi / double(len);
        for (size_t k = 0; k < len / 2; ++k) {
            // Each twiddle directly from the angle: no error builds up along a long transform.
            const std::complex<double> w(std::cos(a * double(k)), std::sin(a * double(k)));
            for (size_t i = k; i < n; i += len) {
                const std::complex<double> u = x[i], v = x[i + len / 2] * w;
                x[i] = u + v;
                x[i + len / 2] = u - v;
            }
        }
    }
}
