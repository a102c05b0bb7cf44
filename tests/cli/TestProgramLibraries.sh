#!/usr/bin/env bash
# The command-line program links Qt Core and what writing needs, never the windowing libraries
# (Qt Gui, Widgets, Svg, PrintSupport) or the reader; the full program beside it links them.
# Usage: TestProgramLibraries.sh <command-line program> <full program>
set -euo pipefail
command -v readelf >/dev/null || { echo "SKIP: readelf is not installed (binutils)"; exit 77; }
needed() { readelf -d "$1" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p'; }
small=$(needed "$1")
full=$(needed "$2")
printf '== %s\n%s\n== %s\n%s\n' "$1" "$small" "$2" "$full"
grep -q '^libQt6Core\.so' <<<"$small" || { echo "FAIL: the command-line program does not link Qt Core"; exit 1; }
if grep -E '^lib(Qt6(Gui|Widgets|Svg|PrintSupport|DBus|OpenGL)|ZXing|GL|EGL|X11|xcb|fontconfig|freetype)' <<<"$small"; then
  echo "FAIL: the command-line program links the libraries above"
  exit 1
fi
grep -q '^libQt6Widgets\.so' <<<"$full" || { echo "FAIL: the full program does not link Qt Widgets"; exit 1; }
echo "library checks passed"
