#!/usr/bin/env bash
# The program from the keyboard alone, in a real X server (Xvfb, no window
# manager): Tab and Space through xdotool, what the window shows read from
# screenshots. A run is started, the pointer sent low so that the panel
# slides away with the focused button on it, and Space then stops (in a
# second run, pauses) the animation: within a quarter of a second the panel
# must be fully back in sight. Usage: keyboard_test.sh PATH-TO-PROGRAM
#
# Waits are bounded polls for a state to show, never fixed sleeps.
set -uo pipefail
# xdotool finds the window by its Cyrillic title only in a UTF-8 locale.
export LC_ALL=C.UTF-8

program=${1:?usage: keyboard_test.sh PATH-TO-PROGRAM}
here=$(dirname "$0")
for tool in Xvfb xdotool import convert python3; do
    command -v "$tool" >/dev/null || { echo "keyboard_test: $tool is missing" >&2; exit 1; }
done

work=$(mktemp -d)
xvfb_pid=
program_pid=
cleanup() {
    [[ -n "$program_pid" ]] && kill "$program_pid" 2>/dev/null
    [[ -n "$xvfb_pid" ]] && kill "$xvfb_pid" 2>/dev/null
    wait 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

# --- The window's design, in its pixels at 96 dots an inch
readonly TITLE="тепловое движеие"
readonly PANEL_SPOT="265 4"   # bare panel between Pause and the label "m"
readonly PANEL_LOW_ROW=38     # the panel's last row inside its border: in
                              # sight only with the panel fully shown
readonly POINTER_LOW=(300 300)
readonly POINTER_LOWER=(320 320)
readonly LIMIT_S=30           # patience for any one state to show
readonly SHOWN_WITHIN_S=0.25  # the longest a keyboard user may wait for the panel

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

eventually() { # COMMAND...: until it succeeds, or LIMIT_S seconds have gone
    local deadline=$((SECONDS + LIMIT_S))
    until "$@"; do
        ((SECONDS < deadline)) || return 1
        sleep 0.05
    done
}

# How many pixels of REGION the window shows in COLOUR (hex), now.
pixels_of() { # REGION COLOUR
    import -window "$win" -crop "$1" +repage ppm:- 2>/dev/null |
        convert ppm:- -fill black +opaque "#$2" -fill white -opaque "#$2" \
            -format "%[fx:round(mean*w*h)]" info:
}

panel_hidden() { [[ $(pixels_of 660x36+0+0 "$panel_colour") == 0 ]]; }
panel_fully_shown() { [[ $(pixels_of "640x1+4+$PANEL_LOW_ROW" "$panel_colour") == 640 ]]; }
gas_drawn() { (($(pixels_of 668x303+0+41 ffff00) > 1000)); }
picture_empty() { [[ $(pixels_of 668x303+0+41 ffff00) == 0 ]]; }
picture_still() {
    # PPM, which carries no time stamp that would tell two shots apart.
    import -window "$win" -crop 668x303+0+41 +repage "$work/a.ppm" 2>/dev/null &&
        import -window "$win" -crop 668x303+0+41 +repage "$work/b.ppm" 2>/dev/null &&
        cmp -s "$work/a.ppm" "$work/b.ppm"
}

key() { xdotool key --clearmodifiers "$1"; }

# Space on the focused button; the seconds until the panel is fully shown.
space_until_shown() {
    python3 "$here/space_until_shown.py" "$win" 4 "$PANEL_LOW_ROW" 640 "$panel_colour" "$LIMIT_S"
}

within_limit() { # SECONDS
    [[ $1 != never ]] && awk -v t="$1" -v limit="$SHOWN_WITHIN_S" 'BEGIN { exit !(t <= limit) }'
}

# --- Start the X server and the program
mkdir -m 700 "$work/runtime"
Xvfb -displayfd 3 -screen 0 1024x768x24 -dpi 96 -nolisten tcp 3>"$work/display" \
    2>"$work/xvfb.log" &
xvfb_pid=$!
eventually test -s "$work/display" || { echo "keyboard_test: Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$(head -n 1 "$work/display")"
export XDG_RUNTIME_DIR="$work/runtime"
# A bus that is not there: without one Qt would start a session bus of its
# own through the X server, which could outlive the test.
export DBUS_SESSION_BUS_ADDRESS="unix:path=$work/no-bus"
unset QT_QPA_PLATFORM QT_SCALE_FACTOR QT_FONT_DPI QT_SCREEN_SCALE_FACTORS \
    QT_ENABLE_HIGHDPI_SCALING QT_SCALE_FACTOR_ROUNDING_POLICY

"$program" >"$work/program.log" 2>&1 &
program_pid=$!
win=$(timeout "$LIMIT_S" xdotool search --sync --onlyvisible --name "^${TITLE}\$" | head -n 1)
if [[ -z "$win" ]]; then
    echo "keyboard_test: no window titled \"$TITLE\"" >&2
    cat "$work/program.log" >&2
    exit 1
fi
# No window manager gives it the keyboard.
xdotool windowfocus --sync "$win"
import -window "$win" "$work/first.png"
panel_colour=$(convert "$work/first.png" -format "%[hex:p{${PANEL_SPOT/ /,}}]" info:)
check "panel fully shown at the start" panel_fully_shown

# --- Stop by Space with the panel slid away
key Tab # from the drawing area, which has the first focus, to Start
key space
check "Space on Start starts the run" eventually gas_drawn
xdotool mousemove --window "$win" "${POINTER_LOW[@]}"
check "panel slides away with the pointer low" eventually panel_hidden
took=$(space_until_shown)
echo "# Stop: panel fully shown ${took} s after Space"
check "Space on Stop brings the panel back within ${SHOWN_WITHIN_S} s" within_limit "$took"
check "and the run is stopped" eventually picture_empty

# --- Pause by Space with the panel slid away
key space
check "Space on Start starts a second run" eventually gas_drawn
xdotool mousemove --window "$win" "${POINTER_LOWER[@]}"
check "panel slides away again" eventually panel_hidden
key Tab # to Pause
took=$(space_until_shown)
echo "# Pause: panel fully shown ${took} s after Space"
check "Space on Pause brings the panel back within ${SHOWN_WITHIN_S} s" within_limit "$took"
check "and the run is paused" eventually picture_still
check "the paused picture keeps its gas" gas_drawn
key space
check "Space on Pause resumes, and the low pointer sends the panel away" eventually panel_hidden
check "the program is still running" kill -0 "$program_pid"

echo "$passed passed, $failed failed"
((failed == 0))
