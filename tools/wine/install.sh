#!/bin/sh
# Installs what running Marlowtide.x32 under Wine needs on this host, from
# Debian's packages only: QEMU and debootstrap for the emulated machine
# (every host boots it at least once), sox and espeak-ng for the sounds
# played into the sink, and, where this host runs 32-bit programs, wine32
# and PulseAudio to run it directly. Where those cannot be installed (an
# i386 list the mirror cannot serve), the tier runs in the emulated machine
# instead, and this says why in one line.
set -e
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
"$here/../install-deps.sh" qemu-system-x86 debootstrap e2fsprogs sox espeak-ng
kind=$("$here/machine.sh" kind)
[ "$kind" = direct ] || exit 0
log=$(mktemp)
trap 'rm -f "$log"' EXIT
no_wine32="$root/build/wine/no-wine32"
if "$here/../install-deps.sh" wine wine32:i386 pulseaudio pulseaudio-utils 2> "$log"; then
    cat "$log" >&2
    rm -f "$no_wine32"
    exit 0
fi
grep -v 'cannot install' "$log" >&2 || true
reason=$(sed -n 's/^install-deps: //p' "$log" | grep '^cannot install' | head -n 1)
[ -n "$reason" ] || reason="cannot install wine32: $(tail -n 1 "$log")"
if [ "${MARLOW_WINE_MACHINE:-}" = direct ]; then
    echo "install.sh: MARLOW_WINE_MACHINE=direct, but $reason" >&2
    exit 1
fi
mkdir -p "$(dirname "$no_wine32")"
echo "$reason" > "$no_wine32"
echo "Windows tier: this host runs 32-bit programs, but $reason; the tier runs in the emulated machine"
