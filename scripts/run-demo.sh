#!/usr/bin/env bash
# `make run`: the client on its built-in demonstration project, the project's devices played by
# veloxa-devsim on loopback.
#
# With a display the window opens, and closing it stops the simulator. Without one (no
# DISPLAY) both run under Xvfb for a fixed time: every panel is shot to <build>/screens/, the
# simulator's traffic summary is printed, and the run passes only when the connection
# indicator turned green and every value control of the panel shown last got a device value.
#   scripts/run-demo.sh [build folder]
set -euo pipefail
build=$(realpath "${1:-build}")
program="$build/app/veloxa-remote"
simulator="$build/tools/devsim/veloxa-devsim"
demo="$build/resources/demo/qrc/data/Veloxa/Demo.cpz"
here=$(dirname "$(realpath "$0")")
for file in "$program" "$simulator" "$demo"; do
    [ -e "$file" ] || { echo "missing $file: build first" >&2; exit 1; }
done

# The program looks for a saved download in the working folder and unpacks its project into
# its cache folder; running inside the build folder keeps both there and opens the
# demonstration project.
run="$build/run"
rm -rf "$run"
mkdir -p "$run"
cd "$run"
export XDG_CACHE_HOME="$run/cache"

"$simulator" "$demo" --summary --log "$run/devsim.log" > "$run/devsim.out" 2>&1 &
sim=$!
stop_simulator() {
    kill -TERM "$sim" 2>/dev/null || true
    wait "$sim" 2>/dev/null || true
}
trap stop_simulator EXIT

# Both devices listening before the client connects, so the first look is the real one.
for _ in $(seq 1 100); do
    listening=$(grep -c '^listening ' "$run/devsim.out" 2>/dev/null || true)
    [ "${listening:-0}" -ge 2 ] && break
    kill -0 "$sim" 2>/dev/null || { cat "$run/devsim.out" >&2; exit 1; }
    sleep 0.1
done
sed -n 's/^listening /simulator: /p' "$run/devsim.out"

if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    "$program"
    exit $?
fi

# No display: the same run under Xvfb, checked from the client's own diagnostics.
export QT_LOGGING_RULES="veloxa.*.debug=false;veloxa.canvas.debug=true"
set +e
"$here/screenshots.sh" "$build" --program-log "$run/client.log" --end-panel 2 --linger 4
shots=$?
set -e
stop_simulator
trap - EXIT
echo
echo "Simulator traffic:"
sed -n '/^listening /!p' "$run/devsim.out"
echo
exec "$here/check-demo-log.sh" "$run/client.log" "$shots"
