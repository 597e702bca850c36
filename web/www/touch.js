// What a finger needs that a mouse does not: a long press shows a control's tooltip (or a
// picture's menu, as a right click does), and a double tap on the bare window is the right
// button (it puts the phasor back).

const LONG_PRESS_MS = 550, MOVE_SLOP = 10, DOUBLE_TAP_MS = 350;

const tip = () => document.getElementById('tip');

// The tooltip of EL beside it, until the next press anywhere.
export function showTip(text, el) {
  const bubble = tip();
  if (!text) return;
  bubble.textContent = text;
  bubble.hidden = false;
  const r = el.getBoundingClientRect();
  const w = bubble.offsetWidth, h = bubble.offsetHeight;
  const below = r.bottom + 6 + h < innerHeight;
  bubble.style.left = `${Math.max(4, Math.min(innerWidth - w - 4, r.left + r.width / 2 - w / 2))}px`;
  bubble.style.top = `${below ? r.bottom + 6 : Math.max(4, r.top - h - 6)}px`;
}

export function hideTip() { tip().hidden = true; }
document.addEventListener('pointerdown', hideTip, true);

const textOf = (el) => el.dataset.tip || el.getAttribute('aria-label') || el.title || '';

// root: where presses are watched; onLongPress(el, x, y) returns true when it handled the press
// itself (a picture's menu); onDoubleTap(event) for presses on the bare window.
export function watchTouch(root, { onLongPress, onDoubleTap }) {
  let press = null, lastTap = null, swallowClick = false;
  root.addEventListener('pointerdown', (e) => {
    if (e.pointerType === 'mouse') return;
    const target = e.target.closest('[data-tip], [title], .control, svg [data-name]');
    const bare = e.target === root || (e.target.closest('svg') && !e.target.closest('.control'));
    if (bare && lastTap && e.timeStamp - lastTap.t < DOUBLE_TAP_MS &&
        Math.hypot(e.clientX - lastTap.x, e.clientY - lastTap.y) < 30) {
      lastTap = null;
      onDoubleTap(e);
    } else {
      lastTap = bare ? { t: e.timeStamp, x: e.clientX, y: e.clientY } : null;
    }
    if (!target) return;
    const timer = setTimeout(() => {
      press = null;
      swallowClick = true;
      if (!onLongPress(target, e.clientX, e.clientY)) showTip(textOf(target), target);
    }, LONG_PRESS_MS);
    press = { timer, x: e.clientX, y: e.clientY };
  }, true);
  const cancel = () => {
    if (press) clearTimeout(press.timer);
    press = null;
  };
  root.addEventListener('pointermove', (e) => {
    if (press && Math.hypot(e.clientX - press.x, e.clientY - press.y) > MOVE_SLOP) cancel();
  }, true);
  root.addEventListener('pointerup', cancel, true);
  root.addEventListener('pointercancel', cancel, true);
  // The click that ends a long press is not a click.
  root.addEventListener('click', (e) => {
    if (!swallowClick) return;
    swallowClick = false;
    e.preventDefault();
    e.stopPropagation();
  }, true);
  root.addEventListener('pointerdown', () => { swallowClick = false; });
}
