#!/usr/bin/env bash
# Installs what is missing, builds, and opens the window. Without a display
# it draws the default picture to fieldlines.png instead.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/setup.sh

install_packages
build_in build

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    build/src/app/fieldlines --output fieldlines.png --size 1386x770
    echo "No display: the default picture is in $(pwd)/fieldlines.png"
else
    exec build/src/app/fieldlines "$@"
fi
