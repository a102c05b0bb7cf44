#!/usr/bin/env bash
# Installs the Debian packages the build needs (when missing), configures and builds.
# Usage: scripts/setup.sh [build-folder] [extra cmake arguments...]
set -euo pipefail
cd "$(dirname "$0")/.."

# The windows are laid out for DejaVu Sans (a test checks that every caption fits in each language).
scripts/install-packages.sh g++ cmake make qt6-base-dev libgl-dev libzint-dev libzint2.11 zint \
  qt6-svg-dev libzxing-dev qt6-translations-l10n appstream desktop-file-utils dpkg-dev xvfb xauth imagemagick \
  fonts-dejavu-core poppler-utils
# The tests of numbers in the user's locale run in German too.
scripts/install-locale.sh de_DE.UTF-8

build=${1:-build}
shift || true
cmake -S . -B "$build" "$@" >/dev/null
cmake --build "$build" -j"$(nproc)"
