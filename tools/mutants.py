#!/usr/bin/env python3
"""Mutation testing of the program sources; run it through tools/mutants.sh."""

import argparse
import fnmatch
import hashlib
import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import threading
import time

SOURCE_DIRS = ("image", "link", "pgm", "hidlib")
# The HID library's real-kernel test: a ctest entry (a script that builds the
# library itself and boots a kernel in QEMU, about 10 s), not a test program.
QEMU_TEST = "hidlib_qemu_uhid"
QEMU_TIMEOUT = 150  # the script gives up on the guest after 100 s itself
# The tests that can see a change in each folder, fastest first.
TESTS_FOR = {
    "image": ("image_tests", "link_tests", "gui_tests"),
    "link": ("link_tests", "gui_tests"),
    "pgm": ("gui_tests", "scaled_tests"),
    "hidlib": ("hidlib_tests", QEMU_TEST),
}
ALL_TESTS = ("image_tests", "link_tests", "gui_tests", "scaled_tests", "hidlib_tests", QEMU_TEST)
EXCLUDED = os.path.join("tools", "mutants-excluded.txt")


def programs(tests):
    """The test programs among tests: what a build has to make for them."""
    return tuple(t for t in tests if t != QEMU_TEST)

# --- finding mutation sites -------------------------------------------------


def code_only(lines):
    """The lines with comments and string and character literals blanked out
    (columns kept), and preprocessor lines blanked whole."""
    out = []
    in_block = False
    raw_end = None
    continued = False
    for line in lines:
        chars = list(line)
        i = 0
        n = len(chars)
        in_str = None

        def blank_through(closing, i):
            """Blanks from i through closing (or to the line's end); the
            column after it and whether it was found."""
            end = line.find(closing, i)
            stop = n if end < 0 else end + len(closing)
            chars[i:stop] = " " * (stop - i)
            return stop, end >= 0

        while i < n:
            if raw_end is not None:
                i, closed = blank_through(raw_end, i)
                if closed:
                    raw_end = None
                continue
            if in_block:
                i, closed = blank_through("*/", i)
                if closed:
                    in_block = False
                continue
            c = line[i]
            if in_str:
                chars[i] = " "
                if c == "\\" and i + 1 < n:
                    chars[i + 1] = " "
                    i += 2
                    continue
                if c == in_str:
                    in_str = None
                i += 1
                continue
            if line.startswith("//", i):
                for k in range(i, n):
                    chars[k] = " "
                break
            if line.startswith("/*", i):
                in_block = True
                continue
            m = re.match(r'(?:u8|u|U|L)?R"([^(\s]*)\(', line[i:])
            if m and (i == 0 or not (line[i - 1].isalnum() or line[i - 1] == "_")):
                raw_end = ")" + m.group(1) + '"'
                for k in range(i, i + m.end()):
                    chars[k] = " "
                i += m.end()
                continue
            if c in "\"'":
                if c == "'" and i > 0 and line[i - 1].isalnum() and i + 1 < n and line[i + 1].isalnum():
                    i += 1  # digit separator
                    continue
                in_str = c
                chars[i] = " "
            i += 1
        text = "".join(chars)
        if continued or text.lstrip().startswith("#"):
            continued = text.rstrip().endswith("\\")
            text = " " * len(text)
        out.append(text)
    return out


COMPARE = {"<": ">=", ">": "<=", "<=": ">", ">=": "<", "==": "!=", "!=": "=="}
COMPARE_RE = re.compile(r"(?<=\s)(<|>)(?=\s)|(?<![<>=!])(<=|>=|==|!=)(?![=>])")
INTEGER_RE = re.compile(r"(?<![\w.'])(0[xX][0-9a-fA-F]+|\d+)([uUlL]*)(?![\w.'])")
BOOL_RE = re.compile(r"\b(true|false)\b")
NOT_EXPRESSION = re.compile(
    r"^(return|break|continue|goto|case|default|using|typedef|namespace|template|class|struct|"
    r"union|enum|public|private|protected|friend|static_assert|else|do|if|for|while|switch|"
    r"auto|Q_OBJECT|Q_[A-Z_]+)\b")
EXPRESSION_KEYWORD = re.compile(r"^(delete|emit|Q_EMIT|throw)\b")
DECLARATION = re.compile(
    r"^(?:(?:const|constexpr|static|inline|thread_local|volatile|unsigned|signed|long|short|"
    r"mutable|extern)\s+)*[A-Za-z_][\w:]*\s*(?:<.*>)?[\s*&]+[A-Za-z_]\w*\s*(?:[=({\[;,]|$)")


CONTROL_HEAD = re.compile(r"^(\}\s*)?((else\s+)?if|for|while)\b.*\)$|^(\}\s*)?else$")
FUNCTION_POINTER = re.compile(r"^[\w:<>\s*&]+\(\s*\*")


def balanced(text):
    return all(text.count(a) == text.count(b) for a, b in ("()", "[]", "{}"))


def droppable(code, prev):
    """Whether a line is a whole expression statement of its own."""
    s = code.strip()
    if not s.endswith(";") or s == ";" or not balanced(s) or s[0] in "{}()[],:;?":
        return False
    if s.count(";") != 1:
        return False
    if prev is not None and not (prev.endswith((";", "{", "}", ":")) and not prev.endswith("::")
                                 or CONTROL_HEAD.match(prev)):
        return False
    if NOT_EXPRESSION.match(s):
        return False
    if not EXPRESSION_KEYWORD.match(s) and (DECLARATION.match(s) or FUNCTION_POINTER.match(s)):
        return False
    return True


class Mutant:
    __slots__ = ("path", "line", "col", "tcol", "nth", "kind", "old", "new", "rank", "category", "delta")

    def __init__(self, path, line, col, tcol, nth, kind, old, new):
        self.path, self.line, self.col, self.kind, self.old, self.new = path, line, col, kind, old, new
        # As the exclusion list names a site: the column in the trimmed line
        # (from 1) and which line of that text in the file (from 1).
        self.tcol, self.nth = tcol, nth
        self.rank = None
        self.delta = None  # an integer mutant's shift: +1 or -1 (which one depends on the seed)
        self.category = "behaviour"  # or "layout" / "equivalent" from the exclusion list

    def where(self):
        return "%s:%d" % (self.path, self.line + 1)

    def site(self):
        """kind@column (integer+1 or integer-1 for an integer's shift), behind
        #n when the line's text recurs in its file."""
        shift = "%+d" % self.delta if self.delta else ""
        return "%s%s%s@%d" % ("#%d " % self.nth if self.nth else "", self.kind, shift, self.tcol)


def sites(path, lines, seed):
    """Every mutant of one file. Each is ranked by a hash of the seed, the
    file's name (not its folder), the line's text and the site within it, so
    the sample stays put when files move or unrelated lines change."""
    code = code_only(lines)
    base = os.path.basename(path)
    seen = {}
    prev = None
    found = []
    for no, (raw, c) in enumerate(zip(lines, code)):
        body = raw.rstrip("\n")
        key = body.strip()
        seen[key] = seen.get(key, 0) + 1
        ident = "%s|%s|%d" % (base, key, seen[key])
        indent = len(body) - len(body.lstrip())

        def add(col, kind, new_line, delta=None):
            if new_line == body:
                return
            m = Mutant(path, no, col, col - indent + 1, seen[key], kind, body, new_line)
            m.delta = delta
            m.rank = hashlib.sha256(("%s|%s|%s|%d" % (seed, ident, kind, col - indent)).encode()).digest()
            found.append(m)

        for m in COMPARE_RE.finditer(c):
            op = m.group(1) or m.group(2)
            start = m.start(1) if m.group(1) else m.start(2)
            before = c[:start].rstrip()
            if before.endswith("operator") or re.search(r"\btemplate\s*$", before):
                continue
            add(start, "compare", body[:start] + COMPARE[op] + body[start + len(op):])
        for m in INTEGER_RE.finditer(c):
            digits, suffix = m.group(1), m.group(2)
            value = int(digits, 0) if not (len(digits) > 1 and digits[0] == "0" and digits[1] not in "xX") else int(digits, 8)
            digest = hashlib.sha256(("%s|%s|%d|delta" % (seed, ident, m.start() - indent)).encode()).digest()
            delta = 1 if value == 0 or digest[0] & 1 else -1
            if digits[:2] in ("0x", "0X"):
                width = len(digits) - 2
                new = digits[:2] + ("%0*X" if any(ch in "ABCDEF" for ch in digits) else "%0*x") % (width, value + delta)
            elif len(digits) > 1 and digits[0] == "0":
                new = "0%o" % (value + delta)
            else:
                new = str(value + delta)
            add(m.start(), "integer", body[:m.start()] + new + suffix + body[m.end():], delta)
        for m in BOOL_RE.finditer(c):
            new = "false" if m.group(1) == "true" else "true"
            add(m.start(), "bool", body[:m.start()] + new + body[m.end():])
        if droppable(c, prev):
            add(indent, "drop", body[:indent] + ";")
        if c.strip():
            prev = c.strip()
    for m in found:
        if seen[m.old.strip()] == 1:
            m.nth = 0  # the only line of its text: no need to say which
    return found


def source_files(tree):
    files = []
    for top in SOURCE_DIRS:
        for root, dirs, names in os.walk(os.path.join(tree, top)):
            dirs.sort()
            for name in sorted(names):
                if name.endswith(".cpp"):
                    files.append(os.path.relpath(os.path.join(root, name), tree))
    return files


def all_mutants(tree, seed):
    found = []
    for rel in source_files(tree):
        with open(os.path.join(tree, rel), encoding="utf-8", errors="surrogateescape") as f:
            found.extend(sites(rel, f.readlines(), seed))
    found.sort(key=lambda m: (m.rank, os.path.basename(m.path), m.line, m.col))
    return found


# --- the reviewed exclusion list ----------------------------------------------

# "behaviour" entries name exceptions to a pattern entry: mutants that a
# pattern would classify, but that a person would notice.
CATEGORIES = ("layout", "equivalent", "behaviour")
KINDS = ("compare", "integer", "bool", "drop")
ENTRY_HEAD = re.compile(r"^(\w+)\s+([^\s#:]+)(?:#(\d+))?(?:\s+(\w+)([+-]1)?(?:@(\d+))?)?\s*:\s*(.*)$")


class Exclusion:
    __slots__ = ("where", "category", "base", "nth", "kind", "delta", "col", "reason", "text", "pattern", "used")

    def __init__(self, where, category, base, nth, kind, delta, col, reason, text):
        self.where, self.category, self.base, self.nth, self.kind, self.col = where, category, base, nth, kind, col
        self.delta = delta
        self.reason, self.text, self.used = reason, text, False
        # "~ <regex>": a kind of line rather than one line; searched in the
        # trimmed line. Groups named at, at2, ... narrow it to the mutants
        # that start inside one of them.
        self.pattern = None
        if text.startswith("~"):
            try:
                self.pattern = re.compile(text[1:].strip())
            except re.error as e:
                raise SystemExit("%s: not a regular expression: %s" % (where, e))

    def names_file(self, base):
        return fnmatch.fnmatchcase(base, self.base)

    def matches(self, m, any_shift=False):
        """Whether the entry names the mutant; with any_shift, whichever way
        an integer is shifted (the seed picks the way)."""
        if not ((self.nth is None or self.nth == max(m.nth, 1)) and (self.kind is None or self.kind == m.kind)
                and (any_shift or self.delta is None or self.delta == m.delta)
                and (self.col is None or self.col == m.tcol)):
            return False
        if self.pattern is None:
            return True
        text = m.old.strip()
        at = m.tcol - 1
        for found in self.pattern.finditer(text):
            sites = [g for g in self.pattern.groupindex if re.fullmatch(r"at\d*", g)]
            if not sites:
                return True
            if any(found.start(g) <= at < found.end(g) for g in sites if found.start(g) >= 0):
                return True
        return False

    def specificity(self):
        return (self.pattern is None, self.col is not None, self.delta is not None, self.kind is not None,
                self.nth is not None, "*" not in self.base)

    def site(self):
        return "%s%s%s%s" % ("#%d" % self.nth if self.nth else "", " " + self.kind if self.kind else "",
                             "%+d" % self.delta if self.delta else "", "@%d" % self.col if self.col else "")


def read_exclusions(path):
    """The entries of the exclusion list (see its head for the format); one
    per line text or pattern, each with its header's category, file, site
    and reason."""
    entries, seen = [], set()
    head = None  # [where, category, base, nth, kind, delta, col, reason, texts so far]

    def close_head():
        if head is not None and head[8] == 0:
            raise SystemExit("%s: an entry without a line text under it" % head[0])

    with open(path, encoding="utf-8", errors="surrogateescape") as f:
        for no, raw in enumerate(f, 1):
            line = raw.rstrip("\n")
            text = line.strip()
            where = "%s:%d" % (path, no)
            if not text or text.startswith("#"):
                continue
            if line[0] not in " \t":
                close_head()
                m = ENTRY_HEAD.match(text)
                if (not m or m.group(1) not in CATEGORIES or "/" in m.group(2)
                        or (m.group(4) and m.group(4) not in KINDS) or (m.group(5) and m.group(4) != "integer")
                        or not m.group(7).strip()):
                    raise SystemExit("%s: not an entry head: '<%s> <file name>[#<n>] [<kind>[+1|-1][@<column>]]: "
                                     "<reason>'" % (where, "|".join(CATEGORIES)))
                if m.group(1) == "equivalent" and not m.group(4):
                    raise SystemExit("%s: an equivalent entry names its one kind of mutant" % where)
                head = [where, m.group(1), m.group(2)] + [int(m.group(3)) if m.group(3) else None, m.group(4),
                                                          int(m.group(5)) if m.group(5) else None,
                                                          int(m.group(6)) if m.group(6) else None]
                head += [m.group(7).strip(), 0]
                continue
            if head is None:
                raise SystemExit("%s: a line text without an entry head above it" % where)
            key = (head[2], text, head[3], head[4], head[5], head[6])
            if key in seen:
                raise SystemExit("%s: this line and site are listed twice" % where)
            seen.add(key)
            entries.append(Exclusion(where, *head[1:8], text))
            head[8] += 1
    close_head()
    return entries


def apply_exclusions(mutants, entries):
    """Sets each mutant's category from the most specific entry naming its
    site (a line's own entry before a pattern); returns the entries that
    name no mutant any more."""
    by_line, patterns = {}, []
    for e in entries:
        if e.pattern is None:
            by_line.setdefault(e.text, []).append(e)
        else:
            patterns.append(e)
    for m in mutants:
        base = os.path.basename(m.path)
        candidates = [e for e in by_line.get(m.old.strip(), []) + patterns if e.names_file(base)]
        for e in candidates:
            if e.matches(m, any_shift=True):
                e.used = True  # the site is there, whichever way this seed shifts it
        named = [e for e in candidates if e.matches(m)]
        if named:
            m.category = max(named, key=Exclusion.specificity).category
    return [e for e in entries if not e.used]


def exclusion_file(args, tree, here):
    """The list asked for, else the measured tree's own, else this one's."""
    if args.excluded:
        return os.path.abspath(args.excluded)
    own = os.path.join(tree, EXCLUDED)
    return own if os.path.isfile(own) else os.path.join(os.path.dirname(here), EXCLUDED)


def sampled(tree, args, here):
    """The ranked candidates without the equivalent ones, and the exclusion
    list's stale entries (warned about on stderr)."""
    mutants = all_mutants(tree, args.seed)
    if args.files:
        mutants = [m for m in mutants if any(fnmatch.fnmatch(m.path, g) for g in args.files)]
    path = exclusion_file(args, tree, here)
    if args.excluded and not os.path.exists(path):
        raise SystemExit("no exclusion list %s" % path)
    entries = read_exclusions(path) if os.path.exists(path) else []
    stale = apply_exclusions(mutants, entries)
    if args.files:
        stale = []  # entries for the files left out are not stale
    for e in stale:
        print("warning: %s: stale %s entry, no mutant at %s%s: %s" % (
            e.where, e.category, e.base, e.site(), e.text), file=sys.stderr)
    return [m for m in mutants if m.category != "equivalent"], stale, len(mutants)


# --- trees and builds ------------------------------------------------------


def run(cmd, **kw):
    return subprocess.run(cmd, check=True, **kw)


def copy_tree(tree, dest, tests_from):
    os.makedirs(dest)
    if os.path.isdir(os.path.join(tree, ".git")) or os.path.isfile(os.path.join(tree, ".git")):
        listed = subprocess.run(["git", "-C", tree, "ls-files", "-z", "--cached", "--others", "--exclude-standard"],
                                check=True, capture_output=True).stdout.split(b"\0")
        names = b"\0".join(n for n in listed if n and os.path.isfile(os.path.join(tree.encode(), n)))
        tar = subprocess.Popen(["tar", "-C", tree, "--null", "-T", "-", "-cf", "-"], stdin=subprocess.PIPE,
                               stdout=subprocess.PIPE)
        untar = subprocess.Popen(["tar", "-C", dest, "-xf", "-"], stdin=tar.stdout)
        tar.stdout.close()
        tar.communicate(names)
        if untar.wait() != 0 or tar.returncode != 0:
            raise RuntimeError("copying %s failed" % tree)
    else:
        shutil.copytree(tree, dest, dirs_exist_ok=True,
                        ignore=lambda d, names: [n for n in names if n.startswith("build") or n == ".git"])
    if tests_from:
        shutil.rmtree(os.path.join(dest, "tests"), ignore_errors=True)
        archive = subprocess.Popen(["git", "-C", tree, "archive", tests_from, "tests"], stdout=subprocess.PIPE)
        run(["tar", "-C", dest, "-xf", "-"], stdin=archive.stdout)
        if archive.wait() != 0:
            raise RuntimeError("git archive %s tests failed" % tests_from)


class Worker:
    def __init__(self, root, index):
        self.dir = os.path.join(root, "w%d" % index)
        self.src = os.path.join(self.dir, "src")
        self.build = os.path.join(self.dir, "build")
        self.tmp = os.path.join(self.dir, "tmp")
        self.proc = None
        self.applied = None  # (path, original text) while a mutant is in place
        self.lock = threading.Lock()

    def env(self, root):
        env = dict(os.environ)
        env["QT_QPA_PLATFORM"] = "offscreen"
        env["TMPDIR"] = self.tmp
        env["CCACHE_BASEDIR"] = root
        env["CCACHE_NOHASHDIR"] = "1"
        return env

    def call(self, cmd, env, timeout=None, cwd=None, stdout=subprocess.DEVNULL):
        """Runs cmd in its own process group; returns its exit code, or None on timeout."""
        with self.lock:
            if STOP.is_set():
                raise Interrupted()
            self.proc = subprocess.Popen(cmd, cwd=cwd, env=env, stdout=stdout,
                                         stderr=subprocess.DEVNULL, start_new_session=True)
        try:
            return self.proc.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            kill_group(self.proc)
            self.proc.wait()
            return None
        finally:
            with self.lock:
                self.proc = None
            if STOP.is_set():
                raise Interrupted()

    def stop(self):
        with self.lock:
            if self.proc is not None:
                kill_group(self.proc)

    def restore(self):
        if self.applied:
            path, text = self.applied
            with open(path, "w", encoding="utf-8", errors="surrogateescape") as f:
                f.write(text)
            self.applied = None


class Interrupted(Exception):
    pass


STOP = threading.Event()


def kill_group(proc):
    try:
        os.killpg(proc.pid, signal.SIGKILL)
    except ProcessLookupError:
        pass


def configure(worker, root, generator):
    os.makedirs(worker.tmp, exist_ok=True)
    cmd = ["cmake", "-S", worker.src, "-B", worker.build, "-DCMAKE_BUILD_TYPE=", "-DCMAKE_CXX_FLAGS=-O0",
           "-DCMAKE_C_FLAGS=-O0", "-DNOLT_SANITIZE=OFF", "-DNOLT_TESTS=ON", "-DNOLT_BENCH=OFF"]
    if generator:
        cmd += ["-G", generator]
    if shutil.which("ccache"):
        cmd += ["-DCMAKE_CXX_COMPILER_LAUNCHER=ccache", "-DCMAKE_C_COMPILER_LAUNCHER=ccache"]
    return worker.call(cmd, worker.env(root))


def build(worker, root, targets, jobs):
    cmd = ["cmake", "--build", worker.build, "-j%d" % jobs, "--target"] + list(targets)
    return worker.call(cmd, worker.env(root))


def run_ctest(worker, root, name, timeout, stdout=subprocess.DEVNULL):
    """Runs one ctest entry of the worker's build; its exit code (None on a hang)."""
    return worker.call(["ctest", "-R", "^%s$" % name, "--no-tests=error", "--output-on-failure",
                        "--timeout", str(timeout)], worker.env(root), timeout=timeout + 30,
                       cwd=worker.build, stdout=stdout)


def catching_tests(worker, root, tests, timeouts):
    """Every test case that fails with the mutant in place. A test program
    that crashes or hangs is run again without the test it was in, so the
    cases after it are still asked. The real-kernel test counts as one case."""
    caught = []
    for name in tests:
        if name == QEMU_TEST:
            if run_ctest(worker, root, name, timeouts[name]) != 0:
                caught.append(name)
            continue
        skipped = []
        for _ in range(8):
            out = os.path.join(worker.tmp, "out.txt")
            cmd = [os.path.join(worker.build, "bin", name), "--gtest_brief=0"]
            if skipped:
                cmd.append("--gtest_filter=-" + ":".join(skipped))
            with open(out, "w") as f:
                code = worker.call(cmd, worker.env(root), timeout=timeouts[name], cwd=worker.tmp, stdout=f)
            with open(out, errors="replace") as f:
                text = f.read()
            caught += ["%s.%s" % (name, t) for t in re.findall(r"^\[  FAILED  \] (\S+) \(", text, re.M)]
            if code in (0, 1):
                break
            running = re.findall(r"^\[ RUN      \] (\S+)", text, re.M)
            ended = set(re.findall(r"^\[ +(?:OK|FAILED) +\] (\S+) \(", text, re.M))
            open_ = [t for t in running if t not in ended]
            if not open_:
                caught.append("%s.(crash)" % name)
                break
            caught.append("%s.%s" % (name, open_[-1]))
            skipped.append(open_[-1])
    return sorted(set(caught))


def run_tests(worker, root, tests, timeouts):
    """True when some test program fails, crashes or hangs."""
    for name in tests:
        if name == QEMU_TEST:
            code = run_ctest(worker, root, name, timeouts[name])
        else:
            code = worker.call([os.path.join(worker.build, "bin", name), "--gtest_fail_fast", "--gtest_brief=1"],
                               worker.env(root), timeout=timeouts[name], cwd=worker.tmp)
        if code != 0:
            return True
    return False


# --- the run -----------------------------------------------------------------


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    ap = argparse.ArgumentParser(prog="tools/mutants.sh",
                                 description="Mutation testing of image/, link/, pgm/ and hidlib/.")
    ap.add_argument("--tree", default=os.path.dirname(here), help="source tree to measure (default: this repository)")
    ap.add_argument("--tests-from", metavar="COMMIT", help="take tests/ from this commit of the tree's repository")
    ap.add_argument("-n", "--count", type=int, default=160,
                    help="compiled behaviour mutants to run (default 160)")
    ap.add_argument("--excluded", metavar="FILE",
                    help="exclusion list (default: the tree's %s, else this repository's)" % EXCLUDED)
    ap.add_argument("--seed", default="1", help="sampling seed (default 1)")
    ap.add_argument("-j", "--jobs", type=int, default=max(1, (os.cpu_count() or 2) // 2),
                    help="parallel workers (default: half the cores)")
    ap.add_argument("--survivors", action="store_true", help="list the mutants no test caught")
    ap.add_argument("--matrix", metavar="FILE",
                    help="run every test case on each mutant and write which ones catch it to FILE (slower)")
    ap.add_argument("--files", metavar="GLOB", action="append",
                    help="only mutants in files matching GLOB (path from the tree's top, repeatable)")
    ap.add_argument("--list", action="store_true", help="only list the sample's first COUNT candidates")
    ap.add_argument("--work", help="folder for the worker trees, kept afterwards (default: a temporary one)")
    args = ap.parse_args()
    tree = os.path.abspath(args.tree)

    mutants, stale, candidates = sampled(tree, args, here)
    if args.list:
        behaviour = 0
        for m in mutants:
            if behaviour >= args.count:
                break
            behaviour += m.category == "behaviour"
            print("%s\t%s\t%s\t%s%s" % (m.where(), m.site(), m.old.strip(), m.new.strip(),
                                         "\tlayout" if m.category == "layout" else ""))
        return 0

    started = STARTED
    root = os.path.abspath(args.work) if args.work else tempfile.mkdtemp(prefix="nolt-mutants-")
    os.makedirs(root, exist_ok=True)
    workers = [Worker(root, i) for i in range(max(1, args.jobs))]

    def on_signal(signum, frame):
        if STOP.is_set():
            return
        STOP.set()
        for w in workers:
            w.stop()
        raise KeyboardInterrupt()

    for s in (signal.SIGINT, signal.SIGTERM, signal.SIGHUP):
        signal.signal(s, on_signal)

    try:
        return measure(args, tree, root, workers, started, mutants, stale, candidates)
    except KeyboardInterrupt:
        print("interrupted", file=sys.stderr)
        return 130
    finally:
        STOP.set()
        for w in workers:
            w.stop()
        for t in THREADS:
            t.join()
        for w in workers:
            w.restore()
        if not args.work:
            shutil.rmtree(root, ignore_errors=True)


STARTED = time.monotonic()


def log(text):
    took = int(time.monotonic() - STARTED)
    print("%2d:%02d %s" % (took // 60, took % 60, text), file=sys.stderr, flush=True)


def prepare(args, tree, root, workers):
    generator = "Ninja" if shutil.which("ninja") else None
    jobs = len(workers)
    for w in workers:
        if os.path.isdir(w.dir):
            shutil.rmtree(w.dir)
        copy_tree(tree, w.src, args.tests_from)
    # The first tree fills the compiler cache; the others then mostly hit it.
    log("building the first tree")
    if configure(workers[0], root, generator) != 0 or build(workers[0], root, programs(ALL_TESTS), jobs) != 0:
        raise SystemExit("the unmutated tree does not build (see %s)" % workers[0].build)
    failed = []

    def other(w):
        if configure(w, root, generator) != 0 or build(w, root, programs(ALL_TESTS), 2) != 0:
            failed.append(w)

    log("building %d more trees" % (jobs - 1))
    in_parallel(other, workers[1:])
    if failed:
        raise SystemExit("a worker tree does not build (see %s)" % failed[0].build)


THREADS = []
FAILURES = []


def in_parallel(fn, items):
    """Runs fn on each item in a thread of its own and waits for all."""
    threads = [threading.Thread(target=guarded, args=(fn, item)) for item in items]
    THREADS.extend(threads)
    for t in threads:
        t.start()
    while any(t.is_alive() for t in threads):
        for t in threads:
            t.join(0.2)
    if FAILURES:
        raise SystemExit(FAILURES[0])
    if STOP.is_set():
        raise KeyboardInterrupt()


def guarded(fn, *a):
    try:
        fn(*a)
    except Interrupted:
        pass
    except Exception as e:  # stop the others; the main thread reports it
        FAILURES.append("%s: %s" % (type(e).__name__, e))
        STOP.set()


def baseline(root, w0):
    """Runs every test once on the unmutated tree; the time each may take
    with a mutant, and the tests that skip themselves here (left out)."""
    timeouts, skipped = {}, {}
    for name in ALL_TESTS:
        t = time.monotonic()
        out = os.path.join(w0.tmp, "baseline.txt")
        with open(out, "w") as f:
            if name == QEMU_TEST:
                code = run_ctest(w0, root, name, QEMU_TIMEOUT, stdout=f)
            else:
                code = w0.call([os.path.join(w0.build, "bin", name)], w0.env(root), timeout=900, cwd=w0.tmp,
                               stdout=f)
        took = time.monotonic() - t
        if code != 0:
            raise SystemExit("%s fails without mutants; fix that first (see %s)" % (name, out))
        with open(out, errors="replace") as f:
            text = f.read()
        if name == QEMU_TEST and re.search(r"\*\*\*Skipped|SKIPPED:", text):
            why = re.search(r"SKIPPED: (.*)", text)
            skipped[name] = why.group(1).strip() if why else "skipped"
            log("%s skips itself: %s" % (name, skipped[name]))
            continue
        timeouts[name] = max(QEMU_TIMEOUT if name == QEMU_TEST else 30.0, 5 * took)
        log("%s passes in %.1f s" % (name, took))
    return timeouts, skipped


def measure(args, tree, root, workers, started, mutants, stale, candidates):
    """Runs the sample: the shortest prefix of the ranked candidates (the
    equivalent ones left out) that holds COUNT compiled behaviour mutants.
    The layout mutants within that prefix run too and are counted apart."""
    log("%d candidate mutants in %d files, %d of them on equivalent lines (not run), %d on layout lines" % (
        candidates, len(source_files(tree)), candidates - len(mutants),
        sum(1 for m in mutants if m.category == "layout")))
    prepare(args, tree, root, workers)
    timeouts, skipped = baseline(root, workers[0])

    results = {}  # index -> "caught" | "survived" | "not compiled"
    catchers = {}  # index -> the test cases that caught it (with --matrix)
    state = {"next": 0, "inflight": 0}  # inflight: behaviour mutants being run
    cond = threading.Condition()

    def behaviour_done():
        return sum(1 for i, r in results.items() if r != "not compiled" and mutants[i].category == "behaviour")

    def take():
        with cond:
            while True:
                if STOP.is_set():
                    return None
                if state["next"] < len(mutants) and behaviour_done() + state["inflight"] < args.count:
                    i = state["next"]
                    state["next"] += 1
                    state["inflight"] += mutants[i].category == "behaviour"
                    return i
                if state["inflight"] == 0:
                    return None
                cond.wait(0.5)

    def work(w):
        while True:
            i = take()
            if i is None:
                return
            m = mutants[i]
            path = os.path.join(w.src, m.path)
            with open(path, encoding="utf-8", errors="surrogateescape") as f:
                original = f.read()
            lines = original.splitlines(keepends=True)
            ending = lines[m.line][len(m.old):]
            lines[m.line] = m.new + ending
            w.applied = (path, original)
            with open(path, "w", encoding="utf-8", errors="surrogateescape") as f:
                f.write("".join(lines))
            try:
                tests = [t for t in TESTS_FOR[m.path.split(os.sep)[0]] if t not in skipped]
                if build(w, root, programs(tests), 2) != 0:
                    outcome = "not compiled"
                elif args.matrix:
                    catchers[i] = catching_tests(w, root, tests, timeouts)
                    outcome = "caught" if catchers[i] else "survived"
                else:
                    outcome = "caught" if run_tests(w, root, tests, timeouts) else "survived"
            finally:
                # Writing the original back leaves it newer than its object,
                # so the next build compiles it again (from the cache).
                w.restore()
            with cond:
                results[i] = outcome
                state["inflight"] -= m.category == "behaviour"
                cond.notify_all()
            log("[%d] %s %s%s: %s" % (len(results), m.where(), m.site(),
                                      " (layout)" if m.category == "layout" else "", outcome))

    in_parallel(work, workers)

    # Anything run beyond the sample is dropped.
    sample, compiled = [], 0
    for i in range(len(mutants)):
        if i not in results or compiled >= args.count:
            break
        sample.append(i)
        if results[i] != "not compiled" and mutants[i].category == "behaviour":
            compiled += 1
    ran = [i for i in sample if results[i] != "not compiled"]
    behaviour = [i for i in ran if mutants[i].category == "behaviour"]
    layout = [i for i in ran if mutants[i].category == "layout"]
    if args.matrix:
        with open(args.matrix, "w") as f:
            for i in ran:
                m = mutants[i]
                f.write("%s\t%s\t%s\t%s\n" % (m.where(), m.site(), m.category, " ".join(catchers.get(i, []))))
    minutes, seconds = divmod(int(time.monotonic() - started), 60)
    print("tree: %s%s, seed %s, %d workers, %dm%02ds" % (
        tree, " (tests from %s)" % args.tests_from if args.tests_from else "", args.seed, len(workers), minutes,
        seconds))
    for name, why in skipped.items():
        print("skipped: %s (%s)" % (name, why))
    print("equivalent, not run: %d of %d candidates%s" % (
        candidates - len(mutants), candidates, "; stale exclusions: %d (see the warnings)" % len(stale)
        if stale else ""))
    print("not compiled: %d" % (len(sample) - len(ran)))
    if args.survivors:
        for i in behaviour + layout:
            if results[i] == "survived":
                m = mutants[i]
                print("survived %s %s%s\n  - %s\n  + %s" % (m.where(), m.site(), " (layout)"
                      if m.category == "layout" else "", m.old.strip(), m.new.strip()))

    def caught(of):
        return sum(1 for i in of if results[i] == "caught")

    kinds = sorted({mutants[i].kind for i in behaviour})
    print("by kind: " + ", ".join("%s %d of %d" % (
        k, caught([i for i in behaviour if mutants[i].kind == k]),
        sum(1 for i in behaviour if mutants[i].kind == k)) for k in kinds))
    print("layout: caught %d of %d" % (caught(layout), len(layout)))
    print("caught %d of %d behaviour mutants" % (caught(behaviour), len(behaviour)))
    return 0


if __name__ == "__main__":
    sys.exit(main())
