#!/usr/bin/env bash
# Takes the pictures of Help.html (dist/help-images/*.png) from the real
# Pelorin.exe under wine, in a virtual X display, on a fresh copy of the
# starter collection. The user's moves are real X input (xdotool); each
# picture is cut to the program's window plus whatever the move opened,
# found by comparing the screen before and after.
#
#   bash dist/make-help-images.sh path/to/Pelorin.exe
#
# Needs wine, xvfb, xdotool, imagemagick and fonts-vlgothic (Debian 12). The
# pointer positions below are those of wine's default metrics at 96 dpi with
# the window where the starter 設定.ini puts it (1200 twips = 80 px from the
# corner); after a change of menus or fonts, look at the pictures.
set -euo pipefail

exe=$(realpath "${1:?usage: make-help-images.sh path/to/Pelorin.exe}")
root=$(cd "$(dirname "$0")/.." && pwd)
work=${PELORIN_SHOTS_WORK:-$root/build/help-images}
images=$root/dist/help-images
mkdir -p "$work" "$images"

export WINEPREFIX=$work/wine WINEARCH=win64 WINEDEBUG=-all \
  WINEDLLOVERRIDES="mscoree,mshtml=" LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8

exec 3>"$work/display"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb=$!
exec 3>&-
cleanup() {
  wineserver -k 2>/dev/null || true
  kill "$xvfb" 2>/dev/null || true
}
trap cleanup EXIT
for _ in $(seq 50); do [[ -s $work/display ]] && break; sleep 0.1; done
DISPLAY=:$(cat "$work/display")
export DISPLAY

if [[ ! -f $WINEPREFIX/system.reg ]]; then
  wineboot -i
  wineserver -w
fi
# A desktop of the screen's size without a window manager; wine's own
# Marlett for the caption buttons; Japanese text in VL PGothic, with DejaVu
# Sans for the few signs it lacks (as Windows links fonts for them).
wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null
wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >/dev/null
wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'MS UI Gothic' /d 'VL PGothic' /f >/dev/null
wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' \
  /v 'VL PGothic' /t REG_MULTI_SZ /d 'DejaVuSans.ttf,DejaVu Sans' /f >/dev/null
cp -n /usr/share/wine/fonts/marlett.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
wineserver -w

app=$work/app
rm -rf "$app"
mkdir -p "$app"
cp "$exe" "$app/Pelorin.exe"
cp -r "$root/dist/設定.ini" "$root/dist/data" "$app/"
(cd "$app" && exec wine Pelorin.exe >"$work/pelorin.log" 2>&1) &
pelorin=$!

screen() { import -window root "$work/$1.png"; }
# Bounding box WxH+X+Y of what differs from the corner's colour.
box_of() { convert "$work/$1.png" -format '%@' info:; }
# Bounding box of what changed between two screens.
changed() {
  convert "$work/$1.png" "$work/$2.png" -compose difference -composite -format '%@' info:
}
# The same, leaving out the window's own place (it only turns inactive).
changed_outside() {
  local w h x y
  IFS='x+' read -r w h x y <<<"$window"
  convert "$work/$1.png" "$work/$2.png" -compose difference -composite -fill black \
    -draw "rectangle $x,$y $((x + w - 1)),$((y + h - 1))" -format '%@' info:
}
union() {
  python3 - "$@" <<'PYTHON'
import re, sys
boxes = [tuple(map(int, re.fullmatch(r"(\d+)x(\d+)\+(\d+)\+(\d+)", b).groups())) for b in sys.argv[1:]]
left = min(x for w, h, x, y in boxes); top = min(y for w, h, x, y in boxes)
right = max(x + w for w, h, x, y in boxes); bottom = max(y + h for w, h, x, y in boxes)
print(f"{right - left}x{bottom - top}+{left}+{top}")
PYTHON
}
save() {  # picture name, screen, box
  convert "$work/$2.png" -crop "$3" +repage -strip -define png:exclude-chunks=date,time \
    "$images/$1.png"
  echo "$images/$1.png: $3"
}
pause() { sleep "${1:-0.8}"; }
click() { xdotool mousemove "$1" "$2" click "${3:-1}"; pause 0.4; }
escape() { for _ in $(seq "${1:-1}"); do xdotool key Escape; pause 0.3; done; }

# Wait for the window: the screen stops being a plain desktop.
for _ in $(seq 100); do
  screen start
  box=$(box_of start 2>/dev/null) && [[ $box != 1024x768+0+0 && $box != 0x0+* ]] && break
  sleep 0.2
done
pause 1.5
screen start
window=$(box_of start)
save main-window start "$window"

# Places on the screen (pixels): the menu bar, the lists' rows, the menus.
readonly barY=113 editX=198 settingsX=164 helpX=247
readonly row0Y=131 rowStep=15 kaomojiX=140 categoryX=400
readonly menuItem0Y=134 menuStep=19

# 編集 › 顔文字の編集 (below 顔文字の検索) with a kaomoji selected: all six items.
click "$kaomojiX" $((row0Y + 2 * rowStep))
screen selected
click "$editX" "$barY"
xdotool mousemove 250 $((menuItem0Y + menuStep))
pause 1
screen edit-menu
save menu-kaomoji edit-menu "$(union "$window" "$(changed selected edit-menu)")"
escape 3
click "$kaomojiX" $((row0Y + 2 * rowStep))

# The kaomoji list's context menu, a kaomoji selected.
screen selected
click "$kaomojiX" $((row0Y + 2 * rowStep)) 3
pause
screen kaomoji-menu
save context-kaomoji kaomoji-menu "$(union "$window" "$(changed selected kaomoji-menu)")"
escape

# The category list's context menu.
click "$categoryX" "$row0Y"
screen selected
click "$categoryX" $((row0Y + 2 * rowStep)) 3
pause
screen category-menu
save context-category category-menu "$(union "$window" "$(changed selected category-menu)")"
escape

# 顔文字の追加: the input box on the window's corner, a kaomoji typed in.
screen selected
click "$editX" "$barY"
xdotool mousemove 250 $((menuItem0Y + menuStep))
pause
click 365 $((menuItem0Y + menuStep))
pause
xdotool type --delay 80 '(^_^)v'
pause
screen add-box
save add-kaomoji add-box "$(union "$window" "$(changed selected add-box)")"
escape
pause

# The version box.
screen selected
click "$helpX" "$barY"
click 285 $((menuItem0Y + 2 * menuStep))
pause
screen version-box
save version version-box "$(changed_outside selected version-box)"
xdotool key Return
pause

# The search window from Ctrl+F in the kaomoji list, "^" typed: over the
# program's window, the results of every category.
click "$kaomojiX" "$row0Y"
screen selected
xdotool key ctrl+f
pause
xdotool type --delay 80 '^'
pause
screen search
save search-window search "$(union "$window" "$(changed selected search)")"
escape
pause

# 設定 › メニュー表示 off: the two lists alone; then back through the
# category list's context menu.
click "$settingsX" "$barY"
click 205 "$menuItem0Y"
pause
screen no-bar
save no-menu-bar no-bar "$(box_of no-bar)"
click "$categoryX" "$row0Y" 3
pause 0.5
xdotool key Down Return
pause

# Close through the close box's keyboard twin; the program saves and ends.
xdotool key alt+F4
for _ in $(seq 50); do kill -0 "$pelorin" 2>/dev/null || break; sleep 0.2; done
