"""The model of one Marlowtide object in a movie, written from docs/lingo.md.

It never runs the Xtra. Given the calls so far, the time that has passed and
the input signal, it says for each call what the answer may be, which reports
come and how often, and what every save leaves on disk. Where the docs leave a
choice open, the model takes every choice they allow: a step may leave several
possible worlds, and the answers seen keep only those that agree with them
(see checker.py). Each open choice is named where it is taken.
"""
import copy
import math
from dataclasses import dataclass, replace

from .expect import AnyError, Exact, Expect, Levels, OneOf, Pattern, error_text, f32, rate_display
from .lingo import PropList, Symbol
from .platform import BADFORMAT, INVALIDPARAM, NODRIVER, NOTAVAILABLE, WINDOWS_PATH_UNITS, ZERO_GUID, utf16_units

TOO_LONG_PATH = "Could not create sound file: the name is too long"
CHARACTER_REFUSED = "Could not create sound file: the name has a character Windows cannot take"
CAPTURE_LOST = "Audio capture device lost: the take keeps what was recorded before"
METERING_LOST = "Audio capture device lost: level metering stopped"
PLAYBACK_LOST = "Audio playback device lost: playback stopped"
BUSY = "Audio device busy reporting an error"
STALL_LIMIT_MS = 4000
RESTART_AFTER_MS = 2000
SHORTEST_BUFFER_MS = 10
FIRST_LEVEL_WAIT_MS = 1000
COMING_BACK_WAIT_MS = 4000
IDLE_TICK_MS = 16
RECORDING_WINDOW_MS = 50
HANDLER_NAME_CHARS = 99
MEMBER_NAME_BYTES = 499
VERSION = r"xtra Marlowtide --\(WINTEL Release build\) -- version \d+\.\d+\.\d+\(U\)\(S\)\n"
LEVEL_WARNING = "You must enable GSIL or be capturing to get a sound level"
START_HELP = "You must first start a capture"
NO_TAKE_HELP = "Have you captured some audio?"
DEFAULT_LOG = "c:\\Marlowtide_XtraLog.txt"
CAPTURE_BUFFER_TEXTS = {
    -2147024882: "Out of memory", -2147467259: "Gerneric error", -2147024809: "Invalid param",
    -2005401590: "Resource already allocated", -2005401550: "Invalid call (DSERR_INVALIDCALL)",
    -2005401500: "Bad format", -2005401480: "No driver", -2005401430: "Uninitialized",
    -2004287484: "Device lost", -2004287473: "Device not available",
}
# What a method that needs the device answers while the engine reports a
# failure: the queries 0, these no value, the others the busy failure.
BUSY_ZERO = {"IsAudioOpen", "RecordingNow", "IsGsilActive", "IsSoundPlaying"}
BUSY_VOID = {"StopGetInputLevel", "GetFormat", "FindAudioCaptureDevices"}
NO_DEVICE = {"new", "forget", "GetVersionString", "FindAllAudioCompressors", "ShowErrorsAsDialogs",
             "PrivateGlobal", "PrivateInstance"}


def code_text(code):
    """The message of a capture buffer DirectSound refused."""
    if code in CAPTURE_BUFFER_TEXTS:
        return "Could not create capture buffer:" + CAPTURE_BUFFER_TEXTS[code]
    unsigned = code & 0xFFFFFFFF
    return "Some other (%x s:%x f:%x c:%d) " % (unsigned, 0xFFFFFFFF if code < 0 else 0,
                                               (unsigned >> 16) & 0xFFFF, unsigned & 0xFF)


@dataclass(frozen=True)
class Fmt:
    """A format a capture records in: PCM that a WAV header holds."""
    bits: int
    channels: int
    rate: int

    def block(self):
        return self.bits // 8 * self.channels

    def byte_rate(self):
        return self.block() * self.rate

    def frames(self, ms):
        return max(0, ms) * self.rate // 1000


@dataclass(frozen=True)
class Take:
    tid: int
    fmt: Fmt
    lo: int          # frames, at least
    hi: int          # frames, at most
    heard_playback: bool = False  # may hold a playback heard by the capture device


@dataclass(frozen=True)
class Capture:
    """A recording (looping False) or level metering (looping True)."""
    looping: bool
    start: int
    length_ms: int           # the recording's maximum, or the metering window
    fmt: Fmt
    device: int
    delivers_from: object    # when the first sample came, None while nothing comes
    restarted: bool = False
    last_frames: int = 0      # captured at the Xtra's last look
    last_change: int = 0
    frozen_at: object = None  # the device went away then
    loss_code: int = 0
    first_level_read: bool = False

    def full_frames(self):
        return self.fmt.frames(self.length_ms)

    def buffer_frames(self):
        block = self.fmt.block()
        # Any buffer for audio holds at least one of Wine's 10 ms packets.
        ms = abs(self.length_ms)
        ms = max(ms, SHORTEST_BUFFER_MS) if ms else 0
        buffer = ms * self.fmt.byte_rate() // 1000 + 200
        return buffer // block if block else 0

    def captured(self, t):
        """Frames captured by t, never more than the maximum of a recording."""
        frames = self.delivered(t)
        return frames if self.looping else min(frames, self.full_frames())

    def delivered(self, t):
        """Frames the device delivered by t, the spare bytes of the buffer included."""
        if self.delivers_from is None:
            return 0
        end = t if self.frozen_at is None else min(t, self.frozen_at)
        return self.fmt.frames(end - self.delivers_from)

    def delivered_range(self, t, p):
        """(least, most) frames delivered by t on the real clock: the first packet
        may come late, packets come whole, calls and idle moments take time."""
        if p.manual_clock or self.delivers_from is None:
            return (self.delivered(t), self.delivered(t))
        span = t - self.delivers_from
        return (self.fmt.frames(span - p.late_start_ms - 2 * p.packet_ms - p.slack_ms),
                self.fmt.frames(span + p.packet_ms + p.slack_ms))

    def captured_range(self, t, p):
        lo, hi = self.delivered_range(t, p)
        return (lo, hi) if self.looping else (min(lo, self.full_frames()), min(hi, self.full_frames()))


@dataclass(frozen=True)
class Play:
    start: int
    duration_ms: float          # at least
    longest_ms: float = 0       # at most, where the take's length is open
    frozen_at: object = None
    loss_code: int = 0
    last_look: int = 0
    last_change: int = 0


class Obj:
    """One Marlowtide object."""

    def __init__(self, serial=0):
        self.serial = serial
        self.dialogs = True
        self.trace = False
        self.threshold = 50
        self.routing = False
        self.handler = "Marlowtide_InternalError"
        self.log_on = False
        self.open_dev = None      # the device open, by its place in the list
        self.open_id = None       # and as DirectSound knows it: its GUID, zero for the default
        self.seen_lost = None     # the device this object last saw go, until a buffer is made
        self.cap_made = None      # when its capture object was made; None when it has none
        self.cap_never = False    # that object never delivers
        self.play_made = None     # when its playback object was made; None when lost
        # The format set, for the next recording: as the movie gave it, the
        # rate in whole samples a second.
        self.bits = 16
        self.channels = 1
        self.rate = 11025
        self.cap = None
        self.play = None
        self.take = None
        self.play_copy = False
        self.depth = 0            # inside the internal-error handler
        self.in_e = False
        self.in_i = False


class World:
    """Everything the model keeps: the process, the simulated machine, the object."""

    def __init__(self, platform, config):
        self.platform = platform
        self.config = config
        self.now = 0
        self.warned = False
        self.members = {}         # (castlib, lower name) -> (slot, name, take)
        self.files = {}           # path -> take, from the last "Ok" save
        self.logs = set()         # paths a trace log may have been written to
        self.next_tid = 1
        self.cap_state = ["present"] * len(platform.devices)
        self.cap_losses = [()] * len(platform.devices)
        self.play_state = "present"
        self.play_losses = ()
        self.never = 0
        self.wide = False         # the simulator takes 24- and 32-bit samples
        self.seq = 0              # orders losses and objects made in the same millisecond
        self.faults = ()          # (call, code, always)
        self.obj = None
        self.events = []
        self.lost_now = None
        self.step_calls = 0
        self.trace_changed = False
        self.heard_until = 0      # a capture device may hear this object's playback until then

    def clone(self):
        w = copy.copy(self)
        w.members = dict(self.members)
        w.files = dict(self.files)
        w.logs = set(self.logs)
        w.cap_state = list(self.cap_state)
        w.cap_losses = list(self.cap_losses)
        w.obj = copy.copy(self.obj) if self.obj else None
        w.events = list(self.events)
        return w

    def key(self):
        """What tells two worlds apart: worlds alike in it have the same future (see merge)."""
        o = self.obj
        okey = tuple(sorted(o.__dict__.items())) if o else None
        return (self.now, self.warned, tuple(sorted(self.members.items())), tuple(sorted(self.files.items())),
                tuple(sorted(self.logs)), tuple(self.cap_state), tuple(self.cap_losses), self.play_state,
                self.play_losses, self.never, self.wide, self.seq, self.faults, okey, tuple(self.events),
                self.trace_changed, self.heard_until)


class Chooser:
    """Replays one path through the model's open choices; records new ones."""

    def __init__(self, path):
        self.path = path
        self.at = 0
        self.pending = []

    def choose(self, name, options):
        options = list(options)
        if len(options) == 1:
            return options[0]
        if self.at < len(self.path):
            pick = self.path[self.at]
        else:
            pick = 0
            self.pending.extend(self.path[:self.at] + [i] for i in range(1, len(options)))
            self.path = self.path + [0]
        self.at += 1
        return options[pick]


def merge(worlds):
    """One world for each key."""
    merged = {}
    for w in worlds:
        merged.setdefault(w.key(), w)
    return list(merged.values())


def explore(world, action):
    """Every world action may leave, each a clone of world changed by action(w, chooser)."""
    results = []
    paths = [[]]
    while paths:
        path = paths.pop()
        w = world.clone()
        c = Chooser(list(path))
        action(w, c)
        results.append(w)
        paths.extend(c.pending)
    return results


class Model:
    """The rules. Each method of the Xtra is one function here, acting on a
    World w with a Chooser c for the choices the docs leave open."""

    def __init__(self, platform, config):
        self.p = platform
        self.config = config
        self.handlers = config.get("handlers", {})
        self.defined = {"marlowtide_internalerror", "enginefailed"}

    def start(self):
        return World(self.p, self.config)

    # ---- small helpers
    def emit(self, w, event):
        w.events.append(event)

    def report_error(self, w, c, description, help_text):
        """A report to Marlowtide_XtraError, then its message box."""
        o = w.obj
        self.emit(w, ("E", description, help_text))
        action = self.handlers.get("E")
        if action and not o.in_e:
            o.in_e = True
            result = self.call(w, c, action, [], nested=True)
            o = w.obj
            o.in_e = False
            self.emit(w, ("EN", result))
        if w.obj.dialogs and self.p.prints_boxes:
            self.emit(w, ("box", "Marlowtide:Error", help_text))

    def internal(self, w, c, message, code):
        """A failure inside the engine, to the internal-error handler while routing is on."""
        o = w.obj
        if not o.routing or o.depth > 0:
            return
        if o.handler[:HANDLER_NAME_CHARS].lower() not in self.defined:
            return
        self.emit(w, ("I", message, code, w.now))
        action = self.handlers.get("I")
        if action and not o.in_i:
            o.in_i = True
            o.depth += 1
            result = self.call(w, c, action, [], nested=True)
            w.obj.depth -= 1
            w.obj.in_i = False
            self.emit(w, ("IN", result))

    def unknown_failure(self, w, name, pattern=".*"):
        """A refusal whose text the docs leave to DirectSound; the engine reports it as it likes."""
        self.emit(w, ("I*",))
        return AnyError(name, pattern)

    def own_failure(self, w, c, message):
        """A refusal of the object itself, not of its engine: it may reach the
        internal-error handler or not (the docs promise only the engine's)."""
        if c.choose("an object's own failure may reach the internal-error handler", [False, True]):
            self.internal(w, c, message, -1)
        return Exact(error_text(message, -1))

    def fail(self, w, c, message, code):
        """An engine failure: routed, and answered as its text."""
        self.internal(w, c, message, code)
        return Exact(error_text(message, code))

    def new_take(self, w, fmt, lo, hi, c):
        """A take of lo to hi frames; None for no frames. Where it may have none, c chooses."""
        if hi <= 0:
            return None
        if lo <= 0 and c.choose("a take that may hold nothing", ["none", "some"]) == "none":
            return None
        w.next_tid += 1
        began = w.now - hi * 1000 / fmt.rate - self.p.slack_ms
        return Take(w.next_tid, fmt, max(lo, 1), hi, heard_playback=w.heard_until > began)

    def device_lost_since(self, w, device, made):
        return made is not None and any(t >= made for t, _ in w.cap_losses[device])

    def active_fault(self, w, call):
        for name, code, always in w.faults:
            if name == call:
                return code, always
        return None

    def consume_fault(self, w, call):
        """The injected failure of the next DirectSound `call`, or None."""
        found = self.active_fault(w, call)
        if found and not found[1]:
            w.faults = tuple(f for f in w.faults if f[0] != call)
        return found[0] if found else None

    @staticmethod
    def moment(w):
        w.seq += 1
        return w.seq

    def make_capture_object(self, w):
        o = w.obj
        o.cap_made = self.moment(w)
        o.cap_never = w.never > 0
        w.never = max(0, w.never - 1)

    # ---- the capture, as the Xtra looks at it
    def look(self, w, c, kind):
        """The Xtra looks at a running capture (an idle moment, or a call that
        asks about it). Ends it when it is full, past its deadline or lost."""
        o = w.obj
        cap = o.cap
        if cap is None:
            return
        t = w.now
        # A device that has delivered nothing for 2 s is started once more, afresh,
        # in the capture's own format; a restart that fails ends it as a loss.
        if cap.delivered(t) == 0 and not cap.restarted and t - cap.start >= RESTART_AFTER_MS:
            refused = self.consume_fault(w, "DirectSoundCaptureCreate")
            if w.cap_state[cap.device] != "present":
                refused = refused or NODRIVER
            if not refused:
                # A fresh capture object is made; its buffer may still be refused.
                self.make_capture_object(w)
                buffer_fault = self.active_fault(w, "CreateCaptureBuffer")
                if buffer_fault and buffer_fault[1]:
                    refused = buffer_fault[0]
            if refused:
                o.cap = replace(cap, frozen_at=cap.frozen_at if cap.frozen_at is not None else t)
                self.lose_capture(w, c, refused)
                return
            cap = replace(cap, restarted=True, delivers_from=None if o.cap_never else t, last_change=t,
                          last_frames=0, frozen_at=None, loss_code=0)
            o.cap = cap
            return
        frames = cap.captured(t)
        if cap.frozen_at is not None:
            if cap.loss_code != -1:
                self.lose_capture(w, c, cap.loss_code)
                return
            if frames > cap.last_frames:
                cap = replace(cap, last_change=t)
            stood = t - cap.last_change
            if stood > STALL_LIMIT_MS + 1 or (stood >= STALL_LIMIT_MS - 1 and
                                              c.choose("a position stood still for the limit", [True, False])):
                o.cap = cap
                self.lose_capture(w, c, -1)
                return
        elif cap.delivers_from is None and cap.restarted:
            stood = t - cap.last_change
            if stood > STALL_LIMIT_MS + 1 or (stood >= STALL_LIMIT_MS - 1 and
                                              c.choose("nothing delivered for the limit", [True, False])):
                self.lose_capture(w, c, -1)
                return
        elif frames > cap.last_frames:
            cap = replace(cap, last_change=t)
        cap = replace(cap, last_frames=frames)
        o.cap = cap
        if cap.looping or kind == "level":
            return
        if not self.p.manual_clock:
            least, most = cap.delivered_range(t, self.p)
            if least >= cap.full_frames() or (most >= cap.full_frames() and
                                              c.choose("the maximum reached, on the real clock", [True, False])):
                self.end_recording(w, c, cap.full_frames())
            return
        past = t - cap.start > abs(cap.length_ms) + STALL_LIMIT_MS
        full = cap.delivers_from is not None and t - cap.delivers_from >= abs(cap.length_ms) and \
            (cap.frozen_at is None or frames >= cap.full_frames())
        maybe_full = frames >= cap.full_frames() and not full
        if past or full or (maybe_full and c.choose("the maximum reached to the frame", [True, False])):
            self.end_recording(w, c, frames)

    def end_recording(self, w, c, frames):
        self.end_take(w, self.new_take(w, w.obj.cap.fmt, frames, frames, c))

    @staticmethod
    def end_take(w, take):
        """A take that has ended is held once: its capture goes, and the
        capture object with it; the next start makes a fresh one."""
        o = w.obj
        o.cap = None
        o.take = take
        o.cap_made = None
        o.play_copy = False

    def lose_capture(self, w, c, code):
        """The loss of a running capture: reported once, the take keeps what came
        before. The object remembers the device it saw go (see refuse_start)."""
        o = w.obj
        cap = o.cap
        if cap.looping:
            message = METERING_LOST
            self.end_take(w, None)
        else:
            message = CAPTURE_LOST
            lo = cap.last_frames
            hi = cap.captured(cap.frozen_at if cap.frozen_at is not None else w.now)
            self.end_take(w, self.new_take(w, cap.fmt, lo, max(lo, hi), c))
        o.seen_lost = o.open_id
        self.internal(w, c, message, code)
        w.lost_now = (message, code)

    def look_playback(self, w, c):
        o = w.obj
        play = o.play
        if play is None:
            return
        t = w.now
        end = play.start + play.duration_ms * self.p.play_speed[0] - self.p.slack_ms
        last = play.start + max(play.longest_ms, play.duration_ms) * self.p.play_speed[1] + self.p.slack_ms
        if play.frozen_at is not None:
            if play.loss_code != -1:
                self.lose_playback(w, c, play.loss_code)
                return
            position = min(t, play.frozen_at)
            if position > min(play.last_look, play.frozen_at):
                play = replace(play, last_change=t)
            o.play = play = replace(play, last_look=t)
            stood = t - play.last_change
            if stood > STALL_LIMIT_MS + 1 or (stood >= STALL_LIMIT_MS - 1 and
                                              c.choose("playback stood still for the limit", [True, False])):
                self.lose_playback(w, c, -1)
            return
        o.play = replace(play, last_look=t, last_change=t)
        if t >= last + 1 or (t >= end - 1 and c.choose("the take played to its end", [True, False])):
            o.play = None
            # The copy in the sound buffer goes with the playback: the next
            # PlaySound copies the take afresh.
            o.play_copy = False

    def lose_playback(self, w, c, code):
        o = w.obj
        o.play = None
        o.play_made = None
        o.play_copy = False
        self.internal(w, c, PLAYBACK_LOST, code)
        w.lost_now = (PLAYBACK_LOST, code)

    def idle_tick(self, w, c):
        if w.obj is None:
            return
        if w.obj.cap is not None:
            self.look(w, c, "idle")
        self.look_playback(w, c)

    # ---- a step of the walk
    def call(self, w, c, method, args, nested=False, at_end=None):
        """One call of a method; answers the Expect of its result. at_end: the
        clock when the call returned, for a call that may wait."""
        o = w.obj
        w.step_calls += 1
        w.lost_now = None
        if not nested:
            w.allowed_elapsed = (0, 0)
            w.at_end = at_end
        if o.depth > 0 and method not in NO_DEVICE:
            # Inside the internal-error handler: refused, to the caller only.
            if method in BUSY_ZERO:
                return Exact(0)
            if method in BUSY_VOID:
                return Exact(None)
            return Exact(error_text(BUSY, -1))
        # A nested call answers its own caller; the call it runs inside keeps its answer.
        return getattr(self, "m_" + method)(w, c, args)

    # ---- the methods
    def m_GetVersionString(self, w, c, args):
        return Pattern(VERSION, "the version banner")

    def m_FindAllAudioCompressors(self, w, c, args):
        return Exact("Not implemented yet")

    def m_PrivateGlobal(self, w, c, args):
        return Exact(None)

    def m_ShowErrorsAsDialogs(self, w, c, args):
        w.obj.dialogs = integer(arg(args, 0)) == 1
        return Exact("Ok")

    def m_PrivateInstance(self, w, c, args):
        o = w.obj
        mode = integer(arg(args, 0))
        a, b = arg(args, 1), arg(args, 2)
        if mode == 1:
            if integer(a) is not None:
                o.routing = integer(a) != 0
            if isinstance(b, str) and not isinstance(b, Symbol):
                o.handler = self.p.host_text(b)
        elif mode == 2:
            if integer(a) is not None:
                o.trace = (integer(a) & 0xFF) != 0
                w.trace_changed = True
            if integer(b) is not None:
                o.threshold = integer(b)
                w.trace_changed = True
        elif mode == 3:
            if integer(a) is not None and integer(a) != int(o.log_on):
                o.log_on = (integer(a) & 0xFF) != 0
                path = DEFAULT_LOG
                if isinstance(b, str) and not isinstance(b, Symbol):
                    path = b
                if o.log_on:
                    # Written whole, or not at all (a path Windows cannot take).
                    w.logs.add(path)
        elif mode == 255:
            return Exact("This is not a debug build - NOT VALID HERE")
        return Exact("Ok")

    def m_IsAudioOpen(self, w, c, args):
        return Exact(int(w.obj.open_dev is not None))

    def m_GetFormat(self, w, c, args):
        o = w.obj
        return Exact(PropList([(Symbol("SampleSize"), o.bits), (Symbol("NumberOfChannels"), o.channels),
                               (Symbol("CompressionType"), ""), (Symbol("SampleRate"), rate_display(o.rate))]))

    @staticmethod
    def set_format(w, bits, channels, khz):
        """The format as set: what is not given stays (the rate as GetFormat reads it)."""
        o = w.obj
        o.rate = samples_a_second(rate_display(o.rate) if khz is None else khz)
        o.bits = o.bits if bits is None else bits
        o.channels = o.channels if channels is None else channels

    def m_SetFormat(self, w, c, args):
        props = arg(args, 0)
        usable = False
        bits = channels = khz = None
        if isinstance(props, PropList):
            bits = integer(props.get("SampleSize"))
            channels = integer(props.get("NumberOfChannels"))
            rate = props.get("SampleRate")
            khz = float(rate) if number(rate) else None
            compression = props.get("CompressionType")
            usable = bits is not None or channels is not None or khz is not None or \
                (isinstance(compression, str) and not isinstance(compression, Symbol))
        if not usable:
            return self.own_failure(w, c, "SetFormat did not contain any vaild data")
        self.set_format(w, bits, channels, khz)
        return Exact("Ok")

    def m_SetSampleRate(self, w, c, args):
        value = arg(args, 0)
        if number(value):
            self.set_format(w, None, None, float(value))
        return Exact("Ok")

    def m_SetBitsPerSample(self, w, c, args):
        if integer(arg(args, 0)) is not None:
            self.set_format(w, integer(arg(args, 0)), None, None)
        return Exact("Ok")

    def m_SetChannels(self, w, c, args):
        if integer(arg(args, 0)) is not None:
            self.set_format(w, None, integer(arg(args, 0)), None)
        return Exact("Ok")

    def listed(self, w):
        return [(i, d) for i, d in enumerate(self.p.devices) if w.cap_state[i] != "removed"][:11]

    def m_FindAudioCaptureDevices(self, w, c, args):
        if self.consume_fault(w, "CaptureEnumerate"):
            return Exact(None)
        if not self.p.devices_known:
            return DeviceList()
        return Exact([PropList([(Symbol("DeviceName"), self.p.listed_name(d.name)),
                                (Symbol("GUID"), d.guid_text()), (Symbol("Module"), d.module)])
                      for _, d in self.listed(w)])

    def m_OpenAudio(self, w, c, args):
        o = w.obj
        name = self.text_argument(w, c, args, "Invalid parameter supplied", "The paramter to this should be a string")
        if name is None:
            return Exact("Ok")
        if o.open_dev is not None:
            return self.fail(w, c, "Device already open", -1)
        code = self.consume_fault(w, "CoInitialize")
        if code:
            return self.fail(w, c, "Could not initialise COM", code)
        refused = self.refuse_playback_object(w, c)
        if refused:
            return refused
        device = 0
        if name != "":
            host = self.p.host_text(name)
            device = None
            for i, d in self.listed(w):
                if self.p.listed_name(d.name) == host or guid_matches(host, d.guid_text()):
                    device = i
            if device is None:
                return self.fail(w, c, "Cannot find user supplied audio capture device", -1)
        if not self.p.devices:
            return self.fail(w, c, "Cannot access audio capture device", NODRIVER)
        code = self.consume_fault(w, "DirectSoundCaptureCreate") or \
            (NODRIVER if w.cap_state[device] != "present" else None)
        if code:
            return self.fail(w, c, "Cannot access audio capture device", code)
        o.open_dev = device
        o.open_id = self.p.devices[device].guid_text().upper() if name != "" else ZERO_GUID
        self.make_capture_object(w)
        o.play_made = self.moment(w)
        return Exact("Ok")

    def refuse_playback_object(self, w, c):
        """Why a DirectSound object for playback cannot be made, as an Expect, or None."""
        code = self.consume_fault(w, "DirectSoundCreate") or (NODRIVER if w.play_state != "present" else None)
        if code:
            return self.fail(w, c, "Could not access Direct Sound", code)
        code = self.consume_fault(w, "SetCooperativeLevel")
        if code:
            return self.fail(w, c, "Could not set co-op level", code)
        return None

    def m_CloseAudio(self, w, c, args):
        o = w.obj
        w.lost_now = None
        if o.play is not None:
            self.look_playback(w, c)
            o.play = None
        lost = w.lost_now
        if o.cap is not None:
            self.stop_capture(w, c)
        lost = w.lost_now or lost
        # CloseAudio lets the take go with the capture that held it.
        o.take = None
        o.open_dev = None
        o.open_id = None
        o.cap_made = None
        o.play_made = None
        o.play_copy = False
        return Exact(error_text(*lost)) if lost else Exact("Ok")

    def stop_capture(self, w, c):
        """Stops the running capture where it is; the take is what it captured."""
        o = w.obj
        cap = o.cap
        if cap.frozen_at is not None and cap.loss_code != -1:
            self.lose_capture(w, c, cap.loss_code)
            return
        if cap.frozen_at is not None and cap.loss_code == -1 and w.now - cap.frozen_at > STALL_LIMIT_MS and \
                c.choose("a stall noticed by the stop", [True, False]):
            self.lose_capture(w, c, -1)
            return
        least, most = cap.captured_range(w.now, self.p)
        if cap.looping:
            self.end_take(w, self.new_take(w, cap.fmt, 0, min(most, cap.buffer_frames()), c))
        else:
            self.end_take(w, self.new_take(w, cap.fmt, least, most, c))

    def start_capture(self, w, c, length_ms, looping):
        """Starts a recording or metering; answers the failure's Expect or None."""
        o = w.obj
        if o.open_dev is None:
            return self.fail(w, c, "Open device before capturing", -1)
        if o.play is not None:
            return self.fail(w, c, "Cannot capture while playing a captured sound", -1)
        if o.cap is not None and not o.cap.looping:
            return self.fail(w, c, "Already capturing, stop capture before starting a new capture", -1)
        # The Xtra refuses a format no device can take before DirectSound sees
        # it, and before anything else: metering goes on, the take stays.
        fmt = self.recording_format(o)
        if fmt is None:
            return self.fail(w, c, code_text(BADFORMAT), BADFORMAT)
        if o.cap is not None:
            w.lost_now = None
            self.stop_capture(w, c)
            if w.lost_now:
                # Ending metering found its device gone: the start goes no further
                # than a fresh capture object.
                if w.cap_state[o.open_dev] == "present":
                    self.make_capture_object(w)
                    return Exact(error_text(*w.lost_now))
                return self.unknown_failure(w, "a start that found metering's device gone")
        # A refused start is no new recording: the last take stays.
        refusal = self.refuse_start(w, c, fmt, length_ms)
        if refusal is not None:
            return refusal
        o.cap = Capture(looping, w.now, length_ms if looping else abs(length_ms), fmt, o.open_dev,
                        None if o.cap_never else w.now, last_change=w.now)
        o.take = None
        o.play_copy = False
        return None

    @staticmethod
    def recording_format(o):
        """The format set, when any device could record it: a rate of 100 Hz to
        200 kHz, a channel or more, 8, 16, 24 or 32 bits, a frame of at most
        65535 bytes and at most 4 GB a second (the docs' "Bad format" paragraph);
        else None."""
        fmt = Fmt(o.bits, o.channels, o.rate)
        if 100 <= o.rate <= 200000 and o.channels >= 1 and o.bits in (8, 16, 24, 32) and \
                fmt.block() <= 0xFFFF and fmt.byte_rate() <= 0xFFFFFFFF:
            return fmt
        return None

    def fresh_capture_object(self, w):
        """A fresh capture object on the open device; the code DirectSound
        refuses it with, or None."""
        code = self.consume_fault(w, "DirectSoundCaptureCreate") or \
            (NODRIVER if w.cap_state[w.obj.open_dev] != "present" else None)
        if code:
            w.obj.cap_made = None
        else:
            self.make_capture_object(w)
        return code

    def refuse_start(self, w, c, fmt, length_ms):
        """Why DirectSound refuses to start this capture, as an Expect, or None."""
        o = w.obj
        device = o.open_dev
        if o.cap_made is None and self.fresh_capture_object(w):
            # The last take let its capture object go; the device is still away.
            return self.unknown_failure(w, "a device still away refuses a fresh capture object")
        # The buffer: the failure injected, the device, the buffer's size, the format.
        fault = self.active_fault(w, "CreateCaptureBuffer")
        if fault:
            self.consume_fault(w, "CreateCaptureBuffer")
        # One failure is met by a second try: only one that lasts refuses the buffer.
        refused = fault[0] if fault and fault[1] else None
        if refused is None and (w.cap_state[device] != "present" or self.device_lost_since(w, device, o.cap_made)):
            refused = NOTAVAILABLE
        if refused == NOTAVAILABLE:
            # An object made before its device went away stays broken: a fresh one is tried.
            if self.fresh_capture_object(w):
                return self.unknown_failure(w, "a device that is away refuses a fresh capture object")
            refused = fault[0] if fault and fault[1] else None
            if refused == NOTAVAILABLE and o.seen_lost == o.open_id:
                # A device this object saw go may not be ready at once: the start
                # waits for it, at most 4 s, and then gives up.
                w.now += COMING_BACK_WAIT_MS
                w.allowed_elapsed = (COMING_BACK_WAIT_MS, COMING_BACK_WAIT_MS + IDLE_TICK_MS)
        if refused:
            return self.fail(w, c, code_text(refused), refused)
        def format_refused():
            takes = self.p.takes_format(fmt.bits, fmt.channels, fmt.rate, w.wide)
            return takes is False or (takes is None and c.choose("a format this driver may refuse", [False, True]))

        if self.p.format_refused_first and format_refused():
            return self.fail(w, c, code_text(BADFORMAT), BADFORMAT)
        codes = self.p.buffer_refusal(abs(length_ms) * fmt.byte_rate() // 1000 + 200)
        if codes is None:
            if c.choose("a buffer the driver may refuse", [False, True]):
                return self.unknown_failure(w, "a maximum too long for the memory the driver has")
        elif len(codes) > 1:
            self.emit(w, ("I*",))
            return OneOf([Exact(error_text(code_text(code), code)) for code in codes],
                         "a maximum too long for the memory it has")
        elif codes:
            return self.fail(w, c, code_text(codes[0]), codes[0])
        if not self.p.format_refused_first and format_refused():
            return self.fail(w, c, code_text(BADFORMAT), BADFORMAT)
        o.seen_lost = None
        code = self.consume_fault(w, "CaptureStart")
        if code:
            return self.fail(w, c, "Could not start capture", code)
        return None

    def m_StartRecording(self, w, c, args):
        length = arg(args, 0)
        if type(length) is not int:
            self.report_error(w, c, "Invalid parameter supplied", "The paramter to this should be a number to "
                              "indicate the maximum duration for the capture in milliseconds")
            return Exact("Ok")
        refused = self.start_capture(w, c, length, False)
        return refused or Exact("Ok")

    def m_RecordingNow(self, w, c, args):
        o = w.obj
        if o.cap is not None and not o.cap.looping:
            self.look(w, c, "call")
        return Exact(int(w.obj.cap is not None and not w.obj.cap.looping))

    def m_StopRecording(self, w, c, args):
        o = w.obj
        if o.open_dev is None:
            answer = self.fail(w, c, "No open device or capture", -1)
        elif o.cap is not None and not o.cap.looping:
            w.lost_now = None
            self.stop_capture(w, c)
            answer = Exact(error_text(*w.lost_now)) if w.lost_now else Exact("Ok")
        else:
            # Also during level metering: metering goes on until StopGetInputLevel.
            answer = self.fail(w, c, "No capture to stop", -1)
        if answer.value != "Ok":
            self.report_error(w, c, answer.value, START_HELP)
        return answer

    def m_StartGetInputLevel(self, w, c, args):
        o = w.obj
        window = integer(arg(args, 0))
        window = 50 if window is None else window
        if o.cap is not None and o.cap.looping:
            return Exact(None)
        if o.open_dev is not None and o.play is None and o.cap is not None:
            return Exact(None)
        if o.open_dev is not None and o.play is not None:
            answer = self.fail(w, c, "Cannot Enable GSIL while playing a sound", -1)
        else:
            answer = self.start_capture(w, c, window, True)
        if answer is None:
            return Exact(None)
        self.report_error(w, c, answer.value if isinstance(answer, Exact) else answer, START_HELP)
        return answer

    def m_StopGetInputLevel(self, w, c, args):
        o = w.obj
        if o.cap is not None and o.cap.looping:
            self.stop_capture(w, c)
        return Exact(None)

    def m_IsGsilActive(self, w, c, args):
        return Exact(int(w.obj.cap is not None and w.obj.cap.looping))

    def m_GetInputLevel(self, w, c, args):
        o = w.obj
        if o.cap is not None:
            w.lost_now = None
            self.look(w, c, "level")
            if w.lost_now:
                return self.level_failure(w, c, error_text(*w.lost_now))
        cap = o.cap
        if cap is None:
            return self.level_failure(w, c, self.fail(w, c, LEVEL_WARNING, -1).value)
        fmt = cap.fmt
        if not cap.first_level_read:
            # The first level of a capture waits, at most a second, for its first samples.
            o.cap = cap = replace(cap, first_level_read=True)
            w.allowed_elapsed = (0, FIRST_LEVEL_WAIT_MS + 4)
            if getattr(w, "at_end", None) is not None and w.at_end - w.now <= FIRST_LEVEL_WAIT_MS + 4:
                w.now = w.at_end
        window_ms = RECORDING_WINDOW_MS if not cap.looping else cap.length_ms
        if window_ms <= 0:
            bounds = (0, 32768) if window_ms < 0 else (0, 0)
            return Levels(bounds, bounds if fmt.channels > 1 else (0, 0), "a window of no length")
        least, most = cap.delivered_range(w.now, self.p)
        least, most = min(least, cap.buffer_frames()), min(most, cap.buffer_frames())
        lo_window = (fmt.byte_rate() // 1000) * window_ms // fmt.block()
        hi_window = -(-window_ms * fmt.rate // 1000)
        signal = self.p.input_signal()
        bits = 8 if fmt.bits == 8 else 16
        left = signal.level_bounds(min(lo_window, least), min(hi_window, most), fmt.rate, bits)
        if not self.p.manual_clock or (not cap.looping and cap.delivered(w.now) >= cap.buffer_frames()):
            # A buffer started once that has filled may read its position as 0 again.
            left = (0, left[1])
        if w.now - window_ms - self.p.slack_ms < w.heard_until:
            # The signal and a take played back, heard together.
            left = (0, 128 if bits == 8 else 32768)
        right = left if fmt.channels > 1 else (0, 0)
        return Levels(left, right, "the mean magnitude of the window's samples")

    def level_failure(self, w, c, text):
        if not w.warned:
            w.warned = True
            self.report_error(w, c, text, "You must first StartGSIL")
        return Exact(text)

    def m_PlaySound(self, w, c, args):
        o = w.obj
        answer = self.start_playback(w, c)
        if not (isinstance(answer, Exact) and answer.value == "Ok"):
            text = answer.value if isinstance(answer, Exact) else answer
            self.report_error(w, c, text, text)
        return answer

    def start_playback(self, w, c):
        o = w.obj
        if o.open_dev is None:
            return self.fail(w, c, "Open device before playing", -1)
        if o.play is not None:
            return self.fail(w, c, "Already playing the sound", -1)
        if o.cap is not None and o.cap.looping:
            self.stop_capture(w, c)
        recording = o.cap is not None
        if (recording and c.choose("PlaySound during a recording: the take being replaced",
                                   ["copy", "none"]) == "none") or (not recording and o.take is None):
            return self.fail(w, c, "No sound to play", -1)
        lost_since = [kind for seq, kind in w.play_losses if o.play_made is not None and seq >= o.play_made]
        if o.play_made is None:
            # Its playback object went with a lost device: a fresh one is made.
            refused = self.refuse_playback_object(w, c)
            if refused:
                return refused
            o.play_made = self.moment(w)
            o.play_copy = False
        elif lost_since:
            options = ["refused", "frozen"] + (["fresh"] if w.play_state == "present" else [])
            old = c.choose("a playback object made before its device went away", options)
            if old == "refused":
                return self.unknown_failure(w, "a playback object made before its device went away")
            if old == "frozen":
                # It plays on the old object, which does not move: a loss found later.
                o.play = Play(w.now, 0, frozen_at=w.now, loss_code=-1 if lost_since[0] == "stalled" else NODRIVER,
                              last_look=w.now, last_change=w.now)
                self.emit(w, ("I*",))
                return Exact("Ok")
            o.play_made = self.moment(w)
            o.play_copy = False
        if recording:
            self.internal(w, c, "Cannot play a sound while still capturing", -1)
            return self.fail(w, c, "Problem during copying from record to play", -1)
        if not o.play_copy:
            # The copy: a sound buffer (DirectSound's failure, then its size), then the take read.
            code = self.consume_fault(w, "CreateSoundBuffer")
            if not code and o.take.lo * o.take.fmt.block() < 4 and (
                    o.take.hi * o.take.fmt.block() < 4 or c.choose("a take too short for a sound buffer",
                                                                   [True, False])):
                code = INVALIDPARAM
            if code:
                self.internal(w, c, "Problem during create sound buffer", code)
                return self.fail(w, c, "Problem during copying from record to play", -1)
            o.play_copy = True
        code = self.consume_fault(w, "Play")
        if code in (-2005401450, -2005401550, -2147024809, -2005401530):
            return self.fail(w, c, "Problem while trying to start play", code)
        # The take plays in the format it was recorded in.
        take = o.take
        o.play = Play(w.now, take.lo * 1000 / take.fmt.rate, take.hi * 1000 / take.fmt.rate, last_look=w.now,
                      last_change=w.now)
        if self.p.playback_heard_ms:
            w.heard_until = max(w.heard_until, w.now + take.hi * 1000 / take.fmt.rate * self.p.play_speed[1] +
                                self.p.slack_ms + self.p.playback_heard_ms)
        return Exact("Ok")

    def m_IsSoundPlaying(self, w, c, args):
        self.look_playback(w, c)
        if w.obj.play is None:
            # A copy that does not play (its Play refused) goes when asked.
            w.obj.play_copy = False
        return Exact(int(w.obj.play is not None))

    def m_PlayStop(self, w, c, args):
        o = w.obj
        w.lost_now = None
        self.look_playback(w, c)
        o.play = None
        o.play_copy = False
        if w.lost_now:
            return Exact(error_text(*w.lost_now))
        return Exact("Ok")

    def text_argument(self, w, c, args, description, help_text):
        """The first argument as text; None, after its report, when it is not one."""
        value = arg(args, 0)
        if is_text(value):
            return value
        self.report_error(w, c, description, help_text)
        return None

    def m_SaveAsFile(self, w, c, args):
        o = w.obj
        path = self.text_argument(w, c, args, "Invalid parameter, expected a string",
                                  "This paramter must be a file name")
        if path is None:
            return Exact("Ok")
        if o.cap is not None:
            return self.fail(w, c, "Cannot save a sound while still capturing", -1)
        if o.take is None:
            return self.fail(w, c, "No sound to save", -1)
        # A path is used whole or not at all, never cut into the name of another file.
        host = self.p.host_text(path)
        too_long = utf16_units(host) > WINDOWS_PATH_UNITS
        if too_long and "?" in host:
            self.emit(w, ("I*",))
            return OneOf([Exact(error_text(TOO_LONG_PATH, -1)), Exact(error_text(CHARACTER_REFUSED, -1))],
                         "a path too long that holds a ?: either refusal")
        if too_long:
            return self.fail(w, c, TOO_LONG_PATH, -1)
        if "?" in host:
            return self.fail(w, c, CHARACTER_REFUSED, -1)
        status = self.p.file_status(self.config.get("dir_set", {""}), host)
        if status == "no":
            return self.fail(w, c, "Could not create sound file", 57604)
        if status == "maybe" and c.choose("a file the file system may refuse", ["ok", "refused"]) == "refused":
            return self.unknown_failure(w, "a file the file system refuses", "Could not create sound file")
        w.files[host] = o.take
        return Exact("Ok")

    def m_SaveAsMember(self, w, c, args):
        o = w.obj
        name = self.text_argument(w, c, args, "Invalid parameter, expected a string",
                                  "This paramter must be a member name")
        if name is None:
            return Exact("Ok")
        # A name is used whole: one longer than the Xtra reads is refused, never cut.
        host = self.p.host_text(name)
        if len(host.encode("utf-8" if self.p.unicode_host() else "cp1252")) > MEMBER_NAME_BYTES:
            return self.own_failure(w, c, "Could not create new member: the name is too long")
        castlib = 1
        if len(args) > 1 and type(args[1]) is int:
            castlib = args[1]
        if o.cap is not None and not o.cap.looping:
            self.look(w, c, "call")
            if o.cap is not None and not o.cap.looping:
                self.stop_capture(w, c)
        if o.cap is not None:
            self.internal(w, c, "Cannot trim a sound while still capturing", -1)
            self.report_error(w, c, "Ok", NO_TAKE_HELP)
            return Exact("Ok")
        if o.take is None:
            self.internal(w, c, "No sound to trim", -1)
            self.report_error(w, c, "Ok", NO_TAKE_HELP)
            return Exact("Ok")
        if castlib != 1:
            return self.unknown_failure(w, "a cast library the movie does not have", "could not get access to cast")
        key = (castlib, host.lower())
        if key in w.members:
            slot = w.members[key][0]
        else:
            used = {m[0] for k, m in w.members.items() if k[0] == castlib}
            slot = next(s for s in range(1, len(used) + 2) if s not in used)
        w.members[key] = (slot, host, o.take)
        return Exact("Ok")

    def member_info(self, w, name):
        """What memberInfo(name) shows after the step."""
        found = w.members.get((1, self.p.host_text(name).lower()))
        if found is None:
            return Exact(None)
        slot, _, take = found
        return MemberInfo(slot, take.fmt, *self.data_bytes(take))

    @staticmethod
    def data_bytes(take):
        """The bytes of samples a save of the take holds: whole frames."""
        block = take.fmt.block()
        return take.lo * block, take.hi * block

    # ---- objects and the machine
    def new_object(self, w, c):
        if w.obj is not None:
            self.forget(w, c)
        w.obj = Obj(w.next_tid)
        w.next_tid += 1
        w.step_calls += 1

    def forget(self, w, c):
        o = w.obj
        w.step_calls += 1
        if o.open_dev is not None:
            # An object that is going reports to no handler.
            o.routing = False
            if o.play is not None:
                self.look_playback(w, c)
            if o.cap is not None:
                self.stop_capture(w, c)
        w.obj = None

    def simulate(self, w, c, what, args):
        o = w.obj
        if what == "capture":
            device, state = args
            was = w.cap_state[device]
            w.cap_state[device] = state
            if state != "present" and was == "present":
                w.cap_losses[device] = w.cap_losses[device] + ((self.moment(w), state),)
                if o and o.cap is not None and o.cap.device == device and o.cap_made is not None and \
                        o.cap.frozen_at is None:
                    # Objects made before a loss go on as its first kind left them.
                    o.cap = replace(o.cap, frozen_at=w.now, loss_code=NODRIVER if state == "removed" else -1)
        elif what == "playback":
            was = w.play_state
            w.play_state = args[0]
            if args[0] != "present" and was == "present":
                w.play_losses = w.play_losses + ((self.moment(w), args[0]),)
                play = o.play if o else None
                end = play.start + play.duration_ms if play else 0
                last = play.start + max(play.duration_ms, play.longest_ms) if play else 0
                lost_playing = play is not None and play.frozen_at is None and (
                    w.now < end - 1 or (w.now <= last + 1 and c.choose("a playback lost as it ends", [True, False])))
                if lost_playing:
                    o.play = replace(play, frozen_at=w.now, loss_code=NODRIVER if args[0] == "removed" else -1)

        elif what == "never":
            w.never = args[0]
        elif what == "wide":
            w.wide = bool(args[0])
        elif what == "fault":
            call, code, always = args
            w.faults = tuple(f for f in w.faults if f[0] != call) + ((call, code, bool(always)),)
        elif what == "clear":
            w.faults = ()


def arg(args, i):
    return args[i] if i < len(args) else None


def integer(value):
    return value if type(value) is int else None


def number(value):
    return type(value) is int or isinstance(value, float)


def is_text(value):
    return isinstance(value, str) and not isinstance(value, Symbol)


def samples_a_second(khz):
    """The rate kept for a rate set in kHz: read as a float, within 0 and
    4294967 kHz, rounded to whole samples a second."""
    try:
        value = f32(khz)
    except OverflowError:
        value = math.copysign(math.inf, khz)
    if math.isnan(value) or value <= 0:
        return 0
    hz = min(value, 4294967.0) * 1000.0
    whole = math.floor(hz)
    return min(whole + (hz - whole >= 0.5), 0xFFFFFFFF)


def guid_matches(text, guid):
    t = text.strip()
    if t.startswith("{") and t.endswith("}"):
        t = t[1:-1]
    return t.upper() == guid.upper()


class MemberInfo(Expect):
    """memberInfo of a Sound member holding a take, in the take's own format."""

    def __init__(self, slot, fmt, data_lo, data_hi):
        self.slot, self.fmt, self.data_lo, self.data_hi = slot, fmt, data_lo, data_hi

    def matches(self, value):
        if not isinstance(value, PropList):
            return False
        get = value.get
        data = (get("bytes") or 0) - 48
        fmt = self.fmt
        return (get("type") == "sound" and get("number") == self.slot and self.data_lo <= data <= self.data_hi
                and get("sampleRate") == fmt.rate and get("channels") == fmt.channels and get("bits") == fmt.bits
                and get("duration") == data * 1000 // fmt.byte_rate())

    def describe(self):
        return "member %d of %d to %d bytes of samples in %s" % (self.slot, self.data_lo, self.data_hi, self.fmt)


class DeviceList(Expect):
    """FindAudioCaptureDevices on a machine whose devices the model does not
    know: 1 to 11 entries, each with its three texts, the first the default
    device with the zero GUID."""

    def matches(self, value):
        if not isinstance(value, list) or isinstance(value, PropList) or not 1 <= len(value) <= 11:
            return False
        for entry in value:
            if not isinstance(entry, PropList) or [k.lower() for k, _ in entry] != ["devicename", "guid", "module"]:
                return False
            if not all(isinstance(v, str) for _, v in entry):
                return False
        return value[0].get("GUID") == ZERO_GUID

    def describe(self):
        return "1 to 11 devices, the first the default one (a machine whose devices the model does not know)"
