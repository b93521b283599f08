#!/usr/bin/env bash
# Gathers the texts of the interface from the sources into the translation
# file (lupdate), keeping what is translated already. Run it after changing
# a text, then translate the new entries (Qt Linguist, or the .ts by hand).
#   scripts/update-translations.sh           updates translations/fieldlines_en.ts
#   scripts/update-translations.sh --check   changes nothing; fails when the
#                                            file lacks a text of the sources,
#                                            keeps one they no longer have, or
#                                            has an entry not translated
#
# The window and the command line mark their texts for Qt; FIELDLINES_TEXT
# marks the core's, which has no Qt; the page marks its own with
# qsTranslate (all in web/page/texts.js). lupdate reads every page module
# that marks a text once its import and export keywords are taken off: it
# reads plain scripts only, and a module it cannot read fails the script.
# A text no source has any more stays in the file as "vanished" rather than
# being dropped with its translation: delete such an entry by hand once it
# is surely gone.
set -euo pipefail
cd "$(dirname "$0")/.."
lupdate=/usr/lib/qt6/bin/lupdate
[ -x "$lupdate" ] || lupdate=$(command -v lupdate6 || command -v lupdate)
ts=translations/fieldlines_en.ts

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/page"
for module in $(grep -l 'qsTranslate("' web/page/*.js); do
    sed -E -e 's/^export //' -e 's/^import .*$//' "$module" >"$work/page/$(basename "$module")"
done

# lupdate works on a copy: the file changes only when every source was read.
cp "$ts" "$work/updated.ts"
"$lupdate" -silent -tr-function-alias QT_TRANSLATE_NOOP+=FIELDLINES_TEXT -locations none \
    -source-language zh_CN -target-language en src "$work/page" -ts "$work/updated.ts" 2>"$work/errors"
if grep -q . "$work/errors"; then
    sed "s|$work/||" "$work/errors" >&2
    echo "lupdate could not read every source: $ts is left as it was" >&2
    exit 1
fi

if [ "${1:-}" != "--check" ]; then
    cp "$work/updated.ts" "$ts"
    exit 0
fi
if ! cmp -s "$ts" "$work/updated.ts"; then
    echo "$ts does not hold the texts of the sources; run scripts/update-translations.sh:" >&2
    diff -u "$ts" "$work/updated.ts" >&2 || true
    exit 1
fi
if grep -q '<translation type=' "$ts"; then
    echo "$ts has entries not translated, or no longer in the sources:" >&2
    grep -B3 '<translation type=' "$ts" >&2
    exit 1
fi
echo "$ts: every text of the sources, each translated"
