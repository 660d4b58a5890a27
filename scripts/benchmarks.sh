#!/usr/bin/env bash
# Runs every benchmark program of a build folder, shows their output and gathers their
# figure / baseline / ratio lines into one markdown table: stdout and <build>/benchmarks.md.
#
# A benchmark prints each comparison as three lines, label and value parted by two spaces or more:
#   <figure>            <value> [unit]  [(note)]
#   baseline <name>     <value> [unit]  [(note)]
#   ratio <name>        <value>         [(goal ...: met | NOT met | not measured)]
# A value that could not be measured is "n/a", its note saying why. Other lines are shown only.
set -euo pipefail
build=$(realpath "${1:-build}")
table="$build/benchmarks.md"

# A display, when there is one, is what a user has; without one, offscreen and software drawing.
if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
    export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
fi
if [[ "${QT_QPA_PLATFORM:-}" == offscreen* ]]; then
    export QT_QUICK_BACKEND=${QT_QUICK_BACKEND:-software}
fi

line_re='^(.*[^ ])  +(n/a|-?[0-9]+(\.[0-9]+)?)( ([^ (]+))?( +\((.*)\))? *$'
rows=()
figure=() baseline=()

# "value unit", or "n/a (why)" when there was none.
cell() {
    if [[ $1 == n/a && -n $3 ]]; then echo "n/a ($3)"; else echo "$1${2:+ $2}"; fi
}

collect() {
    local bench=$1 line label value unit note
    while IFS= read -r line; do
        [[ $line =~ $line_re ]] || continue
        label=${BASH_REMATCH[1]} value=${BASH_REMATCH[2]}
        unit=${BASH_REMATCH[5]} note=${BASH_REMATCH[7]}
        case $label in
        ratio\ *)
            if ((${#figure[@]} && ${#baseline[@]})); then
                local goal=""
                [[ $note == goal* ]] && goal=${note#goal }
                rows+=("| $bench | ${figure[0]} | ${figure[1]} | ${baseline[0]} | ${baseline[1]} | $value | $goal |")
            fi
            figure=() baseline=()
            ;;
        baseline\ *)
            baseline=("${label#baseline }" "$(cell "$value" "$unit" "$note")")
            ;;
        *)
            figure=("$label" "$(cell "$value" "$unit" "$note")") baseline=()
            ;;
        esac
    done
}

status=0
mapfile -t benches < <(find "$build/benchmarks" -maxdepth 2 -type f -executable -name 'bench_*' | sort)
if ((${#benches[@]} == 0)); then
    echo "no bench_* programs under $build/benchmarks" >&2
    exit 1
fi
for bench in "${benches[@]}"; do
    name=$(basename "$bench")
    echo "== $name"
    output=$(mktemp)
    code=0
    # From inside the build folder, so that nothing a benchmark writes lands in the source tree.
    (cd "$build" && "$bench") | tee "$output" || code=$?
    collect "$name" <"$output"
    if ((code != 0)); then
        status=1
        rows+=("| $name | exited with status $code | | | | | |")
    fi
    rm -f "$output"
done

{
    echo "# Benchmarks"
    echo
    echo "$(date -u '+%Y-%m-%d %H:%M UTC'), $(nproc) cores, QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-default}," \
        "QT_QUICK_BACKEND=${QT_QUICK_BACKEND:-default}, build folder $build"
    echo
    echo "| Benchmark | Figure | Value | Baseline | Value | Ratio | Goal |"
    echo "|---|---|---|---|---|---|---|"
    printf '%s\n' "${rows[@]}"
} >"$table.tmp"
mv "$table.tmp" "$table"
echo
cat "$table"
echo
echo "table written to $table"
exit $status
