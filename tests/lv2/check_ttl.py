#!/usr/bin/env python3
"""The bundle's Turtle files as Debian's sordi reads them. sord_validate checks them together,
as a host reads them, against lv2-dev's LV2 schemas. From sordi's triples, the sixteen controls
of both plug-ins must be the module's parameters 1 to 16 as the command lists them (the reviewed
tests/snapshots/params.json), then come the meters and the audio ports. Usage: check_ttl.py LV2_PATH"""
import glob
import re
import subprocess
import sys

from lv2tools import MONO, STEREO, need, report, run, snapshot

LV2, UNITS = "http://lv2plug.in/ns/lv2core#", "http://lv2plug.in/ns/extensions/units#"
RDF, RDFS = "http://www.w3.org/1999/02/22-rdf-syntax-ns#", "http://www.w3.org/2000/01/rdf-schema#"
UNIT_OF = {"%": {UNITS + "pc"}, "Hz": {UNITS + "hz"}, "dB": {UNITS + "db"}, "": set()}
AUDIO = {MONO: ["in", "out"], STEREO: ["in_l", "in_r", "out_l", "out_r"]}


def validate(bundle):
    # The schemas of lv2-dev (which the build needs) only: other bundles under /usr/lib/lv2
    # (Calf, say) are not ours to judge.
    schemas = [f for f in run(["dpkg", "-L", "lv2-dev"]).split() if f.startswith("/usr/lib/lv2/") and f.endswith(".ttl")]
    result = subprocess.run(["sord_validate", *schemas, *glob.glob(f"{bundle}/*.ttl")], capture_output=True, text=True)
    # Its exit status covers only some faults: the count it prints covers them all.
    found = re.findall(r"^Found (\d+) errors", result.stdout + result.stderr, re.M)
    return [] if result.returncode == 0 and found[-1:] == ["0"] else [f"sord_validate: {result.stdout}{result.stderr}"]


def graph(path):
    """subject -> predicate -> [objects], literals as their text."""
    g = {}
    for s, p, o in re.findall(r"^(\S+) <([^>]+)> (.+) \.$", run(["sordi", "-o", "ntriples", path]), re.M):
        o = o.split('"')[1] if o.startswith('"') else o.strip("<>")
        g.setdefault(s.strip("<>"), {}).setdefault(p, []).append(o)
    return g


def check_plugin(uri, g, params):
    ports = {int(g[b][LV2 + "index"][0]): g[b] for b in g[uri][LV2 + "port"]}
    if sorted(ports) != list(range(18 + len(AUDIO[uri]))):
        return [f"{uri}: ports {sorted(ports)}"]
    one = lambda port, key: port.get(LV2 + key, [None])[0]
    kinds = lambda port, *k: set(port.get(RDF + "type", [])) == {LV2 + x for x in k}
    failures = []
    for i, p in enumerate(params):
        port = ports[i]
        got = (one(port, "name"), one(port, "symbol"), kinds(port, "ControlPort", "InputPort"))
        want = (p["name"], re.sub(r"[^a-z0-9]+", "_", p["name"].lower()), True)
        entries = p.get("entries")
        if entries:
            got += ({float(g[b][RDF + "value"][0]): g[b][RDFS + "label"][0] for b in port[LV2 + "scalePoint"]},
                    {LV2 + "integer", LV2 + "enumeration"} <= set(port.get(LV2 + "portProperty", [])))
            want += ({float(k): e for k, e in enumerate(entries)}, True)
            limits = (0.0, len(entries) - 1.0, float(entries.index(p["value"])))
        else:
            (lo, unit), (hi, _), (default, _) = ((float(v), u) for v, _, u in (p[k].partition(" ") for k in ("min", "max", "value")))
            got += (set(port.get(UNITS + "unit", [])),)
            want += (UNIT_OF[unit],)
            limits = (lo, hi, default)
        have = tuple(float(one(port, k)) for k in ("minimum", "maximum", "default"))
        if got != want or any(abs(a - b) > 1e-5 for a, b in zip(have, limits)):
            failures.append(f"{uri} port {i} ({p['name']}): {got} {have}, want {want} {limits}")
    for i, symbol in enumerate(["meter_l", "meter_r"] + AUDIO[uri], 16):
        if one(ports[i], "symbol") != symbol or not kinds(ports[i], "AudioPort" if i > 17 else "ControlPort",
                                                           "InputPort" if symbol.startswith("in") else "OutputPort"):
            failures.append(f"{uri} port {i}: {ports[i]}")
    return failures


def main():
    need("sordi", "sord_validate")
    bundle = f"{sys.argv[1]}/brindlewarbler.lv2"
    params = [p for p in snapshot("params") if p["id"].isdigit() and 1 <= int(p["id"]) <= 16]
    failures = validate(bundle) + ([] if len(params) == 16 else [f"params.json holds {len(params)} controls"])
    presets = graph(f"{bundle}/presets.ttl")
    for uri, ttl in ((MONO, "mono.ttl"), (STEREO, "stereo.ttl")):
        failures += check_plugin(uri, graph(f"{bundle}/{ttl}"), params)
        # The presets under the URIs hosts store (...:preset:lost-tape), named as the module names them.
        got = {s: presets[s][RDFS + "label"][0] for s in presets if presets[s].get(LV2 + "appliesTo") == [uri]}
        want = {f"{uri}:preset:" + re.sub(r"[^a-z0-9]+", "-", p["name"].lower()).strip("-"): p["name"] for p in snapshot("presets")}
        failures += [] if got == want else [f"{uri}: presets {got}, want {want}"]
    return report("ttl", failures)


if __name__ == "__main__":
    sys.exit(main())
