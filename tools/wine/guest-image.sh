#!/bin/sh
# Builds the emulated machine of the Windows tier (where this host runs no
# 32-bit programs, the whole tier runs in it): Debian 12's kernel and
# initrd, and a disk image with wine32, PulseAudio and a Wine prefix made at
# a first boot, under build/wine-guest. Rebuilt only when this recipe or the
# machine's init changes. Needs root, debootstrap, qemu-system-x86 and
# e2fsprogs.
#
#   guest-image.sh [--background]
#
# With --background it builds in a process of its own, logging to
# build/wine/guest-image.log, so that make test can build it beside the
# native suites. Whoever asks for the image meanwhile waits for that build.
set -eu
root=$(cd "$(dirname "$0")/../.." && pwd)
here="$root/tools/wine"
out="$root/build/wine-guest"
if [ "${1:-}" = --background ]; then
    mkdir -p "$root/build/wine"
    setsid "$0" > "$root/build/wine/guest-image.log" 2>&1 < /dev/null &
    echo "guest image: building in the background (build/wine/guest-image.log)"
    exit 0
fi
mkdir -p "$root/build"
exec 9> "$root/build/wine-guest.lock"
flock -n 9 || { echo "guest image: waiting for the build under way"; flock 9; }
recipe=$(cat "$here/guest-image.sh" "$here/guest-init.sh" "$here/../apt-steps.sh" | sha256sum | cut -d' ' -f1)
if [ -f "$out/recipe" ] && [ "$(cat "$out/recipe")" = "$recipe" ]; then
    exit 0
fi

# The mirror this host's apt uses, the only registry there is.
mirror=$(sed -n 's/^URIs: *\([^ ]*\).*/\1/p' /etc/apt/sources.list.d/*.sources 2>/dev/null | grep -m1 '/debian/*$' || true)
[ -n "$mirror" ] || mirror=$(sed -n 's/^deb \(\[[^]]*\] \)*\([^ ]*debian\/*\) .*/\2/p' /etc/apt/sources.list 2>/dev/null | head -n1)
[ -n "$mirror" ] || mirror=http://deb.debian.org/debian

begin=$(date +%s)
rootfs="$out/rootfs"
cleanup() {
    for fs in proc sys dev/pts dev; do
        mountpoint -q "$rootfs/$fs" 2>/dev/null && umount -l "$rootfs/$fs"
    done
    rm -rf "$rootfs"
}
trap cleanup EXIT
rm -rf "$out"
mkdir -p "$out"

# The mirror may be mid-sync: debootstrap and the apt steps in the image are
# tried again as the host's own installs are (tools/apt-steps.sh).
apt_who="guest image"
. "$here/../apt-steps.sh"
try=1
echo "guest image: debootstrap from $mirror"
until debootstrap --variant=minbase --include=linux-image-amd64,pulseaudio,pulseaudio-utils,kmod \
    bookworm "$rootfs" "$mirror" > "$out/debootstrap.log" 2>&1; do
    if [ "$try" -ge "$apt_tries" ]; then
        tail -n 30 "$out/debootstrap.log"
        exit 1
    fi
    echo "guest image: debootstrap failed (try $try of $apt_tries), trying again in $apt_pause s:" \
        "$(grep -E '^(E|W):' "$out/debootstrap.log" | tail -n 1)"
    cleanup
    sleep "$apt_pause"
    try=$((try + 1))
done

# wine32 comes from the i386 architecture. Its one 32-bit install step (glib's
# module cache) cannot run where this host has no 32-bit mode; it is left to
# the first boot, where it can.
echo "guest image: wine32"
apt_get() {
    chroot "$rootfs" env DEBIAN_FRONTEND=noninteractive apt-get "$@"
}
mount -t proc proc "$rootfs/proc"
chroot "$rootfs" dpkg --add-architecture i386
apt_update 2>> "$out/wine.log"
apt_install wine wine32 2>> "$out/wine.log" || echo "guest image: wine32 left a step for the first boot"
umount "$rootfs/proc"
[ -x "$rootfs/usr/lib/wine/wine" ] || { tail -n 30 "$out/wine.log"; exit 1; }
chroot "$rootfs" apt-get clean
rm -rf "$rootfs"/var/lib/apt/lists/*
install -m 755 "$here/guest-init.sh" "$rootfs/sbin/marlow-init"
cp "$rootfs"/boot/vmlinuz-* "$out/vmlinuz"
cp "$rootfs"/boot/initrd.img-* "$out/initrd.img"
mkfs.ext4 -q -L marlow -d "$rootfs" "$out/disk.img" 4G > /dev/null
rm -rf "$rootfs"

# First boot: finish the install and make the Wine prefix, kept in the image.
share="$out/first-boot"
mkdir -p "$share"
cat > "$share/run" <<'RUN'
#!/bin/sh
dpkg --configure -a
WINEARCH=win32 WINEPREFIX=/root/.wine WINEDEBUG=-all wineboot -i
WINEPREFIX=/root/.wine wineserver -w
test -f /root/.wine/system.reg
RUN
chmod +x "$share/run"
echo "guest image: first boot"
"$here/boot-guest.sh" "$share" keep
cat "$share/run.log" >> "$out/first-boot.log" 2>/dev/null || true
[ "$(cat "$share/run.status" 2>/dev/null)" = 0 ] || { echo "guest image: the first boot failed"; tail -n 30 "$out/first-boot.log"; exit 1; }
rm -rf "$share"
echo "$recipe" > "$out/recipe"
echo "guest image: ready in $(( $(date +%s) - begin )) s"
