#!/bin/sh
# Runs one test program inside a private X server at 96 dpi; 77 (skipped) without the tools.
for tool in xvfb-run xdotool import; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "SKIP: $tool is not installed (scripts/install-deps.sh installs it)"
        exit 77
    fi
done
# A start number of its own, so that two runs at once do not both reach for the first free one.
# No reset when the last X client leaves: a test's xdotool probe that ends while the client is
# still connecting would otherwise reset the server under it ("could not connect to display").
exec xvfb-run -a -n $((100 + $$ % 500)) \
    -s "-screen 0 1280x1024x24 -dpi 96 -nolisten tcp -noreset" "$@"
