"""Lingo values on the model's side: how the walk writes them into a movie
script, and how it reads them back from marlowhost's transcript."""


class Symbol(str):
    """#name"""


class PropList(list):
    """[#key: value, ...]: a list of (key, value) pairs, in order."""

    def get(self, key, default=None):
        for k, v in self:
            if isinstance(k, Symbol) and k.lower() == key.lower():
                return v
        return default


class Float(float):
    """A Lingo float, also when its value is whole."""


class Object:
    def __init__(self, text):
        self.text = text

    def __eq__(self, other):
        return isinstance(other, Object) and other.text == self.text

    def __repr__(self):
        return self.text


INT_MIN = -2147483648


def source(value):
    """The value as Lingo source text."""
    if value is None:
        return "VOID"
    if isinstance(value, Symbol):
        return "#" + value
    if isinstance(value, bool):
        return "1" if value else "0"
    if isinstance(value, int):
        return "(-2147483647 - 1)" if value == INT_MIN else str(value)
    if isinstance(value, float):
        text = "%.6f" % value if abs(value) < 1e15 else "%.1f" % value
        return text
    if isinstance(value, str):
        parts = value.split('"')
        return " & QUOTE & ".join('"%s"' % part for part in parts)
    if isinstance(value, list):
        return list_text(value, source)
    raise TypeError("no Lingo form for %r" % (value,))


def list_text(value, render):
    """A list or property list, its items rendered by render."""
    if isinstance(value, PropList):
        return "[" + (", ".join("%s: %s" % (render(k), render(v)) for k, v in value) or ":") + "]"
    return "[" + ", ".join(render(v) for v in value) + "]"


def display(value):
    """The value as marlowhost's put shows it."""
    if value is None:
        return "<Void>"
    if isinstance(value, Symbol):
        return "#" + value
    if isinstance(value, float):
        return "%.4f" % value
    if isinstance(value, int):
        return str(value)
    if isinstance(value, str):
        return '"%s"' % value
    if isinstance(value, Object):
        return value.text
    if isinstance(value, list):
        return list_text(value, display)
    return repr(value)


class Unreadable(Exception):
    pass


class DisplayReader:
    """Reads values in marlowhost's display form from a text. Strings run to
    the next double quote (the walk's texts hold none), also across lines."""

    def __init__(self, text, pos=0):
        self.text = text
        self.pos = pos

    def fail(self, what):
        raise Unreadable("%s at %r" % (what, self.text[self.pos:self.pos + 40]))

    def skip_spaces(self):
        while self.pos < len(self.text) and self.text[self.pos] == " ":
            self.pos += 1

    def expect(self, literal):
        if not self.text.startswith(literal, self.pos):
            self.fail("expected %r" % literal)
        self.pos += len(literal)

    def value(self):
        self.skip_spaces()
        t = self.text
        if self.pos >= len(t):
            self.fail("end of text")
        c = t[self.pos]
        if c == '"':
            end = t.find('"', self.pos + 1)
            if end < 0:
                self.fail("unterminated string")
            text = t[self.pos + 1:end]
            self.pos = end + 1
            return text
        if c == "#":
            start = self.pos + 1
            self.pos = start
            while self.pos < len(t) and (t[self.pos].isalnum() or t[self.pos] == "_"):
                self.pos += 1
            return Symbol(t[start:self.pos])
        if c == "[":
            return self.list()
        if t.startswith("<Void>", self.pos):
            self.pos += 6
            return None
        if c == "<":
            end = t.find(">", self.pos)
            if end < 0:
                self.fail("unterminated object")
            text = t[self.pos:end + 1]
            self.pos = end + 1
            return Object(text)
        for special, number in (("NAN", float("nan")), ("-INF", float("-inf")), ("INF", float("inf"))):
            if t.startswith(special, self.pos):
                self.pos += len(special)
                return Float(number)
        start = self.pos
        if c == "-":
            self.pos += 1
        while self.pos < len(t) and t[self.pos].isdigit():
            self.pos += 1
        if self.pos < len(t) and t[self.pos] == ".":
            self.pos += 1
            while self.pos < len(t) and t[self.pos].isdigit():
                self.pos += 1
            return Float(t[start:self.pos])
        if self.pos == start or t[start:self.pos] == "-":
            self.fail("no value")
        return int(t[start:self.pos])

    def list(self):
        self.expect("[")
        self.skip_spaces()
        if self.text.startswith(":]", self.pos):
            self.pos += 2
            return PropList()
        if self.text.startswith("]", self.pos):
            self.pos += 1
            return []
        items = []
        props = None
        while True:
            item = self.value()
            self.skip_spaces()
            if self.text.startswith(":", self.pos) and (props is not None or not items):
                self.pos += 1
                props = props if props is not None else PropList()
                props.append((item, self.value()))
            elif props is not None:
                self.fail("property without value")
            else:
                items.append(item)
            self.skip_spaces()
            if self.text.startswith("]", self.pos):
                self.pos += 1
                return props if props is not None else items
            self.expect(",")
