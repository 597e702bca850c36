// One Web Worker of the error-rate sweep: a module instance of its own runs the points the page
// hands it, a few blocks at a time, and posts the counts between slices. The page stops it by
// terminating it; the counts it posted so far stay on the plot.
importScripts('linklab.js');

const ready = createLinkLab().then((Module) => new Module.SweepWorker());
let queue = Promise.resolve();
self.onmessage = (e) => { queue = queue.then(() => handle(e.data)); };

const POST_EVERY_MS = 100;

async function handle(message) {
  const worker = await ready;
  if (message.settings) {
    worker.settings().set(new Uint8Array(message.settings));  // a view on the module's memory, used at once
    return;
  }
  const { index, db, meanPower } = message;
  worker.begin(index, db, meanPower);
  let last = performance.now();
  for (let done = false; !done;) {
    done = worker.step(4);
    if (done || performance.now() - last >= POST_EVERY_MS) {
      last = performance.now();
      self.postMessage({ index, done, progress: worker.progress(), symbols: worker.symbols(),
                         symbolErrors: worker.symbolErrors(), bits: worker.bits(), bitErrors: worker.bitErrors() });
    }
  }
}
