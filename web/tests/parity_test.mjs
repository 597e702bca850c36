// The same numbers in both builds: every script of parity/ (and the project's end-to-end batch
// scripts) runs through the desktop program's --batch and through the batch runner built for
// Node. Exit status, every word and every error line must be identical. Numbers must agree to
// within 1e-9 of the largest number on their line: the two C libraries round sin, cos, atan and
// exp differently in the last bit (glibc even picks its FMA variants by processor), and
// such a difference carries through the link's arithmetic as a few ulps, never more.
//   node parity_test.mjs NATIVE_PROGRAM NODE_RUNNER
import { spawnSync } from 'node:child_process';
import fs from 'node:fs';
import path from 'node:path';
import { fileURLToPath } from 'node:url';

const [native, nodeRunner] = process.argv.slice(2).map((p) => path.resolve(p));
if (!native || !nodeRunner) {
  console.error('usage: node parity_test.mjs NATIVE_PROGRAM NODE_RUNNER');
  process.exit(2);
}
const here = path.dirname(fileURLToPath(import.meta.url));
const scriptDirs = [path.join(here, 'parity'), path.join(here, '../../tests/batch/scripts')];
const scripts = scriptDirs.flatMap((dir) =>
  fs.readdirSync(dir).filter((f) => f.endsWith('.txt')).sort().map((f) => path.join(dir, f)));

function run(command, args) {
  const result = spawnSync(command, args, {
    encoding: 'utf8', maxBuffer: 1 << 30, timeout: 600_000,
    env: { ...process.env, QT_QPA_PLATFORM: 'offscreen' },
  });
  if (result.error) throw result.error;
  return result;
}

const TOLERANCE = 1e-9;
const NUMBER = /^[-+]?(\d+\.?\d*|\.\d+)(e[-+]?\d+)?$|^[-+]?(inf|nan)$/i;
let largestDeviation = 0;  // relative to the line's scale, over every script

// Compares one line word by word; returns why it differs, or ''.
function compareLine(a, b) {
  if (a === b) return '';
  const wa = a.split(' '), wb = b.split(' ');
  if (wa.length !== wb.length) return 'different number of words';
  let scale = 0;
  for (const w of wa) if (NUMBER.test(w)) scale = Math.max(scale, Math.abs(Number(w)) || 0);
  for (let i = 0; i < wa.length; ++i) {
    if (wa[i] === wb[i]) continue;
    if (!NUMBER.test(wa[i]) || !NUMBER.test(wb[i])) return `word ${i + 1}: ${wa[i]} / ${wb[i]}`;
    const x = Number(wa[i]), y = Number(wb[i]);
    const deviation = Math.abs(x - y) / Math.max(scale, Number.MIN_VALUE);
    if (!(deviation <= TOLERANCE)) return `word ${i + 1}: ${wa[i]} / ${wb[i]}`;
    largestDeviation = Math.max(largestDeviation, deviation);
  }
  return '';
}

function firstDifference(a, b) {
  const la = a.split('\n'), lb = b.split('\n');
  if (la.length !== lb.length) return `${la.length} lines / ${lb.length} lines`;
  for (let i = 0; i < la.length; ++i) {
    const why = compareLine(la[i], lb[i]);
    if (why) {
      const clip = (s) => (s.length > 160 ? `${s.slice(0, 160)}...` : s);
      return `line ${i + 1}, ${why}:\n  native: ${clip(la[i])}\n  node:   ${clip(lb[i])}`;
    }
  }
  return '';
}

// Qt may say something on standard error in the native run; only the program's own error
// lines count.
const errorLines = (text) => text.split('\n').filter((l) => l.startsWith('error:')).join('\n');

let failures = 0;
for (const script of scripts) {
  const a = run(native, ['--batch', script]);
  const b = run('node', [nodeRunner, script]);
  const name = path.relative(path.join(here, '../..'), script);
  const lines = a.stdout.split('\n').length - 1;
  // Scripts named stops_at_* end at a bad line on purpose; every other one must run through.
  const expected = path.basename(script).startsWith('stops_at_') ? 1 : 0;
  if (a.status !== expected) {
    console.log(`FAIL ${name}: the native run exited ${a.status}, not ${expected}: ${errorLines(a.stderr)}`);
    ++failures;
  } else if (a.status !== b.status || errorLines(a.stderr) !== errorLines(b.stderr) || firstDifference(a.stdout, b.stdout)) {
    console.log(`FAIL ${name}: exit ${a.status} / ${b.status}; ${firstDifference(a.stdout, b.stdout) ||
                `errors: ${errorLines(a.stderr)} / ${errorLines(b.stderr)}`}`);
    ++failures;
  } else {
    console.log(`ok   ${name} (${lines} lines)`);
  }
}
console.log(`largest deviation of a number: ${largestDeviation.toExponential(2)} of its line's scale`);
console.log(failures ? `${failures} of ${scripts.length} scripts differ` : `all ${scripts.length} scripts agree`);
process.exit(failures ? 1 : 0);
