#!/usr/bin/env bash
# Starts the real program on an X server of its own (Xvfb), checks that its
# main window appears on the display, and leaves it through File > Exit, which
# the program's test-only option drives through the menu. Passes when the
# window was seen and the program ended with status 0.
#
# -noreset: by default the server resets when its last client leaves, and
# refuses connections while it does; xwininfo's short visits would then make
# the program's own connection fail now and then. Xvfb picks a free display
# itself (-displayfd) and is waited for at the end, so no run leaves a server
# shutting down behind it.
# Usage: run_under_xvfb.sh PATH/TO/orlix
set -uo pipefail
program=${1:?usage: run_under_xvfb.sh PATH/TO/orlix}
work=$(mktemp -d)
xvfb=
stop_xvfb() {
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null && wait "$xvfb" 2>/dev/null
  rm -rf "$work"
}
trap stop_xvfb EXIT
export XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/runtime" QT_QPA_PLATFORM=xcb
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"

Xvfb -displayfd 3 -noreset -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb=$!
for _ in $(seq 1 300); do
  [ -s "$work/display" ] && break
  kill -0 "$xvfb" 2>/dev/null || break
  sleep 0.1
done
display=$(tr -d '[:space:]' <"$work/display")
if [ -z "$display" ]; then
  echo "FAIL: Xvfb did not start"
  cat "$work/xvfb.log"
  exit 1
fi
export DISPLAY=":$display"

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
status=$?

cat "$work/stderr"
fail=0
[ "$status" = 0 ] || {
  echo "FAIL: exit status $status"
  kill -0 "$xvfb" 2>/dev/null || echo "Xvfb has ended"
  cat "$work/xvfb.log"
  fail=1
}
[ "$seen" = yes ] || { echo "FAIL: no window titled Wendmoor Decision Trees appeared on the display"; fail=1; }
grep -q 'test-drive: File menu open; pressing x for E&xit' "$work/stderr" ||
  { echo "FAIL: File > Exit was not chosen"; fail=1; }
grep -q 'is exposed on xcb' "$work/stderr" || { echo "FAIL: the main window was not exposed on X"; fail=1; }
exit $fail
