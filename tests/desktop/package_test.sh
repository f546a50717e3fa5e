#!/usr/bin/env bash
# Builds the Debian package from the build, checks it (scripts/check-package:
# lintian, and the defences of a hardened build), and starts the packaged
# program from an unpacked copy of the package.
# Usage: package_test.sh BUILD-DIR [--unhardened]
set -euo pipefail
build=$(realpath "$1")
shift
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
(cd "$scratch" && cpack --config "$build/CPackConfig.cmake" -B "$scratch/out" >/dev/null)
deb=$(ls "$scratch"/out/*.deb)

fields=$(dpkg-deb --field "$deb" Package Version Depends Recommends)
echo "$fields"
grep -qx 'Version: 1.00' <<<"$fields"
grep -q 'libqt6widgets6' <<<"$fields" # computed from the binary
grep -q 'qt6-qpa-plugins' <<<"$fields"
grep -qx 'Recommends: qt6-wayland, qt6-gtk-platformtheme' <<<"$fields"

"$(dirname "$0")/../../scripts/check-package" "$@" "$deb"

dpkg-deb -x "$deb" "$scratch/root"
# It starts: still running after two seconds, on a screen of its own.
QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR=$scratch "$scratch/root/usr/bin/tarquel-calculator" &
program=$!
sleep 2
kill -0 "$program"
kill "$program"
wait "$program" || true
echo "PASS: the packaged program starts"
