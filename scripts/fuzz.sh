#!/usr/bin/env bash
# Builds the fuzz targets of tests/fuzz with clang, libFuzzer, ASan and UBSan in their own build
# folder and runs each for a bounded time, seeded by its stored corpus.
#   scripts/fuzz.sh [build folder]     FUZZ_SECONDS (60) per target, FUZZ_TARGETS to pick some
# FUZZ_KEEP_GOING=1 runs a target past its crashes, time-outs and out-of-memory inputs (libFuzzer
# fork mode), collecting all of them.
# New inputs go to <build>/corpus/<target> (a scratch folder: copy a keeper by hand into
# tests/fuzz/corpus/<target>), crash inputs to <build>/crashes. Exits non-zero when a target
# failed.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-fuzz}
seconds=${FUZZ_SECONDS:-60}
targets=(${FUZZ_TARGETS:-archive panel designer skin reply})
jobs=${JOBS:-$(nproc)}

# libFuzzer's runtime comes with clang's run-time libraries, which `make test` does not need.
if ! command -v clang++ >/dev/null ||
    ! dpkg-query -W -f='${Status}' libclang-rt-14-dev 2>/dev/null | grep -q "install ok installed"; then
    echo "Installing clang and libFuzzer"
    SUDO=""
    [ "$(id -u)" -ne 0 ] && SUDO="sudo"
    export DEBIAN_FRONTEND=noninteractive
    $SUDO apt-get update -qq
    $SUDO apt-get install -y -qq --no-install-recommends clang libclang-rt-14-dev
fi

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELOXA_FUZZ=ON \
    -DCMAKE_CXX_COMPILER=clang++
cmake --build "$build" -j "$jobs" --target "${targets[@]/#/fuzz_}"

export QT_QPA_PLATFORM=offscreen QT_QUICK_BACKEND=software
# The readers' warnings on every refused input would cost more time than the reading.
export QT_LOGGING_RULES="*=false"
export ASAN_OPTIONS=${ASAN_OPTIONS:-abort_on_error=1:detect_leaks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
export LSAN_OPTIONS=suppressions=$PWD/scripts/lsan.supp
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
export HOME="$scratch/home" XDG_CONFIG_HOME="$scratch/config" XDG_DATA_HOME="$scratch/data"
export XDG_CACHE_HOME="$scratch/cache" XDG_RUNTIME_DIR="$scratch/runtime"
mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$XDG_CACHE_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
mkdir -p "$build/crashes"

mode=()
if [[ ${FUZZ_KEEP_GOING:-0} == 1 ]]; then
    mode=(-fork=1 -ignore_crashes=1 -ignore_timeouts=1 -ignore_ooms=1)
fi

summary=()
failed=0
for target in "${targets[@]}"; do
    corpus="$build/corpus/$target"
    log="$build/fuzz-$target.log"
    mkdir -p "$corpus"
    echo "== fuzz_$target for ${seconds}s (log: $log)"
    status=0
    leaks=1
    # The QML engine keeps its objects in memory LeakSanitizer does not scan: every widget
    # document would look leaked. The replay in the test run checks at exit, engine gone.
    [[ $target == panel ]] && leaks=0
    dict=()
    [[ -f tests/fuzz/$target.dict ]] && dict=(-dict="tests/fuzz/$target.dict")
    "$build/tests/fuzz/fuzz_$target" "$corpus" "tests/fuzz/corpus/$target" \
        -max_total_time="$seconds" -timeout=20 -rss_limit_mb=2048 -print_final_stats=1 \
        -detect_leaks=$leaks "${dict[@]}" "${mode[@]}" -artifact_prefix="$build/crashes/$target-" \
        >"$log" 2>&1 || status=$?
    grep -E '^#[0-9]+[[:space:]]+(INITED|DONE)|^Done [0-9]+ runs' "$log" || true
    runs=$(sed -nE 's/^stat::number_of_executed_units: *([0-9]+)/\1/p' "$log" | tail -n 1)
    took=$(sed -nE 's/^Done [0-9]+ runs in ([0-9]+) second.*/\1/p' "$log" | tail -n 1)
    rate=n/a
    if [[ -n $runs && -n $took && $took -gt 0 ]]; then
        rate=$((runs / took))
    else
        # Fork mode reports "#runs: cov: ... exec/s N ..." instead.
        last=$(grep -E '^#[0-9]+: cov:' "$log" | tail -n 1 || true)
        runs=$(sed -nE 's/^#([0-9]+):.*/\1/p' <<<"$last")
        rate=$(sed -nE 's/.*exec\/s ([0-9]+).*/\1/p' <<<"$last")
        rate=${rate:-n/a}
    fi
    if [ "$status" -ne 0 ]; then
        failed=1
        grep -E '^==[0-9]+==ERROR|SUMMARY:|runtime error|^artifact_prefix|Test unit written' \
            "$log" | head -n 8 || true
        summary+=("fuzz_$target  $rate exec/s  FAILED (exit $status, see $log)")
    else
        summary+=("fuzz_$target  $rate exec/s  ${runs:-?} runs, no failure")
    fi
done

echo
printf '%s\n' "${summary[@]}"
exit $failed
