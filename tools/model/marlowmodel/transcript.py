"""marlowhost's transcript, read into records: the values the movie put,
message boxes, debugger output, member files, anything else."""
import re

from .lingo import DisplayReader, Unreadable

MEMBER_FILE = re.compile(r"^\[member file\] (.*) \((\d+) bytes\)$")


class Record:
    def __init__(self, kind, value=None, text=""):
        self.kind = kind      # put, box, debug, member-file, other
        self.value = value
        self.text = text

    def __repr__(self):
        return "%s %s" % (self.kind, self.text)


def read_transcript(text):
    """Records in order; a put whose value cannot be read is an 'other'."""
    text = text.replace("\r\n", "\n")
    records = []
    pos = 0
    while pos < len(text):
        end = text.find("\n", pos)
        end = len(text) if end < 0 else end
        line = text[pos:end]
        if line.startswith("-- "):
            reader = DisplayReader(text, pos + 3)
            try:
                value = reader.value()
                close = text.find("\n", reader.pos)
                close = len(text) if close < 0 else close
                if text[reader.pos:close].strip():
                    raise Unreadable("text after the value")
                records.append(Record("put", value, text[pos:close]))
                pos = close + 1
                continue
            except Unreadable:
                records.append(Record("other", text=line))
        elif line.startswith("[box] "):
            caption, _, body = line[6:].partition(": ")
            records.append(Record("box", (caption, body), line))
        elif line.startswith("[debug] "):
            records.append(Record("debug", line[8:], line))
        elif MEMBER_FILE.match(line):
            m = MEMBER_FILE.match(line)
            records.append(Record("member-file", (m.group(1), int(m.group(2))), line))
        elif line:
            records.append(Record("other", text=line))
        pos = end + 1
    return records
