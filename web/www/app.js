// The LinkLab page: builds the window model from the WebAssembly core, mirrors it in HTML and
// runs its 100 ms timer. Every user event calls the model's own handler, and afterwards the page
// syncs itself from the model, as the desktop window does.
import { PageControls, TWIPS_PER_PIXEL } from './page_controls.js';
import { installSetupSharing } from './setup_share.js';
import { installLessonPanel } from './lesson_panel.js';
import { MenuBar, popupMenu, showShortcuts } from './menus.js';
import { saveWindowImage, savePicture } from './save.js';
import { watchTouch, showTip } from './touch.js';
import { registerServiceWorker } from './offline.js';
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
  setText: (name, text) => { userEvent(() => app.setText(name, text)); controls.resync(name); },
  setValue: (name, value) => { userEvent(() => app.setValue(name, value)); controls.resync(name); },
  click: (name) => userEvent(() => app.click(name)),
}, (name) => Module.WebApp.tooltip(name), (name) => app.sliderText(name), Module.WebApp.lockedTooltip());

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
let scalesShown = true;
try { scalesShown = localStorage.getItem('linklab.scales') !== 'off'; } catch { /* no storage */ }
app.setScalesShown(scalesShown);
function toggleScales() {
  scalesShown = !scalesShown;
  try { localStorage.setItem('linklab.scales', scalesShown ? 'on' : 'off'); } catch { /* no storage */ }
  app.setScalesShown(scalesShown);
  syncFromModel();
}

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
  // The labels go over the drawing, on a light halo, so a dense eye cannot bury them.
  ctx.globalCompositeOperation = 'source-over';
  const fontPx = SCALE_FONT_PX * sx * TWIPS_PER_PIXEL;
  ctx.font = `${fontPx}px ${SCALE_FONT}`;
  ctx.fillStyle = 'rgb(70,70,70)';
  ctx.strokeStyle = 'rgba(255,255,255,0.88)';
  ctx.lineWidth = Math.max(2, fontPx / 4);
  ctx.lineJoin = 'round';
  for (const [x, y, align, edge, text] of s.labels) {
    ctx.textAlign = ['left', 'center', 'right'][align];
    ctx.textBaseline = edge === 0 ? 'top' : 'bottom';
    ctx.strokeText(text, x * sx, y * sy);
    ctx.fillText(text, x * sx, y * sy);
  }
  ctx.restore();
}

// ---- Syncing from the model ------------------------------------------------------------------

let timerState = { enabled: false, interval: 0 };

let tabOrder = '';

function syncFromModel() {
  const changes = JSON.parse(app.changes());
  controls.apply(changes.controls);
  if (changes.controls.length || changes.valueTexts) controls.refreshValueTitles();
  if (changes.controls.length) {
    const order = app.tabOrder();
    if (order !== tabOrder) controls.setTabOrder(JSON.parse(tabOrder = order));
  }
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

// The tips come with the first report only: they never change.
function syncReadouts({ figures, reset, resetTip }) {
  while (readoutFigures.children.length < figures.length) readoutFigures.append(document.createElement('span'));
  figures.forEach(({ text, tip, shown }, i) => {
    const span = readoutFigures.children[i];
    if (span.textContent !== text) span.textContent = text;
    if (tip !== undefined) span.title = tip;
    if (span.hidden === shown) span.hidden = !shown;
  });
  resetCounts.hidden = !reset;
  if (resetTip !== undefined) resetCounts.title = resetTip;
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

// One help window at a time: the panels share a place and would hide each other.
function openHelp(which) {
  userEvent(() => {
    helpWindows.forEach((panel, other) => { if (other !== which && !panel.hidden) app.closeHelp(other); });
    app.showHelp(which);
  });
}

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
form.addEventListener('contextmenu', (e) => {
  e.preventDefault();
  const canvas = e.target.closest('canvas.picture');
  if (canvas) pictureMenu(canvas, e.clientX, e.clientY);
});

// ---- Touch: a long press shows a tooltip or a picture's menu, a double tap is the right button

watchTouch(form, {
  onLongPress: (el, x, y) => {
    if (!el.matches('canvas.picture')) return false;
    pictureMenu(el, x, y);
    return true;
  },
  onDoubleTap: (e) => {
    const [x, y] = toTwips(e);
    userEvent(() => app.mouse(true, 2, 0, x, y));
  },
});
for (const bar of [$('#readouts')]) watchTouch(bar, { onLongPress: () => false, onDoubleTap: () => {} });

// ---- Saving ------------------------------------------------------------------------------------

function pictureMenu(canvas, x, y) {
  const picture = painted.get(canvas.dataset.name);
  if (!picture) return;
  popupMenu([
    { label: 'Save Picture as PNG', action: () => savePicture(app, picture, 'png') },
    { label: 'Save Picture as SVG', action: () => savePicture(app, picture, 'svg') },
  ], x, y, canvas.dataset.tip);
}

// File > Save Picture: the pictures on show, by what they show, and the format.
const saveDialog = $('#save-picture');
function askSavePicture() {
  const list = saveDialog.querySelector('select');
  const shown = [...painted.values()].filter((p) => controls.canvas(p.name)?.getClientRects().length);
  list.replaceChildren(...shown.map((p) => new Option(app.fileStem(p.name).replace(/^LinkLab /, ''), p.name)));
  saveDialog.returnValue = '';
  saveDialog.showModal();
}
saveDialog.addEventListener('close', () => {
  const format = saveDialog.returnValue, picture = painted.get(saveDialog.querySelector('select').value);
  if (format && picture) savePicture(app, picture, format);
});

// ---- Menus and keys, as the desktop's ----------------------------------------------------------

const pause = () => {
  const button = controls.elements.get('cmdPause');
  if (button && !button.disabled && !button.hidden) userEvent(() => app.click('cmdPause'));
};
const menuBar = new MenuBar($('#menu'));
menuBar.addMenu('file', 'File', [
  { label: 'Save Window Image', shortcut: 'Ctrl+S', action: () => saveWindowImage(app, form, 1) },
  { label: 'Save Window Image at 2x', action: () => saveWindowImage(app, form, 2) },
  'separator',
  { label: 'Save Picture\u2026', action: askSavePicture },
]);
menuBar.addMenu('view', 'View', [
  { label: 'Pause / Continue', shortcut: 'Space', action: pause },
  'separator',
  { label: 'Scales', id: 'scales-toggle', action: toggleScales, checked: () => scalesShown },
  'separator',
  { label: 'Full Screen', shortcut: 'F11', action: toggleFullScreen, checked: () => Boolean(document.fullscreenElement),
    enabled: () => document.fullscreenEnabled },
  { label: 'Zoom In', shortcut: 'Ctrl+=', action: () => zoomBy(1) },
  { label: 'Zoom Out', shortcut: 'Ctrl+-', action: () => zoomBy(-1) },
  { label: 'Actual Size', shortcut: 'Ctrl+0', action: () => zoomTo(1) },
  { label: 'Fit to Window', action: () => zoomTo(null), checked: () => zoom === null },
]);
menuBar.addMenu('help', 'Help', [
  { label: 'LinkLab Help', shortcut: 'F1', action: () => openHelp(0) },
  { label: 'Instructions', action: () => openHelp(1) },
  'separator',
  { label: 'Keyboard Shortcuts', action: () => showShortcuts(menuBar, WINDOW_KEYS) },
]);
// For the page's other modules: the Measure menu joins with addMenu(..., { before: 'help' }),
// and a side panel (.side-panel) that shows or hides calls refit.
Object.assign(window.linklab, { menuBar, refit: () => refit() });

const WINDOW_KEYS = [
  ['Tab, Shift+Tab', 'Next or previous control, in the order of the block diagram'],
  ['Arrow keys', 'Move the focused slider by its small step (the Sync arrows nudge the carrier phase)'],
  ['Page Up, Page Down', 'Move the focused slider by its large step'],
  ['Enter', 'Take the number typed into a list or field'],
  ['Escape', 'Close the open menu or help window'],
];

function toggleFullScreen() {
  if (document.fullscreenElement) document.exitFullscreen();
  else document.documentElement.requestFullscreen?.().catch(() => {});
}

// Space belongs to the focused control when it has a use for it (a button, a box, a list, a
// field); otherwise it pauses and continues, as on the desktop.
const ownsSpace = (el) => el && el.matches('button, input, select, textarea, [role^="menuitem"]');
document.addEventListener('keydown', (e) => {
  if (messageOpen() || e.altKey) return;
  const ctrl = e.ctrlKey || e.metaKey;
  const keys = {
    F1: () => openHelp(0),
    F11: toggleFullScreen,
    ' ': () => { if (!ctrl && !ownsSpace(document.activeElement)) pause(); else return false; },
  };
  if (ctrl) Object.assign(keys, { s: () => saveWindowImage(app, form, 1), '=': () => zoomBy(1), '+': () => zoomBy(1),
                                  '-': () => zoomBy(-1), 0: () => zoomTo(1) });
  const run = keys[e.key];
  if (!run || run() === false) return;
  e.preventDefault();
});

// ---- Scaling: the window fills the browser window, keeping its proportions; the menu bar and
// the strip scale with it. Zoom picks a step of the window's own size instead of the fit.

const ZOOM_STEPS = [0.5, 0.67, 0.75, 0.8, 0.9, 1.0, 1.1, 1.25, 1.5, 1.75, 2.0, 2.5, 3.0];
const FORM_PX = [FORM_WIDTH / TWIPS_PER_PIXEL, FORM_HEIGHT / TWIPS_PER_PIXEL];
let zoom = null;  // null: fit to the browser window

function zoomTo(factor) {
  zoom = factor;
  refit();
}

function zoomBy(direction) {
  const now = controls.scale;
  const next = direction > 0 ? ZOOM_STEPS.find((z) => z > now + 1e-3) : ZOOM_STEPS.findLast((z) => z < now - 1e-3);
  if (next) zoomTo(next);
}

function fitToWindow() {
  const stage = $('#stage'), body = document.body;
  const side = [...document.querySelectorAll('.side-panel, #lesson-panel')].find((el) => el.getClientRects().length);
  // Portrait when the window, at full width, leaves room below it: the strip and a side panel go there.
  body.classList.toggle('portrait', innerWidth / innerHeight < FORM_PX[0] / FORM_PX[1]);
  const width = innerWidth - (side && !body.classList.contains('portrait') ? side.offsetWidth : 0);
  // The bars' heights follow the scale: fit once with their heights at 100 %, then with theirs.
  const bars = () => $('#menu').offsetHeight + $('#readouts').offsetHeight;
  body.style.setProperty('--ui', '1');
  let fit = Math.min(width / FORM_PX[0], (innerHeight - bars()) / FORM_PX[1]);
  body.style.setProperty('--ui', String(Math.max(1, Math.min(2, fit))));
  fit = Math.max(0.25, Math.min(width / FORM_PX[0], (innerHeight - bars()) / FORM_PX[1]));
  const scale = zoom ?? fit;
  stage.classList.toggle('zoomed', zoom !== null);
  stage.style.height = body.classList.contains('portrait') && zoom === null ? `${FORM_PX[1] * scale}px` : '';
  form.style.width = `${FORM_PX[0] * scale}px`;
  form.style.height = `${FORM_PX[1] * scale}px`;
  form.style.setProperty('--scale', scale);
  controls.touch = matchMedia('(pointer: coarse)').matches;
  controls.rescale(scale);
  stats.pixelScale = (scale * window.devicePixelRatio) / TWIPS_PER_PIXEL;
  app.setPixelScale(stats.pixelScale);
}

function refit() {
  fitToWindow();
  syncFromModel();
}

let resizePending = false;
window.addEventListener('resize', () => {
  if (resizePending) return;
  resizePending = true;
  requestAnimationFrame(() => {
    resizePending = false;
    refit();
  });
});
matchMedia('(pointer: coarse)').addEventListener('change', refit);

// ---- Start-up ----------------------------------------------------------------------------------

window.linklab.curve = installMeasureMenu(Module, app, menuBar);
fitToWindow();
app.load();
performance.mark('linklab-model');
syncFromModel();
// Setups and lessons: File's commands stand first, as the desktop's; the lessons close Help.
const setupItems = installSetupSharing(app, userEvent);
const lessons = installLessonPanel(app, Module, userEvent, refit);
menuBar.addItems('file', [...setupItems, lessons.openItem], { first: true });
menuBar.addItems('help', [lessons.menuGroup]);
$('#loading').remove();
stats.loadMs = performance.now();
window.linklab.ready = true;
registerServiceWorker($('#update'));
