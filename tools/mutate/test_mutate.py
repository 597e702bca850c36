#!/usr/bin/env python3
"""The mutation tool restores the tree however its run ends, and its sample follows the seed."""

import os
import signal
import subprocess
import sys
import tempfile
import time
import unittest
from pathlib import Path

TOOL = Path(__file__).resolve().parent / "mutate.py"
REPO = Path(__file__).resolve().parents[2]
SOURCE = """int clampedSum(int a, int b) {
  int c = a + b;
  if (c > 10) c = 10;
  return c < 0 ? 0 : c;
}
"""


class MutationToolTest(unittest.TestCase):
    def setUp(self):
        self.tmp = tempfile.TemporaryDirectory()
        self.root = Path(self.tmp.name)
        (self.root / "src" / "nrFFT").mkdir(parents=True)
        self.source = self.root / "src" / "nrFFT" / "sum.cpp"
        self.source.write_text(SOURCE)
        (self.root / "original").write_text(SOURCE)
        self.journal = self.root / ".mutate-journal"

    def tearDown(self):
        self.tmp.cleanup()

    def tool(self, *args, test_command="true"):
        """Starts the tool on the scratch tree, in a session of its own."""
        command = [sys.executable, str(TOOL), "--root", str(self.root), "--build", str(self.root / "build"),
                   "--build-command", "true", "--test-command", test_command, "--folder", "nrFFT", *args]
        return subprocess.Popen(command, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True,
                                start_new_session=True)

    def start_hanging_mutant(self):
        # The unmutated tree passes at once; a mutant hangs in its test until it is stopped.
        proc = self.tool("--count", "5", "--timeout", "120",
                         test_command="sh -c 'cmp -s src/nrFFT/sum.cpp original || sleep 60'")
        deadline = time.monotonic() + 30
        while not self.journal.exists():
            self.assertLess(time.monotonic(), deadline, "no mutant was applied")
            self.assertIsNone(proc.poll(), proc.stdout.read() if proc.poll() is not None else "")
            time.sleep(0.05)
        time.sleep(0.3)
        self.assertNotEqual(self.source.read_text(), SOURCE)
        return proc

    def test_a_signal_in_the_middle_of_a_mutant_restores_the_tree(self):
        for signum in (signal.SIGINT, signal.SIGTERM, signal.SIGHUP):
            with self.subTest(signal=signum.name):
                proc = self.start_hanging_mutant()
                proc.send_signal(signum)
                output, _ = proc.communicate(timeout=30)
                self.assertEqual(proc.returncode, 130, output)
                self.assertEqual(self.source.read_text(), SOURCE)
                self.assertFalse(self.journal.exists())

    def test_a_killed_run_is_restored_by_the_next_start(self):
        proc = self.start_hanging_mutant()
        os.killpg(proc.pid, signal.SIGKILL)
        proc.communicate(timeout=30)
        self.assertNotEqual(self.source.read_text(), SOURCE)  # SIGKILL cannot be caught ...
        nxt = self.tool("--list")
        output, _ = nxt.communicate(timeout=30)
        self.assertIn("restored src/nrFFT/sum.cpp", output)  # ... but the next start undoes it
        self.assertEqual(self.source.read_text(), SOURCE)
        self.assertFalse(self.journal.exists())

    def test_a_complete_run_reports_survivors_and_kills_and_leaves_the_tree_as_it_was(self):
        # A test that notices any edit kills every mutant; one that checks nothing kills none.
        for test_command, killed, survived in (("cmp -s src/nrFFT/sum.cpp original", 4, 0), ("true", 0, 4)):
            with self.subTest(test=test_command):
                output, _ = self.tool("--count", "4", test_command=test_command).communicate(timeout=60)
                total = next(l for l in output.splitlines() if l.startswith("all "))
                self.assertEqual(total.split()[1:4], ["4", str(killed), str(survived)], output)
                self.assertEqual(output.count("src/nrFFT/sum.cpp:"), 4 + survived)
                self.assertEqual(self.source.read_text(), SOURCE)
                self.assertFalse(self.journal.exists())

    def test_the_same_seed_gives_the_same_mutants(self):
        def listing(seed):
            result = subprocess.run([sys.executable, str(TOOL), "--root", str(REPO), "--list", "--count", "40",
                                     "--seed", str(seed)], capture_output=True, text=True, check=True)
            return result.stdout.splitlines()

        first = listing(7)
        self.assertEqual(len(first), 40)
        self.assertEqual(first, listing(7))
        self.assertNotEqual(first, listing(8))
        folders = {line.split()[1].split("/")[1] for line in first}
        self.assertGreaterEqual(len(folders), 8)  # spread over the folders, not drawn from one


if __name__ == "__main__":
    unittest.main()
