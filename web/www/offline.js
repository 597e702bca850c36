// The page works offline once loaded: its service worker (sw.js, written by the build with the
// list of the site's files) keeps every file. A new build waits until no page of the old one is
// open; the user may take it at once with the button this shows, which reloads the page.
export function registerServiceWorker(button) {
  if (!('serviceWorker' in navigator) || !window.isSecureContext) return;
  const sw = navigator.serviceWorker;
  let asked = false;
  const offer = (worker) => {
    if (!sw.controller) return;  // the first install: nothing older is running
    button.hidden = false;
    button.onclick = () => {
      asked = true;
      worker.postMessage('take-over');
    };
  };
  sw.addEventListener('controllerchange', () => { if (asked) location.reload(); });
  sw.register('sw.js').then((registration) => {
    if (registration.waiting) offer(registration.waiting);
    registration.addEventListener('updatefound', () => {
      const worker = registration.installing;
      worker?.addEventListener('statechange', () => { if (worker.state === 'installed') offer(worker); });
    });
  }).catch(() => { /* served without it: online only */ });
}
