#!/usr/bin/env bash
# Installs what is needed, builds, starts a throwaway PostgreSQL server on
# loopback and runs every test (database tests against SQLite and PostgreSQL).
# The server is stopped when the tests end, whatever their result, unless it
# was already running before.
set -euo pipefail
cd "$(dirname "$0")"
bash .ci/install-packages
postgres=$(bash .ci/start-postgres)
if grep -q '^PostgreSQL: started' <<<"$postgres"; then trap 'bash .ci/stop-postgres' EXIT; fi
grep '^PostgreSQL:' <<<"$postgres" || true
TOLVAR_PG_CONNECT=$(tail -n 1 <<<"$postgres")
export TOLVAR_PG_CONNECT
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)"
ctest --test-dir build --output-on-failure -j"$(nproc)" --timeout 600
