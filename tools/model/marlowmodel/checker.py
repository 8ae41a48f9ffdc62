"""Runs a walk in marlowhost and checks every answer, report and file against
the model. The model may leave several possible worlds after a step (where the
docs leave a choice open); the answers seen keep those that agree."""
import os
import shutil
import subprocess

from . import model as modelrules
from .expect import Exact, Pattern, same
from .lingo import PropList, Symbol, display
from .platform import Simulator, Wine
from .signal import Wav, check_samples
from .transcript import read_transcript
from .walk import decode

TIME_LIMIT_S = 120
# On the real clock a call may take this much longer than the manual clock
# allows: the first OpenAudio of a Wine process in the emulated machine took
# up to 7.5 s (DirectSound and the sound server starting).
REAL_CALL_LIMIT_MS = 15000
# The last flow line of a forgotten object: it has no movie left to call.
FORGOTTEN_EXIT = "ExecutionFlow\t:Call : Exit (1)"


class Disagreement:
    def __init__(self, step, what, expected="", actual=""):
        self.step = step          # 1-based step, or None for the end of the movie
        self.what = what
        self.expected = expected
        self.actual = actual

    def kind(self):
        """What the shrinker keeps while it removes steps."""
        return self.what.split(":")[0]

    def __str__(self):
        where = "step %d" % self.step if self.step else "the end of the movie"
        text = "at %s: %s" % (where, self.what)
        if self.expected:
            text += "\n  the model allows: %s" % self.expected
        if self.actual:
            text += "\n  the Xtra gave:     %s" % self.actual
        return text


class Outcome:
    def __init__(self, calls, disagreement=None):
        self.calls = calls
        self.disagreement = disagreement


def platform_of(config):
    if config["platform"] == "wine":
        return Wine(config["director"], [], config["input"])
    if "device_names" in config:
        devices = Simulator.named_devices(config["device_names"])
    else:
        devices = Simulator.counted_devices(config["devices"])
    return Simulator(config["director"], devices, config["input"])


def prepare(walk, folder):
    """A fresh run folder: the script, the walk's folders and its bystander files."""
    shutil.rmtree(folder, ignore_errors=True)
    os.makedirs(folder)
    for sub in walk.config.get("folders", []):
        os.makedirs(os.path.join(folder, sub), exist_ok=True)
    for name, text in walk.config.get("bystanders", {}).items():
        with open(os.path.join(folder, name), "w", encoding="utf-8") as f:
            f.write(text)
    with open(os.path.join(folder, "walk.ls"), "w", encoding="utf-8") as f:
        f.write(walk.script())


def run(walk, marlowhost, xtra, folder):
    """Runs the walk's script in folder; answers (transcript, exit status)."""
    prepare(walk, folder)
    command = [marlowhost, "--xtra", xtra] + walk.arguments() + ["walk.ls"]
    try:
        done = subprocess.run(command, cwd=folder, stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                              timeout=TIME_LIMIT_S)
        return done.stdout.decode("utf-8", "replace"), done.returncode
    except subprocess.TimeoutExpired as timeout:
        return (timeout.stdout or b"").decode("utf-8", "replace") + "\n[hung]", "hung"


def check_run(walk, marlowhost, xtra, folder):
    transcript, status = run(walk, marlowhost, xtra, folder)
    return Checker(walk, folder).check(transcript, status)


class StepRecords:
    """The transcript cut into the records of each step."""

    def __init__(self, records):
        self.before = []
        self.steps = {}
        self.results = {}
        self.after = []
        self.t0 = None
        self.end = None
        current = self.before
        pending = []
        for record in records:
            value = record.value if record.kind == "put" else None
            if isinstance(value, list) and value and value[0] == "T0":
                self.t0 = value[1]
                self.before, pending = pending, []
                continue
            if isinstance(value, list) and value and value[0] == "END":
                self.end = value[1]
                self.steps[len(self.results) + 1] = pending
                pending = []
                current = self.after
                continue
            if current is self.after:
                self.after.append(record)
                continue
            if isinstance(value, list) and value and type(value[0]) is int:
                self.results[value[0]] = value
                self.steps[value[0]] = pending
                pending = []
                continue
            pending.append(record)
        if current is not self.after:
            self.unfinished = pending
        else:
            self.unfinished = None


def split_flow(records):
    """(events, flow records, problems): the step's records less its flow lines."""
    events, flow, problems = [], [], []
    for record in records:
        value = record.value if record.kind == "put" else None
        if record.kind == "debug":
            flow.append(("debug", record.value))
        elif isinstance(value, list) and value and value[0] in ("F", "FN"):
            flow.append((value[0], value))
        elif isinstance(value, list) and value and value[0] == "E" and len(value) == 4:
            events.append(("E", value[3], value[2]))
        elif isinstance(value, list) and value and value[0] in ("EN", "IN") and len(value) == 4:
            events.append((value[0], value[2]))
        elif isinstance(value, list) and value and value[0] == "I" and len(value) == 6:
            events.append(("I", value[4], value[5], value[2], value[3]))
        elif record.kind == "box":
            events.append(("box",) + record.value)
        elif record.kind == "member-file":
            events.append(("member-file",) + record.value)
        else:
            problems.append(record.text)
    return events, flow, problems


class Checker:
    """written_only: the folder holds only the .wav and .txt files the run wrote
    (as the Windows tier keeps them), not the run's folder itself."""

    def __init__(self, walk, folder, written_only=False):
        self.walk = walk
        self.folder = folder
        self.written_only = written_only
        self.platform = platform_of(walk.config)
        config = dict(walk.config)
        config["dir_set"] = {""} | set(walk.config.get("folders", []))
        self.model = modelrules.Model(self.platform, config)
        self.ids = {}

    # ---- matching one step
    def match_events(self, expected, actual, obj_id):
        """'' when the actual events are those expected, else what differs. "I*"
        stands for any internal errors (and their handlers' call backs) there."""
        if not expected:
            return "%s that the model does not expect" % describe_actual(actual[0]) if actual else ""
        e = expected[0]
        if e[0] == "I*":
            first = None
            for taken in range(len(actual) + 1):
                if taken and actual[taken - 1][0] not in ("I", "IN"):
                    break
                problem = self.match_events(expected[1:], actual[taken:], obj_id)
                if not problem:
                    return ""
                first = first or problem
            return first
        if not actual:
            return "missing %s" % describe_event(e)
        problem = self.match_event(e, actual[0], obj_id)
        return problem or self.match_events(expected[1:], actual[1:], obj_id)

    def match_event(self, e, a, obj_id):
        kind = e[0]
        if a[0] != kind:
            return "%s where the model has %s" % (describe_actual(a), describe_event(e))
        if kind == "E":
            report = a[1]
            if not isinstance(report, PropList) or [k.lower() for k, _ in report] != \
                    ["xtraname", "type", "id", "description", "help"] or report.get("XtraName") != "Marlowtide" \
                    or report.get("TYPE") != "Error" or type(report.get("Id")) is not int:
                return "a malformed report %s" % display(report)
            if not (same(report.get("Description"), e[1]) and same(report.get("Help"), e[2])):
                return "%s where the model has %s" % (describe_actual(a), describe_event(e))
            if not self.same_id(obj_id, report.get("Id")):
                return "a report with another object's id %s" % report.get("Id")
        elif kind in ("EN", "IN"):
            if not same(a[1], e[1]):
                return "a handler's call back answered %s where the model allows %s" % (display(a[1]), e[1])
        elif kind == "I":
            if a[1] != e[1] or a[2] != e[2] or (self.platform.manual_clock and a[3] != e[3] + self.t0):
                return "%s where the model has %s" % (describe_actual(a), describe_event(e))
            if not self.same_id(obj_id, a[4]):
                return "an internal error with another object's id %s" % a[4]
        elif kind == "box":
            if a[1] != e[1] or not same(a[2], e[2]):
                return "%s where the model has %s" % (describe_actual(a), describe_event(e))
        return ""

    def same_id(self, obj_id, value):
        known = self.ids.setdefault(obj_id, value)
        return known == value

    def check_flow(self, before, after, flow, calls):
        """Flow lines: each to the debugger and the handler, and as many as the switches allow."""
        # On Windows the debugger output is the system's: only the handler's lines show.
        paired = self.platform.prints_boxes
        nested = 0
        pending_debug = None
        call_enter = call_exit = total = 0
        for kind, value in flow:
            if kind == "debug":
                if pending_debug is not None and pending_debug != FORGOTTEN_EXIT:
                    return "a flow line to the debugger without its handler call: %s" % pending_debug
                pending_debug = value
            elif kind == "F":
                where, what = value[2], value[3]
                if paired and pending_debug != "ExecutionFlow\t:%s : %s" % (where, what):
                    return "a flow line to the handler (%s, %s) without its debugger line" % (where, what)
                pending_debug = None
                total += 1
                if where == "Call" and isinstance(what, str):
                    call_enter += what.startswith("Enter (")
                    call_exit += what.startswith("Exit (")
            elif kind == "FN":
                nested += 1
                method = self.walk.config["handlers"].get("F")
                allowed = Pattern(modelrules.VERSION, "the version") if method == "GetVersionString" else None
                if allowed and not allowed.matches(value[2]):
                    return "the flow handler's call back answered %s" % display(value[2])
        if pending_debug is not None and pending_debug != FORGOTTEN_EXIT:
            return "a flow line to the debugger without its handler call: %s" % pending_debug
        if before is None or after is None or before != after:
            return ""
        trace, threshold = before
        if not trace and total:
            return "%d flow lines while flow tracing is off" % total
        if trace and threshold > 75 and total:
            return "%d flow lines above every level (threshold %d)" % (total, threshold)
        if trace and threshold <= 25 and (call_enter != calls + nested or call_exit != calls + nested):
            return "%d Enter and %d Exit lines for %d calls" % (call_enter, call_exit, calls + nested)
        if trace and threshold > 25 and call_enter + call_exit:
            return "Call lines at level 25 under the threshold %d" % threshold
        return ""

    # ---- the walk
    def check(self, transcript, status):
        records = read_transcript(transcript)
        cut = StepRecords(records)
        m = self.model
        worlds = [m.start()]
        worlds[0].obj = modelrules.Obj()
        calls = 0
        if cut.t0 is None:
            return Outcome(0, Disagreement(None, "the movie did not start: " + transcript[-400:]))
        self.t0 = cut.t0
        for k, step in enumerate(self.walk.steps, 1):
            if k not in cut.results:
                lines = [r.text for r in (cut.unfinished or [])][-8:]
                return Outcome(calls, Disagreement(k, "the movie stopped before this step (exit %s)" % status,
                                                   "", "\n    ".join(lines)))
            result = cut.results[k]
            t_before = (cut.results[k - 1][2] if k > 1 else cut.t0) - cut.t0
            t_after = result[2] - cut.t0 if len(result) > 2 and type(result[2]) is int else None
            events, flow, problems = split_flow(cut.steps.get(k, []))
            if problems:
                return Outcome(calls, Disagreement(k, "marlowhost printed something no step asks for", "",
                                                   problems[0]))
            if step["op"] == "call":
                calls += 1
            survivors, failure = self.advance(worlds, k, step, result, t_before, t_after, events, flow)
            if not survivors:
                return Outcome(calls, failure)
            worlds = survivors
        events, flow, problems = split_flow(cut.after)
        # A member whose name is too long for a file name of this system cannot be written out.
        unwritable = [p for p in problems if p.startswith("marlowhost: cannot write members/") and
                      len(os.path.basename(p).encode("utf-8")) > 255]
        problems = [p for p in problems if p not in unwritable]
        if problems:
            return Outcome(calls, Disagreement(None, "marlowhost printed after the movie", "", problems[0]))
        if status != 0 and not (status == 1 and unwritable):
            return Outcome(calls, Disagreement(None, "marlowhost exited with %s" % status, "0", ""))
        end_time = (cut.end - cut.t0) if cut.end is not None else None
        return Outcome(calls, self.finish(worlds, end_time, events))

    def advance(self, worlds, k, step, result, t_before, t_after, events, flow):
        m = self.model
        candidates = []
        for world in worlds:
            candidates.extend(self.step_worlds(world, step, t_before, t_after))
        survivors = []
        first_failure = None
        for w, expected in candidates:
            problem = self.compare(w, step, result, t_before, t_after, events, flow, expected)
            if problem:
                if first_failure is None or (first_failure.what.startswith("missing") and
                                             not problem.what.startswith("missing")):
                    first_failure = problem
                continue
            w.events = []
            w.step_calls = 0
            w.trace_changed = False
            survivors.append(w)
        if first_failure is not None:
            first_failure.step = k
        return modelrules.merge(survivors), first_failure

    def step_worlds(self, world, step, t_before, t_after):
        """(world, expected result) for each way the model allows the step to go."""
        m = self.model
        op = step["op"]
        world = world.clone()
        world.now = t_before
        world.events = []
        world.step_calls = 0
        world.trace_before = trace_of(world)
        if op == "idle":
            states = [world]
            end = t_before + step["ms"] if self.platform.manual_clock or t_after is None else t_after
            t = t_before
            while True:
                t = min(t + modelrules.IDLE_TICK_MS, end)
                ticked = []
                for w in states:
                    w.now = t
                    if w.obj is None or (w.obj.cap is None and w.obj.play is None):
                        ticked.append(w)
                    else:
                        ticked.extend(modelrules.explore(w, m.idle_tick))
                states = modelrules.merge(ticked)
                if t >= end:
                    break
            return [(w, Exact(Symbol("idle"))) for w in states]
        if op == "sim":
            def act(w, c):
                args = {"capture": (step.get("device"), step.get("state")),
                        "playback": (step.get("state"),), "never": (step.get("count"),),
                        "wide": (step.get("on"),)}[step["what"]]
                m.simulate(w, c, step["what"], args)
            return [(w, Exact(Symbol("sim"))) for w in modelrules.explore(world, act)]
        if op == "new":
            def renew(w, c):
                m.new_object(w, c)
                w.trace_changed = True
            return [(w, Exact(Symbol("new"))) for w in modelrules.explore(world, renew)]
        method = step["m"]
        args = [decode(a) for a in step.get("a", [])]
        fault = step.get("fault")

        def act(w, c):
            if fault:
                m.simulate(w, c, "fault", tuple(fault))
            w.result = m.call(w, c, method, args, at_end=t_after)
            if fault:
                m.simulate(w, c, "clear", ())
        out = []
        for w in modelrules.explore(world, act):
            out.append((w, w.result))
        return out

    def compare(self, w, step, result, t_before, t_after, events, flow, expected):
        actual = result[1] if len(result) > 1 else None
        if not same(actual, expected):
            return Disagreement(0, "answer: %s" % describe_step(step), describe(expected), display(actual))
        allowed = getattr(w, "allowed_elapsed", (0, 0)) if step["op"] == "call" else None
        if step["op"] == "idle":
            allowed = (step["ms"], step["ms"])
        if step["op"] in ("sim", "new"):
            allowed = (0, 0)
        if not self.platform.manual_clock and allowed is not None:
            allowed = (max(0, allowed[0] - self.platform.clock_step_ms), allowed[1] + REAL_CALL_LIMIT_MS)
        if t_after is not None and allowed is not None and not allowed[0] <= t_after - t_before <= allowed[1]:
            return Disagreement(0, "time: %s took %d ms" % (describe_step(step), t_after - t_before),
                                "%d to %d ms" % allowed, "%d ms" % (t_after - t_before))
        if step["op"] == "call" and step["m"] == "SaveAsMember" and len(result) > 3:
            name = decode(step["a"][0])
            info = self.model.member_info(w, name)
            if not same(result[3], info):
                return Disagreement(0, "memberInfo after %s" % describe_step(step), describe(info),
                                    display(result[3]))
        problem = self.match_events(w.events, events, w.obj.serial if w.obj else -1)
        if problem:
            return Disagreement(0, "reports: %s: %s" % (describe_step(step), problem),
                                "; ".join(describe_event(e) for e in w.events) or "none",
                                "; ".join(describe_actual(a) for a in events) or "none")
        calls = int(step["op"] == "call") + sum(1 for e in events if e[0] in ("EN", "IN"))
        problem = self.check_flow(w.trace_before, trace_of(w) if not w.trace_changed else None, flow, calls)
        if problem:
            return Disagreement(0, "flow: %s: %s" % (describe_step(step), problem))
        return None

    def finish(self, worlds, end_time, events):
        """The end of the movie: the object is forgotten, members and files are
        checked. None when a world agrees, else the first disagreement."""
        m = self.model
        first_failure = None
        actual = [e for e in events if e[0] != "member-file"]
        for world in worlds:
            world = world.clone()
            world.now = end_time if end_time is not None else world.now
            world.events = []
            for w in modelrules.explore(world, lambda w, c: m.forget(w, c) if w.obj else None):
                problem = self.match_events(w.events, actual, world.obj.serial if world.obj else -1)
                if problem:
                    failure = Disagreement(None, "reports: when the object is forgotten: " + problem)
                else:
                    failure = self.check_files(w)
                if failure is None:
                    return None
                first_failure = first_failure or failure
        return first_failure

    # ---- files
    def check_files(self, w):
        folder = self.folder
        expected = {}
        problems = []
        for path, take in w.files.items():
            expected[path] = ("file", take)
        for (castlib, _), (slot, name, take) in w.members.items():
            expected["members/%d-%s.wav" % (castlib, member_file_part(name, slot))] = ("member", take)
        bystanders = self.walk.config.get("bystanders", {})
        seen = set()
        takes = {}
        for root, dirs, files in os.walk(folder):
            for name in files:
                full = os.path.join(root, name)
                rel = os.path.relpath(full, folder)
                seen.add(rel)
                if rel == "walk.ls" or rel in w.logs:
                    continue
                if rel in bystanders:
                    with open(full, encoding="utf-8", errors="replace") as f:
                        if f.read() != bystanders[rel]:
                            problems.append("the file %s changed, which no call wrote" % rel)
                    continue
                if rel not in expected:
                    problems.append("a file no call wrote: %s" % short(rel))
                    continue
                kind, take = expected[rel]
                with open(full, "rb") as f:
                    data = f.read()
                problem = self.check_wav(data, take)
                if problem:
                    problems.append("%s %s: %s" % (kind, short(rel), problem))
                    continue
                same_take = takes.setdefault(take.tid, Wav(data).data)
                if Wav(data).data != same_take:
                    problems.append("%s %s holds other samples than another save of the same take" % (kind,
                                                                                                   short(rel)))
        for rel, (kind, _) in expected.items():
            kept = not self.written_only or rel.endswith((".wav", ".txt"))
            if rel not in seen and kept and len(os.path.basename(rel).encode("utf-8")) <= 255:
                problems.append("the %s %s that the model expects is missing" % (kind, short(rel)))
        for name in bystanders:
            if name not in seen:
                problems.append("the file %s went, which no call removed" % name)
        if problems:
            return Disagreement(None, "files: " + problems[0], "", "\n    ".join(problems[1:4]))
        return None

    def check_wav(self, data, take):
        """What is wrong with a save of the take: a WAV in the take's own format holding it."""
        wav = Wav(data)
        if not wav.valid:
            return wav.problem
        fmt = take.fmt
        if (wav.bits, wav.channels, wav.rate) != (fmt.bits, fmt.channels, fmt.rate):
            return "labelled %d-bit %d channels %d Hz, the take is %d-bit %d channels %d Hz" % (
                wav.bits, wav.channels, wav.rate, fmt.bits, fmt.channels, fmt.rate)
        if wav.tag != 1 or wav.block_align != fmt.block() or wav.byte_rate != fmt.byte_rate():
            return "a header that does not add up (tag %d, block %d, %d bytes a second)" % (
                wav.tag, wav.block_align, wav.byte_rate)
        if wav.riff_size != len(data) - 8:
            return "RIFF size %d for a file of %d bytes" % (wav.riff_size, len(data))
        lo, hi = self.model.data_bytes(take)
        if not lo <= len(wav.data) <= hi:
            return "%d bytes of samples where the take has %d to %d" % (len(wav.data), lo, hi)
        if len(wav.data) % fmt.block():
            return "%d bytes of samples: not whole frames of %d bytes" % (len(wav.data), fmt.block())
        if take.heard_playback:
            # The signal and a take played back, heard together: not the signal's shape.
            return ""
        return check_samples(wav, self.platform.input_signal(), 0, exact=self.platform.simulated)


def member_file_part(name, slot):
    """marlowhost's file name of a member (--save-members)."""
    safe = ""
    for ch in name:
        safe += ch if ord(ch) < 0x80 and (ch.isalnum() or ch in "-_ .") else "_"
    if not name or set(safe) <= {"."}:
        return "member%d" % slot
    return safe


def trace_of(w):
    return (w.obj.trace, w.obj.threshold) if w.obj else None


def short(text):
    return text if len(text) < 90 else text[:60] + "…(%d characters)" % len(text)


def describe(expect):
    return expect.describe() if hasattr(expect, "describe") else display(expect)


def describe_step(step):
    if step["op"] != "call":
        return step["op"]
    args = ", ".join(short(display(decode(a))) for a in step.get("a", []))
    return "%s(%s)" % (step["m"], args) + (" with %s failing" % step["fault"][0] if step.get("fault") else "")


def describe_event(e):
    kind = e[0]
    if kind == "E":
        return "report (%s / %s)" % (describe(e[1]), describe(e[2]))
    if kind == "I":
        return "internal error (%s, %d) at %d ms" % (e[1], e[2], e[3])
    if kind == "I*":
        return "any internal errors"
    if kind in ("EN", "IN"):
        return "call back answering %s" % describe(e[1])
    if kind == "box":
        return "box %s: %s" % (e[1], describe(e[2]))
    return str(e)


def describe_actual(a):
    kind = a[0]
    if kind == "E":
        report = a[1]
        if isinstance(report, PropList):
            return "report (%s / %s)" % (report.get("Description"), report.get("Help"))
        return "report %s" % display(report)
    if kind == "I":
        return "internal error (%s, %s) at %s" % (a[1], a[2], a[3])
    if kind in ("EN", "IN"):
        return "call back answering %s" % display(a[1])
    if kind == "box":
        return "box %s: %s" % (a[1], a[2])
    return str(a)


