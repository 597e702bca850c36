// The menu bar and pop-up menus: a button per menu that opens a list of commands. The keyboard
// works as in a desktop menu (arrows, Enter, Escape); a click elsewhere closes it. Other modules
// add their own menu with addMenu (the Measure menu stands before Help) or commands to a menu
// with addItems.
//   item: { label, id?, shortcut?, action, checked?: () => bool, enabled?: () => bool }, 'separator',
//         or { group: title, items } (a titled group of items, as a submenu's place)

export class MenuBar {
  constructor(bar) {
    this.bar = bar;
    this.menus = new Map();  // id -> { button, list, items }
    document.addEventListener('pointerdown', (e) => {
      if (!e.target.closest('.menu-list, .menu-title')) closeAllMenus();
    });
  }

  // Adds a menu; `before` names a menu it stands in front of. Returns its list element.
  addMenu(id, title, items, { before } = {}) {
    const button = document.createElement('button');
    button.type = 'button';
    button.className = 'menu-title';
    button.id = `${id}-menu`;
    button.textContent = title;
    button.setAttribute('aria-haspopup', 'menu');
    button.setAttribute('aria-expanded', 'false');
    const list = buildList(items, `${id}-items`);
    list.setAttribute('aria-label', title);
    const slot = document.createElement('span');
    slot.className = 'menu-slot';
    slot.dataset.menu = id;
    slot.append(button, list);
    const next = before && this.menus.get(before);
    this.bar.insertBefore(slot, next ? next.button.parentElement : this.bar.querySelector('.menu-end'));
    this.menus.set(id, { button, list, items });
    button.addEventListener('click', () => (list.hidden ? openList(list, button) : closeAllMenus()));
    button.addEventListener('keydown', (e) => {
      if (e.key === 'ArrowDown') {
        e.preventDefault();
        openList(list, button);
      } else if (e.key === 'ArrowRight' || e.key === 'ArrowLeft') {
        this.moveAcross(button, e.key === 'ArrowRight' ? 1 : -1, false);
      }
    });
    list.addEventListener('keydown', (e) => {
      if (e.key === 'ArrowRight' || e.key === 'ArrowLeft') this.moveAcross(button, e.key === 'ArrowRight' ? 1 : -1, true);
    });
    return list;
  }

  // More commands at the end of menu ID, or at its start with `first`, a separator between them
  // and the menu's own.
  addItems(id, items, { first = false } = {}) {
    const menu = this.menus.get(id);
    const had = menu.list.childElementCount > 0;
    const added = had ? (first ? [...items, 'separator'] : ['separator', ...items]) : items;
    const entries = document.createDocumentFragment();
    appendEntries(entries, added);
    menu.list.insertBefore(entries, first ? menu.list.firstChild : null);
    menu.items = first ? [...added, ...menu.items] : [...menu.items, ...added];
  }

  moveAcross(button, step, open) {
    const buttons = [...this.bar.querySelectorAll('.menu-title')];
    const next = buttons[(buttons.indexOf(button) + step + buttons.length) % buttons.length];
    closeAllMenus();
    next.focus();
    if (open) next.click();
  }
}

function buildList(items, id) {
  const list = document.createElement('div');
  list.className = 'menu-list';
  list.id = id;
  list.setAttribute('role', 'menu');
  list.hidden = true;
  appendEntries(list, items);
  list.addEventListener('keydown', (e) => {
    if (list.hidden) return;
    const entries = [...list.querySelectorAll('button:not([disabled])')];
    const at = entries.indexOf(document.activeElement);
    if (e.key === 'ArrowDown' || e.key === 'ArrowUp') {
      e.preventDefault();
      entries[(at + (e.key === 'ArrowDown' ? 1 : entries.length - 1)) % entries.length]?.focus();
    } else if (e.key === 'Escape' || e.key === 'Tab') {
      e.preventDefault();
      e.stopPropagation();
      const opener = list.opener;
      closeAllMenus();
      opener?.focus();
    }
  });
  return list;
}

function appendEntries(list, items) {
  for (const item of items) {
    if (item === 'separator') {
      const line = document.createElement('div');
      line.setAttribute('role', 'separator');
      list.append(line);
      continue;
    }
    if (item.group) {
      const group = document.createElement('div');
      group.className = 'menu-group';
      group.setAttribute('role', 'group');
      group.setAttribute('aria-label', item.group);
      const heading = document.createElement('span');
      heading.className = 'menu-heading';
      heading.setAttribute('aria-hidden', 'true');
      heading.textContent = item.group;
      group.append(heading);
      appendEntries(group, item.items);
      list.append(group);
      continue;
    }
    const entry = document.createElement('button');
    entry.type = 'button';
    entry.tabIndex = -1;
    entry.setAttribute('role', item.checked ? 'menuitemcheckbox' : 'menuitem');
    if (item.id) entry.id = item.id;
    const label = document.createElement('span');
    label.textContent = item.label;
    entry.append(label);
    if (item.shortcut) {
      const key = document.createElement('kbd');
      key.textContent = item.shortcut;
      entry.append(key);
      entry.setAttribute('aria-keyshortcuts', item.shortcut.replace('Ctrl', 'Control'));
    }
    entry.item = item;
    entry.addEventListener('click', () => {
      closeAllMenus(true);
      item.action();
    });
    list.append(entry);
  }
}

// Menus show the state of the moment: checks and enabled commands are read as the list opens.
function openList(list, opener, at) {
  const before = document.activeElement;
  closeAllMenus();
  list.returnFocus = before;
  for (const entry of list.querySelectorAll('button')) {
    const { checked, enabled } = entry.item;
    if (checked) entry.setAttribute('aria-checked', String(Boolean(checked())));
    entry.disabled = enabled ? !enabled() : false;
  }
  list.hidden = false;
  list.opener = opener;
  opener?.setAttribute('aria-expanded', 'true');
  if (at) {
    list.style.left = `${Math.min(at.x, innerWidth - list.offsetWidth - 4)}px`;
    list.style.top = `${Math.min(at.y, innerHeight - list.offsetHeight - 4)}px`;
  }
  list.querySelector('button:not([disabled])')?.focus({ preventScroll: true });
}

// restore: the focus goes back where it was before the menu opened (a command was picked).
export function closeAllMenus(restore = false) {
  for (const list of document.querySelectorAll('.menu-list:not([hidden])')) {
    if (restore && list.contains(document.activeElement)) {
      const back = list.returnFocus;
      if (back && back !== document.body && back.isConnected && !back.closest('.menu-slot')) back.focus();
      else document.activeElement.blur();
    }
    list.hidden = true;
    list.opener?.setAttribute('aria-expanded', 'false');
    if (list.classList.contains('popup')) list.remove();
  }
}

// A context menu at a point of the page (a right click or a long press).
export function popupMenu(items, x, y, title = '') {
  const list = buildList(items, 'popup-menu');
  list.classList.add('popup');
  list.setAttribute('aria-label', title || 'Context menu');
  if (title) {
    const heading = document.createElement('p');
    heading.className = 'menu-heading';
    heading.textContent = title;
    list.prepend(heading);
  }
  document.body.append(list);
  const opener = document.activeElement;
  openList(list, opener instanceof HTMLElement ? opener : null, { x, y });
  return list;
}

// Help > Keyboard Shortcuts: every menu command with a key, then the keys of the window itself.
export function showShortcuts(bar, windowKeys) {
  let sheet = document.getElementById('shortcuts');
  if (!sheet) {
    sheet = document.createElement('dialog');
    sheet.id = 'shortcuts';
    sheet.setAttribute('aria-labelledby', 'shortcuts-title');
    sheet.innerHTML = '<form method="dialog"><p class="title" id="shortcuts-title">Keyboard Shortcuts</p>' +
      '<table class="body"><tbody></tbody></table><p class="buttons"><button>Close</button></p></form>';
    document.body.append(sheet);
  }
  const rows = [];
  for (const { items } of bar.menus.values())
    for (const item of items) if (item.shortcut) rows.push([item.shortcut, item.label]);
  sheet.querySelector('tbody').replaceChildren(...[...rows, ...windowKeys].map(([key, what]) => {
    const row = document.createElement('tr');
    const k = document.createElement('th'), w = document.createElement('td');
    k.append(Object.assign(document.createElement('kbd'), { textContent: key }));
    w.textContent = what;
    row.append(k, w);
    return row;
  }));
  sheet.showModal();
}
