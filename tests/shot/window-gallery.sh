#!/usr/bin/env bash
# Photographs every window of the program (trov_window_gallery.exe) on a
# virtual display (Xvfb) with Wine's real display driver, in a Wine prefix of
# its own (the tests' prefix uses the null driver).  Writes one PNG per
# window and contact-sheet.png into build/win/shots/.
# Exit 0 when every window appeared and shows something, 1 when one did not
# (or could not be made), 77 (skipped) without Xvfb.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
build=${1:-$root/build/win}
# Absolute, since Wine is given it as a path on drive Z:.
build=$(cd "$build" 2>/dev/null && pwd) || { echo "gallery: no build folder ${1:-}"; exit 1; }
exe="$build/tests/trov_window_gallery.exe"
[ -x "$exe" ] || { echo "gallery: $exe is not built"; exit 1; }
command -v Xvfb >/dev/null || { echo "gallery: skipped (no Xvfb)"; exit 77; }

export WINEPREFIX=${TROV_SHOT_PREFIX:-$root/build/wineprefix-shot}
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
if [ ! -f "$WINEPREFIX/.trov-gallery-ready" ]; then
  mkdir -p "$WINEPREFIX"
  wineboot -i >/dev/null 2>&1 || true
  wineserver -w
  # No window manager runs on the virtual display: Wine draws the windows'
  # frames and captions itself, so that the pictures show them.
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f >/dev/null 2>&1
  wineserver -w
  touch "$WINEPREFIX/.trov-gallery-ready"
fi
# Wine draws the caption buttons of the frames it decorates with the Marlett
# font; Debian ships it apart from Wine (fonts-wine) and Wine does not look
# there, so the prefix gets its own copy (without it the buttons show letters).
marlett=/usr/share/wine/fonts/marlett.ttf
fonts="$WINEPREFIX/drive_c/windows/Fonts"
if [ -f "$marlett" ] && [ -d "$fonts" ] && [ ! -f "$fonts/marlett.ttf" ]; then
  cp "$marlett" "$fonts/"
fi

out="$build/shots"
work=$(mktemp -d)
# The program's own folders on the prefix's drive C:, so that the folder
# tree of the application browser shows a small, fixed set of folders.
programWork="$WINEPREFIX/drive_c/trov-gallery"
rm -rf "$programWork"
mkdir -p "$out" "$programWork"
rm -f "$out"/*.bmp "$out"/*.png "$out"/gallery.log

# A display of our own: Xvfb picks a free number and writes it to a file,
# so runs of several worktrees never share or race for one.
Xvfb -displayfd 3 -screen 0 1280x900x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
xvfb=$!
display=""
for _ in $(seq 100); do
  display=$(head -1 "$work/display" 2>/dev/null)
  [ -n "$display" ] && break
  kill -0 "$xvfb" 2>/dev/null || break
  sleep 0.1
done
if [ -z "$display" ]; then
  echo "gallery: Xvfb did not start"; cat "$work/xvfb.log"; kill "$xvfb" 2>/dev/null; rm -rf "$work"; exit 1
fi

# Wine's drive Z: is the root of the file system.
DISPLAY=":$display" wine "$exe" 'C:\trov-gallery' "Z:$out" </dev/null >"$out/gallery.log" 2>&1
status=$?
wineserver -k >/dev/null 2>&1 || true
kill "$xvfb" 2>/dev/null
wait "$xvfb" 2>/dev/null
rm -rf "$work" "$programWork"

# PNGs in the order the windows were made (the log lists them).
pictures=()
for name in $(sed -n 's/^\([a-z0-9-]*\): [0-9]* x [0-9]*,.*/\1/p' "$out/gallery.log"); do
  [ -f "$out/$name.bmp" ] || continue
  convert "$out/$name.bmp" "$out/$name.png" && rm -f "$out/$name.bmp" && pictures+=("$out/$name.png")
done
cat "$out/gallery.log"
if [ ${#pictures[@]} -gt 0 ]; then
  # Each picture labelled with its name, in a font ImageMagick knows
  # (unlabelled without one).
  font=$(convert -list font 2>/dev/null | awk '$1 == "Font:" && $2 == "DejaVu-Sans" { print $2; exit }')
  label=()
  [ -n "$font" ] && label=(-font "$font" -pointsize 14 -label '%t')
  # Equal cells; larger windows shrink to fit.
  montage "${label[@]}" "${pictures[@]}" -tile 4x -geometry '600x420>+10+10' -background '#d0d0d0' \
    "$out/contact-sheet.png" || echo "gallery: the contact sheet could not be made"
fi
if [ $status -ne 0 ]; then
  echo "gallery: a window could not be made or photographed (status $status)"; exit 1
fi
echo "gallery: ${#pictures[@]} pictures and the contact sheet in $out"
exit 0
