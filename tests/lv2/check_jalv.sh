#!/usr/bin/env bash
# jalv (Debian jalv) hosts the mono plug-in on a private JACK server (dummy backend) and the X
# server of DISPLAY (scripts/test starts an Xvfb), and embeds our editor, not its generic UI: a
# 900 x 568 window inside its own. A sine plays into the plug-in, the Output knob is dragged to
# its bottom (-12 dB) and the output meter port that jalv prints must drop by 12 dB: the edit
# went from our editor through the host into the plug-in.
# Usage: check_jalv.sh LV2_PATH. Exit 77 (skipped) only when a tool or the X server is
# missing, and in the sanitizer build.
set -uo pipefail
lv2path=$(cd "$1" && pwd)

for tool in jalv.gtk3 jackd jack_wait jack_connect jack_simple_client xwininfo xdotool; do
  command -v $tool >/dev/null || { echo "SKIP: $tool not installed (scripts/setup installs jalv, jackd2, x11-utils, xdotool)"; exit 77; }
done
# jalv never gets to its window with the sanitizer runtime preloaded, which a sanitized UI needs.
[ -z "${BW_LV2_HOST_PRELOAD:-}" ] || { echo "SKIP: jalv does not start with the sanitizer runtime preloaded"; exit 77; }
[ -n "${DISPLAY:-}" ] || { echo "SKIP: no X server (DISPLAY)"; exit 77; }
work=$(mktemp -d)
pids=()
# Clients before the server, one at a time: a server ended under its clients leaves their semaphores.
cleanup() { for ((i = ${#pids[@]} - 1; i >= 0; i--)); do kill "${pids[i]}" 2>/dev/null; wait "${pids[i]}" 2>/dev/null; done; rm -rf "$work"; }
trap cleanup EXIT
fail() { echo "FAIL: $*"; for f in "$work"/*.err "$work"/jackd.log; do [ -s "$f" ] && { echo "--- $f"; tail -20 "$f"; }; done; exit 1; }


# JACK frees a dead server's registry slot only for a server of the same name: names come from
# a small pool, so a killed run's slot is taken over, not leaked. A live server keeps its name.
jackd_pid=""
for n in 0 1 2 3; do
  export JACK_DEFAULT_SERVER="bwtest-jalv-$n"
  jackd -n "$JACK_DEFAULT_SERVER" -d dummy -r 48000 -p 256 >"$work/jackd.log" 2>&1 &
  jackd_pid=$!
  jack_wait -w -t 10 >/dev/null 2>&1 && kill -0 $jackd_pid 2>/dev/null && break
  kill $jackd_pid 2>/dev/null; wait $jackd_pid 2>/dev/null; jackd_pid=""
done
[ -n "$jackd_pid" ] || fail "jackd did not start"
pids+=($jackd_pid)

LV2_PATH="$lv2path" stdbuf -oL jalv.gtk3 --jack-name bwjalv -x --print-controls urn:tessera:brindlewarbler:mono \
  >"$work/jalv.out" 2>"$work/jalv.err" &
pids+=($!)
win=""
for _ in $(seq 100); do  # the innermost 900 x 568 window in jalv's is ours
  win=$(xwininfo -tree -name "BrindleWarbler Mono" 2>/dev/null | awk '/ 900x568\+/ { w = $1 } END { print w }')
  [ -n "$win" ] && break; sleep 0.1
done
[ -n "$win" ] || fail "no 900 x 568 editor inside jalv's window (did jalv fall back to its generic UI?)"

jack_simple_client >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 50); do jack_connect jack_simple_client:output1 bwjalv:in 2>/dev/null && break; sleep 0.1; done
last_meter() { grep '^meter_r = ' "$work/jalv.out" | tail -1 | awk '{print $3}'; }
sleep 2
before=$(last_meter)
# A drag on the Output knob as a person makes it: 200 px are its whole range, 120 down end at -12 dB.
xdotool mousemove --window "$win" 540 395 mousedown 1 sleep 0.1 mousemove_relative 0 60 sleep 0.1 mousemove_relative 0 60 \
  sleep 0.1 mouseup 1
sleep 1.5
after=$(last_meter)
awk -v a="$after" -v b="$before" 'BEGIN { d = 20 * log(a / b) / log(10); printf "output meter %s -> %s: %.2f dB\n", b, a, d
  exit !(a > 0 && b > 0 && d > -13.5 && d < -10.5) }' || fail "the Output drag did not move the meter by -12 dB"
echo "ok: jalv embeds the editor and its edit reaches the plug-in"
