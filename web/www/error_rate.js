// The page's Measure menu and its error-rate curve window. The core lays the plot out and keeps
// the runs (ErrorRateCurve); the sweep runs in Web Workers, one module instance each, as many as
// the browser offers cores, each taking the next Eb/N0 point when it has finished one. Cancel
// terminates them; the counts they posted stay on the plot.

import { download } from './save.js';

const FONT = '12px "DejaVu Sans", Verdana, sans-serif';  // the core's plot font, 12 px at 100 %
const PLOT_MIN = { width: 640, height: 440 };

const STYLE = `
#curve-window { position: fixed; z-index: 350000; left: 24px; top: 40px; background: #f0f0f0; border: 1px solid #666;
  box-shadow: 0 4px 16px rgba(0,0,0,.3); display: flex; flex-direction: column; font: 13px sans-serif;
  max-width: calc(100vw - 16px); max-height: calc(100vh - 16px); overflow: auto; }
#curve-window[hidden] { display: none; }
#curve-window .title { display: flex; justify-content: space-between; align-items: center; padding: 4px 8px;
  background: #dde4ee; cursor: move; touch-action: none; }
#curve-window .row { display: flex; flex-wrap: wrap; gap: 6px; align-items: center; padding: 6px 8px; }
#curve-window input[type=number] { width: 5em; min-height: 26px; box-sizing: border-box; }
#curve-window button { min-height: 26px; min-width: 26px; }
#curve-window progress { flex: 1; min-width: 120px; }
#curve-window .grow { flex: 1; }
#curve-plot { display: block; margin: 0 8px 8px; background: white; }
`;

const $ = (selector) => document.querySelector(selector);

function element(html) {
  const t = document.createElement('template');
  t.innerHTML = html.trim();
  return t.content.firstElementChild;
}

// Paints the core's drawing (see ErrorRateCurve::drawing) on a 2D context laid out in pixels at 100 %.
export function paintPlot(ctx, items) {
  ctx.lineCap = 'round';
  ctx.lineJoin = 'round';
  for (const item of items) {
    switch (item[0]) {
      case 'line': {
        const [, x1, y1, x2, y2, colour, width] = item;
        ctx.setLineDash([]);
        ctx.strokeStyle = colour;
        ctx.lineWidth = width;
        ctx.lineCap = 'square';
        ctx.beginPath();
        ctx.moveTo(x1, y1);
        ctx.lineTo(x2, y2);
        ctx.stroke();
        break;
      }
      case 'poly': {
        const [, points, colour, width, dashed] = item;
        ctx.strokeStyle = colour;
        ctx.lineWidth = width;
        // Flat ends on dashes: round ones would eat into every gap.
        ctx.lineCap = dashed ? 'butt' : 'round';
        ctx.setLineDash(dashed ? [5 * width, 3 * width] : []);
        ctx.beginPath();
        for (let i = 0; i + 1 < points.length; i += 2) ctx[i ? 'lineTo' : 'moveTo'](points[i], points[i + 1]);
        ctx.stroke();
        ctx.setLineDash([]);
        break;
      }
      case 'text': {
        const [, x, y, text, colour, align, vertical] = item;
        ctx.save();
        ctx.font = FONT;
        ctx.fillStyle = colour;
        ctx.textAlign = align;
        ctx.textBaseline = 'middle';
        ctx.translate(x, y);
        if (vertical) ctx.rotate(-Math.PI / 2);
        ctx.fillText(text, 0, 0);
        ctx.restore();
        break;
      }
      case 'marker': {
        const [, x, y, r, colour, filled, outline] = item;
        ctx.beginPath();
        if (outline) {
          for (let i = 0; i + 1 < outline.length; i += 2) ctx[i ? 'lineTo' : 'moveTo'](outline[i], outline[i + 1]);
          ctx.closePath();
        } else {
          ctx.arc(x, y, r, 0, 2 * Math.PI);
        }
        ctx.fillStyle = filled ? colour : '#ffffff';
        ctx.fill();
        ctx.setLineDash([]);
        ctx.strokeStyle = colour;
        ctx.lineWidth = 1.5;
        ctx.stroke();
        break;
      }
      default:
        break;
    }
  }
}

// Adds "Measure" to the menu bar, before Help, and builds the curve window.
// Returns what the tests read: the number of live workers.
export function installMeasureMenu(Module, app, menuBar) {
  document.head.append(element(`<style>${STYLE}</style>`));
  const curve = new Module.ErrorRateCurve();
  {
    const probe = document.createElement('canvas').getContext('2d');
    probe.font = FONT;
    for (let c = 32; c < 127; ++c) curve.setCharWidth(c, probe.measureText(String.fromCharCode(c)).width);
  }

  let openCurve;  // set below, once the window exists
  menuBar.addMenu('measure', 'Measure', [
    { label: 'Error-rate curve\u2026', id: 'measure-curve', action: () => openCurve() },
  ], { before: 'help' });

  const panel = element(`<section id="curve-window" role="dialog" aria-label="Error-rate curve" hidden>
    <header class="title"><span>Error-rate curve</span><button type="button" class="close" title="Close" aria-label="Close">&times;</button></header>
    <div class="row">
      <label>Eb/N0 from <input type="number" id="curve-from" value="0" min="-10" max="40" step="0.5"> dB</label>
      <label>to <input type="number" id="curve-to" value="14" min="-10" max="40" step="0.5"> dB</label>
      <label>step <input type="number" id="curve-step" value="1" min="0.1" max="10" step="0.1"> dB</label>
      <button type="button" id="curve-start">Start</button>
      <button type="button" id="curve-cancel" disabled>Cancel</button>
      <button type="button" id="curve-clear" disabled title="Take every run off the plot">Clear</button>
      <span class="grow"></span>
      <span>Save</span>
      <button type="button" id="curve-png" disabled>PNG</button>
      <button type="button" id="curve-svg" disabled>SVG</button>
      <button type="button" id="curve-csv" disabled>CSV</button>
    </div>
    <div class="row"><progress id="curve-progress" max="1000" value="0" aria-label="Progress of the sweep"></progress><span id="curve-status"></span></div>
    <canvas id="curve-plot" role="img" aria-label="Error rates against Eb/N0, measured and in theory"></canvas>
  </section>`);
  document.body.append(panel);
  const field = (id) => Number(panel.querySelector(id).value);
  const status = panel.querySelector('#curve-status'), progressBar = panel.querySelector('#curve-progress');
  const canvas = panel.querySelector('#curve-plot');
  const buttons = Object.fromEntries(['start', 'cancel', 'clear', 'png', 'svg', 'csv']
    .map((b) => [b, panel.querySelector(`#curve-${b}`)]));

  let sweep = null;  // { workers, progress, next, done, meanPower }

  function updateButtons() {
    const busy = curve.running();
    buttons.start.disabled = busy;
    buttons.cancel.disabled = !busy;
    for (const b of ['clear', 'png', 'svg', 'csv']) buttons[b].disabled = busy || curve.runCount() === 0;
  }

  function plotSize() {
    const width = Math.max(320, Math.min(window.innerWidth - 40, 800));
    return { width, height: Math.max(280, Math.min(window.innerHeight - 160, (width * PLOT_MIN.height) / PLOT_MIN.width)) };
  }

  let redrawPending = false;
  function redraw() {
    if (redrawPending) return;
    redrawPending = true;
    requestAnimationFrame(() => {
      redrawPending = false;
      if (panel.hidden) return;
      const { width, height } = plotSize();
      const ratio = window.devicePixelRatio || 1;
      canvas.style.width = `${width}px`;
      canvas.style.height = `${height}px`;
      canvas.width = Math.round(width * ratio);
      canvas.height = Math.round(height * ratio);
      const ctx = canvas.getContext('2d');
      ctx.setTransform(ratio, 0, 0, ratio, 0, 0);
      ctx.fillStyle = 'white';
      ctx.fillRect(0, 0, width, height);
      paintPlot(ctx, JSON.parse(curve.drawing(width, height, field('#curve-from'), field('#curve-to'))));
    });
  }

  function showProgress() {
    if (!sweep) return;
    progressBar.value = Math.round((sweep.progress.reduce((a, b) => a + b, 0) / sweep.progress.length) * 1000);
  }

  function stopWorkers() {
    for (const w of sweep.workers) w.terminate();
    sweep.workers = [];
  }

  function finish(cancelled, why) {
    if (!sweep) return;
    stopWorkers();
    curve.finishRun(cancelled);
    showProgress();
    status.textContent = why || (cancelled ? 'cancelled' : 'done');
    sweep = null;
    updateButtons();
    redraw();
  }

  // The next point for this worker, the cleanest first (they take the most symbols).
  function handOut(worker) {
    const n = sweep.progress.length;
    if (sweep.next >= n) {
      worker.terminate();
      sweep.workers = sweep.workers.filter((w) => w !== worker);
      return;
    }
    const index = n - 1 - sweep.next++;
    worker.postMessage({ index, db: curve.pointDb(index), meanPower: sweep.meanPower });
  }

  function start() {
    if (curve.running()) return;
    const reason = curve.startRun(app, field('#curve-from'), field('#curve-to'), field('#curve-step'));
    if (reason) {
      status.textContent = reason;
      return;
    }
    const bytes = curve.settings().slice();  // out of the module's memory at once
    const n = curve.pointCount();
    sweep = { workers: [], progress: new Float64Array(n), next: 0, done: 0, meanPower: curve.meanPower() };
    const count = Math.max(1, Math.min(navigator.hardwareConcurrency || 1, n));
    for (let i = 0; i < count; ++i) {
      let worker;
      try {
        worker = new Worker('sweep_worker.js');
      } catch (error) {
        finish(true, `no worker could start (${error.message})`);
        return;
      }
      worker.onmessage = (e) => {
        const m = e.data;
        if (!sweep || !sweep.workers.includes(worker)) return;
        curve.setPoint(m.index, m.symbols, m.symbolErrors, m.bits, m.bitErrors, m.done);
        sweep.progress[m.index] = m.done ? 1 : m.progress;
        showProgress();
        redraw();
        if (!m.done) return;
        if (++sweep.done === n) finish(false);
        else handOut(worker);
      };
      worker.onerror = (e) => {
        e.preventDefault();
        finish(true, 'a worker failed: the sweep stopped');
      };
      worker.postMessage({ settings: bytes.buffer.slice(0) });
      sweep.workers.push(worker);
    }
    for (const worker of [...sweep.workers]) handOut(worker);
    progressBar.value = 0;
    status.textContent = `running on ${count} worker${count > 1 ? 's' : ''}`;
    updateButtons();
    redraw();
  }

  buttons.start.addEventListener('click', start);
  buttons.cancel.addEventListener('click', () => finish(true));
  buttons.clear.addEventListener('click', () => {
    if (!curve.clear()) return;
    progressBar.value = 0;
    status.textContent = '';
    updateButtons();
    redraw();
  });
  const stem = () => Module.ErrorRateCurve.fileStem(app);
  buttons.csv.addEventListener('click', () => download(new Blob([curve.csv()], { type: 'text/csv' }), `${stem()}.csv`));
  buttons.svg.addEventListener('click', () => download(
    new Blob([curve.svg(field('#curve-from'), field('#curve-to'))], { type: 'image/svg+xml' }), `${stem()}.svg`));
  buttons.png.addEventListener('click', () => {
    const image = document.createElement('canvas');
    image.width = curve.exportWidth();
    image.height = curve.exportHeight();
    const ctx = image.getContext('2d');
    ctx.fillStyle = 'white';
    ctx.fillRect(0, 0, image.width, image.height);
    paintPlot(ctx, JSON.parse(curve.drawing(image.width, image.height, field('#curve-from'), field('#curve-to'))));
    image.toBlob((blob) => download(blob, `${stem()}.png`), 'image/png');
  });
  for (const id of ['#curve-from', '#curve-to']) panel.querySelector(id).addEventListener('input', redraw);
  window.addEventListener('resize', redraw);

  const close = () => { panel.hidden = true; };
  panel.querySelector('.close').addEventListener('click', close);
  panel.addEventListener('keydown', (e) => { if (e.key === 'Escape') close(); });
  openCurve = () => {
    panel.hidden = false;
    updateButtons();
    redraw();
    buttons.start.focus();
  };

  // The window moves by its title, with a finger as with a mouse.
  const title = panel.querySelector('.title');
  title.addEventListener('pointerdown', (e) => {
    if (e.target.closest('button')) return;
    const dx = e.clientX - panel.offsetLeft, dy = e.clientY - panel.offsetTop;
    title.setPointerCapture(e.pointerId);
    const move = (m) => {
      panel.style.left = `${m.clientX - dx}px`;
      panel.style.top = `${m.clientY - dy}px`;
    };
    title.addEventListener('pointermove', move);
    title.addEventListener('pointerup', () => title.removeEventListener('pointermove', move), { once: true });
  });

  return { liveWorkers: () => (sweep ? sweep.workers.length : 0), running: () => curve.running() };
}
