#!/usr/bin/env bash
# The Debian package as users live with it, from one release to the next, each
# step in a fresh Debian 12 root. piuparts, Debian's own tester, installs and
# purges the package, and upgrades to the next version from the package's own
# apt repository; then apt, as a user who added the repository's two lines,
# installs the package from it, upgrades to the next version when the
# repository has it, and refuses a repository signed with another key.
# The next version is these sources built again with only the version changed;
# the repositories are signed with a key made for the test.
# Usage (as root, or with sudo): tests/desktop/upgrade_test.sh DEB
set -euo pipefail
cd "$(dirname "$0")/../.."
. tests/desktop/serve_folder.sh
deb=$(realpath "${1:?usage: tests/desktop/upgrade_test.sh DEB}")
if ((EUID != 0)); then
  exec sudo "$0" "$deb"
fi
scripts/install-deps only piuparts gpg python3 apt-utils
version=$(dpkg-deb --field "$deb" Version)
next=$((${version%%.*} + 1)).00
work=build-upgrades
rm -rf "$work"
mkdir -p "$work"
server=
cleanup() {
  [[ -z $server ]] || kill "$server" 2>/dev/null || true
  [[ ! -d $work/keys ]] || GNUPGHOME=$PWD/$work/keys gpgconf --kill all
  rm -rf "$work/keys"
}
trap cleanup EXIT

echo "upgrade test: $version, and $next built from the same sources"
BUILD_DIR=$work/next scripts/package -DCALCULATOR_VERSION="$next" >"$work/next.log" 2>&1 ||
  { tail -20 "$work/next.log" >&2; exit 1; }
next_deb=$(ls "$work"/next/package/*.deb)

# The repositories: the release's, the next version's, and one signed by a
# key that is not the shipped one.
export GNUPGHOME=$PWD/$work/keys
mkdir -m 700 "$GNUPGHOME"
# scripts/apt-repository signs at SOURCE_DATE_EPOCH where it is set, and a key
# cannot sign before it was made: the test's keys are made then too.
made=()
[[ -z ${SOURCE_DATE_EPOCH:-} ]] || made=(--faked-system-time "$SOURCE_DATE_EPOCH!")
for name in shipped other; do
  gpg --batch --quiet "${made[@]}" --passphrase '' \
    --quick-gen-key "Calculator $name <$name@tarquel.invalid>" ed25519 sign never
done
CALCULATOR_SIGNING_KEY=shipped@tarquel.invalid scripts/apt-repository "$work/apt/release" "$deb"
CALCULATOR_SIGNING_KEY=shipped@tarquel.invalid scripts/apt-repository "$work/apt/next" "$next_deb"
CALCULATOR_SIGNING_KEY=other@tarquel.invalid scripts/apt-repository "$work/apt/forged" "$next_deb"
cp "$work/apt/release/tarquel-calculator.asc" "$work/apt/forged/"

# piuparts: install and purge; then the release from its repository, served
# here, upgraded to the next version's package and purged.
serve_folder "$work/apt/release"
mirror=$(scripts/debian-mirror)
piuparts=(env TMPDIR="$PWD/$work" piuparts --distribution bookworm --mirror "$mirror")
"${piuparts[@]}" --save "$PWD/$work/base.tgz" "$deb" >"$work/piuparts-install.log" 2>&1 ||
  { tail -40 "$work/piuparts-install.log" >&2; exit 1; }
tail -1 "$work/piuparts-install.log"
"${piuparts[@]}" --basetgz "$PWD/$work/base.tgz" \
  --extra-repo "deb [trusted=yes] http://127.0.0.1:$port/ ./" "$next_deb" \
  >"$work/piuparts-upgrade.log" 2>&1 || { tail -40 "$work/piuparts-upgrade.log" >&2; exit 1; }
grep -q "Installation, upgrade and purging test" "$work/piuparts-upgrade.log" ||
  { echo "upgrade test: piuparts did not upgrade from the repository" >&2; exit 1; }
tail -1 "$work/piuparts-upgrade.log"
kill "$server"
server=

# apt, as a user, in a fresh root of its own.
FRESH_ROOT_FILES="$work/apt" scripts/in-fresh-root bookworm \
  tests/desktop/apt_repository_test.sh "$work/apt"
