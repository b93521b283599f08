#!/usr/bin/env bash
# Installs what is missing, builds, and opens the window. Without a display
# it draws the default picture to fieldlines.png instead.
#   ./run.sh [fieldlines options]   the desktop program
#   ./run.sh --web                  the browser edition, build-web/fieldlines.html,
#                                   opened in the default browser
set -euo pipefail
cd "$(dirname "$0")"
source scripts/setup.sh

install_packages

if [ "${1:-}" = --web ]; then
    build_web
    page="$PWD/build-web/fieldlines.html"
    if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
        for opener in xdg-open x-www-browser; do
            if command -v "$opener" >/dev/null; then
                echo "Opening $page"
                exec "$opener" "$page"
            fi
        done
    fi
    echo "The browser edition is $page: open it in any browser (it needs no server)."
    exit 0
fi

build_in build

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    build/src/app/fieldlines --output fieldlines.png --size 1386x770
    echo "No display: the default picture is in $(pwd)/fieldlines.png"
else
    exec build/src/app/fieldlines "$@"
fi
