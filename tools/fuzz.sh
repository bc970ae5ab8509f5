#!/usr/bin/env bash
# Builds the fuzz targets (clang, libFuzzer, ASan, UBSan) in build-fuzz and runs each
# one for the given number of seconds (default 20), starting from its seed corpus under
# fuzz/corpus/<target>/. Inputs the fuzzer finds worth keeping go to
# build-fuzz/fuzz-runs/<target>/corpus, so a later run goes on from there; the seeds stay as
# they are. Exits non-zero, naming the input file, when any target finds a crash, a leak, an
# out-of-memory or a hang.
#
#   tools/fuzz.sh [seconds] [target...]      e.g. tools/fuzz.sh 60 level_file obj_geometry
#
# FUZZ_OPTIONS adds libFuzzer flags to every run (for example "-max_len=4096" or
# "-runs=1000000"). Runs use the seed FUZZ_SEED (default 1), so a run is repeatable: from a
# fresh build-fuzz, a fault the 20-second CI run finds is found again by the same command here.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

seconds=${1:-20}
shift || true
build="$root/build-fuzz"

# A build dir made with another compiler would make CMake drop its cache and the fuzz option.
if [ -f "$build/CMakeCache.txt" ] && ! grep -q '^CMAKE_CXX_COMPILER:[A-Z]*=.*clang++-14$' "$build/CMakeCache.txt"; then
    rm -rf "$build"
fi
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_C_COMPILER=clang-14 -DCMAKE_CXX_COMPILER=clang++-14 -DWENDLEBOX_FUZZ=ON >/dev/null
cmake --build "$build" -j "${FUZZ_BUILD_JOBS:-4}"

if [ $# -gt 0 ]; then
    targets=("$@")
else
    targets=()
    for corpus in fuzz/corpus/*/; do
        targets+=("$(basename "$corpus")")
    done
fi

# Undefined behaviour is reported with the stack that led to it.
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1}

failed=()
summary=()
for target in "${targets[@]}"; do
    program="$build/fuzz/fuzz_$target"
    seeds="$root/fuzz/corpus/$target"
    run="$build/fuzz-runs/$target"
    if [ ! -x "$program" ] || [ ! -d "$seeds" ]; then
        echo "fuzz: unknown target '$target'" >&2
        failed+=("$target (unknown target)")
        continue
    fi
    rm -rf "$run/artifacts"
    mkdir -p "$run/corpus" "$run/artifacts"
    log="$run/fuzz.log"
    # A target's dictionary (fuzz/dict/<target>.dict) lends the fuzzer whole tokens: the keys of
    # the game's files, numbers no field can hold, chunk names, endless material files.
    dictionary=()
    [ -f "$root/fuzz/dict/$target.dict" ] && dictionary=(-dict="$root/fuzz/dict/$target.dict")
    echo "== $target: ${seconds} s"
    # Paths are absolute: the event target works inside its own scratch folder. Closing the
    # target's stdout and stderr keeps the loaders' log lines out; the fuzzer and the
    # sanitizers still report. No file the game reads should need a single allocation of
    # half a gigabyte, so a larger one counts as a fault at once instead of a slow hang.
    status=0
    # shellcheck disable=SC2086
    "$program" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -malloc_limit_mb=512 -close_fd_mask=3 \
        -print_final_stats=1 -seed="${FUZZ_SEED:-1}" -artifact_prefix="$run/artifacts/" "${dictionary[@]}" ${FUZZ_OPTIONS:-} \
        "$run/corpus" "$seeds" >"$log" 2>&1 || status=$?
    executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
    found=$(find "$run/artifacts" -type f | sort)
    if [ "$status" -ne 0 ] || [ -n "$found" ]; then
        grep -E '^==[0-9]+==|^==fuzz==|ERROR|SUMMARY|^    #[0-3] ' "$log" | head -n 20 >&2 || true
        for input in $found; do
            echo "fuzz: $target found a fault; input: $input" >&2
        done
        [ -n "$found" ] || echo "fuzz: $target stopped with status $status; log: $log" >&2
        failed+=("$target")
    fi
    summary+=("$(printf '%-18s %12s executions' "$target" "${executions:-?}")")
done

echo "== fuzzing summary (${seconds} s each)"
printf '%s\n' "${summary[@]}"
if [ ${#failed[@]} -gt 0 ]; then
    echo "fuzz: faults found by: ${failed[*]}" >&2
    exit 1
fi
