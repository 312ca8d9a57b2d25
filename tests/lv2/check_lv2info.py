#!/usr/bin/env python3
"""lv2ls and lv2info (Debian lilv-utils) read the built bundle as a host does: they must find
the two plug-ins with the ports and presets the tape effect defines, and sordi must show the
units. Usage: check_lv2info.py LV2_PATH"""
import re
import sys

from lv2tools import MONO, PRESETS, STEREO, host_env, need, run

# (symbol, name, minimum, maximum, default, unit) of the ten knobs.
KNOBS = [
    ("wow_depth", "Wow Depth", 0, 100, 0, "pc"),
    ("wow_rate", "Wow Rate", 0.02, 5, 0.18, "hz"),
    ("flutter_depth", "Flutter Depth", 0, 100, 0, "pc"),
    ("flutter_rate", "Flutter Rate", 5, 12, 5, "hz"),
    ("tape_hiss", "Tape Hiss", -96, -30, -42, "db"),
    ("dropout_amount", "Dropout Amount", 0, 10, 0, None),
    ("saturation", "Saturation", 1, 10, 1, None),
    ("dropout_intensity", "Dropout Intensity", 0, 1, 0, None),
    ("input", "Input", -12, 12, 0, "db"),
    ("output", "Output", -12, 12, 0, "db"),
]
# (symbol, name, entries) of the six switches; default 0 each.
SWITCHES = [
    ("wow_lfo", "Wow LFO", ["sine", "random"]),
    ("tape_type", "Tape Type", ["I", "II", "IV", "BYPASS"]),
    ("flutter_lfo", "Flutter LFO", ["sine", "random"]),
    ("age", "Age", ["byp", "usedish", "used", "wornish", "worn"]),
    ("nr_comp", "NR Comp", ["OFF", "ON"]),
    ("mono_stereo_dropouts", "Mono/Stereo Dropouts", ["OFF", "ON"]),
]
AUDIO = {MONO: [("in", "Input"), ("out", "Output")],
         STEREO: [("in_l", "Input"), ("in_r", "Input"), ("out_l", "Output"), ("out_r", "Output")]}

LV2 = "http://lv2plug.in/ns/lv2core#"
failures = []


def check(cond, what):
    if not cond:
        failures.append(what)


def parse_ports(text):
    """Port index -> {key: [values]}, scale points as {value: label}."""
    ports, port, key = {}, None, None
    for line in text.splitlines():
        m = re.match(r"^\tPort (\d+):$", line)
        if m:
            port = ports.setdefault(int(m.group(1)), {"points": {}})
            key = None
            continue
        if port is None or not line.startswith("\t\t"):
            if not line.startswith("\t\t"):
                port = None if line.startswith("\t") and not line.startswith("\t\t") else port
            continue
        m = re.match(r'^\t\t\t(-?[\d.]+) = "(.*)"$', line)
        if m and key == "Scale Points":
            port["points"][float(m.group(1))] = m.group(2)
            continue
        m = re.match(r"^\t\t(\S[^:]*):\s*(.*)$", line)
        if m:
            key = m.group(1)
            port.setdefault(key, [])
            if m.group(2):
                port[key].append(m.group(2).strip())
        elif key:
            port[key].append(line.strip())
    return ports


def check_plugin(uri, lv2_path, triples):
    info = run(["lv2info", uri], env=host_env(lv2_path))
    ports = parse_ports(info)
    audio = AUDIO[uri]
    check(sorted(ports) == list(range(18 + len(audio))), f"{uri}: ports {sorted(ports)}")
    for i, (sym, name, lo, hi, default, unit) in enumerate(KNOBS):
        p = ports.get(i, {})
        where = f"{uri} port {i}"
        check(p.get("Symbol") == [sym] and p.get("Name") == [name], f"{where}: {p.get('Symbol')} {p.get('Name')}")
        check(set(p.get("Type", [])) == {LV2 + "ControlPort", LV2 + "InputPort"}, f"{where}: type {p.get('Type')}")
        for key, want in (("Minimum", lo), ("Maximum", hi), ("Default", default)):
            got = float(p.get(key, ["nan"])[0])
            check(abs(got - want) < 1e-5, f"{where}: {key} {got}, want {want}")
        props = p.get("Properties", [])
        # GTK hosts cannot draw a logarithmic slider over a range that reaches zero or below.
        check("http://lv2plug.in/ns/ext/port-props#logarithmic" not in props or lo > 0,
              f"{where}: logarithmic over {lo}..{hi}")
        units = {o for s, pr, o in triples if s == (uri, i) and pr.endswith("units#unit")}
        check(units == ({f"http://lv2plug.in/ns/extensions/units#{unit}"} if unit else set()),
              f"{where}: units {units}")
    for k, (sym, name, entries) in enumerate(SWITCHES):
        i = 10 + k
        p = ports.get(i, {})
        where = f"{uri} port {i}"
        check(p.get("Symbol") == [sym] and p.get("Name") == [name], f"{where}: {p.get('Symbol')} {p.get('Name')}")
        check({LV2 + "integer", LV2 + "enumeration"} <= set(p.get("Properties", [])), f"{where}: {p.get('Properties')}")
        check(p["points"] == {float(v): e for v, e in enumerate(entries)}, f"{where}: scale points {p['points']}")
        check(float(p.get("Minimum", ["nan"])[0]) == 0 and float(p.get("Maximum", ["nan"])[0]) == len(entries) - 1
              and float(p.get("Default", ["nan"])[0]) == 0, f"{where}: range")
    for i, (sym, name) in ((16, ("meter_l", "Input level")), (17, ("meter_r", "Output level"))):
        p = ports.get(i, {})
        check(p.get("Symbol") == [sym] and p.get("Name") == [name], f"{uri} port {i}: {p.get('Symbol')}")
        check(set(p.get("Type", [])) == {LV2 + "ControlPort", LV2 + "OutputPort"}, f"{uri} port {i}: {p.get('Type')}")
    for a, (sym, direction) in enumerate(audio):
        p = ports.get(18 + a, {})
        check(p.get("Symbol") == [sym], f"{uri} port {18 + a}: {p.get('Symbol')}")
        check(set(p.get("Type", [])) == {LV2 + "AudioPort", LV2 + direction + "Port"}, f"{uri} port {18 + a}: {p.get('Type')}")

    m = re.search(r"\tPresets: \n((?:\t {9}.*\n)*)", info)
    presets = sorted(l.strip() for l in m.group(1).splitlines()) if m else []
    check(presets == sorted(PRESETS), f"{uri}: presets {presets}")


def ntriples(bundle):
    """(subject, predicate, object) of the plug-in files, port blank nodes as (plugin, index)."""
    triples, index, owner = [], {}, {}
    for f in ("mono.ttl", "stereo.ttl"):
        out = run(["sordi", "-o", "ntriples", f"{bundle}/{f}"])
        for line in out.splitlines():
            m = re.match(r"^(\S+) <([^>]+)> (.+) \.$", line)
            if not m:
                continue
            # Blank node labels are per file: qualify them with it.
            s, p, o = (f + n if n.startswith("_:") else n for n in (m.group(1), m.group(2), m.group(3)))
            triples.append((s, p, o.strip("<>")))
    for s, p, o in triples:
        if p == LV2 + "index":
            index[s] = int(o.split('"')[1]) if '"' in o else int(o)
        if p == LV2 + "port":
            owner[o] = s.strip("<>")
    return [((owner.get(s), index.get(s)) if s in index else s, p, o) for s, p, o in triples]


def main():
    need("lv2ls", "lv2info", "sordi")
    lv2_path = sys.argv[1]
    listed = run(["lv2ls"], env=host_env(lv2_path)).split()
    check(sorted(listed) == sorted([MONO, STEREO]), f"lv2ls lists {listed}")
    triples = ntriples(f"{lv2_path}/brindlewarbler.lv2")
    for uri in (MONO, STEREO):
        check_plugin(uri, lv2_path, triples)
    for f in failures:
        print("FAIL:", f)
    print(f"lv2info: {'ok' if not failures else f'{len(failures)} problem(s)'}")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
