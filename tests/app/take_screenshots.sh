#!/usr/bin/env bash
# Takes the screenshots of docs/screenshots under Xvfb.
# Usage: tests/app/take_screenshots.sh BUILD_DIR [OUTPUT_FOLDER]
set -euo pipefail
build=${1:?usage: take_screenshots.sh BUILD_DIR [OUTPUT_FOLDER]}
out=${2:-$(dirname "$0")/../../docs/screenshots}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_RUNTIME_DIR="$work" QT_QPA_PLATFORM=xcb
xvfb-run -a -s "-screen 0 1280x820x24" "$build/tests/app/app_screenshots" "$out"
