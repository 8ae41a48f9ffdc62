#!/bin/sh
# make demo-sim: records a take with the native marlowhost (examples/record.ls, real time,
# the simulator's 440 Hz tone), keeps it as build/demo/take.wav and as the
# member "take" (build/demo/members/1-take.wav), and draws its spectrogram
# with sox where sox is installed.
set -e
root=$(cd "$(dirname "$0")/../.." && pwd)
build="$root/build/native"
demo="$root/build/demo-sim"
marlowhost="$build/marlowhost"
if [ ! -x "$marlowhost" ]; then
    echo "demo: $marlowhost is missing; build the native preset first (make native)" >&2
    exit 1
fi
mkdir -p "$demo"
cd "$demo"
"$marlowhost" --save-members members "$root/examples/record.ls"

echo
echo "take.wav:          $demo/take.wav"
echo "member \"take\":     $demo/members/1-take.wav"
if command -v sox >/dev/null 2>&1; then
    sox take.wav -n spectrogram -o take.png
    echo "spectrogram:       $demo/take.png"
else
    echo "spectrogram:       skipped (sox is not installed)"
fi
