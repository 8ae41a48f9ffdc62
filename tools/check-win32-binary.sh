#!/bin/sh
# The product must be a PE32 i386 DLL that exports exactly the five entry
# points, undecorated, and needs only Windows system DLLs.
set -e
dll="$1"
file "$dll" | grep -q "PE32 executable (DLL).*Intel 80386" || { echo "$dll: not a PE32 i386 DLL" >&2; exit 1; }
exports=$(i686-w64-mingw32-objdump -p "$dll" | awk '/\[Ordinal\/Name Pointer\] Table/{on=1;next} on&&/^[ \t]*\[/{print $NF} on&&/^$/{on=0}' | sort | tr '\n' ' ')
want="DllCanUnloadNow DllGetClassForm DllGetClassInfo DllGetClassObject DllGetInterface "
[ "$exports" = "$want" ] || { echo "$dll: exports are '$exports'" >&2; exit 1; }
imports=$(i686-w64-mingw32-objdump -p "$dll" | awk '/DLL Name:/{print tolower($3)}' | sort -u)
for lib in $imports; do
    case "$lib" in
        kernel32.dll|user32.dll|ole32.dll|winmm.dll|dsound.dll|msvcrt.dll|advapi32.dll) ;;
        api-ms-win-*) ;;
        *) echo "$dll: imports $lib, which is not a Windows system DLL" >&2; exit 1 ;;
    esac
done
echo "$dll: PE32 i386 DLL, five undecorated exports, system imports only ($(echo $imports | tr '\n' ' '))"
