#!/usr/bin/env python3
"""Mutation testing for the game's C++ sources, run by hand (never in CI).

Plants one small fault at a time into the chosen source files (a flipped comparison, + for -, ++ for --,
a changed constant, a negated condition, a deleted statement, swapped arguments), rebuilds only the test
executables of the matching tests/ folder in its own build folder (build-mutate/, so build/ is never
touched), runs that folder's tests with a timeout and reports each mutant as killed, survived, timed out
or not compiled, with file and line. The source file is always restored, on Ctrl+C too.

    tools/mutate.py src/game                       # 25 mutants drawn from the whole folder
    tools/mutate.py src/core/IniFile.cpp -n 40 --seed 7
    tools/mutate.py src/engine --list              # show the mutants, build nothing
    tools/mutate.py src/game --rerun game.jsonl    # the survivors of an earlier --log run only

The sample is drawn in random order, so a run cut short is still an unbiased sample.

Mutants listed in tools/mutate-equivalent.txt (file:line:column:operator:before=>after, as the report
prints them, with the reason after a '#') are skipped and counted as equivalent.
"""
import argparse
import json
import os
import random
import re
import signal
import subprocess
import sys
import time
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
EQUIVALENT_LIST = ROOT / "tools" / "mutate-equivalent.txt"

# Binary operators are only matched with a space on each side, as the code is formatted, so template
# brackets, stream operators and pointers stay out of reach.
SWAPS = [
    ("relational", [(" < ", " <= "), (" <= ", " < "), (" > ", " >= "), (" >= ", " > ")]),
    ("equality", [(" == ", " != "), (" != ", " == ")]),
    ("logical", [(" && ", " || "), (" || ", " && ")]),
    ("arithmetic", [(" + ", " - "), (" - ", " + "), (" += ", " -= "), (" -= ", " += ")]),
    ("increment", [("++", "--"), ("--", "++")]),
    ("boolean", [("true", "false"), ("false", "true")]),
]
NUMBER = re.compile(r"(?<![\w.])(\d+)(?![\w.])")
CONDITION = re.compile(r"\b(if|while) \(")
CALL_TWO_ARGS = re.compile(r"(\w\()([\w.\->\[\]:]+), ([\w.\->\[\]:]+)\)")
DECLARATION = re.compile(r"^(const |static |constexpr |auto |unsigned |std::|[A-Z]\w*[ &*]|int |float |"
                         r"double |bool |char |uint\w* |size_t |long |short |using |typedef |namespace |"
                         r"template|class |struct |enum |return|case |default:|public:|private:|protected:)")


def strip_strings(line):
    """Blanks string and character literals (keeping length) so they are never mutated."""
    out, quote, escape = [], None, False
    for ch in line:
        if quote:
            out.append(" ")
            if escape:
                escape = False
            elif ch == "\\":
                escape = True
            elif ch == quote:
                quote = None
        else:
            if ch in "\"'":
                quote = ch
                out.append(" ")
            else:
                out.append(ch)
    return "".join(out)


def code_lines(text):
    """Yields (index, code) for lines worth mutating: outside comments, preprocessor lines and strings."""
    in_block = False
    for i, line in enumerate(text.split("\n")):
        code = line
        if in_block:
            end = code.find("*/")
            if end < 0:
                continue
            code = " " * (end + 2) + code[end + 2:]
            in_block = False
        code = strip_strings(code)
        start = code.find("/*")
        if start >= 0 and code.find("*/", start) < 0:
            in_block = True
            code = code[:start]
        code = re.sub(r"/\*.*?\*/", lambda m: " " * len(m.group()), code)
        cut = code.find("//")
        if cut >= 0:
            code = code[:cut]
        if not code.strip() or code.lstrip().startswith("#"):
            continue
        yield i, code


def matching_paren(code, open_at):
    depth = 0
    for j in range(open_at, len(code)):
        if code[j] == "(":
            depth += 1
        elif code[j] == ")":
            depth -= 1
            if depth == 0:
                return j
    return -1


def mutants_of(path):
    """Every mutant of one file: dicts with line (1-based), column, operator, before, after."""
    text = path.read_text()
    lines = text.split("\n")
    found = []

    def add(i, col, op, before, after):
        found.append({"file": str(path.relative_to(ROOT)), "line": i + 1, "col": col, "op": op,
                      "before": before, "after": after})

    depth_before = 0
    for i, code in code_lines(text):
        depth = depth_before
        depth_before += code.count("{") - code.count("}")
        if depth == 0:
            continue  # outside any function body: declarations and signatures
        for op, pairs in SWAPS:
            for before, after in pairs:
                for m in re.finditer(re.escape(before) if op not in ("boolean",) else r"\b%s\b" % before, code):
                    if op == "increment" and (code[m.start() - 1:m.start()] in "+-" and m.start() > 0):
                        continue
                    if op == "arithmetic" and before.strip() in "+-" and code[m.end():m.end() + 1] in "=":
                        continue
                    add(i, m.start(), op, before, after)
        for m in NUMBER.finditer(code):
            n = int(m.group(1))
            if code[:m.start()].rstrip().endswith("[") and code.lstrip().startswith(("const", "static")):
                continue
            add(i, m.start(), "constant", m.group(1), "1" if n == 0 else ("0" if n == 1 else str(n + 1)))
        for m in CONDITION.finditer(code):
            open_at = m.end() - 1
            close = matching_paren(code, open_at)
            if close > 0:
                inner = lines[i][open_at + 1:close]
                add(i, open_at, "negate", "(" + inner + ")", "(!(" + inner + "))")
        for m in CALL_TWO_ARGS.finditer(code):
            a, b = m.group(2), m.group(3)
            if a != b:
                add(i, m.start(2), "swap-args", a + ", " + b, b + ", " + a)
        stripped = code.strip()
        if (stripped.endswith(";") and "{" not in stripped and "}" not in stripped
                and not DECLARATION.match(stripped) and stripped.count("(") == stripped.count(")")
                and not stripped.startswith(("else", ":", ")", "&&", "||", "?"))
                and not lines[i - 1].rstrip().endswith((",", "(", "&&", "||", "=", "?", ":", "+", "-"))
                and (lines[i - 1].rstrip().endswith((";", "{", "}")) or lines[i - 1].strip().startswith("//"))):
            col = len(code) - len(code.lstrip())
            add(i, col, "delete", lines[i][col:len(code.rstrip())], "")
    return found


def key_of(m):
    return "%s:%d:%d:%s:%s=>%s" % (m["file"], m["line"], m["col"], m["op"], m["before"].strip(),
                                   m["after"].strip())


def load_equivalent():
    keys = {}
    if EQUIVALENT_LIST.exists():
        for raw in EQUIVALENT_LIST.read_text().split("\n"):
            if raw.strip() and not raw.startswith("#"):
                key, _, why = raw.partition(" # ")
                keys[key.strip()] = why.strip()
    return keys


def apply(text, m):
    lines = text.split("\n")
    line = lines[m["line"] - 1]
    col = m["col"]
    assert line[col:col + len(m["before"])] == m["before"], (key_of(m), line)
    if m["op"] == "delete":
        lines[m["line"] - 1] = line[:col] + ";  // mutant: statement deleted"
    else:
        lines[m["line"] - 1] = line[:col] + m["after"] + line[col + len(m["before"]):]
    return "\n".join(lines)


def test_folder(source):
    """src/<folder>/... -> <folder>: the tests/<folder>/ suites are the ones that answer for it."""
    parts = Path(source).parts
    return parts[1]


def test_targets(folder):
    return sorted("%s_%s" % (folder, p.stem) for p in (ROOT / "tests" / folder).glob("*Test.cpp"))


def run(cmd, timeout, cwd=ROOT, env=None):
    """Runs cmd in its own process group; returns (status, seconds) with status None on timeout."""
    start = time.time()
    proc = subprocess.Popen(cmd, cwd=cwd, env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                            start_new_session=True)
    try:
        status = proc.wait(timeout=timeout)
    except subprocess.TimeoutExpired:
        os.killpg(proc.pid, signal.SIGKILL)
        proc.wait()
        status = None
    except KeyboardInterrupt:
        os.killpg(proc.pid, signal.SIGKILL)
        proc.wait()
        raise
    return status, time.time() - start


def interrupt(signum, frame):
    raise KeyboardInterrupt


def main():
    # Ctrl+C and kill both end through the restoring path, even when started in the background.
    signal.signal(signal.SIGINT, interrupt)
    signal.signal(signal.SIGTERM, interrupt)
    ap = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    ap.add_argument("paths", nargs="+", help="source files or folders under src/")
    ap.add_argument("-n", "--sample", type=int, default=25, help="mutants to try (0: all)")
    ap.add_argument("--seed", type=int, default=1, help="seed of the deterministic sample")
    ap.add_argument("-j", "--jobs", type=int, default=4, help="build and test jobs (the cores are shared)")
    ap.add_argument("--timeout", type=int, default=60, help="seconds allowed for one test case")
    ap.add_argument("--build-dir", default="build-mutate")
    ap.add_argument("--exclude", action="append", default=[], help="skip files whose path contains this")
    ap.add_argument("--list", action="store_true", help="list the sampled mutants and stop")
    ap.add_argument("--log", help="append one JSON line per mutant to this file")
    ap.add_argument("--skip", type=int, default=0, help="leave out the first SKIP mutants of the sample")
    ap.add_argument("--rerun", help="try only the survivors recorded in this --log file")
    args = ap.parse_args()

    files = []
    for p in args.paths:
        p = (ROOT / p).resolve()
        files += sorted(p.rglob("*.cpp")) if p.is_dir() else [p]
    files = [f for f in files if not any(x in str(f) for x in args.exclude)]
    pool = [m for f in files for m in mutants_of(f)]
    rng = random.Random(args.seed)
    sample = pool if args.sample == 0 or args.sample >= len(pool) else rng.sample(pool, args.sample)
    if args.rerun:
        # The survivors of an earlier run, tried again against the tests written since.
        wanted = set()
        for raw in open(args.rerun):
            entry = json.loads(raw)
            if entry["result"] == "survived":
                wanted.add(key_of(entry))
        sample = [m for m in pool if key_of(m) in wanted]
    if args.skip:
        sample = sample[args.skip:]  # a larger sample goes on where a smaller one with the same seed ended
    equivalent = load_equivalent()
    print("%d mutants in %d files, %d sampled (seed %d)" % (len(pool), len(files), len(sample), args.seed))
    if args.list:
        for m in sample:
            print(key_of(m))
        return 0

    build = (ROOT / args.build_dir)
    if not (build / "CMakeCache.txt").exists():
        # Checked container indices: a mutant that reads past an array fails loudly instead of quietly
        # reading its neighbour.
        subprocess.check_call(["cmake", "-S", str(ROOT), "-B", str(build), "-DCMAKE_BUILD_TYPE=Release",
                               "-DCMAKE_CXX_FLAGS=-D_GLIBCXX_ASSERTIONS"])
    env = dict(os.environ, SDL_VIDEODRIVER="dummy", SDL_AUDIODRIVER="dummy", ALSOFT_DRIVERS="null")
    counts = {"killed": 0, "survived": 0, "timeout": 0, "not-compiled": 0, "equivalent": 0}
    baseline_ready = set()
    log = open(args.log, "a") if args.log else None

    for n, m in enumerate(sample, 1):
        key = key_of(m)
        if key in equivalent:
            counts["equivalent"] += 1
            print("[%d/%d] equivalent    %s" % (n, len(sample), key), flush=True)
            continue
        folder = test_folder(m["file"])
        targets = test_targets(folder)
        build_cmd = ["cmake", "--build", str(build), "-j%d" % args.jobs, "--target"] + targets
        test_cmd = ["ctest", "--test-dir", str(build), "-L", "^%s$" % folder, "-j%d" % args.jobs,
                    "--stop-on-failure", "--timeout", str(args.timeout)]
        if folder not in baseline_ready:
            # The unmutated tree must build and pass, or every mutant would count as killed.
            # The whole tree is built once: the tests also read the staged game data.
            whole = ["cmake", "--build", str(build), "-j%d" % args.jobs]
            if run(whole, None, env=env)[0] != 0 or run(test_cmd, args.timeout * 4, env=env)[0] != 0:
                print("the unmutated %s tests do not build or pass; stopping" % folder)
                return 2
            baseline_ready.add(folder)
        path = ROOT / m["file"]
        original = path.read_text()
        interrupted = False
        try:
            path.write_text(apply(original, m))
            status, _ = run(build_cmd, None, env=env)
            if status != 0:
                result = "not-compiled"
            else:
                status, _ = run(test_cmd, args.timeout * 3, env=env)
                result = "timeout" if status is None else ("survived" if status == 0 else "killed")
        except KeyboardInterrupt:
            interrupted = True
        finally:
            path.write_text(original)
            # The old time stamp would leave the mutated objects in place; a new one rebuilds them.
            os.utime(path, None)
        if interrupted:
            print("\ninterrupted; %s restored" % m["file"])
            subprocess.call(build_cmd, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            return 130
        counts[result] += 1
        print("[%d/%d] %-13s %s" % (n, len(sample), result, key), flush=True)
        if log:
            log.write(json.dumps(dict(m, result=result, seed=args.seed)) + "\n")
            log.flush()

    # Leave build-mutate matching the sources again.
    for folder in baseline_ready:
        run(["cmake", "--build", str(build), "-j%d" % args.jobs, "--target"] + test_targets(folder), None)
    tried = counts["killed"] + counts["survived"] + counts["timeout"]
    score = 100.0 * (counts["killed"] + counts["timeout"]) / tried if tried else 0.0
    print("killed %(killed)d, survived %(survived)d, timed out %(timeout)d, not compiled %(not-compiled)d, "
          "equivalent %(equivalent)d" % counts)
    print("score %.1f%% of %d non-equivalent mutants that compiled (timeouts count as killed)" % (score, tried))
    return 0 if counts["survived"] == 0 else 1


if __name__ == "__main__":
    sys.exit(main())
