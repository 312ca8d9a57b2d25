#!/usr/bin/env python3
"""Ardour 7, headless: ardour7-lua makes a 44.1 kHz session with BrindleWarbler on a stereo
track, sets controls, saves, reopens and reads them back exactly. The test file goes into the
closed session as the track's region (headless Lua in 7.3 cannot import audio) and
ardour7-export renders it: without wow, flutter, dropouts or hiss it must equal lv2file's render
within -80 dBFS. Ardour 7.3 hangs or aborts now and then, with or without any plug-in: each
step runs under a timeout, up to three times. Usage: check_ardour.py LV2_PATH"""
import os
import shutil
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET
from pathlib import Path

import numpy as np

from lv2tools import SKIP, STEREO, host_env, make_input, need, read_audio, report, rms_db, run

RATE = 44100
# Port index -> (symbol, value), values a float holds exactly: no wow, flutter or dropouts, hiss
# at its minimum, every other stage on.
SETTINGS = {0: ("wow_depth", 0.0), 1: ("wow_rate", 1.5), 2: ("flutter_depth", 0.0), 3: ("flutter_rate", 6.5),
            4: ("tape_hiss", -96.0), 5: ("dropout_amount", 0.0), 6: ("saturation", 2.5), 8: ("input", -3.0),
            9: ("output", -6.0), 11: ("tape_type", 1.0), 13: ("age", 2.0), 14: ("nr_comp", 1.0)}

# Creates, saves, closes, reopens and prints what the reopened plug-in holds.
LUA_SESSION = """AudioEngine:set_backend("None (Dummy)", "", "")
AudioEngine:set_sample_rate({rate})
AudioEngine:start(false)
local s = create_session("{dir}", "{name}", {rate})
assert(s, "no session")
local t = s:new_audio_track(2, 2, nil, 1, "Tape", ARDOUR.PresentationInfo.max_order, ARDOUR.TrackMode.Normal, true):front()
t:input():disconnect_all(nil)
t:panner_shell():set_bypassed(true)
s:master_out():panner_shell():set_bypassed(true)
for i = 0, 1 do
  t:output():audio(i):disconnect_all()
  assert(t:output():audio(i):connect(s:master_out():input():audio(i):name()) == 0)
end
local p = ARDOUR.LuaAPI.new_plugin(s, "{uri}", ARDOUR.PluginType.LV2, "")
assert(not p:isnil(), "plug-in not found")
assert(t:add_processor_by_index(p, 0, nil, true) == 0)
for k, v in pairs({{ {settings} }}) do assert(ARDOUR.LuaAPI.set_processor_param(p, k, v)) end
assert(s:save_state("", false, false, false, false, false) == 0)
close_session()
s = load_session("{dir}", "{name}")
assert(s, "cannot reopen")
local q = s:route_by_name("Tape"):nth_plugin(0)
for i = 0, 15 do print("param", i, string.format("%.9g", ARDOUR.LuaAPI.get_processor_param(q, i, true))) end
close_session()
"""

# Plug-ins re-activated when the transport stops (the export stops it), no export pre-roll.
ARDOUR_CONFIG = """<?xml version="1.0" encoding="UTF-8"?><Ardour><Config><Option name="plugins-stop-with-transport"
value="1"/><Option name="export-preroll" value="0"/></Config></Ardour>"""


def ardour_step(what, cmd, env, done, clear):
    """Runs one Ardour step, up to three times under a 40 s timeout, until done(stdout) holds."""
    for attempt in range(3):
        clear()
        try:
            result = subprocess.run(cmd, env=env, capture_output=True, text=True, timeout=40)
            if result.returncode == 0 and done(result.stdout):
                return result.stdout
            why = f"exit {result.returncode}: {(result.stdout + result.stderr)[-600:]}"
        except subprocess.TimeoutExpired:
            why = "no end after 40 s"
        print(f"{what}: try {attempt + 1} failed ({why.strip()})")
    raise RuntimeError(f"{what} failed 3 times")


def add_region(session_file, source_name, frames):
    """Writes the stereo file as the track's region and the session range around it."""
    tree = ET.parse(session_file)
    root = tree.getroot()
    per_sample = int(root.find("TempoMap").get("superclocks-per-second")) // RATE
    first = int(root.get("id-counter")) + 1
    end = f"a{frames * per_sample}"
    region = {"name": "test", "id": str(first + 2), "type": "audio", "position": "a0", "start": "a0",
              "length": end + "@a0", "channels": "2", "muted": "0", "opaque": "1", "scale-amplitude": "1",
              "envelope-active": "0", "fade-in-active": "0", "fade-out-active": "0"}
    for c in range(2):
        ET.SubElement(root.find("Sources"), "Source", {"name": source_name, "type": "audio", "flags": "",
                                                        "id": str(first + c), "channel": str(c), "origin": source_name})
        region[f"source-{c}"] = region[f"master-source-{c}"] = str(first + c)
    ET.SubElement(root.find("Playlists").find("Playlist"), "Region", region)
    ET.SubElement(root.find("Locations"), "Location",
                  {"id": str(first + 3), "name": "session", "start": "a0", "end": end, "flags": "IsSessionRange"})
    root.set("id-counter", str(first + 4))
    tree.write(session_file, xml_declaration=True, encoding="UTF-8")


def main():
    need("ardour7-lua", "ardour7-export", "lv2file", "sox", "soxi")
    if os.environ.get("BW_LV2_HOST_PRELOAD"):
        print("SKIP: Ardour 7.3 deadlocks in its start-up (bindtextdomain) with the sanitizer runtime preloaded")
        return SKIP
    with tempfile.TemporaryDirectory(prefix="bw-lv2-") as tmp:
        home, name = f"{tmp}/home", "bw"
        sdir = f"{tmp}/{name}"  # the interchange folder is named after the session folder
        os.makedirs(f"{home}/.config/ardour7")
        Path(f"{home}/.config/ardour7/config").write_text(ARDOUR_CONFIG)
        env = dict(host_env(sys.argv[1]), HOME=home, XDG_CONFIG_HOME=f"{home}/.config")
        Path(f"{tmp}/session.lua").write_text(LUA_SESSION.format(
            rate=RATE, dir=sdir, name=name, uri=STEREO, settings=", ".join(f"[{k}]={v:g}" for k, (_, v) in SETTINGS.items())))
        out = ardour_step("session", ["ardour7-lua", f"{tmp}/session.lua"], env, lambda o: "param 15" in o,
                          lambda: shutil.rmtree(sdir, ignore_errors=True))
        restored = {int(w[1]): float(w[2]) for w in (line.split() for line in out.splitlines()) if w[:1] == ["param"]}
        failures = [f"{symbol}: set {v:g}, reopened as {restored.get(k)}"
                    for k, (symbol, v) in SETTINGS.items() if restored.get(k) != v]

        source = f"{sdir}/interchange/{name}/audiofiles/test.wav"
        make_input(source, 2, rate=RATE)
        x = read_audio(source)
        add_region(f"{sdir}/{name}.ardour", "test.wav", len(x))
        exported = f"{tmp}/export.wav"
        ardour_step("export", ["ardour7-export", "-b", "float", "-o", exported, sdir, name], env,
                    lambda o: os.path.exists(exported), lambda: os.path.exists(exported) and os.remove(exported))
        run(["lv2file", "-i", source, "-o", f"{tmp}/lv2file.wav"]
            + [a for symbol, v in SETTINGS.values() for a in ("-p", f"{symbol}:{v:g}")] + [STEREO], env=env)
        a, b = read_audio(exported), read_audio(f"{tmp}/lv2file.wav")
        diff = max(rms_db(a[:, c] - b[:, c]) for c in range(2)) if a.shape == x.shape else np.inf
        print(f"the export ({a.shape} frames x channels) differs from lv2file's render by {diff:.1f} dBFS RMS")
        failures += ["the export differs from lv2file's render"] if diff >= -80.0 else []
    return report("Ardour", failures)


if __name__ == "__main__":
    sys.exit(main())
