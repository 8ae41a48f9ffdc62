#!/bin/sh
# make demo: the product itself, build/win32/Marlowtide.x32 in
# build/win32/marlowhost.exe under Wine (on this host, or in the emulated
# machine where this host runs no 32-bit programs), records a sentence that
# espeak-ng speaks into a private sound server, with the live level meter
# moving; plays it back through real DirectSound; keeps it as
# build/demo/take.wav and as the member "take", and draws its spectrogram.
set -e
root=$(cd "$(dirname "$0")/../.." && pwd)
demo="$root/build/demo"
input="$root/build/wine/input-demo"
output="$root/build/wine/output-demo"
"$root/tools/wine/machine.sh" input "$input"
rm -rf "$output" "$demo"
mkdir -p "$demo"
cp "$root/tools/demo/speech.ls" "$input/"
espeak-ng -w "$input/speech.wav" "Marlowtide records this sentence through real DirectSound, under Wine."
# The sentence is spoken once the movie records.
cat > "$input/steps.sh" <<'STEPS'
start_movie demo speech.ls --save-members members
wait_for_line "speak now" && play_file speech.wav
finish_movie
STEPS

kind=$("$root/tools/wine/machine.sh" kind)
echo "demo: Marlowtide.x32 under Wine, on the $kind machine"
"$root/tools/wine/machine.sh" run "$kind" "$input" "$output" || {
    echo "demo: the session failed; see $output/session.log" >&2
    exit 1
}
tr -d '\r' < "$output/demo.out"
cp "$output/demo/take.wav" "$demo/take.wav"
mkdir -p "$demo/members"
cp "$output/demo/members/"*.wav "$demo/members/"
sox "$demo/take.wav" -n spectrogram -o "$demo/take.png"
echo
echo "take.wav:          $demo/take.wav"
echo "member \"take\":     $demo/members/1-take.wav"
echo "spectrogram:       $demo/take.png"
