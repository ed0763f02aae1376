# Shared by scripts/run, scripts/test and the other scripts; sourced, not run.

# Runs COMMAND... as root: itself when this is root, through sudo otherwise.
as_root() {
    if (($(id -u) == 0)); then "$@"; else sudo "$@"; fi
}

# Installs whatever of the given package lists (default: scripts/packages.txt)
# is missing (Debian, as root or with sudo).
ensure_packages() {
    local root missing=() list pkg
    root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
    (($#)) || set -- scripts/packages.txt
    for list in "$@"; do
        while read -r pkg; do
            pkg="${pkg%%#*}"
            pkg="${pkg//[[:space:]]/}"
            [[ -z "$pkg" ]] && continue
            dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed" \
                || missing+=("$pkg")
        done < "$root/$list"
    done
    if ((${#missing[@]})); then
        echo "Installing: ${missing[*]}"
        as_root env DEBIAN_FRONTEND=noninteractive apt-get update -q
        as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
    fi
}

# Makes sure a comma-decimal locale exists, for the tests that prove the text
# rules ignore the user's regional settings.
ensure_locales() {
    local want=(ru_RU.UTF-8 de_DE.UTF-8) need=0 l
    for l in "${want[@]}"; do
        locale -a 2>/dev/null | grep -qi "^${l%%.*}.utf-\?8$" || need=1
    done
    ((need)) || return 0
    for l in "${want[@]}"; do
        as_root sed -i "s/^# *\(${l} UTF-8\)/\1/" /etc/locale.gen
        grep -q "^${l} UTF-8" /etc/locale.gen || echo "${l} UTF-8" | as_root tee -a /etc/locale.gen >/dev/null
    done
    as_root locale-gen >/dev/null
}

# Points Wine at a prefix of its own in folder $1 (made on first use), quiet
# and without a display or the first-run dialogs (the .NET and HTML engines
# it offers to download), so that nothing depends on, or touches, ~/.wine.
use_wine_prefix() {
    export WINEPREFIX="$1" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
    [[ -f "$WINEPREFIX/system.reg" ]] && return 0
    mkdir -p "$WINEPREFIX"
    DISPLAY= wineboot -i >/dev/null 2>&1
    # Wine has none of Windows' interface fonts, and Qt's choice (the message
    # font, "MS Shell Dlg") would fall back to a serif face; DejaVu Sans, from
    # the packages, stands in for them as Segoe UI or Tahoma does on Windows.
    local face
    for face in "MS Shell Dlg" "MS Shell Dlg 2" "Segoe UI" "Tahoma"; do
        DISPLAY= wine reg add 'HKCU\Software\Wine\Fonts\Replacements' \
            /v "$face" /t REG_SZ /d "DejaVu Sans" /f >/dev/null 2>&1
    done
    wineserver -w
}

# --- The program's window under an X server of its own (Xvfb), for the
# end-to-end tests, the benchmarks and the screenshots.

# The window's title, read from the program's own source so that it is
# written once. Without it find_window would match any window.
THERMAL_TITLE=$(sed -n 's/^inline constexpr std::string_view kTitle = "\(.*\)";$/\1/p' \
    "$(dirname "${BASH_SOURCE[0]}")/../ui/design.h")
[[ -n "$THERMAL_TITLE" ]] || { echo "lib.sh: no window title in ui/design.h" >&2; return 1; }
export THERMAL_TITLE
# Points of the window at 96 dots an inch and scale 1: the middles of the
# controls (the panel's frame is 2 pixels wide) and a bare spot of the panel,
# between Pause and the label "m", where a resting pointer keeps it shown.
export START_AT="72 20"    # Command1: 16 + 113/2, 8 + 25/2
export PAUSE_AT="200 20"   # Command2: 144 + 113/2
export MASS_AT="312 17"    # Text1, m
export SPEED_AT="384 17"   # Text2, v
export COUNT_AT="456 17"   # Text3, N
export PANEL_SPOT="265 4"

# Starts Xvfb on a free display with one screen of WxH at 96 dots an inch,
# keeping its files in DIR, and exports DISPLAY; XVFB_PID is its process.
start_xvfb() { # DIR WxH
    rm -f "$1/display"
    Xvfb -displayfd 3 -screen 0 "${2}x24" -dpi 96 -nolisten tcp 3>"$1/display" \
        2>"$1/xvfb.log" &
    XVFB_PID=$!
    local deadline=$((SECONDS + 30))
    until [[ -s "$1/display" ]]; do
        if ((SECONDS >= deadline)) || ! kill -0 "$XVFB_PID" 2>/dev/null; then
            echo "Xvfb did not start:" >&2
            cat "$1/xvfb.log" >&2
            return 1
        fi
        sleep 0.05
    done
    export DISPLAY=":$(head -n 1 "$1/display")"
}

stop_xvfb() {
    [[ -n "${XVFB_PID:-}" ]] || return 0
    kill "$XVFB_PID" 2>/dev/null
    wait "$XVFB_PID" 2>/dev/null
    XVFB_PID=
}

# The program's visible window, waited for up to SECONDS; prints nothing if
# none showed. xdotool matches the Cyrillic title only in a UTF-8 locale.
find_window() { # SECONDS
    LC_ALL=C.UTF-8 timeout "$1" xdotool search --sync --onlyvisible --name "^${THERMAL_TITLE}\$" |
        head -n 1
}

# How many pixels of FILE (cut to the ImageMagick geometry CROP, if given)
# are exactly COLOUR (#rrggbb).
colour_pixels() { # FILE COLOUR [CROP]
    convert "$1" ${3:+-crop "$3" +repage} -fill black +opaque "$2" -fill white -opaque "$2" \
        -format "%[fx:round(mean*w*h)]" info:
}

# Runs COMMAND... until it succeeds or SECONDS have gone.
within() { # SECONDS COMMAND...
    local deadline=$((SECONDS + $1))
    shift
    until "$@"; do
        ((SECONDS < deadline)) || return 1
        sleep 0.05
    done
}
