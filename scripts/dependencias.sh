# Installs the Debian packages that the build needs and that are missing (sourced by run.sh and test.sh).
GDVORN_PACOTES=(build-essential cmake ninja-build pkg-config qt6-base-dev qt6-base-dev-tools libqt6sql6-sqlite
                libgl-dev zlib1g-dev libsqlite3-dev libbenchmark-dev fonts-dejavu-core sqlite3
                qt6-translations-l10n)

instala_dependencias() {
    local faltam=()
    for p in "${GDVORN_PACOTES[@]}"; do
        if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
            faltam+=("$p")
        fi
    done
    if [ ${#faltam[@]} -eq 0 ]; then
        return 0
    fi
    echo "Instalando pacotes: ${faltam[*]}"
    local sudo=()
    if [ "$(id -u)" -ne 0 ]; then
        sudo=(sudo)
    fi
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${faltam[@]}"
}
