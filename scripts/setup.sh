# Shared by run.sh and test.sh: installs the Debian packages the program
# needs to build, test and look right, then configures and builds.
# Source it; it defines install_packages, build_in, build_web and
# install_web_test_tools.

PACKAGES=(
    cmake g++ make
    qt6-base-dev qt6-svg-dev
    # The English interface: lrelease and its CMake functions; Qt's own
    # Chinese texts for the dialogs.
    qt6-l10n-tools qt6-tools-dev qt6-translations-l10n
    libgtest-dev libbenchmark-dev
    # Fonts: the metric twin of Times New Roman, Chinese serif, and a
    # calligraphic face for the title.
    fonts-liberation fonts-noto-cjk fonts-lxgw-wenkai
    # The end-to-end test drives the real window in a virtual X server.
    xvfb xauth xdotool imagemagick
    # The Debian package: cpack finds its dependencies with dpkg-shlibdeps;
    # its test checks it with lintian and its metadata with appstreamcli.
    dpkg-dev lintian appstream
    # The tests read the PDF pages back: pdfinfo, pdftotext.
    poppler-utils
    # The browser edition: the core compiled to WebAssembly, and the browser
    # its tests run in (headless). Emscripten runs on Node.js.
    emscripten chromium
)

# Debian's emcc needs its acorn module, which a Node.js not from Debian
# does not find by itself.
export NODE_PATH=/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}

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
    # Node.js and npm: any recent Node.js will do (a machine may have one
    # from elsewhere than Debian, which brings its own npm).
    command -v node >/dev/null || missing+=(nodejs)
    command -v npm >/dev/null || missing+=(npm)
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

# build_web: the browser edition, build-web/fieldlines.html.
build_web() {
    emcmake cmake -S web -B build-web -DCMAKE_BUILD_TYPE=Release >/dev/null
    cmake --build build-web -j"$(nproc)"
}

# install_web_test_tools: the test driver of the web tests (playwright-core,
# pinned by tests/web/package-lock.json), installed again only when the
# lock file changed.
install_web_test_tools() {
    if [ ! tests/web/node_modules/.package-lock.json -nt tests/web/package-lock.json ]; then
        npm ci --prefix tests/web --no-audit --no-fund
    fi
}
