'use strict';
// Firefox and WebKitGTK for the browser tests, through the W3C WebDriver protocols:
// Firefox ESR speaks WebDriver BiDi over a WebSocket of its own; WebKitGTK speaks classic
// WebDriver over HTTP through WebKitWebDriver, which starts MiniBrowser (it needs a
// display: run.sh gives it Xvfb). Both come from Debian packages; nothing is downloaded.
//
// A driver here knows one top-level window (a "tab") and offers the few operations the
// page layer (page.js) builds on: run a script, perform input actions, navigate, read the
// address, list other windows, take a picture of an element, size the viewport, close.
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const net = require('node:net');
const zlib = require('node:zlib');
const { spawn } = require('node:child_process');

/** Runs child until it prints a line matching re on stderr/stdout; resolves with the match. */
function started(child, re, what) {
  return new Promise((resolve, reject) => {
    let text = '';
    const timer = setTimeout(() => reject(new Error(`${what} did not start:\n${text.slice(-2000)}`)), 30000);
    const seen = (chunk) => {
      text += chunk;
      const m = re.exec(text);
      if (m) {
        clearTimeout(timer);
        resolve(m);
      }
    };
    child.stdout.on('data', seen);
    child.stderr.on('data', seen);
    child.on('exit', (code) => {
      clearTimeout(timer);
      reject(new Error(`${what} exited with ${code}:\n${text.slice(-2000)}`));
    });
  });
}

/** Rejects when the child ends before the returned promise is dropped. */
function exited(child, what) {
  return new Promise((resolve, reject) => child.on('exit', (code) => reject(new Error(`${what} exited with ${code}`))));
}

function freePort() {
  return new Promise((resolve) => {
    const s = net.createServer().listen(0, '127.0.0.1', () => {
      const { port } = s.address();
      s.close(() => resolve(port));
    });
  });
}

// Drivers and browsers never outlive a test process that ends early.
const children = new Set();
process.on('exit', () => { for (const c of children) c.kill('SIGKILL'); });

function stop(child) {
  children.delete(child);
  return new Promise((resolve) => {
    if (child.exitCode !== null || child.signalCode) return resolve();
    const kill = setTimeout(() => child.kill('SIGKILL'), 5000);
    child.once('exit', () => {
      clearTimeout(kill);
      resolve();
    });
    child.kill('SIGTERM');
  });
}

// ---- Firefox over WebDriver BiDi ----

// A profile that keeps Firefox off the network and out of its first-run pages.
const FIREFOX_PREFS = {
  'app.update.disabledForTesting': true,
  'app.normandy.enabled': false,
  'browser.shell.checkDefaultBrowser': false,
  'browser.startup.homepage_override.mstone': 'ignore',
  'browser.startup.page': 0,
  'browser.newtabpage.enabled': false,
  'browser.safebrowsing.malware.enabled': false,
  'browser.safebrowsing.phishing.enabled': false,
  'browser.safebrowsing.downloads.enabled': false,
  'browser.safebrowsing.blockedURIs.enabled': false,
  'browser.search.update': false,
  'browser.sessionstore.resume_from_crash': false,
  'browser.topsites.contile.enabled': false,
  'datareporting.healthreport.uploadEnabled': false,
  'datareporting.policy.dataSubmissionEnabled': false,
  'dom.disable_open_during_load': false,
  'extensions.update.enabled': false,
  'extensions.getAddons.cache.enabled': false,
  'network.captive-portal-service.enabled': false,
  'network.connectivity-service.enabled': false,
  'network.dns.disablePrefetch': true,
  'network.http.speculative-parallel-limit': 0,
  'network.predictor.enabled': false,
  'services.settings.server': 'http://127.0.0.1:9/',
  'toolkit.telemetry.enabled': false,
  'toolkit.telemetry.server': 'http://127.0.0.1:9/',
};

class Bidi {
  constructor(url) {
    this.ws = new WebSocket(url);
    this.next = 0;
    this.waiting = new Map();
    this.listeners = new Set();
    this.ws.onmessage = (e) => {
      const msg = JSON.parse(e.data);
      const w = this.waiting.get(msg.id);
      if (w) {
        this.waiting.delete(msg.id);
        if (msg.type === 'error') w.reject(new Error(`${msg.error}: ${msg.message}`));
        else w.resolve(msg.result);
      } else if (msg.type === 'event') for (const fn of this.listeners) fn(msg);
    };
    this.ready = new Promise((resolve, reject) => {
      this.ws.onopen = resolve;
      this.ws.onerror = () => reject(new Error(`no WebDriver BiDi connection at ${url}`));
    });
  }

  send(method, params = {}) {
    const id = ++this.next;
    return new Promise((resolve, reject) => {
      this.waiting.set(id, { resolve, reject });
      this.ws.send(JSON.stringify({ id, method, params }));
    });
  }
}

class FirefoxTab {
  constructor(bidi, context) {
    this.bidi = bidi;
    this.context = context;
  }

  async run(expression) {
    const r = await this.bidi.send('script.evaluate', { expression, awaitPromise: true, target: { context: this.context } });
    if (r.type === 'exception') throw new Error(r.exceptionDetails.text);
    return r.result.value;
  }

  actions(actions) {
    return this.bidi.send('input.performActions', { context: this.context, actions });
  }

  release() {
    return this.bidi.send('input.releaseActions', { context: this.context });
  }

  navigate(url) {
    return this.bidi.send('browsingContext.navigate', { context: this.context, url, wait: 'complete' });
  }

  async url() {
    const { contexts } = await this.bidi.send('browsingContext.getTree', { root: this.context, maxDepth: 0 });
    return contexts[0].url;
  }

  /** Other top-level windows: [{ id, url }]. */
  async windows() {
    const { contexts } = await this.bidi.send('browsingContext.getTree', { maxDepth: 0 });
    return contexts.filter((c) => c.context !== this.context).map((c) => ({ id: c.context, url: c.url }));
  }

  closeWindow(id) {
    return this.bidi.send('browsingContext.close', { context: id });
  }

  /** PNG (base64) of the viewport rectangle r. */
  async shot(r) {
    const { data } = await this.bidi.send('browsingContext.captureScreenshot', {
      context: this.context, clip: { type: 'box', x: r.x, y: r.y, width: r.w, height: r.h },
    });
    return data;
  }

  viewport(width, height) {
    return this.bidi.send('browsingContext.setViewport', { context: this.context, viewport: { width, height } });
  }

  close() {
    return this.bidi.send('browsingContext.close', { context: this.context });
  }
}

class Firefox {
  /** opts.reducedMotion: the pages prefer reduced motion (a profile setting, fixed for the browser's life). */
  static async launch(opts = {}) {
    if (typeof WebSocket === 'undefined') throw new Error('Firefox needs WebSocket in node: run node with --experimental-websocket');
    const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'velmora-ff-'));
    const prefs = { ...FIREFOX_PREFS, 'ui.prefersReducedMotion': opts.reducedMotion ? 1 : 0 };
    fs.writeFileSync(path.join(profile, 'user.js'), Object.entries(prefs)
      .map(([k, v]) => `user_pref(${JSON.stringify(k)}, ${JSON.stringify(v)});\n`).join(''));
    const child = spawn(process.env.VELMORA_FIREFOX || 'firefox-esr',
      ['--headless', '--no-remote', '--profile', profile, '--remote-debugging-port=0'],
      { stdio: ['ignore', 'pipe', 'pipe'], env: { ...process.env, MOZ_CRASHREPORTER_DISABLE: '1' } });
    children.add(child);
    const ff = new Firefox(child, profile, !!opts.reducedMotion);
    try {
      const [, url] = await started(child, /WebDriver BiDi listening on (ws:\/\/\S+)/, 'firefox-esr');
      ff.bidi = new Bidi(`${url}/session`);
      await ff.bidi.ready;
      await ff.bidi.send('session.new', { capabilities: { alwaysMatch: { unhandledPromptBehavior: { default: 'dismiss' } } } });
    } catch (e) {
      await ff.close();
      throw e;
    }
    return ff;
  }

  constructor(child, profile, reducedMotion) {
    this.name = 'firefox';
    this.child = child;
    this.profile = profile;
    this.reducedMotion = reducedMotion;
  }

  async tab() {
    const { context } = await this.bidi.send('browsingContext.create', { type: 'tab' });
    return new FirefoxTab(this.bidi, context);
  }

  async close() {
    try {
      await this.bidi?.send('session.end');
    } catch {
      // The browser is going away anyway.
    }
    this.bidi?.ws.close();
    await stop(this.child);
    fs.rmSync(this.profile, { recursive: true, force: true });
  }
}

// ---- WebKitGTK over classic WebDriver ----

/** The rows of an 8-bit RGB or RGBA PNG, unfiltered. */
function decodePng(png) {
  const width = png.readUInt32BE(16);
  const height = png.readUInt32BE(20);
  const bpp = { 2: 3, 6: 4 }[png[25]];
  if (png[24] !== 8 || !bpp || png[28]) throw new Error('PNG: only 8-bit RGB(A) without interlacing');
  const idat = [];
  for (let at = 8; at < png.length;) {
    const len = png.readUInt32BE(at);
    if (png.toString('latin1', at + 4, at + 8) === 'IDAT') idat.push(png.subarray(at + 8, at + 8 + len));
    at += len + 12;
  }
  const raw = zlib.inflateSync(Buffer.concat(idat));
  const stride = width * bpp;
  const rows = [];
  let prev = Buffer.alloc(stride);
  for (let y = 0; y < height; y++) {
    const type = raw[y * (stride + 1)];
    const row = Buffer.from(raw.subarray(y * (stride + 1) + 1, (y + 1) * (stride + 1)));
    for (let i = 0; i < stride; i++) {
      const a = i >= bpp ? row[i - bpp] : 0;
      const b = prev[i];
      const c = i >= bpp ? prev[i - bpp] : 0;
      const p = a + b - c;
      const pa = Math.abs(p - a);
      const pb = Math.abs(p - b);
      const pc = Math.abs(p - c);
      row[i] += [0, a, b, (a + b) >> 1, pa <= pb && pa <= pc ? a : pb <= pc ? b : c][type];
    }
    rows.push(row);
    prev = row;
  }
  return { width, height, bpp, rows };
}

class WebKitTab {
  constructor(wk) {
    this.wk = wk;
  }

  call(method, rel, body) {
    return this.wk.call(method, `/session/${this.wk.session}${rel}`, body);
  }

  async run(expression) {
    return this.call('POST', '/execute/async', { script: `(${expression}).then(arguments[arguments.length - 1]);`, args: [] });
  }

  actions(actions) {
    return this.call('POST', '/actions', { actions });
  }

  release() {
    return this.call('DELETE', '/actions');
  }

  navigate(url) {
    return this.call('POST', '/url', { url });
  }

  url() {
    return this.call('GET', '/url');
  }

  async windows() {
    const out = [];
    for (const id of await this.call('GET', '/window/handles')) {
      if (id === this.wk.main) continue;
      await this.call('POST', '/window', { handle: id });
      out.push({ id, url: await this.call('GET', '/url').catch(() => '') });
    }
    await this.call('POST', '/window', { handle: this.wk.main });
    return out;
  }

  async closeWindow(id) {
    await this.call('POST', '/window', { handle: id });
    await this.call('DELETE', '/window');
    await this.call('POST', '/window', { handle: this.wk.main });
  }

  /** The pixels of the viewport rectangle r (base64): WebKitGTK's element pictures come out black. */
  async shot(r) {
    const png = Buffer.from(await this.call('GET', '/screenshot'), 'base64');
    const { width, height, bpp, rows } = decodePng(png);
    const x0 = Math.max(0, Math.round(r.x));
    const x1 = Math.min(width, Math.round(r.x + r.w));
    const out = [];
    for (let y = Math.max(0, Math.round(r.y)); y < Math.min(height, Math.round(r.y + r.h)); y++) {
      out.push(rows[y].subarray(x0 * bpp, x1 * bpp));
    }
    return Buffer.concat(out).toString('base64');
  }

  /**
   * The window's outer size is what WebDriver sets: add what the window frame takes. Without a
   * window manager the X server applies a new size a little later, so wait for it to settle.
   */
  async viewport(width, height) {
    const inner = () => this.call('POST', '/execute/sync', { script: 'return [innerWidth, innerHeight]', args: [] });
    let [w, h] = await inner();
    for (let i = 0; i < 6 && (w !== width || h !== height); i++) {
      const rect = await this.call('GET', '/window/rect');
      await this.call('POST', '/window/rect', { width: rect.width + width - w, height: rect.height + height - h });
      for (let t = 0; t < 20; t++) {
        [w, h] = await inner();
        if (w === width && h === height) return;
        await new Promise((done) => setTimeout(done, 50));
      }
    }
    if (w !== width || h !== height) throw new Error(`WebKit viewport stays at ${w}x${h}, not ${width}x${height}`);
  }

  async close() {
    await this.navigate('about:blank');
  }
}

class WebKit {
  /**
   * opts.reducedMotion: the pages prefer reduced motion. WebKitGTK takes that from GTK's
   * gtk-enable-animations setting, which the browser reads from a settings.ini of its own
   * here (a settings daemon of a desktop session would override it).
   */
  static async launch(opts = {}) {
    if (!process.env.DISPLAY && !process.env.WAYLAND_DISPLAY) throw new Error('WebKitGTK needs a display: run under xvfb-run');
    const config = fs.mkdtempSync(path.join(os.tmpdir(), 'velmora-wk-'));
    fs.mkdirSync(path.join(config, 'gtk-3.0'));
    fs.writeFileSync(path.join(config, 'gtk-3.0', 'settings.ini'),
      `[Settings]\ngtk-enable-animations=${opts.reducedMotion ? 'false' : 'true'}\n`);
    const port = await freePort();
    const child = spawn(process.env.VELMORA_WEBKITDRIVER || 'WebKitWebDriver', [`--port=${port}`],
      { stdio: 'ignore', env: { ...process.env, XDG_CONFIG_HOME: config } });
    children.add(child);
    const wk = new WebKit(child, `http://127.0.0.1:${port}`, config, !!opts.reducedMotion);
    try {
      await Promise.race([wk.waitUp(), exited(child, 'WebKitWebDriver')]);
      const s = await wk.call('POST', '/session', { capabilities: { alwaysMatch: {
        'webkitgtk:browserOptions': { args: ['--automation'] }, unhandledPromptBehavior: 'dismiss' } } });
      wk.session = s.sessionId;
      wk.main = await wk.call('GET', `/session/${wk.session}/window`);
    } catch (e) {
      await wk.close();
      throw e;
    }
    return wk;
  }

  constructor(child, base, config, reducedMotion) {
    this.name = 'webkit';
    this.child = child;
    this.base = base;
    this.config = config;
    this.reducedMotion = reducedMotion;
    this.busy = Promise.resolve();
  }

  async waitUp() {
    for (let i = 0; i < 100; i++) {
      try {
        return await this.call('GET', '/status');
      } catch {
        await new Promise((r) => setTimeout(r, 100));
      }
    }
    throw new Error('WebKitWebDriver does not answer');
  }

  /** One command at a time: the driver serves them in order anyway. */
  call(method, rel, body) {
    const run = async () => {
      const res = await fetch(this.base + rel, {
        method, headers: { 'content-type': 'application/json' }, body: body && JSON.stringify(body),
      });
      const { value } = await res.json();
      if (value && value.error) throw new Error(`${value.error}: ${value.message}`);
      return value;
    };
    const p = this.busy.then(run, run);
    this.busy = p.catch(() => {});
    return p;
  }

  /** One window for the whole run: each page navigates it afresh. */
  async tab() {
    return new WebKitTab(this);
  }

  async close() {
    try {
      if (this.session) await this.call('DELETE', `/session/${this.session}`);
    } catch {
      // The driver is going away anyway.
    }
    await stop(this.child);
    fs.rmSync(this.config, { recursive: true, force: true });
  }
}

module.exports = { Firefox, WebKit, freePort };
