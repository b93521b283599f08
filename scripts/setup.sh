# Shared by run.sh and test.sh: installs the Debian packages the program
# needs to build, test and look right, then configures and builds.
# Source it; it defines install_packages and build_in.

PACKAGES=(
    cmake g++ make
    qt6-base-dev qt6-svg-dev
    # Qt's own texts in Chinese: the file dialog and its buttons.
    qt6-translations-l10n
    libgtest-dev libbenchmark-dev
    # Fonts: the metric twin of Times New Roman, Chinese serif, and a
    # calligraphic face for the title.
    fonts-liberation fonts-noto-cjk fonts-lxgw-wenkai
    # The end-to-end test drives the real window in a virtual X server.
    xvfb xauth xdotool imagemagick
)

as_root() {
    if [ "$(id -u)" -eq 0 ]; then
        "$@"
    else
        sudo "$@"
    fi
}

# install_packages [extra packages...]
install_packages() {
    local missing=()
    local pkg
    for pkg in "${PACKAGES[@]}" "$@"; do
        if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed"; then
            missing+=("$pkg")
        fi
    done
    if [ "${#missing[@]}" -gt 0 ]; then
        echo "Installing: ${missing[*]}"
        as_root apt-get update -qq
        as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
    fi
}

# build_in DIR [cmake options...]
build_in() {
    local dir=$1
    shift
    cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
    cmake --build "$dir" -j"$(nproc)"
}
