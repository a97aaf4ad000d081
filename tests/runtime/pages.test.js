'use strict';
// The menu on other pages than the generated one: a container holding a <nav>, a strict
// Content-Security-Policy, right-to-left pages, long submenus in short windows, resizing.
const { test } = require('node:test');
const assert = require('node:assert/strict');
const fs = require('node:fs');
const { open, box, item, sub, visible, hover, suite } = require('./lib/harness');

const S = suite();

const still = { pOpenDelay: '0', pCloseDelay: '0', pOpenSlideType: '0', pCloseSlideType: '0' };
const kids = (n, prefix = 'Item') => Array.from({ length: n }, (_, i) => ({ ICaption: `${prefix} ${i + 1}` }));
// 0 File [1 New, 2 Open [3 Recent one, 4 Recent two]], 5 Edit [6 Undo], 7 Help
const APP = {
  menu: still,
  items: [
    { ICaption: 'File', kids: [{ ICaption: 'New' }, { ICaption: 'Open', kids: [{ ICaption: 'Recent one' }, { ICaption: 'Recent two' }] }] },
    { ICaption: 'Edit', kids: [{ ICaption: 'Undo' }] },
    { ICaption: 'Help' },
  ],
};

/** A page of our own around the published BEGIN..END code and the given container. */
function page(dir, container, { head = '', dir: direction = '' } = {}) {
  const html = fs.readFileSync(`${S.site.root}/${dir}/project.html`, 'latin1');
  const code = html.slice(html.indexOf('<!-- BEGIN -->'), html.indexOf('<!-- END -->'));
  return `<!doctype html><html lang=en${direction}><head><meta charset=utf-8><title>Page</title>${head}</head>` +
    `<body>${code}${container}<p id=after>After the menu.</p></body></html>`;
}

test('a container holding a <nav>: the menu replaces its list inside the landmark, and names itself', async () => {
  S.site.menu(APP);
  const dir = S.site.last;
  const nav = '<nav aria-label="Site"><ul><li><a href="a.html">File</a></li><li><a href="b.html">Edit</a></li></ul></nav>';
  for (const [label, name] of [[' aria-label="Main menu"', 'Main menu'], ['', 'Site']]) {
    const url = S.site.file(`${dir}/nav${name.length}.html`, page(dir, `<div id=menu5div${label}>${nav}<p>Old text</p></div>`));
    const pg = await open(S.browser, url);
    const got = await pg.evaluate(() => {
      const box = document.getElementById('menu5div');
      const bar = box.querySelector('[role=menubar]');
      return [box.children.length, box.firstElementChild.tagName, bar.parentNode.tagName, bar.getAttribute('aria-label'),
        box.querySelectorAll('ul, p').length];
    });
    assert.deepEqual(got, [1, 'NAV', 'NAV', name, 0]);
    await hover(pg, item(0));
    await pg.waitForSelector(sub(0), { state: 'visible' });
    assert.deepEqual(pg.errors, []);
    await pg.close0();
  }
  // A plain container: the menubar is called "Menu".
  const pg = await open(S.browser, S.site.menu(APP));
  assert.equal(await pg.$eval('[role=menubar]', (e) => e.getAttribute('aria-label')), 'Menu');
  // Submenus belong to their items for assistive technology.
  await hover(pg, item(0));
  await pg.waitForSelector(sub(0), { state: 'visible' });
  assert.equal(await pg.$eval(item(0), (e) => e.getAttribute('aria-owns')), 'menu5-m0');
  await pg.close0();
});

test('under a strict Content-Security-Policy the menu is styled and works', async () => {
  S.site.menu(APP);
  const dir = S.site.last;
  const policy = { 'content-security-policy': "default-src 'self'; script-src 'self' 'unsafe-eval'; style-src 'self'" };
  const url = S.site.file(`${dir}/csp.html`, page(dir, '<div id=menu5div></div>'), policy);
  const pg = await open(S.browser, url);
  const look = await pg.$eval(item(0), (e) => {
    const s = getComputedStyle(e);
    return [s.display, s.width, s.boxSizing];
  });
  assert.deepEqual(look, ['flex', '150px', 'border-box']);
  await hover(pg, item(0));
  await pg.waitForSelector(sub(0), { state: 'visible' });
  assert.equal((await box(pg, sub(0))).y, (await box(pg, item(0))).b);
  assert.deepEqual(pg.errors, []);
  await pg.close0();
});

test('right to left: submenus line up with the right edge and open to the left; arrows and keys mirror', async () => {
  S.site.menu(APP);
  const dir = S.site.last;
  const url = S.site.file(`${dir}/rtl.html`, page(dir, '<div id=menu5div></div>', { dir: ' dir=rtl' }));
  const pg = await open(S.browser, url);
  const b0 = await box(pg, item(0));
  const b5 = await box(pg, item(5));
  assert.ok(b5.r < b0.x, 'the bar does not run from right to left');
  await hover(pg, item(0));
  await pg.waitForSelector(sub(0), { state: 'visible' });
  const s0 = await box(pg, sub(0));
  assert.equal(s0.r, b0.r, 'the drop-down is not right-aligned with its item');
  await hover(pg, item(2));
  await pg.waitForSelector(sub(2), { state: 'visible' });
  const b2 = await box(pg, item(2));
  assert.equal((await box(pg, sub(2))).r, b2.x, 'the side submenu does not open to the left');
  // The arrow of a column item points left: its right border is drawn.
  const arrow = await pg.$eval(item(2), (e) => [getComputedStyle(e, '::after').borderLeftWidth, getComputedStyle(e, '::after').borderRightWidth]);
  assert.deepEqual(arrow, ['0px', '4px']);
  // Left goes into a column submenu, Right back out; along the bar Left is next.
  await pg.mouse.move(5, 600);
  await pg.focus(item(0));
  await pg.keyboard.press('ArrowLeft');
  assert.equal(await pg.evaluate(() => document.activeElement.id), 'menu5-5');
  await pg.keyboard.press('ArrowRight');
  await pg.keyboard.press('ArrowDown');
  await pg.keyboard.press('ArrowDown');
  await pg.keyboard.press('ArrowLeft');
  assert.equal(await pg.evaluate(() => document.activeElement.id), 'menu5-3');
  await pg.keyboard.press('ArrowRight');
  assert.equal(await pg.evaluate(() => document.activeElement.id), 'menu5-2');
  await pg.close0();
});

test('a submenu longer than the window scrolls below its item, never over the bar; resizing places it again', async () => {
  const pg = await open(S.browser, S.site.menu({
    menu: still,
    items: [
      { ICaption: 'Long', kids: kids(60, 'Row') },
      { ICaption: 'Deep', kids: [...kids(8, 'Filler'), { ICaption: 'Side', kids: kids(60, 'Far') }] },
      { ICaption: 'Last' },
    ],
  }), { viewport: { width: 1000, height: 400 } });
  const bar = await box(pg, '[role=menubar]');
  await hover(pg, item(0));
  await pg.waitForSelector(sub(0), { state: 'visible' });
  const s0 = await box(pg, sub(0));
  assert.deepEqual([s0.y, s0.b], [bar.b, 400], 'the long drop-down does not fill the room below the bar');
  assert.equal(await pg.$eval(sub(0), (e) => e.scrollHeight > e.clientHeight), true);
  // A long side submenu beside a low item: up as far as the bar's bottom edge, no further.
  await hover(pg, item(61));
  await hover(pg, item(70));
  await pg.waitForSelector(sub(70), { state: 'visible' });
  const side = await box(pg, sub(70));
  assert.ok(side.y >= bar.b && side.b <= 400, `side submenu ${side.y}..${side.b} over the bar or the edge`);
  assert.equal(side.x, (await box(pg, item(70))).r);
  // A smaller window: the open submenus are placed again inside it.
  await pg.setViewportSize({ width: 700, height: 300 });
  await pg.waitForFunction(() => document.scrollingElement.clientHeight === 300);
  await pg.waitForFunction((sel) => document.querySelector(sel).getBoundingClientRect().bottom <= 300, sub(70));
  const again = await box(pg, sub(70));
  assert.ok(again.y >= bar.b && again.r <= 700, `after resizing: ${again.x}..${again.r}, ${again.y}..${again.b}`);
  assert.equal(await visible(pg, sub(61)), true);
  await pg.close0();
});
