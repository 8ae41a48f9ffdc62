"""What the model takes from the machine under the Xtra rather than from the
docs: the capture devices and their GUIDs, the text Director passes, the
formats and buffers the driver takes, which paths the file system creates,
and how time passes. One class for marlowhost's simulated machine, one for
the real product under Wine."""

from .signal import Signal

NODRIVER = -2005401480          # DSERR_NODRIVER
NOTAVAILABLE = -2004287473      # a capture device not ready (0x8889000F)
BADFORMAT = -2005401500         # DSERR_BADFORMAT
INVALIDPARAM = -2147024809      # E_INVALIDARG
OUTOFMEMORY = -2147024882       # E_OUTOFMEMORY
DSBSIZE_MAX = 0x0FFFFFFF
WINDOWS_PATH_UNITS = 259        # MAX_PATH less its terminator
ZERO_GUID = "00000000-0000-0000-0000-000000000000"   # the default device's


def utf16_units(text):
    return len(text.encode("utf-16-le")) // 2


def cp1252_text(text):
    """The text as Director 8.5 to MX 2004 hold it: one '?' per UTF-16 unit
    of a character outside code page 1252."""
    out = []
    for ch in text:
        try:
            ch.encode("cp1252")
            out.append(ch)
        except UnicodeEncodeError:
            out.append("?" * utf16_units(ch))
    return "".join(out)


class Device:
    def __init__(self, name, guid, module):
        self.name = name
        self.guid = guid      # text as listed, or None for the default device without one
        self.module = module

    def guid_text(self):
        return self.guid or ZERO_GUID


class Platform:
    devices_known = True      # FindAudioCaptureDevices lists exactly self.devices
    manual_clock = True
    late_start_ms = 0         # the first samples may come this late
    packet_ms = 0             # the driver delivers in packets of this length
    slack_ms = 0              # calls and idle moments take this long at most
    clock_step_ms = 0         # the clock read by "the milliseconds" moves in steps of this
    play_speed = (1.0, 1.0)   # a take of d ms plays between d times these
    playback_heard_ms = 0     # no capture device hears the playback
    format_refused_first = False  # a buffer too long is refused before a format
    passband = None           # the tone is sampled as it is, at any rate
    simulated = True
    # marlowhost prints message boxes and debugger output (the native build);
    # on Windows they are the system's own.
    prints_boxes = True

    def __init__(self, director="12.0", devices=None, signal="sine:440:0.5"):
        self.director = director
        self.devices = devices or []
        self.signal = signal

    def input_signal(self):
        """The input as the capture receives it, through the driver's resampler."""
        return Signal(self.signal, self.passband)

    def unicode_host(self):
        return self.director not in ("none", "") and float(self.director.split(".")[0]) >= 11

    def host_text(self, text):
        """The script's text as the Xtra receives it (decoded back to Unicode)."""
        return text if self.unicode_host() else cp1252_text(text)

    def listed_name(self, name):
        """A device name as FindAudioCaptureDevices lists it, cut at 254 bytes of host text."""
        text = self.host_text(name)
        encoded = text.encode("utf-8" if self.unicode_host() else "cp1252")
        if len(encoded) <= 254:
            return text
        cut = encoded[:254]
        while True:
            try:
                return cut.decode("utf-8" if self.unicode_host() else "cp1252")
            except UnicodeDecodeError:
                cut = cut[:-1]

    # ---- formats and buffers
    def takes_format(self, bits, channels, rate, wide):
        """For a format any device could take (see Model.recording_format): True
        when the driver records it, False when it answers Bad format, None when
        either may happen. wide: the simulator was told to take 24- and 32-bit samples."""
        raise NotImplementedError

    def buffer_refusal(self, buffer_bytes):
        """The codes a capture buffer of this size may be refused with; () when it must be made,
        None when it may be made or refused with any code."""
        raise NotImplementedError

    # ---- files
    def file_status(self, dirs, path):
        """dirs: the folders of the run, relative, "" the run's own.
        'ok' when the file system creates this file, 'no' when it cannot, 'maybe'."""
        raise NotImplementedError


class Simulator(Platform):
    """marlowhost's native build: the DirectSound simulator, the manual clock,
    and Linux's file system behind the native mmio layer."""

    @staticmethod
    def counted_devices(n):
        devices = []
        for k in range(1, n + 1):
            guid = None if k == 1 else "5E1F%04X-4D61-726C-8000-%012X" % (k, k)
            devices.append(Device("Simulated capture device %d" % k, guid, "simcap%d.sys" % k))
        return devices

    @staticmethod
    def named_devices(names):
        return [Device(name, "5E1D%04X-4D61-726C-8000-%012X" % (k, k), "simcap%d.sys" % k)
                for k, name in enumerate(names, 1)]

    def takes_format(self, bits, channels, rate, wide):
        return bits in (8, 16) or wide

    def buffer_refusal(self, buffer_bytes):
        if buffer_bytes > DSBSIZE_MAX:
            return (INVALIDPARAM,)
        return ()

    def file_status(self, dirs, path):
        if not path or "\0" in path or path.endswith("/"):
            return "no"
        parts = path.split("/")
        if any(len(p.encode("utf-8")) > 255 for p in parts) or len(path.encode("utf-8")) >= 4000:
            return "no"
        if "/".join(parts[:-1]) not in dirs or path in dirs:
            return "no"
        return "ok"


class Wine(Platform):
    """Marlowtide.x32 in marlowhost.exe under Wine 8 on PulseAudio: a 1 kHz
    half-scale tone on the default device, real time, 10 ms packets, a first
    packet that may come late."""
    devices_known = False
    manual_clock = False
    # Run directly the first packet came within 72 ms; in the emulated machine
    # one in some hundreds of starts brought nothing for over a second (a
    # 100 ms recording still running 1047 ms after it started, its take whole).
    late_start_ms = 1500
    packet_ms = 10
    slack_ms = 300
    # Wine's GetTickCount moves in the wineserver's steps: an idle(16) was
    # measured as 9 ms.
    clock_step_ms = 16
    # The default capture device is the monitor of the sink a playback goes
    # to: a take played back is heard there for a while after DirectSound
    # has played it (60 ms measured on the direct route), over the tone.
    playback_heard_ms = 300
    # Wine's driver asks the sound server for the format before it allocates
    # the buffer: a format it refuses is refused whatever the maximum.
    format_refused_first = True
    # The sound server resamples its own rate into the capture's through a
    # low-pass filter: a tone above 0.4 of the capture's rate comes through
    # anywhere from filtered out to aliased (1 kHz recorded at 1000 Hz read
    # levels of 134 to 300, where sampling the tone gives 0).
    passband = 0.4
    # In the emulated machine Wine's mixer plays a take in up to 4.5 times its length.
    play_speed = (0.9, 5.0)
    simulated = False
    prints_boxes = False

    def __init__(self, director="12.0", devices=None, signal="sine:1000:0.5"):
        # Wine lists its own devices; the walk opens the default one only.
        super().__init__(director, [Device("Primary Sound Driver", None, "")], signal)

    def takes_format(self, bits, channels, rate, wide):
        if bits not in (8, 16):
            return False
        if channels <= 2 and rate in (8000, 11025, 16000, 22050, 32000, 44100, 48000, 96000):
            return True
        return None

    def buffer_refusal(self, buffer_bytes):
        if buffer_bytes > 256 * 1024 * 1024:
            return (OUTOFMEMORY, INVALIDPARAM)
        if buffer_bytes > 32 * 1024 * 1024:
            return None
        return ()

    def file_status(self, dirs, path):
        windows = path.replace("/", "\\")
        if not path or any(c in windows for c in '*?"<>|') or ":" in windows[2:]:
            return "no"
        parts = windows.split("\\")
        if any(len(p.encode("utf-8")) > 255 for p in parts):
            return "no"
        if "/".join(parts[:-1]) not in dirs or path in dirs:
            return "no"
        return "ok"
