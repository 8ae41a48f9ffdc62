#!/bin/sh
# The figures of the real path: Marlowtide.x32 in marlowhost.exe under Wine
# (on this host or in the emulated machine), recording from a private sound
# server (bench/wine/*.ls): the start and stop of a take and the level's
# lag (latency.ls), the program's memory at every step of a 10-minute take
# (memory.ls), and the longest maximum StartRecording accepts (longest.ls).
# Writes them, each beside its floor or limit, as the section "Under Wine"
# at the end of bench/RESULTS.md.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
cmake --build --preset native --target tone_continuity > /dev/null
input="$root/build/wine/input-bench"
output="$root/build/wine/output-bench"
results="$root/bench/RESULTS.md"
"$root/tools/wine/machine.sh" input "$input"
rm -rf "$output"
cp "$root/bench/wine/latency.ls" "$root/bench/wine/memory.ls" "$root/bench/wine/longest.ls" "$input/"
# Random walks for the model to check: thousands of calls on the default device.
python3 "$root/tools/model/walk.py" wine-generate "$input" --walks 60 > "$input/walks.txt"
# The tone for the first half of the latency run; silence afterwards.
sox -n -r 44100 -c 1 -b 16 "$input/tone.wav" synth 20 sine 1000 vol 0.5
cat > "$input/steps.sh" <<'STEPS'
start_movie latency latency.ls
wait_for_line "ready for the tone" && play_file tone.wav
finish_movie
play_tone 523
sleep 2
movie_limit=3000
start_movie memory memory.ls --save-members members
sample_memory "$output/memory.samples"
finish_movie
movie_limit=300
run_movie longest longest.ls
play_tone 1000
sleep 2
. ./walk-steps.sh
STEPS
kind=$("$root/tools/wine/machine.sh" kind)
"$root/tools/wine/machine.sh" run "$kind" "$input" "$output"

transcript() { tr -d '\r"' < "$output/$1.out"; }
# min / median / max of the numbers on stdin
spread() {
    sort -n | awk '{ v[NR] = $1 } END { if (NR == 0) { print "none"; exit } m = v[int((NR + 1) / 2)]; printf "%d / %d / %d", v[1], m, v[NR] }'
}
# The Nth number of each "-- start:" line.
start_field() { transcript latency | awk -v n="$1" '/^-- start: / { print $(2 + n) }' | spread; }
call=$(start_field 1)
heard=$(start_field 2)
kept=$(start_field 3)
arrived=$(transcript latency | sed -n 's/^-- step: \(-*[0-9]*\) .*/\1/p' | spread)
half=$(transcript latency | sed -n 's/^-- step: \(-*[0-9]*\) \(-*[0-9]*\)$/\2 \1/p' | awk '{ print $1 - $2 }' | spread)

# Memory: per step, the most private data and resident anonymous memory
# seen, in MB above where they stood before the take, and as a multiple of
# the take (10 minutes of 44.1 kHz 16-bit stereo).
take_mb=$(awk 'BEGIN { printf "%.2f", 600 * 176400 / 1000000 }')
memory_rows=$(awk -F'|' -v take="$take_mb" '
    $1 == "" { next }
    $1 == "before" { if ($2 > baseData) baseData = $2; if ($3 > baseRss) baseRss = $3; next }
    !($1 in seen) { seen[$1] = 1; order[++n] = $1 }
    { if ($2 > data[$1]) data[$1] = $2; if ($3 > rss[$1]) rss[$1] = $3 }
    END {
        for (i = 1; i <= n; i++) {
            s = order[i]; d = (data[s] - baseData) * 1.024 / 1000; r = (rss[s] - baseRss) * 1.024 / 1000
            # The host keeps its copy of the member from its save on.
            if (s == "save as a member") hostCopy = take
            printf "| %s | %.1f MB (%.2f x) | %.1f MB (%.2f x) | %.2f x |\n", s, d, d / take, r, r / take, (d - hostCopy) / take
        }
    }' "$output/memory.samples")
recorded=$(transcript memory | sed -n 's/^-- recorded after: //p')
# The long take holds the server's 523 Hz tone: its phase must never jump.
continuity=$("$root/build/native/tests/tone_continuity" "$output/memory/long.wav" | tr '\n' ';' | sed 's/;$//; s/;/; /g')
played=$(transcript memory | sed -n 's/^-- played after: //p')

walks=$(python3 "$root/tools/model/walk.py" wine-check "$input" "$output" | tail -n 1 | sed 's/^wine-check: //')
walk_seed=$(sed -n 's/.*seed \([0-9]*\):.*/\1/p' "$input/walks.txt")

longest_of() { transcript longest | awk -v c="$1" '$2 == "longest:" && $3 == c { print $4 }'; }
refusal_of() { transcript longest | awk -v c="$1" '$2 == "longest:" && $3 == c { $1 = $2 = $3 = $4 = ""; sub(/^ */, ""); print }'; }
longest_row() {
    ms=$(longest_of "$2")
    echo "| $1 | $ms ms ($(awk -v m="$ms" 'BEGIN { printf "%.1f min, %.0f MB", m / 60000, m / 1000 * '"$3"' / 1000000 }')) | $(refusal_of "$2") |"
}

section=$(cat <<SECTION
## Under Wine

Written by \`bench/wine-figures.sh\` (part of \`make bench\`): build/win32/Marlowtide.x32 in marlowhost.exe under Wine 8 on the $kind machine, recording a private PulseAudio server's null sink; min / median / max in milliseconds of GetTickCount. Wine's capture delivers 10 ms packets.

- Date: $(date -u '+%Y-%m-%d %H:%M UTC')

| Figure | Measured (min / median / max) | Floor |
|---|---|---|
| Capture start latency: StartRecording to the first captured packet (the first level above nothing; 11.025 kHz mono, the tone playing), twenty takes | $heard ms | 10 ms: one packet |
| ... of which the StartRecording call itself (a fresh capture object, its buffer, Start) | $call ms | |
| The end of a take stopped a second after its first packet: its length less the time from that packet to the StopRecording call (a take that keeps the packets delivered before the call is at most a packet short) | $kept ms | -10 ms: one packet |
| Level lag, first part: PlaySound of a take of the tone into silence to the first level above nothing on a second object metering the sink (Wine's playback path, then one capture packet) | $arrived ms | 10 ms: one packet, with no playback latency at all |
| Level lag, second part: from that first level to the level above half of the tone's (a 50 ms window) | $half ms | 20 ms: the window half full, in 10 ms packets |

Memory of the program (marlowhost.exe, the Xtra in it) at every step of a 10-minute take at 44.1 kHz 16-bit stereo ($take_mb MB; it recorded for $recorded ms and played for $played ms), above where it stood before the take: the most private data committed (\`VmData\`: Wine's heaps, DirectSound's buffers and ours) and the peak of resident anonymous memory, each also as a multiple of the take. From the member's save on, the host's own copy of the member's sound (1 x, Director's in a real movie) is part of it; the last column leaves it out.

| Step | Private data | Resident (peak) | Private data less the host's copy of the member |
|---|---|---|---|
$memory_rows

The 10-minute take holds a 523 Hz tone the sound server made: the largest change of the interval between its rising zero crossings, per channel, is the largest jump of its phase (a packet lost or repeated moves it by 4.8 samples or more; one sample's step is the limit): $continuity.

Random walks checked against the model of the Xtra (\`tools/model\`, seed $walk_seed): $walks.

The longest maximum \`StartRecording\` accepts in this 32-bit process, found by halving (16-bit):

| Format | Longest maximum accepted | A longer one answers |
|---|---|---|
$(longest_row "11.025 kHz mono" 1 22050)
$(longest_row "44.1 kHz stereo" 2 176400)
SECTION
)
# Everything before an earlier section of ours, without trailing blank lines.
kept_text=$(awk '/^## Under Wine/ { exit } { print }' "$results" 2>/dev/null || true)
printf '%s\n\n%s\n' "$kept_text" "$section" > "$results"
echo "wine-figures: capture start $heard ms (the call $call ms); end $kept ms; first level $arrived ms; then half $half ms (min / median / max)"
echo "$memory_rows"
