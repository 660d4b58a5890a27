#!/usr/bin/env bash
# Runs every benchmark program of a build folder and prints its figures.
set -euo pipefail
build=${1:-build}
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
status=0
for bench in $(find "$build/benchmarks" -maxdepth 2 -type f -executable -name 'bench_*' | sort); do
    echo "== $(basename "$bench")"
    "$bench" || status=1
done
exit $status
