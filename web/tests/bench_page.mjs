// Opens bench/web/bench.html (copied beside the built page) in Debian's
// chromium, headless, and prints the median milliseconds it measured.
//   node bench_page.mjs PAGE_DIR FILE ROUNDS   (run by bench/web.sh)
import fs from 'node:fs';
import http from 'node:http';
import path from 'node:path';
import { chromium } from 'playwright-core';

const [dir, file, rounds] = process.argv.slice(2);
const root = path.resolve(dir);
const types = { '.html': 'text/html', '.js': 'text/javascript', '.wasm': 'application/wasm' };
const server = http.createServer((request, response) => {
  const file = path.join(root, path.normalize(decodeURIComponent(new URL(request.url, 'http://x').pathname)));
  if (!file.startsWith(root) || !fs.existsSync(file)) { response.writeHead(404); response.end(); return; }
  response.writeHead(200, { 'Content-Type': types[path.extname(file)] || 'application/octet-stream' });
  fs.createReadStream(file).pipe(response);
});
await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
const browser = await chromium.launch({ executablePath: process.env.CHROMIUM || '/usr/bin/chromium', headless: true,
  args: ['--disable-dev-shm-usage', ...(process.getuid() === 0 ? ['--no-sandbox'] : [])] });
try {
  const page = await browser.newPage();
  await page.goto(`http://127.0.0.1:${server.address().port}/bench.html?file=${encodeURIComponent(file)}&rounds=${rounds}`);
  await page.waitForSelector('body[data-median]', { timeout: 300000 });
  if ((await page.getAttribute('body', 'data-failed')) === 'true') throw new Error(`${file} did not load`);
  console.log(await page.getAttribute('body', 'data-median'));
} finally {
  await browser.close();
  server.close();
}
