#!/usr/bin/env bash
# Times the full simulation against the load-and-write pass (--decisions off)
# on one input database, in the same run of this script, with the ten loops
# and with one; prints households and persons per second and the ratio, and
# checks the full run's output with tolvar-check-output.
#
#   bench/decisions-ratio.sh BUILD_DIR "ODBC connect string" [MODEL_FILE] [WORK_DIR] [LOOPS]
#
# LOOPS is "10 1" (the default), or "10" or "1" alone.
#
# Example (the benchmark region):
#   build/tools/tolvar-sample-region --zones 1000 --households 50000 --sqlite /tmp/bench.db
#   bench/decisions-ratio.sh build "Driver=SQLite3;Database=/tmp/bench.db;"
set -euo pipefail

build=$(cd "${1:?build folder}" && pwd)
connect=${2:?ODBC connect string}
here=$(cd "$(dirname "$0")/.." && pwd)
model=${3:-$here/sample/tolvar-sample.tvm}
work=${4:-$(mktemp -d /tmp/tolvar-ratio.XXXXXX)}
loopCounts=${5:-10 1}
mkdir -p "$work"
cd "$work"  # the trace file goes here

# Seconds of wall time of one tolvar-run, from its report.
run() {
    local out=$1
    shift
    "$build/bench/tolvar-run" --connect "$connect" --model "$model" --out "$work/$out" "$@" >"$work/$out.report"
    sed -n 's/^Wall time: \([0-9.]*\) s$/\1/p' "$work/$out.report"
}

persons() { cat "$work/$1"/Adults.out* "$work/$1"/Children.out* | wc -l; }

for loops in $loopCounts; do
    off=$(run "off$loops" --decisions off --loops "$loops")
    full=$(run "full$loops" --loops "$loops")
    households=$(sed -n 's/^Households processed: //p' "$work/full$loops.report")
    people=$(persons "full$loops")
    awk -v l="$loops" -v off="$off" -v full="$full" -v h="$households" -v p="$people" 'BEGIN {
        printf "loops %s: decisions off %.3f s, full %.3f s, ratio %.2f; full run %.1f households/s, %.1f persons/s\n",
               l, off, full, full / off, h / full, p / full }'
done

last=${loopCounts%% *}
"$build/tools/tolvar-check-output" --connect "$connect" --out "$work/full$last" | head -40
echo "output in $work"
