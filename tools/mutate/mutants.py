"""Generating mutants: one-line realistic faults in the C++ sources, found by plain text rules.

A mutant is one edit of one line: the original line and the line that replaces it (a swap edits
two adjacent lines). The rules work on a copy of each line with its comments and the contents of
its string and character literals blanked out, so nothing inside a text or a comment is mutated.
"""

import dataclasses
import random
import re
from pathlib import Path


@dataclasses.dataclass(frozen=True)
class Mutant:
    path: str          # relative to the tree root, e.g. "src/filters/filter_design.cpp"
    line: int          # 1-based line of the (first) edited line
    operator: str
    before: tuple      # the original lines, one or two
    after: tuple       # the lines that replace them

    @property
    def folder(self):
        return self.path.split("/")[1]

    def describe(self):
        edit = " / ".join(l.strip() for l in self.before) + "  ->  " + " / ".join(l.strip() for l in self.after)
        return f"{self.path}:{self.line} {self.operator}: {edit}"


def blank_literals_and_comments(lines):
    """Each line with comments, preprocessor lines and literal contents replaced by spaces."""
    out = []
    in_block = False
    for line in lines:
        masked = []
        i = 0
        if not in_block and line.lstrip().startswith("#"):
            out.append(" " * len(line))
            continue
        while i < len(line):
            if in_block:
                end = line.find("*/", i)
                if end < 0:
                    masked.append(" " * (len(line) - i))
                    i = len(line)
                else:
                    masked.append(" " * (end + 2 - i))
                    i = end + 2
                    in_block = False
                continue
            ch = line[i]
            if line.startswith("//", i):
                masked.append(" " * (len(line) - i))
                break
            if line.startswith("/*", i):
                in_block = True
                continue
            if ch in "\"'":
                j = i + 1
                while j < len(line) and line[j] != ch:
                    j += 2 if line[j] == "\\" else 1
                j = min(j, len(line) - 1)
                masked.append(ch + " " * (j - i - 1) + line[j])
                i = j + 1
                continue
            masked.append(ch)
            i += 1
        out.append("".join(masked))
    return out


# Binary operators are written with a space on each side in this code base, which tells them
# apart from template brackets, stream operators, pointers and unary signs.
SWAPS = {
    "relational": {" < ": " <= ", " <= ": " < ", " > ": " >= ", " >= ": " > ", " == ": " != ", " != ": " == "},
    "logical": {" && ": " || ", " || ": " && "},
    "arithmetic": {" + ": " - ", " - ": " + ", " * ": " / ", " / ": " * ",
                   " += ": " -= ", " -= ": " += ", " *= ": " /= ", " /= ": " *= "},
}
OPERATOR_RE = re.compile(r" (?:<=|>=|==|!=|&&|\|\||\+=|-=|\*=|/=|<|>|\+|-|\*|/) ")
INTEGER_RE = re.compile(r"(?<![\w.])(\d+)(?![\w.'])")
FLOAT_RE = re.compile(r"(?<![\w.])(\d+\.\d*|\.\d+)(?:[eE][-+]?\d+)?(?![\w.])")
HEX_RE = re.compile(r"(?<![\w.])0x([0-9A-Fa-f]+)\b")
INDEX_RE = re.compile(r"\[([A-Za-z_]\w*)\]")
BOOL_RE = re.compile(r"\b(true|false)\b")
DECLARATION_RE = re.compile(
    r"^\s*(?:(?:const|static|constexpr|inline|auto|unsigned|long)\s+)*"
    r"[A-Za-z_][\w:]*(?:<[^;=]*>)?[\s&*]+[A-Za-z_]\w*\s*(?:=|;|\{|\(|\[|,)")
NOT_DROPPABLE = re.compile(r"^\s*(?:return\b|case\b|default\b|using\b|namespace\b|template\b|extern\b|public:|private:)")


def bump_first_digit(text):
    """0.16 -> 0.26, 3.14 -> 4.14, 9.5 -> 8.5: a typo in a decimal constant."""
    for i, ch in enumerate(text):
        if ch in "123456789":
            new = "8" if ch == "9" else str(int(ch) + 1)
            return text[:i] + new + text[i + 1:]
    return None


def swapped_colour(digits):
    """The classic colour fault: red and blue exchanged (0x00BBGGRR read as RGB), or, for a
    colour that reads the same both ways, its bytes rotated."""
    value = int(digits, 16)
    if value == 0 or value > 0xFFFFFF:
        return None
    b, g, r = (value >> 16) & 0xFF, (value >> 8) & 0xFF, value & 0xFF
    swapped = (r << 16) | (g << 8) | b
    if swapped == value:
        swapped = (g << 16) | (r << 8) | b
    return None if swapped == value else f"{swapped:X}"


def is_simple_statement(code, previous_code):
    """A whole statement on one line, which may be dropped or swapped with its neighbour."""
    stripped = code.strip()
    if not stripped.endswith(";") or "{" in stripped or "}" in stripped:
        return False
    if stripped.count("(") != stripped.count(")") or NOT_DROPPABLE.match(code) or DECLARATION_RE.match(code):
        return False
    prev = previous_code.strip()
    return prev == "" or prev.endswith((";", "{", "}", ")", ":")) or prev == "else"


def line_mutants(path, number, line, code):
    """Every single-line mutant of one line; `code` is the line with literals blanked."""
    found = []

    def add(operator, start, end, replacement):
        found.append(Mutant(path, number, operator, (line,), (line[:start] + replacement + line[end:],)))

    for m in OPERATOR_RE.finditer(code):
        for operator, table in SWAPS.items():
            if m.group(0) in table:
                add(operator, m.start(), m.end(), table[m.group(0)])
    for m in HEX_RE.finditer(code):
        new = swapped_colour(m.group(1))
        if new:
            add("colour", m.start(), m.end(), "0x" + new)
    hex_spans = [m.span() for m in HEX_RE.finditer(code)]
    for m in INTEGER_RE.finditer(code):
        if any(a <= m.start() < b for a, b in hex_spans):
            continue
        value = int(m.group(1))
        add("constant", m.start(), m.end(), str(value + 1))
        if value > 0:
            add("off-by-one", m.start(), m.end(), str(value - 1))
    for m in FLOAT_RE.finditer(code):
        new = bump_first_digit(m.group(1))
        if new:
            add("constant", m.start(1), m.end(1), new)
    for m in INDEX_RE.finditer(code):
        add("off-by-one", m.start(1), m.end(1), m.group(1) + " + 1")
    for m in BOOL_RE.finditer(code):
        add("constant", m.start(), m.end(), "false" if m.group(1) == "true" else "true")
    return found


def file_mutants(root, path):
    lines = (Path(root) / path).read_text().split("\n")
    codes = blank_literals_and_comments(lines)
    found = []
    previous = ""
    simple = []
    for index, (line, code) in enumerate(zip(lines, codes)):
        found += line_mutants(path, index + 1, line, code)
        simple.append(is_simple_statement(code, previous))
        if code.strip():
            previous = code
    for index, line in enumerate(lines):
        if not simple[index]:
            continue
        indent = line[: len(line) - len(line.lstrip())]
        found.append(Mutant(path, index + 1, "dropped statement", (line,), (indent + ";",)))
        nxt = index + 1
        if nxt < len(lines) and simple[nxt] and lines[nxt] != line and lines[nxt].startswith(indent) \
                and not lines[nxt][len(indent):].startswith(" "):
            found.append(Mutant(path, index + 1, "swapped statements", (line, lines[nxt]), (lines[nxt], line)))
    return found


def all_mutants(root, folders):
    """Every mutant of the .cpp files of the given folders of src/ (and of the headers, for a
    folder whose .cpp files hold few), in a fixed order."""
    found = []
    for folder in sorted(folders):
        directory = Path(root) / "src" / folder
        in_folder = []
        for source in sorted(directory.rglob("*.cpp")):
            in_folder += file_mutants(root, source.relative_to(root).as_posix())
        if len(in_folder) < 10:  # a folder with much of its code in its headers
            for header in sorted(directory.rglob("*.h")):
                in_folder += file_mutants(root, header.relative_to(root).as_posix())
        found += in_folder
    return found


def sample(mutants, seed, count):
    """A reproducible sample spread evenly over the folders: each folder's mutants are shuffled
    with the seed and the folders are taken in turn, so a small folder is not drowned by a big
    one. Each folder has its own generator, so an edit in one folder leaves the others' samples
    as they were."""
    by_folder = {}
    for m in mutants:
        by_folder.setdefault(m.folder, []).append(m)
    queues = []
    for folder in sorted(by_folder):
        queue = list(by_folder[folder])
        random.Random(f"{seed}:{folder}").shuffle(queue)
        queues.append(queue)
    chosen = []
    while len(chosen) < count and any(queues):
        for queue in queues:
            if queue and len(chosen) < count:
                chosen.append(queue.pop())
    # Run order: the mutants of one file together (one rebuild of the restored file per file),
    # the files taken from the folders in turn, so that a run cut short still covers them all.
    files = {}
    for m in sorted(chosen, key=lambda m: (m.path, m.line, m.operator, m.after)):
        files.setdefault(m.folder, {}).setdefault(m.path, []).append(m)
    lanes = [list(files[folder].values()) for folder in sorted(files)]
    ordered = []
    for turn in range(max((len(lane) for lane in lanes), default=0)):
        for lane in lanes:
            if turn < len(lane):
                ordered += lane[turn]
    return ordered
