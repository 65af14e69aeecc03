#!/usr/bin/env python3
"""Mutation testing of the core: how many small faults does the suite catch?

Picks a fixed, seeded sample of single operator or constant changes in src/core/**/*.cpp, applies
one at a time, rebuilds incrementally in build-mutate/, runs the tests and restores the file.
The core tests run first, those nearest the mutated file before the rest; only a mutant they all
pass pays for relinking and running the window-side tests that can reach it: those built from the
mutated file's header, and the one that runs the program itself.
A mutant is killed when a test fails (or hangs past the timeout), survives when all pass; a mutant
that does not build is left out of the count.

Which mutants the sample holds depends only on the seed and on each mutant's own file, line text
and column, so an edit elsewhere does not reshuffle the sample.
"""

import argparse
import fcntl
import fnmatch
import hashlib
import json
import os
import re
import shutil
import signal
import statistics
import subprocess
import sys
import time
from dataclasses import dataclass
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
BUILD = ROOT / "build-mutate"
BACKUP = BUILD / "mutate-backup"
EQUIVALENT = ROOT / "tools" / "mutate-equivalent.txt"
REPORT = BUILD / "mutate-report.txt"
DEFAULT_SEED = 20
DEFAULT_COUNT = 150
TEST_TIMEOUT = 30

# Longest first, so that "<<=" is read as one token and never as "<" followed by "<=".
OPERATORS = sorted(
    "<<= >>= <=> ->* << >> <= >= == != && || += -= *= /= ++ -- -> :: < > + - ! * / % = & | ^ ~ ? : ; , . ( ) [ ] { }".split(),
    key=len,
    reverse=True,
)
# Binary operators count only when clang-format spaced them on both sides: that tells a comparison
# from a template bracket, a sum from a sign, a conjunction from a forwarding reference.
SPACED_SWAPS = {
    "<": "<=",
    "<=": "<",
    ">": ">=",
    ">=": ">",
    "&&": "||",
    "||": "&&",
    "+": "-",
    "-": "+",
    "+=": "-=",
    "-=": "+=",
}
ANY_SWAPS = {"==": "!=", "!=": "=="}
WORD_SWAPS = {"true": "false", "false": "true"}
# Logging says nothing a test should check.
SKIPPED_LINE = re.compile(r"\b(qDebug|qInfo|qWarning|qCritical|Q_ASSERT|Q_UNUSED)\b")


@dataclass
class Mutant:
    path: str  # relative to ROOT
    line: int  # 1-based
    offset: int  # into the file's text
    before: str
    after: str
    text: str  # the line, stripped
    key: str = ""
    nth: int = 1  # among the same change on the same line, from the left

    def describe(self):
        return f"'{self.before}' -> '{self.after}'"

    def where(self):
        return f"{self.path}:{self.line}"


# Conditions this build is known to compile out (or in); a change there could not be caught.
KNOWN_CONDITIONS = {
    "Q_OS_WIN": sys.platform.startswith("win"),
    "Q_OS_UNIX": not sys.platform.startswith("win"),
    "Q_BYTE_ORDER == Q_BIG_ENDIAN": sys.byteorder == "big",
}


def compiled_out(lines):
    """The indexes of lines inside a preprocessor branch this build leaves out."""
    out, stack = set(), []  # per open #if: whether its current branch is compiled
    for idx, line in enumerate(lines):
        s = line.strip()
        m = re.match(r"#\s*(ifdef|ifndef|if|elif|else|endif)\b\s*(.*)", s)
        if m:
            kind, cond = m.group(1), m.group(2).split("//")[0].strip()
            known = KNOWN_CONDITIONS.get(cond)
            if kind in ("if", "ifdef"):
                stack.append(True if known is None else known)
            elif kind == "ifndef":
                stack.append(True if known is None else not known)
            elif kind == "else" and stack:
                stack[-1] = not stack[-1]
            elif kind == "elif" and stack:
                stack[-1] = True
            elif kind == "endif" and stack:
                stack.pop()
        elif not all(stack):
            out.add(idx)
    return out


def sites(path, text):
    """Every mutant of one file, outside comments, literals and preprocessor lines."""
    lines = text.split("\n")
    line_starts = [0]
    for ln in lines:
        line_starts.append(line_starts[-1] + len(ln) + 1)

    def line_of(pos):
        lo, hi = 0, len(lines) - 1
        while lo < hi:
            mid = (lo + hi + 1) // 2
            if line_starts[mid] <= pos:
                lo = mid
            else:
                hi = mid - 1
        return lo

    dead = compiled_out(lines)

    def skipped(idx):
        stripped = lines[idx].strip()
        if idx in dead:
            return True
        if SKIPPED_LINE.search(stripped):
            return True
        # A preprocessor line and its continuations.
        j = idx
        while j >= 0:
            s = lines[j].strip()
            if s.startswith("#"):
                return True
            if j == 0 or not lines[j - 1].rstrip().endswith("\\"):
                return False
            j -= 1
        return False

    found = []

    def add(pos, before, after):
        idx = line_of(pos)
        if skipped(idx):
            return
        found.append(Mutant(path, idx + 1, pos, before, after, lines[idx].strip()))

    i, n = 0, len(text)
    while i < n:
        c = text[i]
        if text.startswith("//", i):
            i = text.find("\n", i)
            i = n if i < 0 else i
        elif text.startswith("/*", i):
            i = text.find("*/", i + 2)
            i = n if i < 0 else i + 2
        elif c == '"' or c == "'":
            # Raw strings: R"delim( ... )delim", possibly with an encoding prefix.
            m = re.search(r"(?:u8|[uUL])?R$", text[max(0, i - 3) : i])
            if c == '"' and m:
                close = text.find("(", i)
                delim = text[i + 1 : close]
                end = text.find(")" + delim + '"', close)
                i = n if end < 0 else end + len(delim) + 2
                continue
            j = i + 1
            while j < n and text[j] != c and text[j] != "\n":
                j += 2 if text[j] == "\\" else 1
            i = j + 1
        elif c.isalpha() or c == "_":
            j = i
            while j < n and (text[j].isalnum() or text[j] == "_"):
                j += 1
            word = text[i:j]
            if word in WORD_SWAPS:
                add(i, word, WORD_SWAPS[word])
            i = j
        elif c.isdigit():
            # A preprocessing number: digits, letters, dots, digit separators, signed exponents.
            j = i + 1
            while j < n and (text[j].isalnum() or text[j] in "._'" or (text[j] in "+-" and text[j - 1] in "eEpP")):
                j += 1
            literal = text[i:j]
            m = re.fullmatch(r"(\d+)([uUlL]*)", literal)
            if m and not (literal.startswith("0") and len(m.group(1)) > 1):
                value = int(m.group(1))
                after = {0: 1, 1: 0}.get(value, value + 1)
                add(i, m.group(1), str(after))
            i = j
        else:
            op = next((o for o in OPERATORS if text.startswith(o, i)), None)
            if op is None:
                i += 1
                continue
            spaced = i > 0 and text[i - 1] in " \n" and text[i + len(op) : i + len(op) + 1] in (" ", "\n")
            if op in ANY_SWAPS:
                add(i, op, ANY_SWAPS[op])
            elif op in SPACED_SWAPS and spaced:
                add(i, op, SPACED_SWAPS[op])
            elif op == "!":
                add(i, "!", "")
            i += len(op)
    return found


def read_equivalents():
    """Lines of 'file | line text | mutation, or * for all | reason'. A mutation may end in ' @n': only
    the n-th of that change on the line, from the left."""
    entries = []
    if not EQUIVALENT.exists():
        return entries
    for number, raw in enumerate(EQUIVALENT.read_text().splitlines(), 1):
        if not raw.strip() or raw.lstrip().startswith("#"):
            continue
        fields = [f.strip() for f in raw.split(" | ")]
        if len(fields) != 4 or not fields[3]:
            sys.exit(f"{EQUIVALENT}:{number}: expected 'file | line text | mutation or * | reason'")
        entries.append(fields[:3])
    return entries


def is_equivalent(mutant, entries):
    wanted = ("*", mutant.describe(), f"{mutant.describe()} @{mutant.nth}")
    return any(mutant.path == f and mutant.text == t and m in wanted for f, t, m in entries)


def run(cmd, log):
    """The exit code and the output, which goes to the log as well."""
    log.write(f"$ {' '.join(map(str, cmd))}\n")
    log.flush()
    # Its own process group, so that a stuck test and its children end together; Ctrl-C reaches us
    # and ends it here.
    proc = subprocess.Popen(cmd, cwd=BUILD, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True,
                            errors="replace", start_new_session=True)
    try:
        out, _ = proc.communicate()
    except BaseException:
        os.killpg(proc.pid, signal.SIGTERM)
        try:
            proc.wait(timeout=10)
        except subprocess.TimeoutExpired:
            os.killpg(proc.pid, signal.SIGKILL)
            proc.wait()
        raise
    log.write(out)
    return proc.returncode, out


def configure(log):
    cache = BUILD / "CMakeCache.txt"
    if cache.exists() and f"PENNIBELL_TEST_TIMEOUT:STRING={TEST_TIMEOUT}\n" in cache.read_text():
        return
    cmd = ["cmake", "-S", str(ROOT), "-B", str(BUILD), "-DCMAKE_BUILD_TYPE=RelWithDebInfo",
           f"-DPENNIBELL_TEST_TIMEOUT={TEST_TIMEOUT}"]
    if shutil.which("ninja") and not cache.exists():
        # Ninja checks a tree of this size for changes in milliseconds; make takes seconds per target.
        cmd += ["-G", "Ninja"]
    BUILD.mkdir(exist_ok=True)
    if run(cmd, log)[0] != 0:
        sys.exit(f"configuring {BUILD} failed; see {log.name}")


def labelled(label):
    out = subprocess.run(["ctest", "--show-only=json-v1", "-L", label], cwd=BUILD, capture_output=True,
                         text=True, check=True).stdout
    return [t["name"] for t in json.loads(out)["tests"]]


def compiled_core_files():
    commands = json.loads((BUILD / "compile_commands.json").read_text())
    core = ROOT / "src" / "core"
    files = {Path(c["file"]).resolve() for c in commands}
    return sorted(str(f.relative_to(ROOT)) for f in files if core in f.parents and f.suffix == ".cpp")


def included_headers(tests):
    """Per test, the headers of ours its object was built from, as the build recorded them."""
    found = {t: set() for t in tests}
    if not (BUILD / "build.ninja").exists():
        return found
    out = subprocess.run(["ninja", "-t", "deps"], cwd=BUILD, capture_output=True, text=True).stdout
    current = None
    for line in out.splitlines():
        if not line.startswith(" "):
            current = next((t for t in tests if line.startswith(f"tests/CMakeFiles/{t}.dir/{t}.cpp.o:")), None)
        elif current and line.strip():
            found[current].add((BUILD / line.strip()).resolve())
    return found


def stages(path, tests, headers):
    """The core tests in the order to try them: those that include the mutated file's header, those
    that reach it through other headers, the rest. The first failure ends the mutant's run."""
    header = ROOT / Path(path).with_suffix(".h")
    direct = f'#include "{header.relative_to(ROOT / "src")}"'
    first = [t for t in tests if direct in (ROOT / "tests" / f"{t}.cpp").read_text()]
    second = [t for t in tests if t not in first and header in headers[t]]
    rest = [t for t in tests if t not in first and t not in second]
    return [s for s in (first, second, rest) if s]


def window_side(path, tests, headers):
    """The window-side tests that can reach the mutated file: those built from its header, and
    those that run the program itself, which holds the whole core."""
    header = ROOT / Path(path).with_suffix(".h")
    reach = [t for t in tests if header in headers.get(t, ())
             or "PENNIBELL_PROGRAM" in (ROOT / "tests" / f"{t}.cpp").read_text()]
    return [reach] if reach else []


def build(targets, log):
    return run(["cmake", "--build", ".", "-j2", "--target", *targets], log)[0] == 0


def test(names, log):
    """'passed', 'failed' or 'timeout' (a test ran past the timeout, the others passed)."""
    regex = "^(" + "|".join(map(re.escape, names)) + ")$"
    code, out = run(["ctest", "-R", regex, "-j2", "--stop-on-failure", "--timeout", str(TEST_TIMEOUT),
                     "--output-on-failure"], log)
    if code == 0:
        return "passed"
    return "timeout" if "***Timeout" in out and "***Failed" not in out else "failed"


def restore_leftovers():
    """Puts back any file a killed earlier run left mutated."""
    if not BACKUP.exists():
        return
    for saved in BACKUP.rglob("*"):
        if saved.is_file():
            target = ROOT / saved.relative_to(BACKUP)
            shutil.copyfile(saved, target)
            print(f"restored {target.relative_to(ROOT)} from an interrupted run")
            saved.unlink(missing_ok=True)


def select(files, seed, count, entries):
    all_sites = []
    for path in files:
        text = (ROOT / path).read_text()
        lines = text.split("\n")
        seen = {}
        on_line = {}
        for m in sites(path, text):
            same = (m.line, m.describe())
            on_line[same] = m.nth = on_line.get(same, 0) + 1
            # Column within the stripped line and the repeat count of identical lines: both survive
            # edits to other lines.
            raw = lines[m.line - 1]
            col = m.offset - (text.rfind("\n", 0, m.offset) + 1) - (len(raw) - len(raw.lstrip()))
            ident = (m.path, m.text, col, m.before, m.after)
            seen[ident] = seen.get(ident, 0) + 1
            m.key = hashlib.sha256(f"{seed}|{'|'.join(map(str, ident))}|{seen[ident]}".encode()).hexdigest()
            all_sites.append(m)
    all_sites.sort(key=lambda m: m.key)
    chosen = [m for m in all_sites if not is_equivalent(m, entries)][:count]
    return len(all_sites), sorted(chosen, key=lambda m: (m.path, m.offset))


def main():
    ap = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    ap.add_argument("--seed", type=int, default=DEFAULT_SEED, help=f"sample seed (default {DEFAULT_SEED})")
    ap.add_argument("--count", type=int, default=DEFAULT_COUNT, help=f"mutants (default {DEFAULT_COUNT})")
    ap.add_argument("--files", nargs="+", metavar="GLOB",
                    help="only these core files, e.g. 'src/core/events/*.cpp'")
    ap.add_argument("--list", action="store_true", help="print the sample without running it")
    ap.add_argument("--no-check", action="store_true", help="skip running the unchanged tests first")
    args = ap.parse_args()

    BUILD.mkdir(exist_ok=True)
    os.environ.setdefault("CCACHE_BASEDIR", str(ROOT))
    os.environ["QT_QPA_PLATFORM"] = "offscreen"
    if not args.list:
        # One run at a time changes the sources; a second would take the first's backup for a leftover.
        lock = open(BUILD / "mutate.lock", "w")
        try:
            fcntl.flock(lock, fcntl.LOCK_EX | fcntl.LOCK_NB)
        except OSError:
            sys.exit("another run of tools/mutate.py is going on")
        restore_leftovers()
    with open(BUILD / ("mutate-list.log" if args.list else "mutate.log"), "w") as log:
        configure(log)
        files = compiled_core_files()
        if args.files:
            files = [f for f in files if any(fnmatch.fnmatch(f, g) for g in args.files)]
        total_sites, sample = select(files, args.seed, args.count, read_equivalents())
        print(f"{len(sample)} mutants of {total_sites} in {len(files)} files (seed {args.seed})")
        if args.list:
            for m in sample:
                print(f"{m.where()}: {m.describe()} @{m.nth}    {m.text}")
            return 0

        tests, later = labelled("core"), labelled("gui")
        print(f"building and checking the unchanged tests ({len(tests)} core, {len(later)} window-side) ...",
              flush=True)
        if not build(tests + later, log) or (not args.no_check and test(tests + later, log) != "passed"):
            sys.exit(f"the unchanged tree fails to build or pass; see {log.name}")

        results, times = [], []
        started = time.monotonic()
        interrupted = False
        try:
            run_sample(sample, tests, later, included_headers(tests + later), log, results, times)
        except KeyboardInterrupt:
            interrupted = True

    killed = [m for m, o in results if o in ("killed", "timed-out")]
    timed_out = [m for m, o in results if o == "timed-out"]
    survived = [m for m, o in results if o == "survived"]
    failed = [m for m, o in results if o == "build-failed"]
    counted = len(killed) + len(survived)
    lines = [
        f"seed {args.seed}: {len(results)} of {len(sample)} mutants run"
        + (" (interrupted)" if interrupted else "") + f", {len(failed)} did not build",
        f"killed {len(killed)}/{counted} ({100.0 * len(killed) / counted if counted else 0:.1f} %)",
    ]
    if times:
        lines.append(f"time per mutant: mean {statistics.mean(times):.1f}s, median {statistics.median(times):.1f}s;"
                     f" whole run {(time.monotonic() - started) / 60:.1f} min")
    if timed_out:
        lines.append(f"killed by the {TEST_TIMEOUT} s timeout ({len(timed_out)}), worth a look:")
        lines += [f"  {m.where()}: {m.describe()}    {m.text}" for m in timed_out]
    lines.append(f"survivors ({len(survived)}):")
    lines += [f"  {m.where()}: {m.describe()} @{m.nth}    {m.text}" for m in survived]
    report = "\n".join(lines)
    print("\n" + report)
    REPORT.write_text(report + "\n")
    return 130 if interrupted else 0


def run_sample(sample, tests, later, headers, log, results, times):
    for number, m in enumerate(sample, 1):
        source = ROOT / m.path
        original = source.read_text()
        saved = BACKUP / m.path
        saved.parent.mkdir(parents=True, exist_ok=True)
        shutil.copyfile(source, saved)
        t0 = time.monotonic()
        log.write(f"\n=== {number}: {m.where()} {m.describe()}\n")
        try:
            source.write_text(original[: m.offset] + m.after + original[m.offset + len(m.before) :])
            outcome = "survived"
            for names in stages(m.path, tests, headers) + window_side(m.path, later, headers):
                if not build(names, log):
                    outcome = "build-failed"
                    break
                result = test(names, log)
                if result != "passed":
                    # A hang counts as caught, but is told apart: on a loaded machine a slow test
                    # may also run out of time.
                    outcome = "killed" if result == "failed" else "timed-out"
                    break
        finally:
            # A fresh modification time, so the next build sees the file changed back.
            source.write_text(original)
            saved.unlink(missing_ok=True)
        took = time.monotonic() - t0
        if outcome != "build-failed":
            times.append(took)
        results.append((m, outcome))
        print(f"[{number}/{len(sample)}] {outcome:12} {took:5.1f}s  {m.where()}  {m.describe()}", flush=True)


def stop(signum, frame):
    raise KeyboardInterrupt


if __name__ == "__main__":
    # Ended with kill as with Ctrl-C: the file is restored and what ran so far reported.
    signal.signal(signal.SIGTERM, stop)
    try:
        sys.exit(main())
    except KeyboardInterrupt:
        sys.exit("interrupted; the mutated file is restored")
