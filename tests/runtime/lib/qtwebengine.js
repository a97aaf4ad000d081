'use strict';
// QtWebEngine 6.4, the engine of the designer's live preview, for the browser tests: the
// small Qt program webengine_host (built with VELMORA_WEBENGINE) runs offscreen with
// QtWebEngine's remote debugging on, and playwright-core drives it over CDP like Chromium.
// That engine has no browser contexts and cannot open pages for a client, so:
//  - a relay between playwright-core and the engine answers the one context call that
//    playwright-core makes on connecting (download behaviour) and passes on the rest;
//  - "contexts" here are views: each new page is a window the program opens when asked on
//    its standard input, sized and given the motion preference the test asks for;
//  - there is no touch emulation, and the fake clock is the page-level one of page.js.
const path = require('node:path');
const { spawn } = require('node:child_process');
const { chromium } = require('playwright-core');
const { ws: WebSocket, wsServer: WebSocketServer } = require('playwright-core/lib/utilsBundle');
const { fakeClock } = require('./page');
const { freePort } = require('./webdriver');

const HOST = path.join(process.env.VELMORA_BUILD || path.resolve(__dirname, '../../../build'), 'tests', 'webengine_host');

const SETTLE_MS = 600;
// Calls the engine rejects that playwright-core makes anyway: answered here.
const ANSWERED = new Set(['Browser.setDownloadBehavior']);
// playwright-core's page script calls Element.checkVisibility (Chromium 105); the engine is
// older, so the script gets a stand-in ahead of it.
const CHECK_VISIBILITY = 'if (!Element.prototype.checkVisibility) Element.prototype.checkVisibility = function () {' +
  ' for (var e = this; e; e = e.parentElement) if (getComputedStyle(e).display === "none") return false; return true; };\n';

/** Relays one client's CDP connection to the engine's browser endpoint. */
function relay(client, upstream) {
  const up = new WebSocket(upstream, { perMessageDeflate: false });
  const queue = [];
  up.on('open', () => queue.splice(0).forEach((m) => up.send(m)));
  up.on('message', (data) => client.send(String(data)));
  up.on('close', () => client.close());
  client.on('close', () => up.close());
  client.on('message', (data) => {
    let text = String(data);
    const msg = JSON.parse(text);
    if (ANSWERED.has(msg.method)) return client.send(JSON.stringify({ id: msg.id, sessionId: msg.sessionId, result: {} }));
    if (msg.method === 'Runtime.evaluate' && /\bcheckVisibility\(/.test(msg.params.expression)) {
      msg.params.expression = CHECK_VISIBILITY + msg.params.expression;
      text = JSON.stringify(msg);
    }
    if (up.readyState === WebSocket.OPEN) up.send(text);
    else queue.push(text);
  });
}

class QtWebEngine {
  static async launch() {
    if (!require('node:fs').existsSync(HOST)) throw new Error(`no ${HOST}: build the target webengine_host`);
    const env = { ...process.env, QT_QPA_PLATFORM: 'offscreen', QTWEBENGINE_REMOTE_DEBUGGING: `127.0.0.1:${await freePort()}` };
    // Root may not use the engine's sandbox; there is no GPU offscreen.
    env.QTWEBENGINE_CHROMIUM_FLAGS = `${env.QTWEBENGINE_CHROMIUM_FLAGS || ''} --disable-gpu${process.getuid?.() === 0 ? ' --no-sandbox' : ''}`;
    const host = spawn(HOST, [], { env, stdio: ['pipe', 'pipe', 'pipe'] });
    host.stdin.write('new\n'); // the engine and its debugging port start with the first page
    process.on('exit', () => host.kill('SIGKILL'));
    const upstream = await new Promise((resolve, reject) => {
      let text = '';
      const timer = setTimeout(() => reject(new Error(`webengine_host did not start:\n${text.slice(-2000)}`)), 30000);
      const seen = (chunk) => {
        text += chunk;
        const m = /DevTools listening on (ws:\S+)/.exec(text);
        if (m) {
          clearTimeout(timer);
          resolve(m[1]);
        }
      };
      host.stderr.on('data', seen);
      host.stdout.on('data', seen);
      host.on('exit', (code) => reject(new Error(`webengine_host exited with ${code}:\n${text.slice(-2000)}`)));
    });
    const server = new WebSocketServer({ host: '127.0.0.1', port: 0 });
    await new Promise((r) => server.on('listening', r));
    server.on('connection', (client) => relay(client, upstream));
    const browser = await chromium.connectOverCDP(`ws://127.0.0.1:${server.address().port}/`);
    return new QtWebEngine(host, server, browser);
  }

  constructor(host, server, browser) {
    Object.assign(this, { host, server, browser, ctx: browser.contexts()[0] });
    this.spare = this.ctx.pages()[0];
  }

  /** A stand-in for a Playwright browser context with one page (the options open() uses). */
  newContext(o = {}) {
    let page;
    let clock = false;
    return {
      setDefaultTimeout: (ms) => this.ctx.setDefaultTimeout(ms),
      clock: { install: async () => { clock = true; } },
      newPage: async () => {
        page = this.spare;
        this.spare = null;
        if (!page) {
          const opened = this.ctx.waitForEvent('page');
          this.host.stdin.write('new\n');
          page = await opened;
        }
        await page.setViewportSize(o.viewport || { width: 1000, height: 700 });
        // The engine drops input that comes right after a page loads.
        const goto = page.goto.bind(page);
        page.goto = async (...args) => {
          const response = await goto(...args);
          await new Promise((r) => setTimeout(r, SETTLE_MS));
          return response;
        };
        await page.emulateMedia({ reducedMotion: o.reducedMotion || 'no-preference' });
        if (clock) {
          await page.addInitScript(`window.__vmLog=window.__vmLog||[];(${fakeClock})();`);
          Object.defineProperty(page, 'clock', { value: {
            runFor: (ms) => page.evaluate((n) => window.__vmClock.runFor(n), ms),
            pauseAt: async () => {},
          } });
        }
        return page;
      },
      close: async () => {
        for (const p of this.ctx.pages()) if (p === page || p.opener && await p.opener() === page) await p.close({ runBeforeUnload: true });
      },
    };
  }

  async close() {
    await this.browser.close().catch(() => {});
    this.host.stdin.end();
    await new Promise((r) => (this.host.exitCode !== null ? r() : this.host.once('exit', r)));
    await new Promise((r) => this.server.close(r));
  }
}

module.exports = { QtWebEngine };
