#!/bin/sh
# Runs the Windows tier's session: build/win32/marlowhost.exe with
# build/win32/Marlowtide.x32 under Wine, recording real sound from a
# private sound server, on this host or in the emulated machine
# (tools/wine/machine.sh). The checks (wine_checks) read what it leaves.
#
#   run-session.sh KIND PLAN OUTPUT [PACKAGE]
#
# KIND is direct, emulated or auto (the probe chooses). PLAN is "all" (every
# scenario, the golden scripts, playback) or "one-recording" (the short
# check of the emulated machine on hosts that run Wine directly). With
# PACKAGE, the zip of make dist, the plan "all" also runs an example with the
# packaged marlowhost.exe and Xtra, unpacked.
set -eu
root=$(cd "$(dirname "$0")/../.." && pwd)
here="$root/tests/wine"
kind=$1
plan=$2
output=$3
package=${4:-}
input="$root/build/wine/input-$plan"
# What can be installed decides the route: the input first, which installs.
"$root/tools/wine/machine.sh" input "$input"
[ "$kind" = auto ] && kind=$("$root/tools/wine/machine.sh" kind)
rm -rf "$output"
mkdir -p "$output"
cp "$here"/scenarios/*.ls "$input/"
# Random walks of Lingo calls that the model of the Xtra checks afterwards
# (tools/model: wine.walk), a few hundred calls on the default device.
if [ "$plan" = all ]; then
    python3 "$root/tools/model/walk.py" wine-generate "$input" --walks 6 \
        ${MARLOWTIDE_WALK_SEED:+--seed "$MARLOWTIDE_WALK_SEED"}
fi
# The 440 Hz tone the playback run plays once, for 4 s, at half scale.
sox -n -r 44100 -c 1 -b 16 "$input/tone440.wav" synth 4 sine 440 vol 0.5
# The known sequences the sample runs' devices hear, 24 s of each.
for rate in 44100 48000; do python3 "$here/make-sequence.py" "$input/reference-$rate.wav" $rate 24; done

steps="$input/steps.sh"
cat > "$steps" <<'STEPS'
play_tone 1000
sleep 3
run_movie take take.ls --save-members members
cp "$WINEPREFIX/drive_c/marlow-trace.txt" "$output/take/" 2>/dev/null || true
STEPS
if [ "$plan" = all ]; then
    # Capture devices exist only for the runs that use them: in the
    # emulated machine every device's players slow everything else down.
    cat >> "$steps" <<'STEPS'
run_movie levels levels.ls
run_movie formats formats.ls
run_movie devices devices.ls
run_movie bad-input bad-input.ls
run_movie refusals refusals.ls --save-members members
. ./walk-steps.sh
add_capture_device mic_de "Mikrofon (USB-Audiogerät)" 550
add_capture_device mic_es "Micrófono (Dispositivo de audio USB)" 850
add_capture_device mic_ja "マイク (USB オーディオ)" 1250
sleep 2
# Two folders of 80 katakana inside, for a path of 200 Japanese characters:
# a Linux file name holds 255 bytes, 85 katakana.
k80=$(printf 'テ%.0s' $(seq 80))
run_in_folder text-12 text-12.ls "Jürgen-テイク-🎙/$k80/$k80" --director-version 12.0
run_in_folder text-8 text-8.ls "Jürgen" --director-version 8.5
for sink in mic_de mic_es mic_ja; do remove_capture_device $sink; done
# What each device records; the headset pulled out during a take and
# during metering, and back; the playback stream cut off; a 60 s take.
add_capture_device headset "Headset Microphone" 440
add_capture_device linein "Line In" 700
add_capture_device cable "Virtual Cable" 1500
sleep 2
run_movie device-tones device-tones.ls
for loss in recording metering; do
    start_movie loss-$loss loss-$loss.ls
    wait_for_line "\"$loss\"" && sleep 2 && { remove_capture_device headset; note_loss; }
    wait_for_line "waiting for the device" && add_capture_device headset "Headset Microphone" 440
    finish_movie
done
start_movie loss-playback loss-playback.ls
wait_for_line '"playing"' && sleep 1 && lose_playback
finish_movie
for sink in headset linein cable; do remove_capture_device $sink; done
run_movie long-take long-take.ls
# Every sample: known sequences played at the takes' own formats, and a
# tone the server resamples for two more.
add_sequence_device seq44 "Sequence 44100" 44100 reference-44100.wav
add_sequence_device seq48 "Sequence 48000" 48000 reference-48000.wav
add_capture_device tone523 "Tone 523" 523
sleep 2
start_movie samples samples.ls
wait_for_line "ready: Sequence 44100" && play_sequence seq44
wait_for_line "ready: Sequence 48000" && play_sequence seq48
finish_movie
for sink in seq44 seq48 tone523; do remove_capture_device $sink; done
cp reference-*.wav "$output/"
STEPS
    if [ -f "$package" ]; then
        python3 -m zipfile -e "$package" "$input/package"
        echo "run_packaged package-record package/examples/record.ls" >> "$steps"
    fi
    # The golden scripts and examples that ask nothing of the simulator,
    # where Wine runs directly: in the emulated machine each Wine process
    # takes 10 to 30 s to start, and the plan would outgrow its time.
    if [ "$kind" = direct ]; then
        for script in "$root"/tests/scripts/*.ls "$root"/examples/*.ls; do
            name=$(basename "$script" .ls)
            case "$script" in */examples/*) name="example-$name" ;; esac
            args=$(sed -n 's/^-- args:[ ]*//p' "$script" | head -n1)
            case "$args" in *--input*|*--device*|*--clock*) continue ;; esac
            mkdir -p "$input/golden/$name"
            cp "$script" "$input/golden/$name/"
            echo "run_movie golden-$name golden/$name/$(basename "$script") $args" >> "$steps"
        done
    fi
    cat >> "$steps" <<'STEPS'
stop_tone
start_movie playback playback.ls
wait_for_line "waiting for the tone" && play_file tone440.wav
finish_movie
STEPS
fi

echo "run-session: $plan on the $kind machine"
begin=$(date +%s)
status=0
"$root/tools/wine/machine.sh" run "$kind" "$input" "$output" || status=$?
echo "$kind" > "$output/machine"
echo "run-session: $plan on the $kind machine took $(( $(date +%s) - begin )) s (exit $status)"
grep '^session:' "$output/session.log" 2>/dev/null || true
exit $status
