// One HTML element per control of the window model, placed from its twips. The page creates an
// element the first time the model reports the control and afterwards copies every reported
// change into it. User input goes to `events`, which calls the model's own handler; nothing here
// decides anything about the simulation.

export const TWIPS_PER_PIXEL = 15;
const TAP = 24;  // CSS pixels of the smallest tap target
const SVG = 'http://www.w3.org/2000/svg';

// 0x00BBGGRR to a CSS colour.
export function cssColour(bgr) {
  const r = bgr & 0xff, g = (bgr >> 8) & 0xff, b = (bgr >> 16) & 0xff;
  return `rgb(${r},${g},${b})`;
}

export class PageControls {
  // form: the element the controls live in; diagram and overlay: SVG layers below and above
  // them (shapes and lines have no element of their own); events: the model's handlers.
  constructor(form, diagram, overlay, events, tooltip, valueText = () => '', lockedTip = '') {
    this.form = form;
    this.diagram = diagram;
    this.overlay = overlay;
    this.events = events;
    this.tooltip = tooltip;
    this.valueText = valueText;  // a slider's value in real units, from the core
    this.lockedTip = lockedTip;  // why a control that a setup locks does not respond
    this.valueTip = null;  // the small tip beside a slider's thumb while it moves
    this.valueTipTimer = null;
    this.scale = 1;  // CSS pixels per pixel at 100 %
    this.touch = false;  // a coarse pointer: every control at least TAP pixels
    this.models = new Map();  // name -> last reported state
    this.elements = new Map();  // name -> element
    this.pictureIndex = new Map();  // name -> canvas
  }

  px(twips) { return (twips / TWIPS_PER_PIXEL) * this.scale; }

  // Applies the model's reported changes; returns whether shapes or lines changed.
  apply(changed) {
    let diagramChanged = false;
    for (const model of changed) {
      this.models.set(model.name, model);
      if (model.kind === 'shape' || model.kind === 'line') {
        diagramChanged = true;
        continue;
      }
      if (model.kind === 'timer') continue;
      let el = this.elements.get(model.name);
      if (!el) {
        el = this.create(model);
        this.elements.set(model.name, el);
        this.form.appendChild(el);
      }
      this.sync(el, model);
    }
    // An arrows-only bar keeps clear of sliders that may have moved after it in this batch.
    if (changed.length) {
      for (const [name, el] of this.elements) if (el.classList.contains('arrows-only')) this.place(el, this.models.get(name));
    }
    if (diagramChanged) this.drawDiagram();
    return diagramChanged;
  }

  // At a new zoom every element is placed again.
  rescale(scale) {
    this.scale = scale;
    for (const [name, el] of this.elements) this.place(el, this.models.get(name));
  }

  canvas(name) { return this.pictureIndex.get(name); }

  // After a user event: an element the model did not follow (a setup's lock refused the change,
  // or the model put it back) shows the model's value again.
  resync(name) {
    const el = this.elements.get(name), m = this.models.get(name);
    if (el && m) this.sync(el, m);
  }

  create(m) {
    const ev = this.events;
    let el;
    switch (m.kind) {
      case 'combo':
        el = m.editable ? this.createEditableCombo(m) : document.createElement('select');
        if (!m.editable) el.addEventListener('change', () => ev.setText(m.name, el.value));
        break;
      case 'slider':
        el = this.createSlider(m);
        break;
      case 'check': {
        el = document.createElement('label');
        const box = document.createElement('input');
        box.type = 'checkbox';
        const caption = document.createElement('span');
        el.append(box, caption);
        box.addEventListener('change', () => ev.setValue(m.name, box.checked ? 1 : 0));
        break;
      }
      case 'label':
        el = document.createElement('div');
        el.addEventListener('click', () => ev.click(m.name));
        break;
      case 'button':
        el = document.createElement('button');
        el.type = 'button';
        el.addEventListener('click', () => ev.click(m.name));
        break;
      case 'text':
        el = document.createElement('input');
        el.type = 'text';
        this.commitOnEnterOrLeave(el, () => ev.setText(m.name, el.value));
        break;
      case 'picture':
        el = document.createElement('canvas');
        // A mouse acts on the press, as on the desktop; a finger on the tap, so that a long press
        // can open the picture's menu instead.
        el.addEventListener('pointerdown', (e) => {
          if (e.button === 0 && e.pointerType === 'mouse') ev.click(m.name);
        });
        el.addEventListener('click', (e) => {
          if (e.pointerType && e.pointerType !== 'mouse') ev.click(m.name);
        });
        this.pictureIndex.set(m.name, el);
        break;
      case 'image':
        el = document.createElement('div');
        el.textContent = 'LinkLab \u2022 a digital radio link';
        break;
      default:
        el = document.createElement('div');
    }
    el.classList.add('control', m.kind);
    el.dataset.name = m.name;
    const tip = this.tooltip(m.name);
    if (tip) {
      el.title = tip;
      el.dataset.tip = tip;
    }
    this.name(el, m, tip);
    return el;
  }

  // Accessible names from the tooltips, with the visible caption first where there is one;
  // a picture is an image whose text says what it shows.
  name(el, m, tip) {
    if (!tip) return;
    const named = { combo: m.editable ? el.querySelector('input') : el, slider: el.querySelector('input'),
                    text: el, picture: el }[m.kind];
    if (named) named.setAttribute('aria-label', tip);
    if (m.kind === 'picture') el.setAttribute('role', 'img');
    if (m.kind === 'label') el.setAttribute('aria-description', tip);
  }

  // A slider as the desktop's scroll bar: an arrow at each end that steps it, the track between.
  // A bar too short for a track (Sync's nudge) is only its two arrows.
  createSlider(m) {
    const el = document.createElement('div');
    const input = document.createElement('input');
    input.type = 'range';
    const less = document.createElement('button'), more = document.createElement('button');
    for (const [button, sign] of [[less, -1], [more, 1]]) {
      button.type = 'button';
      button.tabIndex = -1;
      button.className = sign < 0 ? 'step less' : 'step more';
      button.setAttribute('aria-label', sign < 0 ? 'Step back' : 'Step forward');
      button.addEventListener('click', () => this.step(input, m.name, sign * this.models.get(m.name).small));
    }
    el.append(less, input, more);
    el.input = input;
    input.addEventListener('input', () => {
      this.events.setValue(m.name, Number(input.value));
      // A slider the model puts back inside the same event (Sync rests at 0) reports no change,
      // so it is put back here too; otherwise the next nudge the same way would be no input.
      const now = this.models.get(m.name);
      if (now && input.value !== String(now.value)) input.value = String(now.value);
      this.showValue(el, m.name);
    });
    input.addEventListener('keydown', (e) => this.stepSlider(e, input, m.name));
    return el;
  }

  step(input, name, by) {
    const m = this.models.get(name);
    const lo = Math.min(m.min, m.max), hi = Math.max(m.min, m.max);
    const value = Math.max(lo, Math.min(hi, m.value + by));
    if (value === m.value) return;
    this.events.setValue(name, value);
    this.showValue(input.parentElement, name);
  }

  // Tab follows the window's order (the core's): the focusable elements are put in that order
  // at the end of the form, which changes no stacking (every control has its own z-index).
  // Moving an element takes its focus away, so the focus is given back.
  setTabOrder(names) {
    const active = document.activeElement;
    for (const name of names) {
      const el = this.elements.get(name);
      if (el) this.form.appendChild(el);
    }
    if (active && active !== document.activeElement && active.isConnected) active.focus({ preventScroll: true });
  }

  // The slider's value beside its thumb, for a moment after each move.
  showValue(el, name) {
    const text = this.valueText(name);
    if (!text) return;
    if (!this.valueTip) {
      this.valueTip = document.createElement('div');
      this.valueTip.className = 'slider-value';
      this.valueTip.setAttribute('role', 'status');
      this.form.appendChild(this.valueTip);
    }
    const tip = this.valueTip;
    tip.textContent = text;
    tip.hidden = false;
    const input = el.input || el;
    const min = Number(input.min), max = Number(input.max);
    const at = max > min ? (Number(input.value) - min) / (max - min) : 0.5;
    if (el.classList.contains('vertical')) {
      tip.style.left = `${el.offsetLeft + el.offsetWidth + 4}px`;
      tip.style.top = `${el.offsetTop + at * el.offsetHeight}px`;
    } else {
      tip.style.left = `${el.offsetLeft + at * el.offsetWidth}px`;
      tip.style.top = `${el.offsetTop + el.offsetHeight + 4}px`;
    }
    clearTimeout(this.valueTipTimer);
    this.valueTipTimer = setTimeout(() => { tip.hidden = true; }, 1500);
  }

  // What a control does; a slider's value, which can change with the modulation as well; and
  // why a setup's lock holds it.
  titleOf(name, m) {
    let title = this.tooltip(name) || '';
    const value = m.kind === 'slider' ? this.valueText(name) : '';
    if (value) title += `${title ? '\n' : ''}Now: ${value}`;
    if (m.setupLocked) title += `${title ? '\n\n' : ''}${this.lockedTip}`;
    return title;
  }

  // The tooltip as the mouse's title and as the long press's tip; true when it changed.
  setTitle(el, title) {
    if (el.title === title) return false;
    el.title = title;
    el.dataset.tip = title;
    return true;
  }

  refreshValueTitles() {
    for (const [name, m] of this.models) {
      if (m.kind !== 'slider') continue;
      const el = this.elements.get(name);
      if (!el) continue;
      const value = this.valueText(name);
      if (this.setTitle(el, this.titleOf(name, m)) && value) el.input.setAttribute('aria-valuetext', value);
    }
  }

  // A list that accepts typed text: a text field with the entries behind an arrow beside it.
  createEditableCombo(m) {
    const el = document.createElement('div');
    const field = document.createElement('input');
    field.type = 'text';
    const arrow = document.createElement('select');
    arrow.tabIndex = -1;
    arrow.setAttribute('aria-label', 'entries');
    el.append(field, arrow);
    this.commitOnEnterOrLeave(field, () => this.events.setText(m.name, field.value));
    arrow.addEventListener('change', () => {
      field.value = arrow.value;
      field.dataset.typing = '';
      arrow.selectedIndex = -1;  // picking the same entry again is a pick too
      this.events.setText(m.name, field.value);
    });
    return el;
  }

  // Typed text reaches the model on Enter or when the field is left, not on every key: a
  // half-typed "0." must not be tidied under the user's fingers by the next tick.
  commitOnEnterOrLeave(field, commit) {
    field.addEventListener('input', () => { field.dataset.typing = '1'; });
    const done = () => {
      if (!field.dataset.typing) return;
      field.dataset.typing = '';
      commit();
    };
    field.addEventListener('keydown', (e) => {
      if (e.key === 'Enter') {
        e.preventDefault();
        field.dataset.typing = '1';
        done();
      }
    });
    field.addEventListener('blur', done);
  }

  // Arrow keys move by the slider's small step, Page keys by its large step, as a scroll bar does.
  stepSlider(e, el, name) {
    const m = this.models.get(name);
    const steps = { ArrowUp: -m.small, ArrowLeft: -m.small, ArrowDown: m.small, ArrowRight: m.small,
                    PageUp: -m.large, PageDown: m.large };
    if (!(e.key in steps)) return;
    e.preventDefault();
    const lo = Math.min(m.min, m.max), hi = Math.max(m.min, m.max);
    const value = Math.max(lo, Math.min(hi, Number(el.value) + steps[e.key]));
    if (value === m.value) return;
    this.events.setValue(name, value);
    this.showValue(el.parentElement, name);  // the model has synced the slider by now
  }

  // On a touch screen a control smaller than a fingertip's target grows to it around its centre;
  // a slider's arrows and the check boxes get there too.
  place(el, m) {
    let { left, top, width, height } = this.rect(m);
    if (m.kind === 'slider' && this.arrowsOnly(m)) left = this.clearOfNeighbours(m, left, width);
    const s = el.style;
    s.left = `${left}px`;
    s.top = `${top}px`;
    s.width = `${width}px`;
    s.height = `${height}px`;
  }

  rect(m) {
    let left = this.px(m.left), top = this.px(m.top);
    let width = Math.max(1, this.px(m.width)), height = Math.max(1, this.px(m.height));
    if (this.touch && m.kind !== 'picture' && m.kind !== 'label' && m.kind !== 'image') {
      const stepper = m.kind === 'slider' && this.arrowsOnly(m);
      const minW = stepper && m.horizontal ? 2 * TAP : TAP, minH = stepper && !m.horizontal ? 2 * TAP : TAP;
      if (width < minW) [left, width] = [left - (minW - width) / 2, minW];
      if (height < minH) [top, height] = [top - (minH - height) / 2, minH];
    }
    return { left, top, width, height };
  }

  // A bar whose long side is under two and a half of its short side has no room for a track.
  arrowsOnly(m) {
    const long = m.horizontal ? m.width : m.height, short = m.horizontal ? m.height : m.width;
    return long < 2.5 * short;
  }

  // The arrows-only bar keeps a gap to a slider beside it (Sync's nudge sits against the
  // frequency slider): it moves away from it, to the left.
  clearOfNeighbours(m, left, width) {
    const gap = 3;
    for (const other of this.models.values()) {
      if (other === m || other.kind !== 'slider' || !other.visible || other.left < m.left) continue;
      const overlapsY = other.top < m.top + m.height && m.top < other.top + other.height;
      const oLeft = this.rect(other).left;
      if (overlapsY && left + width + gap > oLeft) left = oLeft - gap - width;
    }
    return left;
  }

  sync(el, m) {
    this.place(el, m);
    el.hidden = !m.visible;
    if (m.kind !== 'slider') this.setTitle(el, this.titleOf(m.name, m));
    el.style.zIndex = String(Math.max(1, Math.min(100000, 50000 + m.z)));
    switch (m.kind) {
      case 'combo': this.syncCombo(el, m); break;
      case 'slider': {
        const input = el.input;
        el.classList.toggle('vertical', !m.horizontal);
        el.classList.toggle('arrows-only', this.arrowsOnly(m));
        input.min = String(Math.min(m.min, m.max));
        input.max = String(Math.max(m.min, m.max));
        if (input.value !== String(m.value)) input.value = String(m.value);
        for (const part of el.children) part.disabled = !m.enabled;
        break;
      }
      case 'check': {
        const [box, caption] = el.children;
        box.checked = m.value === 1;
        caption.textContent = m.caption;
        const tip = this.tooltip(m.name);
        if (tip) box.setAttribute('aria-label', m.caption ? `${m.caption}: ${tip}` : tip);
        el.style.color = cssColour(m.colour);
        box.disabled = !m.enabled;
        break;
      }
      case 'label':
        el.textContent = m.caption;
        el.style.color = cssColour(m.colour);
        el.style.textAlign = ['left', 'right', 'center'][m.align] || 'left';
        break;
      case 'button': {
        el.textContent = m.caption;
        el.disabled = !m.enabled;
        const tip = this.tooltip(m.name);
        if (tip) el.setAttribute('aria-label', m.caption ? `${m.caption}: ${tip}` : tip);
        break;
      }
      case 'text':
        if (!(el.dataset.typing && document.activeElement === el) && el.value !== m.text) el.value = m.text;
        el.dataset.typing = '';
        el.readOnly = m.locked;
        el.disabled = !m.enabled;
        break;
      case 'picture':
        break;  // the pixels come separately
    }
  }

  syncCombo(el, m) {
    const list = m.editable ? el.children[1] : el;
    const entries = Array.from(list.options, (o) => o.value);
    if (entries.length !== m.items.length || entries.some((v, i) => v !== m.items[i])) {
      list.replaceChildren(...m.items.map((item) => new Option(item, item)));
    }
    if (m.editable) {
      const field = el.children[0];
      // Text being typed stays until it is committed.
      if (!(field.dataset.typing && document.activeElement === field) && field.value !== m.text) field.value = m.text;
      list.selectedIndex = -1;
      field.disabled = list.disabled = !m.enabled;
    } else {
      const index = m.items.indexOf(m.text);
      if (list.selectedIndex !== index) list.selectedIndex = index;
      list.disabled = !m.enabled;
    }
  }

  // Shapes and lines, painted as the window paints them: below every control, apart from the
  // lines that belong over the displays.
  drawDiagram() {
    const below = [], above = [];
    for (const m of this.models.values()) {
      if (!m.visible || (m.kind !== 'shape' && m.kind !== 'line')) continue;
      (m.kind === 'line' && m.over ? above : below).push(m);
    }
    for (const [layer, items] of [[this.diagram, below], [this.overlay, above]]) {
      items.sort((a, b) => a.z - b.z);
      layer.replaceChildren(...items.map((m) => this.diagramElement(m)));
    }
  }

  diagramElement(m) {
    const stroke = cssColour(m.borderColour);
    const width = Math.max(1, m.borderWidth) * TWIPS_PER_PIXEL;
    let el;
    if (m.kind === 'line') {
      el = document.createElementNS(SVG, 'line');
      el.setAttribute('x1', m.x1);
      el.setAttribute('y1', m.y1);
      el.setAttribute('x2', m.x2);
      el.setAttribute('y2', m.y2);
    } else if (m.circle) {
      el = document.createElementNS(SVG, 'ellipse');
      el.setAttribute('cx', m.left + m.width / 2);
      el.setAttribute('cy', m.top + m.height / 2);
      el.setAttribute('rx', Math.max(0, m.width / 2 - width / 2));
      el.setAttribute('ry', Math.max(0, m.height / 2 - width / 2));
    } else {
      el = document.createElementNS(SVG, 'rect');
      el.setAttribute('x', m.left + width / 2);
      el.setAttribute('y', m.top + width / 2);
      el.setAttribute('width', Math.max(0, m.width - width));
      el.setAttribute('height', Math.max(0, m.height - width));
    }
    el.setAttribute('stroke', stroke);
    el.setAttribute('stroke-width', width);
    el.setAttribute('fill', m.filled ? cssColour(m.fillColour) : 'none');
    el.dataset.name = m.name;
    // A shape explains itself when pointed at anywhere inside, as the desktop's canvas does.
    const tip = this.tooltip(m.name);
    if (tip && m.kind === 'shape') {
      const title = document.createElementNS(SVG, 'title');
      title.textContent = tip;
      el.append(title);
      el.dataset.tip = tip;
      el.setAttribute('role', 'img');
      el.setAttribute('aria-label', tip);
      el.setAttribute('pointer-events', 'all');
    }
    return el;
  }
}
