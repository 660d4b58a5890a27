#!/bin/sh
# Runs one test program inside a private X server at 96 dpi; 77 (skipped) without the tools.
for tool in xvfb-run xdotool import; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "SKIP: $tool is not installed (scripts/install-deps.sh installs it)"
        exit 77
    fi
done
# A start number of its own, so that two runs at once do not both reach for the first free one.
exec xvfb-run -a -n $((100 + $$ % 500)) -s "-screen 0 1280x1024x24 -dpi 96 -nolisten tcp" "$@"
