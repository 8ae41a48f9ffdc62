#!/bin/sh
# One session of movie scripts under Wine on this machine, which is either
# the host itself or the emulated machine: a private PulseAudio server with
# a null sink "marlow" as the default playback device and its monitor as the
# default capture device, so that what is played into the sink is what a
# capture records.
#
#   sound-session.sh INPUT OUTPUT
#
# INPUT holds marlowhost.exe, Marlowtide.x32, steps.sh and whatever the
# steps use (the unpacked package in package/, when there is one). It is
# copied to a local folder first: Wine does not load programs reliably from
# the emulated machine's shared folder. steps.sh is
# sourced there and uses the functions below; results go to OUTPUT.
# Everything started here is stopped by its pid on the way out, pass or fail.
set -u
input=$(cd "$1" && pwd)
output=$2
mkdir -p "$output"
output=$(cd "$output" && pwd)
work=$(mktemp -d "${TMPDIR:-/tmp}/marlow-session.XXXXXX")
export XDG_RUNTIME_DIR="$work/runtime"
started=""   # pids to stop at the end, in order

stop_started() {
    for pid in $started; do
        kill "$pid" 2>/dev/null
    done
    for pid in $started; do
        # A server that does not go within 5 s is killed outright.
        tries=0
        while kill -0 "$pid" 2>/dev/null && [ $tries -lt 50 ]; do
            sleep 0.1
            tries=$((tries + 1))
        done
        kill -9 "$pid" 2>/dev/null
    done
    started=""
}

finish() {
    status=$?
    stop_started
    if [ -f "$XDG_RUNTIME_DIR/pulse/pid" ]; then
        pulse=$(cat "$XDG_RUNTIME_DIR/pulse/pid")
        kill "$pulse" 2>/dev/null
        sleep 0.5
        kill -9 "$pulse" 2>/dev/null
    fi
    cd /
    rm -rf "$work"
    exit $status
}
trap finish EXIT
trap 'exit 130' INT TERM

note() { echo "session: $*"; }

milliseconds() { echo $(( $(date +%s%N) / 1000000 )); }

# ---- the sound server -------------------------------------------------------
mkdir -m 700 "$XDG_RUNTIME_DIR"
unset DISPLAY
# Wine takes its ANSI code page (1252 for this locale) and the reading of
# the sound server's UTF-8 device names from the locale; C.UTF-8 is the one
# every machine here has.
export LANG=C.UTF-8 LC_ALL=C.UTF-8
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEPREFIX="${WINEPREFIX:-$HOME/.wine}"

pulseaudio -n --daemonize=yes --exit-idle-time=-1 --log-target=stderr \
    -L module-native-protocol-unix -L module-cli-protocol-unix -L "module-null-sink sink_name=marlow" \
    2>"$work/pulseaudio.log" \
    || { cat "$work/pulseaudio.log"; exit 1; }
pactl set-default-sink marlow
pactl set-default-source marlow.monitor

# silence_into_sink LATENCY [SINK]: plays silence into the sink (the default
# one, or SINK) until stopped, with a buffer of LATENCY ms; the player's pid
# is left in $looped.
looped=""
silence_into_sink() {
    pacat --raw --latency-msec="$1" --format=s16le --rate=44100 --channels=1 ${2:+--device="$2"} < /dev/zero &
    looped=$!
    started="$started $looped"
}

# sine_into_sink HZ SINK: a half-scale sine the sound server makes itself,
# mixed into SINK as the sink plays, so that it has no gap however late a
# program of the machine is (a player of ours was, in the emulated machine,
# and its sink played silence meanwhile). Its module index is left in
# $sine.
sine=""
sine_into_sink() {
    sine=$(pactl load-module module-sine sink="$2" frequency="$1")
}

# A null sink's monitor delivers in blocks of the shortest latency any
# stream of the sink asks for, and of 2 s when none does: a capture would
# start 1 to 2 s late. So each sink has a stream of silence with a short
# buffer for as long as it lives; should the player be held up, only
# silence is missing.
silence_into_sink 20
device_latency=100

# ---- what steps.sh uses -------------------------------------------------------
# play_tone HZ: the tone the default device hears, until stop_tone.
tone_module=""
play_tone() {
    stop_tone
    sine_into_sink "$1" marlow
    tone_module=$sine
}
stop_tone() {
    if [ -n "$tone_module" ]; then
        pactl unload-module "$tone_module"
        tone_module=""
    fi
}

# add_capture_device SINK DESCRIPTION HZ: one more capture device, the
# monitor of a new null sink SINK, listed under DESCRIPTION (any UTF-8 text,
# spaces included; pactl's module arguments refuse spaces, pacmd sets it
# afterwards), hearing a tone of HZ until remove_capture_device. What it
# needs is left in $work/modules/SINK.*. Its player of silence costs the
# emulated machine: add devices only for the runs that use them.
add_capture_device() {
    mkdir -p "$work/modules"
    pactl load-module module-null-sink sink_name="$1" > "$work/modules/$1.sink" || return 1
    pacmd update-source-proplist "$1.monitor" "device.description=\"$2\"" || return 1
    sine_into_sink "$3" "$1" || return 1
    echo "$sine" > "$work/modules/$1.sine"
    silence_into_sink "$device_latency" "$1"
    echo "$looped" > "$work/modules/$1.player"
}

# add_sequence_device SINK DESCRIPTION RATE FILE: a capture device like
# add_capture_device whose sink runs at RATE, 16-bit stereo, and hears
# nothing but FILE (a WAV file of that format), once play_sequence SINK
# starts it. The sound server plays it from its own memory, so no client of
# ours can fall behind it, at full volume and the sink's own format, so
# nothing resamples or scales it. About 16 MB is the most the server takes.
add_sequence_device() {
    mkdir -p "$work/modules"
    pactl load-module module-null-sink sink_name="$1" rate="$3" format=s16le channels=2 \
        > "$work/modules/$1.sink" || return 1
    pacmd update-source-proplist "$1.monitor" "device.description=\"$2\"" || return 1
    pactl upload-sample "$4" "$1-sequence" || return 1
    silence_into_sink "$device_latency" "$1"
    echo "$looped" > "$work/modules/$1.player"
}
play_sequence() { pactl play-sample "$1-sequence" "$1"; }

# ---- devices that go away ------------------------------------------------------
# Each notes when it struck, in ms after the line the steps last waited for
# (wait_for_line), in OUTPUT/NAME.loss of the running movie.
note_loss() { echo $(( $(milliseconds) - ${line_seen:-0} )) > "$output/$movie_name.loss"; }

# remove_capture_device SINK: the device is pulled out, its sink first, so
# that its monitor hears the tone to the end. PulseAudio moves an unloaded
# sink's streams to another sink, so its tone and player go right after.
remove_capture_device() {
    pactl unload-module "$(cat "$work/modules/$1.sink")"
    [ ! -f "$work/modules/$1.sine" ] || pactl unload-module "$(cat "$work/modules/$1.sine")"
    kill "$(cat "$work/modules/$1.player")" 2>/dev/null
}

# lose_playback: the Windows programs' playback streams (all but the
# session's own players) are cut off, as when their device goes away
# (unloading the default sink would only move them to another). Each is
# first parked for half a second on a suspended sink, where it cannot
# underrun: Wine 8.0 aborts (an assertion in libpulse's pa_stream_write)
# when a stream is cut off between an underrun and its next write, which
# the emulated machine met about once in eight runs.
lose_playback() {
    streams=$(pactl list sink-inputs | awk '/^Sink Input #/ { id = substr($3, 2) }
            /application.name = / && !/"(pacat|paplay)"/ { print id }')
    parking=$(pactl load-module module-null-sink sink_name=parking)
    pactl suspend-sink parking 1
    for stream in $streams; do pactl move-sink-input "$stream" parking; done
    sleep 0.5
    for stream in $streams; do pacmd kill-sink-input "$stream"; done
    note_loss
    pactl unload-module "$parking"
}

# Plays a WAV file once, in the background, with a deep buffer: in the
# emulated machine a player can be held up for longer than 20 ms.
play_file() {
    paplay --latency-msec=500 "$1" &
    started="$started $!"
}

# run_movie NAME SCRIPT [marlowhost options...]: runs SCRIPT in a folder of
# its own; its transcript (standard output and error, as marlowhost prints
# them) goes to OUTPUT/NAME.out, its exit status to NAME.rc and its run time
# to NAME.ms, and the WAV and text files it wrote (members and trace logs
# included) to OUTPUT/NAME/.
run_movie() {
    start_movie "$@"
    finish_movie
}

# run_in_folder NAME SCRIPT FOLDER [options...]: run_movie, with FOLDER (any
# UTF-8 name) made in the run's folder first, for the movie to write into.
run_in_folder() {
    run_name=$1
    run_script=$2
    mkdir -p "$work/runs/$run_name/$3"
    shift 3
    run_movie "$run_name" "$run_script" "$@"
}

# run_packaged NAME SCRIPT: the same with the packaged marlowhost.exe in
# package/, which finds its Xtra in the Xtras folder beside it.
program="$work/marlowhost.exe"
run_packaged() {
    program="$work/package/marlowhost.exe"
    run_movie "$@"
    program="$work/marlowhost.exe"
}

# start_movie NAME SCRIPT [options...]: the same, in the background, so that
# the steps can wait for a line of its transcript (wait_for_line) and then
# play into the sink; finish_movie waits for its end. One at a time. A movie
# still running after movie_limit seconds (300 unless the steps say) hangs.
movie_limit=300
movie_name=""
movie_pid=""
start_movie() {
    movie_name=$1
    script=$2
    shift 2
    mkdir -p "$work/runs/$movie_name"
    cp "$work/$script" "$work/runs/$movie_name/"
    movie_begin=$(milliseconds)
    (cd "$work/runs/$movie_name" && exec timeout "$movie_limit" wine "$program" "$@" "$(basename "$script")") \
        > "$output/$movie_name.out" 2>&1 &
    movie_pid=$!
    started="$started $movie_pid"
}

# sample_memory FILE: until the running movie ends, every 100 ms, appends to
# FILE the step the movie last put ("step: NAME"), its program's private
# data (VmData, kB: what it has committed, Wine's heaps included) and the
# peak of its resident anonymous memory since the step began (kB: VmHWM
# less file pages, reset at each step). The program is the child of the
# movie's timeout named marlowhost.exe: the timeout's first children are
# short-lived helpers of the shell.
sample_memory() {
    last=""
    while kill -0 "$movie_pid" 2>/dev/null; do
        program_pid=$(cat "/proc/$movie_pid/task/$movie_pid/children" 2>/dev/null | cut -d' ' -f1)
        if [ -n "$program_pid" ] && grep -q '^Name:.*marlowhost' "/proc/$program_pid/status" 2>/dev/null; then
            step=$(tr -d '\r' < "$output/$movie_name.out" | sed -n 's/^-- "step: \(.*\)"$/\1/p' | tail -n 1)
            if [ "$step" != "$last" ]; then
                echo 5 > "/proc/$program_pid/clear_refs" 2>/dev/null
                last=$step
            fi
            awk -v step="$step" '/^VmData:/ { data = $2 } /^VmHWM:/ { peak = $2 } /^RssFile:/ { file = $2 }
                END { if (data != "") print step "|" data "|" peak - file }' "/proc/$program_pid/status" >> "$1" 2>/dev/null
        fi
        sleep 0.1
    done
}

# Waits, at most 60 s, until the running movie has printed a line holding TEXT.
wait_for_line() {
    tries=0
    while ! grep -q "$1" "$output/$movie_name.out" 2>/dev/null; do
        kill -0 "$movie_pid" 2>/dev/null && [ $tries -lt 600 ] || { note "$movie_name never printed $1"; return 1; }
        sleep 0.1
        tries=$((tries + 1))
    done
    line_seen=$(milliseconds)
}

# A program that fails under Wine waits in Wine's debugger, or hangs when
# it failed inside the sound driver (an assertion in libpulse): it crashed.
# It is stopped as soon as Wine says so, and Wine's lines about it go to
# OUTPUT/NAME.crash.
finish_movie() {
    while kill -0 "$movie_pid" 2>/dev/null; do
        if grep -a -q -E '^wine: (Unhandled|Assertion failed)' "$output/$movie_name.out" 2>/dev/null; then
            grep -a -E 'Assertion|^wine: Unhandled' "$output/$movie_name.out" > "$output/$movie_name.crash"
            for child in $(cat "/proc/$movie_pid/task/$movie_pid/children" 2>/dev/null); do kill -9 "$child"; done
            note "$movie_name crashed: $(tail -n 1 "$output/$movie_name.crash")"
            break
        fi
        sleep 0.2
    done
    wait "$movie_pid"
    echo $? > "$output/$movie_name.rc"
    echo $(( $(milliseconds) - movie_begin )) > "$output/$movie_name.ms"
    mkdir -p "$output/$movie_name"
    (cd "$work/runs/$movie_name" && find . \( -name '*.wav' -o -name '*.txt' \) -exec cp --parents {} "$output/$movie_name/" \;)
    note "$movie_name: exit $(cat "$output/$movie_name.rc") after $(cat "$output/$movie_name.ms") ms"
}

# ---- the session ------------------------------------------------------------------
cp -R "$input/." "$work/"
cd "$work"
# A Wine server of our own, started before anything else of Wine's, so that
# it is stopped by its pid like the others.
mkdir -p "$WINEPREFIX"
wineserver -f -p &
started="$started $!"
sleep 1
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    note "making the Wine prefix $WINEPREFIX"
    WINEARCH=win32 wineboot -i >/dev/null 2>&1
fi
# Wine's first start loads and registers what it needs; not part of any run.
wine cmd /c exit 0 >/dev/null 2>&1
sleep 2
. "$work/steps.sh"
