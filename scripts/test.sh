#!/usr/bin/env bash
# Builds the program and its tests (installing what is missing) and runs every test.
# Usage: scripts/test.sh [extra cmake arguments...]   (CI passes -DQUORVEL_WERROR=ON)
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh build "$@"
# A tiny file system to fill up: the disk-full tests use it when we may mount one.
if [ "$(id -u)" -eq 0 ] && [ -z "${QUORVEL_FULL_DISK_DIR:-}" ]; then
  tiny=$(mktemp -d)
  if mount -t tmpfs -o size=256k,mode=1777 tmpfs "$tiny" 2>/dev/null; then
    export QUORVEL_FULL_DISK_DIR="$tiny"
    trap 'umount "$tiny" 2>/dev/null; rmdir "$tiny" 2>/dev/null' EXIT
  else
    rmdir "$tiny"
  fi
fi
ctest --test-dir build --output-on-failure -j"$(nproc)"
