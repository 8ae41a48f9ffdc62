#!/bin/sh
# The machine that runs Marlowtide.x32 under Wine: this host where it runs
# 32-bit programs and wine32 can be installed, else the emulated machine.
# MARLOW_WINE_MACHINE=emulated (or direct) forces the choice; a forced
# direct route that cannot be had is an error.
#
#   machine.sh kind                       prints the route that will run:
#                                         direct or emulated
#   machine.sh input INPUT                makes INPUT afresh, holding
#                                         build/win32's marlowhost.exe and
#                                         Marlowtide.x32, and installs what
#                                         a session needs
#   machine.sh run KIND INPUT OUTPUT      runs a session (sound-session.sh)
#                                         of INPUT on that kind of machine
set -eu
root=$(cd "$(dirname "$0")/../.." && pwd)
here="$root/tools/wine"

# Written by install.sh when wine32 could not be installed on a host that
# runs 32-bit programs: apt's reason. It is heeded for an hour, so that one
# make test tries the install once and the next day's run tries again.
no_wine32="$root/build/wine/no-wine32"

wine32_refused() {
    [ -f "$no_wine32" ] && [ -n "$(find "$no_wine32" -mmin -60)" ] &&
        ! dpkg-query -W -f='${Status}' wine32:i386 2>/dev/null | grep -q "install ok installed"
}

kind() {
    case "${MARLOW_WINE_MACHINE:-}" in
        emulated) echo emulated ;;
        direct)
            "$here/runs-32-bit.sh" || {
                echo "machine.sh: MARLOW_WINE_MACHINE=direct, but this host runs no 32-bit programs" >&2; exit 1; }
            ! wine32_refused || {
                echo "machine.sh: MARLOW_WINE_MACHINE=direct, but wine32 cannot be installed here: $(cat "$no_wine32")" >&2
                exit 1; }
            echo direct ;;
        *) if "$here/runs-32-bit.sh" && ! wine32_refused; then echo direct; else echo emulated; fi ;;
    esac
}

new_input() {
    for file in marlowhost.exe Marlowtide.x32; do
        [ -f "$root/build/win32/$file" ] || { echo "machine.sh: build/win32/$file is missing (make win32)" >&2; exit 1; }
    done
    "$here/install.sh"
    rm -rf "$1"
    mkdir -p "$1"
    cp "$root/build/win32/marlowhost.exe" "$root/build/win32/Marlowtide.x32" "$1/"
}

run_direct() {
    # Wine's prefix and the sound server's home are the tier's own.
    mkdir -p "$root/build/wine/home" "$2"
    HOME="$root/build/wine/home" WINEPREFIX="$root/build/wine/prefix" WINEARCH=win32 \
        "$here/sound-session.sh" "$1" "$2" > "$2/session.log" 2>&1
}

run_emulated() {
    "$here/guest-image.sh"
    mkdir -p "$root/build/wine"
    share=$(mktemp -d "$root/build/wine/share.XXXXXX")
    trap 'rm -rf "$share"' EXIT
    cp "$here/sound-session.sh" "$share/"
    cp -R "$1" "$share/input"
    cat > "$share/run" <<'RUN'
#!/bin/sh
exec sh /share/sound-session.sh /share/input /share/output
RUN
    chmod +x "$share/run"
    "$here/boot-guest.sh" "$share" || true
    mkdir -p "$2"
    [ -d "$share/output" ] && cp -R "$share/output/." "$2/"
    cp "$share/run.log" "$2/session.log" 2>/dev/null || true
    cp "$share/console.log" "$2/console.log" 2>/dev/null || true
    status=$(cat "$share/run.status" 2>/dev/null || echo 1)
    return "$status"
}

case "${1:-}" in
    kind) kind ;;
    input)
        [ $# -eq 2 ] || { echo "usage: machine.sh input INPUT" >&2; exit 2; }
        new_input "$2" ;;
    run)
        [ $# -eq 4 ] || { echo "usage: machine.sh run KIND INPUT OUTPUT" >&2; exit 2; }
        case "$2" in
            direct) run_direct "$3" "$4" ;;
            emulated) run_emulated "$3" "$4" ;;
            *) echo "machine.sh: no machine of kind '$2'" >&2; exit 2 ;;
        esac ;;
    *) echo "usage: machine.sh kind | machine.sh input INPUT | machine.sh run KIND INPUT OUTPUT" >&2; exit 2 ;;
esac
