"""What the model allows for one answer: an exact value, or a range it names."""
import math
import re

from .lingo import Float, PropList, Symbol, display


class Expect:
    """An allowed answer. name says which promise allows it (for ranges)."""

    def matches(self, value):
        raise NotImplementedError

    def describe(self):
        raise NotImplementedError

    def key(self):
        return (type(self).__name__, self.describe())

    def __eq__(self, other):
        return isinstance(other, Expect) and self.key() == other.key()

    def __hash__(self):
        return hash(self.key())

    def __repr__(self):
        return self.describe()


class Exact(Expect):
    def __init__(self, value):
        self.value = value

    def matches(self, value):
        return same(value, self.value)

    def describe(self):
        return display(self.value)


class OneOf(Expect):
    def __init__(self, options, name):
        self.options = list(options)
        self.name = name

    def matches(self, value):
        return any(o.matches(value) if isinstance(o, Expect) else same(value, o) for o in self.options)

    def describe(self):
        return "one of %s (%s)" % (", ".join(o.describe() if isinstance(o, Expect) else display(o)
                                             for o in self.options), self.name)


class AnyError(Expect):
    """Any failure text: 'Error :MESSAGE (CODE)', MESSAGE matching the pattern."""

    def __init__(self, name, pattern=".*"):
        self.name = name
        self.pattern = pattern

    def matches(self, value):
        return isinstance(value, str) and re.fullmatch(r"Error :(%s) \(-?\d+\)" % self.pattern, value,
                                                       re.S) is not None

    def describe(self):
        return "a failure text (%s)" % self.name


class Pattern(Expect):
    def __init__(self, pattern, name):
        self.pattern = pattern
        self.name = name

    def matches(self, value):
        return isinstance(value, str) and re.fullmatch(self.pattern, value, re.S) is not None

    def describe(self):
        return "a text like %s (%s)" % (self.pattern, self.name)


class Levels(Expect):
    """[[#Left: n, #Right: n, #Error: "Ok"]] with n within bounds."""

    def __init__(self, left, right, name):
        self.left = left
        self.right = right
        self.name = name

    def matches(self, value):
        if not (isinstance(value, list) and len(value) == 1 and isinstance(value[0], PropList)):
            return False
        entry = value[0]
        if [k.lower() for k, _ in entry] != ["left", "right", "error"] or entry.get("Error") != "Ok":
            return False
        left, right = entry.get("Left"), entry.get("Right")
        return (type(left) is int and type(right) is int and self.left[0] <= left <= self.left[1]
                and self.right[0] <= right <= self.right[1])

    def describe(self):
        return "levels left %d to %d, right %d to %d (%s)" % (self.left + self.right + (self.name,))


def same(actual, expected):
    if isinstance(expected, Expect):
        return expected.matches(actual)
    if expected is None or actual is None:
        return expected is actual
    if isinstance(expected, Symbol) or isinstance(actual, Symbol):
        return isinstance(expected, Symbol) and isinstance(actual, Symbol) and expected.lower() == actual.lower()
    if isinstance(expected, float) or isinstance(actual, float):
        if not (isinstance(expected, float) and isinstance(actual, float)):
            return False
        if math.isnan(expected):
            return math.isnan(actual)
        return "%.4f" % expected == "%.4f" % actual
    if isinstance(expected, bool):
        return actual == int(expected)
    if isinstance(expected, PropList) or isinstance(actual, PropList):
        return (isinstance(expected, PropList) and isinstance(actual, PropList) and len(expected) == len(actual)
                and all(same(ak, ek) and same(av, ev) for (ak, av), (ek, ev) in zip(actual, expected)))
    if isinstance(expected, list):
        return (isinstance(actual, list) and not isinstance(actual, PropList) and len(actual) == len(expected)
                and all(same(a, e) for a, e in zip(actual, expected)))
    if isinstance(expected, str):
        return isinstance(actual, str) and actual == expected
    return type(actual) is type(expected) and actual == expected


def error_text(message, code):
    return "Error :%s (%d)" % (message, code)


def f32(x):
    import struct
    return struct.unpack("<f", struct.pack("<f", x))[0]


def rate_display(rate_hz):
    return Float(f32(f32(rate_hz) * f32(0.001)))
