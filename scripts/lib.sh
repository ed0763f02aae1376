# Shared by scripts/run and scripts/test; sourced, not run.

# Installs whatever of scripts/packages.txt is missing (Debian, as root).
ensure_packages() {
    local root missing=()
    root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
    while read -r pkg; do
        [[ -z "$pkg" || "$pkg" == \#* ]] && continue
        dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed" \
            || missing+=("$pkg")
    done < "$root/scripts/packages.txt"
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
