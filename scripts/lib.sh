# Shared by scripts/run, scripts/test and the other scripts; sourced, not run.

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
        local sudo=""
        [[ $(id -u) -ne 0 ]] && sudo="sudo"
        $sudo env DEBIAN_FRONTEND=noninteractive apt-get update -q
        $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
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
    local sudo=""
    [[ $(id -u) -ne 0 ]] && sudo="sudo"
    for l in "${want[@]}"; do
        $sudo sed -i "s/^# *\(${l} UTF-8\)/\1/" /etc/locale.gen
        grep -q "^${l} UTF-8" /etc/locale.gen || echo "${l} UTF-8" | $sudo tee -a /etc/locale.gen >/dev/null
    done
    $sudo locale-gen >/dev/null
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
