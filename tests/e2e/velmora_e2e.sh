#!/usr/bin/env bash
# Starts the real program on a virtual X display in a folder without reference files: the error
# box about the missing order-number file must show first, then the main window; closing the main
# window must end the program with status 0.
# usage: velmora_e2e.sh VELMORA X11_CLOSE
set -euo pipefail
velmora=$1
closer=$2
work=$(mktemp -d)
xvfb=""
app=""
cleanup() {
  [ -n "$app" ] && kill "$app" 2>/dev/null || true
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# A display of our own: Xvfb picks a free number and writes it to fd 3.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb=$!
until [ -s "$work/display" ]; do
  kill -0 "$xvfb" 2>/dev/null || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
  sleep 0.1
done
export DISPLAY=":$(head -n1 "$work/display")"
export QT_QPA_PLATFORM=xcb
unset XDG_CURRENT_DESKTOP

# The visible window whose title is exactly $1 (waits until there is one).
window_titled() {
  local id
  while true; do
    kill -0 "$app" 2>/dev/null || fail "velmora ended early"
    for id in $(xdotool search --onlyvisible --name "$1" 2>/dev/null); do
      if [ "$(title_of "$id")" = "$1" ]; then
        echo "$id"
        return
      fi
    done
    sleep 0.2
  done
}
title_of() {
  xprop -id "$1" _NET_WM_NAME | sed -n 's/^_NET_WM_NAME(UTF8_STRING) = "\(.*\)"$/\1/p'
}

mkdir "$work/folder"
cd "$work/folder"
"$velmora" ignored-argument >"$work/velmora.log" 2>&1 &
app=$!

box=$(window_titled "Velmora")
echo "error box: window $box titled \"$(title_of "$box")\""
# While the error box is open the main window is not shown yet.
if xdotool search --onlyvisible --name "写真注文集計" >/dev/null 2>&1; then
  fail "the main window showed before the error box was closed"
fi
# OK: the box's only button has the focus.
xdotool windowfocus --sync "$box" key Return

main=$(window_titled "写真注文集計")
echo "main window: window $main titled \"$(title_of "$main")\""
xdotool search --onlyvisible --name "^Velmora$" >/dev/null 2>&1 && fail "the error box is still open"

"$closer" "$main"
set +e
wait "$app"
status=$?
set -e
app=""
[ "$status" -eq 0 ] || fail "velmora ended with status $status: $(cat "$work/velmora.log")"
echo "velmora ended with status 0"
