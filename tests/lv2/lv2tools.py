"""What the LV2 tool tests share: locating tools, the environment of a host on the built
bundle, the command's reviewed snapshots, and audio files (through sox)."""
import json
import os
import shutil
import subprocess
import sys
from pathlib import Path

import numpy as np

SKIP = 77  # CTest's SKIP_RETURN_CODE for these tests
MONO = "urn:tessera:brindlewarbler:mono"
STEREO = "urn:tessera:brindlewarbler:stereo"


def snapshot(name):  # what the command prints as JSON, kept under tests/snapshots (params, presets)
    return json.loads(Path(__file__).resolve().parent.parent.joinpath("snapshots", name + ".json").read_text())


def need(*tools):  # skips the test (77) when a tool is missing: scripts/setup installs them
    missing = [t for t in tools if shutil.which(t) is None]
    if missing:
        print(f"SKIP: {', '.join(missing)} not installed (scripts/setup installs them)")
        sys.exit(SKIP)


def host_env(lv2_path):
    """Our bundle folder only, and the sanitizer runtime a sanitized plug-in needs in a host."""
    env = dict(os.environ, LV2_PATH=lv2_path)
    if os.environ.get("BW_LV2_HOST_PRELOAD"):
        env["LD_PRELOAD"] = os.environ["BW_LV2_HOST_PRELOAD"]
        env["ASAN_OPTIONS"] = "detect_leaks=0"  # the host's own leaks are not ours to judge
    return env


def run(cmd, env=None):
    result = subprocess.run(cmd, env=env, capture_output=True, text=True)
    if result.returncode != 0:
        raise RuntimeError(f"{' '.join(cmd)} failed ({result.returncode}):\n{result.stdout}{result.stderr}")
    return result.stdout


def make_input(path, channels, seconds=3.0, rate=44100):
    """Half a second of silence (so the smoothers of two renderers settle before the music),
    then a sweep from 100 Hz to 8 kHz at -6 dB, its phase apart on each channel, as 32-bit float."""
    t = np.arange(int((seconds - 0.5) * rate)) / rate
    phase = 2 * np.pi * 100.0 * t[-1] / np.log(80.0) * (np.exp(t / t[-1] * np.log(80.0)) - 1)
    x = np.vstack([np.zeros((int(0.5 * rate), channels)), 0.5 * np.sin(phase[:, None] + np.arange(channels))])
    write_audio(path, x, rate)


def write_audio(path, x, rate):  # frames x channels, as 32-bit float
    subprocess.run(["sox", "-t", "raw", "-r", str(rate), "-c", str(x.shape[1]), "-e", "floating-point",
                    "-b", "32", "-", "-e", "floating-point", "-b", "32", path],
                   input=x.astype("<f4").tobytes(), check=True, capture_output=True)


def read_audio(path):  # frames x channels as float64, through sox, which understands every WAV variant
    channels = int(run(["soxi", "-c", path]).strip())
    raw = subprocess.run(["sox", path, "-t", "raw", "-e", "floating-point", "-b", "32", "-"],
                         capture_output=True, check=True).stdout
    return np.frombuffer(raw, dtype="<f4").astype(np.float64).reshape(-1, channels)


def rms_db(x):
    rms = float(np.sqrt(np.mean(np.square(x))))
    return 20.0 * np.log10(rms) if rms > 0 else -np.inf


def report(name, failures, detail=""):  # prints the failures and a summary line; the exit status
    for f in failures:
        print("FAIL:", f)
    print(f"{name}: {'ok' if not failures else f'{len(failures)} problem(s)'}{detail}")
    return 1 if failures else 0
