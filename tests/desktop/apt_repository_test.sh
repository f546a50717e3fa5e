#!/usr/bin/env bash
# apt with the calculator's repository, in a fresh root, as a user who added
# its two lines (the shipped public key, and the source signed by it): the
# package installs from it; when the repository has the next version,
# `apt-get upgrade` brings it, one version, every file of it in place; a
# repository signed by another key is refused, and changes nothing; purging
# leaves no file of the package.
# Usage: apt_repository_test.sh FOLDER   (release/, next/ and forged/ in it,
#        made by upgrade_test.sh)
set -euo pipefail
. "$(dirname "$0")/serve_folder.sh"
folder=$(realpath "${1:?usage: apt_repository_test.sh FOLDER}")
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends python3 >/dev/null

served=$(mktemp -d)
serve_folder "$served"
trap 'kill "$server"' EXIT
# A repository's files replaced by another's, each newer than the last (the
# server answers apt's If-Modified-Since by the files' times).
published=0
publish() {
  rm -rf "${served:?}"/*
  cp -r "$folder/$1/." "$served/"
  find "$served" -type f -exec touch -d "@$((EPOCHSECONDS + ++published))" {} +
}
fail() { echo "FAIL: $*" >&2; exit 1; }
version() { dpkg-query -W -f '${Version}' tarquel-calculator 2>/dev/null || true; }

publish release
mkdir -p /etc/apt/keyrings
cp "$served/tarquel-calculator.asc" /etc/apt/keyrings/
echo "deb [signed-by=/etc/apt/keyrings/tarquel-calculator.asc] http://127.0.0.1:$port/ ./" \
  >/etc/apt/sources.list.d/tarquel-calculator.list
apt-get update -qq
apt-get install -y -qq tarquel-calculator >/dev/null
released=$(version)
[[ -n $released && -x /usr/bin/tarquel-calculator ]] || fail "the release did not install"
echo "PASS: apt-get install tarquel-calculator gives $released"

# apt says why, keeps the index it had, and ends well: the update is refused.
publish forged
apt-get update -qq >"$served.update" 2>&1 || true
grep -q "signatures couldn't be verified" "$served.update" ||
  fail "apt did not refuse the repository signed by another key: $(cat "$served.update")"
apt-get upgrade -y -qq >/dev/null
[[ $(version) == "$released" ]] || fail "the forged repository changed the installed version"
echo "PASS: a repository signed by another key is refused, and nothing changes"

publish next
apt-get update -qq
apt-get upgrade -y -qq >/dev/null
deb=$(ls "$served"/*.deb)
wanted=$(dpkg-deb --field "$deb" Version)
[[ $(version) == "$wanted" ]] || fail "apt-get upgrade left $(version), not $wanted"
dpkg-deb --fsys-tarfile "$deb" | tar -xO ./usr/bin/tarquel-calculator | cmp - /usr/bin/tarquel-calculator ||
  fail "the installed program is not the new one"
dpkg --verify tarquel-calculator || fail "a file of the package is missing or changed"
echo "PASS: apt-get upgrade brings $wanted: the new program, every file of it"

apt-get purge -y -qq tarquel-calculator >/dev/null
left=$(dpkg-deb --fsys-tarfile "$deb" | tar -t | sed 's|^\.||' | while read -r path; do
  [[ -z $path || -d $path ]] || [[ ! -e $path ]] || echo "$path"
done)
[[ -z $left ]] || fail "purging left $left"
[[ -z $(version) ]] || fail "the package is still known after purging"
echo "PASS: purging leaves no file of the package"
