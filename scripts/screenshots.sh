#!/usr/bin/env bash
# The README's pictures, taken from the real program on a virtual display with
# a window manager: the main window with a word looked up, an exercise window
# and the pronunciation key. They are never edited by hand: run this again.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
OUT="$REPO/doc/screenshots"
TITLE="Marendov Tamir English Free Dictionary"

if [ -z "${SCREENSHOTS_ON_DISPLAY:-}" ]; then
    install_missing_packages
    if [ ! -x "$BUILD/bin/englishdictionary" ] || [ ! -f "$BUILD/run/eg/base_a.dak" ]; then
        build_everything
    fi
    "$BUILD/tools/wavegen/wavegen" "$BUILD/run"
    mkdir -p "$OUT"
    SCREENSHOTS_ON_DISPLAY=1 exec xvfb-run -a -s "-screen 0 1024x768x24" bash "${BASH_SOURCE[0]}"
fi

# A folder that is build/run but for its settings, so that the pictures show
# the English interface in the standard view whatever build/run holds.
work="$(mktemp -d)"
trap 'kill "$program" "$manager" 2>/dev/null; rm -rf "$work"' EXIT
for entry in "$BUILD/run"/*; do
    [ "$(basename "$entry")" = Dictionary.cfg ] || ln -s "$entry" "$work/"
done
printf '1112\r\n' >"$work/Dictionary.cfg"

openbox >/dev/null 2>&1 &
manager=$!
sleep 1
(cd "$work" && exec "$BUILD/bin/englishdictionary") >/dev/null 2>&1 &
program=$!
main="$(xdotool search --sync --onlyvisible --name "^$TITLE\$" | head -n 1)"
xdotool windowmove "$main" 40 30 windowfocus "$main"
sleep 1

# The window with its frame, as a user sees it.
shoot() {
    local window="$1" name="$2"
    local frame
    frame="$(xwininfo -id "$window" -children | sed -n 's/^ *Parent window id: \(0x[0-9a-f]*\).*/\1/p')"
    if [ -z "$frame" ] || [ "$frame" = "$(xwininfo -root | sed -n 's/.*Window id: \(0x[0-9a-f]*\).*/\1/p')" ]; then
        frame="$window"
    fi
    import -window "$frame" "$OUT/$name.png"
    echo "wrote $OUT/$name.png"
}

# Clicks at a point of the window's client area.
click() {
    xdotool mousemove --window "$main" "$1" "$2" click 1
}

# A word typed into the search box and chosen with Enter.
xdotool type --delay 80 "house"
xdotool key Return
sleep 1
shoot "$main" main-window

# Method 1 on the default study list; the exercise window is the named
# window that was not there before.
before="$(xdotool search --onlyvisible --name . | sort)"
click 575 88
sleep 3
exercise="$(comm -13 <(echo "$before") <(xdotool search --onlyvisible --name . | sort) | tail -n 1)"
[ -n "$exercise" ] || { echo "no exercise window opened" >&2; exit 1; }
# Its first word, as the learner asks for it with Next word; then its exit
# button.
xdotool mousemove --window "$exercise" 520 558 click 1
sleep 2
shoot "$exercise" exercise
xdotool mousemove --window "$exercise" 801 191 click 1
sleep 2
xdotool windowfocus "$main" 2>/dev/null || true
sleep 1

# Tools → Pronunciation Key.
click 122 6
sleep 1
click 150 26
sleep 2
shoot "$main" pronunciation-key
