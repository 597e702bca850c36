// The page in a real browser: the system's headless Chromium, driven through puppeteer-core,
// loads the site from a local server and uses it as a student would. Screenshots of the four
// scenes and the figures (load time, tick time, download size) go to OUT_DIR. With NATIVE_TICK
// (the native build of the page's tick, linklab_page_tick) the heaviest tick is also run natively
// on the same rasters at the same scale, for a fair ratio.
//   node browser_test.mjs SITE_DIR OUT_DIR [NATIVE_TICK]
import { execFileSync, spawn } from 'node:child_process';
import fs from 'node:fs';
import net from 'node:net';
import os from 'node:os';
import path from 'node:path';
import zlib from 'node:zlib';
import puppeteer from 'puppeteer-core';

const [siteDir, outDir, nativeTick] = process.argv.slice(2).map((p) => p && path.resolve(p));
if (!siteDir || !outDir) {
  console.error('usage: node browser_test.mjs SITE_DIR OUT_DIR');
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


// ---- The error-rate curve of the Measure menu ------------------------------------------------

// Waits for a file of the download folder whose name ends with SUFFIX; its bytes.
async function downloaded(folder, suffix) {
  for (let i = 0; i < 100; ++i) {
    const name = fs.existsSync(folder) && fs.readdirSync(folder).find((f) => f.endsWith(suffix));
    if (name) return fs.readFileSync(path.join(folder, name));
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
  await page.click('#measure-menu');
  await page.click('#measure-curve');
  check(await page.$eval('#curve-window', (w) => !w.hidden), 'Measure opens the error-rate curve');
  await curveRun(page, 0, 8, 2);
  const cores = await page.evaluate(() => navigator.hardwareConcurrency || 1);
  const started = await curveStatus(page);
  check(started === `running on ${Math.min(cores, 5)} worker${Math.min(cores, 5) > 1 ? 's' : ''}`,
        'the sweep runs on a worker per core', started);
  await page.waitForFunction(() => document.querySelector('#curve-status').textContent === 'done', { timeout: 180000 });
  check(await page.evaluate(() => window.linklab.curve.liveWorkers()) === 0, 'the workers end with the sweep');
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
try {
  const page = await browser.newPage();
  page.setDefaultTimeout(30000);
  page.on('console', (m) => { if (m.type() === 'error') problems.push(`console: ${m.text()}`); });
  page.on('pageerror', (e) => problems.push(`page error: ${e.message}`));
  page.on('requestfailed', (r) => problems.push(`request failed: ${r.url()}`));
  page.on('request', (r) => { if (!r.url().startsWith(url) && !r.url().startsWith('data:')) problems.push(`outside request: ${r.url()}`); });
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
  // Chromium paints no background on a range input: an opaque box must lie right under it.
  const backing = await page.$eval(sel('vscSpectrumRange'), (el) => {
    const under = el.previousElementSibling, a = el.getBoundingClientRect();
    if (!under || under.getClientRects().length === 0) return null;
    const b = under.getBoundingClientRect();
    return { colour: getComputedStyle(under).backgroundColor, same: ['x', 'y', 'width', 'height'].every((k) => a[k] === b[k]) };
  });
  check(backing && backing.same && opaque(backing.colour), 'the spectrum range slider is opaque', JSON.stringify(backing));

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

  // Sliders say their value in real units: at the end of their tooltip, and beside the thumb
  // while they move.
  const sampleTitle = await page.$eval(sel('hscSample'), (el) => el.title);
  check(sampleTitle.endsWith('Now: 0 symbols from the symbol centre (0 samples, 0 ms)'),
        "a slider's tooltip ends with its value", sampleTitle.split('\n').pop());
  await page.$eval(sel('hscSample'), (el) => {
    el.value = String(Number(el.value) + 16);
    el.dispatchEvent(new Event('input'));
  });
  const valueTip = await page.$eval('.slider-value', (el) => (el.hidden ? '' : el.textContent));
  check(valueTip.startsWith('+') && valueTip.includes('symbols from the symbol centre'),
        'moving a slider shows its value beside it', valueTip);
  await page.screenshot({ path: path.join(outDir, 'slider-value.png') });

  // The scales switch off and on, and the page remembers the choice.
  const inkWithScales = (await pictureInk(page, 'picSpectrum(0)')).ink;
  await page.click('#scales-toggle');
  await waitTicks(page, 2);
  const inkWithout = (await pictureInk(page, 'picSpectrum(0)')).ink;
  check(inkWithScales > inkWithout + 1000, 'the scales draw a grid over the spectrum', `${inkWithScales} > ${inkWithout}`);
  check(await page.evaluate(() => localStorage.getItem('linklab.scales')) === 'off', 'switching them off is remembered');
  await page.click('#scales-toggle');
  await waitTicks(page, 2);
  check((await pictureInk(page, 'picSpectrum(0)')).ink > inkWithout + 1000, 'and on again');

  await pickScene(page, 'Full');
  check(await visible(page, 'vscSync') && await visible(page, 'cmbNoise'), '"Full" shows the noise and sync controls');
  // A nudge of Sync by mouse: the model puts the slider back to rest inside the same event, and
  // the page must follow, or the next nudge the same way is no input at all.
  const sync = await box(page, sel('vscSync'));
  for (let i = 0; i < 3; ++i) await page.mouse.click(sync.x + sync.width / 2, sync.y + 3);
  check(await page.$eval(sel('vscSync'), (el) => el.value) === '0', 'the Sync slider rests at 0 after each nudge');
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
  await page.click('#help-menu');
  await page.click('#help-items [data-help="0"]');
  check(await page.$eval('#help-0', (w) => !w.hidden), 'Help opens the help window');
  check(await page.$eval('#help-0 .caption', (c) => c.textContent) === 'LinkLab Help', 'its caption');
  check((await page.$eval('#help-0 textarea', (t) => t.value.length)) > 200, 'its prose');
  await waitTicks(page, 2);  // modeless: the window keeps running
  await page.screenshot({ path: path.join(outDir, 'help.png') });
  await page.click('#help-0 button.close');
  check(await page.$eval('#help-0', (w) => w.hidden), 'Close hides it');
  await page.click('#help-menu');
  await page.click('#help-items [data-help="1"]');
  check(await page.$eval('#help-1 .caption', (c) => c.textContent) === 'LinkLab Instructions', 'Instructions opens');
  await page.click('#help-1 button.close');
  // One help window at a time, and Escape closes it.
  await page.click('#help-menu');
  await page.click('#help-items [data-help="0"]');
  await page.click('#help-menu');
  await page.click('#help-items [data-help="1"]');
  check(await page.$eval('#help-0', (w) => w.hidden) && await page.$eval('#help-1', (w) => !w.hidden),
        'opening a help window closes the other');
  await page.keyboard.press('Escape');
  check(await page.$eval('#help-1', (w) => w.hidden), 'Escape closes the help window');
  await page.click('#help-menu');
  await page.click('#help-items [data-help="0"]');
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
} finally {
  await browser.close();
  server.kill();
  fs.rmSync(profile, { recursive: true, force: true });
}

check(problems.length === 0, 'no console error, failed or outside request', problems.join('; '));

// What a student downloads: the page, its script and style, the module and the .wasm, gzipped.
const siteFiles = ['index.html', 'linklab.css', 'app.js', 'page_controls.js', 'error_rate.js', 'sweep_worker.js',
                   'linklab.js', 'linklab.wasm'];
figures.downloadBytes = {};
for (const f of siteFiles) figures.downloadBytes[f] = zlib.gzipSync(fs.readFileSync(path.join(siteDir, f)), { level: 9 }).length;
figures.downloadBytes.total = Object.values(figures.downloadBytes).reduce((a, b) => a + b, 0);
check(figures.downloadBytes.total < 1 << 20, 'the compressed download is under 1 MB', `${figures.downloadBytes.total} bytes`);

fs.writeFileSync(path.join(outDir, 'figures.json'), `${JSON.stringify(figures, null, 2)}\n`);
console.log(`figures: ${JSON.stringify(figures)}`);
console.log(failures ? `${failures} checks failed` : 'all checks passed');
process.exit(failures ? 1 : 0);
