'use strict';
// The part of Playwright's Page that the runtime tests use, built on a WebDriver tab
// (webdriver.js), so that the same test bodies run in Firefox and WebKitGTK.
//
// Page errors and console warnings: WebDriver classic has no events, so a small script
// put in front of every page the tests load keeps them in the page, and every call
// below collects them (and the page's address) on its way back. The same script can
// stand in a clock that moves only when the test runs it.
const fs = require('node:fs');
const { fileURLToPath } = require('node:url');

/* Page side: the list that every call empties. */
function capture() {
  if (window.__vmLog) return;
  var log = [];
  Object.defineProperty(window, '__vmLog', { value: log });
  addEventListener('error', function (e) { log.push(['error', String(e.error || e.message)]); });
  addEventListener('unhandledrejection', function (e) { log.push(['error', String(e.reason)]); });
  ['warn', 'error'].forEach(function (k) {
    var f = console[k];
    console[k] = function () {
      log.push(['warning', [].join.call(arguments, ' ')]);
      return f.apply(console, arguments);
    };
  });
}

/* Page side: timers, frames, performance.now() and Date.now() on a clock that stands at
 * 0 until __vmClock.runFor(ms) moves it, firing what falls due in order. */
function fakeClock() {
  var now = 0, seq = 0, timers = new Map(), w = window;
  function add(fn, ms, args, every) {
    var id = ++seq;
    timers.set(id, { id: id, fn: fn, at: now + Math.max(0, Number(ms) || 0), args: args, every: every });
    return id;
  }
  w.setTimeout = function (fn, ms) { return add(fn, ms, [].slice.call(arguments, 2)); };
  w.setInterval = function (fn, ms) { return add(fn, ms, [].slice.call(arguments, 2), Math.max(1, Number(ms) || 0)); };
  w.clearTimeout = w.clearInterval = w.cancelAnimationFrame = function (id) { timers.delete(id); };
  w.requestAnimationFrame = function (fn) { return add(function () { fn(now); }, 16 - now % 16); };
  performance.now = Date.now = function () { return now; };
  Object.defineProperty(w, '__vmClock', { value: { runFor: function (ms) {
    var end = now + ms, next;
    for (;;) {
      next = null;
      timers.forEach(function (t) { if (t.at <= end && (!next || t.at < next.at)) next = t; });
      if (!next) break;
      now = next.at;
      if (next.every) next.at += next.every;
      else timers.delete(next.id);
      try {
        if (typeof next.fn === 'string') (0, eval)(next.fn);
        else next.fn.apply(w, next.args);
      } catch (e) {
        w.__vmLog.push(['error', String(e)]);
      }
    }
    now = end;
  } } });
}

// The script put in front of the pages now being loaded (null: none).
let current = null;

/** The page text with the current script in front (after a doctype, which must stay first). */
function withPrelude(html) {
  if (!current || html.includes(current)) return html;
  const m = /^\s*<!doctype[^>]*>/i.exec(html);
  const at = m ? m[0].length : 0;
  return html.slice(0, at) + current + html.slice(at);
}

// WebDriver key values of the key names the tests use.
const KEYS = {
  ArrowLeft: '\uE012', ArrowUp: '\uE013', ArrowRight: '\uE014', ArrowDown: '\uE015', Home: '\uE011',
  End: '\uE010', Escape: '\uE00C', Enter: '\uE007', Tab: '\uE004', Space: ' ', Shift: '\uE008',
  Control: '\uE009', Alt: '\uE00A', Meta: '\uE03D',
};

// In the page: the element's state as Playwright's waitForSelector knows it.
const STATE = (a) => {
  const e = document.querySelector(a.s);
  let shown = false;
  if (e) {
    const r = e.getBoundingClientRect();
    shown = r.width > 0 && r.height > 0 && getComputedStyle(e).visibility !== 'hidden';
  }
  return { attached: !!e, detached: !e, visible: shown, hidden: !shown }[a.state];
};

const sleep = (ms) => new Promise((r) => setTimeout(r, ms));

class Page {
  /** A fresh page at url; opts as the harness's open() takes them. */
  static async open(engine, url, opts = {}) {
    const pg = new Page(await engine.tab(), opts);
    const vp = opts.viewport || { width: 1000, height: 700 };
    await pg.tab.viewport(vp.width, vp.height);
    pg.known = new Set((await pg.tab.windows()).map((w) => w.id));
    await pg.goto(url);
    return pg;
  }

  constructor(tab, opts) {
    this.tab = tab;
    this.timeout = 10000;
    this.errors = [];
    this.warnings = [];
    this.href = '';
    this.at = { x: 0, y: 0 };
    this.prelude = `<script>(${capture})();${opts.clock ? `(${fakeClock})();` : ''}` +
      `${opts.init ? `(${opts.init})();` : ''}</script>`;
    this.mouse = {
      move: (x, y, o = {}) => {
        const n = o.steps || 1;
        const { x: x0, y: y0 } = this.at;
        this.at = { x, y };
        return this.pointer(Array.from({ length: n }, (_, i) => ({
          type: 'pointerMove', origin: 'viewport', duration: 0,
          x: Math.round(x0 + (x - x0) * (i + 1) / n), y: Math.round(y0 + (y - y0) * (i + 1) / n),
        })));
      },
      down: () => this.pointer([{ type: 'pointerDown', button: 0 }]),
      up: () => this.pointer([{ type: 'pointerUp', button: 0 }]),
      click: async (x, y) => {
        await this.mouse.move(x, y);
        await this.pointer([{ type: 'pointerDown', button: 0 }, { type: 'pointerUp', button: 0 }]);
      },
    };
    this.keyboard = {
      press: async (combo) => {
        const keys = combo.split('+').map((k) => KEYS[k] || k);
        const down = keys.map((value) => ({ type: 'keyDown', value }));
        const up = keys.reverse().map((value) => ({ type: 'keyUp', value }));
        await this.tab.actions([{ type: 'key', id: 'keyboard', actions: [...down, ...up] }]);
        await this.drain();
      },
    };
    this.clock = { runFor: (ms) => this.evaluate((n) => window.__vmClock.runFor(n), ms) };
  }

  /** Runs fn(arg) in the page; collects the page's log and address on the way back. */
  async evaluate(fn, arg) {
    const expr = `(async () => { var out; try { out = { v: await (${fn})(${arg === undefined ? '' : JSON.stringify(arg)}) }; }
      catch (e) { out = { err: String(e && e.message || e) }; }
      out.log = (window.__vmLog || []).splice(0); out.href = location.href; return JSON.stringify(out); })()`;
    const out = JSON.parse(await this.tab.run(expr));
    for (const [kind, text] of out.log) (kind === 'error' ? this.errors : this.warnings).push(text);
    this.href = out.href;
    if ('err' in out) throw new Error(out.err);
    return out.v === undefined ? undefined : out.v;
  }

  /** After input: the log and the address, unless the page is being replaced. */
  drain() {
    return this.evaluate('() => 0').catch(() => {});
  }

  $eval(sel, fn, arg) {
    return this.evaluate(`(a) => { const e = document.querySelector(a.s);
      if (!e) throw new Error('no element matches ' + a.s); return (${fn})(e, a.a); }`, { s: sel, a: arg });
  }

  $$eval(sel, fn, arg) {
    return this.evaluate(`(a) => (${fn})([...document.querySelectorAll(a.s)], a.a)`, { s: sel, a: arg });
  }

  async $(sel) {
    return (await this.evaluate((s) => !!document.querySelector(s), sel)) || null;
  }

  async waitForFunction(fn, arg, o = {}) {
    const end = Date.now() + (o.timeout || this.timeout);
    for (;;) {
      const v = await this.evaluate(fn, arg);
      if (v) return v;
      if (Date.now() > end) throw new Error(`timed out waiting for ${String(fn).slice(0, 200)}`);
      await sleep(25);
    }
  }

  async waitForSelector(sel, o = {}) {
    const state = o.state || 'visible';
    try {
      await this.waitForFunction(STATE, { s: sel, state }, o);
    } catch (e) {
      throw new Error(`${sel} not ${state}: ${e.message.slice(0, 100)}`);
    }
  }

  async waitForTimeout(ms) {
    await sleep(ms);
    await this.drain();
  }

  waitForLoadState() {
    return this.waitForFunction(() => document.readyState === 'complete');
  }

  async waitForURL(re) {
    const end = Date.now() + this.timeout;
    while (!re.test(await this.tab.url().catch(() => ''))) {
      if (Date.now() > end) throw new Error(`address never matched ${re}`);
      await sleep(50);
    }
    await this.drain();
  }

  /** A window opened by the page: resolves with it once it has an address. */
  async waitForEvent(kind) {
    if (kind !== 'popup') throw new Error(`no ${kind} events here`);
    const end = Date.now() + this.timeout;
    for (;;) {
      const w = (await this.tab.windows()).find((x) => !this.known.has(x.id) && x.url && x.url !== 'about:blank');
      if (w) return { url: () => w.url };
      if (Date.now() > end) throw new Error('no window opened');
      await sleep(50);
    }
  }

  url() {
    return this.href;
  }

  async goto(url) {
    current = this.prelude;
    if (url.startsWith('file:')) {
      // No server in between: the script goes into the file itself.
      const file = fileURLToPath(url);
      fs.writeFileSync(file, withPrelude(fs.readFileSync(file, 'latin1')), 'latin1');
    }
    await this.tab.navigate(url);
    await this.drain();
  }

  /** Resizes the viewport, as Playwright's page does. */
  async setViewportSize({ width, height }) {
    await this.tab.viewport(width, height);
    await this.drain();
  }

  focus(sel) {
    return this.$eval(sel, (e) => e.focus());
  }

  async click(sel, o = {}) {
    if (!o.force) await this.waitForSelector(sel);
    const [x, y] = await this.$eval(sel, (e) => {
      e.scrollIntoView({ block: 'nearest', inline: 'nearest' });
      const r = e.getBoundingClientRect();
      return [r.left + r.width / 2, r.top + r.height / 2];
    });
    await this.mouse.click(x, y);
  }

  /** A finger on the element's centre, or at o.position from its top left corner. */
  async tap(sel, o = {}) {
    const [x, y] = await this.$eval(sel, (e, at) => {
      e.scrollIntoView({ block: 'nearest', inline: 'nearest' });
      const r = e.getBoundingClientRect();
      return at ? [r.left + at.x, r.top + at.y] : [r.left + r.width / 2, r.top + r.height / 2];
    }, o.position);
    await this.tab.actions([{ type: 'pointer', id: 'finger', parameters: { pointerType: 'touch' }, actions: [
      { type: 'pointerMove', origin: 'viewport', duration: 0, x: Math.round(x), y: Math.round(y) },
      { type: 'pointerDown', button: 0 }, { type: 'pointerUp', button: 0 }] }]);
    await this.drain();
  }

  async pointer(actions) {
    await this.tab.actions([{ type: 'pointer', id: 'mouse', parameters: { pointerType: 'mouse' }, actions }]);
    await this.drain();
  }

  locator(sel) {
    return {
      screenshot: async () => {
        const r = await this.$eval(sel, (e) => {
          const b = e.getBoundingClientRect();
          return { x: b.left, y: b.top, w: b.width, h: b.height };
        });
        return Buffer.from(await this.tab.shot(r, sel), 'base64');
      },
    };
  }

  async close0() {
    for (const w of await this.tab.windows()) if (!this.known.has(w.id)) await this.tab.closeWindow(w.id);
    await this.tab.release();
    await this.tab.close();
  }
}

module.exports = { Page, withPrelude, fakeClock };
