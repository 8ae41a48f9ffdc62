"""The long walk's figures, as the section "Random walk against the model"
of bench/RESULTS.md. The section replaces its earlier self and stays before
"Under Wine", which bench/wine-figures.sh writes last."""
import datetime
import os

TITLE = "## Random walk against the model"
WINE_TITLE = "## Under Wine"


def section(seed, walks, calls, seconds, disagreements):
    rows = ["| Walks (40 steps each) | %d |" % walks,
            "| Calls checked | %d (%.0f a second) |" % (calls, calls / seconds if seconds else 0),
            "| Disagreements with the model | %d |" % len(disagreements)]
    for text in disagreements:
        rows.append("| ... | %s |" % text.replace("|", "/"))
    return "\n".join([
        TITLE, "",
        "Written by `make walk-long` (tools/model/walk.py): random movie scripts run by build/native/marlowhost "
        "on the simulator's manual clock, every answer, report and file checked against the model of "
        "docs/lingo.md. A disagreement is shrunk to the fewest calls and kept as a script that marlowhost "
        "replays.", "",
        "- Date: %s" % datetime.datetime.now(datetime.timezone.utc).strftime("%Y-%m-%d %H:%M UTC"),
        "- Seed: %d (`tools/model/walk.py run --seed %d` walks the same scripts again)" % (seed, seed),
        "- Time: %.0f s" % seconds, "",
        "| Figure | Measured |", "|---|---|"] + rows) + "\n"


def write_section(path, seed, walks, calls, seconds, disagreements):
    text = open(path, encoding="utf-8").read() if os.path.exists(path) else "# Benchmark results\n"
    new = section(seed, walks, calls, seconds, disagreements)
    start = text.find(TITLE)
    if start >= 0:
        end = text.find("\n## ", start + len(TITLE))
        text = text[:start] + new + ("\n" + text[end + 1:] if end >= 0 else "")
    elif WINE_TITLE in text:
        at = text.find(WINE_TITLE)
        text = text[:at] + new + "\n" + text[at:]
    else:
        text = text.rstrip("\n") + "\n\n" + new
    with open(path, "w", encoding="utf-8") as f:
        f.write(text)
    print("walk: figures written to %s" % path)
