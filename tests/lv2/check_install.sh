#!/usr/bin/env bash
# scripts/install-lv2 puts the bundle where hosts look (the first LV2_PATH entry, else ~/.lv2),
# replacing an older copy; the copy alone must render in lv2file. The DSP binary needs only the
# system's libraries and has no run path; the UI binary exports lv2ui_descriptor alone and needs
# none of our libraries: a host may load it beside a plug-in with a toolkit of the same names.
# Usage: check_install.sh SOURCE_DIR BUILD_DIR
set -uo pipefail
src=$1 build=$2
command -v lv2file >/dev/null && command -v sox >/dev/null \
  || { echo "SKIP: lv2file or sox not installed (scripts/setup installs them)"; exit 77; }
tmp=$(mktemp -d); trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

# First LV2_PATH entry, over a stale copy that has a file the new one does not.
mkdir -p "$tmp/first/brindlewarbler.lv2"; touch "$tmp/first/brindlewarbler.lv2/stale.ttl"
LV2_PATH="$tmp/first:$tmp/second" HOME="$tmp/home" "$src/scripts/install-lv2" "$build" || fail "install to LV2_PATH"
[ ! -e "$tmp/second/brindlewarbler.lv2" ] || fail "installed into the second LV2_PATH entry"
[ ! -e "$tmp/home/.lv2" ] || fail "installed into ~/.lv2 although LV2_PATH is set"
[ ! -e "$tmp/first/brindlewarbler.lv2/stale.ttl" ] || fail "the old bundle's files were kept"
for f in "$build"/lv2-bundles/brindlewarbler.lv2/*; do
  cmp -s "$f" "$tmp/first/brindlewarbler.lv2/${f##*/}" || fail "${f##*/} differs from the build"
done

# Without LV2_PATH: ~/.lv2, and the installed copy alone (no run path into the build tree).
env -u LV2_PATH HOME="$tmp/home" "$src/scripts/install-lv2" "$build" || fail "install to ~/.lv2"
bundle=$tmp/home/.lv2/brindlewarbler.lv2
sox -n -r 48000 -c 2 -e floating-point -b 32 "$tmp/in.wav" synth 0.5 sine 440 sine 550 gain -6 || fail "sox"
env LV2_PATH="$tmp/home/.lv2" ${BW_LV2_HOST_PRELOAD:+LD_PRELOAD=$BW_LV2_HOST_PRELOAD ASAN_OPTIONS=detect_leaks=0} \
  lv2file -i "$tmp/in.wav" -o "$tmp/out.wav" -P "Lost Tape" urn:tessera:brindlewarbler:stereo >/dev/null \
  || fail "lv2file could not render through the installed bundle"
[ "$(soxi -s "$tmp/out.wav")" = 24000 ] || fail "rendered $(soxi -s "$tmp/out.wav") frames, want 24000"

needed() { readelf -d "$1" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p'; }
extra=$(needed "$bundle/brindlewarbler.so" | grep -v -E '^(libstdc\+\+|libm|libgcc_s|libc|ld-linux-x86-64|libasan|libubsan)\.so')
[ -z "$extra" ] || fail "the DSP binary needs $extra"
readelf -d "$bundle/brindlewarbler.so" | grep -q -E 'RPATH|RUNPATH' && fail "the binary has a run path"
if [ -e "$bundle/brindlewarbler_ui.so" ]; then
  exports=$(nm -D --defined-only "$bundle/brindlewarbler_ui.so" | awk '{print $3}')
  [ "$exports" = lv2ui_descriptor ] || fail "the UI binary exports more than lv2ui_descriptor: $exports"
  needed "$bundle/brindlewarbler_ui.so" | grep -E 'vstgui|tsra' && fail "the UI binary needs our shared libraries"
fi
echo "install: ok"
