#include "DemoSynth.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

constexpr double kPi = 3.14159265358979323846;

double MidiHz(int note) { return 440.0 * std::pow(2.0, (note - 69) / 12.0); }

// Adds a note: a few harmonics with an attack-release envelope, panned (-1 left ... 1 right).
void AddTone(SDemoPiece& piece, double fStart, double fLength, double fHz, double fGain, double fPan, int nHarmonics,
             double fDecay)
{
    const int rate = piece.m_nSampleRate;
    const size_t first = size_t(fStart * rate);
    const size_t count = size_t(fLength * rate);
    const double left = std::cos((fPan + 1.0) * kPi / 4.0), right = std::sin((fPan + 1.0) * kPi / 4.0);
    for (size_t i = 0; i < count && first + i < piece.Frames(); ++i) {
        const double t = double(i) / rate;
        const double env = std::min(1.0, t / 0.01) * std::min(1.0, (fLength - t) / 0.05) * std::exp(-t * fDecay);
        double s = 0.0;
        for (int h = 1; h <= nHarmonics; ++h)
            s += std::sin(2.0 * kPi * fHz * h * t) / (h * h);
        s *= env * fGain;
        piece.m_Interleaved[2 * (first + i)] += float(s * left);
        piece.m_Interleaved[2 * (first + i) + 1] += float(s * right);
    }
}

class CNoise {
public:
    double Next()
    {
        m_nState = m_nState * 1664525u + 1013904223u;
        return double(m_nState >> 8) / double(1u << 24) * 2.0 - 1.0;
    }

private:
    uint32_t m_nState = 0x1234567u;
};

void AddKick(SDemoPiece& piece, double fStart)
{
    const int rate = piece.m_nSampleRate;
    double phase = 0.0;
    for (size_t i = 0; i < size_t(0.35 * rate); ++i) {
        const size_t f = size_t(fStart * rate) + i;
        if (f >= piece.Frames())
            break;
        const double t = double(i) / rate;
        phase += 2.0 * kPi * (50.0 + 110.0 * std::exp(-t * 30.0)) / rate;
        const float s = float(0.8 * std::sin(phase) * std::exp(-t * 9.0));
        piece.m_Interleaved[2 * f] += s;
        piece.m_Interleaved[2 * f + 1] += s;
    }
}

void AddNoiseHit(SDemoPiece& piece, CNoise& noise, double fStart, double fLength, double fGain, double fDecay, bool bBright)
{
    const int rate = piece.m_nSampleRate;
    double last = 0.0;
    for (size_t i = 0; i < size_t(fLength * rate); ++i) {
        const size_t f = size_t(fStart * rate) + i;
        if (f >= piece.Frames())
            break;
        const double t = double(i) / rate;
        const double n = noise.Next();
        const double s = bBright ? n - last : n;  // a first difference brightens the hat
        last = n;
        const double env = fGain * std::exp(-t * fDecay);
        piece.m_Interleaved[2 * f] += float(s * env * (bBright ? 0.7 : 1.0));
        piece.m_Interleaved[2 * f + 1] += float(s * env * (bBright ? 1.0 : 0.9));
    }
}

}  // namespace

SDemoPiece SynthesiseDemoPiece(int nSampleRate, double fSeconds)
{
    SDemoPiece piece;
    piece.m_nSampleRate = nSampleRate;
    piece.m_Interleaved.assign(size_t(fSeconds * nSampleRate) * 2, 0.0f);
    const double beat = 0.5;  // 120 beats a minute

    // C, A minor, F, G: one bar of four beats each, repeated to fill the piece.
    const int chords[4][3] = {{60, 64, 67}, {57, 60, 64}, {53, 57, 60}, {55, 59, 62}};
    for (int bar = 0; bar * 4 * beat < fSeconds; ++bar)
        for (int v = 0; v < 3; ++v)
            AddTone(piece, bar * 4 * beat, 4 * beat, MidiHz(chords[bar % 4][v]), 0.12, -0.5 + 0.5 * v, 6, 0.4);

    // A pentatonic line in eighth notes over the chords.
    const int melody[] = {72, 74, 76, 79, 76, 74, 72, 69, 72, 76, 79, 81, 79, 76, 74, 72};
    for (int i = 0; i * beat / 2 < fSeconds; ++i)
        AddTone(piece, i * beat / 2, beat / 2 * 0.9, MidiHz(melody[i % 16]), 0.18, 0.2, 3, 2.0);

    CNoise noise;
    for (int b = 0; b * beat < fSeconds; ++b) {
        AddKick(piece, b * beat);
        if (b % 2 == 1)
            AddNoiseHit(piece, noise, b * beat, 0.2, 0.35, 18.0, false);
        AddNoiseHit(piece, noise, b * beat + beat / 2, 0.05, 0.15, 60.0, true);
    }

    float peak = 0.0f;
    for (const float s : piece.m_Interleaved)
        peak = std::max(peak, std::fabs(s));
    const float gain = peak > 0.0f ? 0.7079458f / peak : 1.0f;  // -3 dBFS
    for (float& s : piece.m_Interleaved)
        s *= gain;
    return piece;
}
