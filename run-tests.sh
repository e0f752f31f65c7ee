#!/usr/bin/env bash
# Installs what is needed, builds, starts a throwaway PostgreSQL server on
# loopback and runs every test (database tests against SQLite and PostgreSQL).
set -euo pipefail
cd "$(dirname "$0")"
bash .ci/install-packages
TOLVAR_PG_CONNECT=$(bash .ci/start-postgres | tail -n 1)
export TOLVAR_PG_CONNECT
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)"
ctest --test-dir build --output-on-failure -j"$(nproc)" --timeout 600
