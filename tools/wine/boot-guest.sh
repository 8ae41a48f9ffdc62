#!/bin/sh
# Boots the emulated machine (built by guest-image.sh) with SHARE as its
# shared folder; the machine runs SHARE/run and powers off. Changes to its
# disk are dropped unless the second argument is "keep". QEMU is stopped by
# its pid when the run does not end within MARLOW_GUEST_LIMIT seconds
# (default 1200) or this script is stopped.
#
#   boot-guest.sh SHARE [keep]
set -u
root=$(cd "$(dirname "$0")/../.." && pwd)
guest="$root/build/wine-guest"
share=$(cd "$1" && pwd)
snapshot="-snapshot"
[ "${2:-}" = keep ] && snapshot=""
limit=${MARLOW_GUEST_LIMIT:-1200}

qemu=""
stop() {
    if [ -n "$qemu" ]; then
        kill "$qemu" 2>/dev/null
        wait "$qemu" 2>/dev/null
    fi
}
trap stop EXIT
trap 'exit 130' INT TERM

# TCG: this host gives no usable KVM. smap=off: QEMU 7.2's SMAP emulation
# faults on Wine's 32-bit iret.
qemu-system-x86_64 -accel tcg -cpu max,smap=off -smp 2 -m 2048 \
    -display none -monitor none -serial "file:$share/console.log" -no-reboot \
    -kernel "$guest/vmlinuz" -initrd "$guest/initrd.img" \
    -append "console=ttyS0 root=/dev/vda rw init=/sbin/marlow-init quiet" \
    -drive "file=$guest/disk.img,format=raw,if=virtio" $snapshot \
    -virtfs "local,path=$share,mount_tag=share,security_model=none,id=share" &
qemu=$!
waited=0
while kill -0 "$qemu" 2>/dev/null; do
    if [ "$waited" -ge "$limit" ]; then
        echo "boot-guest: no end after $limit s; stopping the machine" >&2
        exit 1
    fi
    sleep 1
    waited=$((waited + 1))
done
wait "$qemu"
status=$?
qemu=""
exit $status
