#!/usr/bin/env bash
# Builds the program and its tests (installing what is missing) and runs every test.
# Usage: scripts/test.sh [extra cmake arguments...]   (CI passes -DQUORVEL_WERROR=ON)
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh build "$@"
ctest --test-dir build --output-on-failure -j"$(nproc)"
