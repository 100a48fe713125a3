#!/usr/bin/env python3
"""Mutation run of the module: small meaningful changes to the module's sources, one at a time.

Each mutant is written in place, the build is brought up to date incrementally (its own build tree,
build/mutants, debug, through ccache), then the bundled scenarios run, then the behaviour test
programs that link the changed file, stopping at the first failure. The file is always put back.
A mutant is killed (a scenario or a test failed, or a run timed out), survived, or no-build (the
change does not compile: not counted). Mutants written down in scripts/mutants-equivalent.txt as
equivalent are reported apart and not counted as survivors.

Not part of the test suite: run by hand, see the README's "Mutation run".
"""

import argparse
import fnmatch
import json
import os
import random
import re
import signal
import subprocess
import sys
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
FOLDERS = ["src/module", "src/powerpoint", "src/settings", "src/files", "src/inspect", "src/exercises"]
# Test programs that never count as a kill: the fault campaign (slow, and it replays the scenarios),
# and the call budgets, which notice any change in the number of calls, not a change of behaviour.
EXCLUDED_PROGRAMS = {"k60418_tests_faults"}
GTEST_FILTER = "-CallBudget*"

KEYWORDS = {
    "return", "if", "for", "while", "else", "case", "default", "break", "continue", "const", "constexpr",
    "static", "using", "namespace", "class", "struct", "template", "typedef", "auto", "int", "bool", "double",
    "float", "char", "unsigned", "throw", "do", "switch", "goto", "friend", "public", "private", "protected",
    "inline", "extern", "enum", "void", "try", "catch", "delete", "new", "sizeof", "std", "explicit",
    "virtual", "override", "final", "operator", "this",
}
# Calls whose first argument names a slide, shape, paragraph, word or character to read.
INDEX_CALLS = ("Item", "Paragraphs", "Words", "Characters", "GotoSlide", "Runs", "Lines")


# --- Reading C++ well enough ----------------------------------------------------------------------

def code_mask(text):
    """A copy of text with comments, string and character literals blanked (same length, same lines)."""
    out = list(text)
    i, n = 0, len(text)
    while i < n:
        c = text[i]
        if c == "/" and i + 1 < n and text[i + 1] == "/":
            while i < n and text[i] != "\n":
                out[i] = " "
                i += 1
        elif c == "/" and i + 1 < n and text[i + 1] == "*":
            while i < n and not (text[i] == "*" and i + 1 < n and text[i + 1] == "/"):
                if text[i] != "\n":
                    out[i] = " "
                i += 1
            for k in (i, i + 1):
                if k < n:
                    out[k] = " "
            i += 2
        elif c == "R" and text.startswith('R"(', i):
            end = text.find(')"', i + 3)
            end = n if end < 0 else end + 2
            for k in range(i, end):
                if text[k] != "\n":
                    out[k] = " "
            i = end
        elif c in "\"'":
            if c == "'" and i > 0 and text[i - 1].isalnum():  # digit separator
                i += 1
                continue
            out[i] = "\x01"  # literal opening quote, kept visible as a marker
            i += 1
            while i < n and text[i] != c:
                if text[i] == "\\":
                    out[i] = " "
                    i += 1
                out[i] = " "
                i += 1
            if i < n:
                out[i] = "\x02"
            i += 1
        else:
            i += 1
    return "".join(out)


def load_constants():
    """PowerPoint's named constants, grouped by enumeration, in their table's order."""
    groups, current = [], []
    path = os.path.join(ROOT, "src/powerpoint/constants.hpp")
    with open(path, encoding="utf-8") as f:
        for line in f:
            if "/*" in line and "X(" not in line:
                if current:
                    groups.append(current)
                current = []
                continue
            m = re.search(r"X\((\w+),\s*(-?\d+)\)", line)
            if m:
                current.append(m.group(1))
    if current:
        groups.append(current)
    neighbour = {}
    for group in groups:
        names = [g for g in group if not g.endswith("Mixed")]
        for k, name in enumerate(names):
            if len(names) > 1:
                neighbour[name] = names[k + 1] if k + 1 < len(names) else names[k - 1]
    return neighbour


class Mutant:
    __slots__ = ("path", "line", "op", "desc", "start", "end", "replacement", "id", "function")

    def __init__(self, path, line, op, desc, start, end, replacement, function=""):
        self.path, self.line, self.op, self.desc = path, line, op, desc
        self.start, self.end, self.replacement = start, end, replacement
        self.function = function

    def key(self):
        """What the list of equivalent mutants knows a mutant by: its file, its function, its change."""
        return f"{self.path}\t{self.function}\t{self.desc}"

    def apply(self, text):
        return text[: self.start] + self.replacement + text[self.end :]


def brace_depths(mask):
    """For each line, the depth of function-level braces at its start (namespace and class braces
    do not count)."""
    depths, depth, stack = [], 0, []
    for line in mask.split("\n"):
        depths.append(depth)
        stripped = line.strip()
        opener_ignored = bool(re.match(r"(namespace\b|class\b|struct\b|extern\b)", stripped))
        for ch in line:
            if ch == "{":
                stack.append(not opener_ignored)
                if not opener_ignored:
                    depth += 1
                opener_ignored = False
            elif ch == "}" and stack:
                if stack.pop():
                    depth -= 1
    return depths


def functions_of(mask, depths):
    """For each line, the name of the function (or constant) it belongs to: the last name followed by
    "(" or "=" seen at the outer level before the line."""
    names, current = [], ""
    for n, line in enumerate(mask.split("\n")):
        if depths[n] == 0:
            m = None
            for m in re.finditer(r"([A-Za-z_]\w*)\s*(?:\(|=[^=])", line):
                if m.group(1) not in KEYWORDS:
                    current = m.group(1)
                    break
        names.append(current)
    return names


def statement_end(mask, start):
    """The offset just past the ';' that ends the statement starting at start, at bracket depth 0;
    None when a block opens or closes first."""
    depth = 0
    i = start
    while i < len(mask):
        c = mask[i]
        if c in "([{":
            depth += 1
        elif c in ")]}":
            depth -= 1
            if depth < 0:
                return None
        elif c == ";" and depth == 0:
            return i + 1
        i += 1
    return None


def matching_paren(mask, open_at):
    depth = 0
    for i in range(open_at, len(mask)):
        if mask[i] == "(":
            depth += 1
        elif mask[i] == ")":
            depth -= 1
            if depth == 0:
                return i
    return None


STATEMENT_START = re.compile(r"[A-Za-z_][\w:]*(?:\(|\.|->|\s*=[^=]|\s*[-+|&]=|\+\+|--|\[)")


def mutants_of(path, text, neighbour):
    mask = code_mask(text)
    lines = text.split("\n")
    mlines = mask.split("\n")
    offsets, pos = [], 0
    for line in lines:
        offsets.append(pos)
        pos += len(line) + 1
    depths = brace_depths(mask)
    functions = functions_of(mask, depths)
    result = []
    codes = sorted(set(re.findall(r'sCauseErreur\s*=\s*"([A-Z%]{1,3})"', text)))

    def add(lineno, op, desc, start, end, replacement):
        result.append(Mutant(path, lineno + 1, op, desc, start, end, replacement, functions[lineno]))

    for n, (line, mline) in enumerate(zip(lines, mlines)):
        stripped = mline.strip()
        if not stripped or stripped.startswith("#"):
            continue
        base = offsets[n]
        indent = len(mline) - len(mline.lstrip())
        first_word = re.match(r"[A-Za-z_]\w*", stripped)
        first_word = first_word.group(0) if first_word else ""
        in_function = depths[n] >= 1

        # A statement removed: a whole statement that starts this line.
        if in_function and first_word and first_word not in KEYWORDS and STATEMENT_START.match(stripped):
            end = statement_end(mask, base + indent)
            if end is not None and mask[end:].split("\n", 1)[0].strip() == "":
                shown = " ".join(text[base + indent : end].split())
                add(n, "statement", f"remove `{shown}`", base + indent, end, "{}")

        # The body of a one-line if / for / while removed (an early return when it is one).
        m = re.match(r"\s*(?:\}\s*else\s+)?(if|for|while)\s*\(", mline)
        if m and in_function:
            close = matching_paren(mask, base + m.end() - 1)
            if close is not None:
                rest = mask[close + 1 :].split("\n", 1)[0]
                body = rest.strip()
                if body and not body.startswith("{") and body.endswith(";"):
                    b0 = close + 1 + (len(rest) - len(rest.lstrip()))
                    b1 = close + 1 + len(rest.rstrip())
                    shown = " ".join(text[b0:b1].split())
                    op = "return" if body.startswith("return") else "statement"
                    cond = " ".join(text[base + indent : close + 1].split())
                    add(n, op, f"remove `{shown}` after `{cond}`", b0, b1, "{}")

        # An early return removed: a return inside a nested block, or followed by more code.
        if first_word == "return" and in_function:
            end = statement_end(mask, base + indent)
            if end is not None:
                following = ""
                for k in range(n + 1, len(mlines)):
                    if mlines[k].strip():
                        following = mlines[k].strip()
                        break
                last_of_function = depths[n] == 1 and following.startswith("}")
                if not last_of_function:
                    shown = " ".join(text[base + indent : end].split())
                    # Named with the statement before it, so that the list of equivalent mutants can
                    # tell apart the many bare `return;` of one function.
                    before = ""
                    for k in range(n - 1, -1, -1):
                        if mlines[k].strip():
                            before = " ".join(lines[k].split())
                            break
                    add(n, "return", f"remove `{shown}` after `{before}`", base + indent, end, "{}")

        # Comparisons flipped, and their bounds moved.
        for cm in re.finditer(r"(?<=\s)(==|!=|<=|>=|<|>)(?=\s)", mline):
            tok = cm.group(1)
            swaps = {"==": ["!="], "!=": ["=="], "<": [">", "<="], ">": ["<", ">="], "<=": [">=", "<"],
                     ">=": ["<=", ">"]}[tok]
            context = " ".join(line.strip().split())
            for new in swaps:
                add(n, "compare", f"`{tok}` -> `{new}` in `{context}` #{cm.start()}", base + cm.start(),
                    base + cm.end(), new)

        # Integer constants changed.
        for im in re.finditer(r"(?<![\w.])(\d+)(?![\w.])", mline):
            before = mline[: im.start()].rstrip()
            if before.endswith("[") and before.endswith("operator["):
                continue
            value = int(im.group(1))
            new = value + 1 if value == 0 else value - 1
            context = " ".join(line.strip().split())
            add(n, "constant", f"`{value}` -> `{new}` in `{context}` #{im.start()}", base + im.start(),
                base + im.end(), str(new))

        # A named PowerPoint constant replaced by its neighbour.
        for pm in re.finditer(r"ppt::(\w+)", mline):
            name = pm.group(1)
            if name in neighbour:
                context = " ".join(line.strip().split())
                add(n, "constant", f"`{name}` -> `{neighbour[name]}` in `{context}`", base + pm.start(1),
                    base + pm.end(1), neighbour[name])

        # Booleans swapped.
        for bm in re.finditer(r"\b(true|false)\b", mline):
            new = "false" if bm.group(1) == "true" else "true"
            context = " ".join(line.strip().split())
            add(n, "constant", f"`{bm.group(1)}` -> `{new}` in `{context}` #{bm.start()}", base + bm.start(),
                base + bm.end(), new)

        # A read moved to the next or previous slide, shape, paragraph, word or character.
        for xm in re.finditer(r"\b(%s)\(\s*([a-z]\w*)\s*[,)]" % "|".join(INDEX_CALLS), mline):
            arg = xm.group(2)
            if arg in ("true", "false", "nom", "sNom") or mline[: xm.start()].endswith("Tags()."):
                continue
            context = " ".join(line.strip().split())
            for delta in ("+ 1", "- 1"):
                add(n, "index", f"`{xm.group(1)}({arg})` -> `{xm.group(1)}({arg} {delta})` in `{context}`",
                    base + xm.start(2), base + xm.end(2), f"({arg} {delta})")

        # A code letter swapped for another code of the same exercise.
        for cm in re.finditer(r'sCauseErreur\s*=\s*\x01', mline):
            lit_start = cm.end() - 1
            lit_end = mline.find("\x02", lit_start)
            value = line[lit_start + 1 : lit_end]
            if value in codes and len(codes) > 1:
                new = codes[(codes.index(value) + 1) % len(codes)]
                context = " ".join(line.strip().split())
                add(n, "code", f'`"{value}"` -> `"{new}"` in `{context}`', base + lit_start + 1, base + lit_end,
                    new)
    return result


def all_mutants(patterns):
    neighbour = load_constants()
    found = []
    for folder in FOLDERS:
        for name in sorted(os.listdir(os.path.join(ROOT, folder))):
            rel = f"{folder}/{name}"
            if not name.endswith(".cpp"):
                continue
            if patterns and not any(fnmatch.fnmatch(rel, p) for p in patterns):
                continue
            with open(os.path.join(ROOT, rel), encoding="utf-8") as f:
                found.extend(mutants_of(rel, f.read(), neighbour))
    for k, m in enumerate(found):
        m.id = k + 1
    return found


def load_equivalent():
    path = os.path.join(ROOT, "scripts/mutants-equivalent.txt")
    known = {}
    if os.path.exists(path):
        with open(path, encoding="utf-8") as f:
            for line in f:
                line = line.rstrip("\n")
                if not line or line.startswith("#"):
                    continue
                parts = line.split("\t")
                if len(parts) >= 4:
                    known[f"{parts[0]}\t{parts[1]}\t{parts[2]}"] = parts[3]
    return known


# --- Building and running -------------------------------------------------------------------------

class Runner:
    def __init__(self, build, timeout, every):
        self.build = build
        self.timeout = timeout
        self.every = every
        self.programs = {}

    def configure(self):
        if not os.path.exists(os.path.join(self.build, "build.ninja")):
            subprocess.run(["cmake", "-S", ROOT, "-B", self.build, "-G", "Ninja", "-DCMAKE_BUILD_TYPE=Debug",
                            "-DCMAKE_CXX_COMPILER=g++", "-DK60418_BENCH=OFF"], check=True,
                           stdout=subprocess.DEVNULL)

    def ninja(self, targets):
        run = subprocess.run(["ninja", "-C", self.build] + targets, stdout=subprocess.PIPE,
                             stderr=subprocess.STDOUT, text=True)
        return run.returncode == 0, run.stdout

    def test_targets(self):
        run = subprocess.run(["ninja", "-C", self.build, "-t", "targets", "all"], stdout=subprocess.PIPE,
                             text=True, check=True)
        names = set()
        for line in run.stdout.splitlines():
            target = line.split(":")[0]
            base = os.path.basename(target)
            if re.fullmatch(r"tests/k60418_tests_\w+", target) and base not in EXCLUDED_PROGRAMS:
                names.add((base, target))
        return sorted(names)

    def map_programs(self, targets):
        """Which test programs hold code of which source file (static linking keeps only what is used)."""
        def defined(path, strong_only):
            out = subprocess.run(["nm", "--defined-only", path], stdout=subprocess.PIPE, text=True).stdout
            syms = set()
            for line in out.splitlines():
                parts = line.split()
                if len(parts) == 3 and (parts[1] == "T" or not strong_only):
                    syms.add(parts[2])
            return syms

        binaries = {name: defined(os.path.join(self.build, target), False) for name, target in targets}
        self.targets = dict(targets)
        for folder in FOLDERS:
            for name in os.listdir(os.path.join(ROOT, folder)):
                if not name.endswith(".cpp"):
                    continue
                rel = f"{folder}/{name}"
                obj = os.path.join(self.build, "CMakeFiles/k60418_core.dir", rel + ".o")
                syms = defined(obj, True) if os.path.exists(obj) else set()
                users = [p for p, s in binaries.items() if syms & s]
                # The tests of the changed file's own folder first: the likeliest to notice.
                own = "k60418_tests_" + folder.split("/")[1]
                self.programs[rel] = sorted(users, key=lambda p: (p != own, p))

    def scenarios(self):
        cmd = [os.path.join(self.build, "k60418"), "run", os.path.join(ROOT, "course/scenarios")]
        try:
            run = subprocess.run(cmd, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True, cwd=ROOT,
                                 timeout=self.timeout)
        except subprocess.TimeoutExpired:
            return "timeout", "scenarios"
        if run.returncode == 0:
            return None, None
        failed = [l.split()[1] for l in run.stdout.splitlines() if l.startswith("FAIL ")]
        if not failed:
            return "scenario", f"exit {run.returncode}"
        return "scenario", ",".join(failed) if self.every else failed[0]

    def program(self, name):
        cmd = [os.path.join(self.build, self.targets[name]), f"--gtest_filter={GTEST_FILTER}", "--gtest_brief=1"]
        if not self.every:
            cmd.append("--gtest_fail_fast")
        try:
            run = subprocess.run(cmd, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True, cwd=ROOT,
                                 timeout=self.timeout)
        except subprocess.TimeoutExpired:
            return "timeout", name
        if run.returncode == 0:
            return None, None
        # "[  FAILED  ] Suite.Name (3 ms)", or "…Name/0, where GetParam() = … (3 ms)" for a parameter.
        pattern = r"^\[  FAILED  \] (\S+?),? (?:where .*)?\(\d+ ms\)$"
        failed = list(dict.fromkeys(re.findall(pattern, run.stdout, re.M)))
        if not failed:
            return "test", f"{name}:exit {run.returncode}"
        return "test", f"{name}:{','.join(failed) if self.every else failed[0]}"


class Restorer:
    """Puts the changed file back whatever happens: at the end of each mutant, on a signal, and at
    the next start after a run that was killed outright (a copy of the original waits in the build
    tree while a mutant is in place)."""

    def __init__(self, build):
        self.path, self.original = None, None
        self.backup = os.path.join(build, "mutant-in-place.json")
        if os.path.exists(self.backup):
            with open(self.backup, encoding="utf-8") as f:
                left = json.load(f)
            with open(left["path"], "w", encoding="utf-8") as f:
                f.write(left["original"])
            os.remove(self.backup)
            sys.stderr.write(f"put back {left['path']}, left changed by an interrupted run\n")
        for sig in (signal.SIGINT, signal.SIGTERM, signal.SIGHUP):
            signal.signal(sig, self._on_signal)

    def write(self, path, content, original):
        with open(self.backup, "w", encoding="utf-8") as f:
            json.dump({"path": path, "original": original}, f)
        self.path, self.original = path, original
        with open(path, "w", encoding="utf-8") as f:
            f.write(content)

    def restore(self):
        if self.path is not None:
            with open(self.path, "w", encoding="utf-8") as f:
                f.write(self.original)
            os.remove(self.backup)
            self.path, self.original = None, None

    def _on_signal(self, signum, _frame):
        self.restore()
        sys.stderr.write(f"\nstopped by signal {signum}; the file is restored\n")
        sys.exit(130)


def csv_rows(f):
    header = f.readline().rstrip("\n").split("\t")
    return [dict(zip(header, line.rstrip("\n").split("\t"))) for line in f if line.strip()]


def write_rows(path, rows):
    with open(path, "w", encoding="utf-8") as f:
        f.write("id\tstatus\tfile\tline\top\tchange\tkiller\n")
        for r in rows:
            f.write("\t".join(str(r[k]) for k in ("id", "status", "file", "line", "op", "change", "killer")) + "\n")


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--sample", type=int, help="run N mutants drawn with the seed (default 100)")
    parser.add_argument("--seed", type=int, default=13, help="seed of the sample (default 13)")
    parser.add_argument("--all", action="store_true", help="run every mutant")
    parser.add_argument("--files", nargs="+", metavar="GLOB", help="only files matching these globs, e.g. 'src/module/*'")
    parser.add_argument("--ops", help="only these kinds, comma-separated: statement,return,compare,constant,index,code")
    parser.add_argument("--rerun", metavar="TSV",
                        help="run again only the mutants a results file reports as survived (after fixing tests)")
    parser.add_argument("--list", action="store_true", help="list the mutants (after --files/--ops/--sample) and stop")
    parser.add_argument("--build", default=os.path.join(ROOT, "build/mutants"), help="build tree (default build/mutants)")
    parser.add_argument("--timeout", type=int, default=0, help="seconds per run (default: 5x the clean run, at least 60)")
    parser.add_argument("--every-killer", action="store_true",
                        help="run every scenario and program on each mutant and record every one that fails "
                             "(slow; shows which tests kill nothing the others do not)")
    parser.add_argument("--check-equivalent", action="store_true",
                        help="run the mutants written down as equivalent too (a kill shows a wrong note)")
    parser.add_argument("--results", help="results file, TSV (default BUILD/mutants.tsv; JSON beside it)")
    args = parser.parse_args()

    mutants = all_mutants(args.files)
    if args.ops:
        wanted = set(args.ops.split(","))
        mutants = [m for m in mutants if m.op in wanted]
    total = len(mutants)
    if args.rerun:
        with open(args.rerun, encoding="utf-8") as f:
            wanted = {(r["file"], r["change"]) for r in csv_rows(f) if r["status"] == "survived"}
        mutants = [m for m in mutants if (m.path, m.desc) in wanted]
    elif not args.all:
        size = args.sample or 100
        if size < len(mutants):
            mutants = sorted(random.Random(args.seed).sample(mutants, size), key=lambda m: m.id)
    equivalent = load_equivalent()

    if args.list:
        for m in mutants:
            mark = "  [equivalent]" if m.key() in equivalent else ""
            print(f"{m.id}\t{m.path}:{m.line}\t{m.op}\t{m.desc}\t{m.function}{mark}")
        print(f"{len(mutants)} of {total} mutants", file=sys.stderr)
        return 0

    runner = Runner(os.path.abspath(args.build), args.timeout or 60, args.every_killer)
    runner.configure()
    restorer = Restorer(runner.build)
    sys.stderr.write("building the clean tree...\n")
    targets = runner.test_targets()
    ok, log = runner.ninja(["k60418"] + [target for _, target in targets])
    if not ok:
        sys.stderr.write(log[-3000:] + "\nthe clean tree does not build\n")
        return 2
    runner.map_programs(targets)
    t0 = time.time()
    verdict, where = runner.scenarios()
    clean = time.time() - t0
    if verdict:
        sys.stderr.write(f"the clean tree fails its scenarios ({where})\n")
        return 2
    slowest = clean
    for name, _ in targets:
        t1 = time.time()
        verdict, where = runner.program(name)
        slowest = max(slowest, time.time() - t1)
        if verdict:
            sys.stderr.write(f"the clean tree fails a test ({where})\n")
            return 2
    if not args.timeout:
        runner.timeout = max(60, int(5 * slowest))
    sys.stderr.write(f"clean run: scenarios {clean:.1f}s, slowest program {slowest:.1f}s; timeout {runner.timeout}s\n")

    results_path = args.results or os.path.join(runner.build, "mutants.tsv")
    rows = []
    counts = {"killed": 0, "survived": 0, "equivalent": 0, "no-build": 0}
    started = time.time()
    by_path = {}
    for m in mutants:
        by_path.setdefault(m.path, []).append(m)
    done = 0
    for m in mutants:
        done += 1
        full = os.path.join(ROOT, m.path)
        with open(full, encoding="utf-8") as f:
            original = f.read()
        status, killer = "survived", ""
        if m.key() in equivalent and not args.check_equivalent:
            counts["equivalent"] += 1
            rows.append({"id": m.id, "status": "equivalent", "file": m.path, "line": m.line, "op": m.op,
                         "change": m.desc, "killer": equivalent[m.key()]})
            sys.stderr.write(f"[{done}/{len(mutants)}] equivalent {m.path}:{m.line} {m.desc}\n")
            write_rows(results_path, rows)
            continue
        try:
            restorer.write(full, m.apply(original), original)
            programs = runner.programs.get(m.path, [])
            ok, _ = runner.ninja(["k60418"])
            if not ok:
                status = "no-build"
            else:
                # The scenarios first, then each program as soon as it is linked: the first failure ends it.
                found = []
                verdict, where = runner.scenarios()
                if verdict:
                    found.append(f"{verdict}:{where}")
                for p in programs:
                    if found and not runner.every:
                        break
                    linked, _ = runner.ninja([runner.targets[p]])
                    verdict, where = runner.program(p) if linked else ("test", f"{p}:does not link")
                    if verdict:
                        found.append(f"{verdict}:{where}")
                if found:
                    status, killer = "killed", " ".join(found)
        finally:
            restorer.restore()
        if status == "survived" and m.key() in equivalent:
            status, killer = "equivalent", equivalent[m.key()]
        counts[status] += 1
        rows.append({"id": m.id, "status": status, "file": m.path, "line": m.line, "op": m.op, "change": m.desc,
                     "killer": killer})
        elapsed = time.time() - started
        sys.stderr.write(f"[{done}/{len(mutants)} {elapsed:.0f}s] {status:10} {m.path}:{m.line} {m.desc}"
                         f"{'  <- ' + killer if killer else ''}\n")
        write_rows(results_path, rows)
    # The build is left as the clean tree (the last file put back is rebuilt).
    runner.ninja(["k60418"])
    with open(os.path.splitext(results_path)[0] + ".json", "w", encoding="utf-8") as f:
        json.dump(rows, f, indent=1, ensure_ascii=False)
    counted = counts["killed"] + counts["survived"]
    percent = 100.0 * counts["killed"] / counted if counted else 0.0
    minutes = (time.time() - started) / 60
    print(f"{len(mutants)} mutants of {total}: {counts['killed']} killed, {counts['survived']} survived, "
          f"{counts['equivalent']} equivalent, {counts['no-build']} no-build; {percent:.1f}% killed "
          f"in {minutes:.1f} min; results in {results_path}")
    for r in rows:
        if r["status"] == "survived":
            print(f"survived\t{r['file']}:{r['line']}\t{r['change']}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
