#!/usr/bin/env bash
# Photographs the main window with both machine lists filled: the program's
# window on a virtual display (Xvfb) with Wine's real display driver, in a
# Wine prefix of its own (the tests' prefix uses the null driver).  Writes
# build/win/shots/main-window.png.  Only whether the window appeared counts:
# exit 0 when it did, 1 when it did not, 77 (skipped) without Xvfb.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
build=${1:-$root/build/win}
exe="$build/tests/trov_main_window_shot.exe"
[ -x "$exe" ] || { echo "shot: $exe is not built"; exit 1; }
command -v xvfb-run >/dev/null || { echo "shot: skipped (no xvfb-run)"; exit 77; }

export WINEPREFIX=${TROV_SHOT_PREFIX:-$root/build/wineprefix-shot}
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
if [ ! -f "$WINEPREFIX/.trov-ready" ]; then
  mkdir -p "$WINEPREFIX"
  wineboot -i >/dev/null 2>&1 || true
  wineserver -w
  touch "$WINEPREFIX/.trov-ready"
fi

out="$build/shots"
work=$(mktemp -d)
mkdir -p "$out"
rm -f "$out/main-window.bmp" "$out/main-window.png"
# Wine's drive Z: is the root of the file system.
xvfb-run -a -s "-screen 0 1280x800x24" wine "$exe" "Z:$work" "Z:$out/main-window.bmp" \
  </dev/null >"$out/main-window.log" 2>&1
status=$?
WINEPREFIX=$WINEPREFIX wineserver -k >/dev/null 2>&1 || true
rm -rf "$work"
if [ $status -ne 0 ] || [ ! -s "$out/main-window.bmp" ]; then
  echo "shot: the main window did not appear (status $status)"; cat "$out/main-window.log"; exit 1
fi
if command -v convert >/dev/null; then
  convert "$out/main-window.bmp" "$out/main-window.png" && rm -f "$out/main-window.bmp"
fi
echo "shot: $(ls "$out"/main-window.*)"
exit 0
