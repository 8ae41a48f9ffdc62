#!/bin/sh
# Installs Debian packages that are missing: the given ones, or with no
# arguments what the build and the tests need. A package of the i386
# architecture (name:i386) adds that architecture first. Run as root on
# Debian 12; as another user it only reports what is missing. A package
# list the mirror cannot serve is a warning (tools/apt-steps.sh); a package
# that cannot be installed is named, and the exit status is 1.
set -e
here=$(cd "$(dirname "$0")" && pwd)
if [ $# -eq 0 ]; then
    set -- cmake ninja-build g++ file libgtest-dev libgmock-dev libbenchmark-dev g++-mingw-w64-i686 sox clang \
        libclang-rt-14-dev cmark-gfm python3-pefile
fi
need=""
have_pkg() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"; }
for p in "$@"; do
    have_pkg "$p" || need="$need $p"
done
[ -z "$need" ] && exit 0
if [ "$(id -u)" != 0 ]; then
    echo "missing packages:$need (run as root to install them)" >&2
    exit 1
fi
apt_who=install-deps
. "$here/apt-steps.sh"
case "$need" in
    *:i386*) dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386 ;;
esac
apt_update
# shellcheck disable=SC2086
apt_install $need > /dev/null
