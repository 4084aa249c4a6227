#!/usr/bin/env bash
# kvu.exe depends on no DLL but the system's: the updater may be asked to
# replace any library beside it.
# Usage: imports_test.sh OBJDUMP KVU_EXE
set -uo pipefail
objdump=$1 exe=$2
allowed="ADVAPI32.DLL COMCTL32.DLL GDI32.DLL KERNEL32.DLL MSVCRT.DLL OLE32.DLL SHELL32.DLL
USER32.DLL VERSION.DLL WININET.DLL"
imports=$("$objdump" -p "$exe" | sed -n 's/^\s*DLL Name: //p' | tr '[:lower:]' '[:upper:]')
[ -n "$imports" ] || { echo "FAIL: no import table read from $exe"; exit 1; }
status=0
for dll in $imports; do
    if ! grep -qw "$dll" <<<"$allowed"; then
        echo "FAIL: $exe imports $dll"
        status=1
    fi
done
[ $status -eq 0 ] && echo "PASS: imports only system DLLs:" $imports
exit $status
