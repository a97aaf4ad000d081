#!/usr/bin/env node
'use strict';
// Our menu on the modern page against a list-enhancing peer (SmartMenus 1.x with jQuery
// and its keyboard add-on, npm packages installed here as test-only dependencies), the
// same menus in headless Chromium at 1,600 px, both served from a loopback HTTP server:
//  - payload: our page + configuration + stylesheet, gzip, against the peer's page (the
//    libraries and their stylesheets are shared by every menu on both sides);
//  - navigation start to a laid-out menu (performance.now() once the menu stands and its
//    box has been asked for, at DOMContentLoaded);
//  - JS heap after a forced garbage collection.
// Menus of 1,000 and 5,000 items, nested (ten per submenu, breadth first) and flat (all in
// the bar); open and close delay 0, no effects; a fresh browser context per run, the two
// pages alternating which goes first. A flat bar that long fits no window: ours stands as its
// Menu button (its items are made on the first press), the peer's wraps into rows; each is
// measured as it shows at that width.
// Usage: node bench/peer/peer.js [BUILD_DIR [runs]]   (BUILD_DIR holds velmora-cli and the
// shipped jsmenu0.js, default ./build; run `npm ci` in bench/peer and tests/runtime first)
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const http = require('node:http');
const zlib = require('node:zlib');
const { execFileSync } = require('node:child_process');

const repo = path.resolve(__dirname, '../..');
const { chromium } = require(require.resolve('playwright-core', { paths: [path.join(repo, 'tests/runtime')] }));
const { design, projectFile } = require(path.join(repo, 'tests/runtime/lib/design'));

const BUILD = path.resolve(process.argv[2] || path.join(repo, 'build'));
const RUNS = Math.max(8, Number(process.argv[3]) || 9);
const PEER = path.join(__dirname, 'node_modules');
const PEER_FILES = {
  'jquery.min.js': 'jquery/dist/jquery.min.js',
  'jquery.smartmenus.min.js': 'smartmenus/dist/jquery.smartmenus.min.js',
  'jquery.smartmenus.keyboard.min.js': 'smartmenus/dist/addons/keyboard/jquery.smartmenus.keyboard.min.js',
  'sm-core-css.css': 'smartmenus/dist/css/sm-core-css.css',
  'sm-clean.css': 'smartmenus/dist/css/sm-clean/sm-clean.css',
};

// The menu's outline: captions and links, nested ten per submenu or all in the bar.
function outline(n, shape) {
  let made = 0;
  const next = () => ({ ICaption: `Item ${++made}`, ILink: `page${made}.html` });
  if (shape === 'flat') return Array.from({ length: n }, next);
  const level = () => Array.from({ length: Math.min(10, n - made) }, next);
  const top = level();
  const queue = [...top];
  while (made < n) {
    const it = queue.shift();
    it.kids = level();
    queue.push(...it.kids);
  }
  return top;
}

function peerList(items, id) {
  const li = (it) => `<li><a href="${it.ILink}">${it.ICaption}</a>${it.kids ? peerList(it.kids) : ''}</li>\n`;
  return `<ul${id ? ` id="${id}" class="sm sm-clean"` : ''}>\n${items.map(li).join('')}</ul>`;
}

// Marks the moment our menu stands, laid out: registered before the menu scripts run, at
// DOMContentLoaded, after the deferred runtime has built the menu.
const MARK = (sel) => `<script>addEventListener('DOMContentLoaded',function(){var b=document.querySelector('${sel}');` +
  'if(b){b.getBoundingClientRect();window.__ready=performance.now();}});</script>';

function peerPage(items) {
  const options = '{showTimeout:0,hideTimeout:0,showDuration:0,hideDuration:0,showFunction:null,hideFunction:null,' +
    'collapsibleShowFunction:null,collapsibleHideFunction:null}';
  return ['<!DOCTYPE html>', '<html lang="en">', '<head>', '<meta charset="utf-8">',
    '<meta name="viewport" content="width=device-width, initial-scale=1">', '<title>Peer</title>',
    '<link href="sm-core-css.css" rel="stylesheet">', '<link href="sm-clean.css" rel="stylesheet">', '</head>', '<body>',
    `<nav aria-label="Menu">${peerList(items, 'main-menu')}</nav>`,
    '<script src="jquery.min.js"></script>', '<script src="jquery.smartmenus.min.js"></script>',
    '<script src="jquery.smartmenus.keyboard.min.js"></script>',
    `<script>$(function(){$('#main-menu').smartmenus(${options});});</script>`, '</body>', '</html>', ''].join('\n');
}

const gzip = (file) => zlib.gzipSync(fs.readFileSync(file), { level: 9 }).length;

/** Both pages of one cell in their folders; the payload of each. */
function cell(root, n, shape) {
  const dir = path.join(root, `${shape}${n}`);
  const ours = path.join(dir, 'ours');
  const peer = path.join(dir, 'peer');
  fs.mkdirSync(ours, { recursive: true });
  fs.mkdirSync(peer, { recursive: true });
  const items = outline(n, shape);
  const d = design({ menu: { pOpenDelay: '0', pCloseDelay: '0', pOpenSlideType: '0', pCloseSlideType: '0',
    pOpenTransitionFlag: '0', pCloseTransitionFlag: '0' }, items });
  fs.writeFileSync(path.join(ours, 'menu.velm'), projectFile(d), 'latin1');
  execFileSync(path.join(BUILD, 'velmora-cli'), ['publish', path.join(ours, 'menu.velm'), '--to', ours, '--page', 'html5',
    '--menu-name', 'menu5'], { stdio: 'pipe' });
  fs.copyFileSync(path.join(BUILD, 'jsmenu0.js'), path.join(ours, 'jsmenu0.js'));
  const payload = [gzip(path.join(ours, 'menu.html')) + gzip(path.join(ours, 'jsmenu01cfg.js')) +
    gzip(path.join(ours, 'jsmenu01.css'))];
  fs.writeFileSync(path.join(peer, 'menu.html'), peerPage(items));
  for (const [name, from] of Object.entries(PEER_FILES)) fs.copyFileSync(path.join(PEER, from), path.join(peer, name));
  payload.push(gzip(path.join(peer, 'menu.html')));
  // The marks go in after the payload is counted.
  const mark = (file, sel) => {
    const text = fs.readFileSync(file, 'latin1');
    fs.writeFileSync(file, text.replace('<body>', `<body>\n${MARK(sel)}`), 'latin1');
  };
  mark(path.join(ours, 'menu.html'), '#menu5div [role=menubar], #menu5div .vm-tg:not([hidden])');
  // The peer's menu stands once its call returns.
  const peerFile = path.join(peer, 'menu.html');
  fs.writeFileSync(peerFile, fs.readFileSync(peerFile, 'latin1').replace('});});</script>',
    "});document.getElementById('main-menu').getBoundingClientRect();window.__ready=performance.now();});</script>"), 'latin1');
  return { name: `${shape} ${n.toLocaleString('en')}`, dir: path.relative(root, dir), payload };
}

const MIME = { '.html': 'text/html', '.js': 'text/javascript', '.css': 'text/css' };
function serve(root) {
  const server = http.createServer((req, res) => {
    const p = path.join(root, decodeURIComponent(new URL(req.url, 'http://x').pathname));
    if (!p.startsWith(root) || !fs.existsSync(p) || fs.statSync(p).isDirectory()) {
      res.writeHead(404);
      return res.end();
    }
    res.writeHead(200, { 'content-type': MIME[path.extname(p)] || 'application/octet-stream' });
    fs.createReadStream(p).pipe(res);
  });
  return new Promise((r) => server.listen(0, '127.0.0.1', () => r(server)));
}

async function measure(browser, url) {
  const context = await browser.newContext({ viewport: { width: 1600, height: 900 } });
  const page = await context.newPage();
  await page.goto(url);
  await page.waitForFunction(() => window.__ready, null, { timeout: 60000 });
  const ready = await page.evaluate(() => window.__ready);
  const cdp = await context.newCDPSession(page);
  await cdp.send('HeapProfiler.enable');
  await cdp.send('HeapProfiler.collectGarbage');
  const heap = (await cdp.send('Runtime.getHeapUsage')).usedSize;
  await context.close();
  return { ready, heap };
}

const median = (list) => {
  const s = [...list].sort((a, b) => a - b);
  return s.length % 2 ? s[(s.length - 1) / 2] : (s[s.length / 2 - 1] + s[s.length / 2]) / 2;
};

(async () => {
  const root = fs.mkdtempSync(path.join(os.tmpdir(), 'velmora-peer-'));
  const cells = [[1000, 'nested'], [5000, 'nested'], [1000, 'flat'], [5000, 'flat']].map(([n, s]) => cell(root, n, s));
  const server = await serve(root);
  const base = `http://127.0.0.1:${server.address().port}`;
  const browser = await chromium.launch({ executablePath: '/usr/bin/chromium', headless: true,
    args: ['--no-sandbox', '--disable-gpu', '--disable-background-networking', '--disable-component-update',
      '--no-first-run', '--js-flags=--expose-gc'] });
  const rows = [];
  try {
    for (const c of cells) {
      const got = { ours: [], peer: [] };
      for (let run = 0; run < RUNS; run++) {
        const order = run % 2 ? ['peer', 'ours'] : ['ours', 'peer'];
        for (const side of order) got[side].push(await measure(browser, `${base}/${c.dir}/${side}/menu.html`));
      }
      const m = (side, k) => median(got[side].map((x) => x[k]));
      rows.push([c.name, c.payload[0], c.payload[1], m('ours', 'ready'), m('peer', 'ready'), m('ours', 'heap'), m('peer', 'heap')]);
      process.stderr.write(`${c.name} done\n`);
    }
  } finally {
    await browser.close();
    server.close();
    fs.rmSync(root, { recursive: true, force: true });
  }
  const f1 = (x) => x.toFixed(1);
  const f2 = (x) => x.toFixed(2);
  console.log(`Medians of ${RUNS} alternating runs, headless Chromium, 1,600 px window`);
  console.log('| menu | payload ours / peer (gzip bytes) | ratio | laid out ours / peer (ms) | ratio | heap ours / peer (KB) | ratio |');
  console.log('|---|---|---|---|---|---|---|');
  for (const [name, po, pp, ro, rp, ho, hp] of rows) {
    console.log(`| ${name} | ${po} / ${pp} | ${f2(po / pp)}x | ${f1(ro)} / ${f1(rp)} | ${f2(ro / rp)}x | ` +
      `${f1(ho / 1024)} / ${f1(hp / 1024)} | ${f2(ho / hp)}x |`);
  }
})().catch((e) => {
  console.error(e);
  process.exit(1);
});
