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
