'use strict';
// Shared test plumbing: one browser per test file, a loopback static server, and menu
// pages that velmora-cli publishes from fixture designs. The browser is headless
// Chromium through playwright-core, or with VELMORA_ENGINE=firefox or webkit, Firefox ESR
// or WebKitGTK through WebDriver (webdriver.js, page.js), or with qtwebengine the designer's
// preview engine over CDP (qtwebengine.js), driven by the same test bodies.
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const http = require('node:http');
const { execFileSync } = require('node:child_process');
const { before, after } = require('node:test');
const { chromium } = require('playwright-core');
const { design, projectFile } = require('./design');
const { Firefox, WebKit } = require('./webdriver');
const { Page, withPrelude } = require('./page');
const { QtWebEngine } = require('./qtwebengine');

const ENGINE = process.env.VELMORA_ENGINE || 'chromium';
// What an engine cannot be asked for here, and why; tests that need it skip there.
const LACKS = {
  webkit: { touch: "WebKitGTK's WebDriver performs touch pointer actions as mouse input, and without a " +
    'touch screen its pages get no touch pointers at all' },
  qtwebengine: { touch: 'QtWebEngine has no touch emulation for its debugging clients' },
};

const BUILD = process.env.VELMORA_BUILD || path.resolve(__dirname, '../../../build');
// The runtime as it ships: the minified copy the build puts in the program folder.
const RUNTIME = path.join(BUILD, 'jsmenu0.js');
const CLI = path.join(BUILD, 'velmora-cli');

// Small coloured squares: icons and images whose state shows in their colour.
const IMAGES = {};
for (const [n, c] of Object.entries({ red: '#d00', green: '#0a0', blue: '#00d', gray: '#888', black: '#000' })) {
  IMAGES[`${n}.svg`] = `<svg xmlns="http://www.w3.org/2000/svg" width="16" height="16"><rect width="16" height="16" fill="${c}"/></svg>`;
}

const MIME = { '.html': 'text/html', '.js': 'text/javascript', '.css': 'text/css', '.svg': 'image/svg+xml', '.txt': 'text/plain',
  '.xhtml': 'application/xhtml+xml' };

// headers: extra response headers by address path (a page served under a policy, say).
async function startServer(root, headers = {}) {
  const server = http.createServer((req, res) => {
    const p = path.join(root, decodeURIComponent(new URL(req.url, 'http://x').pathname));
    if (req.url === '/favicon.ico') {
      res.writeHead(204);
      return res.end();
    }
    if (!p.startsWith(root) || !fs.existsSync(p) || fs.statSync(p).isDirectory()) {
      // A body keeps the browser at the address instead of its own error page.
      res.writeHead(404, { 'content-type': 'text/plain' });
      return res.end('not found');
    }
    res.writeHead(200, { 'content-type': MIME[path.extname(p)] || 'application/octet-stream',
      ...headers[new URL(req.url, 'http://x').pathname] });
    if (path.extname(p) === '.html') res.end(withPrelude(fs.readFileSync(p, 'latin1')), 'latin1');
    else fs.createReadStream(p).pipe(res);
  });
  await new Promise((r) => server.listen(0, '127.0.0.1', r));
  return { server, base: `http://127.0.0.1:${server.address().port}` };
}

/** Publishes the design with velmora-cli into dir; returns the page's file name. */
function publish(d, dir, name, page = 'classic') {
  if (!fs.existsSync(CLI)) throw new Error(`no ${CLI}: build it, or give run.sh the build folder`);
  const proj = path.join(dir, 'project.velm');
  fs.writeFileSync(proj, projectFile(d), 'latin1');
  execFileSync(CLI, ['publish', proj, '--to', dir, '--menu-name', name, '--page', page], { stdio: 'pipe' });
  return 'project.html';
}

class Site {
  constructor() {
    this.root = fs.mkdtempSync(path.join(os.tmpdir(), 'velmora-rt-'));
    this.count = 0;
    this.headers = {};
  }

  async start() {
    Object.assign(this, await startServer(this.root, this.headers));
    return this;
  }

  /**
   * Publishes the design outline with velmora-cli into a folder of its own; returns the
   * page address. opts.files: files to write over the published ones (name: text or
   * fn(old text)), for configurations edited by hand and changed pages; opts.page: the
   * page style, classic or html5.
   */
  menu(outline, name = 'menu5', opts = {}) {
    const dir = path.join(this.root, `m${++this.count}`);
    fs.mkdirSync(dir);
    for (const [f, body] of Object.entries(IMAGES)) fs.writeFileSync(path.join(dir, f), body);
    const pageName = publish(design(outline), dir, name, opts.page);
    // Always test the runtime of this tree, whatever copy the tool placed there.
    fs.copyFileSync(RUNTIME, path.join(dir, 'jsmenu0.js'));
    for (let [f, body] of Object.entries(opts.files || {})) {
      if (f === 'page') f = pageName;
      const p = path.join(dir, f);
      fs.writeFileSync(p, typeof body === 'function' ? body(fs.readFileSync(p, 'latin1')) : body, 'latin1');
    }
    this.last = `m${this.count}`;
    return `${this.base}/m${this.count}/${pageName}`;
  }

  /** Writes one file below the served root and returns its address; headers go with it. */
  file(rel, body, headers) {
    const p = path.join(this.root, rel);
    if (headers) this.headers[`/${rel}`] = headers;
    fs.mkdirSync(path.dirname(p), { recursive: true });
    fs.writeFileSync(p, body);
    return `${this.base}/${rel}`;
  }

  async stop() {
    await new Promise((r) => this.server.close(r));
    fs.rmSync(this.root, { recursive: true, force: true });
  }
}

function launch() {
  if (ENGINE === 'firefox') return Firefox.launch();
  if (ENGINE === 'webkit') return WebKit.launch();
  if (ENGINE === 'qtwebengine') return QtWebEngine.launch();
  if (ENGINE !== 'chromium') throw new Error(`VELMORA_ENGINE: no engine ${ENGINE}`);
  return chromium.launch({
    executablePath: '/usr/bin/chromium',
    headless: true,
    args: ['--no-sandbox', '--disable-background-networking', '--disable-component-update',
      '--disable-sync', '--no-first-run', '--disable-gpu'],
  });
}

/** The menu in #NAMEdiv is built: a menubar, or in compact mode its button. */
function ready(name = 'menu5') {
  return `#${name}div [role=menubar], #${name}div .vm-tg:not([hidden])`;
}

/**
 * Opens url in a fresh context; collects page errors and console warnings.
 * Waits for the menu in #NAMEdiv unless opts.wait is false.
 */
async function open(browser, url, opts = {}) {
  if (browser instanceof Firefox || browser instanceof WebKit) {
    // The WebDriver browsers fix the motion preference at launch: a page that needs the
    // other one gets a browser of its own, which closes with the page.
    const reduced = opts.reducedMotion === 'reduce';
    const own = reduced !== browser.reducedMotion && await browser.constructor.launch({ reducedMotion: reduced });
    let pg;
    try {
      pg = await Page.open(own || browser, url, opts);
      if (opts.wait !== false) await pg.waitForSelector(ready(opts.name), { state: 'attached' });
    } catch (e) {
      if (own) await own.close();
      throw e;
    }
    if (own) {
      const close = pg.close0.bind(pg);
      pg.close0 = async () => {
        try {
          await close();
        } finally {
          await own.close();
        }
      };
    }
    return pg;
  }
  const context = await browser.newContext({
    viewport: opts.viewport || { width: 1000, height: 700 },
    hasTouch: !!opts.touch,
    reducedMotion: opts.reducedMotion || 'no-preference',
  });
  context.setDefaultTimeout(5000);
  if (opts.clock) await context.clock.install({ time: 0 });
  const pg = await context.newPage();
  pg.errors = [];
  pg.warnings = [];
  pg.on('pageerror', (e) => pg.errors.push(String(e)));
  if (opts.init) await pg.addInitScript(opts.init);
  pg.on('console', (m) => { if (m.type() === 'warning' || m.type() === 'error') pg.warnings.push(m.text()); });
  await pg.goto(url);
  if (opts.wait !== false) await pg.waitForSelector(ready(opts.name), { state: 'attached' });
  // From here on the page's timers run only when the test lets its clock run.
  if (opts.clock) await pg.clock.pauseAt(100000);
  pg.close0 = () => context.close();
  return pg;
}

/** Bounding box of the element matched by a selector, in viewport pixels. */
async function box(pg, sel) {
  return pg.$eval(sel, (e) => {
    const r = e.getBoundingClientRect();
    return { x: r.left, y: r.top, w: r.width, h: r.height, r: r.right, b: r.bottom };
  });
}

/** The item element of item index i of menu name. */
function item(i, name = 'menu5') {
  return `#${name}-${i}`;
}
/** The submenu panel that item index i opens. */
function sub(i, name = 'menu5') {
  return `#${name}-m${i}`;
}

async function visible(pg, sel) {
  return pg.$eval(sel, (e) => !!e.offsetParent || e.getClientRects().length > 0).catch(() => false);
}

/** Hover the centre of an element, moving there in a few steps. */
async function hover(pg, sel, steps = 3) {
  const b = await box(pg, sel);
  await pg.mouse.move(b.x + b.w / 2, b.y + b.h / 2, { steps });
}

/** A browser and a site for the tests of one file: `.browser` and `.site` once it runs. */
function suite() {
  const s = {};
  before(async () => {
    s.browser = await launch();
    s.site = await new Site().start();
  });
  after(async () => {
    await s.browser?.close();
    await s.site?.stop();
  });
  return s;
}

/** A skip reason when the engine under test cannot do what a test needs. */
function lacks(feature) {
  const why = LACKS[ENGINE]?.[feature];
  return why ? `no ${feature} in ${ENGINE}: ${why}` : false;
}

module.exports = { RUNTIME, Site, launch, open, box, item, sub, visible, hover, lacks, suite, ENGINE };
