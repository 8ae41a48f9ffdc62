"""A walk: the machine it runs on and its steps, written as the movie script
marlowhost runs. The script carries the walk itself in a comment line, so a
script printed for a disagreement is replayed and checked as it stands."""
import json
import shlex

from .lingo import Float, PropList, Symbol, source

HEADER = "-- walk: "


def encode(value):
    if value is None or isinstance(value, bool):
        return value
    if isinstance(value, Symbol):
        return {"s": str(value)}
    if isinstance(value, float):
        return {"f": value}
    if isinstance(value, (int, str)):
        return value
    if isinstance(value, PropList):
        return {"p": [[encode(k), encode(v)] for k, v in value]}
    if isinstance(value, list):
        return [encode(v) for v in value]
    raise TypeError(value)


def decode(value):
    if isinstance(value, dict):
        if "s" in value:
            return Symbol(value["s"])
        if "f" in value:
            return Float(value["f"])
        return PropList((decode(k), decode(v)) for k, v in value["p"])
    if isinstance(value, list):
        return [decode(v) for v in value]
    return value


class Walk:
    """config: the machine (platform, director, devices, input, handlers,
    folders, bystander files); steps: dicts with op call, idle, sim, new."""

    def __init__(self, config, steps):
        self.config = config
        self.steps = steps

    def with_steps(self, steps):
        return Walk(self.config, steps)

    def arguments(self):
        """marlowhost's options for this walk, less --xtra and the script."""
        c = self.config
        args = []
        if c["platform"] == "simulator":
            args += ["--clock", "manual", "--input", c["input"]]
            if "device_names" in c:
                for name in c["device_names"]:
                    args += ["--device", name]
            else:
                args += ["--devices", str(c["devices"])]
        args += ["--director-version", c["director"], "--save-members", "members"]
        return args

    def script(self):
        return write_script(self)

    def call_count(self):
        return sum(1 for s in self.steps if s["op"] == "call")


def read_walk(text):
    for line in text.splitlines():
        if line.startswith(HEADER):
            data = json.loads(line[len(HEADER):])
            return Walk(data["config"], data["steps"])
    raise ValueError("not a walk script: no '%s' line" % HEADER.strip())


HANDLER_TEMPLATE = """
on {name} {params}
  global gS, gR, {guard}
  put [{tag}, gS, {fields}]
{nested}end
"""

NESTED_TEMPLATE = """  if {guard} = 0 and ilk(gR) = #instance then
    {guard} = 1
    put [{tag}, gS, gR.{method}(), the milliseconds]
    {guard} = 0
  end if
"""


def _handler(name, params, tag, fields, guard, method):
    nested = NESTED_TEMPLATE.format(guard=guard, tag=source(tag + "N"), method=method) if method else ""
    return HANDLER_TEMPLATE.format(name=name, params=params, guard=guard, tag=source(tag), fields=fields,
                                   nested=nested)


def write_script(walk):
    c = walk.config
    lines = ["-- A random walk of tools/model, checked against the model of docs/lingo.md.",
             "-- Replay: tools/model/walk.py replay THIS.ls (or marlowhost with the options below).",
             "-- args: " + " ".join(shlex.quote(a) for a in walk.arguments()),
             HEADER + json.dumps({"config": c, "steps": walk.steps}, ensure_ascii=False),
             "global gR, gS, gInE, gInI, gInF",
             "",
             "on startMovie",
             "  gS = 0",
             "  gInE = 0",
             "  gInI = 0",
             "  gInF = 0",
             '  gR = new(xtra "Marlowtide")',
             '  put ["T0", the milliseconds]']
    for k, step in enumerate(walk.steps, 1):
        lines.append("  gS = %d" % k)
        lines.extend("  " + line for line in step_lines(k, step))
    lines += ['  gS = -1', '  put ["END", the milliseconds]', "end"]
    handlers = c.get("handlers", {})
    text = "\n".join(lines) + "\n"
    text += _handler("Marlowtide_XtraError", "report", "E", "the milliseconds, report", "gInE", handlers.get("E"))
    for name in ("Marlowtide_InternalError", "EngineFailed"):
        text += _handler(name, "id, message, code", "I", "the milliseconds, id, message, code", "gInI",
                         handlers.get("I"))
    text += _handler("Marlowtide_XtraFlow", "where, what", "F", "where, what", "gInF", handlers.get("F"))
    return text


def call_text(step):
    method = step["m"]
    args = [source(decode(a)) for a in step.get("a", [])]
    if step.get("form") == "function":
        return "%s(%s)" % (method, ", ".join(["gR"] + args))
    return "gR.%s(%s)" % (method, ", ".join(args))


def step_lines(k, step):
    op = step["op"]
    if op == "call":
        lines = []
        fault = step.get("fault")
        if fault:
            lines.append("simulate(#fault, %s, %d, %d)" % (source(fault[0]), fault[1], fault[2]))
        shown = "[%d, %s, the milliseconds" % (k, call_text(step))
        name = decode(step.get("a", [None])[0]) if step.get("a") else None
        if step["m"] == "SaveAsMember" and isinstance(name, str) and not isinstance(name, Symbol):
            shown += ", memberInfo(%s)" % source(name)
        lines.append("put " + shown + "]")
        if fault:
            lines.append("simulate(#clearFaults)")
        return lines
    if op == "idle":
        return ["idle(%d)" % step["ms"], "put [%d, #idle, the milliseconds]" % k]
    if op == "sim":
        what = step["what"]
        if what == "capture":
            text = "simulate(#captureDevice, %d, #%s)" % (step["device"] + 1, step["state"])
        elif what == "playback":
            text = "simulate(#playbackDevice, #%s)" % step["state"]
        elif what == "wide":
            text = "simulate(#wideSamples, %d)" % step["on"]
        else:
            text = "simulate(#neverDeliver, %d)" % step["count"]
        return [text, "put [%d, #sim, the milliseconds]" % k]
    if op == "new":
        return ["gR = 0", 'gR = new(xtra "Marlowtide")', "put [%d, #new, the milliseconds]" % k]
    raise ValueError(op)
