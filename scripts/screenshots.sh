#!/usr/bin/env bash
# Takes one PNG per panel of the project the client opens: runs the built program under Xvfb at
# 96 dpi with a scratch HOME and steps through the panels with the status bar's right arrow.
#   scripts/screenshots.sh [build folder] [--program-log FILE] [--end-panel N] [--linger SECONDS]
# writes <build folder>/screens/panel-N.png; --end-panel steps on to panel N after the shots and
# --linger keeps the client running that long before it is closed.
set -euo pipefail
build=$(realpath "${1:-build}")
shift || true
programLog="" endPanel=1 linger=0
while [ $# -gt 0 ]; do
    case $1 in
        --program-log) programLog=$(realpath -m "$2"); shift 2 ;;
        --end-panel) endPanel=$2; shift 2 ;;
        --linger) linger=$2; shift 2 ;;
        *) echo "unknown option $1" >&2; exit 2 ;;
    esac
done
program="$build/app/veloxa-remote"
out="$build/screens"
[ -x "$program" ] || { echo "no program at $program: build it first" >&2; exit 1; }
for tool in xvfb-run xdotool import compare; do
    command -v "$tool" >/dev/null || { echo "$tool missing: run scripts/install-deps.sh" >&2; exit 1; }
done

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir -p "$out" "$scratch/home" "$scratch/runtime"
chmod 700 "$scratch/runtime"
rm -f "$out"/panel-*.png

# Runs inside the X server: start the client, find its window, shoot and step.
cat > "$scratch/shoot.sh" <<'INNER'
set -euo pipefail
program=$1 out=$2 log=${3:-$HOME/client.log} endPanel=${4:-1} linger=${5:-0}
"$program" > "$log" 2>&1 &
client=$!
trap 'kill "$client" 2>/dev/null || true' EXIT

window=$(timeout 60 xdotool search --sync --onlyvisible --name '^Veloxa Remote' | head -n 1)
[ -n "$window" ] || { echo "no client window; see $log" >&2; exit 1; }
eval "$(xdotool getwindowgeometry --shell "$window")"

# The status bar is the last 8 % of the panel (inside a 2-pixel frame); its right arrow is
# a square at the right end.
panelHeight=$((HEIGHT - 4))
bar=$((panelHeight * 8 / 100))
arrowX=$((X + WIDTH - 2 - bar / 2))
arrowY=$((Y + HEIGHT - 2 - bar / 2))

# Captures that differ in fewer pixels than this are the same picture (moving meters).
still=400
differs() {
    local count
    count=$(compare -metric AE "$1" "$2" null: 2>&1) && return 1
    count=${count%%[!0-9]*}
    [ -z "$count" ] || [ "$count" -ge "$still" ]
}

# Waits until two consecutive captures agree, so that a panel is shot fully drawn.
shoot() {
    local target=$1 previous="$HOME/previous.png"
    import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$previous"
    for _ in $(seq 1 40); do
        sleep 0.25
        import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$target"
        if ! differs "$previous" "$target"; then
            return 0
        fi
        cp "$target" "$previous"
    done
}

same() {
    ! differs "$1" "$2"
}

shoot "$out/panel-1.png"
for n in $(seq 2 30); do
    xdotool mousemove "$arrowX" "$arrowY" click 1
    shoot "$out/panel-$n.png"
    # Back at the first panel: every panel has been shot.
    if same "$out/panel-1.png" "$out/panel-$n.png"; then
        rm "$out/panel-$n.png"
        break
    fi
done
for _ in $(seq 2 "$endPanel"); do
    xdotool mousemove "$arrowX" "$arrowY" click 1
done
sleep "$linger"
INNER

HOME="$scratch/home" XDG_CONFIG_HOME="$scratch/home/.config" XDG_DATA_HOME="$scratch/home/.local" \
XDG_RUNTIME_DIR="$scratch/runtime" QT_QPA_PLATFORM=xcb QT_QUICK_BACKEND=software \
    xvfb-run -a -s "-screen 0 1600x1200x24 -dpi 96 -nolisten tcp" \
    bash "$scratch/shoot.sh" "$program" "$out" "$programLog" "$endPanel" "$linger"

ls "$out"/panel-*.png
