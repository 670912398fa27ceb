#!/usr/bin/env bash
# Starts the real program on an X server (xvfb-run), checks that its main
# window appears on the display, and leaves it through File > Exit, which
# the program's test-only option drives through the menu. Passes when the
# window was seen and the program ended with status 0.
# Usage: run_under_xvfb.sh PATH/TO/orlix
set -uo pipefail
program=${1:?usage: run_under_xvfb.sh PATH/TO/orlix}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/runtime" QT_QPA_PLATFORM=xcb
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"

xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
  program=$1 work=$2
  "$program" --test-exit-through-menu=1500 2>"$work/stderr" &
  pid=$!
  seen=no
  for _ in $(seq 1 900); do
    if xwininfo -root -tree 2>/dev/null | grep -q "Wendmoor Decision Trees"; then seen=yes; fi
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  kill -0 "$pid" 2>/dev/null && { echo "the program did not end"; kill "$pid"; }
  wait "$pid"
  echo "$?" >"$work/status"
  echo "$seen" >"$work/seen"
' _ "$program" "$work"

status=$(cat "$work/status" 2>/dev/null || echo none)
seen=$(cat "$work/seen" 2>/dev/null || echo no)
cat "$work/stderr"
fail=0
[ "$status" = 0 ] || { echo "FAIL: exit status $status"; fail=1; }
[ "$seen" = yes ] || { echo "FAIL: no window titled Wendmoor Decision Trees appeared on the display"; fail=1; }
grep -q 'test-drive: File menu open; pressing x for E&xit' "$work/stderr" ||
  { echo "FAIL: File > Exit was not chosen"; fail=1; }
grep -q 'is exposed on xcb' "$work/stderr" || { echo "FAIL: the main window was not exposed on X"; fail=1; }
exit $fail
