// The LinkLab page: builds the window model from the WebAssembly core, mirrors it in HTML and
// runs its 100 ms timer. Every user event calls the model's own handler, and afterwards the page
// syncs itself from the model, as the desktop window does.
import { PageControls, TWIPS_PER_PIXEL } from './page_controls.js';
import { installMeasureMenu } from './error_rate.js';

const FORM_WIDTH = 15045, FORM_HEIGHT = 10170;  // twips of the window's client area
const $ = (selector) => document.querySelector(selector);

// Figures the browser test reads: load time and the time of each tick, from the page's clock.
const stats = { loadMs: 0, ticks: [], modelTicks: [] };  // ticks: model and page, modelTicks: model alone
window.linklab = { stats, ready: false };

const Module = await createLinkLab();
performance.mark('linklab-module');
const app = new Module.WebApp();

const form = $('#form');
const controls = new PageControls(form, $('#diagram'), $('#overlay'), {
  setText: (name, text) => userEvent(() => app.setText(name, text)),
  setValue: (name, value) => userEvent(() => app.setValue(name, value)),
  click: (name) => userEvent(() => app.click(name)),
}, (name) => Module.WebApp.tooltip(name), (name) => app.sliderText(name));

// ---- Scales over the pictures: the core describes them, the page draws them over each picture
// (never into its raster). The toggle is remembered in the browser, as the desktop remembers it.

const SCALE_FONT_PX = 11;  // at 100 %
const SCALE_FONT = '"DejaVu Sans", Verdana, sans-serif';
const scales = new Map();  // picture name -> its last description
const painted = new Map();  // picture name -> its last paint, to draw again when only the scales change
{
  const probe = document.createElement('canvas').getContext('2d');
  probe.font = `${SCALE_FONT_PX}px ${SCALE_FONT}`;
  app.setScaleStyle(SCALE_FONT_PX * 1.25 * TWIPS_PER_PIXEL, probe.measureText('0').width * TWIPS_PER_PIXEL,
                    2 * TWIPS_PER_PIXEL);
}
const scalesToggle = $('#scales-toggle');
try { scalesToggle.checked = localStorage.getItem('linklab.scales') !== 'off'; } catch { /* no storage */ }
app.setScalesShown(scalesToggle.checked);
scalesToggle.addEventListener('change', () => {
  try { localStorage.setItem('linklab.scales', scalesToggle.checked ? 'on' : 'off'); } catch { /* no storage */ }
  app.setScalesShown(scalesToggle.checked);
  syncFromModel();
});

function drawScales(canvas, s) {
  if (!s || (s.lines.length === 0 && s.labels.length === 0)) return;
  const ctx = canvas.getContext('2d');
  const sx = canvas.width / s.width, sy = canvas.height / s.height;  // device pixels per twip
  const snap = (v) => Math.floor(v) + 0.5;
  ctx.save();
  // Darken keeps every trace pixel darker than the grid: the grid lies under the traces.
  ctx.globalCompositeOperation = 'darken';
  ctx.lineWidth = 1;
  for (let i = 0; i + 4 < s.lines.length; i += 5) {
    ctx.strokeStyle = s.lines[i + 4] ? 'rgb(160,160,160)' : 'rgb(208,208,208)';
    ctx.beginPath();
    ctx.moveTo(snap(s.lines[i] * sx), snap(s.lines[i + 1] * sy));
    ctx.lineTo(snap(s.lines[i + 2] * sx), snap(s.lines[i + 3] * sy));
    ctx.stroke();
  }
  ctx.font = `${SCALE_FONT_PX * sx * TWIPS_PER_PIXEL}px ${SCALE_FONT}`;
  ctx.fillStyle = 'rgb(70,70,70)';
  for (const [x, y, align, edge, text] of s.labels) {
    ctx.textAlign = ['left', 'center', 'right'][align];
    ctx.textBaseline = edge === 0 ? 'top' : 'bottom';
    ctx.fillText(text, x * sx, y * sy);
  }
  ctx.restore();
}

// ---- Syncing from the model ------------------------------------------------------------------

let timerState = { enabled: false, interval: 0 };

function syncFromModel() {
  const changes = JSON.parse(app.changes());
  controls.apply(changes.controls);
  controls.refreshValueTitles();
  const rescaled = new Set();
  for (const s of changes.scales) {
    scales.set(s.name, s);
    rescaled.add(s.name);
  }
  for (const p of changes.pictures) {
    paintPicture(p);
    rescaled.delete(p.name);
  }
  for (const name of rescaled) if (painted.has(name)) paintPicture(painted.get(name));
  for (const h of changes.help) syncHelpWindow(h);
  if (changes.readouts) syncReadouts(changes.readouts);
  timerState = changes.timer;
  scheduleTicks();
  showNextMessage();
}

function paintPicture({ index, name, columns, rows }) {
  const canvas = controls.canvas(name);
  if (!canvas) return;
  if (canvas.width !== columns || canvas.height !== rows) {
    canvas.width = columns;
    canvas.height = rows;
  }
  const view = app.pixels(index);  // a view on the module's memory: used at once, never kept
  const bytes = new Uint8ClampedArray(view.buffer, view.byteOffset, view.length);
  canvas.getContext('2d').putImageData(new ImageData(bytes, columns, rows), 0, 0);
  painted.set(name, { index, name, columns, rows });
  drawScales(canvas, scales.get(name));
}

function userEvent(handler) {
  if (messageOpen()) return;
  handler();
  syncFromModel();
}

// The strip under the window: the readouts of the latest runs, and the button that restarts
// their counts.
const readoutFigures = $('#readouts .figures'), resetCounts = $('#reset-counts');
resetCounts.addEventListener('click', () => userEvent(() => app.resetCounts()));

function syncReadouts({ figures, reset, resetTip }) {
  while (readoutFigures.children.length < figures.length) readoutFigures.append(document.createElement('span'));
  figures.forEach(({ text, tip, shown }, i) => {
    const span = readoutFigures.children[i];
    span.textContent = text;
    span.title = tip;
    span.hidden = !shown;
  });
  resetCounts.hidden = !reset;
  resetCounts.title = resetTip;
}

// ---- The timer -------------------------------------------------------------------------------

let interval = null, intervalMs = 0;

function scheduleTicks() {
  const run = timerState.enabled && timerState.interval > 0 && !messageOpen();
  if (run && interval !== null && intervalMs === timerState.interval) return;
  if (interval !== null) clearInterval(interval);
  interval = null;
  if (run) {
    intervalMs = timerState.interval;
    interval = setInterval(onTick, intervalMs);
  }
}

function onTick() {
  if (messageOpen()) return;
  const start = performance.now();
  if (!app.tick()) return;
  const modelDone = performance.now();
  syncFromModel();
  stats.ticks.push(performance.now() - start);
  stats.modelTicks.push(modelDone - start);
  if (stats.ticks.length > 200) stats.ticks.shift();
  if (stats.modelTicks.length > 200) stats.modelTicks.shift();
}

// ---- Messages: a modal dialog, and no tick while it is open ---------------------------------

const messageDialog = $('#message');
const messageOpen = () => messageDialog.open;

function showNextMessage() {
  if (messageOpen()) return;
  const text = app.takeMessage();
  if (!text) return;
  messageDialog.querySelector('.text').textContent = text;
  messageDialog.showModal();
  scheduleTicks();
}

messageDialog.addEventListener('close', () => {
  app.messageClosed();
  syncFromModel();
});

// ---- Help windows: modeless panels that the model shows and hides --------------------------

const helpWindows = [$('#help-0'), $('#help-1')];

function syncHelpWindow({ which, caption, visible, text, close }) {
  const panel = helpWindows[which];
  panel.querySelector('.caption').textContent = caption;
  panel.querySelector('textarea').value = text.replaceAll('\r\n', '\n');
  panel.querySelector('button.close').textContent = close;
  panel.hidden = !visible;
}

helpWindows.forEach((panel, which) => {
  panel.querySelector('button.close').addEventListener('click', () => userEvent(() => app.closeHelp(which)));
  dragByTitle(panel);
});

function dragByTitle(panel) {
  const title = panel.querySelector('.title');
  title.addEventListener('pointerdown', (e) => {
    if (e.target.closest('button')) return;
    const startX = e.clientX - panel.offsetLeft, startY = e.clientY - panel.offsetTop;
    title.setPointerCapture(e.pointerId);
    const move = (m) => {
      panel.style.left = `${m.clientX - startX}px`;
      panel.style.top = `${m.clientY - startY}px`;
    };
    title.addEventListener('pointermove', move);
    title.addEventListener('pointerup', () => title.removeEventListener('pointermove', move), { once: true });
  });
}

// The Help menu.
const menuButton = $('#help-menu'), menuItems = $('#help-items');
menuButton.addEventListener('click', () => { menuItems.hidden = !menuItems.hidden; });
document.addEventListener('pointerdown', (e) => {
  if (!e.target.closest('#menu')) menuItems.hidden = true;
});
// One help window at a time: the panels share a place and would hide each other.
menuItems.querySelectorAll('button').forEach((item) => item.addEventListener('click', () => {
  menuItems.hidden = true;
  const which = Number(item.dataset.help);
  userEvent(() => {
    helpWindows.forEach((panel, other) => { if (other !== which && !panel.hidden) app.closeHelp(other); });
    app.showHelp(which);
  });
}));

// Escape closes the open help window, as it closes a dialog.
document.addEventListener('keydown', (e) => {
  if (e.key !== 'Escape' || messageOpen()) return;
  const which = helpWindows.findIndex((panel) => !panel.hidden);
  if (which < 0) return;
  e.preventDefault();
  userEvent(() => app.closeHelp(which));
});

// ---- The window's own mouse events: dragging the phasor and the scan marker ------------------
// Pointer events, so a finger drags as a mouse does. Shapes and lines have no element: a press
// on the bare window (or on a shape) is the window's mouse-down, as on the desktop.

function toTwips(e) {
  const r = form.getBoundingClientRect();
  return [((e.clientX - r.left) / controls.scale) * TWIPS_PER_PIXEL,
          ((e.clientY - r.top) / controls.scale) * TWIPS_PER_PIXEL];
}

function shiftState(e) { return (e.shiftKey ? 1 : 0) | (e.ctrlKey ? 2 : 0) | (e.altKey ? 4 : 0); }

form.addEventListener('pointerdown', (e) => {
  if (e.target !== form && !e.target.closest('svg')) return;
  e.preventDefault();
  form.setPointerCapture(e.pointerId);
  const [x, y] = toTwips(e);
  const button = e.button === 2 ? 2 : e.button === 0 ? 1 : 0;
  userEvent(() => app.mouse(true, button, shiftState(e), x, y));
});
form.addEventListener('pointermove', (e) => {
  if (!form.hasPointerCapture(e.pointerId) || !(e.buttons & 3)) return;
  const [x, y] = toTwips(e);
  userEvent(() => app.mouse(false, e.buttons & 3, shiftState(e), x, y));
});
form.addEventListener('contextmenu', (e) => e.preventDefault());

// ---- Scaling: the window fills the browser window, keeping its proportions ------------------

function fitToWindow() {
  const stage = $('#stage');
  const available = [stage.clientWidth, stage.clientHeight];
  const scale = Math.max(0.25, Math.min(available[0] / (FORM_WIDTH / TWIPS_PER_PIXEL),
                                        available[1] / (FORM_HEIGHT / TWIPS_PER_PIXEL)));
  form.style.width = `${(FORM_WIDTH / TWIPS_PER_PIXEL) * scale}px`;
  form.style.height = `${(FORM_HEIGHT / TWIPS_PER_PIXEL) * scale}px`;
  form.style.setProperty('--scale', scale);
  controls.rescale(scale);
  stats.pixelScale = (scale * window.devicePixelRatio) / TWIPS_PER_PIXEL;
  app.setPixelScale(stats.pixelScale);
}

let resizePending = false;
window.addEventListener('resize', () => {
  if (resizePending) return;
  resizePending = true;
  requestAnimationFrame(() => {
    resizePending = false;
    fitToWindow();
    syncFromModel();
  });
});

// ---- Start-up ----------------------------------------------------------------------------------

window.linklab.curve = installMeasureMenu(Module, app, $('#menu'));
fitToWindow();
app.load();
performance.mark('linklab-model');
syncFromModel();
$('#loading').remove();
stats.loadMs = performance.now();
window.linklab.ready = true;
