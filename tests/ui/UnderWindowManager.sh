#!/usr/bin/env bash
# Runs a test program on a display of its own, a fresh Xvfb server under the window manager WM,
# on Qt's xcb platform. Exits 77 (skipped) when Xvfb or the window manager is not installed.
#
#   UnderWindowManager.sh WM TEST [ARGUMENTS...]
set -euo pipefail
wm=$1
shift
# xfwm4 takes its settings from xfconfd over a session bus, and stops without one; it starts no
# compositor (which would have to work out Xvfb's renderer) and no accessibility bus.
run_wm=("$wm")
[ "$wm" = xfwm4 ] && run_wm=(dbus-run-session -- env NO_AT_BRIDGE=1 "$wm" --compositor=off)
for tool in Xvfb "$wm" "${run_wm[0]}"; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done

work=$(mktemp -d)
# The X server first: the window manager then loses its display and ends by itself, with
# anything it started; one still running a second later is ended.
xvfb_pid="" wm_pid=""
ended_within_a_second() {
    for _ in $(seq 20); do kill -0 "$1" 2>/dev/null || return 0; sleep 0.05; done
    return 1
}
cleanup() {
    [ -z "$xvfb_pid" ] || { kill "$xvfb_pid" 2>/dev/null; ended_within_a_second "$xvfb_pid"; } || true
    [ -z "$wm_pid" ] || ended_within_a_second "$wm_pid" || kill "$wm_pid" 2>/dev/null || true
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

# Xvfb picks a free display and writes its number once it accepts clients.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 100); do
    [ -s "$work/display" ] && break
    kill -0 "$xvfb_pid" 2>/dev/null || break
    sleep 0.05
done
[ -s "$work/display" ] || { echo "FAIL: Xvfb did not start" >&2; cat "$work/xvfb.log" >&2; exit 1; }
export DISPLAY=:$(head -n 1 "$work/display")

# The test itself waits until the window manager has taken the screen.
"${run_wm[@]}" >"$work/wm.log" 2>&1 &
wm_pid=$!

status=0
env QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR="$work" "$@" || status=$?
if [ "$status" -ne 0 ]; then
    echo "== $wm's output" >&2
    cat "$work/wm.log" >&2
fi
exit "$status"
