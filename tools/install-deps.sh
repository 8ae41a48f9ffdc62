#!/bin/sh
# Installs what the build and the tests need, from Debian's packages only.
# Run as root on Debian 12; as another user it only reports what is missing.
set -e
need=""
have_pkg() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"; }
for p in cmake ninja-build g++ file libgtest-dev libgmock-dev libbenchmark-dev g++-mingw-w64-i686 sox clang libclang-rt-14-dev; do
    have_pkg "$p" || need="$need $p"
done
[ -z "$need" ] && exit 0
if [ "$(id -u)" != 0 ]; then
    echo "missing packages:$need (run as root to install them)" >&2
    exit 1
fi
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends $need
