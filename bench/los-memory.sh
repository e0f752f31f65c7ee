#!/usr/bin/env bash
# Memory and time of whole runs as the regions grow, before and after a
# change: for each region, tolvar-run of the build before (a commit built in a
# temporary folder) and of this build with the default budget of the
# level-of-service columns, with no bound, with 1/8, 1/4 and 1/2 of the
# unbounded store's peak, and (at 2,000 zones) with 64 and 256 MB. The runs
# before and with the default budget are made twice, the faster counts. Prints
# one table row per run: peak resident memory, wall time, persons per second, the
# store's figures, and whether the output equals that of the default run.
#
#   bench/los-memory.sh BUILD_DIR REGIONS_DIR [WORK_DIR] [BEFORE_COMMIT]
#
# REGIONS_DIR keeps the generated regions (zZONES-hPER.db) for the next call:
# the 3,000-zone region has 45 million level-of-service rows (about 4 GB).
# BEFORE_COMMIT defaults to the commit where this branch left main. SQLite,
# ten threads, the sample model file. REGIONS="250:50 1000:200" runs a subset
# (zones:households per zone). Run it on a quiet machine: the memory figures
# do not depend on the load, the wall times do.
set -euo pipefail

here=$(cd "$(dirname "$0")/.." && pwd)
. "$here/bench/los-bench-lib.sh"
take_arguments tolvar-los-memory "$@"
sizes=${REGIONS:-"250:50 1000:50 2000:50 3000:50 1000:200"}

# One run, repeated REPEAT times (the fastest counts: the wall times of a busy
# machine vary by a sixth from run to run); prints the table row; the output
# of the last stays in $work/$name.
run() {
    local name=$1 program=$2 region=$3 label=$4 reference=$5
    shift 5
    local report=$work/$name.report
    local wall="" time repeat
    for ((repeat = 0; repeat < ${REPEAT:-1}; ++repeat)); do
        rm -rf "${work:?}/$name"
        /usr/bin/time -f "%M" -o "$work/$name.rss" "$program" --connect "Driver=SQLite3;Database=$region;" \
            --model "$model" --out "$work/$name" --timers "$@" >"$report"
        time=$(sed -n 's/^Wall time: \([0-9.]*\) s$/\1/p' "$report")
        wall=$(smaller "$wall" "$time")
    done
    local rss columns
    rss=$(awk '{printf "%.0f", $1 * 1024 / 1e6}' "$work/$name.rss")
    columns=$(sed -n 's/^Origin columns: \([0-9]*\) read, \([0-9]*\) dropped, \([0-9]*\) read again; hit rate \([0-9.]*\) %;.*peak \([0-9.]*\) MiB$/\1 | \2 | \3 | \4 | \5/p' "$report")
    # The build before gives only the columns held and their size.
    [ -n "$columns" ] || columns=$(sed -n 's/^Origin columns held: \([0-9]*\), \([0-9.]*\) MiB$/\1 | - | - | - | \2/p' "$report")
    local output=-
    [ "$reference" = - ] || output=$(same "$work/$reference" "$work/$name")
    awk -v label="$label" -v rss="$rss" -v wall="$wall" -v p="$(persons "$work/$name")" -v c="$columns" \
        -v o="$output" 'BEGIN { printf "| %s | %s | %.1f | %.0f | %s | %s |\n", label, rss, wall, p / wall, c, o }'
}

echo "uptime: $(uptime)"
echo "before: $before ($(git -C "$here" log -1 --format=%s "$before"))"
echo
echo "| region, build, budget | peak MB | wall s | persons/s | columns read | dropped | read again | hit rate % | store peak MiB | same output |"
echo "|---|---|---|---|---|---|---|---|---|---|"
for size in $sizes; do
    zones=${size%%:*}
    per=${size##*:}
    region=$(region_file "$build" "$regions" "$zones" $((zones * per)))
    tag="$zones zones, $per per zone"
    REPEAT=2 run "z$zones-h$per-default" "$build/bench/tolvar-run" "$region" "$tag, after, default" -
    REPEAT=2 run "z$zones-h$per-before" "$beforeRun" "$region" "$tag, before" "z$zones-h$per-default"
    run "z$zones-h$per-unbounded" "$build/bench/tolvar-run" "$region" "$tag, after, no bound" \
        "z$zones-h$per-default" --los-memory 0
    peak=$(sed -n 's/^Origin columns: .* peak \([0-9.]*\) MiB$/\1/p' "$work/z$zones-h$per-unbounded.report")
    budgets=""
    for part in 8 4 2; do budgets="$budgets $(awk -v p="$peak" -v d="$part" 'BEGIN { b = int(p / d + 0.5); print (b < 1 ? 1 : b) }')"; done
    [ "$zones" = 2000 ] && [ "$per" = 50 ] && budgets="$budgets 64 256"
    for budget in $budgets; do
        run "z$zones-h$per-$budget" "$build/bench/tolvar-run" "$region" "$tag, after, $budget MB" \
            "z$zones-h$per-default" --los-memory "$budget"
        rm -rf "${work:?}/z$zones-h$per-$budget"
    done
done
echo
echo "reports and outputs in $work"
