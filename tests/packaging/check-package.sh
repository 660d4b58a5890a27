#!/usr/bin/env bash
# Builds the Debian package, unpacks it into a scratch root and checks that the desktop
# integration validates and the installed program starts. Arguments: BUILD_FOLDER PROJECT_VERSION.
set -euo pipefail
build=$1 version=$2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$scratch/out" >"$scratch/cpack.log" 2>&1 ||
    { cat "$scratch/cpack.log"; exit 1; }
deb=$(ls "$scratch"/out/veloxa-remote_*.deb)
dpkg-deb -x "$deb" "$scratch/root"
cd "$scratch/root/usr"
failed=0
fail() { echo "FAIL: $*" >&2; failed=1; }
dpkg-deb -f "$deb" Depends | grep -q libqt6quick6 || fail "Depends lacks the Qt runtime"
for tool in veloxa-remote veloxa-devsim veloxa-cpz veloxa-push; do
    [ -x bin/$tool ] || fail "bin/$tool missing"
done
desktop=$(ls share/applications/*.desktop)
desktop-file-validate "$desktop" || fail "desktop-file-validate"
grep -qx 'Exec=veloxa-remote %f' "$desktop" || fail "Exec line"
metainfo=$(ls share/metainfo/*.metainfo.xml)
appstreamcli validate --no-net "$metainfo" || fail "appstreamcli validate"
grep -q "<release version=\"$version\"" "$metainfo" || fail "metainfo release is not $version"
for size in 16 32 48 64 128 256; do
    file -b share/icons/hicolor/${size}x$size/apps/veloxa-remote.png |
        grep -q "PNG image data, $size x $size" || fail "icon ${size}x$size"
done
[ -f share/icons/hicolor/scalable/apps/veloxa-remote.svg ] || fail "scalable icon"
mime=share/mime/packages/veloxa-remote.xml
for pattern in '\*.cpz' 'download.cpn' '\*.cpf'; do
    grep -q "glob pattern=\"$pattern\"" $mime || fail "MIME glob $pattern"
done
for type in $(sed -n 's/^MimeType=//p' "$desktop" | tr ';' ' '); do
    grep -q "mime-type type=\"$type\"" $mime || fail "MIME type $type undeclared"
done
[ -f share/doc/veloxa-remote/LICENSE ] || fail "LICENSE"

mkdir -m 700 "$scratch/run"
if out=$(QT_QPA_PLATFORM=offscreen HOME=$scratch XDG_RUNTIME_DIR=$scratch/run timeout 10 bin/veloxa-remote --version 2>&1); then
    grep -qF "$version" <<<"$out" || fail "--version printed '$out', not $version"
else
    fail "--version exited with status $?: $out"
fi
[ $failed -eq 0 ] && echo "package checks passed"
exit $failed
