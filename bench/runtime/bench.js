#!/usr/bin/env node
'use strict';
// Menu runtime benchmark in headless Chromium (performance.now() inside the page):
//  - builder call to a ready menu (bar in the page and laid out; then to the first
//    frame) for menus of 100, 1,000 and 5,000 items, nested (ten items per submenu)
//    and flat (every item in the bar, all built at once), split into the builder's own
//    script, the style of the new elements and their layout;
//  - pointer over an item to its submenu visible, open delay 0, in frames and ms;
//  - switching between the bar and compact mode when the window narrows and widens, 100
//    items (five in the bar, every submenu built), the runtime's resize handler with the
//    style and layout it causes.
// Usage: node bench/runtime/bench.js [BUILD_DIR [runs]]   (BUILD_DIR holds velmora-cli,
// default ./build; needs tests/runtime/run.sh to have installed playwright-core, and
// Debian's /usr/bin/chromium)
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const { pathToFileURL } = require('node:url');
const { execFileSync } = require('node:child_process');

const repo = path.resolve(__dirname, '../..');
const { chromium } = require(require.resolve('playwright-core', { paths: [path.join(repo, 'tests/runtime')] }));
const { design, projectFile } = require(path.join(repo, 'tests/runtime/lib/design'));

const CLI = path.resolve(process.argv[2] || path.join(repo, 'build'), 'velmora-cli');
const RUNS = Number(process.argv[3]) || 15;

// n items: "nested" puts ten per submenu under ten top items; "flat" puts all in the bar.
function items(n, shape) {
  if (shape === 'flat') return Array.from({ length: n }, (_, i) => ({ ICaption: `Item ${i}`, IWidth: '80' }));
  let left = n;
  const make = () => {
    const list = [];
    for (let i = 0; i < 10 && left > 0; i++) {
      left--;
      list.push({ ICaption: `Item ${n - left}`, ILink: `page${n - left}.html` });
    }
    return list;
  };
  const top = make(0);
  // Breadth first: fill submenus level by level until n items are placed.
  const queue = [...top];
  while (left > 0) {
    const it = queue.shift();
    it.kids = make();
    queue.push(...it.kids);
  }
  return top;
}

function site(dir, n, shape) {
  const list = shape === 'five' ? Array.from({ length: 5 }, (_, i) => ({ ICaption: `Top ${i}`,
    kids: Array.from({ length: 19 }, (_, k) => ({ ICaption: `Item ${i}.${k}`, ILink: `p${i}-${k}.html` })) })) : items(n, shape);
  const d = design({ menu: { pOpenDelay: '0', pCloseDelay: '0' }, items: list });
  fs.writeFileSync(path.join(dir, 'bench.velm'), projectFile(d), 'latin1');
  execFileSync(CLI, ['publish', path.join(dir, 'bench.velm'), '--to', dir, '--menu-name', 'menu5']);
  fs.copyFileSync(path.join(path.dirname(CLI), 'jsmenu0.js'), path.join(dir, 'jsmenu0.js'));
  return pathToFileURL(path.join(dir, 'bench.html')).href;
}

const median = (a) => [...a].sort((x, y) => x - y)[Math.floor(a.length / 2)];
const max = (a) => Math.max(...a);

(async () => {
  const browser = await chromium.launch({
    executablePath: '/usr/bin/chromium', headless: true,
    args: ['--no-sandbox', '--disable-background-networking', '--disable-component-update',
      '--disable-sync', '--no-first-run', '--disable-gpu'],
  });
  const page = await browser.newPage({ viewport: { width: 1280, height: 800 } });
  const tmp = fs.mkdtempSync(path.join(os.tmpdir(), 'velmora-bench-'));
  const rows = [];
  for (const shape of ['nested', 'flat']) {
    for (const n of [100, 1000, 5000]) {
      const dir = fs.mkdtempSync(path.join(tmp, `${shape}${n}-`));
      await page.goto(site(dir, n, shape));
      await page.waitForSelector('#menu5div .vm-bar', { state: 'attached' });
      // The same builder call the configuration script makes, into fresh containers.
      const times = await page.evaluate(async (runs) => {
        const build = [];
        const frame = [];
        const phases = [];
        for (let r = 0; r < runs; r++) {
          const box = document.createElement('div');
          box.id = `bench${r}div`;
          document.body.appendChild(box);
          const t0 = performance.now();
          bbae(`bench${r}`, window.menu5cfg, box.id, 1, 1, 0, 330, 2, 0, '', 0, 220, 2, 0, '');
          const tScript = performance.now();
          const bar = box.querySelector('.vm-bar');
          getComputedStyle(bar.lastElementChild).color; // style, not layout
          const tStyle = performance.now();
          bar.getBoundingClientRect();
          const t1 = performance.now();
          phases.push([tScript - t0, tStyle - tScript, t1 - tStyle]);
          await new Promise((ok) => requestAnimationFrame(() => setTimeout(ok)));
          build.push(t1 - t0);
          frame.push(performance.now() - t0);
          box.remove();
          delete Velmora.menus[`bench${r}`];
        }
        return { build, frame, phases };
      }, RUNS);
      const phase = (k) => median(times.phases.map((p) => p[k]));
      rows.push({ shape, n, build: median(times.build), buildMax: max(times.build), frame: median(times.frame),
        script: phase(0), style: phase(1), layout: phase(2) });
    }
  }

  // Pointer over to visible: a fresh page, open delay 0, ten top items with submenus, in a
  // window wide enough for the bar (narrower ones get compact mode).
  await page.setViewportSize({ width: 1600, height: 800 });
  await page.goto(site(fs.mkdtempSync(path.join(tmp, 'hover-')), 1000, 'nested'));
  await page.waitForSelector('#menu5div [role=menubar]', { state: 'attached' });
  await page.evaluate(() => {
    window.hoverLog = [];
    document.addEventListener('pointerover', (e) => {
      const a = e.target.closest && e.target.closest('[aria-haspopup]');
      if (!a) return;
      const sub = document.getElementById(a.getAttribute('aria-controls'));
      const t0 = performance.now();
      let frames = 0;
      const check = () => {
        frames++;
        const s = document.getElementById(a.getAttribute('aria-controls')) || sub;
        if (s && s.offsetParent) window.hoverLog.push({ frames, ms: performance.now() - t0 });
        else if (frames < 60) requestAnimationFrame(check);
      };
      requestAnimationFrame(check);
    }, true);
  });
  const tops = await page.$$eval('#menu5div [role=menubar] > [aria-haspopup]', (l) => l.map((e) => {
    const r = e.getBoundingClientRect();
    return [r.left + r.width / 2, r.top + r.height / 2];
  }));
  for (let r = 0; r < Math.max(2, Math.ceil(RUNS / tops.length)); r++) {
    for (const [x, y] of tops) {
      await page.mouse.move(x, 700);
      await page.mouse.move(x, y);
      await page.waitForTimeout(50);
    }
  }
  const hover = await page.evaluate(() => window.hoverLog);

  // Mode switches: the runtime's resize listener runs between these two of ours.
  await page.goto(site(fs.mkdtempSync(path.join(tmp, 'switch-')), 100, 'five'));
  await page.waitForSelector('#menu5div [role=menubar]', { state: 'attached' });
  await page.evaluate(() => {
    for (let i = 0; i < 5; i++) Velmora.show('menu5', i * 20 + 1); // builds every submenu
    Velmora.show('menu5', -1);
    window.switches = [];
    addEventListener('resize', () => { window.t0 = performance.now(); }, true);
    addEventListener('resize', () => {
      document.body.offsetHeight; // style and layout of the change
      window.switches.push(performance.now() - window.t0);
    });
  });
  for (let r = 0; r < RUNS; r++) {
    for (const width of [400, 1280]) {
      await page.setViewportSize({ width, height: 800 });
      await page.waitForFunction((w) => document.documentElement.clientWidth === w &&
        document.querySelector('#menu5div .vm-tg').hidden === w > 600, width);
    }
  }
  const switches = await page.evaluate(() => [window.switches]);

  await browser.close();
  fs.rmSync(tmp, { recursive: true, force: true });

  // The size budget is GNU gzip's: zlib's level 9 comes out a few dozen bytes larger.
  const gz = execFileSync('gzip', ['-9c', path.join(path.dirname(CLI), 'jsmenu0.js')]).length;
  console.log(`Velmora menu runtime, headless Chromium, median of ${RUNS} runs (ms)`);
  console.log('shape   items  builder call to ready  (max)  to first frame  script  style  layout');
  for (const r of rows) {
    console.log(`${r.shape.padEnd(7)} ${String(r.n).padStart(5)}  ${r.build.toFixed(2).padStart(21)}  ${r.buildMax.toFixed(2).padStart(5)}  ${r.frame.toFixed(2).padStart(14)}` +
      `  ${r.script.toFixed(2).padStart(6)}  ${r.style.toFixed(2).padStart(5)}  ${r.layout.toFixed(2).padStart(6)}`);
  }
  const first = hover.filter((h) => h.frames === 1).length;
  console.log(`pointer over to submenu visible (open delay 0): ${hover.length} opens, ${first} on the first frame, ` +
    `median ${median(hover.map((h) => h.ms)).toFixed(2)} ms, max ${max(hover.map((h) => h.frames))} frame(s)`);
  console.log(`bar <-> compact mode on resize, 100 items: ${switches[0].length} switches, median ` +
    `${median(switches[0]).toFixed(2)} ms, max ${max(switches[0]).toFixed(2)} ms`);
  console.log(`shipped jsmenu0.js: ${fs.statSync(path.join(path.dirname(CLI), 'jsmenu0.js')).size} bytes, ${gz} bytes gzip -9c`);
})().catch((e) => {
  console.error(e);
  process.exit(1);
});
