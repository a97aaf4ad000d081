'use strict';
// A site whose pages at three depths were filled by velmora-cli update-pages, served over
// HTTP: every file each page names loads, the menu builds, its links land on the right
// pages, the page shown is marked with the items above it, and the modern page's list
// reads right without script.
const { test } = require('node:test');
const assert = require('node:assert/strict');
const fs = require('node:fs');
const path = require('node:path');
const { execFileSync } = require('node:child_process');
const { hover, item, sub, suite } = require('./lib/harness');
const { design, projectFile } = require('./lib/design');

const S = suite();
const CLI = path.join(process.env.VELMORA_BUILD || path.resolve(__dirname, '../../build'), 'velmora-cli');
// The runtime the tests run: the shipped copy beside the tool when the build makes one.
const SHIPPED = path.join(path.dirname(CLI), 'jsmenu0.js');
const RUNTIME = fs.existsSync(SHIPPED) ? SHIPPED : path.resolve(__dirname, '../../runtime/jsmenu0.js');

const still = { pOpenDelay: '0', pCloseDelay: '0', pOpenSlideType: '0', pCloseSlideType: '0' };
// 0 Home, 1 Docs [2 Guide, 3 API [4 Reference]], 5 About
const SITE = {
  menu: still,
  items: [
    { ICaption: 'Home', ILink: 'index.html' },
    { ICaption: 'Docs', ILink: 'docs/', kids: [
      { ICaption: 'Guide', ILink: 'docs/guide.html' },
      { ICaption: 'API', kids: [{ ICaption: 'Reference', ILink: 'docs/api/ref.html#top' }] },
    ] },
    { ICaption: 'About', ILink: 'about.html' },
  ],
};
const TARGET = { Home: 'index.html', Docs: 'docs/', Guide: 'docs/guide.html', Reference: 'docs/api/ref.html',
  About: 'about.html' };
// docs/page.xhtml is read as XML: one tag in HTML syntax and the browser shows only an error.
const PAGES = ['index.html', 'about.html', 'docs/index.html', 'docs/guide.html', 'docs/api/ref.html',
  'docs/page.xhtml'];
// The fixture designs' state colours.
const LOOK = { 'rgb(192, 192, 192)': 'normal', 'rgb(0, 0, 0)': 'over', 'rgb(255, 0, 0)': 'clicked' };
const NAME = 'sitemenu';
const ready = (name) => `#${name}div [role=menubar]`;

/** A site of marked pages with the design beside them, filled by update-pages; its folder. */
let sites = 0;
function updatedSite(style) {
  const rel = `site${++sites}-${style}`;
  const dir = path.join(S.site.root, rel);
  for (const page of PAGES) {
    const end = page.startsWith('docs/api') ? '\r\n' : '\n';
    const head = page.endsWith('.xhtml') ? ['<html xmlns="http://www.w3.org/1999/xhtml"><head>']
      : ['<!DOCTYPE html>', '<html lang="en"><head><meta charset="utf-8">'];
    const text = [...head, `<title>${page}</title></head><body>`, '  <!-- velmora-menu -->',
      '  <!-- /velmora-menu -->', `<h1>${page}</h1>`, '</body></html>', ''].join(end);
    fs.mkdirSync(path.dirname(path.join(dir, page)), { recursive: true });
    fs.writeFileSync(path.join(dir, page), text, 'latin1');
  }
  const project = path.join(dir, 'project.velm');
  fs.writeFileSync(project, projectFile(design(SITE)), 'latin1');
  const out = execFileSync(CLI, ['update-pages', project, dir, '--page', style], { encoding: 'utf8' });
  assert.match(out, /^6 updated, 0 up to date, 0 without a menu region$/m);
  fs.copyFileSync(RUNTIME, path.join(dir, 'jsmenu0.js'));
  return rel;
}

/** Opens a page in a fresh context, keeping every address that did not load. */
async function openPage(url, opts = {}) {
  const context = await S.browser.newContext({ viewport: { width: 1000, height: 700 }, ...opts });
  context.setDefaultTimeout(5000);
  const pg = await context.newPage();
  pg.failed = [];
  pg.errors = [];
  pg.on('response', (r) => { if (r.status() >= 400) pg.failed.push(`${r.status()} ${r.url()}`); });
  pg.on('requestfailed', (r) => pg.failed.push(`failed ${r.url()}`));
  pg.on('pageerror', (e) => pg.errors.push(String(e)));
  await pg.goto(url);
  pg.close0 = () => context.close();
  return pg;
}

for (const style of ['classic', 'html5']) {
  test(`${style} pages at three depths: files load, links land, the current page is marked`, async () => {
    const rel = updatedSite(style);
    const base = `${S.site.base}/${rel}/`;
    const cases = [
      ['index.html', ['Home'], []],
      ['docs/guide.html', ['Guide'], [1]],
      ['docs/api/ref.html', ['Reference'], [1]],
      ['docs/page.xhtml', [], []],
    ];
    for (const [page, current, clickedBar] of cases) {
      const pg = await openPage(base + page);
      await pg.waitForSelector(ready(NAME), { state: 'attached' });
      await pg.waitForLoadState('load');
      // Every submenu built, then the menu at rest.
      await hover(pg, item(1, NAME));
      await pg.waitForSelector(sub(1, NAME), { state: 'visible' });
      await hover(pg, item(3, NAME));
      await pg.waitForSelector(sub(3, NAME), { state: 'visible' });
      await pg.mouse.move(900, 650);
      await pg.waitForFunction(() => !document.querySelector('[aria-expanded=true]'));
      const links = await pg.$$eval(`#${NAME}div a[href]`, (as) => as.map((a) => [a.textContent.trim(),
        a.href.replace(/#.*/, ''), a.getAttribute('aria-current')]).filter(([t]) => t));
      const built = new Map(links.map(([t, h]) => [t, h]));
      for (const [caption, target] of Object.entries(TARGET)) {
        assert.equal(built.get(caption), base + target, `${page}: ${caption}`);
      }
      assert.deepEqual([...new Set(links.filter((l) => l[2] === 'page').map((l) => l[0]))], current, page);
      // The marked item and the bar item above it show the Clicked look at rest.
      for (const i of [0, 1, 5]) {
        const look = await pg.$eval(item(i, NAME), (e, l) => l[getComputedStyle(e).color], LOOK);
        const marked = clickedBar.includes(i) || (i === 0 && page === 'index.html');
        assert.equal(look, marked ? 'clicked' : 'normal', `${page}: item ${i}`);
      }
      assert.deepEqual([pg.failed, pg.errors], [[], []], page);
      await pg.close0();
    }

    // A click leads to the page the design names, from a page two folders down.
    const pg = await openPage(`${base}docs/api/ref.html`);
    await pg.waitForSelector(ready(NAME), { state: 'attached' });
    await hover(pg, item(1, NAME));
    await pg.waitForSelector(sub(1, NAME), { state: 'visible' });
    await Promise.all([pg.waitForURL(`${base}docs/guide.html`), pg.click(item(2, NAME))]);
    assert.equal(await pg.textContent('h1'), 'docs/guide.html');
    await Promise.all([pg.waitForURL(`${base}about.html`), pg.click(item(5, NAME))]);
    assert.equal(await pg.textContent('h1'), 'about.html');
    assert.deepEqual([pg.failed, pg.errors], [[], []]);
    await pg.close0();
  });
}

test('the modern page\'s list without script: rebased links and the current page', async () => {
  const rel = updatedSite('html5');
  const base = `${S.site.base}/${rel}/`;
  const pg = await openPage(`${base}docs/api/ref.html`, { javaScriptEnabled: false });
  const list = await pg.$$eval(`#${NAME}div nav a`, (as) => as.map((a) => [a.textContent, a.href,
    a.getAttribute('aria-current'), !!a.getClientRects().length]));
  assert.deepEqual(list, [
    ['Home', `${base}index.html`, null, true],
    ['Docs', `${base}docs/`, null, true],
    ['Guide', `${base}docs/guide.html`, null, true],
    ['Reference', `${base}docs/api/ref.html#top`, 'page', true],
    ['About', `${base}about.html`, null, true],
  ]);
  assert.deepEqual(pg.failed, []);
  await pg.close0();
});
