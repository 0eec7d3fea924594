#!/usr/bin/env bash
# Builds the stress command (Release) and runs its fault rounds against the log's data layer and
# the backup, printing a Markdown table: saves killed with kill -9, backups of a large log while
# another process saves, backups killed part way. Never run by CI: about four minutes on 2 cores.
# Options are passed through as environment variables:
#   STRESS_ROUNDS (100)  STRESS_BACKUPS (30)  STRESS_CONTACTS (100000)  STRESS_SEED (1)
set -euo pipefail
cd "$(dirname "$0")/.."

tools/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DTEMPORA_BENCHMARKS=ON >/dev/null
cmake --build build -j"$(nproc)" --target bench_stress >/dev/null
build/bench/bench_stress --rounds "${STRESS_ROUNDS:-100}" --backups "${STRESS_BACKUPS:-30}" \
    --contacts "${STRESS_CONTACTS:-100000}" --seed "${STRESS_SEED:-1}" --data "$PWD/build/bench-data"
