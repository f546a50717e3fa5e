#!/usr/bin/env bash
# The Windows program is one .exe for the desktop: a GUI program (no console
# window) that imports nothing but Windows' own libraries and has the defences
# this toolchain gives; its portable zip holds that .exe and nothing else.
#   exe_test.sh PROGRAM.exe OBJDUMP [PORTABLE.zip]
set -euo pipefail
exe=$1 objdump=$2 zip=${3:-}
headers=$("$objdump" -p "$exe")
grep -q 'Subsystem.*(Windows GUI)' <<<"$headers" || { echo "FAIL: not a Windows GUI program"; exit 1; }
# ADVAPI32: the stack protector draws its random guard from CryptGenRandom.
allowed=' KERNEL32.dll USER32.dll GDI32.dll COMCTL32.dll msvcrt.dll ole32.dll OLEAUT32.dll ADVAPI32.dll '
imports=$(awk '/DLL Name:/ {print $3}' <<<"$headers")
failed=0
for dll in $imports; do
  [[ $allowed == *" $dll "* ]] || { echo "FAIL: imports $dll"; failed=1; }
done
echo "imports:" $imports
# Its defences: address space layout randomisation over all 64 bits, no code
# run from data, and the stack protector, seen by the random guard it draws at
# start (the program itself asks for no random numbers).
for flag in HIGH_ENTROPY_VA DYNAMIC_BASE NX_COMPAT; do
  grep -qx "[[:space:]]*$flag" <<<"$headers" || { echo "FAIL: not $flag"; failed=1; }
done
grep -q 'CryptGenRandom' <<<"$headers" || { echo "FAIL: no stack protector"; failed=1; }
if [[ -n $zip ]]; then
  unpacked=$(mktemp -d)
  trap 'rm -rf "$unpacked"' EXIT
  (cd "$unpacked" && cmake -E tar xf "$zip")
  [[ $(ls -A "$unpacked") == "$(basename "$exe")" ]] && cmp -s "$exe" "$unpacked/$(basename "$exe")" ||
    { echo "FAIL: the zip holds $(ls -A "$unpacked"), not the program alone"; failed=1; }
fi
exit $failed
