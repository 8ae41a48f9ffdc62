#!/bin/sh
# The machine that runs Marlowtide.x32 under Wine: this host where it runs
# 32-bit programs, else the emulated machine. MARLOW_WINE_MACHINE=emulated
# (or direct) forces the choice.
#
#   machine.sh kind                       prints direct or emulated
#   machine.sh input INPUT                makes INPUT afresh, holding
#                                         build/win32's marlowhost.exe and
#                                         Marlowtide.x32, and installs what
#                                         a session needs
#   machine.sh run KIND INPUT OUTPUT      runs a session (sound-session.sh)
#                                         of INPUT on that kind of machine
set -eu
root=$(cd "$(dirname "$0")/../.." && pwd)
here="$root/tools/wine"

kind() {
    case "${MARLOW_WINE_MACHINE:-}" in
        direct|emulated) echo "$MARLOW_WINE_MACHINE" ;;
        *) if "$here/runs-32-bit.sh"; then echo direct; else echo emulated; fi ;;
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
