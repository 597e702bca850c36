#!/usr/bin/env python3
"""Mutation testing of LinkLab: plant one realistic fault at a time in src/, rebuild the
non-sanitizer test build incrementally, run the tests, and report which faults no test noticed.

The tree is never left changed: before a file is edited its original text goes to a journal
file, and the journal is played back when the mutant is done, when the run is interrupted
(SIGINT, SIGTERM, SIGHUP) or, after a SIGKILL or a power cut, at the start of the next run.
"""

import argparse
import json
import os
import re
import shlex
import shutil
import signal
import subprocess
import sys
import time
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))
from mutants import all_mutants, sample  # noqa: E402

# Every folder of src/ but app/ (main() alone, which no test can reach).
def source_folders(root):
    return sorted(d.name for d in (Path(root) / "src").iterdir() if d.is_dir() and d.name != "app")


JOURNAL = ".mutate-journal"
# The gtest binaries run first, straight, stopping at their first failure; ctest runs the rest
# (scripts and any other test), without the tests those binaries already ran and without the
# test of this tool.
GTEST_BINARIES = ["tests/core_tests", "tests/qt/qt_tests"]


class Interrupted(Exception):
    pass


def on_signal(signum, _frame):
    for name in ("SIGINT", "SIGTERM", "SIGHUP"):  # a second signal must not cut the restoring short
        signal.signal(getattr(signal, name), signal.SIG_IGN)
    raise Interrupted(signal.Signals(signum).name)


# --- the journal -------------------------------------------------------------------------------

def write_atomically(path, text):
    tmp = path.with_name(path.name + ".tmp")
    with open(tmp, "w") as f:
        f.write(text)
        f.flush()
        os.fsync(f.fileno())
    os.replace(tmp, path)


def restore(root):
    """Puts back the file named in the journal, if any; returns its path or None."""
    journal = Path(root) / JOURNAL
    if not journal.exists():
        return None
    entry = json.loads(journal.read_text())
    write_atomically(Path(root) / entry["path"], entry["original"])
    journal.unlink()
    return entry["path"]


def apply(root, mutant):
    path = Path(root) / mutant.path
    original = path.read_text()
    lines = original.split("\n")
    first = mutant.line - 1
    if tuple(lines[first:first + len(mutant.before)]) != mutant.before:
        raise RuntimeError(f"{mutant.path}:{mutant.line} changed since the mutants were listed")
    lines[first:first + len(mutant.before)] = mutant.after
    write_atomically(Path(root) / JOURNAL, json.dumps({"path": mutant.path, "original": original}))
    write_atomically(path, "\n".join(lines))


# --- building and testing ----------------------------------------------------------------------

def run(command, timeout, cwd=None, env=None):
    """Runs a command in its own process group; returns (status, output), status None on
    timeout. An interruption kills the whole group before it propagates."""
    proc = subprocess.Popen(command, cwd=cwd, env=env, stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                            text=True, start_new_session=True)
    try:
        output, _ = proc.communicate(timeout=timeout)
        return proc.returncode, output
    except subprocess.TimeoutExpired:
        os.killpg(proc.pid, signal.SIGKILL)
        output, _ = proc.communicate()
        return None, output
    except BaseException:
        os.killpg(proc.pid, signal.SIGKILL)
        proc.wait()
        raise


def object_files(build):
    """Maps each source path (as ninja names it) to its object files in the build."""
    status, output = run(["ninja", "-C", str(build), "-t", "targets", "all"], 120)
    objects = {}
    for line in output.splitlines():
        target = line.split(":")[0]
        m = re.match(r"(.*)CMakeFiles/[^/]+\.dir/(.+\.cpp)\.o$", target)
        if m:  # src/qt/CMakeFiles/linklab_qt.dir/view.cpp.o is built from src/qt/view.cpp
            objects.setdefault(m.group(1) + m.group(2), []).append(target)
    return objects


def first_failure(output):
    m = re.search(r"\[  FAILED  \] (\S+)", output) or re.search(r"\d+ - (\S+) \(Failed\)", output)
    return m.group(1) if m else output.strip().splitlines()[-1][:80] if output.strip() else "?"


class Project:
    """The build and the tests as stages: each stage builds only what its tests run, and a stage
    whose build had nothing to do is skipped (its tests cannot see the mutant). A mutant that
    fails the first stage, the usual case, costs one compile and one link."""

    def __init__(self, root, build, build_command, test_commands, skipped=()):
        self.root, self.build = Path(root), Path(build)
        self.skipped = list(skipped)
        if build_command or test_commands:
            self.objects = {}
            self.stages = [(build_command or ["true"], c, False) for c in test_commands or [["true"]]]
        else:
            self.objects = object_files(self.build)
            self.stages = self.default_stages()

    def default_stages(self):
        ninja = ["ninja", "-C", str(self.build)]
        stages, names = [], []
        for binary in GTEST_BINARIES:
            if (self.build / binary).exists():
                name = Path(binary).name
                command = [str(self.build / binary), "--gtest_fail_fast", "--gtest_brief=1"]
                if self.skipped:
                    command.append("--gtest_filter=-" + ":".join(self.skipped))
                stages.append((ninja + [name], command, True))
                names.append(name)
        exclude = "^(" + "|".join(names) + r")\.|^mutation_tool$"  # ctest's own regex: no \b
        stages.append((ninja, ["ctest", "--test-dir", str(self.build), "--stop-on-failure", "-E", exclude,
                               "--output-on-failure", "--no-tests=ignore"], True))
        return stages

    def compile_object(self, mutant, timeout):
        """Compiles just the changed file; False when it does not compile."""
        targets = self.objects.get(mutant.path, [])
        if not targets:
            return True
        status, _ = run(["ninja", "-C", str(self.build)] + targets, timeout)
        return status == 0

    def build_all(self, timeout):
        for build, _, _ in self.stages:
            status, output = run(build, timeout, cwd=self.root)
            if status != 0:
                return False, output
        return True, ""

    def test(self, timeout, build_timeout=1800, skip=True):
        """Builds and tests stage by stage until the first failure: 'passed', 'failed: NAME',
        'timeout' or 'not compiled'."""
        env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
        left = timeout  # for the tests alone: a slow link on a busy machine is no timeout
        for build, command, skip_when_unchanged in self.stages:
            status, output = run(build, build_timeout, cwd=self.root)
            if status != 0:
                return "not compiled"
            if skip and skip_when_unchanged and "no work to do" in output:
                continue
            if left <= 0:
                return "timeout"
            started = time.monotonic()
            status, output = run(command, left, cwd=self.root, env=env)
            left -= time.monotonic() - started
            if status is None:
                return "timeout"
            if status != 0:
                return "failed: " + first_failure(output)
        return "passed"


# --- the run -----------------------------------------------------------------------------------

def report(results, out):
    folders = sorted({m.folder for m, _ in results})
    lines = [f"{'folder':<12} {'mutants':>7} {'killed':>6} {'survived':>8} {'score':>6}   not compiled"]
    totals = [0, 0, 0, 0]
    for folder in folders + ["all"]:
        rows = [r for m, r in results if folder in ("all", m.folder)]
        killed = sum(r.startswith(("failed", "timeout")) for r in rows)
        survived = sum(r == "survived" for r in rows)
        skipped = sum(r == "not compiled" for r in rows)
        score = f"{100 * killed / (killed + survived):5.1f}%" if killed + survived else "    -"
        lines.append(f"{folder:<12} {len(rows):>7} {killed:>6} {survived:>8} {score:>6}   {skipped}")
    lines.append("")
    lines.append("Survivors:")
    lines += ["  " + m.describe() for m, r in results if r == "survived"] or ["  none"]
    text = "\n".join(lines) + "\n"
    out.write(text)
    return text


def main(argv=None):
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--count", type=int, default=150)
    parser.add_argument("--folder", action="append", help="limit the mutants to this folder of src/ (repeatable)")
    parser.add_argument("--pick", help="run only these mutants of the sample, by number (e.g. 3,17)")
    parser.add_argument("--root", default=Path(__file__).resolve().parents[2], type=Path)
    parser.add_argument("--build", help="build directory (default ROOT/build/mutate)")
    parser.add_argument("--list", action="store_true", help="print the sample and stop")
    parser.add_argument("--restore", action="store_true", help="only restore an interrupted run's file")
    parser.add_argument("--timeout", type=float, help="test timeout per mutant in seconds "
                        "(default four times the unmutated run, at least 60)")
    parser.add_argument("--compile-timeout", type=float, default=300)
    parser.add_argument("--build-command", help="replaces the incremental build (for the tool's own test)")
    parser.add_argument("--test-command", action="append", help="replaces the tests (repeatable)")
    parser.add_argument("--report", type=Path, help="also write the report to this file")
    parser.add_argument("--skip-test", action="append", default=[],
                        help="a GoogleTest case (Suite.Name, * allowed) the unmutated tree already fails")
    args = parser.parse_args(argv)
    root = args.root.resolve()
    build = Path(args.build).resolve() if args.build else root / "build" / "mutate"

    for name in ("SIGINT", "SIGTERM", "SIGHUP"):
        signum = getattr(signal, name)
        if signal.getsignal(signum) != signal.SIG_IGN:  # keep nohup's choice
            signal.signal(signum, on_signal)

    restored = restore(root)
    if restored:
        print(f"restored {restored}, left changed by an interrupted run", flush=True)
    if args.restore:
        return 0

    folders = args.folder or source_folders(root)
    unknown = set(folders) - set(source_folders(root))
    if unknown:
        parser.error(f"no such folder of src/: {', '.join(sorted(unknown))}")
    chosen = sample(all_mutants(root, folders), args.seed, args.count)
    if args.list:
        for i, m in enumerate(chosen, 1):
            print(f"{i:4} {m.describe()}")
        return 0

    if args.pick:  # numbers as --list shows them
        chosen = [chosen[int(n) - 1] for n in args.pick.split(",")]
    build_command = shlex.split(args.build_command) if args.build_command else None
    test_commands = [shlex.split(c) for c in args.test_command] if args.test_command else None
    if build_command is None and not (build / "build.ninja").exists():
        status, output = run(["cmake", "-S", str(root), "-B", str(build), "-G", "Ninja",
                              "-DCMAKE_BUILD_TYPE=Debug", "-DCMAKE_CXX_FLAGS_DEBUG=-O1",
                              "-DLINKLAB_TESTS=ON"] + (["-DCMAKE_EXE_LINKER_FLAGS=-fuse-ld=gold"]
                                                       if shutil.which("ld.gold") else []), 600)
        if status != 0:
            print(output)
            return 2
    project = Project(root, build, build_command, test_commands, args.skip_test)
    results = []
    try:
        ok, output = project.build_all(3600)
        started = time.monotonic()
        verdict = project.test(3600, skip=False) if ok else "build failed"
        if verdict != "passed":
            print(f"the unmutated tree does not pass its tests ({verdict}); nothing to measure\n{output[-2000:]}")
            return 2
        timeout = args.timeout or max(60.0, 4 * (time.monotonic() - started))
        print(f"seed {args.seed}, {len(chosen)} mutants over {', '.join(folders)}; "
              f"test timeout {timeout:.0f} s", flush=True)
        for i, mutant in enumerate(chosen, 1):
            t0 = time.monotonic()
            apply(root, mutant)
            try:
                if not project.compile_object(mutant, args.compile_timeout):
                    verdict = "not compiled"
                else:
                    verdict = project.test(timeout)
            finally:
                restore(root)
            result = "survived" if verdict == "passed" else verdict
            results.append((mutant, result))
            print(f"[{i}/{len(chosen)}] {result.upper() if result == 'survived' else result} "
                  f"({time.monotonic() - t0:.0f} s) {mutant.describe()}", flush=True)
    except Interrupted as e:
        print(f"interrupted by {e}; the tree is restored; report of the {len(results)} mutants done:")
        report(results, sys.stdout)
        return 130
    finally:
        restore(root)
    text = report(results, sys.stdout)
    if args.report:
        args.report.write_text(text)
    return 0


if __name__ == "__main__":
    sys.exit(main())
