#!/usr/bin/env bash
# Makes the .deb from the build's install rules, checks what it holds and
# what it needs, lets lintian and appstreamcli judge it, unpacks it
# (dpkg -x) and runs the unpacked program.
#   deb_test.sh BUILD/CPackConfig.cmake
set -euo pipefail
config=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cpack --config "$config" -G DEB -B "$work/out" >"$work/cpack.log" 2>&1 || { cat "$work/cpack.log"; exit 1; }
deb=$(ls "$work"/out/fieldlines_*.deb)

fail() {
    echo "package: $*" >&2
    exit 1
}

# What it installs: the program, its menu entry, its icon, its translation,
# its manual page, its licence and changelog, its software-centre metadata.
contents=$(dpkg-deb -c "$deb")
for path in ./usr/bin/fieldlines ./usr/share/applications/fieldlines.desktop \
    ./usr/share/icons/hicolor/scalable/apps/fieldlines.svg ./usr/share/fieldlines/translations/fieldlines_en.qm \
    ./usr/share/man/man1/fieldlines.1.gz ./usr/share/doc/fieldlines/copyright ./usr/share/doc/fieldlines/changelog.gz \
    ./usr/share/metainfo/org.example.fieldlines.metainfo.xml; do
    grep -q " $path\$" <<<"$contents" || fail "$path is missing"
done

# Debian's own checks: lintian reports no error and no warning, the
# metadata validates (offline).
lintian --fail-on error,warning --tag-display-limit 0 "$deb" >"$work/lintian.log" 2>&1 \
    || { cat "$work/lintian.log"; fail "lintian reports errors or warnings, or could not run"; }

# What it needs: the Qt libraries it links, found by dpkg-shlibdeps, and
# the fonts as recommendations.
depends=$(dpkg-deb -f "$deb" Depends)
for library in libqt6core6 libqt6gui6 libqt6widgets6 libqt6svg6 libc6; do
    grep -q "$library" <<<"$depends" || fail "Depends lacks $library: $depends"
done
recommends=$(dpkg-deb -f "$deb" Recommends)
for font in fonts-noto-cjk fonts-liberation fonts-lxgw-wenkai; do
    grep -q "$font" <<<"$recommends" || fail "Recommends lacks $font: $recommends"
done

# The unpacked program runs: its version, and the default picture drawn
# headless.
dpkg -x "$deb" "$work/root"
program="$work/root/usr/bin/fieldlines"
version=$("$program" --version)
[ "$version" = "fieldlines $(dpkg-deb -f "$deb" Version)" ] || fail "--version says '$version'"
env -u DISPLAY -u WAYLAND_DISPLAY "$program" --output "$work/default.png" || fail "the default picture was not drawn"
size=$(identify -format '%wx%h' "$work/default.png")
[ "$size" = 693x385 ] || fail "the default picture is $size"
# The installed translation speaks: the English message of a refused input.
said=$("$program" --lang en --charge1 15,0,10 --charge2 -15,0,-10 --output "$work/refused.png" 2>&1) && fail "a refused input was drawn"
[ "$said" = "fieldlines: Q1 must be to the left of Q2" ] || fail "--lang en says '$said'"
# The documents: the metadata validates offline and lists this release, the
# changelog's latest entry is this version, and the manual page names every
# option the program's --help-all lists.
metainfo="$work/root/usr/share/metainfo/org.example.fieldlines.metainfo.xml"
appstreamcli validate --no-net "$metainfo" >"$work/appstream.log" 2>&1 \
    || { cat "$work/appstream.log"; fail "the AppStream metadata does not validate"; }
grep -q "<release version=\"$(dpkg-deb -f "$deb" Version)\"" "$metainfo" || fail "the metadata lacks this release"
zcat "$work/root/usr/share/doc/fieldlines/changelog.gz" >"$work/changelog"
logged=$(dpkg-parsechangelog -l "$work/changelog" -S Version)
[ "$logged" = "$(dpkg-deb -f "$deb" Version)" ] || fail "the changelog's latest version is $logged"
manual=$(zcat "$work/root/usr/share/man/man1/fieldlines.1.gz" | sed 's/\\-/-/g')
for option in $("$program" --help-all | grep -oE '^ +(-[a-z], )?--?[a-z][a-z0-9-]*' | grep -oE -- '-[a-z0-9-]+$'); do
    grep -qE -- "(^|[^a-z-])$option([^a-z0-9-]|\$)" <<<"$manual" || fail "the manual page does not name $option"
done
echo "package: $(basename "$deb") holds $(wc -l <<<"$contents") entries; Depends: $depends"
