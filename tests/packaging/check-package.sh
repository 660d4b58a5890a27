#!/usr/bin/env bash
# Builds the Debian package from a build folder, unpacks it into a scratch root and checks that
# the desktop integration validates and the installed program starts.
#   check-package.sh BUILD_FOLDER PROJECT_VERSION
set -euo pipefail
build=$1 version=$2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$scratch/out" >"$scratch/cpack.log" 2>&1 ||
    { cat "$scratch/cpack.log"; exit 1; }
debs=("$scratch"/out/veloxa-remote_*.deb)
[ -f "${debs[0]}" ] || { echo "no veloxa-remote .deb built" >&2; exit 1; }
deb=${debs[0]}
dpkg-deb -f "$deb" Package Depends
dpkg-deb -f "$deb" Depends | grep -q libqt6quick6 || { echo "Depends lacks the Qt runtime" >&2; exit 1; }
root=$scratch/root
dpkg-deb -x "$deb" "$root"

failed=0
fail() { echo "FAIL: $*" >&2; failed=1; }
for tool in veloxa-remote veloxa-devsim veloxa-cpz veloxa-push; do
    [ -x "$root/usr/bin/$tool" ] || fail "usr/bin/$tool missing"
done
desktops=("$root"/usr/share/applications/*.desktop)
[ ${#desktops[@]} -eq 1 ] && [ -f "${desktops[0]}" ] || fail "expected one desktop entry"
desktop-file-validate "${desktops[0]}" || fail "desktop-file-validate"
grep -qx 'Exec=veloxa-remote %f' "${desktops[0]}" || fail "Exec line"
metainfos=("$root"/usr/share/metainfo/*.metainfo.xml)
appstreamcli validate --no-net "${metainfos[0]}" || fail "appstreamcli validate"
grep -q "<release version=\"$version\"" "${metainfos[0]}" || fail "metainfo release is not $version"
for size in 16 32 48 64 128 256; do
    png=$root/usr/share/icons/hicolor/${size}x${size}/apps/veloxa-remote.png
    file -b "$png" | grep -q "PNG image data, $size x $size" || fail "icon ${size}x${size}"
done
[ -f "$root/usr/share/icons/hicolor/scalable/apps/veloxa-remote.svg" ] || fail "scalable icon"
mime=$root/usr/share/mime/packages/veloxa-remote.xml
for pattern in '\*.cpz' 'download.cpn' '\*.cpf'; do
    grep -q "glob pattern=\"$pattern\"" "$mime" || fail "MIME glob $pattern"
done
# Every MIME type the desktop entry claims is declared.
for type in $(sed -n 's/^MimeType=//p' "${desktops[0]}" | tr ';' ' '); do
    grep -q "mime-type type=\"$type\"" "$mime" || fail "MIME type $type undeclared"
done
[ -f "$root/usr/share/doc/veloxa-remote/LICENSE" ] || fail "LICENSE"

mkdir -m 700 "$scratch/runtime"
if output=$(QT_QPA_PLATFORM=offscreen HOME=$scratch XDG_RUNTIME_DIR=$scratch/runtime timeout 10 "$root/usr/bin/veloxa-remote" --version 2>&1); then
    grep -qF "$version" <<<"$output" || fail "--version printed '$output', not $version"
else
    fail "--version exited with status $?: $output"
fi
[ $failed -eq 0 ] && echo "package checks passed"
exit $failed
