// Saving the window and its pictures as downloads: the window as PNG (at the screen's pixels or
// twice as many, for print), a picture as PNG (its own pixels, without the scales, as on the
// desktop) or as SVG from the core's writer.

// Starts the download of BLOB as FILE.
export function download(blob, file) {
  const a = document.createElement('a');
  a.href = URL.createObjectURL(blob);
  a.download = file;
  document.body.append(a);
  a.click();
  a.remove();
  setTimeout(() => URL.revokeObjectURL(a.href), 10000);
}

const pngOf = (canvas) => new Promise((resolve) => canvas.toBlob(resolve, 'image/png'));

// A picture's raster as a canvas of its device pixels.
export function rasterCanvas(app, index, columns, rows) {
  const canvas = document.createElement('canvas');
  canvas.width = columns;
  canvas.height = rows;
  const view = app.pixels(index);
  if (view) canvas.getContext('2d').putImageData(new ImageData(new Uint8ClampedArray(view), columns, rows), 0, 0);
  return canvas;
}

export async function savePicture(app, picture, format) {
  const stem = app.fileStem(picture.name);
  const raster = rasterCanvas(app, picture.index, picture.columns, picture.rows);
  if (format === 'svg') {
    // The raster stands in only when the picture's record was cut short.
    let png = new Uint8Array();
    if (!app.pictureComplete(picture.name)) {
      const text = atob(raster.toDataURL('image/png').split(',')[1]);
      png = Uint8Array.from(text, (c) => c.charCodeAt(0));
    }
    download(new Blob([app.pictureSvg(picture.name, png)], { type: 'image/svg+xml' }), `${stem}.svg`);
  } else {
    download(await pngOf(raster), `${stem}.png`);
  }
}

// The window drawn onto a canvas: the grey form, the block diagram, every control in its stacking
// order and the pictures as shown (scales included), at `factor` times the screen's pixels.
export async function windowImage(form, factor) {
  const box = form.getBoundingClientRect();
  const ratio = devicePixelRatio * factor;
  const canvas = document.createElement('canvas');
  canvas.width = Math.round(box.width * ratio);
  canvas.height = Math.round(box.height * ratio);
  const ctx = canvas.getContext('2d');
  ctx.scale(ratio, ratio);
  ctx.fillStyle = getComputedStyle(form).backgroundColor;
  ctx.fillRect(0, 0, box.width, box.height);
  await drawSvg(ctx, form.querySelector('#diagram'), box);
  const shown = [...form.querySelectorAll('.control')].filter((el) => el.getClientRects().length > 0);
  shown.sort((a, b) => Number(a.style.zIndex) - Number(b.style.zIndex));
  for (const el of shown) drawControl(ctx, el, box);
  await drawSvg(ctx, form.querySelector('#overlay'), box);
  return canvas;
}

export async function saveWindowImage(app, form, factor) {
  const canvas = await windowImage(form, factor);
  download(await pngOf(canvas), `${app.fileStem('window')}${factor > 1 ? ' 2x' : ''}.png`);
}

async function drawSvg(ctx, svg, box) {
  if (!svg.childElementCount) return;
  const copy = svg.cloneNode(true);
  copy.setAttribute('xmlns', 'http://www.w3.org/2000/svg');
  copy.setAttribute('width', box.width);
  copy.setAttribute('height', box.height);
  const image = new Image();
  image.src = `data:image/svg+xml;charset=utf-8,${encodeURIComponent(new XMLSerializer().serializeToString(copy))}`;
  await image.decode();
  ctx.drawImage(image, 0, 0, box.width, box.height);
}

function drawControl(ctx, el, box) {
  const r = el.getBoundingClientRect();
  const x = r.left - box.left, y = r.top - box.top;
  const style = getComputedStyle(el);
  if (el.tagName === 'CANVAS') {
    ctx.drawImage(el, x, y, r.width, r.height);
    ctx.strokeStyle = '#808080';
    ctx.strokeRect(x + 0.5, y + 0.5, r.width - 1, r.height - 1);
    return;
  }
  // A list that takes typed text: its field, then its arrow.
  if (el.matches('div.combo')) {
    for (const part of el.children) drawControl(ctx, part, box);
    return;
  }
  const bg = style.backgroundColor;
  if (bg && !bg.endsWith(', 0)')) {
    ctx.fillStyle = bg;
    ctx.fillRect(x, y, r.width, r.height);
  }
  if (parseFloat(style.borderTopWidth) > 0) {
    ctx.strokeStyle = style.borderTopColor;
    ctx.strokeRect(x + 0.5, y + 0.5, r.width - 1, r.height - 1);
  }
  ctx.font = `${style.fontStyle} ${style.fontWeight} ${style.fontSize} ${style.fontFamily}`;
  ctx.fillStyle = style.color;
  ctx.textBaseline = 'middle';
  const pad = parseFloat(style.fontSize) * 0.25;
  if (el.classList.contains('slider')) {
    const track = el.querySelector('input');
    const t = track.getBoundingClientRect();
    const at = (Number(track.value) - Number(track.min)) / Math.max(1, Number(track.max) - Number(track.min));
    ctx.fillStyle = '#c8c8c8';
    ctx.fillRect(t.left - box.left, t.top - box.top, t.width, t.height);
    ctx.fillStyle = '#7a7a7a';
    const vertical = el.classList.contains('vertical'), thumb = Math.min(t.width, t.height);
    if (vertical) ctx.fillRect(t.left - box.left, t.top - box.top + at * (t.height - thumb), t.width, thumb);
    else ctx.fillRect(t.left - box.left + at * (t.width - thumb), t.top - box.top, thumb, t.height);
    for (const b of el.querySelectorAll('button')) {
      const a = b.getBoundingClientRect();
      ctx.fillStyle = '#e6e6e6';
      ctx.fillRect(a.left - box.left, a.top - box.top, a.width, a.height);
      ctx.strokeStyle = '#b4b4b4';
      ctx.strokeRect(a.left - box.left + 0.5, a.top - box.top + 0.5, a.width - 1, a.height - 1);
      const turn = (vertical ? 0 : -Math.PI / 2) + (b.classList.contains('less') ? Math.PI : 0);
      arrow(ctx, a.left - box.left + a.width / 2, a.top - box.top + a.height / 2, Math.min(a.width, a.height) * 0.2, turn);
    }
    return;
  }
  if (el.tagName === 'SELECT') {
    const typed = el.closest('div.combo');  // the arrow beside a typed list's field
    arrow(ctx, typed ? x + r.width / 2 : x + r.width - r.height / 2, y + r.height / 2, Math.min(r.width, r.height) * 0.15, 0);
    if (typed) return;
  }
  let text = el.textContent;
  if (el.tagName === 'SELECT') text = el.value;
  else if (el.tagName === 'INPUT') text = el.value;
  if (el.classList.contains('check')) {
    const input = el.querySelector('input'), b = input.getBoundingClientRect();
    ctx.strokeStyle = '#333';
    ctx.strokeRect(b.left - box.left + 0.5, b.top - box.top + 0.5, b.width - 1, b.height - 1);
    if (input.checked) ctx.fillRect(b.left - box.left + 3, b.top - box.top + 3, b.width - 6, b.height - 6);
    ctx.fillText(text, b.right - box.left + pad, y + r.height / 2);
    return;
  }
  const lines = text.split('\n');
  const lineHeight = parseFloat(style.fontSize) * 1.25;
  const align = el.tagName === 'BUTTON' ? 'center' : style.textAlign === 'right' || style.textAlign === 'end' ? 'right' : style.textAlign === 'center' ? 'center' : 'left';
  ctx.textAlign = align;
  const tx = align === 'center' ? x + r.width / 2 : align === 'right' ? x + r.width - pad : x + pad;
  ctx.save();
  ctx.beginPath();
  ctx.rect(x, y, r.width, r.height);
  ctx.clip();
  lines.forEach((line, i) => {
    const ty = el.classList.contains('label') ? y + lineHeight * (i + 0.5) : y + r.height / 2;
    ctx.fillText(line, tx, ty);
  });
  ctx.restore();
  ctx.textAlign = 'left';
}

// A small filled triangle pointing down, turned by `turn` radians.
function arrow(ctx, cx, cy, size, turn) {
  ctx.save();
  ctx.translate(cx, cy);
  ctx.rotate(turn);
  ctx.fillStyle = '#404040';
  ctx.beginPath();
  ctx.moveTo(-size * 1.5, -size);
  ctx.lineTo(size * 1.5, -size);
  ctx.lineTo(0, size);
  ctx.fill();
  ctx.restore();
}
