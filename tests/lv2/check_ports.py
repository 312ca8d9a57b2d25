#!/usr/bin/env python3
"""The ports of both plug-ins as sordi (Debian sordi) reads the bundle's Turtle files: the
sixteen controls must be the module's parameters 1 to 16 as the command lists them (the
reviewed tests/snapshots/params.json: name, symbol, range, default, entries, unit), then the
two meters and the audio ports. lv2file, jalv and Ardour find the plug-ins and presets through
lilv in their own tests. Usage: check_ports.py LV2_PATH"""
import re
import sys

from lv2tools import MONO, STEREO, need, run, snapshot

LV2, UNITS = "http://lv2plug.in/ns/lv2core#", "http://lv2plug.in/ns/extensions/units#"
UNIT_OF = {"%": {UNITS + "pc"}, "Hz": {UNITS + "hz"}, "dB": {UNITS + "db"}, "": set()}
AUDIO = {MONO: ["in", "out"], STEREO: ["in_l", "in_r", "out_l", "out_r"]}


def graph(path):
    """subject -> predicate -> [objects], literals as their text."""
    g = {}
    for s, p, o in re.findall(r"^(\S+) <([^>]+)> (.+) \.$", run(["sordi", "-o", "ntriples", path]), re.M):
        o = o.split('"')[1] if o.startswith('"') else o.strip("<>")
        g.setdefault(s.strip("<>"), {}).setdefault(p, []).append(o)
    return g


def check_plugin(uri, g, params):
    failures = []
    ports = {int(g[b][LV2 + "index"][0]): g[b] for b in g[uri][LV2 + "port"]}
    one = lambda port, key: port.get(LV2 + key, [None])[0]
    if sorted(ports) != list(range(18 + len(AUDIO[uri]))):
        return [f"{uri}: ports {sorted(ports)}"]
    kinds = lambda port: set(port.get("http://www.w3.org/1999/02/22-rdf-syntax-ns#type", []))
    for i, p in enumerate(params):
        port, where = ports[i], f"{uri} port {i} ({p['name']})"
        got = (one(port, "name"), one(port, "symbol"), kinds(port))
        want = (p["name"], re.sub(r"[^a-z0-9]+", "_", p["name"].lower()), {LV2 + "ControlPort", LV2 + "InputPort"})
        entries = p.get("entries")
        if entries:
            points = {float(g[b]["http://www.w3.org/1999/02/22-rdf-syntax-ns#value"][0]):
                      g[b]["http://www.w3.org/2000/01/rdf-schema#label"][0] for b in port[LV2 + "scalePoint"]}
            got += (points, {LV2 + "integer", LV2 + "enumeration"} <= set(port.get(LV2 + "portProperty", [])))
            want += ({float(k): e for k, e in enumerate(entries)}, True)
            limits = (0.0, len(entries) - 1.0, float(entries.index(p["value"])))
        else:
            (lo, unit), (hi, _), (default, _) = ((float(v), u) for v, _, u in (p[k].partition(" ") for k in ("min", "max", "value")))
            got += (set(port.get(UNITS + "unit", [])),)
            want += (UNIT_OF[unit],)
            limits = (lo, hi, default)
        have = tuple(float(one(port, k)) for k in ("minimum", "maximum", "default"))
        if got != want or any(abs(a - b) > 1e-5 for a, b in zip(have, limits)):
            failures.append(f"{where}: {got} {have}, want {want} {limits}")
    for i, (symbol, name) in ((16, ("meter_l", "Input level")), (17, ("meter_r", "Output level"))):
        if (one(ports[i], "symbol"), one(ports[i], "name"), kinds(ports[i])) != (symbol, name, {LV2 + "ControlPort", LV2 + "OutputPort"}):
            failures.append(f"{uri} port {i}: {ports[i]}")
    for a, symbol in enumerate(AUDIO[uri]):
        direction = "Input" if symbol.startswith("in") else "Output"
        if (one(ports[18 + a], "symbol"), kinds(ports[18 + a])) != (symbol, {LV2 + "AudioPort", LV2 + direction + "Port"}):
            failures.append(f"{uri} port {18 + a}: {ports[18 + a]}")
    return failures


def main():
    need("sordi")
    bundle = f"{sys.argv[1]}/brindlewarbler.lv2"
    params = [p for p in snapshot("params") if p["id"].isdigit() and 1 <= int(p["id"]) <= 16]
    failures = [] if len(params) == 16 else [f"params.json holds {len(params)} controls"]
    for uri, ttl in ((MONO, "mono.ttl"), (STEREO, "stereo.ttl")):
        failures += check_plugin(uri, graph(f"{bundle}/{ttl}"), params)
    for f in failures:
        print("FAIL:", f)
    print(f"ports: {'ok' if not failures else f'{len(failures)} problem(s)'}")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
