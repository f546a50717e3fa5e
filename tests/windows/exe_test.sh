#!/usr/bin/env bash
# The Windows program is one .exe for the desktop: a GUI program (no console
# window) that imports nothing but Windows' own libraries.
#   exe_test.sh PROGRAM.exe OBJDUMP
set -euo pipefail
exe=$1 objdump=$2
headers=$("$objdump" -p "$exe")
grep -q 'Subsystem.*(Windows GUI)' <<<"$headers" || { echo "FAIL: not a Windows GUI program"; exit 1; }
allowed=' KERNEL32.dll USER32.dll GDI32.dll COMCTL32.dll msvcrt.dll ole32.dll OLEAUT32.dll '
imports=$(awk '/DLL Name:/ {print $3}' <<<"$headers")
failed=0
for dll in $imports; do
  [[ $allowed == *" $dll "* ]] || { echo "FAIL: imports $dll"; failed=1; }
done
echo "imports:" $imports
exit $failed
