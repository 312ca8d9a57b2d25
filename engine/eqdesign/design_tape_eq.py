#!/usr/bin/python3
"""Designs the tape-formulation equaliser FIR tables and writes engine/TapeEqTables.cpp.

The three 44.1 kHz rows (tape types I, II, IV) are the measured originals, copied verbatim.
The fifteen rows for 48, 88.2, 96, 176.4 and 192 kHz are designed here: each reproduces, at
its own sample rate, the magnitude response of the 44.1 kHz row of the same type. Only the
magnitude is specified; the phase is free.

Method (per row, all in double precision):
  * Frequency grid: 600 log-spaced points from 20 Hz to 15 kHz (the band that must match) and
    a linear grid from 15 kHz to the row's Nyquist frequency (the roll-off band).
  * Target magnitude: |H44(f)| of the reference row. In the roll-off band the target follows
    the reference up to 22.05 kHz (its own Nyquist frequency) and stays at the reference's
    Nyquist level above that, so the higher rates keep the reference's smooth roll-off and
    its floor (about -36, -81 and -32 dB for types I, II and IV) instead of boosting.
  * Magnitude-only weighted least squares by phase iteration: solve a complex weighted
    least-squares fit to target * exp(j * phase), then replace the phase by that of the new
    response, and repeat. The first phase is the reference row's own phase at the same
    frequency in Hz, so the designed rows keep roughly the reference's delay in seconds.
    Passband weights are 1/|target| (relative error, close to an error in dB); after the
    first 100 iterations a Lawson-style reweighting pushes the passband fit towards minimax.
  * Coefficients are rounded to float and the deviation is re-measured on a denser grid.

Coefficient order is the engine's: in a row of N + 1 taps, coefficient j multiplies the sample
N - j frames old. Since time reversal does not change the magnitude response, the fit treats
coefficient j as the term z^-j, exactly as the 44.1 kHz rows are listed.

Run from anywhere (Debian python3 with python3-numpy and python3-scipy, see scripts/setup):
    /usr/bin/python3 engine/eqdesign/design_tape_eq.py [--output PATH]
It prints one line per row with its maximum deviation and writes the C++ file.
"""

import argparse
import os
import sys

import numpy as np

RATES = [44100, 48000, 88200, 96000, 176400, 192000]
HISTORY_LENGTH = [19, 21, 39, 43, 79, 87]  # highest history position N; a row has N + 1 taps
ROW_LENGTH = 88
TYPE_NAMES = ["I", "II", "IV"]

# The 44.1 kHz rows exactly as published (coefficient 0 first), kept as text so that the
# generated file carries the very same decimals.
REFERENCE_ROWS = [
    # Type I (t = 0)
    "0.017245 0.030399 0.0415 0.086619 0.141 0.25544 0.34727 0.17662 -0.056497 0.0084844 "
    "0.041638 -0.082135 0.011297 0.060474 -0.024508 0.034168 0.024323 -0.017799 0.020888 -0.003101",
    # Type II (t = 1)
    "0.028642 0.038606 0.047994 0.08772 0.17101 0.35394 0.51095 0.1505 -0.33176 -0.053693 "
    "0.080292 -0.11177 0.022581 0.030816 -0.046808 0.018512 0.0058634 -0.016009 0.011183 0.0014164",
    # Type IV (t = 2)
    "0.013513 0.016422 0.033672 0.048599 0.12091 0.28465 0.65116 0.24819 -0.46583 0.063425 "
    "-0.0020805 -0.10098 0.074939 -0.075787 0.032622 -0.0264 -0.0057769 0.0014341 -0.015392 0.0034338",
]

PASS_LO_HZ = 20.0
PASS_HI_HZ = 15000.0
REFERENCE_NYQUIST_HZ = 22050.0
PASS_POINTS = 600
ROLLOFF_POINTS_PER_44K = 400   # roll-off band points, scaled with the sample rate
ROLLOFF_WEIGHT = 2.0           # absolute (linear) error weight in the roll-off band
ITERATIONS = 300
LAWSON_START = 100
TOLERANCE_DB = 0.8             # the allowed deviation; the design aims far below it


def response(coeffs, freqs_hz, fs):
    """H(f) = sum_j c[j] exp(-i 2 pi f j / fs)."""
    taps = np.arange(len(coeffs))
    return np.exp(-2j * np.pi * np.outer(freqs_hz, taps) / fs) @ np.asarray(coeffs, dtype=float)


def reference(type_index):
    return np.array([float(v) for v in REFERENCE_ROWS[type_index].split()])


def design_row(type_index, rate_index):
    fs = RATES[rate_index]
    taps = HISTORY_LENGTH[rate_index] + 1
    ref = reference(type_index)

    f_pass = np.geomspace(PASS_LO_HZ, PASS_HI_HZ, PASS_POINTS)
    f_roll = np.linspace(PASS_HI_HZ, fs / 2, int(ROLLOFF_POINTS_PER_44K * fs / 44100))[1:]

    t_pass = response(ref, f_pass, 44100)
    t_roll = response(ref, np.minimum(f_roll, REFERENCE_NYQUIST_HZ), 44100)
    mag_pass, mag_roll = np.abs(t_pass), np.abs(t_roll)
    phase_pass, phase_roll = np.angle(t_pass), np.angle(t_roll)

    e_pass = np.exp(-2j * np.pi * np.outer(f_pass, np.arange(taps)) / fs)
    e_roll = np.exp(-2j * np.pi * np.outer(f_roll, np.arange(taps)) / fs)
    w_pass_base = 1.0 / mag_pass
    w_roll = np.full(len(f_roll), ROLLOFF_WEIGHT)
    lawson = np.ones(len(f_pass))

    coeffs = None
    for iteration in range(ITERATIONS):
        w_pass = w_pass_base * np.sqrt(lawson)
        a = np.vstack([e_pass * w_pass[:, None], e_roll * w_roll[:, None]])
        b = np.concatenate([mag_pass * np.exp(1j * phase_pass) * w_pass,
                            mag_roll * np.exp(1j * phase_roll) * w_roll])
        coeffs = np.linalg.lstsq(np.vstack([a.real, a.imag]),
                                 np.concatenate([b.real, b.imag]), rcond=None)[0]
        h_pass, h_roll = e_pass @ coeffs, e_roll @ coeffs
        phase_pass, phase_roll = np.angle(h_pass), np.angle(h_roll)
        if iteration >= LAWSON_START:
            err = np.abs(np.log(np.abs(h_pass) / mag_pass))
            lawson *= err / err.max() + 0.05
            lawson /= lawson.mean()
    return coeffs


def measure(coeffs, type_index, fs):
    """Max |dB deviation| 20 Hz-15 kHz (and where), max gain to Nyquist, max gain above 22.05 kHz."""
    ref = reference(type_index)
    f = np.geomspace(PASS_LO_HZ, PASS_HI_HZ, 4000)
    dev = 20 * np.log10(np.abs(response(coeffs, f, fs)) / np.abs(response(ref, f, 44100)))
    worst = int(np.argmax(np.abs(dev)))
    f_all = np.linspace(0.0, fs / 2, 8001)
    gain = 20 * np.log10(np.maximum(np.abs(response(coeffs, f_all, fs)), 1e-12))
    above = f_all > REFERENCE_NYQUIST_HZ
    floor = gain[above].max() if above.any() else float("nan")
    return abs(dev[worst]), f[worst], gain.max(), floor


def float_literal(value):
    text = np.format_float_positional(np.float32(value), unique=True, trim="0")
    if abs(value) < 1e-3 and value != 0.0:
        text = np.format_float_scientific(np.float32(value), unique=True, trim="0")
    if "." not in text and "e" not in text:
        text += ".0"
    return text + "f"


def emit(rows, report, path):
    lines = [
        "// GENERATED FILE - do not edit by hand.",
        "// Written by engine/eqdesign/design_tape_eq.py; to regenerate, from the repository root:",
        "//     /usr/bin/python3 engine/eqdesign/design_tape_eq.py",
        "// Tape-formulation equaliser tables, as the tape engine applies them.",
        "// Rows 0-2 are the published 44.1 kHz rows; the others are magnitude fits to them.",
        "// The comment above each row gives its max deviation from the 44.1 kHz row of the same",
        "// type, 20 Hz-15 kHz. Slots past a row's last tap are zero (aggregate initialisation).",
        "",
        '#include "TapeEqTables.h"',
        "",
        "const int32_t kTapeEqHistoryLength[kTapeEqRateCount] = {"
        + ", ".join(str(n) for n in HISTORY_LENGTH) + "};",
        "",
        "const float kTapeEqCoeffs[kTapeEqTableCount][kTapeEqRowLength] = {",
    ]
    for t, values in enumerate(rows):
        type_index, rate_index = t % 3, t // 3
        dev, f_worst, _, _ = report[t]
        origin = "published" if rate_index == 0 else f"max deviation {dev:.4f} dB at {f_worst:.0f} Hz"
        lines.append(f"    // t = {t}: type {TYPE_NAMES[type_index]}, {RATES[rate_index]} Hz, "
                     f"{len(values)} taps ({origin})")
        lines.append("    {")
        for start in range(0, len(values), 6):
            lines.append("        " + " ".join(v + "," for v in values[start:start + 6]))
        lines.append("    },")
    lines.append("};")
    with open(path, "w", encoding="ascii") as out:
        out.write("\n".join(lines) + "\n")


def main():
    repo = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--output", default=os.path.join(repo, "engine", "TapeEqTables.cpp"))
    args = parser.parse_args()

    rows, report = [], []
    print(f"{'t':>2} {'type':>4} {'rate':>6} {'taps':>4}  {'max dev 20-15k':>14} {'at':>8}  "
          f"{'max gain':>8}  {'max >22.05k':>11}")
    worst_overall = 0.0
    for t in range(3 * len(RATES)):
        type_index, rate_index = t % 3, t // 3
        fs = RATES[rate_index]
        if rate_index == 0:
            texts = REFERENCE_ROWS[type_index].split()
            stored = np.array([float(np.float32(float(v))) for v in texts])
            texts = [v + "f" for v in texts]
        else:
            coeffs = design_row(type_index, rate_index)
            stored = coeffs.astype(np.float32).astype(float)
            texts = [float_literal(v) for v in stored]
        assert len(texts) == HISTORY_LENGTH[rate_index] + 1 <= ROW_LENGTH
        dev, f_worst, peak, floor = measure(stored, type_index, fs)
        worst_overall = max(worst_overall, dev)
        rows.append(texts)
        report.append((dev, f_worst, peak, floor))
        print(f"{t:>2} {TYPE_NAMES[type_index]:>4} {fs:>6} {len(texts):>4}  {dev:>11.4f} dB "
              f"{f_worst:>8.0f}  {peak:>5.2f} dB  "
              + (f"{floor:>8.1f} dB" if rate_index > 0 else f"{'-':>11}"))
    emit(rows, report, args.output)
    print(f"worst deviation {worst_overall:.4f} dB (limit {TOLERANCE_DB} dB); wrote {args.output}")
    return 0 if worst_overall < TOLERANCE_DB else 1


if __name__ == "__main__":
    sys.exit(main())
