#!/usr/bin/env bash
# ./run on a machine without a display: one line that says so and how to use a virtual one, exit
# status 1, and nothing installed or built first. The script runs from a scratch copy whose
# install step and build tool only record that they were called.
set -uo pipefail
run=$1
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir -p "$scratch/scripts" "$scratch/bin"
cp "$run" "$scratch/run"
for tool in "$scratch/scripts/install-deps" "$scratch/bin/cmake"; do
  printf '#!/bin/sh\necho called >> "%s/called"\n' "$scratch" > "$tool"
  chmod +x "$tool"
done

status=0
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM PATH="$scratch/bin:$PATH" \
  "$scratch/run" > "$scratch/out" 2> "$scratch/err" < /dev/null || status=$?

fail() { echo "FAIL: $*"; echo "--- stderr:"; cat "$scratch/err"; exit 1; }
[[ $status -eq 1 ]] || fail "exit status $status, not 1"
[[ ! -s "$scratch/out" ]] || fail "something on stdout"
[[ $(wc -l < "$scratch/err") -eq 1 ]] || fail "not one line on stderr"
grep -q 'graphical display' "$scratch/err" || fail "does not say it needs a display"
grep -q 'DISPLAY or WAYLAND_DISPLAY' "$scratch/err" || fail "does not name the variables"
grep -q 'xvfb-run ./run' "$scratch/err" || fail "does not say how to run it on a virtual display"
[[ ! -e "$scratch/called" ]] || fail "installed or built before saying so"
echo "ok: $(cat "$scratch/err")"
