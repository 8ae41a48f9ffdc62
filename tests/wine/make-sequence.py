#!/usr/bin/env python3
"""Writes a known pseudo-random sequence as a 16-bit stereo WAV file at full
scale, a different one in each channel, for the sound server to play into a
capture device's sink at the device's own format: a take of it must hold a
stretch of it exactly.

    make-sequence.py FILE RATE SECONDS
"""
import array
import random
import sys
import wave

path, rate, seconds = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
channels = [random.Random(seed) for seed in (1, 2)]
samples = array.array("h", (channel.randint(-32768, 32767) for _ in range(rate * seconds) for channel in channels))
if sys.byteorder != "little":
    samples.byteswap()
with wave.open(path, "wb") as out:
    out.setnchannels(2)
    out.setsampwidth(2)
    out.setframerate(rate)
    out.writeframes(samples.tobytes())
