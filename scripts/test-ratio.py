#!/usr/bin/env python3
"""Lines of tests against lines of code, per folder and overall (C++ sources, .cpp and .hpp).

Two counts: "lines", every line that is not blank; "code", every line that holds something besides
blanks and comments (lines holding only a // comment, and lines inside or holding only a /* */
comment, are left out). The Windows-only tests (tests/win32) and the Windows sources (win32/) are
left out of both sides.

    scripts/test-ratio.py
"""

import os
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
# Code folders and the test folders that exercise them.
GROUPS = [
    ("driver (module, powerpoint, settings, files)",
     ["src/module", "src/powerpoint", "src/settings", "src/files"],
     ["tests/module", "tests/powerpoint", "tests/settings", "tests/files"]),
    ("inspect", ["src/inspect"], ["tests/inspect"]),
    ("exercises", ["src/exercises"], ["tests/exercises"]),
    ("sim", ["src/sim"], ["tests/sim"]),
    ("vb", ["src/vb"], ["tests/vb"]),
    ("platform", ["src/platform"], ["tests/platform"]),
    ("app", ["app"], ["tests/app"]),
    ("faults (whole module)", [], ["tests/faults"]),
]


def count_lines(path):
    """(non-blank lines, code lines) of a file."""
    count, lines, in_block = 0, 0, False
    with open(path, encoding="utf-8") as f:
        for line in f:
            s = line.strip()
            lines += bool(s)
            code = False
            while s:
                if in_block:
                    end = s.find("*/")
                    if end < 0:
                        s = ""
                    else:
                        in_block, s = False, s[end + 2:].strip()
                elif s.startswith("//"):
                    s = ""
                elif s.startswith("/*"):
                    in_block, s = True, s[2:]
                else:
                    code, s = True, ""
            count += code
    return lines, count


def lines_under(folders):
    lines = code = 0
    for folder in folders:
        for base, dirs, files in os.walk(os.path.join(ROOT, folder)):
            dirs[:] = [d for d in dirs if os.path.relpath(os.path.join(base, d), ROOT) != "tests/win32"]
            for name in files:
                if name.endswith((".cpp", ".hpp")):
                    n, c = count_lines(os.path.join(base, name))
                    lines, code = lines + n, code + c
    return lines, code


def ratio(tests, code):
    return f"{100 * tests / code:.0f}%" if code else "-"


def main():
    totals = [0, 0, 0, 0]
    print(f"{'':46} {'lines: code':>11} {'tests':>6} {'ratio':>6}   {'code: code':>10} {'tests':>6} "
          f"{'ratio':>6}")
    for group in GROUPS + [None]:
        if group is None:
            name = "all (src + app; tests without tests/win32)"
            (cl, cc), (tl, tc) = totals[:2], totals[2:]
        else:
            name, code, tests = group
            (cl, cc), (tl, tc) = lines_under(code), lines_under(tests)
            totals = [totals[0] + cl, totals[1] + cc, totals[2] + tl, totals[3] + tc]
        print(f"{name:46} {cl:11} {tl:6} {ratio(tl, cl):>6}   {cc:10} {tc:6} {ratio(tc, cc):>6}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
