#!/usr/bin/env bash
# `make run`: the client on its built-in demonstration project, the project's devices played by
# veloxa-devsim on loopback; `make run SAMPLE=conference` does the same with the conference-centre
# sample (room combining).
#
# With a display the window opens, and closing it stops the simulator. Without one (no
# DISPLAY) both run under Xvfb for a fixed time: every panel is shot to <build>/screens/, the
# simulator's traffic summary is printed, and the run passes only when the connection
# indicator turned green and every value control of the panel shown last got a device value.
#   scripts/run-demo.sh [build folder] [demo|conference]
set -euo pipefail
build=$(realpath "${1:-build}")
sample=${2:-demo}
program="$build/app/veloxa-remote"
simulator="$build/tools/devsim/veloxa-devsim"
here=$(dirname "$(realpath "$0")")
# The panel shown last is the one the check judges: for the conference, the telephone levels,
# whose controls all read plain parameters.
case $sample in
    demo) archive="$build/resources/demo/qrc/data/Veloxa/Demo.cpz" devices=2 endPanel=2 ;;
    conference) archive="$build/resources/conference/qrc/data/Veloxa/Conference.cpz" devices=2 endPanel=6 ;;
    *) echo "unknown sample $sample (demo or conference)" >&2; exit 2 ;;
esac
for file in "$program" "$simulator" "$archive"; do
    [ -e "$file" ] || { echo "missing $file: build first" >&2; exit 1; }
done

# The program looks for a saved download in its data folder and its working folder and unpacks
# its project into its cache folder; running inside the build folder keeps all three there.
# Without a download it opens the demonstration project; a sample is put there as the download.
run="$build/run"
rm -rf "$run"
mkdir -p "$run"
cd "$run"
export XDG_CACHE_HOME="$run/cache"
export XDG_DATA_HOME="$run/data"
[ "$sample" = demo ] || cp "$archive" "$run/download.cpn"

# Lines written to devsim.in reach the simulator ("ring 5550100,JANE DOE" rings the telephone);
# the script holds the pipe open, so the simulator stops only with the run.
mkfifo "$run/devsim.in"
"$simulator" "$archive" --summary --log "$run/devsim.log" --stdin-quit < "$run/devsim.in" \
    > "$run/devsim.out" 2>&1 &
sim=$!
exec 4> "$run/devsim.in"
stop_simulator() {
    kill -TERM "$sim" 2>/dev/null || true
    wait "$sim" 2>/dev/null || true
}
trap stop_simulator EXIT

# Every device listening before the client connects, so the first look is the real one.
for _ in $(seq 1 100); do
    listening=$(grep -c '^listening ' "$run/devsim.out" 2>/dev/null || true)
    [ "${listening:-0}" -ge "$devices" ] && break
    kill -0 "$sim" 2>/dev/null || { cat "$run/devsim.out" >&2; exit 1; }
    sleep 0.1
done
sed -n 's/^listening /simulator: /p' "$run/devsim.out"

# The conference opens with rooms already combined, as a wall panel would have left them: the
# client shows a combination it did not make.
if [ "$sample" = conference ]; then
    port=$(sed -n 's/^listening .*:\([0-9]*\)$/\1/p' "$run/devsim.out" | head -n 1)
    exec 3<>"/dev/tcp/127.0.0.1/$port"
    printf 'SRC 1,[1,2]\rSRC 2,[2,3]\r' >&3
    timeout 5 head -c 2 <&3 >/dev/null || true # both acknowledged
    exec 3>&-
fi

if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    "$program"
    exit $?
fi

# No display: the same run under Xvfb, checked from the client's own diagnostics.
export QT_LOGGING_RULES="veloxa.*.debug=false;veloxa.canvas.debug=true"
set +e
"$here/screenshots.sh" "$build" --program-log "$run/client.log" --end-panel "$endPanel" --linger 4
shots=$?
set -e
stop_simulator
trap - EXIT
echo
echo "Simulator traffic:"
sed -n '/^listening /!p' "$run/devsim.out"
echo
traffic=""
[ "$sample" = demo ] || traffic="$run/devsim.log"
exec "$here/check-demo-log.sh" "$run/client.log" "$shots" $traffic
