// The web page in Debian's chromium, headless: the BMP it saves under several
// option sets is the converter's byte for byte, and its PNG holds the same
// pixels; Next steps past a file that holds no picture, which shows its reason
// in place; the timed scan steps and stops; a step answers while the
// thumbnails of a 400-file folder are made; the controls carry the desktop's
// captions as their accessible names; the options outlive a reload.
//
//   node page_test.mjs PAGE_DIR ORBALUX_CONVERT SAMPLE_DIR ORBALUX_MAKE_VOLUME
import { execFileSync } from 'node:child_process';
import zlib from 'node:zlib';
import fs from 'node:fs';
import http from 'node:http';
import os from 'node:os';
import path from 'node:path';
import { chromium } from 'playwright-core';

const [pageArg, convert, sampleDir, makeVolume] = process.argv.slice(2);
if (!makeVolume) {
  console.error('usage: node page_test.mjs PAGE_DIR ORBALUX_CONVERT SAMPLE_DIR ORBALUX_MAKE_VOLUME');
  process.exit(2);
}
const pageDir = path.resolve(pageArg || '.');
const browserPath = process.env.CHROMIUM || '/usr/bin/chromium';

let failures = 0;
function check(ok, what) {
  console.log(`${ok ? 'ok  ' : 'FAIL'} ${what}`);
  if (!ok) failures += 1;
}

// A static server of the built page, as any would serve it.
const types = { '.html': 'text/html', '.js': 'text/javascript', '.css': 'text/css', '.wasm': 'application/wasm' };
const server = http.createServer((request, response) => {
  const name = decodeURIComponent(new URL(request.url, 'http://x').pathname).replace(/^\/$/, '/index.html');
  const file = path.join(pageDir, path.normalize(name));
  if (!file.startsWith(pageDir) || !fs.existsSync(file)) { response.writeHead(404); response.end(); return; }
  response.writeHead(200, { 'Content-Type': types[path.extname(file)] || 'application/octet-stream' });
  fs.createReadStream(file).pipe(response);
});
await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
const url = `http://127.0.0.1:${server.address().port}/`;

const scratch = fs.mkdtempSync(path.join(os.tmpdir(), 'orbalux-web-'));
const browser = await chromium.launch({
  executablePath: browserPath,
  headless: true,
  // A container's small /dev/shm would not hold chromium's shared memory.
  args: ['--disable-dev-shm-usage', ...(process.getuid && process.getuid() === 0 ? ['--no-sandbox'] : [])],
});

try {
  const context = await browser.newContext({ acceptDownloads: true, viewport: { width: 1400, height: 900 } });
  const page = await context.newPage();
  page.on('pageerror', (e) => check(false, `no error on the page: ${e.message}`));
  await page.goto(url);
  await page.waitForSelector('body[data-ready=true]');

  // The desktop's captions, by role.
  const buttons = ['Next', 'Previous', 'First', 'Last', 'Scan Forward', 'Scan Backward', 'Scan Stop', 'Save as BMP',
    'Stretch', 'Despeckle', 'Flip Vertically', 'Rotate', 'Invert Display', 'Minimize',
    'Minimize - 25 % original size', 'Missing lines', 'Horizontal Stretch', '2 or more missing lines compress',
    'Percentile Stretch', 'Equalize', 'Brightness Down', 'Brightness Up', 'Contrast Down', 'Contrast Up',
    'Zoom In', 'Zoom Out', 'Actual Size', 'Fit to Window'];
  const missing = [];
  for (const name of buttons)
    if ((await page.getByRole('button', { name, exact: true }).count()) !== 1) missing.push(name);
  check(missing.length === 0, `one button named by each desktop caption${missing.length ? ': missing ' + missing : ''}`);
  check((await page.getByRole('textbox', { name: 'Position' }).count()) === 1, 'the counter is a textbox "Position"');
  check((await page.getByRole('combobox', { name: 'Scan-pause' }).count()) === 1, 'the scan pause is a list "Scan-pause"');

  // The samples and a file with no bytes, whose name sorts second.
  const folder = path.join(scratch, 'volume');
  fs.mkdirSync(folder);
  const samples = fs.readdirSync(sampleDir).filter((n) => /^69_\d{3}\.\d{3}$/.test(n)).sort();
  for (const name of samples) fs.copyFileSync(path.join(sampleDir, name), path.join(folder, name));
  fs.writeFileSync(path.join(folder, '69_011.004'), '');
  fs.writeFileSync(path.join(folder, 'notes.txt'), 'not a picture');
  const chosen = fs.readdirSync(folder).map((n) => path.join(folder, n));
  await page.locator('#open').setInputFiles(chosen);
  const listed = [...samples, '69_011.004'].sort();
  await page.waitForFunction((n) => document.getElementById('counter').value === `1/${n}`, listed.length);
  check(listed[1] === '69_011.004', 'the empty file sorts second');

  const next = page.getByRole('button', { name: 'Next', exact: true });
  const fileShown = (name) => page.waitForFunction((n) => document.getElementById('file-name').textContent === n, name);
  await next.click();
  await fileShown('69_011.004');
  const message = await page.locator('#message').textContent();
  check(/no picture/.test(message) && message.includes('69_011.004'), `the empty file shows its reason: "${message}"`);
  check(await page.getByRole('button', { name: 'Save as BMP' }).isDisabled(), 'nothing to save for the empty file');
  await next.click();
  await fileShown(listed[2]);
  check((await page.locator('#message').textContent()) === '' && (await page.locator('#status').textContent()) !== '',
        `Next goes on to ${listed[2]} and shows it`);

  // Option sets: the page's buttons and the converter's switches.
  const sets = [
    { page: [], cli: [] },
    { page: ['Despeckle', 'Stretch'], cli: ['--despeckle', '--stretch'] },
    { page: ['Flip Vertically', 'Rotate', 'Invert Display', 'Missing lines'], cli: ['--flip', '--rotate', '--invert', '--fill-missing'] },
    { page: ['Minimize', 'Horizontal Stretch', '2 or more missing lines compress'], cli: ['--half', '--horizontal-stretch', '--keep-gaps'] },
    { page: ['Minimize - 25 % original size', 'Equalize'], cli: ['--quarter', '--equalize'] },
    { page: ['Percentile Stretch'], percentiles: '1,99', steps: ['Brightness Up', 'Contrast Down'],
      cli: ['--percent-stretch=1,99', '--brightness', '20', '--contrast', '-1'] },
  ];
  // The pressed state of each option as the set wants it: the compress item
  // is pressed unless gaps are kept.
  const toggles = buttons.slice(8, 20);
  const pickedFiles = samples.filter((n) => ['69_311.002', '69_091.005', '69_301.009', '69_131.002'].includes(n));
  for (const [s, set] of sets.entries()) {
    for (const name of toggles) {
      const button = page.getByRole('button', { name, exact: true });
      const want = set.page.includes(name) !== (name === '2 or more missing lines compress');
      if ((await button.getAttribute('aria-pressed')) !== String(want)) await button.click();
      if ((await button.getAttribute('aria-pressed')) !== String(want)) await button.click();
    }
    if (set.percentiles) await page.locator('#percentiles').fill(set.percentiles).then(() => page.locator('#percentiles').dispatchEvent('change'));
    const out = path.join(scratch, `set${s}`);
    fs.mkdirSync(out);
    execFileSync(convert, [...set.cli, '--format', 'bmp', ...pickedFiles.map((n) => path.join(folder, n)), '-o', out], { stdio: 'ignore' });
    for (const name of pickedFiles) {
      const position = listed.indexOf(name) + 1;
      await page.locator('#counter').fill(String(position));
      await page.locator('#counter').press('Enter');
      await fileShown(name);
      await page.waitForFunction(() => document.getElementById('status').textContent !== '');
      for (const step of set.steps || []) await page.getByRole('button', { name: step, exact: true }).click();
      const [download] = await Promise.all([page.waitForEvent('download'),
        page.getByRole('button', { name: 'Save as BMP' }).click()]);
      const saved = fs.readFileSync(await download.path());
      const expected = fs.readdirSync(out).find((f) => f.startsWith(name) && f.endsWith('.bmp'));
      const same = expected && Buffer.compare(saved, fs.readFileSync(path.join(out, expected))) === 0;
      check(same, `${name} [${set.cli.join(' ') || 'no options'}]: the page's BMP is the converter's (${saved.length} bytes)`);
    }
  }

  // The PNG holds the BMP's pixels: its grey rows top down, the BMP's blue
  // bytes bottom up.
  const save = async (name) => {
    const [download] = await Promise.all([page.waitForEvent('download'),
      page.getByRole('button', { name, exact: true }).click()]);
    return fs.readFileSync(await download.path());
  };
  const bmp = await save('Save as BMP');
  const png = await save('Save as PNG');
  const width = png.readUInt32BE(16), height = png.readUInt32BE(20);
  const idat = [];
  for (let at = 8; at < png.length; at += 12 + png.readUInt32BE(at))
    if (png.toString('latin1', at + 4, at + 8) === 'IDAT') idat.push(png.subarray(at + 8, at + 8 + png.readUInt32BE(at)));
  const rows = zlib.inflateSync(Buffer.concat(idat));
  let samePixels = width === bmp.readInt32LE(18) && height === bmp.readInt32LE(22) && png[24] === 8 && png[25] === 0;
  for (let y = 0; samePixels && y < height; ++y)
    for (let x = 0; x < width; ++x)
      if (rows[y * (width + 1) + 1 + x] !== bmp[54 + 3 * ((height - 1 - y) * width + x)]) { samePixels = false; break; }
  check(samePixels, `Save as PNG: an 8-bit grey PNG of the BMP's ${width} x ${height} pixels`);

  // The timed scan steps on by itself after the pause chosen, and stops.
  await page.getByRole('combobox', { name: 'Scan-pause' }).selectOption('2000');
  await page.getByRole('button', { name: 'First', exact: true }).click();
  await fileShown(listed[0]);
  const scanStarted = Date.now();
  await page.getByRole('button', { name: 'Scan Forward', exact: true }).click();
  await fileShown(listed[1]);
  const pause = Date.now() - scanStarted;
  await page.getByRole('button', { name: 'Scan Stop', exact: true }).click();
  await page.waitForTimeout(2500);
  check(pause >= 1900 && pause < 4000 && (await page.locator('#file-name').textContent()) === listed[1],
        `the scan stepped once after ${pause} ms and stopped`);

  // Files dropped on the page make the list.
  const dropped = ['69_221.001', '69_191.001'].map((n) => ({ name: n, data: fs.readFileSync(path.join(sampleDir, n)).toString('base64') }));
  await page.evaluate((files) => {
    const transfer = new DataTransfer();
    for (const f of files) transfer.items.add(new File([Uint8Array.from(atob(f.data), (c) => c.charCodeAt(0))], f.name));
    document.getElementById('view').dispatchEvent(new DragEvent('drop', { dataTransfer: transfer, bubbles: true, cancelable: true }));
  }, dropped);
  await page.waitForFunction(() => document.getElementById('counter').value === '1/2');
  await fileShown('69_191.001');
  check(true, 'two files dropped on the page make a list of two, in name order');

  // The options are remembered.
  await page.getByRole('button', { name: 'Despeckle', exact: true }).click();
  await page.reload();
  await page.waitForSelector('body[data-ready=true]');
  check((await page.getByRole('button', { name: 'Despeckle', exact: true }).getAttribute('aria-pressed')) === 'true' &&
        (await page.getByRole('button', { name: 'Percentile Stretch', exact: true }).getAttribute('aria-pressed')) === 'true',
        'the options outlive a reload');
  check((await page.locator('#percentiles').inputValue()) === '1,99', 'so do the percentiles, written as "1,99"');

  // A step answers while the thumbnails of a 400-file folder are made.
  const big = path.join(scratch, 'big');
  execFileSync(makeVolume, [big], { stdio: 'ignore' });
  const bigFiles = fs.readdirSync(big).map((n) => path.join(big, n));
  await page.locator('#open').setInputFiles(bigFiles);
  const count = bigFiles.filter((f) => /^(69_|RBL_|ED_|JAC_)/i.test(path.basename(f))).length;
  await page.waitForFunction((n) => document.getElementById('counter').value === `1/${n}`, count);
  await page.waitForFunction(() => document.querySelector('#strip canvas[width="96"], #strip canvas[height="96"]'));
  const stillMaking = await page.evaluate(() => document.getElementById('strip').dataset.done === undefined);
  const started = Date.now();
  await page.keyboard.press('ArrowRight');
  await page.waitForFunction((n) => document.getElementById('counter').value === `2/${n}`, count);
  const took = Date.now() - started;
  const madeThen = await page.evaluate(() => [...document.querySelectorAll('#strip canvas')].filter((c) => c.width > 1).length);
  check(stillMaking && madeThen < count, `the thumbnails were still being made (${madeThen} of ${count})`);
  check(took < 1000, `a step answered in ${took} ms while they were made`);
  await page.waitForFunction(() => document.getElementById('strip').dataset.done !== undefined, null, { timeout: 120000 });
  check(true, 'every thumbnail made');
} finally {
  await browser.close();
  server.close();
  fs.rmSync(scratch, { recursive: true, force: true });
}
console.log(failures ? `${failures} web check(s) failed` : 'web page: all checks passed');
process.exit(failures ? 1 : 0);
