// The page: the list of picture files chosen, the shown picture on a canvas,
// the display options, the scan, the readout, the histogram, the thumbnail
// strip and the downloads. Every rule about pictures is the core's.
import { loadCore, greyToImageData } from './core.js';
import { greyPng } from './png.js';

// The desktop browser's captions for the display options, by the converter
// name of each (the core's option table lists the options and their order).
// "keep-gaps" is the desktop's "2 or more missing lines compress" turned
// round: that item is checked when gaps are closed up.
const kCaptions = {
  'stretch': { caption: 'Stretch', key: 's' },
  'despeckle': { caption: 'Despeckle', key: 'd' },
  'flip': { caption: 'Flip Vertically', key: 'v' },
  'rotate': { caption: 'Rotate', key: 'r' },
  'invert': { caption: 'Invert Display', key: 'i' },
  'half': { caption: 'Minimize' },
  'quarter': { caption: 'Minimize - 25 % original size' },
  'fill-missing': { caption: 'Missing lines', key: 'l' },
  'horizontal-stretch': { caption: 'Horizontal Stretch' },
  'keep-gaps': { caption: '2 or more missing lines compress', inverted: true },
  'percent-stretch': { caption: 'Percentile Stretch', key: 'p' },
  'equalize': { caption: 'Equalize', key: 'e' },
};
const kLevelCaptions = { brightness: ['Brightness Down', 'Brightness Up', 'b'], contrast: ['Contrast Down', 'Contrast Up', 'c'] };
const kThumbnailSide = 96;
const kStored = 'orbalux.web.options';

const $ = (id) => document.getElementById(id);
const core = await loadCore();

let entries = [];        // {name, file}, in the list's order
let index = -1;          // the entry shown
let loadedEntry = -1;    // the entry whose bytes the core holds
let shown = null;        // {width, height, image (canvas)} of the shown picture
let zoom = { numerator: 1, denominator: 1, fit: false };
let pan = { x: 0, y: 0 };
let scan = null;         // {direction, timer}
let thumbnails = null;   // the worker

// --- options ---------------------------------------------------------------

const optionButtons = [];
function storedOptions() {
  try { return JSON.parse(localStorage.getItem(kStored)) || {}; } catch { return {}; }
}
function storeOptions() {
  const kept = { percentiles: core.percentiles(), scanPause: $('scan-pause').value };
  for (let i = 0; i < core.optionCount(); ++i) kept[core.optionName(i)] = core.optionOn(i) === 1;
  localStorage.setItem(kStored, JSON.stringify(kept));
}
function syncOptionButtons() {
  for (const { button, i, inverted } of optionButtons)
    button.setAttribute('aria-pressed', String((core.optionOn(i) === 1) !== inverted));
}
function buildOptions() {
  const kept = storedOptions();
  const bar = $('options');
  for (let i = 0; i < core.optionCount(); ++i) {
    const name = core.optionName(i);
    const { caption = name, key, inverted = false } = kCaptions[name] || {};
    if (name in kept) core.setOption(i, kept[name] ? 1 : 0);
    const button = document.createElement('button');
    button.textContent = caption;
    button.title = core.optionHelp(i) + (key ? ` (${key.toUpperCase()})` : '');
    button.dataset.option = name;
    if (key) button.setAttribute('aria-keyshortcuts', key.toUpperCase());
    button.addEventListener('click', () => toggleOption(i));
    optionButtons.push({ button, i, inverted, key });
    bar.append(button);
  }
  if (kept.percentiles) core.setPercentiles(kept.percentiles);
  const label = document.createElement('label');
  label.textContent = 'Stretch Percentiles ';
  const input = document.createElement('input');
  input.type = 'text';
  input.id = 'percentiles';
  input.size = 9;
  input.value = core.percentiles();
  input.addEventListener('change', () => {
    if (!core.setPercentiles(input.value)) { input.value = core.percentiles(); return; }
    storeOptions();
    rerender();
  });
  label.append(input);
  bar.append(label);
  for (let i = 0; i < core.levelCount(); ++i) {
    const [down, up, key] = kLevelCaptions[core.levelName(i)] || [];
    for (const [caption, sign] of [[down, -1], [up, 1]]) {
      const button = document.createElement('button');
      button.textContent = caption;
      button.setAttribute('aria-keyshortcuts', (sign < 0 ? 'Shift+' : '') + key.toUpperCase());
      button.addEventListener('click', () => stepLevel(i, sign));
      button.dataset.level = String(i);
      bar.append(button);
    }
  }
  if (kept.scanPause) $('scan-pause').value = kept.scanPause;
  syncOptionButtons();
}
function toggleOption(i) {
  core.setOption(i, core.optionOn(i) ? 0 : 1);
  syncOptionButtons();
  storeOptions();
  rerender();
}
function stepLevel(i, sign) {
  core.setLevel(i, core.level(i) + sign * core.levelStep(i));
  rerender();
}

// --- the list --------------------------------------------------------------

function setEntries(files) {
  const pictures = files.filter((file) => core.isPictureName(file.name));
  pictures.sort((a, b) => core.compareNames(a.name, b.name) ||
                          core.compareNames(a.webkitRelativePath || '', b.webkitRelativePath || ''));
  entries = pictures.map((file) => ({ name: file.name, file }));
  stopScan();
  index = -1;
  loadedEntry = -1;
  buildStrip();
  if (entries.length) show(0);
  else {
    clearPicture(files.length ? 'None of the files chosen is a picture file.' : '');
    updateCounter();
  }
}

async function show(i) {
  if (!entries.length) return;
  index = Math.max(0, Math.min(entries.length - 1, i));
  const mine = index;
  const entry = entries[index];
  const bytes = new Uint8Array(await entry.file.arrayBuffer());
  if (mine !== index) return;  // a later step came first
  core.putFile(bytes);
  loadedEntry = index;
  // A load starts both levels from 0, as on the desktop.
  for (let l = 0; l < core.levelCount(); ++l) core.setLevel(l, 0);
  present(core.load(entry.name));
}

function rerender() {
  if (loadedEntry < 0 || loadedEntry !== index) return;
  present(core.render());
}

// Shows what the core made of the file, or the reason it made nothing.
function present(failure) {
  const entry = entries[index];
  $('file-name').textContent = entry.name;
  document.title = `${entry.name} - Orbalux`;
  updateCounter();
  markStrip();
  if (failure) {
    clearPicture(`${entry.name}: ${failure}`);
    return;
  }
  $('message').textContent = '';
  const width = core.width(), height = core.height();
  const image = document.createElement('canvas');
  image.width = width;
  image.height = height;
  image.getContext('2d').putImageData(greyToImageData(core.pixels(), width, height), 0, 0);
  const first = !shown;
  shown = { width, height, image };
  if (first && !zoom.fit) pan = { x: 0, y: 0 };
  if (zoom.fit) fitZoom();
  clampPan();
  draw();
  $('status').textContent = core.statusText();
  $('header-text').textContent = core.headerText();
  drawHistogram();
  enablePicture(true);
}

function clearPicture(message) {
  shown = null;
  $('message').textContent = message;
  $('status').textContent = '';
  $('readout').textContent = '';
  $('header-text').textContent = '';
  $('histogram-text').textContent = '';
  $('histogram').getContext('2d').clearRect(0, 0, 256, 100);
  draw();
  enablePicture(false);
}

function enablePicture(on) {
  for (const id of ['save-bmp', 'save-png', 'zoom-in', 'zoom-out', 'actual-size', 'fit']) $(id).disabled = !on;
}

function updateCounter() {
  const counter = $('counter');
  counter.value = entries.length ? `${index + 1}/${entries.length}` : '';
  const any = entries.length > 0;
  for (const id of ['first', 'previous', 'next', 'last', 'scan-forward', 'scan-backward', 'scan-stop', 'counter'])
    $(id).disabled = !any;
}

// --- the scan --------------------------------------------------------------

function startScan(direction) {
  stopScan();
  if (!entries.length) return;
  scan = { direction, timer: setInterval(() => {
    const to = index + direction;
    if (to < 0 || to >= entries.length) { stopScan(); return; }
    show(to);
  }, Number($('scan-pause').value)) };
}
function stopScan() {
  if (scan) clearInterval(scan.timer);
  scan = null;
}

// --- drawing, zoom and pan -------------------------------------------------

function zoomedSize() {
  return { width: Math.floor(shown.width * zoom.numerator / zoom.denominator),
           height: Math.floor(shown.height * zoom.numerator / zoom.denominator) };
}
function clampPan() {
  if (!shown) return;
  const view = $('view'), size = zoomedSize();
  pan.x = Math.max(0, Math.min(pan.x, size.width - view.clientWidth));
  pan.y = Math.max(0, Math.min(pan.y, size.height - view.clientHeight));
}
function draw() {
  const canvas = $('picture'), view = $('view');
  const ratio = window.devicePixelRatio || 1;
  canvas.width = Math.round(view.clientWidth * ratio);
  canvas.height = Math.round(view.clientHeight * ratio);
  const context = canvas.getContext('2d');
  context.setTransform(ratio, 0, 0, ratio, 0, 0);
  context.clearRect(0, 0, view.clientWidth, view.clientHeight);
  if (!shown) return;
  const size = zoomedSize();
  context.imageSmoothingEnabled = zoom.numerator < zoom.denominator;
  context.drawImage(shown.image, -pan.x, -pan.y, size.width, size.height);
  $('zoom-percent').textContent = core.zoomPercent(zoom.numerator, zoom.denominator);
}
function setStep(step) {
  zoom = { numerator: core.stepNumerator(step), denominator: core.stepDenominator(step), fit: false };
  clampPan();
  draw();
}
function fitZoom() {
  const view = $('view');
  core.fit(view.clientWidth, view.clientHeight);
  zoom = { numerator: core.fitNumerator(), denominator: core.fitDenominator(), fit: true };
  pan = { x: 0, y: 0 };
}

function drawHistogram() {
  const canvas = $('histogram'), context = canvas.getContext('2d');
  context.clearRect(0, 0, 256, 100);
  if (!core.makeHistogram() || !core.histogramPixels()) { $('histogram-text').textContent = 'No picture data'; return; }
  let most = 1;
  for (let level = 0; level < 256; ++level) most = Math.max(most, core.histogramCount(level));
  context.fillStyle = '#8ab4f8';
  for (let level = 0; level < 256; ++level) {
    const bar = Math.round(100 * core.histogramCount(level) / most);
    context.fillRect(level, 100 - bar, 1, bar);
  }
  $('histogram-text').textContent = `Levels ${core.histogramMinimum()} to ${core.histogramMaximum()}, ` +
    `mean ${core.histogramMean().toFixed(1)}, ${core.histogramPixels()} data pixels`;
}

// --- the thumbnail strip ---------------------------------------------------

function buildStrip() {
  const strip = $('strip');
  strip.replaceChildren();
  for (const [i, entry] of entries.entries()) {
    const button = document.createElement('button');
    button.setAttribute('aria-label', entry.name);
    const canvas = document.createElement('canvas');
    canvas.width = 1;
    canvas.height = 1;
    const label = document.createElement('span');
    label.textContent = entry.name;
    button.append(canvas, label);
    button.addEventListener('click', () => { stopScan(); show(i); });
    strip.append(button);
  }
  if (!thumbnails) {
    thumbnails = new Worker(new URL('./thumbnails.js', import.meta.url), { type: 'module' });
    thumbnails.onmessage = ({ data }) => {
      if (data.done !== undefined) { $('strip').dataset.done = String(data.done); return; }
      const button = $('strip').children[data.index];
      if (!button) return;
      if (data.failure) { button.title = data.failure; return; }
      const canvas = button.querySelector('canvas');
      canvas.width = data.width;
      canvas.height = data.height;
      canvas.getContext('2d').putImageData(greyToImageData(data.pixels, data.width, data.height), 0, 0);
    };
  }
  delete strip.dataset.done;
  thumbnails.postMessage({ files: entries.map((e) => e.file), longSide: kThumbnailSide });
}
function markStrip() {
  for (const [i, button] of [...$('strip').children].entries()) {
    if (i === index) { button.setAttribute('aria-current', 'true'); button.scrollIntoView({ block: 'nearest', inline: 'nearest' }); }
    else button.removeAttribute('aria-current');
  }
}

// --- downloads -------------------------------------------------------------

function download(blob, name) {
  const a = document.createElement('a');
  a.href = URL.createObjectURL(blob);
  a.download = name;
  a.click();
  setTimeout(() => URL.revokeObjectURL(a.href), 10000);
}

// --- wiring ----------------------------------------------------------------

buildOptions();
$('open').addEventListener('change', (e) => setEntries([...e.target.files]));
$('open-folder').addEventListener('change', (e) => setEntries([...e.target.files]));
$('next').addEventListener('click', () => show(index + 1));
$('previous').addEventListener('click', () => show(index - 1));
$('first').addEventListener('click', () => show(0));
$('last').addEventListener('click', () => show(entries.length - 1));
$('scan-forward').addEventListener('click', () => startScan(1));
$('scan-backward').addEventListener('click', () => startScan(-1));
$('scan-stop').addEventListener('click', stopScan);
$('scan-pause').addEventListener('change', () => { storeOptions(); if (scan) startScan(scan.direction); });
$('counter').addEventListener('change', (e) => {
  const position = parseInt(e.target.value, 10);
  if (position >= 1 && position <= entries.length) show(position - 1);
  else updateCounter();
});
$('counter').addEventListener('focus', (e) => e.target.select());
$('zoom-in').addEventListener('click', () => setStep(core.zoomIn(zoom.numerator, zoom.denominator)));
$('zoom-out').addEventListener('click', () => setStep(core.zoomOut(zoom.numerator, zoom.denominator)));
$('actual-size').addEventListener('click', () => setStep(core.actualSizeStep()));
$('fit').addEventListener('click', () => { if (shown) { fitZoom(); draw(); } });
$('save-bmp').addEventListener('click', () => {
  const bytes = core.bmp();
  if (bytes) download(new Blob([bytes], { type: 'image/bmp' }), `${entries[index].name}.bmp`);
});
$('save-png').addEventListener('click', async () => {
  if (!shown) return;
  download(await greyPng(core.pixels(), core.width(), core.height()), `${entries[index].name}.png`);
});

const view = $('view');
let drag = null;
view.addEventListener('pointerdown', (e) => {
  if (!shown) return;
  drag = { x: e.clientX, y: e.clientY, pan: { ...pan } };
  view.setPointerCapture(e.pointerId);
  view.classList.add('dragging');
});
view.addEventListener('pointermove', (e) => {
  if (drag) {
    pan = { x: drag.pan.x - (e.clientX - drag.x), y: drag.pan.y - (e.clientY - drag.y) };
    clampPan();
    draw();
  }
  if (!shown) return;
  const box = view.getBoundingClientRect();
  const x = Math.floor(e.clientX - box.left + pan.x), y = Math.floor(e.clientY - box.top + pan.y);
  $('readout').textContent = core.readout(x, y, zoom.numerator, zoom.denominator);
});
const endDrag = () => { drag = null; view.classList.remove('dragging'); };
view.addEventListener('pointerup', endDrag);
view.addEventListener('pointercancel', endDrag);
view.addEventListener('pointerleave', () => { $('readout').textContent = ''; });
new ResizeObserver(() => { if (shown && zoom.fit) fitZoom(); clampPan(); draw(); }).observe(view);

// Files and folders dropped on the page.
async function droppedFiles(entries) {
  const files = [];
  const walk = async (entry) => {
    if (entry.isFile) files.push(await new Promise((resolve, reject) => entry.file(resolve, reject)));
    else if (entry.isDirectory) {
      const reader = entry.createReader();
      for (;;) {
        const batch = await new Promise((resolve, reject) => reader.readEntries(resolve, reject));
        if (!batch.length) break;
        for (const child of batch) if (child.isFile) await walk(child);
      }
    }
  };
  for (const entry of entries) await walk(entry);
  return files;
}
document.addEventListener('dragover', (e) => { e.preventDefault(); view.classList.add('drop'); });
document.addEventListener('dragleave', () => view.classList.remove('drop'));
document.addEventListener('drop', async (e) => {
  e.preventDefault();
  view.classList.remove('drop');
  // Read before the first wait: the drop's data is gone after the event.
  const files = [...e.dataTransfer.files];
  const entries = [...e.dataTransfer.items].filter((item) => item.kind === 'file')
    .map((item) => (item.webkitGetAsEntry ? item.webkitGetAsEntry() : null)).filter(Boolean);
  setEntries(entries.length ? await droppedFiles(entries) : files);
});

// The desktop's keys.
document.addEventListener('keydown', (e) => {
  if (e.target instanceof HTMLInputElement && e.target.type === 'text') return;
  if (e.target instanceof HTMLSelectElement) return;
  const key = e.key;
  const command = {
    ArrowRight: () => show(index + 1), PageDown: () => show(index + 1),
    ArrowLeft: () => show(index - 1), PageUp: () => show(index - 1),
    Home: () => show(0), End: () => show(entries.length - 1),
    F5: () => (scan ? stopScan() : startScan(1)),
  }[key];
  let done = false;
  if (command && entries.length) { command(); done = true; }
  else if (e.ctrlKey && (key === '+' || key === '=')) { $('zoom-in').click(); done = true; }
  else if (e.ctrlKey && key === '-') { $('zoom-out').click(); done = true; }
  else if (e.ctrlKey && key === '0') { $('actual-size').click(); done = true; }
  else if (e.ctrlKey && key === '9') { $('fit').click(); done = true; }
  else if (!e.ctrlKey && !e.altKey && !e.metaKey) {
    const letter = key.toLowerCase();
    const option = optionButtons.find((o) => o.key === letter);
    if (option) { toggleOption(option.i); done = true; }
    for (let l = 0; l < core.levelCount(); ++l)
      if ((kLevelCaptions[core.levelName(l)] || [])[2] === letter) { stepLevel(l, e.shiftKey ? -1 : 1); done = true; }
  }
  if (done) e.preventDefault();
});

document.body.dataset.ready = 'true';
