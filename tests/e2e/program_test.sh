#!/usr/bin/env bash
# The built program in a real X server (Xvfb, no window manager), driven as a
# person would: the pointer, clicks and keys through xdotool, what the window
# shows read from screenshots. Usage: program_test.sh PATH-TO-PROGRAM
#
# Waits are bounded polls for a state to show, never fixed sleeps that
# assume a speed.
set -uo pipefail

program=${1:?usage: program_test.sh PATH-TO-PROGRAM}
for tool in Xvfb xdotool import convert compare python3; do
    command -v "$tool" >/dev/null || { echo "program_test: $tool is missing" >&2; exit 1; }
done

source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib.sh"

work=$(mktemp -d)
program_pid=
cleanup() {
    [[ -n "$program_pid" ]] && kill "$program_pid" 2>/dev/null
    stop_xvfb
    wait 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

readonly POINTER_LOW="300 300"
readonly POINTER_LOWER="320 320"
readonly POINTER_HIGH="300 60" # within twice the panel's 41 pixels
readonly PANEL_LOW_ROW=38 # the panel's last row inside its border: in sight only when fully shown
readonly LIMIT_S=30 # patience for any one state to show
readonly SHOWN_WITHIN_S=0.25 # the longest a keyboard user may wait for the panel

# --- Helpers
passed=0
failed=0
check() { # NAME COMMAND...: one named case
    local name=$1
    shift
    if "$@"; then
        echo "ok - $name"
        passed=$((passed + 1))
    else
        echo "not ok - $name"
        failed=$((failed + 1))
    fi
}

# Runs COMMAND... until it succeeds or LIMIT_S seconds have gone.
eventually() {
    local deadline=$((SECONDS + LIMIT_S))
    until "$@"; do
        ((SECONDS < deadline)) || return 1
        sleep 0.05
    done
}

shot() { # FILE: the window as it shows now
    import -window "$win" "$1" 2>/dev/null
}

picture_region() { # the drawing area below the panel: 668 x 344 less the top 41
    echo "668x303+0+41"
}

yellow_pixels() { # FILE [REGION]
    convert "$1" -crop "${2:-$(picture_region)}" +repage \
        -fill black +opaque "#ffff00" -fill white -opaque "#ffff00" \
        -format "%[fx:round(mean*w*h)]" info:
}

pixel_at() { # FILE X Y
    convert "$1" -format "%[hex:p{$2,$3}]" info:
}

differing_pixels() { # FILE FILE: how many pixels of the drawing area differ
    local n
    convert "$1" -crop "$(picture_region)" +repage "$work/cmp1.png" &&
        convert "$2" -crop "$(picture_region)" +repage "$work/cmp2.png" &&
        n=$(compare -metric AE "$work/cmp1.png" "$work/cmp2.png" null: 2>&1)
    # A broken comparison must not pass for a changed picture.
    [[ "$n" =~ ^[0-9]+$ ]] || { echo "program_test: cannot compare screenshots: $n" >&2; exit 1; }
    echo "$n"
}

click_at() { # X Y: in the window
    xdotool mousemove --window "$win" "$1" "$2" click 1
}

point_at() { # X Y
    xdotool mousemove --window "$win" "$1" "$2"
}

# --- The state checks the cases poll for
picture_empty() { shot "$work/now.png" && [[ $(yellow_pixels "$work/now.png") == 0 ]]; }
gas_drawn() { shot "$work/now.png" && (($(yellow_pixels "$work/now.png") > 1000)); }
picture_changes() {
    shot "$work/now.png" && (($(differing_pixels "$work/ref.png" "$work/now.png") > 0))
}
picture_still() { # two shots in a row alike
    shot "$work/a.png" && shot "$work/b.png" &&
        (($(differing_pixels "$work/a.png" "$work/b.png") == 0))
}
panel_shown() { shot "$work/now.png" && [[ $(pixel_at "$work/now.png" $PANEL_SPOT) == "$panel_colour" ]]; }
panel_hidden() { # nothing of the panel's colour left in the strip it covered
    shot "$work/now.png" &&
        [[ $(convert "$work/now.png" -crop 660x36+0+0 +repage -fill black +opaque "#$panel_colour" \
            -fill white -opaque "#$panel_colour" -format "%[fx:round(mean*w*h)]" info:) == 0 ]]
}

panel_fully_shown() {
    shot "$work/now.png" && [[ $(convert "$work/now.png" -crop "640x1+4+$PANEL_LOW_ROW" +repage \
        -fill black +opaque "#$panel_colour" -fill white -opaque "#$panel_colour" \
        -format "%[fx:round(mean*w*h)]" info:) == 640 ]]
}

key() { xdotool key --clearmodifiers "$1"; }

# KEY pressed, then the seconds until the panel is fully shown.
key_until_shown() {
    python3 "$(dirname "$0")/key_until_shown.py" "$1" "$win" 4 "$PANEL_LOW_ROW" 640 \
        "$panel_colour" "$LIMIT_S"
}

within_limit() { # SECONDS
    [[ $1 != never ]] && awk -v t="$1" -v limit="$SHOWN_WITHIN_S" 'BEGIN { exit !(t <= limit) }'
}

# --- Start the X server and the program
mkdir -m 700 "$work/runtime"
start_xvfb "$work" 1024x768 || exit 1
export XDG_RUNTIME_DIR="$work/runtime"
# A bus that is not there: without one Qt would start a session bus of its
# own through the X server, which could outlive the test.
export DBUS_SESSION_BUS_ADDRESS="unix:path=$work/no-bus"
# The program on this server as it is, whatever the caller's session asks of Qt.
unset QT_QPA_PLATFORM QT_SCALE_FACTOR QT_FONT_DPI QT_SCREEN_SCALE_FACTORS \
    QT_ENABLE_HIGHDPI_SCALING QT_SCALE_FACTOR_ROUNDING_POLICY

"$program" >"$work/program.log" 2>&1 &
program_pid=$!
win=$(find_window "$LIMIT_S")
if [[ -z "$win" ]]; then
    echo "program_test: no window titled \"$THERMAL_TITLE\"" >&2
    cat "$work/program.log" >&2
    exit 1
fi

# --- The cases, one after another on the same window, as a lesson would go
check "window opens with its title" test -n "$win"
# The sizes task bars and window switchers take (Qt hands X up to 128).
icons=$(xprop -id "$win" _NET_WM_ICON | grep -o "Icon ([0-9]* x" | tr -dc '0-9 ' | xargs)
check "window shows the program's icon at 16 to 128 pixels" test "$icons" == "16 24 32 48 64 128"
shot "$work/first.png"
panel_colour=$(pixel_at "$work/first.png" $PANEL_SPOT)
check "drawing area starts empty" picture_empty
# Black, whatever the desktop's palette.
check "drawing area is black" test "$(pixel_at "$work/first.png" 300 200)" == "000000"

click_at $START_AT
check "Start draws the gas" eventually gas_drawn
shot "$work/ref.png"
check "the gas moves by itself" eventually picture_changes

point_at $POINTER_LOW
check "panel slides away when the pointer goes down" eventually panel_hidden
point_at $POINTER_HIGH
check "panel comes back when the pointer nears the top" eventually panel_shown

click_at $PAUSE_AT
check "Pause freezes the picture" eventually picture_still
check "the frozen picture keeps its gas" gas_drawn
shot "$work/ref.png"
click_at $PAUSE_AT
check "Pause again resumes" eventually picture_changes

click_at $START_AT
check "Stop clears the picture" eventually picture_empty

# --- The keyboard alone, with the focused button slid away with the panel
xdotool windowfocus --sync "$win" # no window manager gives it the keyboard
click_at 300 200 # the focus to the drawing area, the first in the tab order
key Tab          # to Start
key Return
check "Return on Start starts a run" eventually gas_drawn
point_at $POINTER_LOW
check "panel slides away with the pointer low" eventually panel_hidden
took=$(key_until_shown space)
echo "# Stop: panel fully shown ${took} s after Space"
check "Space on Stop brings the panel back within ${SHOWN_WITHIN_S} s" within_limit "$took"
check "and the run is stopped" eventually picture_empty

key KP_Enter
check "Enter on the keypad on Start starts a second run" eventually gas_drawn
point_at $POINTER_LOWER
check "panel slides away again" eventually panel_hidden
took=$(key_until_shown Tab) # to Pause
echo "# Tab: panel fully shown ${took} s after it"
check "Tab into the hidden panel brings it back within ${SHOWN_WITHIN_S} s" within_limit "$took"
point_at $POINTER_LOW
check "the pointer low sends it away once more" eventually panel_hidden
took=$(key_until_shown space)
echo "# Pause: panel fully shown ${took} s after Space"
check "Space on Pause brings the panel back within ${SHOWN_WITHIN_S} s" within_limit "$took"
check "and the run is paused" eventually picture_still
key space
check "Space on Pause resumes, and the low pointer sends the panel away" eventually panel_hidden
check "the program is still running" kill -0 "$program_pid"

echo "$passed passed, $failed failed"
((failed == 0))
