#!/usr/bin/env bash
# `cmake --install` into a temporary root: exactly the installed files; the installed command
# runs from there on its own libraries and its own module (never the build tree's); the man
# page renders without warnings and, like the completion, knows every command and option the
# command's help lists; the Debian package CPack makes holds the same files and its Depends
# name a package for every library its ELF files need.
# Usage: check_install.sh SOURCE_DIR BUILD_DIR
set -uo pipefail
src=$1 build=$(cd "$2" && pwd)
for tool in sox man cpack dpkg-deb dpkg-shlibdeps readelf strings; do
  command -v $tool >/dev/null || { echo "SKIP: $tool not installed (scripts/setup installs it)"; exit 77; }
done
tmp=$(mktemp -d); trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*"; exit 1; }
root=$tmp/root usr=$tmp/root/usr bw=$tmp/root/usr/bin/brindlewarbler

DESTDIR=$root cmake --install "$build" --prefix /usr --strip >"$tmp/install.log" || fail "cmake --install: $(cat "$tmp/install.log")"
(cd "$root" && find . -type f -o -type l | sed 's|^\./||' | sort) >"$tmp/files"
diff -u - "$tmp/files" >"$tmp/files.diff" <<'EOF' || fail "installed files differ from the expected ones: $(cat "$tmp/files.diff")"
usr/bin/brindlewarbler
usr/lib/brindlewarbler/BrindleWarbler.so
usr/lib/brindlewarbler/libtsra_runtime.so
usr/lib/brindlewarbler/libvstgui_runloop.so
usr/lib/lv2/brindlewarbler.lv2/brindlewarbler.so
usr/lib/lv2/brindlewarbler.lv2/brindlewarbler_ui.so
usr/lib/lv2/brindlewarbler.lv2/manifest.ttl
usr/lib/lv2/brindlewarbler.lv2/mono.ttl
usr/lib/lv2/brindlewarbler.lv2/presets.ttl
usr/lib/lv2/brindlewarbler.lv2/stereo.ttl
usr/lib/lv2/brindlewarbler.lv2/ui.ttl
usr/share/bash-completion/completions/brindlewarbler
usr/share/man/man1/brindlewarbler.1.gz
EOF
# Any path into the build tree (a sanitizer build names its generated sources: not a lookup).
stray=$(cd "$root" && for f in $(cat "$tmp/files"); do
          strings -n 8 "$f" | grep -F "$build" | grep -vE '\.(c|cpp|h)$' | sed "s|^|$f: |"; done)
[ -z "$stray" ] || fail "the install names the build tree: $stray"

# The installed command, with nothing pointing it anywhere.
run() { env -u BRINDLEWARBLER_MODULE -u LD_LIBRARY_PATH "$bw" "$@"; }
libs=$(env -u LD_LIBRARY_PATH LD_TRACE_LOADED_OBJECTS=1 "$bw") || fail "the loader cannot start the command"
for lib in libtsra_runtime.so libvstgui_runloop.so; do
  grep -qF "$lib => $usr/bin/../lib/brindlewarbler/$lib" <<<"$libs" || fail "$lib not taken from the install: $libs"
done
sox -n -r 44100 -c 2 "$tmp/in.wav" synth 0.3 sine 440 sine 660 gain -6 || fail "sox"
run render "$tmp/in.wav" "$tmp/out.flac" --preset "Dusty Piano" --seed 3 --quiet || fail "render"
[ "$(soxi -s "$tmp/out.flac")" = 13230 ] || fail "rendered $(soxi -s "$tmp/out.flac") frames, want 13230"

# Man page and completion against the command's own help.
help=$(run --help) || fail "--help"
commands=$(sed -n '/^Commands:/,/^$/s/^  \([a-z]\+\) .*/\1/p' <<<"$help")
options=$(grep -o -- '--[a-z][a-z-]*' <<<"$help" | sort -u)
[ "$(wc -w <<<"$commands")" -ge 8 ] && [ "$(wc -w <<<"$options")" -ge 12 ] || fail "help lists too little: $help"
warnings=$(LC_ALL=C MANWIDTH=80 man --warnings -l "$usr/share/man/man1/brindlewarbler.1.gz" 2>&1 >"$tmp/man.txt")
[ -z "$warnings" ] || fail "man warns: $warnings"
for word in $commands $options; do
  grep -qE -- "(^| |\[)$word([] ,.;]|$)" "$tmp/man.txt" || fail "the man page does not mention $word"
done
complete_line() {  # prints the completions for the words given, the last being the one completed
  bash -c 'source "$1"; shift; COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1)); _brindlewarbler; printf "%s\n" "${COMPREPLY[@]}"' \
    _ "$usr/share/bash-completion/completions/brindlewarbler" "$bw" "$@"
}
for c in $commands; do
  complete_line "${c:0:3}" | grep -qx "$c" || fail "'${c:0:3}' does not complete to $c"
done
render_options=$(sed -n '/^render options:/,/^$/p' <<<"$help" | grep -o -- '--[a-z][a-z-]*')
got=$(complete_line render a.wav b.wav --)
for o in $render_options --module; do
  grep -qx -- "$o" <<<"$got" || fail "render -- does not offer $o: $got"
done
[ "$(complete_line render a.wav b.wav --preset Dus)" = 'Dusty\ Piano' ] || fail "preset: $(complete_line render a.wav b.wav --preset Dus)"
[ "$(complete_line params --preset '"Well')" = '"Well Loved Walkman' ] || fail "quoted preset: $(complete_line params --preset '"Well')"

# The package: same files as the install, and a Depends entry for every library needed.
cpack --config "$build/CPackConfig.cmake" -B "$tmp/pkg" >"$tmp/cpack.log" 2>&1 || fail "cpack: $(cat "$tmp/cpack.log")"
deb=$(ls "$tmp"/pkg/brindlewarbler_*_amd64.deb) || fail "no package: $(ls "$tmp/pkg")"
dpkg-deb -x "$deb" "$tmp/x" || fail "dpkg-deb -x"
(cd "$tmp/x" && find . -type f -o -type l | sed 's|^\./||' | sort) | cmp -s - "$tmp/files" || fail "the package's files differ from the install's"
depends=$(dpkg-deb -f "$deb" Depends | tr ',|' '\n\n' | sed 's/(.*//; s/ //g')
[ -n "$depends" ] || fail "the package declares no Depends"
needed=$(cd "$tmp/x" && find . -type f -name '*.so' -o -type f -path './usr/bin/*' | xargs readelf -d |
         sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p' | sort -u)
paths=()
for soname in $needed; do
  [ -n "$(find "$tmp/x" -name "$soname")" ] && continue
  path=$(ldconfig -p | sed -n "s|^\t$soname (libc6,x86-64.*) => ||p" | head -n1)
  [ -n "$path" ] || fail "the package needs $soname, which the system does not have"
  paths+=("$path" "${path#/usr}" "/usr$path")  # dpkg knows a library under one of /lib, /usr/lib
done
owners=$(dpkg -S "${paths[@]}" 2>/dev/null)  # one call: each takes a second
for ((i = 0; i < ${#paths[@]}; i += 3)); do
  pkg=$(awk -F ': ' -v a="${paths[i]}" -v b="${paths[i+1]}" -v c="${paths[i+2]}" \
        '$2 == a || $2 == b || $2 == c { sub(/:.*/, "", $1); print $1; exit }' <<<"$owners")
  grep -qx "$pkg" <<<"$depends" || fail "${paths[i]##*/} comes from '${pkg:-no package}', not in Depends: $(dpkg-deb -f "$deb" Depends)"
done

# Last, as it removes the installed module: without it the command must fail naming the
# installed location, not fall back to the build tree's module.
rm "$usr/lib/brindlewarbler/BrindleWarbler.so"
err=$(run presets 2>&1) && fail "ran without the installed module (which module did it load?)"
grep -qF "$usr/bin/../lib/brindlewarbler/BrindleWarbler.so" <<<"$err" || fail "the installed location was not looked at: $err"
echo "install: ok"
