#!/usr/bin/env python3
"""The random walk of Marlowtide against its model (see README.md here).

  walk.py run [--seconds S | --walks N] [--seed S] [--results FILE]
  walk.py replay SCRIPT.ls
  walk.py shrink SCRIPT.ls
  walk.py regressions
  walk.py wine-generate FOLDER [--seed S] [--walks N]
  walk.py wine-check SCRIPTS OUTPUT
  walk.py wine-rehearse SCRIPTS OUTPUT
"""
import argparse
import os
import random
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
sys.dont_write_bytecode = True   # the source tree stays as it is

from marlowmodel import results, wine  # noqa: E402
from marlowmodel.checker import check_run  # noqa: E402
from marlowmodel.generator import generate  # noqa: E402
from marlowmodel.shrink import shrink, signature  # noqa: E402
from marlowmodel.walk import read_walk  # noqa: E402

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(os.path.dirname(HERE))
REGRESSIONS = os.path.join(HERE, "regressions")


def native_program(args):
    build = args.build or os.path.join(ROOT, "build", "native")
    return (args.marlowhost or os.path.join(build, "marlowhost"), args.xtra or os.path.join(build, "Marlowtide.so"))


def shrunk(walk, first, marlowhost, xtra, folder):
    wanted = signature(walk, first)

    def still_fails(candidate):
        outcome = check_run(candidate, marlowhost, xtra, folder)
        return outcome.disagreement is not None and signature(candidate, outcome.disagreement) == wanted

    print("shrinking %d steps ..." % len(walk.steps), flush=True)
    small = shrink(walk, still_fails)
    return small, check_run(small, marlowhost, xtra, folder).disagreement


def report_disagreement(walk, disagreement, marlowhost, xtra, folder, keep):
    small, again = shrunk(walk, disagreement, marlowhost, xtra, folder)
    number = 1
    while os.path.exists(os.path.join(keep, "disagreement-%d.ls" % number)):
        number += 1
    path = os.path.join(keep, "disagreement-%d.ls" % number)
    with open(path, "w", encoding="utf-8") as f:
        f.write(small.script())
    print("\nDISAGREEMENT %s" % (again or disagreement))
    print("\nshrunk to %d steps, written to %s; replay with: %s replay %s\n" % (
        len(small.steps), path, os.path.relpath(__file__), path))
    print(small.script())


def command_run(args):
    marlowhost, xtra = native_program(args)
    seed = args.seed if args.seed is not None else int(os.environ.get("MARLOWTIDE_WALK_SEED", "0")) or \
        random.SystemRandom().randrange(10 ** 9)
    rng = random.Random(seed)
    print("walk: seed %d (replay this run with --seed %d)" % (seed, seed), flush=True)
    work = args.work or tempfile.mkdtemp(prefix="marlowtide-walk-")
    folder = os.path.join(work, "run")
    began = time.monotonic()
    walks = calls = 0
    found = []
    while (args.walks and walks < args.walks) or (not args.walks and time.monotonic() - began < args.seconds):
        walk_seed = rng.randrange(10 ** 9)
        walk = generate(walk_seed, "simulator", args.length)
        outcome = check_run(walk, marlowhost, xtra, folder)
        walks += 1
        calls += outcome.calls
        if outcome.disagreement:
            found.append("%s (walk seed %d)" % (outcome.disagreement.what.splitlines()[0], walk_seed))
            print("walk %d (seed %d): %s" % (walks, walk_seed, outcome.disagreement), flush=True)
            report_disagreement(walk, outcome.disagreement, marlowhost, xtra, folder, work)
            if not args.keep_going:
                break
    elapsed = time.monotonic() - began
    print("walk: %d walks, %d calls checked in %.0f s, %d disagreements" % (walks, calls, elapsed, len(found)))
    if args.results:
        results.write_section(args.results, seed, walks, calls, elapsed, found)
    return 1 if found else 0


def check_script(args, prefix):
    """Runs the walk of args.script; answers the walk, the run's folders and its outcome."""
    marlowhost, xtra = native_program(args)
    with open(args.script, encoding="utf-8") as f:
        walk = read_walk(f.read())
    folder = tempfile.mkdtemp(prefix=prefix)
    run = os.path.join(folder, "run")
    return walk, marlowhost, xtra, folder, run, check_run(walk, marlowhost, xtra, run)


def command_replay(args):
    _, _, _, _, run, outcome = check_script(args, "marlowtide-replay-")
    if outcome.disagreement:
        print("DISAGREEMENT %s" % outcome.disagreement)
        print("(the run is in %s)" % run)
        return 1
    print("agrees with the model: %d calls checked" % outcome.calls)
    return 0


def command_shrink(args):
    walk, marlowhost, xtra, folder, run, outcome = check_script(args, "marlowtide-shrink-")
    if not outcome.disagreement:
        print("agrees with the model: nothing to shrink")
        return 0
    report_disagreement(walk, outcome.disagreement, marlowhost, xtra, run, folder)
    return 1


def command_regressions(args):
    """The shrunk scripts of faults that were mended: each must agree with the model."""
    marlowhost, xtra = native_program(args)
    folder = os.path.join(tempfile.mkdtemp(prefix="marlowtide-regressions-"), "run")
    names = sorted(name for name in os.listdir(REGRESSIONS) if name.endswith(".ls"))
    failed = 0
    for name in names:
        with open(os.path.join(REGRESSIONS, name), encoding="utf-8") as f:
            walk = read_walk(f.read())
        outcome = check_run(walk, marlowhost, xtra, folder)
        if outcome.disagreement:
            failed += 1
            print("%s: DISAGREEMENT %s" % (name, outcome.disagreement))
        else:
            print("%s: agrees with the model (%d calls)" % (name, outcome.calls))
    print("regressions: %d scripts, %d disagree" % (len(names), failed))
    return 1 if failed or not names else 0


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--build", help="the native build folder (default build/native)")
    parser.add_argument("--marlowhost")
    parser.add_argument("--xtra")
    sub = parser.add_subparsers(dest="command", required=True)
    run = sub.add_parser("run")
    run.add_argument("--seconds", type=float, default=60)
    run.add_argument("--walks", type=int, default=0)
    run.add_argument("--seed", type=int)
    run.add_argument("--length", type=int, default=40)
    run.add_argument("--keep-going", action="store_true", help="go on after a disagreement")
    run.add_argument("--work", help="where the runs and shrunk scripts go (default: a new temporary folder)")
    run.add_argument("--results", help="write the figures as a section of this RESULTS.md")
    for name in ("replay", "shrink"):
        sub.add_parser(name).add_argument("script")
    sub.add_parser("regressions")
    generate_wine = sub.add_parser("wine-generate")
    generate_wine.add_argument("folder")
    generate_wine.add_argument("--seed", type=int)
    generate_wine.add_argument("--walks", type=int, default=6)
    generate_wine.add_argument("--length", type=int, default=40)
    check_wine = sub.add_parser("wine-check")
    check_wine.add_argument("scripts", help="the folder wine-generate wrote")
    check_wine.add_argument("output", help="the tier's output: NAME.out, NAME.rc and NAME/ for each walk")
    rehearse = sub.add_parser("wine-rehearse")
    rehearse.add_argument("scripts")
    rehearse.add_argument("output")
    args = parser.parse_args()
    handlers = {"run": command_run, "replay": command_replay, "shrink": command_shrink,
                "regressions": command_regressions, "wine-generate": wine.command_generate,
                "wine-check": wine.command_check,
                "wine-rehearse": lambda a: wine.command_rehearse(a, *native_program(a))}
    return handlers[args.command](args)


if __name__ == "__main__":
    sys.exit(main())
