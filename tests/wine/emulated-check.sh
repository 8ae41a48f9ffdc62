#!/bin/sh
# On a host that runs Wine directly, one real recording in the emulated
# machine; elsewhere the whole session already ran there.
#
#   emulated-check.sh OUTPUT
set -eu
root=$(cd "$(dirname "$0")/../.." && pwd)
output=$1
if [ "$("$root/tools/wine/machine.sh" kind)" = emulated ]; then
    rm -rf "$output"
    mkdir -p "$output"
    echo "the session ran in the emulated machine" > "$output/skipped"
    echo "emulated-check: the session itself ran in the emulated machine"
    exit 0
fi
exec "$root/tests/wine/run-session.sh" emulated one-recording "$output"
