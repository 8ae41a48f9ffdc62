"""Random walks: movie scripts that drive every method with good and bad
arguments, idle time, DirectSound faults, lost and stalled devices, format
changes, handlers that call back, and paths of every length and script. The
same generator writes walks for the real product under Wine, without the
simulator's controls."""
import random

from .lingo import PropList, Symbol
from .walk import Walk, encode

DEVICE_NAMES = ["Mikrofon (USB-Audiogerät)", "Micrófono (Dispositivo de audio USB)", "マイク (USB オーディオ)",
                "Line In 🎙", "Headset Microphone", "Ligne d'entrée", "Virtual Cable"]
INPUTS = ["sine:440:0.5", "sine:440:0.5", "sine:1000:0.5", "square:250:0.8", "noise:0.3", "silence",
          "sine:97:0.9"]
JAPANESE_FOLDER = "録音フォルダ" * 8            # 48 characters, 144 bytes
LATIN_FOLDER = "Aufnahmen-Jürgen-" * 4       # 68 characters
FOLDERS = ["sub", "Jürgen-テイク-🎙", JAPANESE_FOLDER, JAPANESE_FOLDER + "/" + JAPANESE_FOLDER,
           JAPANESE_FOLDER + "/" + JAPANESE_FOLDER + "/" + JAPANESE_FOLDER,
           LATIN_FOLDER, LATIN_FOLDER + "/" + LATIN_FOLDER, LATIN_FOLDER + "/" + LATIN_FOLDER + "/" + LATIN_FOLDER]
FILE_NAMES = ["take.wav", "Aufnahme-Jürgen.wav", "テイク.wav", "🎙take.wav", "prise-été.wav", "Ελληνικά.wav",
              "take two.wav", "T" * 200 + ".wav", "テ" * 80 + ".wav"]
MEMBER_NAMES = ["take", "second", "Täke", "テイク", "a/../b", "", "take"]
HANDLER_NAMES = ["Marlowtide_InternalError", "EngineFailed", "NoSuchHandler", "enginefailed",
                 "EngineFailed" + "x" * 100]
FAULT_CODES = [-2147024882, -2147467259, -2147024809, -2005401590, -2005401550, -2005401500, -2005401480,
               -2005401430, -2004287484, -2004287473, -2005401450]
PLAY_CODES = [-2005401450, -2005401550, -2147024809, -2005401530]
METHODS = ["GetVersionString", "OpenAudio", "IsAudioOpen", "CloseAudio", "StartRecording", "RecordingNow",
           "StopRecording", "StartGetInputLevel", "StopGetInputLevel", "GetInputLevel", "IsGsilActive",
           "PlaySound", "IsSoundPlaying", "PlayStop", "SaveAsMember", "SaveAsFile", "GetFormat", "SetFormat",
           "SetSampleRate", "SetBitsPerSample", "SetChannels", "FindAudioCaptureDevices",
           "FindAllAudioCompressors", "ShowErrorsAsDialogs", "PrivateGlobal", "PrivateInstance"]
ODD_VALUES = [None, 0, -1, 1, 2147483647, -2147483648, 3.5, 0.0, "", "x", "%s%n%d", Symbol("long"),
              Symbol("SampleRate"), [], [1, "a"], PropList(), PropList([(Symbol("SampleRate"), 22.05)]),
              "n" * 600]


class Generator:
    def __init__(self, rng, platform="simulator"):
        self.r = rng
        self.platform = platform
        self.steps = []
        self.config = {}

    # ---- the machine
    def make_config(self):
        r = self.r
        c = {"platform": self.platform}
        if self.platform == "simulator":
            c["director"] = r.choice(["12.0", "12.0", "12.0", "8.5", "8.5", "none"])
            if r.random() < 0.3:
                c["device_names"] = r.sample(DEVICE_NAMES, r.randint(1, 4))
                if r.random() < 0.1:
                    c["device_names"].append("Ü" + "x" * 300)
            else:
                c["devices"] = r.choice([1, 1, 2, 3, 12])
            c["input"] = r.choice(INPUTS)
            c["folders"] = ["sub", "Jürgen-テイク-🎙"] + ([f for f in FOLDERS[2:]] if r.random() < 0.5 else [])
        else:
            c["director"] = r.choice(["12.0", "12.0", "8.5"])
            c["devices"] = 1
            c["input"] = "sine:1000:0.5"
            c["folders"] = []
        c["handlers"] = {
            "E": r.choice([None, None, "IsAudioOpen", "CloseAudio", "StopRecording", "RecordingNow", "PlayStop",
                           "GetVersionString"]),
            "I": r.choice([None, None, "CloseAudio", "IsAudioOpen", "StopRecording", "GetVersionString"]),
            "F": r.choice([None, None, None, "GetVersionString", "IsAudioOpen"]),
        }
        if self.platform == "simulator":
            c["bystanders"] = {"keep.txt": "a file no call may touch\n", "take": "not a take\n"}
        self.config = c
        return c

    def device_count(self):
        c = self.config
        return len(c["device_names"]) if "device_names" in c else c.get("devices", 1)

    # ---- steps
    def call(self, method, *args, fault=None):
        step = {"op": "call", "m": method, "a": [encode(a) for a in args]}
        if self.r.random() < 0.15:
            step["form"] = "function"
        if fault:
            step["fault"] = list(fault)
        self.steps.append(step)

    def idle(self, ms):
        self.steps.append({"op": "idle", "ms": int(ms)})

    def sim(self, what, **fields):
        if self.platform == "simulator":
            self.steps.append(dict({"op": "sim", "what": what}, **fields))

    # ---- arguments
    def maximum(self):
        r = self.r
        if r.random() < 0.85:
            return r.choice([0, 1, 50, 100, 300, 300, 500, 500, 1000, 1500, 2000, 3000])
        return r.choice(["300", 300.0, Symbol("long"), None, -300, 2147483647, -2147483648, [300]])

    def device_name(self):
        r = self.r
        c = self.config
        names = c.get("device_names") or ["Simulated capture device %d" % k for k in range(1, self.device_count() + 1)]
        choice = r.random()
        if choice < 0.45 or self.platform == "wine":
            return r.choice(["", "", "", "Nope"]) if self.platform == "wine" else ""
        if choice < 0.7:
            return r.choice(names)
        if choice < 0.85 and self.platform == "simulator":
            k = r.randrange(self.device_count()) + 1
            if "device_names" in c:
                guid = "5E1D%04X-4D61-726C-8000-%012X" % (k, k)
            elif k == 1:
                guid = "00000000-0000-0000-0000-000000000000"
            else:
                guid = "5E1F%04X-4D61-726C-8000-%012X" % (k, k)
            return r.choice([guid, "{%s}" % guid, guid.lower()])
        return r.choice(["Nope", names[0].upper(), 5, [1], None, Symbol("x")])

    def path(self):
        r = self.r
        folders = [""] + self.config["folders"]
        choice = r.random()
        if choice < 0.08:
            return r.choice(["missing/take.wav", "", "a?b.wav", "sub", 7, None])
        folder = r.choice(folders)
        name = r.choice(FILE_NAMES)
        if self.platform == "wine" and len(name.encode("utf-8")) > 200:
            name = "take-long.wav"
        return (folder + "/" if folder else "") + name

    def format_props(self):
        r = self.r
        props = []
        if r.random() < 0.8:
            props.append((Symbol("SampleRate"), r.choice([8.0, 11.025, 11.025, 22.05, 44.1, 48.0, 4.0, 96.0, 0.0,
                                                          1.0, 7.35, 16])))
        if r.random() < 0.6:
            props.append((Symbol("SampleSize"), r.choice([8, 16, 16, 8, 24, 32, 12, 0, -16, 16.0])))
        if r.random() < 0.6:
            # Not -1: with 8-bit samples it makes a format of 65535 channels that records,
            # slowly, hundreds of megabytes a second.
            props.append((Symbol("NumberOfChannels"), r.choice([1, 2, 1, 2, 0, 3, 65536])))
        if r.random() < 0.1:
            props.append((Symbol("CompressionType"), r.choice(["", "abcdef", 5])))
        if r.random() < 0.05:
            props.append((Symbol("Left"), 1))
        r.shuffle(props)
        return PropList(props)

    # ---- motifs
    def motif_open(self):
        if self.r.random() < 0.2:
            self.call("FindAudioCaptureDevices")
        self.call("OpenAudio", self.device_name())

    def motif_record(self):
        r = self.r
        maximum = self.maximum()
        self.call("StartRecording", maximum)
        length = maximum if isinstance(maximum, int) and 0 <= maximum <= 5000 else 500
        if r.random() < 0.4:
            self.call("GetInputLevel")
        if r.random() < 0.2:
            self.format_change()
        self.idle(r.choice([0, 10, length // 2, length, length + 20, length + 100]))
        if r.random() < 0.3:
            self.call("GetInputLevel")
        ending = r.random()
        if ending < 0.4:
            self.call("StopRecording")
        elif ending < 0.6:
            self.call("RecordingNow")
        elif ending < 0.7:
            self.call("SaveAsMember", r.choice(MEMBER_NAMES))
        if r.random() < 0.6:
            self.save()

    def motif_meter(self):
        r = self.r
        window = r.choice([None, None, 20, 50, 100, 7, 0, -5, "x", 30.0])
        if window is None:
            self.call("StartGetInputLevel")
        else:
            self.call("StartGetInputLevel", window)
        for _ in range(r.randint(0, 3)):
            if r.random() < 0.5:
                self.idle(r.choice([0, 16, 50, 100, 300]))
            self.call(r.choice(["GetInputLevel", "GetInputLevel", "IsGsilActive"]))
        ending = r.choice(["StopGetInputLevel", "StopGetInputLevel", "StopRecording", "PlaySound", "StartRecording",
                           "SaveAsFile", "SaveAsMember", "CloseAudio", None])
        if ending == "StartRecording":
            self.call(ending, r.choice([300, 1000]))
        elif ending == "SaveAsFile":
            self.call(ending, self.path())
        elif ending == "SaveAsMember":
            self.call(ending, "metered")
        elif ending:
            self.call(ending)
        if r.random() < 0.5:
            self.call(r.choice(["IsGsilActive", "GetInputLevel"]))

    def motif_play(self):
        r = self.r
        self.call("PlaySound")
        for _ in range(r.randint(0, 3)):
            self.idle(r.choice([0, 16, 100, 300, 600]))
            self.call(r.choice(["IsSoundPlaying", "IsSoundPlaying", "PlaySound", "StartRecording",
                                "StartGetInputLevel"]) if r.random() < 0.9 else "PlayStop")
        if r.random() < 0.4:
            self.call("PlayStop")

    def format_change(self):
        r = self.r
        choice = r.random()
        if choice < 0.7:
            self.call("SetFormat", self.format_props())
        elif choice < 0.8:
            self.call("SetSampleRate", r.choice([8.0, 22.05, 44.1, 11, "x"]))
        elif choice < 0.9:
            self.call("SetBitsPerSample", r.choice([8, 16, 2.5, 24]))
        else:
            self.call("SetChannels", r.choice([1, 2, Symbol("a")]))
        if r.random() < 0.3:
            self.call("GetFormat")

    def save(self):
        r = self.r
        if r.random() < 0.6:
            self.call("SaveAsFile", self.path())
        else:
            name = r.choice(MEMBER_NAMES + [5])
            if r.random() < 0.15:
                self.call("SaveAsMember", name, r.choice([1, 2, "two"]))
            else:
                self.call("SaveAsMember", name)

    def motif_loss(self):
        r = self.r
        device = 0 if r.random() < 0.7 else r.randrange(self.device_count())
        activity = r.choice(["record", "record", "meter", "play", "none"])
        if activity == "record":
            self.call("StartRecording", r.choice([1000, 3000, 8000]))
        elif activity == "meter":
            self.call("StartGetInputLevel", r.choice([50, 100]))
        elif activity == "play":
            self.call("PlaySound")
        self.idle(r.choice([0, 7, 100, 500]))
        state = r.choice(["removed", "stalled"])
        if activity == "play" or r.random() < 0.1:
            self.sim("playback", state=state)
        else:
            self.sim("capture", device=device, state=state)
        for _ in range(r.randint(1, 3)):
            if r.random() < 0.6:
                self.idle(r.choice([0, 16, 500, 2000, 4100, 4500]))
            self.call(r.choice(["RecordingNow", "StopRecording", "GetInputLevel", "IsSoundPlaying", "PlayStop",
                                "IsGsilActive", "SaveAsFile", "StartRecording"]),
                      *([self.path()] if r.random() < 0.2 else []))
        if r.random() < 0.8:
            if activity == "play":
                self.sim("playback", state="present")
            else:
                self.sim("capture", device=device, state="present")
        if r.random() < 0.3:
            self.call("CloseAudio")
            self.call("OpenAudio", "")
        if r.random() < 0.7:
            self.save()
        if r.random() < 0.5:
            self.motif_record()

    def motif_never(self):
        r = self.r
        self.sim("never", count=r.choice([1, 1, 2]))
        self.call("CloseAudio")
        self.call("OpenAudio", "")
        self.call("StartRecording", r.choice([1000, 3000, 5000]))
        if r.random() < 0.4:
            self.format_change()
        if r.random() < 0.2:
            self.sim("capture", device=0, state=r.choice(["removed", "stalled"]))
        if r.random() < 0.3:
            self.steps.append({"op": "idle", "ms": 1990})
            self.call("RecordingNow", fault=("DirectSoundCaptureCreate", r.choice(FAULT_CODES), 1))
        self.idle(r.choice([2100, 2500, 4000, 7000]))
        self.call(r.choice(["StopRecording", "RecordingNow", "GetInputLevel"]))
        self.save()
        self.sim("capture", device=0, state="present")

    def motif_fault(self):
        r = self.r
        kind = r.choice(["open", "start", "start", "meter", "play", "play"])
        code = r.choice(FAULT_CODES)
        if kind == "open":
            self.call("CloseAudio")
            self.call("OpenAudio", "", fault=(r.choice(["CoInitialize", "DirectSoundCreate", "SetCooperativeLevel",
                                                        "DirectSoundCaptureCreate"]), code, 0))
        elif kind in ("start", "meter"):
            call = r.choice(["CreateCaptureBuffer", "CaptureStart"])
            fault = (call, code, 1 if call == "CreateCaptureBuffer" else 0)
            if kind == "start":
                self.call("StartRecording", r.choice([300, 1000]), fault=fault)
            else:
                self.call("StartGetInputLevel", fault=fault)
        else:
            if r.random() < 0.5:
                self.call("PlaySound", fault=("CreateSoundBuffer", code, 0))
            else:
                self.call("PlaySound", fault=("Play", r.choice(PLAY_CODES), 0))
        if r.random() < 0.7:
            self.save()

    def motif_switches(self):
        r = self.r
        choice = r.random()
        if choice < 0.3:
            self.call("ShowErrorsAsDialogs", r.choice([0, 0, 1, 2, "x", 1.0] if self.platform != "wine" else [0, 2]))
        elif choice < 0.55:
            self.call("PrivateInstance", 1, r.choice([0, 1, 1]), *([r.choice(HANDLER_NAMES)] if r.random() < 0.5
                                                                   else []))
        elif choice < 0.8:
            self.call("PrivateInstance", 2, r.choice([0, 1, 256]), r.choice([25, 50, 75, 76, -1, "x"]))
        elif choice < 0.95:
            folder = r.choice([""] + self.config["folders"])
            log = (folder + "/" if folder else "") + r.choice(["trace.txt", "Jürgen-log.txt", "L" * 120 + ".txt"])
            self.call("PrivateInstance", 3, r.choice([0, 1, 1]), *([log] if r.random() < 0.9 else []))
        else:
            self.call("PrivateInstance", r.choice([255, 7, "x", None]))

    def motif_odd_call(self):
        r = self.r
        method = r.choice(METHODS)
        args = [r.choice(ODD_VALUES) for _ in range(r.choice([0, 0, 1, 1, 2, 3]))]
        if method == "PrivateInstance" and args and args[0] == 3:
            args[0] = 4
        self.call(method, *args)

    def motif_misc(self):
        self.call(self.r.choice(["GetVersionString", "FindAllAudioCompressors", "PrivateGlobal", "IsAudioOpen",
                                 "IsGsilActive", "IsSoundPlaying", "GetFormat", "FindAudioCaptureDevices",
                                 "RecordingNow", "CloseAudio", "StopRecording"]))

    def motif_new(self):
        self.steps.append({"op": "new"})
        if self.r.random() < 0.8 or self.platform == "wine":
            self.call("ShowErrorsAsDialogs", 0)

    def walk(self, length):
        r = self.r
        self.make_config()
        # On Windows a message box waits for its OK.
        if r.random() < 0.85 or self.platform == "wine":
            self.call("ShowErrorsAsDialogs", 0)
        if r.random() < 0.6:
            self.call("PrivateInstance", 1, 1)
        # Some drivers take 24- and 32-bit samples (the simulator when told so).
        if r.random() < 0.25:
            self.sim("wide", on=1)
        self.call("OpenAudio", "")
        motifs = [(self.motif_record, 10), (self.motif_meter, 5), (self.motif_play, 4), (self.format_change, 4),
                  (self.save, 5), (self.motif_switches, 3), (self.motif_odd_call, 4), (self.motif_misc, 3),
                  (self.motif_open, 2), (self.motif_new, 1)]
        if self.platform == "simulator":
            motifs += [(self.motif_loss, 3), (self.motif_never, 1), (self.motif_fault, 3)]
        weights = [w for _, w in motifs]
        while len(self.steps) < length:
            r.choices(motifs, weights)[0][0]()
        return Walk(self.config, self.steps)


def generate(seed, platform="simulator", length=40):
    return Generator(random.Random(seed), platform).walk(length)
