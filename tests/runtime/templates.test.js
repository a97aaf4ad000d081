'use strict';
// The bundled templates as the samples gallery shows them: each published by velmora-cli
// under its catalog menu name, working in the browser with every picture found, every
// caption readable, a visible mouse-over look, and every submenu inside its gallery frame.
const { test, before, after } = require('node:test');
const assert = require('node:assert/strict');
const fs = require('node:fs');
const path = require('node:path');
const { execFileSync } = require('node:child_process');
const { Site, launch, open, item, sub, hover, RUNTIME } = require('./lib/harness');

const RESOURCES = path.resolve(__dirname, '../../resources');
const TEMPLATES = path.join(RESOURCES, 'templates');
const CLI = path.join(process.env.VELMORA_BUILD || path.resolve(__dirname, '../../build'), 'velmora-cli');
// The narrowest frame the gallery page gives a sample.
const FRAME_WIDTH = 860;

/** Catalog lines: { base, name, height, title }. */
function catalog() {
  return fs.readFileSync(path.join(RESOURCES, 'samples/catalog.txt'), 'utf8').split(/\r?\n/)
    .filter((l) => l.trim() && !l.startsWith('#'))
    .map((l) => {
      const [file, name, height, title] = l.split('|');
      return { base: file.replace(/\.velm$/, ''), name, height: Number(height), title };
    });
}

/** The items of a project file: caption, level, parent index, enabled, image item. */
function itemsOf(velm) {
  const lines = fs.readFileSync(velm, 'latin1').split('\r\n');
  const rows = lines.slice(lines.indexOf('<Item_Parameters>') + 1, lines.indexOf('</Item_Parameters>'));
  const stack = [];
  return rows.map((row, i) => {
    const f = row.split('#$@');
    const level = Number(f[107]);
    stack.length = level;
    const it = { i, caption: f[0], level, parent: level ? stack[level - 1] : -1, enabled: f[12] !== '0', image: !!f[25] };
    stack[level] = i;
    return it;
  });
}

let browser;
let site;
const samples = catalog();
before(async () => {
  browser = await launch();
  site = await new Site().start();
  for (const s of samples) {
    const dir = path.join(site.root, s.base);
    execFileSync(CLI, ['publish', path.join(TEMPLATES, `${s.base}.velm`), '--to', dir, '--menu-name', s.name],
      { stdio: 'pipe' });
    fs.copyFileSync(RUNTIME, path.join(dir, 'jsmenu0.js'));
    s.url = `${site.base}/${s.base}/${s.base}.html`;
    s.items = itemsOf(path.join(TEMPLATES, `${s.base}.velm`));
  }
});
after(async () => {
  await browser?.close();
  await site?.stop();
});

/** Opens a sample page in a large window with motion reduced, so submenus appear at once. */
function openSample(s) {
  return open(browser, s.url, { name: s.name, viewport: { width: 1600, height: 1600 }, reducedMotion: 'reduce' });
}

/** Hovers the chain of items down to item i, leaving i's submenu open. */
async function openChain(pg, s, i) {
  const chain = [];
  for (let k = i; k >= 0; k = s.items[k].parent) chain.unshift(k);
  await pg.mouse.click(2, 1590); // a click beside the menu closes every submenu at once
  for (const k of chain) {
    await hover(pg, item(k, s.name), 1);
    await pg.waitForSelector(sub(k, s.name), { state: 'visible' });
  }
}

/** Items of a panel whose caption (or, with pictures set, whose picture) does not fit the item. */
function clipped(pg, panel, pictures = false) {
  return pg.$$eval(`${panel} > .vm-i`, (list, pictures) => list.filter((a) => {
    const t = a.querySelector('.vm-t');
    return !!t.querySelector('img') === pictures && t.scrollWidth > t.clientWidth + 0.5;
  }).map((a) => a.textContent || a.querySelector('img').alt), pictures);
}

const withKids = (s) => s.items.filter((it) => s.items.some((c) => c.parent === it.i));
const bar = (s) => `#${s.name}div [role=menubar]`;

test('every template works: pictures found, captions whole, submenus inside the gallery frame', async () => {
  for (const s of samples) {
    const problems = [];
    const pg = await browser.newPage({ viewport: { width: 1600, height: 1600 }, reducedMotion: 'reduce' });
    pg.on('response', (r) => { if (r.status() >= 400) problems.push(`${r.status()} ${r.url()}`); });
    pg.on('requestfailed', (r) => problems.push(`failed ${r.url()}`));
    pg.on('pageerror', (e) => problems.push(String(e)));
    pg.on('console', (m) => { if (m.type() === 'warning' || m.type() === 'error') problems.push(m.text()); });
    await pg.goto(s.url);
    await pg.waitForSelector(bar(s));
    const tops = await pg.$$eval(`${bar(s)} > [role=menuitem]`, (l) => l.length);
    assert.equal(tops, s.items.filter((it) => it.level === 0).length, s.base);

    problems.push(...(await clipped(pg, bar(s))).map((c) => `caption cut: ${c}`));
    let right = 0;
    let bottom = await pg.$eval(bar(s), (e) => e.getBoundingClientRect().bottom);
    // Every submenu opened once: its layout checked, the pictures of all looks loaded.
    for (const it of withKids(s)) {
      await openChain(pg, s, it.i);
      const panel = sub(it.i, s.name);
      const r = await pg.$eval(panel, (e) => {
        const b = e.getBoundingClientRect();
        return { right: b.right, bottom: b.bottom, squeezed: e.scrollHeight > e.clientHeight + 0.5 };
      });
      right = Math.max(right, r.right);
      bottom = Math.max(bottom, r.bottom);
      if (r.squeezed) problems.push(`submenu of ${it.caption} scrolls`);
      problems.push(...(await clipped(pg, panel)).map((c) => `caption cut: ${c}`));
    }
    if (right > FRAME_WIDTH) problems.push(`submenus reach x=${Math.ceil(right)}, beyond the frame width ${FRAME_WIDTH}`);
    if (bottom > s.height) problems.push(`submenus reach y=${Math.ceil(bottom)}, beyond the frame height ${s.height}`);
    await pg.waitForLoadState('networkidle');
    const broken = await pg.$$eval('img', (l) => l.filter((img) => img.getAttribute('src') && !img.naturalWidth)
      .map((img) => `picture missing: ${img.src}`));
    assert.deepEqual([...problems, ...broken], [], s.base);
    await pg.close();
  }
});

test('every enabled top-level item changes its look under the pointer', async () => {
  const look = (pg, sel) => pg.$eval(sel, (a) => {
    const c = getComputedStyle(a);
    const img = a.querySelector('img');
    return [c.color, c.backgroundColor, c.backgroundImage, c.borderTopColor, c.borderBottomColor,
      c.borderLeftColor, c.fontWeight, img ? img.src : ''].join(' ');
  });
  for (const s of samples) {
    const pg = await openSample(s);
    for (const it of s.items.filter((x) => x.level === 0 && x.enabled)) {
      await pg.mouse.click(2, 1590);
      await pg.mouse.move(2, 1590);
      const normal = await look(pg, item(it.i, s.name));
      await hover(pg, item(it.i, s.name), 1);
      assert.notEqual(await look(pg, item(it.i, s.name)), normal, `${s.base}: ${it.caption}`);
    }
    await pg.close0();
  }
});

test('pictures of image items with a submenu are shown whole', async () => {
  for (const s of samples.filter((x) => x.items.some((it) => it.image))) {
    const pg = await openSample(s);
    assert.deepEqual(await clipped(pg, bar(s), true), [], s.base);
    await pg.close0();
  }
});
