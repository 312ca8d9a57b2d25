#!/usr/bin/env python3
"""Renders through the built bundle with hosts we did not write: lv2file (every preset of
both plug-ins, restored by the host and set value by value) and lv2apply. With the hiss at
-96 dB and dropouts off, what remains is deterministic, so hosts, block sizes, the two ways
of applying a preset and the two plug-ins must agree to below -90 dB RMS.
Usage: check_renders.py LV2_PATH"""
import re
import sys

import numpy as np

from lv2tools import MONO, PRESETS, STEREO, host_env, make_input, need, read_audio, rms_db, run, workdir

QUIET = {"tape_hiss": -96.0, "dropout_amount": 0.0}
# The settings glide from the defaults over the input's leading half second of silence (the
# hiss too, from -42 dB): comparisons of two renders start after it.
SETTLED = int(0.5 * 44100)
failures = []


def check(cond, what):
    if not cond:
        failures.append(what)
    return cond


def lv2file(env, uri, src, dst, preset=None, controls=None):
    cmd = ["lv2file", "-i", src, "-o", dst]
    if preset:
        cmd += ["-P", preset]
    for sym, value in (controls or {}).items():
        cmd += ["-p", f"{sym}:{value}"]
    run(cmd + [uri], env=env)
    return read_audio(dst)


def preset_values(bundle):
    """{label: {symbol: value}} of the stereo presets, read from presets.ttl with sordi."""
    triples = []
    for line in run(["sordi", "-o", "ntriples", f"{bundle}/presets.ttl"]).splitlines():
        m = re.match(r'^(\S+) <([^>]+)> (.+) \.$', line)
        if m:
            triples.append(m.groups())
    literal = lambda o: o.split('"')[1]
    label = {s: literal(o) for s, p, o in triples if p.endswith("rdf-schema#label")}
    symbol = {s: literal(o) for s, p, o in triples if p.endswith("lv2core#symbol")}
    value = {s: float(literal(o)) for s, p, o in triples if p.endswith("presets#value")}
    presets = {}
    for s, p, o in triples:
        if p.endswith("lv2core#port") and s.strip("<>").startswith(STEREO + ":"):
            presets.setdefault(label[s], {})[symbol[o]] = value[o]
    return presets


def main():
    need("lv2file", "lv2apply", "sox", "soxi", "sordi")
    env = host_env(sys.argv[1])
    with workdir() as tmp:
        sources = {MONO: f"{tmp}/in1.wav", STEREO: f"{tmp}/in2.wav"}
        make_input(sources[MONO], 1)
        make_input(sources[STEREO], 2)
        dual = f"{tmp}/dual.wav"  # the mono input on both channels
        run(["sox", sources[MONO], "-e", "floating-point", "-b", "32", dual, "remix", "1", "1"])
        frames = read_audio(sources[MONO]).shape[0]

        quiet = {}
        for uri, src in sources.items():
            name = uri.rsplit(":", 1)[1]
            # The defaults, hiss and all: the right shape, and sound.
            out = lv2file(env, uri, src, f"{tmp}/{name}-default.wav")
            check(out.shape == read_audio(src).shape, f"{name} default: shape {out.shape}")
            check(np.all(np.isfinite(out)), f"{name} default: non-finite samples")
            for k, preset in enumerate(PRESETS):
                out = lv2file(env, uri, src, f"{tmp}/{name}-{k}.wav", preset, QUIET)
                where = f"{name} \"{preset}\""
                if not check(out.shape[0] == frames and np.all(np.isfinite(out)), f"{where}: shape or values"):
                    continue
                check(-40 < rms_db(out) and np.max(np.abs(out)) < 4, f"{where}: level {rms_db(out):.1f} dB")
                quiet[(uri, preset)] = out

        # Every preset changes the sound: a preset the host failed to apply would not.
        for uri in sources:
            base = quiet.get((uri, PRESETS[0]))
            for preset in PRESETS[1:]:
                out = quiet.get((uri, preset))
                if base is not None and out is not None:
                    d = rms_db(out[SETTLED:] - base[SETTLED:])
                    check(d > -60, f"{uri} \"{preset}\" sounds like the factory preset ({d:.1f} dB)")

        # The stereo plug-in on identical channels is the mono plug-in, channel by channel.
        for k, preset in enumerate(PRESETS):
            mono = quiet.get((MONO, preset))
            stereo = lv2file(env, STEREO, dual, f"{tmp}/dual-{k}.wav", preset, QUIET)
            if mono is not None:
                for c in range(2):
                    d = rms_db(stereo[SETTLED:, c] - mono[SETTLED:, 0])
                    check(d < -90, f"\"{preset}\": stereo channel {c} vs mono differ by {d:.1f} dB")

        # A preset as the host restores it is the preset's values set one by one: a value the
        # host reads differently from what the file says (an integer literal, say) shows here.
        presets = preset_values(f"{sys.argv[1]}/brindlewarbler.lv2")
        check(sorted(presets) == sorted(PRESETS) and all(len(v) == 16 for v in presets.values()),
              f"presets.ttl holds {sorted(presets)}")
        for preset, values in presets.items():
            k = PRESETS.index(preset)
            restored = quiet.get((STEREO, preset))
            explicit = lv2file(env, STEREO, sources[STEREO], f"{tmp}/explicit-{k}.wav", None, dict(values, **QUIET))
            if restored is not None:
                d = rms_db(restored[SETTLED:] - explicit[SETTLED:])
                check(d < -90, f"\"{preset}\" restored by lv2file differs from its values by {d:.1f} dB")

        # A second host with its own block size and its own way of setting controls.
        controls = dict(QUIET, wow_depth=40, flutter_depth=30, saturation=4, tape_type=2, age=3,
                        nr_comp=1, input=3, output=-2)
        ref = lv2file(env, STEREO, sources[STEREO], f"{tmp}/file.wav", None, controls)
        cmd = ["lv2apply", "-i", sources[STEREO], "-o", f"{tmp}/apply.wav"]
        for sym, value in controls.items():
            cmd += ["-c", sym, str(value)]
        run(cmd + [STEREO], env=env)
        other = read_audio(f"{tmp}/apply.wav")
        if check(other.shape == ref.shape, f"lv2apply shape {other.shape} vs {ref.shape}"):
            d = rms_db(other[SETTLED:] - ref[SETTLED:])
            check(d < -90, f"lv2apply and lv2file differ by {d:.1f} dB")
            check(rms_db(ref - read_audio(sources[STEREO])) > -40, "the controls did not change the sound")

    for f in failures:
        print("FAIL:", f)
    print(f"renders: {'ok' if not failures else f'{len(failures)} problem(s)'}")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
