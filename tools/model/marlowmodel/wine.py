"""Walks for the real product: Marlowtide.x32 in marlowhost.exe under Wine,
recording the Windows tier's 1 kHz half-scale tone on the default device.
No simulator controls, the real clock, and the real path's tolerances.

wine-generate writes the scripts and the lines of the tier's steps.sh that
run them; the tier leaves, for each run NAME, NAME.out (the transcript),
NAME.rc (the exit status) and NAME/ (the .wav and .txt files the run wrote,
in their folders), as tools/wine/sound-session.sh does for run_movie;
wine-check checks those against the model. wine-rehearse runs the same
scripts with the native build on the real clock into that layout, to try
the wiring without Wine."""
import os
import random
import subprocess

from .checker import Checker, Disagreement, Outcome
from .generator import generate
from .walk import read_walk

# Wine's own words when the program under it crashes or aborts.
CRASH_SIGNS = ("Unhandled exception", "wine: Unhandled", "Assertion", "wine: Call from", "Backtrace:",
               "Unhandled page fault")


def walk_names(folder):
    return sorted(name[:-3] for name in os.listdir(folder) if name.startswith("walk-") and name.endswith(".ls"))


def command_generate(args):
    seed = args.seed if args.seed is not None else random.SystemRandom().randrange(10 ** 9)
    rng = random.Random(seed)
    os.makedirs(args.folder, exist_ok=True)
    steps = []
    calls = 0
    for k in range(1, args.walks + 1):
        walk = generate(rng.randrange(10 ** 9), "wine", args.length)
        name = "walk-%d" % k
        with open(os.path.join(args.folder, name + ".ls"), "w", encoding="utf-8") as f:
            f.write(walk.script())
        options = " ".join(a for a in walk.arguments())
        steps.append("run_movie %s %s.ls %s" % (name, name, options))
        calls += walk.call_count()
    with open(os.path.join(args.folder, "walk-steps.sh"), "w") as f:
        f.write("\n".join(steps) + "\n")
    print("wine-generate: seed %d: %d walks, %d calls, in %s (run them with the lines of walk-steps.sh)" % (
        seed, args.walks, calls, args.folder))
    return 0


def check_one(walk, output, name):
    transcript_path = os.path.join(output, name + ".out")
    if not os.path.exists(transcript_path):
        return Outcome(0, Disagreement(None, "the run left no transcript %s" % transcript_path))
    with open(transcript_path, encoding="utf-8", errors="replace") as f:
        transcript = f.read().replace("\r\n", "\n")
    status_path = os.path.join(output, name + ".rc")
    status = int(open(status_path).read().strip()) if os.path.exists(status_path) else "unknown"
    for line in transcript.splitlines():
        if any(sign in line for sign in CRASH_SIGNS):
            return Outcome(0, Disagreement(None, "crash: the program crashed or aborted under Wine", "",
                                           line.strip()))
    if status == 124:
        return Outcome(0, Disagreement(None, "hang: the run was stopped by its time limit"))
    folder = os.path.join(output, name)
    os.makedirs(folder, exist_ok=True)
    return Checker(walk, folder, written_only=True).check(transcript, status)


def command_check(args):
    names = walk_names(args.scripts)
    calls = 0
    failed = 0
    for name in names:
        with open(os.path.join(args.scripts, name + ".ls"), encoding="utf-8") as f:
            walk = read_walk(f.read())
        outcome = check_one(walk, args.output, name)
        calls += outcome.calls
        if outcome.disagreement:
            failed += 1
            print("%s: DISAGREEMENT %s" % (name, outcome.disagreement))
            print("  (replay: %s in marlowhost.exe %s)" % (os.path.join(args.scripts, name + ".ls"),
                                                           " ".join(walk.arguments())))
        else:
            print("%s: agrees with the model (%d calls)" % (name, outcome.calls))
    print("wine-check: %d walks, %d calls checked, %d disagreements" % (len(names), calls, failed))
    return 1 if failed or not names else 0


def command_rehearse(args, marlowhost, xtra):
    """The walks of wine-generate on the native build and the real clock, in the tier's layout."""
    os.makedirs(args.output, exist_ok=True)
    for name in walk_names(args.scripts):
        with open(os.path.join(args.scripts, name + ".ls"), encoding="utf-8") as f:
            walk = read_walk(f.read())
        run = os.path.join(args.output, "runs", name)
        os.makedirs(run, exist_ok=True)
        with open(os.path.join(run, name + ".ls"), "w", encoding="utf-8") as f:
            f.write(walk.script())
        command = [marlowhost, "--xtra", xtra, "--input", walk.config["input"]] + walk.arguments() + [name + ".ls"]
        with open(os.path.join(args.output, name + ".out"), "wb") as out:
            status = subprocess.run(command, cwd=run, stdout=out, stderr=subprocess.STDOUT).returncode
        with open(os.path.join(args.output, name + ".rc"), "w") as f:
            f.write("%d\n" % status)
        copies = os.path.abspath(os.path.join(args.output, name))
        os.makedirs(copies, exist_ok=True)
        subprocess.run("find . \\( -name '*.wav' -o -name '*.txt' \\) -exec cp --parents {} '%s/' \\;" % copies,
                       shell=True, cwd=run, check=False)
        print("wine-rehearse: %s exit %d" % (name, status))
    return 0
