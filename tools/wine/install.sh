#!/bin/sh
# Installs what running Marlowtide.x32 under Wine needs on this host, from
# Debian's packages only: QEMU and debootstrap for the emulated machine
# (every host boots it at least once), sox and espeak-ng for the sounds
# played into the sink, and, where this host runs 32-bit programs, wine32
# and PulseAudio to run it directly.
set -e
here=$(cd "$(dirname "$0")" && pwd)
set -- qemu-system-x86 debootstrap e2fsprogs sox espeak-ng
if [ "$("$here/machine.sh" kind)" = direct ]; then
    set -- "$@" wine wine32:i386 pulseaudio pulseaudio-utils
fi
exec "$here/../install-deps.sh" "$@"
