#!/usr/bin/env bash
# The desktop entry and the AppStream data: both name the program by one id, and both pass their
# validators (desktop-file-validate, appstreamcli) when these are installed.
# Usage: TestDesktopData.sh <desktop file> <metainfo file> <id>
set -uo pipefail
desktop=$1 metainfo=$2 id=$3
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
has() { grep -qxF -- "$2" "$1" || fail "$(basename "$1") lacks the line: $2"; }

[ "$(basename "$desktop")" = "$id.desktop" ] || fail "desktop entry not named $id.desktop"
has "$desktop" "Icon=$id"
has "$desktop" "Exec=quorvel"
has "$desktop" "Categories=Graphics;2DGraphics;"
grep -q '^Keywords=.*barcode;' "$desktop" || fail "desktop entry has no Keywords with barcode"
grep -q "<id>$id</id>" "$metainfo" || fail "metainfo id is not $id"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" || fail "metainfo launches no $id.desktop"

validated=0
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$desktop" || fail "desktop-file-validate"
  validated=1
fi
if command -v appstreamcli >/dev/null; then
  # Warnings fail as well as errors; --no-net keeps the check on this machine.
  appstreamcli validate --no-net "$metainfo" || fail "appstreamcli validate"
  validated=1
fi
[ $failures -eq 0 ] || exit 1
if [ $validated -eq 0 ]; then
  echo "SKIP: neither desktop-file-validate nor appstreamcli is installed (desktop-file-utils, appstream)"
  exit 77
fi
echo "desktop entry and AppStream data are valid"
