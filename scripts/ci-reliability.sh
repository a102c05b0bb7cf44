#!/usr/bin/env bash
# Reliability checks, run by CI after the normal suite:
#   1. the whole test suite built with AddressSanitizer + UndefinedBehaviorSanitizer (gcc), with
#      LeakSanitizer on at every test's exit, a tiny full file system mounted for the disk-full
#      tests when we may mount one;
#   2. the scripted session (TestSessionLeaks) once more on its own, its leak report in the log;
#   3. a short libFuzzer run of every fuzz target (clang), seeded from fuzz/corpus/<target>/.
# Usage: scripts/ci-reliability.sh [asan|leaks|fuzz]...   (no argument: all three)
# QUORVEL_FUZZ_SECONDS sets the length of each fuzz run (default 30).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
jobs=$(nproc)
fuzz_seconds=${QUORVEL_FUZZ_SECONDS:-30}
steps=("$@")
[ ${#steps[@]} -gt 0 ] || steps=(asan leaks fuzz)

# A failing step does not stop the later ones; the script fails at the end.
failures=()
step() { printf '\n=== %s (%s)\n' "$1" "$(date -u +%H:%M:%S)"; }
wants() { local s; for s in "${steps[@]}"; do [ "$s" = "$1" ] && return 0; done; return 1; }

# scripts/setup.sh (run by scripts/test.sh before this) installs what the normal build needs;
# the fuzz build needs clang with its libFuzzer and sanitizer runtimes as well.
scripts/install-packages.sh clang-14 libclang-rt-14-dev

# Leaks are reported at exit; only third-party frames are suppressed (scripts/lsan.supp).
export ASAN_OPTIONS="detect_leaks=1:check_initialization_order=1:strict_init_order=1:detect_stack_use_after_return=1"
export LSAN_OPTIONS="suppressions=$root/scripts/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"

if wants asan || wants leaks; then
  step "sanitizer build"
  cmake -S . -B build-asan -DQUORVEL_SANITIZE=ON >/dev/null
  cmake --build build-asan -j"$jobs"
fi

if wants asan; then
  # A tiny file system to fill up: the disk-full tests use it when it is there.
  tiny=""
  if [ "$(id -u)" -eq 0 ]; then
    tiny=$(mktemp -d)
    if mount -t tmpfs -o size=256k,mode=1777 tmpfs "$tiny" 2>/dev/null; then
      export QUORVEL_FULL_DISK_DIR="$tiny"
      trap 'umount "$tiny" 2>/dev/null; rmdir "$tiny" 2>/dev/null' EXIT
    else
      rmdir "$tiny"; tiny=""
    fi
  fi
  step "test suite under AddressSanitizer and UndefinedBehaviorSanitizer${tiny:+ (tiny file system at $tiny)}"
  ctest --test-dir build-asan --output-on-failure -j"$jobs" || failures+=("sanitizer suite")
fi

if wants leaks; then
  step "leak check: scripted session under LeakSanitizer"
  rc=0
  ctest --test-dir build-asan --output-on-failure -V -R '^TestSessionLeaks$' >build-asan/leak-check.log 2>&1 || rc=$?
  grep -E 'LeakSanitizer|SUMMARY|Totals|PASS|FAIL|Passed|Failed|No tests' build-asan/leak-check.log || true
  [ "$rc" -eq 0 ] || { tail -n 80 build-asan/leak-check.log; failures+=("leak check"); }
fi

if wants fuzz; then
  step "fuzz build (clang-14, libFuzzer)"
  CC=clang-14 CXX=clang++-14 cmake -S . -B build-fuzz -DQUORVEL_FUZZ=ON -DQUORVEL_SANITIZE=ON >/dev/null
  cmake --build build-fuzz --target fuzzers -j"$jobs"
  export QT_QPA_PLATFORM=offscreen
  # Findings of a fuzz run are saved in build-fuzz/findings/, new inputs in build-fuzz/corpus/.
  mkdir -p build-fuzz/findings
  failed=()
  for dir in fuzz/corpus/*/; do
    target=$(basename "$dir")
    step "fuzz $target for ${fuzz_seconds}s"
    mkdir -p "build-fuzz/corpus/$target"
    rc=0
    build-fuzz/bin/"$target" -max_total_time="$fuzz_seconds" -timeout=20 -rss_limit_mb=2048 \
      -max_len=4096 -print_final_stats=1 -artifact_prefix="build-fuzz/findings/$target-" \
      "build-fuzz/corpus/$target" "$dir" >"build-fuzz/$target.log" 2>&1 || rc=$?
    grep -E '^#[0-9]+ +DONE|^stat::(number_of_executed_units|peak_rss_mb)|^Done' "build-fuzz/$target.log" || true
    if [ "$rc" -ne 0 ]; then
      tail -n 60 "build-fuzz/$target.log"
      echo "fuzz target $target found a fault; the input is in build-fuzz/findings/"
      failed+=("$target")
    fi
  done
  [ ${#failed[@]} -eq 0 ] || failures+=("fuzzing: ${failed[*]}")
fi
if [ ${#failures[@]} -gt 0 ]; then
  step "reliability checks FAILED: $(IFS=,; echo "${failures[*]}")"
  exit 1
fi
step "reliability checks passed"
