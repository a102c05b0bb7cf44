#!/usr/bin/env bash
# Builds the program (installing what is missing) and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh build
exec build/bin/quorvel
