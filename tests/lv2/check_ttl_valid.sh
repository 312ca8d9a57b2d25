#!/usr/bin/env bash
# sord_validate (Debian sordi) checks the bundle's Turtle files against the LV2 schemas that
# Debian's lv2-dev installs: every property defined, values in range, required properties
# present. The files are checked together, as a host reads them: the presets name the
# plug-ins that the other files describe.
# Usage: check_ttl_valid.sh BUNDLE_DIR
set -uo pipefail
bundle=$1
command -v sord_validate >/dev/null || { echo "SKIP: sord_validate not installed (scripts/setup installs sordi)"; exit 77; }
# The schemas of lv2-dev only: other bundles under /usr/lib/lv2 (Calf, say) are not ours to judge.
mapfile -t schemas < <(dpkg -L lv2-dev 2>/dev/null | grep -E '^/usr/lib/lv2/.*\.ttl$')
[ "${#schemas[@]}" -gt 0 ] || { echo "SKIP: no LV2 schemas from lv2-dev (scripts/setup installs it)"; exit 77; }
ttl=("$bundle"/*.ttl)
expected=4
[ -e "$bundle/brindlewarbler_ui.so" ] && expected=5  # the editor's ui.ttl
[ "${#ttl[@]}" -eq $expected ] || { echo "FAIL: expected $expected Turtle files in $bundle, found ${#ttl[@]}"; exit 1; }
# sord_validate's exit status covers only some faults: the count it prints covers them all.
out=$(sord_validate "${schemas[@]}" "${ttl[@]}" 2>&1)
rc=$?
summary=$(printf '%s\n' "$out" | grep -E '^Found [0-9]+ errors' | tail -1)
echo "${ttl[*]##*/}: $summary"
if [ $rc -ne 0 ] || [[ "$summary" != "Found 0 errors"* ]]; then
  printf '%s\n' "$out"
  echo "FAIL: sord_validate rejects the bundle"
  exit 1
fi
