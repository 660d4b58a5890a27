#!/usr/bin/env bash
# Starts the client on the built-in demonstration project.
set -euo pipefail
build=${1:-build}
exec "$build/app/veloxa-remote"
