// Whole loads (decode and chain, from the file's bytes in memory) of one
// picture file, with the options the native benchmark BM_Load turns on:
// every chain flag with the catalogue's stretch, and the widening.
import { loadCore } from './core.js';

const params = new URLSearchParams(location.search);
const file = params.get('file');
const rounds = Number(params.get('rounds') || 60);
const every = ['stretch', 'despeckle', 'flip', 'rotate', 'invert', 'half', 'quarter', 'fill-missing', 'horizontal-stretch'];

const core = await loadCore();
core.putFile(new Uint8Array(await (await fetch(file)).arrayBuffer()));
for (let i = 0; i < core.optionCount(); ++i) core.setOption(i, every.includes(core.optionName(i)) ? 1 : 0);
for (let i = 0; i < 3; ++i) core.timeLoad(file);  // memory grown and code warm
const times = [];
for (let i = 0; i < rounds; ++i) times.push(core.timeLoad(file));
times.sort((a, b) => a - b);
const median = times.length % 2 ? times[(times.length - 1) / 2] : (times[times.length / 2 - 1] + times[times.length / 2]) / 2;
document.getElementById('out').textContent = `${file}: median ${median.toFixed(3)} ms over ${rounds} loads`;
document.body.dataset.median = String(median);
document.body.dataset.failed = String(times[0] < 0);
