// The page works offline once loaded: its service worker (sw.js, written by the build with the
// list of the site's files) keeps every file. A page opened from the disk has none.
export function registerServiceWorker() {
  if (!('serviceWorker' in navigator) || !window.isSecureContext) return;
  navigator.serviceWorker.register('sw.js').catch(() => { /* served without it: online only */ });
}
