#!/bin/sh
# PID 1 of the emulated machine: mounts what Wine and PulseAudio need and the
# folder the host shares, runs the host's /share/run, and powers off.
PATH=/usr/sbin:/usr/bin:/sbin:/bin
export PATH
mountpoint -q /proc || mount -t proc proc /proc
mountpoint -q /sys || mount -t sysfs sys /sys
mountpoint -q /dev || mount -t devtmpfs dev /dev
mkdir -p /dev/pts /dev/shm
mount -t devpts devpts /dev/pts
mount -t tmpfs tmpfs /dev/shm
mount -t tmpfs tmpfs /run
mount -t tmpfs tmpfs /tmp
hostname marlow
modprobe 9pnet_virtio
modprobe 9p
mkdir -p /share
if mount -t 9p -o trans=virtio,version=9p2000.L,msize=262144 share /share && [ -x /share/run ]; then
    HOME=/root /share/run > /share/run.log 2>&1
    echo $? > /share/run.status
    sync
    umount /share
else
    echo "marlow-init: no shared folder or no /share/run"
fi
echo o > /proc/sysrq-trigger
sleep 30
