#!/usr/bin/env bash
# Judges a demonstration run from the client's diagnostics: the connection indicator must have
# turned green, and every value control of the panel shown last must have received a value
# from its device during the run (a subscribed value arrives once, not each time its panel
# is shown again). With the simulator's traffic log it also tells, without judging, what room
# combining the client did.
#   scripts/check-demo-log.sh CLIENT_LOG [SCREENSHOT_STATUS] [DEVSIM_LOG]
set -uo pipefail
log=$1
shots=${2:-0}
traffic=${3:-}
[ -r "$log" ] || { echo "FAIL: no client log at $log"; exit 1; }
status=0

indicator=$(grep -o 'connection indicator: .*' "$log" | tail -n 1)
case $indicator in
    *indicator_grn.png) echo "ok: $indicator" ;;
    *) echo "FAIL: the connection indicator did not end green (${indicator:-never set})"; status=1 ;;
esac

# Everything the client said since the last panel change.
tail=$(awk '/panel shown: /{buf=""} {buf=buf $0 "\n"} END{printf "%s", buf}' "$log")
panel=$(printf '%s' "$tail" | grep -o 'panel shown: .*' | head -n 1)
[ -n "$panel" ] || { echo "FAIL: no panel was shown"; exit 1; }
echo "ok: $panel"
controls=0 missing=0
while IFS= read -r name; do
    [ -n "$name" ] || continue
    controls=$((controls + 1))
    if grep -qF "device value: $name" "$log"; then
        echo "ok: $name got a device value"
    else
        echo "FAIL: $name got no device value"
        missing=$((missing + 1))
    fi
done < <(printf '%s' "$tail" | sed -n 's/.*value control: //p' | sort -u)
[ "$controls" -gt 0 ] || { echo "FAIL: the panel has no value controls"; status=1; }
[ "$missing" -eq 0 ] || status=1
[ "$shots" -eq 0 ] || { echo "FAIL: the screenshots could not be taken"; status=1; }
if [ -r "$traffic" ]; then
    queries=$(grep -cE ' < (GRC [0-9]+|SUB "GRC [0-9]+")$' "$traffic" || true)
    changes=$(grep -c ' < SRC ' "$traffic" || true)
    echo "note: room combos were asked for ${queries:-0} times and set ${changes:-0} times (by any client)"
fi
[ "$status" -eq 0 ] && echo "PASS: the run went green with every control in step"
exit "$status"
