#!/usr/bin/env bash
# Installs the build into a scratch folder and checks what a desktop reads:
# the desktop entry, the AppStream metainfo, the themed icons and the manual.
# Usage: install_test.sh BUILD-DIR
set -euo pipefail
build=$1
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
DESTDIR=$stage cmake --install "$build" --prefix /usr >/dev/null
root=$stage/usr
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
check() { if "$@"; then echo "PASS: $*"; else fail "$*"; fi; }

entry=$root/share/applications/org.tarquel.Calculator.desktop
metainfo=$root/share/metainfo/org.tarquel.Calculator.metainfo.xml
check test -x "$root/bin/tarquel-calculator"
echo "desktop-file-validate says: $(desktop-file-validate "$entry" 2>&1 || true)"
check desktop-file-validate "$entry"
# The program has no public home page to link to, so AppStream 1.0 warns of
# its absence, and AppStream 0.16 does not know the <developer> element yet.
# Anything else the validator says fails the check.
said=$(appstreamcli validate --no-net "$metainfo" 2>&1 || true)
echo "appstreamcli says: $said"
accepted=': url-homepage-missing$'
if [[ $(appstreamcli --version) == *" 0."* ]]; then
  accepted+='|: unknown-tag developer$'
fi
unexpected=$(grep -E '^[EWIP]: ' <<<"$said" | grep -vE "$accepted" || true)
check test -z "$unexpected"
check grep -qx 'Categories=Utility;Calculator;' "$entry"
check grep -qx 'Exec=tarquel-calculator' "$entry"
check grep -qx 'Icon=org.tarquel.Calculator' "$entry"
check grep -q '<release version="1.00"' "$metainfo"
check gzip -t "$root/share/man/man1/tarquel-calculator.1.gz"

# A PNG's width and height stand as big-endian numbers at bytes 16 to 23.
png_size() { od -An -tu1 -j16 -N8 "$1" | awk '{print $1*16777216+$2*65536+$3*256+$4 "x" $5*16777216+$6*65536+$7*256+$8}'; }
for size in 16 32 48 64 128 256; do
  icon=$root/share/icons/hicolor/${size}x${size}/apps/org.tarquel.Calculator.png
  if [[ -f $icon ]] && [[ $(png_size "$icon") == "${size}x${size}" ]]; then
    echo "PASS: ${size}x${size} icon"
  else
    fail "${size}x${size} icon at $icon"
  fi
done

check grep -q '<svg' "$root/share/icons/hicolor/scalable/apps/org.tarquel.Calculator.svg"

# What a software centre's catalog makes of the tree: it needs an icon of 64
# pixels at least, and caches its own copies of them.
catalog=$stage/catalog
if appstreamcli compose --no-net --prefix=/usr --origin=test --result-root="$catalog" "$stage" \
    >"$stage/compose.log" 2>&1; then
  echo "PASS: appstreamcli compose"
else
  fail "appstreamcli compose: $(cat "$stage/compose.log")"
fi
for size in 64 128; do
  check test -f "$catalog/usr/share/swcatalog/icons/test/${size}x${size}/org.tarquel.Calculator.png"
done
check grep -q '<icon type="cached" width="128"' <(zcat "$catalog/usr/share/swcatalog/xml/test.xml.gz")

((failures == 0))
