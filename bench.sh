#!/usr/bin/env bash
# Builds the benchmarks (Release) and runs them all, printing Markdown tables:
# the log at 10 000 / 100 000 / 1 000 000 contacts, ADIF export and import, clock precision, capture
# accuracy and clock steps, idle cost and start-up, the log's backup beside cp + sync and sqlite3.
# Options are passed through as environment variables:
#   BENCH_SIZES (10000,100000,1000000)  BENCH_RUNS (5)  BENCH_CLOCK_SECONDS (120)
#   BENCH_IDLE_SECONDS (60)  BENCH_STARTS (20)  BENCH_ADIF_SIZE (1000000)  BENCH_ADIF_RUNS (3)
#   BENCH_CLICKS (1000)  BENCH_STEPS (3)  BENCH_BACKUP_SIZE (1000000)  BENCH_BACKUP_RUNS (3)
set -euo pipefail
cd "$(dirname "$0")"

tools/install-deps.sh bench
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DTEMPORA_BENCHMARKS=ON >/dev/null
cmake --build build -j"$(nproc)" --target bench_log bench_clock bench_idle bench_startup bench_adif bench_capture bench_backup >/dev/null
data="$PWD/build/bench-data"

echo "## Benchmarks: $(date -u '+%Y-%m-%d %H:%M UTC'), $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //')"
build/bench/bench_log --sizes "${BENCH_SIZES:-10000,100000,1000000}" --runs "${BENCH_RUNS:-5}" --data "$data" 2>/dev/null
build/bench/bench_adif --size "${BENCH_ADIF_SIZE:-1000000}" --runs "${BENCH_ADIF_RUNS:-3}" --data "$data" --adif build/tools/tempora-adif 2>/dev/null
build/bench/bench_backup --size "${BENCH_BACKUP_SIZE:-1000000}" --runs "${BENCH_BACKUP_RUNS:-3}" --data "$data" 2>/dev/null
build/bench/bench_clock --seconds "${BENCH_CLOCK_SECONDS:-120}" 2>/dev/null
build/bench/bench_capture --clicks "${BENCH_CLICKS:-1000}" --steps "${BENCH_STEPS:-3}" 2>/dev/null
build/bench/bench_idle --seconds "${BENCH_IDLE_SECONDS:-60}" --data "$data" 2>/dev/null
build/bench/bench_startup --runs "${BENCH_STARTS:-20}" 2>/dev/null
