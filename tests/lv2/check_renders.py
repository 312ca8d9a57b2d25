#!/usr/bin/env python3
"""lv2file (a host we did not write) renders every factory preset of both plug-ins, restored
from presets.ttl by the host, and the brindlewarbler command renders the same file with the
same preset through the module in the substitute host. With the hiss at -96 dB and dropouts
off only random hiss can differ, so the two must agree to below -90 dB RMS: a preset the host
reads differently from the module's table, a port mapped to the wrong control or a channel
crossed shows here.
The command seeds the generator (--seed 1: the state a fresh thread starts with, as in
lv2file, so the random LFOs' tables agree). Both instances start at rest at their settings,
and the command runs its instance through 0.25 s of silence before the file; lv2file gets
the same 0.25 s in front of the file, cut from its output, so both instances' oscillators
stand at the same phase from the first sample on.
Usage: check_renders.py LV2_PATH CLI"""
import os
import sys

import numpy as np

from lv2tools import MONO, SKIP, STEREO, host_env, make_input, need, preset_names, read_audio, rms_db, run, workdir, write_audio

RATE = 44100
PRIME_S = 0.25  # the command's settling time before the file (CRenderJob.h)
LIMIT_DB = -90.0


def main():
    need("lv2file", "sox", "soxi")
    lv2_path, cli = sys.argv[1], sys.argv[2]
    if not os.access(cli, os.X_OK):
        print(f"SKIP: the brindlewarbler command is not built ({cli}); build the cli folder too")
        return SKIP
    env = host_env(lv2_path)
    failures = []
    worst = -float("inf")
    with workdir() as tmp:
        for uri, channels in ((MONO, 1), (STEREO, 2)):
            src, primed = f"{tmp}/in{channels}.wav", f"{tmp}/primed{channels}.wav"
            make_input(src, channels, rate=RATE)
            x = read_audio(src)
            skip = int(PRIME_S * RATE)
            write_audio(primed, np.vstack([np.zeros((skip, channels)), x]), RATE)
            for k, preset in enumerate(preset_names()):
                ours, theirs = f"{tmp}/lv2-{channels}-{k}.wav", f"{tmp}/cli-{channels}-{k}.wav"
                run(["lv2file", "-i", primed, "-o", ours, "-P", preset, "-p", "tape_hiss:-96",
                     "-p", "dropout_amount:0", uri], env=env)
                run([cli, "render", src, theirs, "--preset", preset, "--seed", "1", "--float", "--quiet",
                     "--set", "Tape Hiss=-96", "--set", "Dropout Amount=0"])
                a, b = read_audio(ours)[skip:], read_audio(theirs)
                where = f"{channels}-channel \"{preset}\""
                if a.shape != b.shape or not np.all(np.isfinite(a)):
                    failures.append(f"{where}: {a.shape} frames x channels (finite: {np.all(np.isfinite(a))}) "
                                    f"vs {b.shape} from the command")
                    continue
                for c in range(channels):
                    d = rms_db(a[:, c] - b[:, c])
                    worst = max(worst, d)
                    if d >= LIMIT_DB:
                        failures.append(f"{where} channel {c}: differs by {d:.1f} dB RMS")
    for f in failures:
        print("FAIL:", f)
    print(f"renders: {'ok' if not failures else f'{len(failures)} problem(s)'}; "
          f"largest difference from the command {worst:.1f} dB RMS (limit {LIMIT_DB:.0f} dB)")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
