// Setups on the page: a link's fragment (#linklab=1&...) opens the page in that setup, Share
// puts the present setup's link in the address bar and on the clipboard, and the File menu
// opens and saves .linklab files (the commands go back to the menu bar). Reading, checking and
// applying a setup is the core's; a setup that cannot be opened comes back as the core's one
// message.

const $ = (selector) => document.querySelector(selector);

// Reads a file the user picked or dropped and hands its text on.
export function readPicked(input, open) {
  input.addEventListener('change', async () => {
    const [file] = input.files;
    input.value = '';  // picking the same file again is a pick too
    if (file) open(await file.text(), file.name);
  });
}

export function installSetupSharing(app, userEvent) {
  // The fragment at start-up and whenever it changes (a link followed within the page, or one
  // typed into the address bar); an empty one leaves the window as it is.
  const openFragment = () => {
    if (location.hash.length > 1) userEvent(() => app.openSetup(location.hash, 'in this link'));
  };
  window.addEventListener('hashchange', openFragment);
  openFragment();

  const shareBox = $('#share-box'), shareField = shareBox.querySelector('input'), shareNote = shareBox.querySelector('.note');
  $('#share-button').addEventListener('click', async () => {
    // In the address bar without reloading or a step in the history: the page is already in it.
    history.replaceState(null, '', app.setupLink());
    shareField.value = location.href;
    shareBox.hidden = false;
    shareField.focus();
    shareField.select();
    try {
      await navigator.clipboard.writeText(location.href);
      shareNote.textContent = 'Copied to the clipboard.';
    } catch {
      shareNote.textContent = 'Copy this link:';
    }
  });
  shareBox.querySelector('button').addEventListener('click', () => { shareBox.hidden = true; });
  shareField.addEventListener('keydown', (e) => { if (e.key === 'Escape') shareBox.hidden = true; });
  document.addEventListener('pointerdown', (e) => {
    if (!shareBox.contains(e.target) && !e.target.closest('#share-button')) shareBox.hidden = true;
  });

  const fileInput = $('#setup-file');
  readPicked(fileInput, (text, name) => userEvent(() => app.openSetup(text, name)));
  const openSetup = () => fileInput.click();
  const saveSetup = () => {
    const link = document.createElement('a');
    link.href = URL.createObjectURL(new Blob([app.setupText()], { type: 'text/plain' }));
    link.download = 'setup.linklab';
    link.click();
    setTimeout(() => URL.revokeObjectURL(link.href), 60000);
  };
  // The desktop's shortcuts, taken from the browser's own Open and Save As.
  document.addEventListener('keydown', (e) => {
    if (!(e.ctrlKey || e.metaKey) || e.altKey || e.key.toLowerCase() !== (e.shiftKey ? 's' : 'o')) return;
    e.preventDefault();
    (e.shiftKey ? saveSetup : openSetup)();
  });
  return [
    { label: 'Open Setup\u2026', id: 'open-setup', shortcut: 'Ctrl+O', action: openSetup },
    { label: 'Save Setup\u2026', id: 'save-setup', shortcut: 'Ctrl+Shift+S', action: saveSetup },
  ];
}
