#!/usr/bin/env bash
# Installs what is needed, builds Tolvar, generates the sample region (SQLite,
# sample-run/region.db) and runs the simulation on it headless with the sample
# model file; the run's files go to sample-run/output.
set -euo pipefail
cd "$(dirname "$0")"
bash .ci/install-packages
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)"
mkdir -p sample-run
./build/tools/tolvar-sample-region --zones 25 --households 200 --seed 1 --sqlite sample-run/region.db
cd sample-run
../build/bench/tolvar-run --connect "Driver=SQLite3;Database=$PWD/region.db;" \
    --model ../sample/tolvar-sample.tvm --out output
