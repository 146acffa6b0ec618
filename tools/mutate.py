#!/usr/bin/env python3
"""Checks that the tests catch deliberate faults.

Copies the committed-or-edited tracked files of the repository into a scratch
folder (build-mutate/src), builds it once, then applies each mutation of a
list to the scratch copy alone, rebuilds, runs ctest and puts the file back.
The repository itself is only read, never written.

    tools/mutate.py [tools/mutations.txt] [--only NAME] [--under FOLDER]
                    [--tests tst_a|tst_b]

--only keeps the mutations whose name contains NAME, --under those of files
under FOLDER; --tests builds and runs only the named test programs (a quick
check of the tests one change touched: a mutation missed there may still be
caught by another program).

A mutation list has blocks of three lines (blank lines and # comments
between blocks are ignored):

    name: what the fault is
    file: path/in/the/repository
    from: text that occurs exactly once   (\\n for a line end)
    to:   its replacement

A mutation is caught when the build breaks or any test fails.
"""
import os
import shutil
import subprocess
import sys
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
WORK = os.path.join(ROOT, "build-mutate")
SRC = os.path.join(WORK, "src")
BUILD = os.path.join(WORK, "build")


def read_mutations(path):
    mutations, current = [], {}
    with open(path, encoding="utf-8") as f:
        for raw in f:
            line = raw.rstrip("\n")
            if not line.strip() or line.lstrip().startswith("#"):
                continue
            key, _, value = line.partition(":")
            key = key.strip()
            value = value[1:] if value.startswith(" ") else value
            if key == "name" and current:
                mutations.append(current)
                current = {}
            current[key] = value.replace("\\n", "\n") if key in ("from", "to") else value
    if current:
        mutations.append(current)
    for m in mutations:
        missing = {"name", "file", "from", "to"} - m.keys()
        if missing:
            sys.exit(f"mutation {m.get('name', '?')}: missing {', '.join(sorted(missing))}")
    return mutations


def copy_tree():
    files = subprocess.run(["git", "ls-files", "-z"], cwd=ROOT, check=True,
                           capture_output=True).stdout.decode().split("\0")
    for rel in filter(None, files):
        src, dst = os.path.join(ROOT, rel), os.path.join(SRC, rel)
        if not os.path.isfile(src):
            continue
        os.makedirs(os.path.dirname(dst), exist_ok=True)
        # Only changed files are copied, so the scratch build stays incremental.
        # A copied file gets a fresh time: one left mutated by an interrupted
        # run must look newer than the objects built from it.
        if not os.path.exists(dst) or open(src, "rb").read() != open(dst, "rb").read():
            shutil.copyfile(src, dst)
            shutil.copymode(src, dst)  # scripts the tests run stay executable


def run(cmd, cwd, timeout):
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen", CCACHE_BASEDIR="/work")
    try:
        return subprocess.run(cmd, cwd=cwd, env=env, capture_output=True, timeout=timeout)
    except subprocess.TimeoutExpired:
        return None


def build_and_test(tests=None):
    """'build broke', 'tests fail', 'timeout' or 'passes'."""
    # Everything: the install-layout test installs the programs too.
    targets = ["--target", *tests.split("|")] if tests else []
    built = run(["cmake", "--build", BUILD, *targets], WORK, 1800)
    if built is None:
        return "timeout"
    if built.returncode != 0:
        return "build broke"
    # The first failing program is enough to call a mutation caught.
    chosen = ["-R", f"^({tests})$"] if tests else []
    tested = run(["ctest", "--timeout", "120", "-j2", "--stop-on-failure", *chosen], BUILD, 900)
    if tested is None:
        return "timeout"
    if tested.returncode == 0:
        return "passes"
    failed = [l.split("-", 1)[-1].strip().split(" ")[0]
              for l in tested.stdout.decode().splitlines() if "(Failed)" in l or "(Subprocess" in l]
    return "tests fail: " + ", ".join(failed)


def main():
    args = sys.argv[1:]
    options = {}
    for option in ("--only", "--under", "--tests"):
        if option in args:
            options[option] = args[args.index(option) + 1]
            del args[args.index(option):args.index(option) + 2]
    only, tests = options.get("--only"), options.get("--tests")
    listing = args[0] if args else os.path.join(ROOT, "tools", "mutations.txt")
    mutations = read_mutations(listing)
    if only:
        mutations = [m for m in mutations if only in m["name"]]
    if options.get("--under"):
        folder = options["--under"].rstrip("/") + "/"
        mutations = [m for m in mutations if m["file"].startswith(folder)]

    os.makedirs(SRC, exist_ok=True)
    copy_tree()
    if not os.path.exists(os.path.join(BUILD, "build.ninja")):
        subprocess.run(["cmake", "-S", SRC, "-B", BUILD, "-G", "Ninja",
                        "-DCMAKE_BUILD_TYPE=Debug"], check=True, capture_output=True)
    baseline = build_and_test(tests)
    if baseline != "passes":
        sys.exit(f"the unmutated tree does not pass ({baseline}); nothing to measure")

    caught = 0
    for m in mutations:
        path = os.path.join(SRC, m["file"])
        original = open(path, encoding="utf-8").read()
        if original.count(m["from"]) != 1:
            print(f"NOT APPLIED  {m['name']}: the text occurs {original.count(m['from'])} times")
            continue
        start = time.time()
        try:
            with open(path, "w", encoding="utf-8") as f:
                f.write(original.replace(m["from"], m["to"]))
            outcome = build_and_test(tests)
        finally:
            with open(path, "w", encoding="utf-8") as f:
                f.write(original)
            # The restored file must look newer than the build's outputs.
            os.utime(path, None)
        hit = outcome != "passes"
        caught += hit
        print(f"{'CAUGHT' if hit else 'MISSED'}  {m['name']}: {outcome} "
              f"({time.time() - start:.0f} s)", flush=True)
    print(f"{caught} of {len(mutations)} mutations caught")
    return 0 if caught == len(mutations) else 1


if __name__ == "__main__":
    sys.exit(main())
