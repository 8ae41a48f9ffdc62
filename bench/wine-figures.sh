#!/bin/sh
# The figures of the real path: Marlowtide.x32 in marlowhost.exe under Wine
# (on this host or in the emulated machine), recording from a private sound
# server (bench/wine/latency.ls). Writes them, each beside its floor, as the
# section "Under Wine" at the end of bench/RESULTS.md.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
input="$root/build/wine/input-bench"
output="$root/build/wine/output-bench"
results="$root/bench/RESULTS.md"
"$root/tools/wine/machine.sh" input "$input"
rm -rf "$output"
cp "$root/bench/wine/latency.ls" "$input/"
# The tone for the first half of the run; silence afterwards.
sox -n -r 44100 -c 1 -b 16 "$input/tone.wav" synth 20 sine 1000 vol 0.5
cat > "$input/steps.sh" <<'STEPS'
start_movie latency latency.ls
wait_for_line "ready for the tone" && play_file tone.wav
finish_movie
STEPS
kind=$("$root/tools/wine/machine.sh" kind)
"$root/tools/wine/machine.sh" run "$kind" "$input" "$output"

transcript=$(tr -d '\r"' < "$output/latency.out")
# min / median / max of the numbers on stdin
spread() {
    sort -n | awk '{ v[NR] = $1 } END { if (NR == 0) { print "none"; exit } m = v[int((NR + 1) / 2)]; printf "%d / %d / %d", v[1], m, v[NR] }'
}
call=$(echo "$transcript" | sed -n 's/^-- start: \(-*[0-9]*\) .*/\1/p' | spread)
start=$(echo "$transcript" | sed -n 's/^-- start: -*[0-9]* \(-*[0-9]*\)$/\1/p' | spread)
arrived=$(echo "$transcript" | sed -n 's/^-- step: \(-*[0-9]*\) .*/\1/p' | spread)
half=$(echo "$transcript" | sed -n 's/^-- step: \(-*[0-9]*\) \(-*[0-9]*\)$/\2 \1/p' | awk '{ print $1 - $2 }' | spread)

section=$(cat <<SECTION
## Under Wine

Written by \`bench/wine-figures.sh\` (part of \`make bench\`): build/win32/Marlowtide.x32 in marlowhost.exe under Wine 8 on the $kind machine, recording a private PulseAudio server's null sink, ten runs each; min / median / max in milliseconds of GetTickCount. Wine's capture delivers 10 ms packets.

- Date: $(date -u '+%Y-%m-%d %H:%M UTC')

| Figure | Measured (min / median / max) | Floor |
|---|---|---|
| Capture start latency: StartRecording to the first captured packet (the first level above nothing; 11.025 kHz mono, the tone playing) | $start ms | 10 ms: one packet |
| ... of which the StartRecording call itself (a fresh capture object, its buffer, Start) | $call ms | |
| Level lag, first part: PlaySound of a take of the tone into silence to the first level above nothing on a second object metering the sink (Wine's playback path, then one capture packet) | $arrived ms | 10 ms: one packet, with no playback latency at all |
| Level lag, second part: from that first level to the level above half of the tone's (a 50 ms window) | $half ms | 20 ms: the window half full, in 10 ms packets |
SECTION
)
# Everything before an earlier section of ours, without trailing blank lines.
kept=$(awk '/^## Under Wine/ { exit } { print }' "$results" 2>/dev/null || true)
printf '%s\n\n%s\n' "$kept" "$section" > "$results"
echo "wine-figures: capture start $start ms (the call $call ms); first level $arrived ms; then half $half ms (min / median / max)"
