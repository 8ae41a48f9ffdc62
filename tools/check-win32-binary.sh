#!/bin/sh
# The product must be a PE32 i386 DLL that exports exactly the five entry
# points, undecorated; marlowhost.exe a PE32 i386 console program that
# exports nothing. Both need only Windows system DLLs.
#
#   check-win32-binary.sh FILE...
set -e
for binary in "$@"; do
    case "$binary" in
        *.exe) kind="PE32 executable (console) Intel 80386"; exports_wanted="" ;;
        *) kind="PE32 executable (DLL).*Intel 80386"
           exports_wanted="DllCanUnloadNow DllGetClassForm DllGetClassInfo DllGetClassObject DllGetInterface " ;;
    esac
    file "$binary" | grep -q "$kind" || { echo "$binary: not a $kind" >&2; exit 1; }
    exports=$(i686-w64-mingw32-objdump -p "$binary" | awk '/\[Ordinal\/Name Pointer\] Table/{on=1;next} on&&/^[ \t]*\[/{print $NF} on&&/^$/{on=0}' | sort | tr '\n' ' ')
    [ "$exports" = "$exports_wanted" ] || { echo "$binary: exports are '$exports'" >&2; exit 1; }
    imports=$(i686-w64-mingw32-objdump -p "$binary" | awk '/DLL Name:/{print tolower($3)}' | sort -u)
    for lib in $imports; do
        case "$lib" in
            kernel32.dll|user32.dll|ole32.dll|winmm.dll|dsound.dll|msvcrt.dll|advapi32.dll) ;;
            api-ms-win-*) ;;
            *) echo "$binary: imports $lib, which is not a Windows system DLL" >&2; exit 1 ;;
        esac
    done
    echo "$binary: $(file -b "$binary" | cut -d, -f1), exports '${exports% }', system imports only ($(echo $imports))"
done
