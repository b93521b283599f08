#!/usr/bin/env bash
# Gathers the texts of the interface from the sources into the translation
# files (lupdate), keeping what is translated already. Run it after changing
# a text, then translate the new entries (Qt Linguist, or the .ts by hand).
# FIELDLINES_TEXT marks the texts of the core, which has no Qt.
set -euo pipefail
cd "$(dirname "$0")/.."
lupdate=/usr/lib/qt6/bin/lupdate
[ -x "$lupdate" ] || lupdate=$(command -v lupdate6 || command -v lupdate)
"$lupdate" -tr-function-alias QT_TRANSLATE_NOOP+=FIELDLINES_TEXT -locations none -no-obsolete \
    -source-language zh_CN -target-language en src -ts translations/fieldlines_en.ts
