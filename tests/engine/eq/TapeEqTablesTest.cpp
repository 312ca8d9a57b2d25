// Tape-formulation equaliser tables: the published 44.1 kHz rows, and the rows
// for the other five rates, which must reproduce the 44.1 kHz magnitude response at their own
// rates to within 0.8 dB from 20 Hz to 15 kHz.

#include "TapeEqTables.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <numbers>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr double kRates[kTapeEqRateCount] = {44100.0, 48000.0, 88200.0, 96000.0, 176400.0, 192000.0};
constexpr const char* kTypeNames[3] = {"I", "II", "IV"};

int tapCount(int table) { return kTapeEqHistoryLength[table / 3] + 1; }

std::string rowName(int table)
{
    std::ostringstream s;
    s << "row " << table << " (type " << kTypeNames[table % 3] << ", " << kRates[table / 3] << " Hz)";
    return s.str();
}

// |H(f)| in dB of a row at sample rate fs, H(f) = sum_j c[j] e^{-i 2 pi f j / fs}. Which end of
// the row multiplies the newest sample does not change the magnitude.
double magnitudeDb(int table, double fs, double f)
{
    std::complex<double> h = 0.0;
    const double w = 2.0 * std::numbers::pi * f / fs;
    for (int j = 0; j < tapCount(table); ++j)
        h += static_cast<double>(kTapeEqCoeffs[table][j]) * std::polar(1.0, -w * j);
    return 20.0 * std::log10(std::abs(h));
}

std::vector<double> logGrid(double lo, double hi, int points)
{
    std::vector<double> f(points);
    for (int i = 0; i < points; ++i)
        f[i] = lo * std::pow(hi / lo, static_cast<double>(i) / (points - 1));
    return f;
}

}  // namespace

TEST(TapeEqTables, LayoutAndUnusedSlots)
{
    const int32_t expected[kTapeEqRateCount] = {19, 21, 39, 43, 79, 87};
    for (int r = 0; r < kTapeEqRateCount; ++r)
        EXPECT_EQ(kTapeEqHistoryLength[r], expected[r]) << "rate index " << r;
    static_assert(kTapeEqTableCount == 3 * kTapeEqRateCount);

    for (int t = 0; t < kTapeEqTableCount; ++t) {
        ASSERT_LE(tapCount(t), kTapeEqRowLength);
        for (int j = tapCount(t); j < kTapeEqRowLength; ++j)
            EXPECT_EQ(kTapeEqCoeffs[t][j], 0.0f) << rowName(t) << ", slot " << j << " is past the last tap";
        for (int j = 0; j < tapCount(t); ++j)
            EXPECT_TRUE(std::isfinite(kTapeEqCoeffs[t][j])) << rowName(t) << ", slot " << j;
    }
}

// The published magnitude points and coefficient sums for the 44.1 kHz rows.
TEST(TapeEqTables, ReferenceRowsHaveThePublishedResponse)
{
    const double freqs[6] = {100.0, 1000.0, 5000.0, 10000.0, 15000.0, 20000.0};
    const double expectedDb[3][6] = {
        {0.9, 0.3, -3.2, -9.8, -8.8, -34.6},
        {0.0, 0.2, 0.1, -1.9, -4.0, -26.3},
        {-0.9, -0.2, 0.8, 0.1, -1.1, -11.1},
    };
    const double expectedSum[3] = {1.113, 1.000, 0.901};
    for (int t = 0; t < 3; ++t) {
        double sum = 0.0;
        for (int j = 0; j < tapCount(t); ++j)
            sum += kTapeEqCoeffs[t][j];
        EXPECT_NEAR(sum, expectedSum[t], 0.0005) << rowName(t);
        for (int i = 0; i < 6; ++i)
            EXPECT_NEAR(magnitudeDb(t, 44100.0, freqs[i]), expectedDb[t][i], 0.1)
                << rowName(t) << " at " << freqs[i] << " Hz";
    }
}

// Every row, at its own rate, against the 44.1 kHz row of the same type at 44.1 kHz.
TEST(TapeEqTables, EveryRowMatchesTheReferenceMagnitude)
{
    constexpr double kToleranceDb = 0.8;
    const std::vector<double> grid = logGrid(20.0, 15000.0, 3000);
    for (int t = 0; t < kTapeEqTableCount; ++t) {
        double worstDb = 0.0;
        double worstHz = 0.0;
        for (double f : grid) {
            const double dev = magnitudeDb(t, kRates[t / 3], f) - magnitudeDb(t % 3, 44100.0, f);
            if (std::abs(dev) > std::abs(worstDb)) {
                worstDb = dev;
                worstHz = f;
            }
        }
        EXPECT_LE(std::abs(worstDb), kToleranceDb)
            << rowName(t) << " deviates by " << worstDb << " dB at " << worstHz << " Hz";
    }
}

// No row boosts anywhere up to its Nyquist frequency, and above 22.05 kHz (inaudible, present
// only at the higher rates) every row stays well below unity instead of blowing up.
TEST(TapeEqTables, NoRowBlowsUpTowardsNyquist)
{
    constexpr double kMaxGainDb = 3.0;
    constexpr double kMaxGainAbove22kDb = -20.0;
    constexpr int kPoints = 8000;
    for (int t = 0; t < kTapeEqTableCount; ++t) {
        const double fs = kRates[t / 3];
        double peakDb = -1e9, peakHz = 0.0;
        double highDb = -1e9, highHz = 0.0;
        for (int i = 0; i <= kPoints; ++i) {
            const double f = 0.5 * fs * i / kPoints;
            const double g = magnitudeDb(t, fs, f);
            if (g > peakDb) {
                peakDb = g;
                peakHz = f;
            }
            if (f > 22050.0 && g > highDb) {
                highDb = g;
                highHz = f;
            }
        }
        EXPECT_LE(peakDb, kMaxGainDb) << rowName(t) << " peaks at " << peakDb << " dB at " << peakHz << " Hz";
        if (fs > 44100.0) {
            EXPECT_LE(highDb, kMaxGainAbove22kDb)
                << rowName(t) << " reaches " << highDb << " dB at " << highHz << " Hz";
        }
    }
}
