// The thumbnail strip's worker: its own core instance makes each file's
// thumbnail in list order, so the page never waits for them. A new list
// replaces the one in hand.
import { loadCore } from './core.js';

const core = loadCore();
let generation = 0;

self.onmessage = async (event) => {
  const { files, longSide } = event.data;
  const mine = ++generation;
  const c = await core;
  for (let index = 0; index < files.length; ++index) {
    if (mine !== generation) return;
    const file = files[index];
    let made;
    try {
      c.putFile(new Uint8Array(await file.arrayBuffer()));
      made = c.thumbnail(file.name, longSide);
    } catch (e) {
      made = { failure: String(e.message || e) };
    }
    if (mine !== generation) return;
    self.postMessage({ index, ...made }, made.pixels ? [made.pixels.buffer] : []);
  }
  self.postMessage({ done: files.length });
};
