#!/usr/bin/env bash
# Memory and time of whole runs when one worker thread stops for a while: the
# 1,000-zone, 50,000-household region at --los-memory 1 and 64, with the build
# of a commit before (built in a temporary folder) and with this build, each
# once as is and once with its busiest worker thread stopped for STALL seconds
# (default 15) from AFTER seconds (default 2) into the run (bench/stall-thread).
# The runs as is are made twice, the faster counts. Prints one table row per
# run: peak resident memory, wall time, the store's peaks (held, waiting to be
# freed, all), and whether the output equals that of this build's run as is;
# then, for each budget, how much higher the stalled run peaked and how the
# wall times of the two builds compare.
#
#   bench/los-memory-stall.sh BUILD_DIR REGIONS_DIR [WORK_DIR] [BEFORE_COMMIT]
#
# BEFORE_COMMIT defaults to the commit where this branch left main; REGIONS_DIR
# keeps the region for the next call (as bench/los-memory.sh does). Needs the
# right to trace a process (root). Run it on a quiet machine: the memory
# figures do not depend on the load, the wall times do.
set -euo pipefail

here=$(cd "$(dirname "$0")/.." && pwd)
. "$here/bench/los-bench-lib.sh"
take_arguments tolvar-los-stall "$@"
stall=${STALL:-15}
after=${AFTER:-2}
region=$(region_file "$build" "$regions" 1000 50000)

# figure NAME KEY: a figure of a run's report ("-" when the build gives none).
figure() {
    local report=$work/$1.report value
    case $2 in
        rss) value=$(sed -n 's/^Peak memory: \([0-9.]*\) MB$/\1/p' "$report") ;;
        held) value=$(sed -n 's/^Origin columns: .*held at most \([0-9.]*\) MiB.*$/\1/p' "$report") ;;
        waiting) value=$(sed -n 's/^Origin columns: .*waiting to be freed at most \([0-9.]*\) MiB.*$/\1/p' "$report") ;;
        store) value=$(sed -n 's/^Origin columns: .*peak \([0-9.]*\) MiB$/\1/p' "$report") ;;
    esac
    echo "${value:--}"
}

# run NAME PROGRAM BUDGET STALLED REPEAT: the run(s), the wall time of the
# fastest in $work/NAME.wall; the output of the last stays in $work/NAME.
run() {
    local name=$1 program=$2 budget=$3 stalled=$4 repeat=$5 wall="" time pid i
    for ((i = 0; i < repeat; ++i)); do
        rm -rf "${work:?}/$name"
        "$program" --connect "Driver=SQLite3;Database=$region;" --model "$model" --out "$work/$name" \
            --timers --los-memory "$budget" >"$work/$name.report" &
        pid=$!
        [ "$stalled" = no ] || "$build/bench/stall-thread" "$pid" "$after" "$stall" 2>>"$work/$name.stall" &
        wait "$pid"
        wait
        time=$(sed -n 's/^Wall time: \([0-9.]*\) s$/\1/p' "$work/$name.report")
        wall=$(smaller "$wall" "$time")
    done
    echo "$wall" >"$work/$name.wall"
}

row() {
    local name=$1 label=$2 output=-
    [ "$name" = "$3" ] || output=$(same "$work/$3" "$work/$name")
    echo "| $label | $(figure "$name" rss) | $(cat "$work/$name.wall") | $(figure "$name" held) |" \
        "$(figure "$name" waiting) | $(figure "$name" store) | $output |"
}

echo "uptime: $(uptime)"
echo "before: $before ($(git -C "$here" log -1 --format=%s "$before"))"
echo "region: $region; stall: ${stall} s from ${after} s into the run"
echo
echo "| budget, build, stall | peak MB | wall s | store held at most MiB | waiting at most MiB | store peak MiB | same output |"
echo "|---|---|---|---|---|---|---|"
summary=()
for budget in 1 64; do
    run "m$budget-after" "$build/bench/tolvar-run" "$budget" no 2
    run "m$budget-before" "$beforeRun" "$budget" no 2
    run "m$budget-after-stall" "$build/bench/tolvar-run" "$budget" yes 1
    run "m$budget-before-stall" "$beforeRun" "$budget" yes 1
    reference=m$budget-after
    row "m$budget-after" "$budget MB, after, as is" "$reference"
    row "m$budget-after-stall" "$budget MB, after, stalled" "$reference"
    row "m$budget-before" "$budget MB, before, as is" "$reference"
    row "m$budget-before-stall" "$budget MB, before, stalled" "$reference"
    summary+=("$(awk -v b="$budget" -v s="$(figure "m$budget-after-stall" rss)" -v n="$(figure "m$budget-after" rss)" \
        -v a="$(cat "$work/m$budget-after.wall")" -v o="$(cat "$work/m$budget-before.wall")" 'BEGIN {
            printf "%s MB: the stalled run peaks %+.0f MB above the run as is; ", b, s - n
            printf "wall time as is %.2f s after, %.2f s before (%+.1f %%)", a, o, 100 * (a - o) / o }')")
done
echo
printf '%s\n' "${summary[@]}"
echo "reports and outputs in $work"
