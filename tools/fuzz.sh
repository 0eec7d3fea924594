#!/usr/bin/env bash
# Builds the libFuzzer targets with clang, AddressSanitizer and UndefinedBehaviorSanitizer and runs
# each for FUZZ_SECONDS (60) on one core, printing its executions and findings. Arguments name the
# targets to run (difference connection adif); without any, all. The corpus grows in
# build-fuzz/corpus/<target>, seeded from fuzz/corpus/<target>; a crash leaves its input in
# build-fuzz/crash-<target>-*.
set -euo pipefail
cd "$(dirname "$0")/.."

tools/install-deps.sh fuzz
targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=(difference connection adif)
CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=OFF \
    -DTEMPORA_FUZZ=ON >/dev/null
cmake --build build-fuzz -j"$(nproc)" --target "${targets[@]/#/fuzz_}" >/dev/null

status=0
for target in "${targets[@]}"; do
    mkdir -p "build-fuzz/corpus/$target"
    log="build-fuzz/fuzz-$target.log"
    if build-fuzz/fuzz/"fuzz_$target" -max_total_time="${FUZZ_SECONDS:-60}" -timeout=10 \
        -print_final_stats=1 -artifact_prefix="build-fuzz/crash-$target-" \
        "build-fuzz/corpus/$target" "fuzz/corpus/$target" >"$log" 2>&1; then
        echo "$target: $(grep -m1 -o 'number_of_executed_units: [0-9]*' "$log" | cut -d' ' -f2) executions," \
            "$(ls "build-fuzz/corpus/$target" | wc -l) inputs in the corpus, no finding"
    else
        status=1
        echo "$target: FINDING, see $log"
        grep -E -m3 'ERROR|SUMMARY|Test unit written' "$log" || true
    fi
done
exit $status
