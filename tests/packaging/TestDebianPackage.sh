#!/usr/bin/env bash
# Builds the Debian package from the build folder, checks its file list and control data,
# unpacks it into a temporary root (nothing is installed on this machine) and runs the program
# from there: it must find its engine and its language files and write a symbol.
# Usage: TestDebianPackage.sh <build folder> <version> <id>
set -euo pipefail
build=$1 version=$2 id=$3
for tool in cpack dpkg-deb dpkg-shlibdeps; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed (dpkg-dev)"; exit 77; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/package" >"$work/cpack.log" 2>&1 \
  || { cat "$work/cpack.log"; fail "cpack"; }
deb=$(ls "$work"/package/quorvel_"$version"_*.deb)

echo "== contents"
dpkg-deb -c "$deb" | awk '{print $6}' | sed 's#^\./#/#' | grep -v '/$' | sort | tee "$work/files"
{
  echo /usr/bin/quorvel
  echo /usr/bin/quorvel-window
  echo "/usr/share/applications/$id.desktop"
  echo "/usr/share/metainfo/$id.metainfo.xml"
  echo "/usr/share/icons/hicolor/scalable/apps/$id.svg"
  for size in 16 22 24 32 48 64 128 256; do echo "/usr/share/icons/hicolor/${size}x$size/apps/$id.png"; done
  for language in English French German Spanish; do echo "/usr/share/$id/lang/$language.lng"; done
  echo /usr/share/man/man1/quorvel.1.gz
  echo /usr/share/doc/quorvel/changelog.gz
} | sort >"$work/expected"
diff -u "$work/expected" "$work/files" || fail "the package holds other files than expected"

echo "== control"
dpkg-deb -f "$deb"
field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = quorvel ] || fail "Package"
[ "$(field Version)" = "$version" ] || fail "Version"
[ "$(field Section)" = graphics ] || fail "Section"
[ -n "$(field Maintainer)" ] || fail "Maintainer"
# The engine is loaded at run time, so it is named; dpkg-shlibdeps found the linked libraries.
for dependency in libzint2 libzxing2 libqt6svg6 libqt6widgets6 libqt6gui6 libqt6core6 libc6 libstdc++6; do
  field Depends | tr ',' '\n' | grep -q "^ *$dependency" || fail "Depends lacks $dependency: $(field Depends)"
done

echo "== unpacked and run"
dpkg -x "$deb" "$work/root"
program="$work/root/usr/bin/quorvel"
export XDG_CONFIG_HOME="$work/home/config" XDG_DATA_HOME="$work/home/data"
version_text=$("$program" --version)
echo "$version_text"
grep -qxF "Quorvel (QR code) Generator $version" <<<"$version_text" || fail "--version"
grep -q '^Engine: libzint.*version number [0-9]' <<<"$version_text" || fail "the engine is not found"
grep -qxF "Language files: $work/root/usr/share/$id/lang" <<<"$version_text" || fail "the language files are not found"
"$program" -d "installed" -o "$work/symbol.svg" || fail "writing a symbol"
head -c 5 "$work/symbol.svg" | grep -q '^<?xml' || fail "the symbol is no SVG file"
# --verify is the full program's: the installed command line hands it over.
"$program" -d "installed" -o "$work/read.png" --verify || fail "writing and reading back a symbol"

# The window opens and keeps running until it is ended (an error at start would end it first).
status=0
QT_QPA_PLATFORM=offscreen timeout 5 "$program" >"$work/window.log" 2>&1 || status=$?
[ "$status" -eq 124 ] || { cat "$work/window.log"; fail "the window ended by itself with status $status"; }
echo "package checks passed"
