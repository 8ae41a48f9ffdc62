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

from . import known_faults
from .expect import (AnyError, Exact, Expect, Levels, OneOf, Pattern, error_text, rate_display)
from .lingo import PropList, Symbol
from .platform import BADFORMAT, INVALIDPARAM, NODRIVER, WINDOWS_PATH_UNITS, utf16_units

CAPTURE_LOST = "Audio capture device lost: the take keeps what was recorded before"
METERING_LOST = "Audio capture device lost: level metering stopped"
PLAYBACK_LOST = "Audio playback device lost: playback stopped"
BUSY = "Audio device busy reporting an error"
STALL_LIMIT_MS = 4000
RESTART_AFTER_MS = 2000
FIRST_LEVEL_WAIT_MS = 1000
IDLE_TICK_MS = 16
RECORDING_WINDOW_MS = 50
HANDLER_NAME_CHARS = 99
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
    """A recording format as the Xtra keeps it: as a WAV header holds it."""
    bits: int
    channels: int
    rate: int
    block_align: int

    def block(self):
        return self.block_align

    def byte_rate(self):
        return (self.block_align * self.rate) & 0xFFFFFFFF

    def consistent(self):
        return self.block_align == (self.bits // 8) * self.channels and self.block_align * self.rate < 2 ** 32

    def frames(self, ms):
        return max(0, ms) * self.rate // 1000


@dataclass(frozen=True)
class Take:
    tid: int
    fmt: Fmt
    lo: int          # frames, at least
    hi: int          # frames, at most
    half_frame: bool = False   # tolerated: the last frame may be cut
    device: int = 0
    buffer_made: object = None  # when its capture buffer was made; None when the take is held aside


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
    last_look: int = 0
    last_frames: int = 0
    last_change: int = 0
    frozen_at: object = None  # the device went away then
    loss_code: int = 0
    first_level_read: bool = False
    buffer_made: int = 0
    stuck: bool = False      # tolerated: metering left on over a stopped capture

    def full_frames(self):
        return self.fmt.frames(self.length_ms)

    def buffer_frames(self):
        block = self.fmt.block()
        buffer = abs(self.length_ms) * self.fmt.byte_rate() // 1000 + 200
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
        self.open_dev = None
        self.cap_made = None      # when its capture object was made; None when it has none
        self.cap_never = False    # that object never delivers
        self.play_made = None     # when its playback object was made; None when lost
        self.fmt = Fmt(16, 1, 11025, 2)
        self.fmt_set = (16, 1, 11.025)   # as the movie gave them
        self.cap = None
        self.play = None
        self.take = None
        self.play_copy = False
        self.copy_fmt = None      # the format the play buffer was made in
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
        self.cut_logs = set()     # tolerated: those paths cut
        self.next_tid = 1
        self.cap_state = ["present"] * len(platform.devices)
        self.cap_losses = [()] * len(platform.devices)
        self.play_state = "present"
        self.play_losses = ()
        self.never = 0
        self.seq = 0              # orders losses and objects made in the same millisecond
        self.faults = ()          # (call, code, always)
        self.obj = None
        self.assumed = frozenset()
        self.events = []
        self.lost_now = None
        self.status_busy = None
        self.step_calls = 0
        self.trace_changed = False

    def clone(self):
        w = copy.copy(self)
        w.members = dict(self.members)
        w.files = dict(self.files)
        w.logs = set(self.logs)
        w.cut_logs = set(self.cut_logs)
        w.cap_state = list(self.cap_state)
        w.cap_losses = list(self.cap_losses)
        w.obj = copy.copy(self.obj) if self.obj else None
        w.events = list(self.events)
        return w

    def key(self):
        """What tells two worlds apart. The known faults a world assumes are left
        out: worlds alike but for them have the same future (see merge)."""
        o = self.obj
        okey = tuple(sorted(o.__dict__.items())) if o else None
        return (self.now, self.warned, tuple(sorted(self.members.items())), tuple(sorted(self.files.items())),
                tuple(sorted(self.logs)), tuple(sorted(self.cut_logs)), tuple(self.cap_state),
                tuple(self.cap_losses), self.play_state, self.play_losses, self.never, self.seq, self.faults, okey,
                tuple(self.events), self.trace_changed)


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
    """One world for each key; a fault is assumed only where every way to it assumed it."""
    merged = {}
    for w in worlds:
        key = w.key()
        kept = merged.get(key)
        if kept is None:
            merged[key] = w
        else:
            kept.assumed = kept.assumed & w.assumed
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

    def __init__(self, platform, config, tolerated=frozenset()):
        self.p = platform
        self.config = config
        self.tolerated = tolerated
        self.handlers = config.get("handlers", {})
        self.defined = {"marlowtide_internalerror", "enginefailed"}

    def start(self):
        return World(self.p, self.config)

    # ---- small helpers
    def fault(self, w, c, name):
        """Decides whether the tolerated known fault `name` happens here."""
        if name not in self.tolerated:
            return False
        if c.choose("known fault " + name, [False, True]):
            w.assumed = w.assumed | {name}
            return True
        return False

    def emit(self, w, event):
        w.events.append(event)

    def report_error(self, w, c, description, help_text, from_status=True, help_from_status=False):
        """A report to Marlowtide_XtraError, then its message box. from_status:
        the description is the call's status text (and the help, help_from_status)."""
        o = w.obj
        if from_status and self.status_taken_by_callback(w, c):
            description = Exact(error_text(BUSY, -1))
            if help_from_status:
                help_text = description
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
            if action not in NO_DEVICE and action not in BUSY_ZERO and w.status_busy is None:
                w.status_busy = "pending"

    def status_taken_by_callback(self, w, c):
        """The known fault: a call back from the internal-error handler leaves its
        busy failure as the status of the call that reported."""
        if w.status_busy == "pending":
            w.status_busy = "taken" if self.fault(w, c, known_faults.CALLBACK_TAKES_STATUS) else "kept"
        return w.status_busy == "taken"

    def unknown_failure(self, w, name, pattern=".*"):
        """A refusal whose text the docs leave to DirectSound; the engine reports it as it likes."""
        self.emit(w, ("I*",))
        return AnyError(name, pattern)

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
        return Take(w.next_tid, fmt, max(lo, 1), hi)

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
        if cap.stuck:
            # Tolerated: metering left on over a stopped capture still finds its device gone.
            if cap.frozen_at is not None and cap.loss_code != -1:
                self.lose_capture(w, c, cap.loss_code)
            return
        t = w.now
        # A device that has delivered nothing for 2 s is started once more, afresh.
        if cap.delivered(t) == 0 and not cap.restarted and t - cap.start >= RESTART_AFTER_MS:
            refused = self.consume_fault(w, "DirectSoundCaptureCreate")
            cause = "Cannot access audio capture device"
            if w.cap_state[cap.device] != "present":
                refused = refused or NODRIVER
            if not refused:
                # A fresh capture object is made; its buffer may still be refused.
                self.make_capture_object(w)
            buffer_fault = self.active_fault(w, "CreateCaptureBuffer")
            if not refused and buffer_fault and buffer_fault[1]:
                refused, cause = buffer_fault[0], code_text(buffer_fault[0])
            if o.fmt != cap.fmt and self.fault(w, c, known_faults.RESTART_IN_SET_FORMAT):
                # The fresh buffer is made in the format set since, which may be refused.
                cap = replace(cap, fmt=o.fmt)
                codes = self.p.buffer_refusal(abs(cap.length_ms) * o.fmt.byte_rate() // 1000 + 200)
                if not refused and codes:
                    refused, cause = codes[0], code_text(codes[0])
                elif not refused and (not o.fmt.consistent() or o.fmt.bits % 8 or not o.fmt.rate or
                                      self.p.takes_format(o.fmt.bits, o.fmt.channels, o.fmt.rate) is False):
                    refused, cause = BADFORMAT, code_text(BADFORMAT)
            if refused:
                o.cap = replace(cap, frozen_at=cap.frozen_at if cap.frozen_at is not None else t)
                self.lose_capture(w, c, refused, restart_failed=cause)
                return
            cap = replace(cap, restarted=True, delivers_from=None if o.cap_never else t, last_change=t,
                          last_look=t, last_frames=0, frozen_at=None, loss_code=0)
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
        cap = replace(cap, last_look=t, last_frames=frames)
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
        if full and not past and self.ends_in_half_frame(cap) and \
                (t - cap.delivers_from < abs(cap.length_ms) + 200 * 1000 // cap.fmt.byte_rate() + 2 or
                 cap.frozen_at is not None) and self.fault(w, c, known_faults.HALF_FRAME):
            return
        if past or full or (maybe_full and c.choose("the maximum reached to the frame", [True, False])):
            self.end_recording(w, c, frames)

    @staticmethod
    def ends_in_half_frame(cap):
        """The known fault's maximum: not a whole number of frames."""
        return (abs(cap.length_ms) * cap.fmt.byte_rate() // 1000) % max(cap.fmt.block(), 1) != 0

    def end_recording(self, w, c, frames):
        o = w.obj
        cap = o.cap
        o.cap = None
        o.take = self.in_buffer(self.new_take(w, cap.fmt, frames, frames, c), cap)
        if o.take and self.fault(w, c, known_faults.HALF_FRAME):
            o.take = replace(o.take, half_frame=True)
        o.play_copy = False

    def lap_frames(self, cap):
        """The most a metering take holds: its buffer, or with the known fault, a
        frame more that the buffer holds part of."""
        frames = cap.buffer_frames()
        if known_faults.HALF_FRAME in self.tolerated and cap.fmt.block():
            return -(-(abs(cap.length_ms) * cap.fmt.byte_rate() // 1000 + 200) // cap.fmt.block())
        return frames

    @staticmethod
    def in_buffer(take, cap):
        return replace(take, device=cap.device, buffer_made=cap.buffer_made) if take else None

    def take_unreadable(self, w, c, take):
        """The known fault: a take whose device was unplugged after it ended can no longer be read."""
        if take is None or take.buffer_made is None:
            return False
        removed = any(t >= take.buffer_made and kind == "removed" for t, kind in w.cap_losses[take.device])
        return removed and self.fault(w, c, known_faults.TAKE_LOST_WITH_DEVICE)

    def lose_capture(self, w, c, code, restart_failed=None):
        """The loss of a running capture: reported once, the take keeps what came before.
        restart_failed: why the restart of a capture that delivered nothing failed."""
        o = w.obj
        cap = o.cap
        o.cap = None
        if cap.looping:
            message = METERING_LOST
            o.take = None
        else:
            message = CAPTURE_LOST
            lo = cap.last_frames
            hi = cap.captured(cap.frozen_at if cap.frozen_at is not None else w.now)
            o.take = self.new_take(w, cap.fmt, lo, max(lo, hi), c)
            if o.take:
                o.take = replace(o.take, device=cap.device)
        o.play_copy = False
        o.cap_made = None
        if restart_failed and self.fault(w, c, known_faults.LOSS_TWICE):
            self.internal(w, c, restart_failed, code)
        elif restart_failed:
            message = c.choose("the message of a restart that failed: the loss, or its cause",
                               [message, restart_failed])
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
            w.status_busy = None
        if o.depth > 0 and method not in NO_DEVICE:
            if method in BUSY_ZERO:
                return Exact(0)
            if method in BUSY_VOID:
                return Exact(None)
            return Exact(error_text(BUSY, -1))
        outer_status = w.status_busy
        if nested:
            w.status_busy = None
        answer = getattr(self, "m_" + method)(w, c, args)
        if not nested and self.status_taken_by_callback(w, c) and isinstance(answer, Exact) and \
                isinstance(answer.value, str):
            answer = Exact(error_text(BUSY, -1))
        if nested:
            w.status_busy = outer_status
        return answer

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
                    w.logs.add(path)
                    encoding = "utf-8" if self.p.unicode_host() else "cp1252"
                    host = self.p.host_text(path)
                    if known_faults.LONG_PATH_CUT in self.tolerated and len(host.encode(encoding)) > 99:
                        w.cut_logs.add(host.encode(encoding)[:99].decode(encoding, "ignore"))
        elif mode == 255:
            return Exact("This is not a debug build - NOT VALID HERE")
        return Exact("Ok")

    def m_IsAudioOpen(self, w, c, args):
        return Exact(int(w.obj.open_dev is not None))

    def m_GetFormat(self, w, c, args):
        o = w.obj
        bits, channels, _ = o.fmt_set
        return FormatAnswer({bits, bits & 0xFFFF}, {channels, channels & 0xFFFF},
                            rate_display(o.fmt.rate) if o.fmt.rate < 2 ** 32 else None)

    def set_format(self, w, bits, channels, khz):
        o = w.obj
        hz = round(float(f32_of(khz)) * 1000) if khz is not None else o.fmt.rate
        o.fmt_set = (o.fmt_set[0] if bits is None else bits, o.fmt_set[1] if channels is None else channels,
                     o.fmt_set[2] if khz is None else khz)
        bits = o.fmt.bits if bits is None else bits
        channels = o.fmt.channels if channels is None else channels
        block = int(bits / 8) * channels if abs(bits) < 2 ** 50 else 0
        o.fmt = Fmt(bits & 0xFFFF, channels & 0xFFFF, max(hz, 0), block & 0xFFFF)

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
            message = "SetFormat did not contain any vaild data"
            if c.choose("an object's own failure may reach the internal-error handler", [False, True]):
                self.internal(w, c, message, -1)
            return Exact(error_text(message, -1))
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
        if o.cap is not None and o.cap.stuck:
            o.cap = None
        if o.cap is not None:
            self.stop_capture(w, c)
        lost = w.lost_now or lost
        # CloseAudio lets the take go with the capture that held it.
        o.take = None
        o.open_dev = None
        o.cap_made = None
        o.play_made = None
        o.play_copy = False
        return Exact(error_text(*lost)) if lost else Exact("Ok")

    def stop_capture(self, w, c):
        """Stops the running capture where it is; the take is what it captured."""
        o = w.obj
        cap = o.cap
        if cap.stuck:
            # Tolerated: its capture was stopped already; ending metering fails, the take stays.
            self.internal(w, c, "No capture to stop", -1)
            o.cap = None
            return
        if cap.frozen_at is not None and cap.loss_code != -1:
            self.lose_capture(w, c, cap.loss_code)
            return
        if cap.frozen_at is not None and cap.loss_code == -1 and w.now - cap.frozen_at > STALL_LIMIT_MS and \
                c.choose("a stall noticed by the stop", [True, False]):
            self.lose_capture(w, c, -1)
            return
        least, most = cap.captured_range(w.now, self.p)
        o.cap = None
        if cap.looping:
            o.take = self.in_buffer(self.new_take(w, cap.fmt, 0, min(most, self.lap_frames(cap)), c), cap)
        else:
            o.take = self.in_buffer(self.new_take(w, cap.fmt, least, most, c), cap)
        if o.take and self.fault(w, c, known_faults.HALF_FRAME):
            o.take = replace(o.take, half_frame=True)
        o.play_copy = False

    def start_capture(self, w, c, length_ms, looping):
        """Starts a recording or metering; answers the failure's Expect or None."""
        o = w.obj
        fmt = o.fmt
        if o.open_dev is None:
            return self.fail(w, c, "Open device before capturing", -1)
        if o.play is not None:
            return self.fail(w, c, "Cannot capture while playing a captured sound", -1)
        if o.cap is not None and not o.cap.looping:
            return self.fail(w, c, "Already capturing, stop capture before starting a new capture", -1)
        # The Xtra refuses a format no device can take before DirectSound sees
        # it, and before anything else: metering goes on, the take stays.
        if not self.recordable(o):
            return self.fail(w, c, code_text(BADFORMAT), BADFORMAT)
        if o.cap is not None and o.cap.looping:
            w.lost_now = None
            self.stop_capture(w, c)
            if w.lost_now:
                # Ending metering found its device gone: the start goes no further
                # than a fresh capture object.
                if w.cap_state[o.open_dev] == "present":
                    self.make_capture_object(w)
                    return Exact(error_text(*w.lost_now))
                return self.unknown_failure(w, "a start that found metering's device gone")
        before = o.take
        refusal = self.refuse_start(w, c, length_ms)
        if refusal is not None:
            if self.fault(w, c, known_faults.REFUSED_START_DROPS_TAKE):
                o.take = None
            else:
                o.take = before
            return refusal
        o.cap = Capture(looping, w.now, length_ms if looping else abs(length_ms), fmt, o.open_dev,
                        None if o.cap_never else w.now, last_look=w.now, last_change=w.now,
                        buffer_made=self.moment(w))
        o.take = None
        o.play_copy = False
        return None

    @staticmethod
    def recordable(o):
        """Whether any device could record the format set: a rate of 100 Hz to
        200 kHz, a channel or more, 8, 16, 24 or 32 bits, a frame of at most
        65535 bytes (the docs' "Bad format" paragraph)."""
        bits, channels, _ = o.fmt_set
        return 100 <= o.fmt.rate <= 200000 and channels >= 1 and bits in (8, 16, 24, 32) and \
            channels * (bits // 8) <= 0xFFFF

    def refuse_start(self, w, c, length_ms):
        """Why the Xtra or DirectSound refuses to start this capture, as an Expect, or None."""
        o = w.obj
        fmt = o.fmt
        device = o.open_dev
        buffer_bytes = abs(length_ms) * fmt.byte_rate() // 1000 + 200
        if o.cap_made is None:
            # Its capture object went with a lost device: a fresh one is made.
            code = self.consume_fault(w, "DirectSoundCaptureCreate") or \
                (NODRIVER if w.cap_state[device] != "present" else None)
            if code:
                return self.unknown_failure(w, "a device still away refuses a fresh capture object")
            self.make_capture_object(w)
        # DirectSound: the failure injected, the device, the buffer's size, the format.
        fault = self.active_fault(w, "CreateCaptureBuffer")
        if fault:
            self.consume_fault(w, "CreateCaptureBuffer")
            if fault[1]:
                return self.fail(w, c, code_text(fault[0]), fault[0])
        if w.cap_state[device] != "present":
            return self.unknown_failure(w, "a device that is away refuses the buffer")
        if self.device_lost_since(w, device, o.cap_made):
            if c.choose("a device back after a loss the object did not see", ["refused", "fresh"]) == "refused":
                return self.unknown_failure(w, "a capture object made before its device went away")
            self.make_capture_object(w)
        codes = self.p.buffer_refusal(buffer_bytes)
        if codes is None:
            if c.choose("a buffer the driver may refuse", [False, True]):
                return self.unknown_failure(w, "a maximum too long for the memory the driver has")
        elif len(codes) > 1:
            self.emit(w, ("I*",))
            return OneOf([Exact(error_text(code_text(code), code)) for code in codes],
                         "a maximum too long for the memory it has")
        elif codes:
            return self.fail(w, c, code_text(codes[0]), codes[0])
        takes = self.p.takes_format(fmt.bits, fmt.channels, fmt.rate) if fmt.consistent() else False
        if takes is False or (takes is None and c.choose("a format this driver may refuse", [False, True])):
            return self.fail(w, c, code_text(BADFORMAT), BADFORMAT)
        code = self.consume_fault(w, "CaptureStart")
        if code:
            return self.fail(w, c, "Could not start capture", code)
        return None

    def m_StartRecording(self, w, c, args):
        length = arg(args, 0)
        if type(length) is not int:
            self.report_error(w, c, "Invalid parameter supplied", "The paramter to this should be a number to "
                              "indicate the maximum duration for the capture in milliseconds", False)
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
        elif o.cap is not None and o.cap.stuck:
            answer = self.fail(w, c, "No capture to stop", -1)
        elif o.cap is not None:
            choice = c.choose("StopRecording during metering: refused, or ends metering wholly",
                              ["refused", "ends", "stuck"] if known_faults.STOP_DURING_METERING in self.tolerated
                              else ["refused", "ends"])
            if choice in ("ends", "stuck") and o.cap.frozen_at is not None and o.cap.loss_code != -1:
                # Stopping it, the Xtra finds its device gone.
                self.lose_capture(w, c, o.cap.loss_code)
                answer = Exact(error_text(*w.lost_now))
            elif choice == "ends":
                self.stop_capture(w, c)
                answer = Exact("Ok")
            elif choice == "stuck":
                # The known fault: the capture stops, metering stays on over it.
                w.assumed = w.assumed | {known_faults.STOP_DURING_METERING}
                least, most = o.cap.captured_range(w.now, self.p)
                o.take = self.in_buffer(self.new_take(w, o.cap.fmt, 0, min(most, self.lap_frames(o.cap)), c), o.cap)
                if o.take and self.fault(w, c, known_faults.HALF_FRAME):
                    o.take = replace(o.take, half_frame=True)
                o.cap = replace(o.cap, stuck=True)
                return Exact("Ok")
            else:
                answer = self.fail(w, c, "No capture to stop", -1)
        else:
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

    def m_GetInputLevel(self, w, c, args, waited=0):
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
        if cap.stuck:
            # Tolerated: a level of the stopped capture, after the first wait.
            if not cap.first_level_read:
                o.cap = replace(cap, first_level_read=True)
                w.allowed_elapsed = (0, FIRST_LEVEL_WAIT_MS + 4)
            top = self.signal().level_bounds(1, 1, fmt.rate, 8 if fmt.bits == 8 else 16)[1]
            return Levels((0, top), (0, top) if fmt.channels > 1 else (0, 0), "tolerated: metering left stuck")
        if not cap.first_level_read:
            # The first level of a capture waits, at most a second, for its first samples.
            o.cap = cap = replace(cap, first_level_read=True)
            w.allowed_elapsed = (0, FIRST_LEVEL_WAIT_MS + 4)
            if getattr(w, "at_end", None) is not None and w.at_end - w.now <= FIRST_LEVEL_WAIT_MS + 4:
                w.now = w.at_end
        window_ms = RECORDING_WINDOW_MS if not cap.looping else cap.length_ms
        if fmt.block() == 0 or window_ms <= 0:
            bounds = (0, 32768) if window_ms < 0 else (0, 0)
            return Levels(bounds, bounds if fmt.channels > 1 else (0, 0), "a window of no length")
        least, most = cap.delivered_range(w.now, self.p)
        least, most = min(least, cap.buffer_frames()), min(most, cap.buffer_frames())
        lo_window = (fmt.byte_rate() // 1000) * window_ms // fmt.block()
        hi_window = -(-window_ms * fmt.rate // 1000)
        signal = self.signal()
        bits = 8 if fmt.bits == 8 else 16
        left = signal.level_bounds(min(lo_window, least), min(hi_window, most), fmt.rate, bits)
        if not self.p.manual_clock or (not cap.looping and cap.delivered(w.now) >= cap.buffer_frames()):
            # A buffer started once that has filled may read its position as 0 again.
            left = (0, left[1])
        right = left if fmt.channels > 1 else (0, 0)
        return Levels(left, right, "the mean magnitude of the window's samples")

    def level_failure(self, w, c, text):
        if not w.warned:
            w.warned = True
            self.report_error(w, c, text, "You must first StartGSIL")
        return Exact(text)

    def signal(self):
        from .signal import Signal
        return Signal(self.p.signal)

    def m_PlaySound(self, w, c, args):
        o = w.obj
        answer = self.start_playback(w, c)
        if not (isinstance(answer, Exact) and answer.value == "Ok"):
            text = answer.value if isinstance(answer, Exact) else answer
            self.report_error(w, c, text, text, help_from_status=True)
        return answer

    def start_playback(self, w, c):
        o = w.obj
        if o.open_dev is None:
            return self.fail(w, c, "Open device before playing", -1)
        if o.play is not None:
            return self.fail(w, c, "Already playing the sound", -1)
        # Tolerated: ending metering that was left stuck fails, and that failure
        # stays for what follows.
        stale = o.cap is not None and o.cap.stuck
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
            if stale:
                return Exact(error_text("No capture to stop", -1))
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
        play_fmt = o.copy_fmt if o.play_copy else o.take.fmt
        if not o.play_copy and o.fmt != o.take.fmt and self.fault(w, c, known_faults.WRONG_FORMAT):
            # The take is copied and played as if it were in the format set since.
            play_fmt = o.fmt
            if not (o.fmt.consistent() and o.fmt.byte_rate() and o.fmt.bits in (8, 16)):
                self.emit(w, ("I*",))
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
            if self.take_unreadable(w, c, o.take):
                self.internal(w, c, "Problem during capture buffer lock", -1)
                return self.fail(w, c, "Problem during copying from record to play", -1)
            o.play_copy = True
            o.copy_fmt = play_fmt
            if stale:
                # The copy is made, and fails all the same.
                return self.fail(w, c, "Problem during copying from record to play", -1)
        code = self.consume_fault(w, "Play")
        if code in (-2005401450, -2005401550, -2147024809, -2005401530):
            return self.fail(w, c, "Problem while trying to start play", code)
        take = o.take
        bytes_lo, bytes_hi = take.lo * take.fmt.block(), take.hi * take.fmt.block()
        shortest = bytes_lo * 1000 / play_fmt.byte_rate()
        longest = bytes_hi * 1000 / play_fmt.byte_rate()
        o.play = Play(w.now, shortest, longest, last_look=w.now, last_change=w.now)
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
        self.report_error(w, c, description, help_text, False)
        return None

    def m_SaveAsFile(self, w, c, args):
        o = w.obj
        path = self.text_argument(w, c, args, "Invalid parameter, expected a string",
                                  "This paramter must be a file name")
        if path is None:
            return Exact("Ok")
        if o.cap is not None and not o.cap.stuck:
            return self.fail(w, c, "Cannot save a sound while still capturing", -1)
        if o.take is None:
            return self.fail(w, c, "No sound to save", -1)
        host = self.p.host_text(path)
        units = utf16_units(host)
        encoding = "utf-8" if self.p.unicode_host() else "cp1252"
        cut = len(host.encode(encoding)) > 499 and self.fault(w, c, known_faults.LONG_PATH_CUT)
        if units > WINDOWS_PATH_UNITS and not cut and (units > 32767 or c.choose(
                "a path longer than every Windows takes", ["too long", "whole"]) == "too long"):
            return self.fail(w, c, "Could not create sound file: the name is too long", -1)
        if cut:
            try:
                host = host.encode(encoding)[:499].decode(encoding)
            except UnicodeDecodeError:
                return self.fail(w, c, "Could not create sound file: the name has a character Windows cannot "
                                 "take", -1)
        if "?" in host:
            return self.fail(w, c, "Could not create sound file: the name has a character Windows cannot take",
                             -1)
        status = self.p.file_status(self.config.get("dir_set", {""}), host)
        if status == "no":
            return self.fail(w, c, "Could not create sound file", 57604)
        if status == "maybe" and c.choose("a file the file system may refuse", ["ok", "refused"]) == "refused":
            return self.unknown_failure(w, "a file the file system refuses", "Could not create sound file")
        if self.take_unreadable(w, c, o.take):
            w.files[host] = (None, None)
            return self.fail(w, c, "Could not write sound file", NODRIVER)
        w.files[host] = (o.take, o.fmt)
        return Exact("Ok")

    def m_SaveAsMember(self, w, c, args):
        o = w.obj
        name = self.text_argument(w, c, args, "Invalid parameter, expected a string",
                                  "This paramter must be a member name")
        if name is None:
            return Exact("Ok")
        castlib = 1
        if len(args) > 1 and type(args[1]) is int:
            castlib = args[1]
        if o.cap is not None and not o.cap.looping:
            self.look(w, c, "call")
            if o.cap is not None and not o.cap.looping:
                self.stop_capture(w, c)
        if o.cap is not None and not o.cap.stuck:
            self.internal(w, c, "Cannot trim a sound while still capturing", -1)
            self.report_error(w, c, "Ok", NO_TAKE_HELP)
            return Exact("Ok")
        if o.take is None:
            self.internal(w, c, "No sound to trim", -1)
            self.report_error(w, c, "Ok", NO_TAKE_HELP)
            return Exact("Ok")
        if self.take_unreadable(w, c, o.take):
            self.report_error(w, c, "Ok", NO_TAKE_HELP)
            return Exact("Ok")
        if castlib != 1:
            return self.unknown_failure(w, "a cast library the movie does not have", "could not get access to cast")
        host = self.p.host_text(name)
        encoding = "utf-8" if self.p.unicode_host() else "cp1252"
        if len(host.encode(encoding)) > 499:
            if self.fault(w, c, known_faults.LONG_NAME_CUT):
                host = host.encode(encoding)[:499].decode(encoding, "ignore")
            elif c.choose("a member name longer than the Xtra reads", ["whole", "refused"]) == "refused":
                return self.unknown_failure(w, "a member name longer than the Xtra reads")
        key = (castlib, host.lower())
        if key in w.members:
            slot = w.members[key][0]
        else:
            used = {m[0] for k, m in w.members.items() if k[0] == castlib}
            slot = next(s for s in range(1, len(used) + 2) if s not in used)
        w.members[key] = (slot, host, o.take, o.fmt)
        return Exact("Ok")

    def member_info(self, w, name):
        """What memberInfo(name) shows after the step."""
        found = w.members.get((1, self.p.host_text(name).lower()))
        if found is None:
            return Exact(None)
        slot, _, take, saved_fmt = found
        return MemberInfo(slot, self.take_formats(take, saved_fmt), *self.data_bytes(take))

    def take_formats(self, take, saved_fmt):
        """The formats a saved take may be labelled with."""
        if known_faults.WRONG_FORMAT in self.tolerated and saved_fmt != take.fmt:
            return [take.fmt, saved_fmt]
        return [take.fmt]

    def data_bytes(self, take):
        block = take.fmt.block()
        if take.half_frame:
            return (take.lo - 1) * block + 1, take.hi * block + block - 1
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
            if o.cap is not None and not o.cap.stuck:
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


def f32_of(x):
    from .expect import f32
    try:
        return f32(x)
    except OverflowError:
        return math.copysign(math.inf, x)


def guid_matches(text, guid):
    t = text.strip()
    if t.startswith("{") and t.endswith("}"):
        t = t[1:-1]
    return t.upper() == guid.upper()


class MemberInfo(Expect):
    """memberInfo of a Sound member holding a take."""

    def __init__(self, slot, fmts, data_lo, data_hi):
        self.slot, self.fmts, self.data_lo, self.data_hi = slot, fmts, data_lo, data_hi

    def matches(self, value):
        if not isinstance(value, PropList):
            return False
        get = value.get
        data = (get("bytes") or 0) - 48
        for fmt in self.fmts:
            odd_rate = fmt.rate >= 2 ** 31     # tolerated: a rate no header holds, read back as it came out
            if (get("type") == "sound" and get("number") == self.slot and self.data_lo <= data <= self.data_hi
                    and (odd_rate or get("sampleRate") == fmt.rate) and get("channels") == fmt.channels
                    and get("bits") == fmt.bits
                    and (odd_rate or get("duration") == (data * 1000 // fmt.byte_rate() if fmt.byte_rate() else 0))):
                return True
        return False

    def describe(self):
        return "member %d of %d to %d bytes of samples in %s" % (self.slot, self.data_lo, self.data_hi, self.fmts)


class FormatAnswer(Expect):
    """GetFormat's property list. A size or count beyond a WAV header's 16 bits
    reads back as set or as the header holds it; a rate beyond 32 bits as any float."""

    def __init__(self, sizes, counts, rate):
        self.sizes, self.counts, self.rate = sorted(sizes), sorted(counts), rate

    def matches(self, value):
        if not isinstance(value, PropList) or [k.lower() for k, _ in value] != \
                ["samplesize", "numberofchannels", "compressiontype", "samplerate"]:
            return False
        rate = value.get("SampleRate")
        return (value.get("SampleSize") in self.sizes and type(value.get("SampleSize")) is int
                and value.get("NumberOfChannels") in self.counts and type(value.get("NumberOfChannels")) is int
                and value.get("CompressionType") == "" and isinstance(rate, float)
                and (self.rate is None or "%.4f" % rate == "%.4f" % self.rate))

    def describe(self):
        return "[#SampleSize: %s, #NumberOfChannels: %s, #CompressionType: \"\", #SampleRate: %s]" % (
            " or ".join(map(str, self.sizes)), " or ".join(map(str, self.counts)),
            "%.4f" % self.rate if self.rate is not None else "any float (a rate beyond 32 bits)")


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
        return value[0].get("GUID") == "00000000-0000-0000-0000-000000000000"

    def describe(self):
        return "1 to 11 devices, the first the default one (a machine whose devices the model does not know)"
