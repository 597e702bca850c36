// The page in a real browser: the system's headless Chromium, driven through puppeteer-core,
// loads the site from a local server and uses it as a student would. Screenshots of the four
// scenes and the figures (load time, tick time, download size) go to OUT_DIR. Setups opened on
// the page are compared with the desktop program's batch runner, NATIVE_PROGRAM. With NATIVE_TICK
// (the native build of the page's tick, linklab_page_tick) the heaviest tick is also run natively
// on the same rasters at the same scale, for a fair ratio.
//   node browser_test.mjs SITE_DIR OUT_DIR NATIVE_PROGRAM [NATIVE_TICK]
import { execFileSync, spawn, spawnSync } from 'node:child_process';
import fs from 'node:fs';
import net from 'node:net';
import os from 'node:os';
import path from 'node:path';
import zlib from 'node:zlib';
import { createRequire } from 'node:module';
import puppeteer from 'puppeteer-core';

const [siteDir, outDir, native, nativeTick] = process.argv.slice(2).map((p) => p && path.resolve(p));
if (!siteDir || !outDir || !native) {
  console.error('usage: node browser_test.mjs SITE_DIR OUT_DIR NATIVE_PROGRAM [NATIVE_TICK]');
  process.exit(2);
}
fs.mkdirSync(outDir, { recursive: true });

const sleep = (ms) => new Promise((r) => setTimeout(r, ms));
let failures = 0;
function check(condition, what, detail = '') {
  console.log(`${condition ? 'ok  ' : 'FAIL'} ${what}${detail ? ` (${detail})` : ''}`);
  if (!condition) ++failures;
}

// ---- A local server for the static site ------------------------------------------------------

async function freePort() {
  return new Promise((resolve, reject) => {
    const s = net.createServer();
    s.once('error', reject);
    s.listen(0, '127.0.0.1', () => {
      const { port } = s.address();
      s.close(() => resolve(port));
    });
  });
}

async function startServer() {
  const port = await freePort();
  const server = spawn('python3', ['-m', 'http.server', String(port), '--bind', '127.0.0.1', '--directory', siteDir],
                       { stdio: 'ignore' });
  const url = `http://127.0.0.1:${port}/`;
  for (let i = 0; i < 100; ++i) {
    try {
      if ((await fetch(url)).ok) return { server, url };
    } catch { /* not listening yet */ }
    await sleep(100);
  }
  server.kill();
  throw new Error('the local server did not start');
}

// ---- Reading the page ---------------------------------------------------------------------

const sel = (name) => `[data-name="${name}"]`;

// Pixels of a picture that are not its white background, and a fingerprint of all of them.
async function pictureInk(page, name) {
  return page.$eval(sel(name), (canvas) => {
    const { data } = canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height);
    let ink = 0, hash = 2166136261;
    for (let i = 0; i < data.length; i += 4) {
      if (data[i] !== 255 || data[i + 1] !== 255 || data[i + 2] !== 255) ++ink;
      hash = Math.imul(hash ^ (data[i] | (data[i + 1] << 8) | (data[i + 2] << 16)), 16777619);
    }
    return { ink, hash: hash >>> 0, width: canvas.width, height: canvas.height };
  });
}

const visible = (page, name) => page.$eval(sel(name), (el) => !el.hidden && el.getClientRects().length > 0);
const svgVisible = (page, name) => page.$$eval(`svg ${sel(name)}`, (els) => els.length > 0);
const caption = (page, name) => page.$eval(sel(name), (el) => el.textContent);
const box = async (page, selector) => (await page.$(selector)).boundingBox();
const ticksSoFar = (page) => page.evaluate(() => window.linklab.stats.ticks.length);

async function waitTicks(page, n) {
  const start = await ticksSoFar(page);
  await page.waitForFunction((s, k) => window.linklab.stats.ticks.length >= s + k, { timeout: 30000 }, start, n);
}

async function pickScene(page, scene) {
  await page.select(sel('cmbScene'), scene);
  await waitTicks(page, 4);
}

// Types into an editable list's field and commits with Enter.
async function typeInto(page, name, text, commit = 'Enter') {
  const field = `${sel(name)} input`;
  await page.click(field, { clickCount: 3 });
  await page.keyboard.type(text);
  if (commit) await page.keyboard.press(commit);
}

async function drag(page, from, to, steps = 8) {
  await page.mouse.move(from.x, from.y);
  await page.mouse.down();
  for (let i = 1; i <= steps; ++i)
    await page.mouse.move(from.x + ((to.x - from.x) * i) / steps, from.y + ((to.y - from.y) * i) / steps);
  await page.mouse.up();
}

// The small marker check boxes beside the traces whose caption is cut off by their box.
// An empty list when none is shown, so that a scene without markers cannot pass unnoticed.
const clippedMarkers = (page) => page.$$eval('label.check', (els) => {
  const shown = els.filter((el) => /^chk(Eye|ModData|Data|RxData|DemodData)/.test(el.dataset.name) && el.getClientRects().length > 0);
  if (shown.length === 0) return ['no marker shown'];
  return shown.filter((el) => el.scrollWidth > el.clientWidth)
    .map((el) => `${el.dataset.name} "${el.textContent}" ${el.scrollWidth} > ${el.clientWidth}`);
});
const style = (page, selector, property) => page.$eval(selector, (el, p) => getComputedStyle(el)[p], property);
const opaque = (colour) => /^rgb\(/.test(colour) || /^rgba\(.*, 1\)$/.test(colour);

const centre = (b) => ({ x: b.x + b.width / 2, y: b.y + b.height / 2 });

// ---- Setups and lessons ----------------------------------------------------------------------

// The batch runner's output for a script.
function batch(lines) {
  const script = path.join(outDir, 'batch-script.txt');
  fs.writeFileSync(script, `${lines.join('\n')}\n`);
  return spawnSync(native, ['--batch', script], { encoding: 'utf8', env: { ...process.env, QT_QPA_PLATFORM: 'offscreen' } }).stdout;
}

// Every list, slider and box the page shows, and Pause, as the batch runner names their values;
// each with whether the page shows it and whether its tooltip says a setup locked it.
const pageValues = (page) => page.$$eval('.control.combo, .control.slider, .control.check, [data-name="cmdPause"]', (els) =>
  els.map((el) => {
    const kind = ['combo', 'slider', 'check'].find((k) => el.classList.contains(k));
    const value = kind === 'combo' ? (el.querySelector('input') || el).value
      : kind === 'slider' ? el.querySelector('input').value : kind === 'check' ? String(Number(el.querySelector('input').checked)) : el.textContent;
    return { name: el.dataset.name, property: kind === 'slider' || kind === 'check' ? 'Value' : kind ? 'Text' : 'Caption',
             value, shown: !el.hidden, locked: el.title.includes('Locked by the setup') };
  }));

// The page's controls against the desktop's after `open setup FILE`.
async function sameAsDesktop(page, file, what) {
  const controls = await pageValues(page);
  const out = batch([`open setup ${file}`, ...controls.flatMap(({ name, property }) =>
    [`print ${name}.${property}`, `print ${name}.Visible`, `print ${name}.SetupHidden`, `print ${name}.SetupLocked`])]);
  const printed = new Map(out.split('\n').map((l) => l.split(' = ')));
  const differ = controls.filter(({ name, property, value, shown, locked }) => printed.get(`${name}.${property}`) !== value ||
    shown !== (printed.get(`${name}.Visible`) === 'True' && printed.get(`${name}.SetupHidden`) === 'False') ||
    locked !== (printed.get(`${name}.SetupLocked`) === 'True'));
  check(controls.length > 30 && differ.length === 0, `${what}: every control as the desktop has it`,
        differ.map((c) => `${c.name} ${c.value}/${printed.get(`${c.name}.${c.property}`)}`).join(', ') || `${controls.length} controls`);
}

const message = async (page) => {
  await page.waitForSelector('dialog#message[open]', { timeout: 10000 });
  const text = await page.$eval('dialog#message .text', (p) => p.textContent);
  await page.click('dialog#message button');
  return text;
};
const lessonPart = (page, part) => page.$eval(`#lesson-panel .${part}`, (el) => el.textContent);
async function checkStep(page, expected) {
  await page.click('#lesson-panel .check');
  const [kind, colour] = await page.$eval('#lesson-panel .verdict', (el) => [el.className, getComputedStyle(el).color]);
  check(kind === `verdict ${expected}` && colour === (expected === 'pass' ? 'rgb(16, 112, 16)' : 'rgb(176, 16, 16)'),
        `Check says ${expected} in its colour`, `${kind}, ${colour}: ${await lessonPart(page, 'verdict')}`);
}

async function setupsAndLessons(watch) {
  const file = path.join(outDir, 'exercise.linklab');
  fs.writeFileSync(file, 'linklab setup 1\ncmbScene = Full\ncmbMod(0) = 8-PSK\ncmbFilter(0) = Root RC\ncmbNoise = 0.2\n' +
                   'hscSample = 8\ncmbNonlinear = Non-Linear\nlock = cmbMod(0), hscSample\nhide = chkMemory\n');
  const desktop = batch([`open setup ${file}`, 'print setup', 'print setupLink']);
  const link = desktop.match(/^setupLink = (.*)$/m)[1];
  const page = await browser.newPage();
  watch(page);
  await page.setViewport({ width: 1280, height: 800 });
  const downloads = fs.mkdtempSync(path.join(os.tmpdir(), 'linklab-downloads-'));
  await (await page.target().createCDPSession()).send('Browser.setDownloadBehavior', { behavior: 'allow', downloadPath: downloads });

  // A bad link: one message naming the pair at fault, and the start-up window.
  await page.goto(`${url}#linklab=1&cmbScene=Full&cmbMod(0)=17-QAM`, { waitUntil: 'load', timeout: 60000 });
  const refused = await message(page);
  check(/line 3: .*17-QAM/.test(refused), 'a bad link says what is wrong', refused);
  check(await page.$eval(sel('cmbScene'), (s) => s.value) === 'Modulation', 'and leaves the start-up window');

  // A good link, as a new fragment: the desktop's settings, locks and hides.
  await page.evaluate((l) => { location.hash = l; }, link);
  await page.waitForFunction(() => document.querySelector('[data-name="cmbScene"]').value === 'Full');
  await sameAsDesktop(page, file, 'a link');
  await page.$eval(sel('cmbMod(0)'), (el) => { el.value = 'QPSK'; el.dispatchEvent(new Event('change')); });
  check(await page.$eval(sel('cmbMod(0)'), (el) => el.disabled && el.value === '8-PSK'), 'a locked list refuses a change');
  await page.reload({ waitUntil: 'load' });  // a page load in that setup
  await page.waitForFunction(() => window.linklab.ready);
  await sameAsDesktop(page, file, 'a page opened with the link');

  // Share and Save give back what was opened.
  await page.click('#share-button');
  check(await page.evaluate(() => location.hash) === link && await page.$eval('#share-box input', (f) => f.value === location.href),
        'Share puts the link in the address and the field', await page.evaluate(() => location.hash));
  await menuCommand(page, 'file', 'Save Setup\u2026');
  const saved = path.join(downloads, 'setup.linklab');
  for (let i = 0; i < 50 && !fs.existsSync(saved); ++i) await sleep(100);
  check(fs.existsSync(saved) && `${fs.readFileSync(saved, 'utf8')}end\n` === desktop.slice(0, desktop.indexOf('setupLink')),
        'Save Setup writes the desktop\'s setup text');
  await page.select(sel('cmbScene'), 'Scatter');
  await (await page.$('#setup-file')).uploadFile(saved);
  await page.waitForFunction(() => document.querySelector('[data-name="cmbScene"]').value === 'Full');
  await sameAsDesktop(page, file, 'the saved file opened again');

  // A lesson from the Help menu: Back and Next, a check that fails and then passes.
  await page.click('#help-menu');
  await page.click('#lesson-noise-and-matched-filter');
  check(await lessonPart(page, 'step-count') === 'Step 1 of 5' && await page.$eval('#lesson-panel .back', (b) => b.disabled),
        'the lesson opens at step 1 of 5');
  const [panel, shown] = [await box(page, '#lesson-panel'), await box(page, '#form')];
  check(panel.x >= shown.x + shown.width - 1 && panel.x + panel.width <= 1280, 'the panel lies beside the window');
  await page.click('#lesson-panel .next');
  const answerShown = () => page.$eval('#lesson-panel .answer', (f) => f.getClientRects().length > 0);
  check(await lessonPart(page, 'step-count') === 'Step 2 of 5' && !(await answerShown()), 'Next enters step 2, without a question');
  await checkStep(page, 'fail');
  await typeInto(page, 'cmbNoise', '1.0');
  await waitTicks(page, 3);
  await checkStep(page, 'pass');
  await page.click('#lesson-panel .next');
  check(await answerShown(), 'a question step shows the answer field');
  for (const [typed, expected] of [['10', 'fail'], ['20', 'pass']]) {
    await page.click('#lesson-panel .answer', { clickCount: 3 });
    await page.keyboard.type(typed);
    await checkStep(page, expected);
  }
  await page.screenshot({ path: path.join(outDir, 'lesson-1280x800.png') });
  await page.click('#lesson-panel .back');
  check(await lessonPart(page, 'step-count') === 'Step 2 of 5', 'Back returns to step 2');
  await page.setViewport({ width: 1024, height: 768 });
  await sleep(300);
  await checkStep(page, 'fail');
  await page.screenshot({ path: path.join(outDir, 'lesson-1024x768.png') });
  await page.setViewport({ width: 768, height: 1024 });
  await sleep(300);
  const [below, strip, portrait] = [await box(page, '#lesson-panel'), await box(page, '#readouts'), await box(page, '#form')];
  check(Math.abs(portrait.width - 768) < 2 && below.y >= strip.y + strip.height - 1 && below.width > 760 && below.height > 150,
        'in portrait the panel lies below the strip, the window at full width',
        `window ${portrait.width.toFixed(0)} wide, strip ends ${(strip.y + strip.height).toFixed(0)}, panel at ${below.y.toFixed(0)}`);
  await page.setViewport({ width: 1280, height: 800 });
  await sleep(300);
  const beside = (await box(page, '#form')).width;
  await page.click('#lesson-panel .close');
  await sleep(100);
  const alone = (await box(page, '#form')).width;
  check(alone > beside + 50, 'closing the panel gives the window its place', `${beside.toFixed(0)} to ${alone.toFixed(0)} px wide`);

  // Open Lesson reads a file.
  const shipped = new URL('../../src/lessons/texts/pulse-shaping-and-the-eye.lesson', import.meta.url).pathname;
  const lessonText = fs.readFileSync(shipped, 'utf8');
  await (await page.$('#lesson-file')).uploadFile(shipped);
  await page.waitForFunction((t) => document.querySelector('#lesson-panel .lesson-title').textContent === t, {},
                             lessonText.match(/^# (.*)$/m)[1]);
  check(await lessonPart(page, 'step-count') === `Step 1 of ${lessonText.match(/^## /gm).length}`, 'Open Lesson opens a lesson file');
  await page.close();
  fs.rmSync(downloads, { recursive: true, force: true });
}

// A command of the menu bar, as a user picks it.
async function menuCommand(page, menu, label) {
  await page.click(`#${menu}-menu`);
  const items = await page.$$(`#${menu}-items button`);
  for (const item of items)
    if ((await item.evaluate((b) => b.firstChild.textContent)) === label) return item.click();
  throw new Error(`no ${label} in ${menu}`);
}

// axe-core's serious and critical findings on the page as it stands.
const axeSource = fs.readFileSync(createRequire(import.meta.url).resolve('axe-core/axe.min.js'), 'utf8');
async function axeFindings(page) {
  if (!(await page.evaluate(() => Boolean(window.axe)))) await page.evaluate(axeSource);
  return page.evaluate(async () => (await window.axe.run(document, { resultTypes: ['violations'] })).violations
    .filter((v) => v.impact === 'serious' || v.impact === 'critical')
    .map((v) => `${v.id}: ${v.nodes.slice(0, 3).map((n) => n.target.join(' ')).join(', ')}`));
}

// The files the page downloads into DIR from now on, once each is complete.
async function downloads(dir, count) {
  for (let i = 0; i < 100; ++i) {
    const done = fs.readdirSync(dir).filter((f) => !f.endsWith('.crdownload'));
    if (done.length >= count) return done.map((f) => ({ name: f, bytes: fs.readFileSync(path.join(dir, f)) }));
    await sleep(100);
  }
  return [];
}
const pngSize = (b) => (b.subarray(0, 8).equals(Buffer.from([137, 80, 78, 71, 13, 10, 26, 10]))
  ? [b.readUInt32BE(16), b.readUInt32BE(20)] : null);

// ---- A tablet: touch emulation, landscape and portrait -----------------------------------------

async function touchChecks(tablet) {
  watchProblems(tablet);
  await tablet.setViewport({ width: 1024, height: 768, hasTouch: true, isMobile: true });
  await tablet.goto(url, { waitUntil: 'load' });
  await tablet.waitForFunction(() => window.linklab && window.linklab.ready);
  check(await tablet.evaluate(() => matchMedia('(pointer: coarse)').matches), 'the tablet has a coarse pointer');
  for (const scene of ['Modulation', 'Full']) {
    await pickScene(tablet, scene);
    const small = await tablet.$$eval('.control, .control .step, #menu button, #readouts button', (els) => els
      .filter((el) => el.getClientRects().length && !el.matches('.label, .picture, .image'))
      .map((el) => [el.dataset.name || el.className || el.id, el.getBoundingClientRect()])
      .filter(([, r]) => r.width < 23.99 || r.height < 23.99).map(([n, r]) => `${n} ${r.width.toFixed(1)}x${r.height.toFixed(1)}`));
    check(small.length === 0, `every control is a 24 px tap target in "${scene}"`, small.join('; '));
  }
  const gap = await tablet.evaluate(() => document.querySelector('[data-name="vscFreq"]').getBoundingClientRect().left -
                                          document.querySelector('[data-name="vscSync"]').getBoundingClientRect().right);
  check(gap >= 2, 'the Sync arrows keep clear of the frequency slider', `${gap.toFixed(1)} px`);
  await tablet.screenshot({ path: path.join(outDir, 'tablet-1024x768.png') });
  await menuCommand(tablet, 'measure', 'Error-rate curve\u2026');
  const smallInCurve = await tablet.$$eval('#curve-window button, #curve-window input', (els) => els
    .map((el) => [el.id || el.className, el.getBoundingClientRect()])
    .filter(([, r]) => r.width < 23.99 || r.height < 23.99).map(([n, r]) => `${n} ${r.width.toFixed(1)}x${r.height.toFixed(1)}`));
  check(smallInCurve.length === 0, 'every control of the curve window is a 24 px tap target', smallInCurve.join('; '));
  await tablet.click('#curve-window .close');

  // A long press shows the tooltip; on a picture it opens the picture's menu.
  const longPress = async (at) => {
    await tablet.touchscreen.touchStart(at.x, at.y);
    await sleep(800);
    await tablet.touchscreen.touchEnd();
  };
  await longPress(centre(await box(tablet, sel('cmbNoise'))));
  const tip = await tablet.$eval('#tip', (t) => (t.hidden ? '' : t.textContent));
  check(tip.length > 20 && tip === await tablet.$eval(sel('cmbNoise'), (el) => el.title), 'a long press shows the tooltip', tip);
  await tablet.screenshot({ path: path.join(outDir, 'tablet-long-press.png') });
  await longPress(centre(await box(tablet, sel('picScatter(2)'))));
  check(await tablet.$eval('#popup-menu', (m) => !m.hidden).catch(() => false), "a long press on a picture opens its menu");
  await tablet.keyboard.press('Escape');

  // Sideways swipes on the bars stay on the page.
  for (const bar of ['#menu', '#readouts']) {
    const b = centre(await box(tablet, bar));
    await tablet.touchscreen.touchStart(b.x + 200, b.y);
    for (let i = 1; i <= 6; ++i) await tablet.touchscreen.touchMove(b.x + 200 - i * 60, b.y);
    await tablet.touchscreen.touchEnd();
  }
  check(tablet.url() === url && await tablet.evaluate(() => window.linklab.ready), 'a swipe on the bars stays on the page');

  // A double tap is the right button: the phasor goes back to 0.5.
  await pickScene(tablet, 'Baseband Demo');
  const plane = await box(tablet, '#form'), perTwip = plane.width / 15045;
  const handle = centre(await box(tablet, `svg ${sel('shpDrag')}`));
  await tablet.touchscreen.touchStart(handle.x, handle.y);
  await tablet.touchscreen.touchMove(handle.x - 60, handle.y + 40);
  await tablet.touchscreen.touchEnd();
  const moved = centre(await box(tablet, `svg ${sel('shpDrag')}`));
  for (let i = 0; i < 2; ++i) await tablet.touchscreen.tap(moved.x, moved.y);
  const back = centre(await box(tablet, `svg ${sel('shpDrag')}`));
  const home = { x: plane.x + (4200 + 1180) * perTwip, y: plane.y + 3000 * perTwip };
  check(Math.hypot(back.x - home.x, back.y - home.y) < 3 && Math.hypot(moved.x - home.x, moved.y - home.y) > 20,
        'a double tap puts the phasor back', `${back.x.toFixed(1)},${back.y.toFixed(1)} for ${home.x.toFixed(1)},${home.y.toFixed(1)}`);

  // Portrait: the window takes the width, the strip follows right below it.
  await pickScene(tablet, 'Full');
  await tablet.setViewport({ width: 768, height: 1024, hasTouch: true, isMobile: true });
  await sleep(400);
  await waitTicks(tablet, 2);
  const [formBox, strip] = [await box(tablet, '#form'), await box(tablet, '#readouts')];
  check(Math.abs(formBox.width - 768) < 2 && Math.abs(strip.y - (formBox.y + formBox.height)) < 2,
        'in portrait the strip stands right below the window', `${formBox.width.toFixed(0)} wide, strip at ${strip.y.toFixed(0)}`);
  await tablet.screenshot({ path: path.join(outDir, 'tablet-768x1024.png') });
  await tablet.close();
}

// ---- The error-rate curve of the Measure menu ------------------------------------------------

// Waits for a file of the download folder whose name ends with SUFFIX; its bytes.
// Chromium may show the file under its final name before it has written it, so wait until
// its size holds still between two looks.
async function downloaded(folder, suffix) {
  let last = -1;
  for (let i = 0; i < 100; ++i) {
    const name = fs.existsSync(folder) && fs.readdirSync(folder).find((f) => f.endsWith(suffix));
    const size = name ? fs.statSync(path.join(folder, name)).size : -1;
    if (size > 0 && size === last) return fs.readFileSync(path.join(folder, name));
    last = size;
    await sleep(100);
  }
  return null;
}

const curveStatus = (page) => page.$eval('#curve-status', (s) => s.textContent);

async function curveRun(page, from, to, step) {
  for (const [id, value] of [['#curve-from', from], ['#curve-to', to], ['#curve-step', step]]) {
    await page.$eval(id, (input, v) => { input.value = String(v); input.dispatchEvent(new Event('input')); }, value);
  }
  await page.click('#curve-start');
}

async function testErrorRateCurve(page, browser) {
  const folder = path.join(outDir, 'downloads');
  fs.rmSync(folder, { recursive: true, force: true });
  fs.mkdirSync(folder, { recursive: true });
  const cdp = await browser.target().createCDPSession();
  await cdp.send('Browser.setDownloadBehavior', { behavior: 'allow', downloadPath: folder });

  // BPSK through root raised-cosine filters and a matched receiver: the theory's own link.
  const before = { scene: await page.$eval(sel('cmbScene'), (e) => e.value),
                   tx: await page.$eval(sel('cmbFilter(0)'), (e) => e.value),
                   rx: await page.$eval(`${sel('cmbFilter(1)')} input`, (e) => e.value) };
  await page.select(sel('cmbScene'), 'Full');
  await page.select(sel('cmbFilter(0)'), 'Root RC');
  await page.select(`${sel('cmbFilter(1)')} select`, 'Matched');
  const titles = await page.$$eval('#menu .menu-title', (bs) => bs.map((b) => b.textContent));
  check(titles.join(' ') === 'File View Measure Help', 'Measure stands before Help', titles.join(' '));
  await menuCommand(page, 'measure', 'Error-rate curve\u2026');
  check(await page.$eval('#curve-window', (w) => !w.hidden), 'Measure opens the error-rate curve');
  await curveRun(page, 0, 8, 2);
  const cores = await page.evaluate(() => navigator.hardwareConcurrency || 1);
  const started = await curveStatus(page);
  check(started === `running on ${Math.min(cores, 5)} worker${Math.min(cores, 5) > 1 ? 's' : ''}`,
        'the sweep runs on a worker per core', started);
  await page.waitForFunction(() => document.querySelector('#curve-status').textContent === 'done', { timeout: 180000 });
  check(await page.evaluate(() => window.linklab.curve.liveWorkers()) === 0, 'the workers end with the sweep');
  const findings = await axeFindings(page);
  check(findings.length === 0, 'axe finds nothing serious with the curve window open', findings.join('; '));
  await page.screenshot({ path: path.join(outDir, 'curve-window.png') });
  await (await page.$('#curve-window')).screenshot({ path: path.join(outDir, 'curve.png') });

  await page.click('#curve-csv');
  const csv = await downloaded(folder, '.csv');
  check(csv !== null, 'Save CSV downloads a table');
  const rows = csv ? csv.toString().trim().split('\n').slice(1).map((line) => line.split(',').map(Number)) : [];
  check(rows.length === 5, 'one row per point', String(rows.length));
  // Columns: ebn0_db symbols symbol_errors bits bit_errors ser ber ser_theory ber_theory ser_lo ser_hi ber_lo ber_hi
  for (const r of rows) {
    check(r[1] > 0 && r[5] === r[2] / r[1], `the point at ${r[0]} dB was measured`, `${r[2]} of ${r[1]}`);
    check(r[9] <= r[7] && r[7] <= r[10] && r[11] <= r[8] && r[8] <= r[12],
          `theory lies within the point's 95 % band at ${r[0]} dB`,
          `SER ${r[5].toExponential(2)} [${r[9].toExponential(2)}, ${r[10].toExponential(2)}] theory ${r[7].toExponential(2)}`);
  }
  await page.click('#curve-png');
  const png = await downloaded(folder, '.png');
  check(png !== null && png.subarray(1, 4).toString() === 'PNG' && png.length > 5000, 'Save PNG downloads an image');
  await page.click('#curve-svg');
  const svg = await downloaded(folder, '.svg');
  check(svg !== null && svg.toString().includes('<svg') && svg.toString().includes('BPSK theory'),
        'Save SVG downloads the drawing');

  // Cancel: a long sweep stops at once and stays stopped.
  await curveRun(page, 0, 14, 0.5);
  await page.waitForFunction(() => document.querySelector('#curve-progress').value > 0, { timeout: 60000 });
  await page.click('#curve-cancel');
  const cancelled = await page.evaluate(() => ({ status: document.querySelector('#curve-status').textContent,
    workers: window.linklab.curve.liveWorkers(), progress: document.querySelector('#curve-progress').value }));
  await sleep(800);
  const later = await page.$eval('#curve-progress', (p) => p.value);
  check(cancelled.status === 'cancelled' && cancelled.workers === 0 && later === cancelled.progress &&
        cancelled.progress < 1000, 'Cancel stops every worker', JSON.stringify({ ...cancelled, later }));
  check(await page.$eval('#curve-start', (b) => !b.disabled), 'and Start is offered again');
  await page.screenshot({ path: path.join(outDir, 'curve-cancelled.png') });
  await page.click('#curve-window .close');
  check(await page.$eval('#curve-window', (w) => w.hidden), 'the curve window closes');
  await page.select(sel('cmbFilter(0)'), before.tx);
  await page.select(`${sel('cmbFilter(1)')} select`, before.rx);
  await pickScene(page, before.scene);
}

// ---- The test ----------------------------------------------------------------------------------

const { server, url } = await startServer();
const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'linklab-chromium-'));
const browser = await puppeteer.launch({
  executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
  userDataDir: profile,
  headless: true,
  protocolTimeout: 120000,
  args: ['--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
         '--disable-background-networking', '--disable-component-update', '--disable-sync',
         '--disable-dev-shm-usage', '--force-device-scale-factor=1'],
});

const problems = [];
const figures = {};
function watchProblems(page) {
  page.setDefaultTimeout(30000);
  page.on('console', (m) => { if (m.type() === 'error') problems.push(`console: ${m.text()}`); });
  page.on('pageerror', (e) => problems.push(`page error: ${e.message}`));
  page.on('requestfailed', (r) => problems.push(`request failed: ${r.url()}`));
  page.on('request', (r) => { if (!/^(data|blob):/.test(r.url()) && !r.url().startsWith(url)) problems.push(`outside request: ${r.url()}`); });
}
try {
  const page = await browser.newPage();
  watchProblems(page);
  await page.setViewport({ width: 1280, height: 900 });

  const cdp = await page.target().createCDPSession();
  await cdp.send('Performance.enable');
  await page.goto(url, { waitUntil: 'load', timeout: 60000 });
  await page.waitForFunction(() => window.linklab && window.linklab.ready, { timeout: 60000 });
  // Processor time, which a busy machine does not stretch the way it stretches the clock.
  const metrics = Object.fromEntries((await cdp.send('Performance.getMetrics')).metrics.map((m) => [m.name, m.value]));
  figures.loadCpuMs = { mainThread: Math.round(metrics.ThreadTime * 1000), rendererProcess: Math.round(metrics.ProcessTime * 1000) };
  figures.loadAverage = os.loadavg()[0];
  figures.loadMs = await page.evaluate(() => window.linklab.stats.loadMs);
  figures.loadPhasesMs = await page.evaluate(() => Object.fromEntries([
    ['html', performance.getEntriesByType('navigation')[0].responseEnd],
    ...performance.getEntriesByType('mark').map((m) => [m.name, m.startTime]),
    ['interactive', window.linklab.stats.loadMs]].map(([k, v]) => [k, Math.round(v)])));

  // Start-up in "Modulation", the data and the spectrum drawn.
  check(await page.$eval(sel('cmbScene'), (s) => s.value) === 'Modulation', 'starts in "Modulation"');
  check(await page.title() === 'LinkLab', 'the page is titled LinkLab');
  await waitTicks(page, 3);
  check((await pictureInk(page, 'picData')).ink > 100, 'the data trace is drawn');
  check((await pictureInk(page, 'picSpectrum(0)')).ink > 100, 'the transmit spectrum is drawn');
  check(await visible(page, 'picEye(1)') && !(await visible(page, 'picEye(0)')), 'the I trace is shown, the eye is not');
  const placed = await box(page, sel('picData'));
  const form = await box(page, '#form');
  check(Math.abs((placed.x - form.x) / form.width - 6000 / 15045) < 0.003 &&
        Math.abs(placed.width / form.width - 8895 / 15045) < 0.003, 'the data trace is placed from its twips',
        `${(placed.x - form.x).toFixed(1)}, ${placed.width.toFixed(1)} of ${form.width.toFixed(1)}`);
  check(Math.abs(form.width / form.height - 15045 / 10170) < 0.01, 'the window keeps its proportions');
  check((await page.$eval(sel('cmbMod(0)'), (el) => el.title)).length > 10 &&
        (await page.$eval(sel('picSpectrum(0)'), (el) => el.title)).length > 10, 'controls and pictures have tooltips');
  await page.screenshot({ path: path.join(outDir, 'scene-2-modulation.png') });

  await testErrorRateCurve(page, browser);

  // No sideways swipe leaves the page: the history swipe is off for the whole page, and the
  // bars above and below the window take no sideways pan.
  for (const selector of ['html', 'body'])
    check(await style(page, selector, 'overscrollBehaviorX') === 'none', `${selector} has no overscroll`);
  for (const selector of ['#menu', '#readouts', '#form']) {
    const touch = await style(page, selector, 'touchAction');
    check(touch !== 'auto' && !touch.includes('pan-x') && !touch.includes('manipulation'), `${selector} takes no sideways pan`, touch);
  }
  // The spectrum's range slider lies over the picture: the trace must not show through it.
  const backing = await style(page, sel('vscSpectrumRange'), 'backgroundColor');
  check(opaque(backing), 'the spectrum range slider is opaque', backing);

  // The marker captions ("I", "Q") fit their boxes, at a small and a large screen.
  for (const [width, height] of [[1024, 768], [1920, 1080]]) {
    await page.setViewport({ width, height });
    await sleep(300);
    await waitTicks(page, 2);
    const clipped = await clippedMarkers(page);
    check(clipped.length === 0, `no marker caption is clipped at ${width}x${height}`, clipped.join('; '));
    await page.screenshot({ path: path.join(outDir, `modulation-${width}x${height}.png`) });
  }
  await page.setViewport({ width: 1280, height: 900 });
  await sleep(300);

  // A modulation: the receiver follows the transmitter.
  await page.select(sel('cmbMod(0)'), '16-QAM');
  check(await page.$eval(`${sel('cmbMod(1)')} input`, (f) => f.value) === '16-QAM', 'picking 16-QAM sets the receiver too');

  // Pause and continue; paused in "Modulation" the scan marker shows.
  await page.click(sel('cmdPause'));
  check(await caption(page, 'cmdPause') === 'Cont', 'Pause turns into Cont');
  check(await svgVisible(page, 'shpDragger') && await svgVisible(page, 'lneScan'), 'the scan marker shows while paused');
  const frozen = await pictureInk(page, 'picData');
  await sleep(600);
  check((await pictureInk(page, 'picData')).hash === frozen.hash, 'no new data while paused');

  // Dragging the scan marker moves it, and the trace button goes to the traced sample.
  const data = await box(page, sel('picData'));
  const tracePlaces = new Set();
  let handle1;
  for (const share of [0.2, 0.45, 0.7, 0.95]) {
    const from = centre(await box(page, `svg ${sel('shpDragger')}`));
    const to = { x: data.x + data.width * share, y: from.y };
    await drag(page, from, to);
    handle1 = await box(page, `svg ${sel('shpDragger')}`);
    check(Math.abs(centre(handle1).x - to.x) < 3, `the scan marker follows the pointer to ${share * 100} %`,
          `${centre(handle1).x.toFixed(1)} for ${to.x.toFixed(1)}`);
    const trace = await box(page, sel('cmdTrace'));
    tracePlaces.add(`${Math.round(trace.x)},${Math.round(trace.y)}`);
  }
  check(tracePlaces.size >= 2, 'the trace button moves with the traced sample', [...tracePlaces].join(' '));
  await drag(page, centre(handle1), { x: data.x - 200, y: centre(handle1).y });
  check(Math.abs(centre(await box(page, `svg ${sel('shpDragger')}`)).x - data.x) < 3, 'past the left edge it snaps to the trace');
  await page.screenshot({ path: path.join(outDir, 'modulation-paused-scan.png') });

  await page.click(sel('cmdPause'));
  check(await caption(page, 'cmdPause') === 'Pause', 'Cont turns back into Pause');
  check(!(await svgVisible(page, 'shpDragger')), 'the scan marker hides again');
  let fresh = false;
  for (let i = 0; i < 20 && !fresh; ++i) {
    await waitTicks(page, 1);
    fresh = (await pictureInk(page, 'picData')).hash !== frozen.hash;
  }
  check(fresh, 'running again draws new data');

  // "Scatter" and "Full".
  await page.select(sel('cmbMod(0)'), 'QPSK');
  await pickScene(page, 'Scatter');
  check(await visible(page, 'picEye(0)') && await visible(page, 'picScatter(2)'), '"Scatter" shows the eye and the scatter');
  await waitTicks(page, 5);
  await page.screenshot({ path: path.join(outDir, 'scene-3-scatter.png') });

  // A resize draws the built-up pictures again from their record: at the new size only the
  // drawing's own colours (no stretched blend), and back at the old size the very same pixels.
  await menuCommand(page, 'view', 'Scales');  // off: the scales' text is smoothed
  await page.click(sel('cmdPause'));
  const colours = (name) => page.$eval(sel(name), (c) => {
    const d = c.getContext('2d').getImageData(0, 0, c.width, c.height).data, found = new Set();
    for (let i = 0; i < d.length; i += 4) found.add((d[i] << 16) | (d[i + 1] << 8) | d[i + 2]);
    return [...found];
  });
  const eye = await pictureInk(page, 'picEye(0)'), palette = new Set(await colours('picEye(0)'));
  const keepPixels = (name) => page.$eval(sel(name), (c) => {
    const d = c.getContext('2d').getImageData(0, 0, c.width, c.height).data;
    return window.kept ? window.kept.every((v, i) => v === d[i] || d[i] === 255) : Boolean(window.kept = d);
  });
  await keepPixels('picEye(0)');
  await page.setViewport({ width: 1920, height: 1080 });
  await sleep(300);
  const stray = (await colours('picEye(0)')).filter((c) => !palette.has(c));
  const bigEye = await pictureInk(page, 'picEye(0)');
  check(bigEye.width > eye.width * 1.15 && stray.length === 0 && bigEye.ink > eye.ink / 2,
        'a resize redraws the eye crisp, in its own colours', `${eye.width} -> ${bigEye.width} px, ${stray.length} new colours`);
  await page.setViewport({ width: 1280, height: 900 });
  await sleep(300);
  check(await keepPixels('picEye(0)'), 'back at the old size the eye is drawn where it was, in the colours it had');
  await page.click(sel('cmdPause'));
  await menuCommand(page, 'view', 'Scales');

  // Sliders say their value in real units: at the end of their tooltip, and beside the thumb
  // while they move.
  const sampleTitle = await page.$eval(sel('hscSample'), (el) => el.title);
  check(sampleTitle.endsWith('Now: 0 symbols from the symbol centre (0 samples, 0 ms)'),
        "a slider's tooltip ends with its value", sampleTitle.split('\n').pop());
  await page.$eval(`${sel('hscSample')} input`, (el) => {
    el.value = String(Number(el.value) + 16);
    el.dispatchEvent(new Event('input'));
  });
  const valueTip = await page.$eval('.slider-value', (el) => (el.hidden ? '' : el.textContent));
  check(valueTip.startsWith('+') && valueTip.includes('symbols from the symbol centre'),
        'moving a slider shows its value beside it', valueTip);
  await page.screenshot({ path: path.join(outDir, 'slider-value.png') });

  // The scales switch off and on, and the page remembers the choice.
  const inkWithScales = (await pictureInk(page, 'picSpectrum(0)')).ink;
  await menuCommand(page, 'view', 'Scales');
  await waitTicks(page, 2);
  const inkWithout = (await pictureInk(page, 'picSpectrum(0)')).ink;
  check(inkWithScales > inkWithout + 1000, 'the scales draw a grid over the spectrum', `${inkWithScales} > ${inkWithout}`);
  check(await page.evaluate(() => localStorage.getItem('linklab.scales')) === 'off', 'switching them off is remembered');
  await menuCommand(page, 'view', 'Scales');
  await waitTicks(page, 2);
  check((await pictureInk(page, 'picSpectrum(0)')).ink > inkWithout + 1000, 'and on again');

  await pickScene(page, 'Full');
  check(await visible(page, 'vscSync') && await visible(page, 'cmbNoise'), '"Full" shows the noise and sync controls');
  // A nudge of Sync by mouse: the model puts the slider back to rest inside the same event, and
  // the page must follow, or the next nudge the same way is no input at all.
  const sync = await box(page, `${sel('vscSync')} .step.less`);
  for (let i = 0; i < 3; ++i) await page.mouse.click(sync.x + sync.width / 2, sync.y + sync.height / 2);
  check(await page.$eval(`${sel('vscSync')} input`, (el) => el.value) === '0', 'the Sync slider rests at 0 after each nudge');
  await waitTicks(page, 10);
  const clean = await pictureInk(page, 'picScatter(2)');

  // Typing a noise level: nothing happens before Enter, then the scatter spreads.
  await typeInto(page, 'cmbNoise', '0.6', null);
  await waitTicks(page, 3);
  check(await page.$eval(`${sel('cmbNoise')} input`, (f) => f.value) === '0.6', 'half-typed text survives the ticks');
  await page.keyboard.press('Enter');
  await waitTicks(page, 10);
  check(await page.$eval(`${sel('cmbNoise')} input`, (f) => f.value) === '0.6', 'the typed noise level is kept');
  const noisy = await pictureInk(page, 'picScatter(2)');
  check(noisy.ink > clean.ink * 2, 'noise spreads the received symbols', `${clean.ink} -> ${noisy.ink} pixels`);
  const strip = await page.$$eval('#readouts .figures span:not([hidden])', (spans) => spans.map((s) => s.textContent));
  check(strip.length === 5 && strip[0].startsWith('Eb/N0') && await page.$eval('#reset-counts', (b) => !b.hidden),
        'the readout strip shows the receiver\'s figures', strip.join(' | '));
  await page.screenshot({ path: path.join(outDir, 'scene-4-full.png') });

  // Space pauses and continues when the focus has no use for it; F1 opens the help.
  await page.evaluate(() => document.activeElement?.blur());
  await page.keyboard.press('Space');
  check(await caption(page, 'cmdPause') === 'Cont', 'Space pauses');
  await page.keyboard.press('Space');
  check(await caption(page, 'cmdPause') === 'Pause', 'and Space continues');
  await page.keyboard.press('F1');
  check(await page.$eval('#help-0', (w) => !w.hidden), 'F1 opens the help');
  await page.keyboard.press('Escape');
  await menuCommand(page, 'help', 'Keyboard Shortcuts');
  const keys = await page.$$eval('#shortcuts kbd', (ks) => ks.map((k) => k.textContent));
  check(['Space', 'F1', 'F11', 'Ctrl+S', 'Ctrl+O', 'Ctrl+Shift+S', 'Tab, Shift+Tab'].every((k) => keys.includes(k)), 'the shortcut sheet lists the keys', keys.join(' | '));
  await page.keyboard.press('Escape');

  // Tab walks the block diagram from the transmitter to the receiver, not the page's order; a
  // scene picked by keyboard rearranges that order and keeps the focus on the list.
  await page.focus(sel('cmbScene'));
  await page.keyboard.press('ArrowUp');
  const picked = await page.$eval(sel('cmbScene'), (s) => s.value);
  await page.keyboard.press('ArrowDown');
  check(picked === 'Scatter' && await page.evaluate(() => document.activeElement.dataset.name) === 'cmbScene' &&
        await page.$eval(sel('cmbScene'), (s) => s.value) === 'Full', 'the scene list keeps the focus through a scene change', picked);
  const stops = [];
  for (let i = 0; i < 14; ++i) {
    await page.keyboard.press('Tab');
    stops.push(await page.evaluate(() => document.activeElement.closest('.control')?.dataset.name));
  }
  const flow = ['cmbData', 'cmbMod(0)', 'cmbFilter(0)', 'cmbNonlinear', 'cmbNoise', 'cmbFilter(1)', 'vscSync'].map((n) => stops.indexOf(n));
  check(flow.every((at, i) => at >= 0 && (i === 0 || at > flow[i - 1])), 'Tab follows the block diagram', stops.join(' '));

  // The File menu and a picture's menu download real files.
  const downloadDir = fs.mkdtempSync(path.join(os.tmpdir(), 'linklab-downloads-'));
  await (await browser.target().createCDPSession()).send('Browser.setDownloadBehavior', { behavior: 'allow', downloadPath: downloadDir });
  await waitTicks(page, 5);  // the scene change above cleared the pictures
  await page.click(sel('cmdPause'));  // the pictures hold still while they are saved
  await menuCommand(page, 'file', 'Save Window Image');
  await menuCommand(page, 'file', 'Save Window Image at 2x');
  await page.click(sel('picEye(0)'), { button: 'right' });
  await page.click('#popup-menu button:nth-of-type(2)');  // as SVG
  await menuCommand(page, 'file', 'Save Picture\u2026');
  await page.select('#save-picture select', 'picScatter(2)');
  await page.click('#save-picture button[value="png"]');
  const files = await downloads(downloadDir, 4);
  const pngs = files.filter((f) => f.name.endsWith('.png')).map((f) => ({ name: f.name, size: pngSize(f.bytes) }));
  const formWidth = Math.round((await box(page, '#form')).width);
  const scatterWidth = await page.$eval(sel('picScatter(2)'), (c) => c.width);
  const windowPngs = pngs.filter((f) => f.name.startsWith('LinkLab Full')).map((f) => f.size?.[0]).sort((a, b) => a - b);
  check(windowPngs.length === 2 && Math.abs(windowPngs[0] - formWidth) <= 1 && Math.abs(windowPngs[1] - 2 * windowPngs[0]) <= 1,
        'Save Window Image downloads PNGs at 1x and 2x', JSON.stringify(pngs));
  check(pngs.some((f) => f.name.startsWith('LinkLab scatter') && f.size?.[0] === scatterWidth), 'Save Picture downloads a PNG');
  const svg = files.find((f) => f.name.endsWith('.svg'));
  // Paths, or the raster embedded when the eye drew more than its record keeps.
  check(svg && svg.name.startsWith('LinkLab eye') && /<svg[^>]*viewBox/.test(svg.bytes.toString()) &&
        /<path|<image[^>]*data:image\/png;base64,iVBOR/.test(svg.bytes.toString()),
        "a picture's menu downloads its SVG drawing", svg?.name);
  await page.click(sel('cmdPause'));
  for (const [width, height] of [[1024, 768], [1920, 1080]]) {
    await page.setViewport({ width, height });
    await sleep(300);
    await waitTicks(page, 2);
    const clipped = await clippedMarkers(page);
    check(clipped.length === 0, `no marker caption is clipped in "Full" at ${width}x${height}`, clipped.join('; '));
    await page.screenshot({ path: path.join(outDir, `full-${width}x${height}.png`) });
  }
  await page.setViewport({ width: 1280, height: 900 });
  await sleep(300);

  // A message: an unknown receive filter. The dialog stops the timer until OK.
  await typeInto(page, 'cmbFilter(1)', 'Bessel');
  await page.waitForSelector('dialog#message[open]', { timeout: 10000 });
  check((await page.$eval('dialog#message .text', (p) => p.textContent)) === 'Internal Error: Unknown Filter Type.',
        'the unknown filter raises its message');
  const ticksAtMessage = await ticksSoFar(page);
  await sleep(600);
  check(await ticksSoFar(page) === ticksAtMessage, 'no tick while the message is open');
  await page.screenshot({ path: path.join(outDir, 'message.png') });
  // The message is plain text, not an input box.
  const messageText = await page.$eval('dialog#message .text', (p) => {
    const c = getComputedStyle(p);
    return { border: c.borderTopWidth, background: c.backgroundColor };
  });
  check(messageText.border === '0px' && messageText.background === 'rgba(0, 0, 0, 0)', 'the message is plain text',
        JSON.stringify(messageText));
  await page.click('dialog#message button');
  await waitTicks(page, 3);
  check(!(await page.$('dialog#message[open]')), 'OK closes it and the timer runs again');
  await page.select(`${sel('cmbFilter(1)')} select`, 'Matched');

  // The heaviest tick: "Full", 16-QAM, Gaussian, noise 1.0, Non-Linear.
  await page.select(sel('cmbMod(0)'), '16-QAM');
  await page.select(sel('cmbFilter(0)'), 'Gaussian');
  await page.select(`${sel('cmbNoise')} select`, '1.0');
  await page.select(sel('cmbNonlinear'), 'Non-Linear');
  await waitTicks(page, 10);
  await page.evaluate(() => { window.linklab.stats.ticks.length = 0; window.linklab.stats.modelTicks.length = 0; });
  await waitTicks(page, 50);
  const spread = (list) => {
    const t = list.slice().sort((a, b) => a - b);
    return { median: t[Math.floor(t.length / 2)], p90: t[Math.floor(t.length * 0.9)], max: t[t.length - 1], samples: t.length };
  };
  figures.heaviestTickMs = spread(await page.evaluate(() => window.linklab.stats.ticks));
  figures.heaviestTickModelMs = spread(await page.evaluate(() => window.linklab.stats.modelTicks));
  await page.screenshot({ path: path.join(outDir, 'full-heaviest.png') });

  // The same at 1920 x 1080 on a screen of pixel ratio 2, and natively on the same rasters.
  await page.setViewport({ width: 1920, height: 1080, deviceScaleFactor: 2 });
  await sleep(300);
  await waitTicks(page, 10);
  await page.evaluate(() => { window.linklab.stats.ticks.length = 0; window.linklab.stats.modelTicks.length = 0; });
  await waitTicks(page, 50);
  const large = {
    pixelScale: await page.evaluate(() => window.linklab.stats.pixelScale),
    page: spread(await page.evaluate(() => window.linklab.stats.ticks)),
    model: spread(await page.evaluate(() => window.linklab.stats.modelTicks)),
  };
  if (nativeTick) {
    large.native = JSON.parse(execFileSync(nativeTick, [String(large.pixelScale), '50']).toString());
    large.wasmOverNative = Number((large.model.median / large.native.tickMs).toFixed(2));
  }
  figures.heaviestTick1920x1080at2x = large;
  check(large.pixelScale > 2 / 15, 'the pictures are drawn at the screen\'s pixel ratio', String(large.pixelScale));
  await page.setViewport({ width: 1280, height: 900, deviceScaleFactor: 1 });
  await sleep(300);

  // The help windows, from the Help menu.
  await menuCommand(page, 'help', 'LinkLab Help');
  check(await page.$eval('#help-0', (w) => !w.hidden), 'Help opens the help window');
  check(await page.$eval('#help-0 .caption', (c) => c.textContent) === 'LinkLab Help', 'its caption');
  check((await page.$eval('#help-0 textarea', (t) => t.value.length)) > 200, 'its prose');
  await waitTicks(page, 2);  // modeless: the window keeps running
  await page.screenshot({ path: path.join(outDir, 'help.png') });
  await page.click('#help-0 button.close');
  check(await page.$eval('#help-0', (w) => w.hidden), 'Close hides it');
  await menuCommand(page, 'help', 'Instructions');
  check(await page.$eval('#help-1 .caption', (c) => c.textContent) === 'LinkLab Instructions', 'Instructions opens');
  await page.click('#help-1 button.close');
  // One help window at a time, and Escape closes it.
  await menuCommand(page, 'help', 'LinkLab Help');
  await menuCommand(page, 'help', 'Instructions');
  check(await page.$eval('#help-0', (w) => w.hidden) && await page.$eval('#help-1', (w) => !w.hidden),
        'opening a help window closes the other');
  await page.keyboard.press('Escape');
  check(await page.$eval('#help-1', (w) => w.hidden), 'Escape closes the help window');
  await menuCommand(page, 'help', 'LinkLab Help');
  await page.focus('#help-0 textarea');
  await page.keyboard.press('Escape');
  check(await page.$eval('#help-0', (w) => w.hidden), 'Escape closes it from inside its text too');

  // "Baseband Demo": drag the phasor, with a finger as well as the mouse.
  await pickScene(page, 'Baseband Demo');
  check(await svgVisible(page, 'shpDrag') && await svgVisible(page, 'shpCircle'), '"Baseband Demo" shows the phasor plane');
  const phasor = centre(await box(page, `svg ${sel('shpDrag')}`));
  const plane = await box(page, '#form');
  const perTwip = plane.width / 15045;
  const target = { x: plane.x + (4200 + 800) * perTwip, y: plane.y + (3000 - 900) * perTwip };
  await drag(page, phasor, target);
  const moved = centre(await box(page, `svg ${sel('shpDrag')}`));
  check(Math.hypot(moved.x - target.x, moved.y - target.y) < 3, 'the phasor follows the mouse',
        `${moved.x.toFixed(1)},${moved.y.toFixed(1)} for ${target.x.toFixed(1)},${target.y.toFixed(1)}`);
  const touchTarget = { x: plane.x + (4200 - 1500) * perTwip, y: plane.y + (3000 + 600) * perTwip };
  await page.touchscreen.touchStart(moved.x, moved.y);
  await page.touchscreen.touchMove((moved.x + touchTarget.x) / 2, (moved.y + touchTarget.y) / 2);
  await page.touchscreen.touchMove(touchTarget.x, touchTarget.y);
  await page.touchscreen.touchEnd();
  const touched = centre(await box(page, `svg ${sel('shpDrag')}`));
  check(Math.hypot(touched.x - touchTarget.x, touched.y - touchTarget.y) < 3, 'and a finger');
  await waitTicks(page, 12);
  check((await pictureInk(page, 'picModData')).ink > 100, 'the carrier picture is drawn');
  await page.screenshot({ path: path.join(outDir, 'scene-1-baseband-demo.png') });

  // A narrow window: everything shrinks together.
  await page.setViewport({ width: 700, height: 900 });
  await sleep(300);
  const small = await box(page, '#form');
  check(Math.abs(small.width - 700) < 2 && Math.abs(small.width / small.height - 15045 / 10170) < 0.01,
        'the window scales to a narrow browser', `${small.width.toFixed(1)} x ${small.height.toFixed(1)}`);
  await waitTicks(page, 2);
  await page.setViewport({ width: 1280, height: 800 });

  // axe-core on every scene: nothing serious or critical.
  for (const scene of ['Baseband Demo', 'Modulation', 'Scatter', 'Full']) {
    await pickScene(page, scene);
    const findings = await axeFindings(page);
    check(findings.length === 0, `axe finds nothing serious in "${scene}"`, findings.join('; '));
    const untitled = await page.$$eval('#diagram rect, #diagram ellipse', (shapes) => shapes
      .filter((el) => !el.querySelector('title')?.textContent).map((el) => el.dataset.name));
    check(untitled.length === 0, `every shape of "${scene}" has its tooltip`, untitled.join(' '));
  }

  // View: zoom to 100 % and a step up, back to the fit; full screen where the browser allows it.
  const widthAt = async () => (await box(page, '#form')).width;
  const fitted = await widthAt();
  await page.keyboard.down('Control');
  await page.keyboard.press('0');
  const actual = await widthAt();
  await page.keyboard.press('=');
  await page.keyboard.up('Control');
  const zoomed = await widthAt();
  await menuCommand(page, 'view', 'Fit to Window');
  check(Math.abs(actual - 1003) < 1 && Math.abs(zoomed - 1103.3) < 1 && Math.abs(await widthAt() - fitted) < 1,
        'zoom: actual size, a step in, and the fit again', `${actual.toFixed(1)}, ${zoomed.toFixed(1)}, ${fitted.toFixed(1)}`);
  // Entering and leaving full screen completes after the event that asks for it.
  const settles = (fn) => page.waitForFunction(fn, { timeout: 5000 }).then(() => true, () => false);
  await menuCommand(page, 'view', 'Full Screen');
  check(await settles(() => Boolean(document.fullscreenElement)), 'View > Full Screen takes the screen');
  await page.keyboard.press('F11');
  check(await settles(() => !document.fullscreenElement), 'and F11 leaves it');
  await page.screenshot({ path: path.join(outDir, 'laptop-1280x800.png') });
  for (const scale of [1, 2]) {
    await page.setViewport({ width: 1920, height: 1080, deviceScaleFactor: scale });
    await sleep(400);
    await waitTicks(page, 2);
    await page.screenshot({ path: path.join(outDir, `laptop-1920x1080-${scale}x.png`) });
  }

  await touchChecks(await browser.newPage());

  await setupsAndLessons(watchProblems);

  // Installable: the manifest names icons that exist at their sizes; and the page reloads offline.
  const manifest = await (await fetch(`${url}manifest.webmanifest`)).json();
  const icons = await Promise.all(manifest.icons.map(async (i) => [i.sizes, pngSize(Buffer.from(await (await fetch(url + i.src)).arrayBuffer()))]));
  check(manifest.display === 'standalone' && icons.length === 2 && icons.every(([sizes, size]) => size && sizes === `${size[0]}x${size[1]}`),
        'the manifest names its icons at their sizes', JSON.stringify(icons));
  check(await page.evaluate(() => Promise.race([navigator.serviceWorker.ready.then(() => true),
                                                 new Promise((r) => setTimeout(() => r(false), 20000))])),
        'the service worker is installed');
  server.kill();
  await sleep(300);
  await page.reload({ waitUntil: 'load' });
  await page.waitForFunction(() => window.linklab && window.linklab.ready, { timeout: 30000 });
  await waitTicks(page, 3);
  check((await pictureInk(page, 'picData')).ink > 100, 'the page reloads and runs with the server stopped');
  // The sweep's workers load their script and module from the cache as well.
  await menuCommand(page, 'measure', 'Error-rate curve\u2026');
  await curveRun(page, 0, 2, 2);
  await page.waitForFunction(() => !/^(running|$)/.test(document.querySelector('#curve-status').textContent), { timeout: 120000 });
  check(await curveStatus(page) === 'done', 'a sweep runs offline', await curveStatus(page));
} finally {
  await browser.close();
  server.kill();
  fs.rmSync(profile, { recursive: true, force: true });
}

check(problems.length === 0, 'no console error, failed or outside request', problems.join('; '));

// What a student downloads: the page, its script and style, the module and the .wasm, gzipped.
const siteFiles = fs.readdirSync(siteDir).filter((f) => f !== 'linklab-batch.js');
figures.downloadBytes = {};
for (const f of siteFiles) figures.downloadBytes[f] = zlib.gzipSync(fs.readFileSync(path.join(siteDir, f)), { level: 9 }).length;
figures.downloadBytes.total = Object.values(figures.downloadBytes).reduce((a, b) => a + b, 0);
check(figures.downloadBytes.total < 1 << 20, 'the compressed download is under 1 MB', `${figures.downloadBytes.total} bytes`);

fs.writeFileSync(path.join(outDir, 'figures.json'), `${JSON.stringify(figures, null, 2)}\n`);
console.log(`figures: ${JSON.stringify(figures)}`);
console.log(failures ? `${failures} checks failed` : 'all checks passed');
process.exit(failures ? 1 : 0);
