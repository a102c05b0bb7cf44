#!/usr/bin/env bash
# Builds the benchmarks with optimisation, runs them one after another and prints one table
# of their ratios against the bare engine (or the zint command line).
#
#   bench/run-all.sh [build folder]          default: build (a Release or RelWithDebInfo build)
#   BENCH_BATCH_ARGS="2000 20000 1" bench/run-all.sh      shorter batch run (see BenchBatch.cpp)
#
# A benchmark may print its ratios in any of these forms; lines in no such form are ignored:
#   RATIO<tab>case<tab>ratio[<tab>goal]                   explicit, preferred for new output
#   a table whose header has a column "ratio", each row's value right-aligned under it
#   prose: "<case>: ... ratio 1.23 <what>" or "<case>: ... / <other side> 1.23 <what>"
# The full output of each benchmark stays in <build folder>/bench-logs/.
set -u

root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
logs=$build/bench-logs
benches="BenchBarcode BenchPreview BenchBatch BenchCommandLine BenchLang BenchSaveCost"
declare -A goals=([BenchBarcode]=1.15 [BenchPreview]=1.3 [BenchBatch]=0.55 [BenchCommandLine]=1.5 [BenchLang]=2 [BenchSaveCost]=1.05)

if [ -f "$build/CMakeCache.txt" ]; then
  type=$(sed -n 's/^CMAKE_BUILD_TYPE:[A-Z]*=//p' "$build/CMakeCache.txt")
  case "$type" in
    Release|RelWithDebInfo) ;;
    *) echo "$build is a '${type:-unoptimised}' build; benchmarks need Release or RelWithDebInfo:" \
            "name another folder, e.g. bench/run-all.sh build-bench" >&2
       exit 2 ;;
  esac
else
  if command -v ccache >/dev/null; then
    export CMAKE_CXX_COMPILER_LAUNCHER=${CMAKE_CXX_COMPILER_LAUNCHER:-ccache}
    export CMAKE_C_COMPILER_LAUNCHER=${CMAKE_C_COMPILER_LAUNCHER:-ccache}
  fi
  cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null || exit 2
fi
mkdir -p "$logs"

status=0
for bench in $benches; do
  if ! cmake --build "$build" -j2 --target "$bench" >"$logs/$bench.build.log" 2>&1; then
    echo "$bench: build failed, see $logs/$bench.build.log" >&2
    status=1
  fi
done

# One line per ratio: bench<tab>case<tab>ratio<tab>goal.
parse() {
  awk -v bench="$1" -v goal="$2" '
    function trim(s) { gsub(/^[ \t]+|[ \t]+$/, "", s); gsub(/  +/, " ", s); return s }
    function emit(label, value, target) { printf "%s\t%s\t%s\t%s\n", bench, trim(label), value, target; found = 1 }
    BEGIN { FS = "\t"; column = 0 }
    /^RATIO\t/ { emit($2, $3, ($4 != "" ? $4 : goal)); next }
    {
      line = $0
      if (match(line, /(^|[ |])ratio( |$)/) && line !~ /[0-9]\.[0-9]/) {   # a table header
        column = RSTART + RLENGTH - (substr(line, RSTART + RLENGTH - 1, 1) == " " ? 2 : 1)
        next
      }
      if (column > 0 && length(line) >= column && substr(line, column + 1, 1) !~ /[0-9.]/) {
        head = substr(line, 1, column)
        if (match(head, /[0-9]+\.[0-9]+$/)) {
          value = substr(head, RSTART)
          split(line, parts, /  +/)
          emit(parts[1], value, goal)
          next
        }
      }
      label = line; sub(/:.*/, "", label)
      rest = line
      while (match(rest, /ratio [0-9]+\.[0-9]+( [a-z-]+)?|\/ [A-Za-z ]+ [0-9]+\.[0-9]+( [a-z-]+)?/)) {
        piece = substr(rest, RSTART, RLENGTH)
        rest = substr(rest, RSTART + RLENGTH)
        match(piece, /[0-9]+\.[0-9]+/)
        value = substr(piece, RSTART, RLENGTH)
        what = substr(piece, 1, RSTART - 1) substr(piece, RSTART + RLENGTH)
        # "a / b" lines compare with something the goal is not about: shown without a goal.
        emit(label ": " trim(what), value, (piece ~ /^\// ? "-" : goal))
      }
    }
    END { exit found ? 0 : 1 }'
}

table=$(mktemp)
trap 'rm -f "$table"' EXIT
for bench in $benches; do
  program=$build/bin/$bench
  [ -x "$program" ] || { echo "$bench: not built" >&2; status=1; continue; }
  args=()
  [ "$bench" = BenchBatch ] && read -r -a args <<<"${BENCH_BATCH_ARGS:-}"
  echo "running $bench ${args[*]:-}..." >&2
  QT_QPA_PLATFORM=offscreen "$program" "${args[@]}" >"$logs/$bench.log" 2>&1
  code=$?
  [ $code -eq 0 ] || { echo "$bench: exit code $code, see $logs/$bench.log" >&2; status=1; }
  if ! parse "$bench" "${goals[$bench]}" <"$logs/$bench.log" >>"$table"; then
    echo "$bench: no ratios found in its output; it follows:" >&2
    sed 's/^/    /' "$logs/$bench.log" >&2
    status=1
  fi
done

printf '\n%-13s %-52s %8s %6s  %s\n' benchmark case ratio goal ""
awk -F '\t' '{ over = ($4 != "-" && $3 + 0 > $4 + 0); bad += over
               printf "%-13s %-52s %8.3f %6s  %s\n", $1, substr($2, 1, 52), $3, ($4 == "-" ? "" : "<=" $4),
                      ($4 == "-" ? "" : over ? "over" : "ok") }
             END { printf "\n%d of %d ratios over their goal\n", bad, NR }' "$table"
exit $status
