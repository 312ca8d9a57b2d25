#!/usr/bin/env bash
# The UI binary exports lv2ui_descriptor alone and needs neither of our shared libraries:
# a host may load it beside another plug-in carrying a toolkit with the same class names.
set -euo pipefail
ui="$1/brindlewarbler_ui.so"
command -v nm >/dev/null && command -v readelf >/dev/null || { echo "nm/readelf missing"; exit 77; }
exports=$(nm -D --defined-only "$ui" | awk '{print $3}' | sort)
if [ "$exports" != "lv2ui_descriptor" ]; then
    echo "exports other than lv2ui_descriptor:"; echo "$exports"; exit 1
fi
needed=$(readelf -d "$ui" | sed -n 's/.*Shared library: \[\(.*\)\]/\1/p')
if echo "$needed" | grep -E 'vstgui|tsra'; then
    echo "needs our shared libraries at run time"; exit 1
fi
# And the DSP binary stays free of the window system.
if readelf -d "$1/brindlewarbler.so" | grep -E 'X11|cairo'; then
    echo "the DSP binary links the window system"; exit 1
fi
echo "ok: exports lv2ui_descriptor only; needs: $(echo $needed)"
