#!/usr/bin/env python3
"""lv2file renders every factory preset of both plug-ins, restored by the host from presets.ttl,
and the brindlewarbler command the same file and preset through the module. With the hiss at
-96 dB and no dropouts they must agree below -90 dB RMS: a preset read differently, a port on the
wrong control or crossed channels show here. The command's --seed 1 is a fresh thread's state,
as in lv2file; lv2file gets the command's 0.25 s of settling silence in front of the file, cut
from its output, so both oscillators stand at the same phase. Usage: check_renders.py LV2_PATH CLI"""
import sys
import tempfile

import numpy as np

from lv2tools import MONO, STEREO, host_env, make_input, need, read_audio, report, rms_db, run, snapshot, write_audio

RATE = 44100
PRIME = int(0.25 * RATE)  # the command's settling before the file (CRenderJob.h)


def main():
    need("lv2file", "sox", "soxi")
    lv2_path, cli = sys.argv[1], sys.argv[2]
    failures, worst = [], -np.inf
    with tempfile.TemporaryDirectory(prefix="bw-lv2-") as tmp:
        for uri, channels in ((MONO, 1), (STEREO, 2)):
            src, primed = f"{tmp}/in{channels}.wav", f"{tmp}/primed{channels}.wav"
            make_input(src, channels, rate=RATE)
            write_audio(primed, np.vstack([np.zeros((PRIME, channels)), read_audio(src)]), RATE)
            for k, preset in enumerate(p["name"] for p in snapshot("presets")):
                ours, theirs = f"{tmp}/lv2-{channels}-{k}.wav", f"{tmp}/cli-{channels}-{k}.wav"
                run(["lv2file", "-i", primed, "-o", ours, "-P", preset, "-p", "tape_hiss:-96",
                     "-p", "dropout_amount:0", uri], env=host_env(lv2_path))
                run([cli, "render", src, theirs, "--preset", preset, "--seed", "1", "--float", "--quiet",
                     "--set", "Tape Hiss=-96", "--set", "Dropout Amount=0"])
                a, b = read_audio(ours)[PRIME:], read_audio(theirs)
                d = max(rms_db(a[:, c] - b[:, c]) for c in range(channels)) if a.shape == b.shape and np.isfinite(a).all() else np.inf
                worst = max(worst, d)
                if d >= -90.0:
                    failures.append(f"{channels}-channel \"{preset}\": {a.shape} frames x channels, the command's "
                                    f"{b.shape}, differ by {d:.1f} dB RMS")
    return report("renders", failures, f"; largest difference from the command {worst:.1f} dB RMS (limit -90 dB)")


if __name__ == "__main__":
    sys.exit(main())
