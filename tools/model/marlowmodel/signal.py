"""What the capture device hears, and the bounds that follow for a level or
for the samples of a take. Levels are mean sample magnitudes on the 16-bit
scale (0 to 32768), or on the 8-bit scale (0 to 128) for 8-bit input."""
import array
import math
import struct
from fractions import Fraction
from functools import lru_cache

FULL_SCALE = 32767


class Signal:
    """silence, sine:FREQ[:AMP], square:FREQ[:AMP] or noise[:AMP], as marlowhost's --input."""

    def __init__(self, text, passband=None):
        # passband: a tone above this fraction of the capture's rate reaches it
        # through a resampler's low-pass filter, anywhere from filtered out to
        # aliased at its full level (None: sampled as it is).
        self.passband = passband
        parts = text.split(":")
        self.text = text
        self.kind = parts[0]
        self.frequency = float(parts[1]) if self.kind in ("sine", "square") else 0.0
        rest = parts[2:] if self.kind in ("sine", "square") else parts[1:]
        self.amplitude = float(rest[0]) if rest else (0.5 if self.kind != "silence" else 0.0)
        if self.kind == "silence":
            self.amplitude = 0.0

    def peak(self):
        return round(min(max(self.amplitude, 0.0), 1.0) * FULL_SCALE)

    def filtered(self, rate):
        """True when this rate's resampler decides what is left of the tone."""
        return (self.passband is not None and self.kind in ("sine", "square")
                and self.frequency > self.passband * rate)

    def step(self, rate):
        """Cycles per sample, folded into [0, 1)."""
        return (self.frequency / rate) % 1.0 if rate > 0 else 0.0

    def mean_magnitude(self, frames_lo, frames_hi, rate):
        """(low, high) of the mean magnitude, on the 16-bit scale, over any
        window of frames_lo to frames_hi frames at any phase."""
        if frames_hi <= 0:
            return (0.0, 0.0)
        peak = self.peak()
        if self.kind == "silence" or peak == 0:
            return (0.0, 0.0)
        if self.filtered(rate):
            return (0.0, float(peak))
        lo, hi = math.inf, -math.inf
        for n in _samples_of_range(max(frames_lo, 0), frames_hi):
            if n == 0:
                lo, hi = min(lo, 0.0), max(hi, 0.0)
                continue
            if self.kind == "square":
                a, b = 1.0, 1.0
            elif self.kind == "noise":
                spread = 5 * 0.2887 / math.sqrt(n)
                a, b = max(0.0, 0.5 - spread), min(1.0, 0.5 + spread)
            else:
                a, b = _sine_mean_bounds(n, round(self.step(rate), 9))
            lo, hi = min(lo, a * peak), max(hi, b * peak)
        return (lo, hi)

    def level_bounds(self, frames_lo, frames_hi, rate, bits):
        """The level GetInputLevel may answer, with a little room for rounding."""
        lo, hi = self.mean_magnitude(frames_lo, frames_hi, rate)
        lo, hi = lo * 0.99 - 2, hi * 1.01 + 2
        if bits == 8:
            lo, hi = lo / 256 - 1, hi / 256 + 1
        return (max(0, math.floor(lo)), math.ceil(hi))


def _samples_of_range(lo, hi):
    if hi - lo <= 8:
        return range(lo, hi + 1)
    return sorted({lo, hi, (lo + hi) // 2, lo + 1, hi - 1, (3 * lo + hi) // 4, (lo + 3 * hi) // 4})


@lru_cache(maxsize=4096)
def _sine_mean_bounds(n, step):
    """(low, high) of the mean of |sin(2 pi (phase + i step))| over i < n, any phase."""
    if step == 0.0:
        return (0.0, 0.0)
    ratio = Fraction(step).limit_denominator(2000)
    periodic = abs(float(ratio) - step) < 1e-9
    if n <= 600 or periodic:
        # Brute force over the phase; a periodic sequence repeats after q
        # samples, so a whole period at phases within one step tells the rest.
        whole = periodic and n > ratio.denominator
        count = ratio.denominator if whole else n
        span = 1.0 / ratio.denominator if whole else 1.0
        phases = 64 if whole else 96
        means = []
        for j in range(phases + 1):
            phase = span * j / phases
            means.append(sum(abs(math.sin(2 * math.pi * (phase + i * step))) for i in range(count)) / count)
        room = max(abs(a - b) for a, b in zip(means, means[1:]))
        if whole:
            room += ratio.denominator / n
        return (max(0.0, min(means) - room), min(1.0, max(means) + room))
    folded = min(step, 1.0 - step)
    periods = n * folded
    room = 2.0 / max(periods, 1.0) + 0.005
    return (max(0.0, 2 / math.pi - room), min(1.0, 2 / math.pi + room))


class Wav:
    """A RIFF/WAVE file or image, read chunk by chunk."""

    def __init__(self, data):
        self.valid = False
        self.problem = ""
        self.chunks = []
        if len(data) < 12 or data[:4] != b"RIFF" or data[8:12] != b"WAVE":
            self.problem = "not a RIFF/WAVE file"
            return
        self.riff_size = struct.unpack_from("<I", data, 4)[0]
        pos = 12
        fmt = None
        self.data = None
        while pos + 8 <= len(data):
            name = data[pos:pos + 4]
            size = struct.unpack_from("<I", data, pos + 4)[0]
            body = data[pos + 8:pos + 8 + size]
            self.chunks.append((name.decode("latin-1"), size))
            if name == b"fmt " and fmt is None:
                fmt = body
            elif name == b"data" and self.data is None:
                self.data = body
                if len(body) < size:
                    self.problem = "the data chunk says %d bytes but the file holds %d" % (size, len(body))
                    return
            pos += 8 + size + (size & 1)
        if fmt is None or len(fmt) < 16 or self.data is None:
            self.problem = "no format or data chunk"
            return
        (self.tag, self.channels, self.rate, self.byte_rate, self.block_align,
         self.bits) = struct.unpack_from("<HHIIHH", fmt, 0)
        self.valid = True

    def format(self):
        return (self.bits, self.channels, self.rate)

    def channel_samples(self, channel):
        """The samples of one channel (0 or 1) on the 16-bit scale's sign, as ints."""
        width = self.bits // 8
        if width not in (1, 2, 3, 4) or self.channels == 0:
            return []
        frames = len(self.data) // (width * self.channels)
        if width == 2:
            samples = array.array("h")
            samples.frombytes(self.data[:frames * 2 * self.channels])
            return samples[channel::self.channels]
        if width == 1:
            return [b - 128 for b in self.data[channel:frames * self.channels:self.channels]]
        out = []
        stride = width * self.channels
        for f in range(frames):
            at = f * stride + channel * width
            out.append(int.from_bytes(self.data[at:at + width], "little", signed=True) >> (8 * (width - 2)))
        return out


def check_samples(wav, signal, channel, exact=True):
    """What is wrong with one channel of a take of this signal, or ''. Not
    exact: a real device's tone, its level within 5 % and its frequency 2 %."""
    samples = wav.channel_samples(channel)
    n = len(samples)
    if n == 0:
        return ""
    rate = wav.rate
    eight = wav.bits == 8
    if signal.kind == "silence" or signal.peak() == 0:
        return "" if not any(samples) else "silence recorded as sound"
    problem = check_shape(samples, signal, rate, eight, exact)
    if problem or signal.filtered(rate):
        return problem
    total = sum(map(abs, samples))
    mean = total / n
    lo, hi = signal.mean_magnitude(n, n, rate)
    lo, hi = (lo * 0.99 - 2, hi * 1.01 + 2) if exact else (lo * 0.95 - 2, hi * 1.05 + 2)
    if eight:
        lo, hi = lo / 256 - 1, hi / 256 + 1
    if not lo <= mean <= hi:
        return "mean magnitude %.1f outside %.1f to %.1f" % (mean, max(lo, 0), hi)
    folded = min(signal.step(rate), 1 - signal.step(rate)) if signal.kind != "noise" else 0.5
    if signal.kind in ("sine", "square") and 0.02 < folded < 0.25 and n * folded >= 4:
        crossings = 0
        last = 0
        for s in samples:
            if s:
                if last and (s > 0) != (last > 0):
                    crossings += 1
                last = s
        expected = 2 * n * folded
        if abs(crossings - expected) > 2 + (0.02 if exact else 0.03) * expected:
            return "%d zero crossings where the tone makes %.0f" % (crossings, expected)
    if signal.amplitude >= 0.05 and (signal.kind == "noise" or 0.02 < folded):
        longest = run = 0
        for s in samples:
            run = run + 1 if s == 0 else 0
            longest = max(longest, run)
        gap = max(4, int(rate * (0.003 if exact else 0.010)))
        if signal.kind == "noise":
            gap = max(gap, 8)
        if longest > gap:
            return "a silent gap of %d samples" % longest
    return ""


def check_shape(samples, signal, rate, eight, exact):
    """Each sample as the signal can make it: never above its peak, a square
    wave at its two values only, a sine never steeper than its frequency allows."""
    peak = signal.peak()
    scale = 256 if eight else 1
    room = 1.0 if exact else 1.1
    top = peak * room / scale + 2
    if max(samples) > top or -min(samples) > top:
        return "a sample beyond the signal's peak %d" % round(top)
    if signal.kind == "square" and exact:
        allowed = {peak // scale, -(-peak // scale), -peak // scale, -(peak // scale)}
        odd = next((x for x in samples if x not in allowed), None)
        if odd is not None:
            return "a sample of %d in a square wave of %d" % (odd, peak // scale)
    if signal.kind == "sine" and not signal.filtered(rate):
        folded = min(signal.step(rate), 1 - signal.step(rate))
        steepest = 2 * math.pi * folded * peak * room / scale + 3
        # A driver's resampler may begin a take with a transient: its first
        # packet (10 ms) is not held to the tone's slope on the real path.
        first = 1 if exact else max(1, int(rate * 0.010))
        for i in range(first, len(samples)):
            if abs(samples[i] - samples[i - 1]) > steepest:
                return "a jump of %d between samples %d and %d, where the tone moves %d at most" % (
                    abs(samples[i] - samples[i - 1]), i - 1, i, steepest)
    return ""
