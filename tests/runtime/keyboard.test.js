'use strict';
// Keyboard use of the menubar: arrows, Home/End, Enter/Space, Escape, Tab, type-ahead, focus.
const { test, before, after } = require('node:test');
const assert = require('node:assert/strict');
const { Site, launch, open, item, sub, visible, hover } = require('./lib/harness');

let browser;
let site;
// A focusable element after the menu on the page
const AFTER = { files: { page: (t) => t.replace('</body>', '<button id=after>after</button></body>') } };
before(async () => {
  browser = await launch();
  site = await new Site().start();
});
after(async () => {
  await browser?.close();
  await site?.stop();
});

// 0 File [1 New, 2 Open [3 Recent one, 4 Recent two], 5 Save (disabled)], 6 Edit [7 Undo, 8 Redo],
// 9 Help (link), 10 Tools (link and submenu) [11 Options]
const APP = {
  menu: { pOpenDelay: '500', pCloseDelay: '500', pOpenSlideType: '0', pCloseSlideType: '0' },
  items: [
    { ICaption: 'File', kids: [
      { ICaption: 'New' },
      { ICaption: 'Open', kids: [{ ICaption: 'Recent one' }, { ICaption: 'Recent two' }] },
      { ICaption: 'Save', DisableItem: '0' },
    ] },
    { ICaption: 'Edit', kids: [{ ICaption: 'Undo' }, { ICaption: 'Redo' }] },
    { ICaption: 'Help', ILink: 'help.html' },
    { ICaption: 'Tools', ILink: 'tools.html', kids: [{ ICaption: 'Options' }] },
  ],
};

async function steps(pg, list) {
  for (const [key, expect, open] of list) {
    await pg.keyboard.press(key);
    const got = await pg.evaluate(() => [document.activeElement.id,
      [...document.querySelectorAll('[role=menu]')].filter((m) => m.offsetParent).map((m) => m.id).sort().join()]);
    assert.deepEqual(got, [expect, open], `after ${key}`);
  }
}

test('arrow keys, Home/End, Escape and type-ahead walk the menubar and its submenus', async () => {
  const pg = await open(browser, site.menu(APP, 'menu5', AFTER));
  await pg.focus(item(0));
  await steps(pg, [
    ['ArrowRight', 'menu5-6', ''],
    ['ArrowLeft', 'menu5-0', ''],
    ['ArrowLeft', 'menu5-10', ''],
    ['Home', 'menu5-0', ''],
    ['End', 'menu5-10', ''],
    ['Home', 'menu5-0', ''],
    ['ArrowDown', 'menu5-1', 'menu5-m0'],
    ['ArrowDown', 'menu5-2', 'menu5-m0'],
    ['ArrowRight', 'menu5-3', 'menu5-m0,menu5-m2'],
    ['ArrowDown', 'menu5-4', 'menu5-m0,menu5-m2'],
    // Right on an item without a submenu two levels down: on to the next bar item, opened;
    // Left only leaves the first level that way.
    ['ArrowRight', 'menu5-7', 'menu5-m6'],
    ['ArrowLeft', 'menu5-1', 'menu5-m0'],
    ['ArrowDown', 'menu5-2', 'menu5-m0'],
    ['ArrowRight', 'menu5-3', 'menu5-m0,menu5-m2'],
    ['ArrowLeft', 'menu5-2', 'menu5-m0'],
    ['ArrowDown', 'menu5-5', 'menu5-m0'], // disabled items can be focused
    ['ArrowDown', 'menu5-1', 'menu5-m0'],
    ['End', 'menu5-5', 'menu5-m0'],
    // Sideways out of a first-level submenu moves along the bar and opens there.
    ['ArrowRight', 'menu5-7', 'menu5-m6'],
    ['ArrowLeft', 'menu5-1', 'menu5-m0'],
    ['o', 'menu5-2', 'menu5-m0'],
    ['Escape', 'menu5-0', ''],
    ['ArrowUp', 'menu5-5', 'menu5-m0'], // Up opens at the last item
    ['Escape', 'menu5-0', ''],
    ['t', 'menu5-10', ''],
    ['Home', 'menu5-0', ''],
    ['h', 'menu5-9', ''],
  ]);
  assert.equal(await pg.$eval(item(0), (e) => e.getAttribute('aria-expanded')), 'false');
  // Roving tab stop: the last item focused in the bar is the one Tab comes back to.
  assert.deepEqual(await pg.$$eval('[role=menubar] > [tabindex="0"]', (l) => l.map((e) => e.id)), ['menu5-9']);
  await pg.keyboard.press('Tab');
  assert.equal(await pg.evaluate(() => document.activeElement.id), 'after');
  await pg.keyboard.press('Shift+Tab');
  assert.equal(await pg.evaluate(() => document.activeElement.id), 'menu5-9');
  // Keyboard focus is visible, and shows the item's over look.
  const look = await pg.$eval(item(9), (e) => [getComputedStyle(e).outlineStyle, /menu5itemo/.test(e.className)]);
  assert.deepEqual(look, ['solid', true]);
  assert.deepEqual(pg.errors, []);
  await pg.close0();
});

test('Tab leaves an open submenu and closes it; Space and Enter open and activate', async () => {
  const pg = await open(browser, site.menu(APP, 'menu5', AFTER));
  await pg.focus(item(0));
  await steps(pg, [['Space', 'menu5-1', 'menu5-m0'], ['ArrowDown', 'menu5-2', 'menu5-m0'], ['Enter', 'menu5-3', 'menu5-m0,menu5-m2']]);
  await pg.keyboard.press('Tab');
  assert.equal(await pg.evaluate(() => document.activeElement.id), 'after');
  assert.equal(await visible(pg, sub(0)), false);
  assert.equal(await visible(pg, sub(2)), false);

  // Enter on a leaf without a link activates it (clicked look) and closes the menus.
  await pg.focus(item(6));
  await steps(pg, [['ArrowDown', 'menu5-7', 'menu5-m6']]);
  await pg.keyboard.press('Enter');
  assert.equal(await visible(pg, sub(6)), false);
  assert.match(await pg.$eval(item(7), (e) => e.className), /menu5itemc/);

  // An item with a link and a submenu: the first Enter opens, the second follows the link.
  const start = pg.url();
  await pg.focus(item(10));
  await pg.keyboard.press('Enter');
  await pg.waitForSelector(sub(10), { state: 'visible' });
  assert.equal(pg.url(), start);
  await Promise.all([pg.waitForURL(/tools\.html$/), pg.keyboard.press('Enter')]);
  await pg.close0();
});

test('a vertical bar uses Up and Down, and Right opens', async () => {
  const pg = await open(browser, site.menu({ ...APP, menu: { ...APP.menu, pMainMenuDirection: '0' } }));
  await pg.focus(item(0));
  await steps(pg, [
    ['ArrowDown', 'menu5-6', ''],
    ['ArrowUp', 'menu5-0', ''],
    ['ArrowRight', 'menu5-1', 'menu5-m0'],
    ['ArrowLeft', 'menu5-0', ''],
    ['ArrowLeft', 'menu5-0', ''],
  ]);
  await pg.close0();
});

test('a submenu that closes under the pointer while it has the focus hands it to its top-level item', async () => {
  const pg = await open(browser, site.menu({ ...APP, menu: { ...APP.menu, pOpenDelay: '0', pCloseDelay: '100' } }));
  await pg.focus(item(6));
  await steps(pg, [['ArrowLeft', 'menu5-0', ''], ['ArrowDown', 'menu5-1', 'menu5-m0'], ['ArrowDown', 'menu5-2', 'menu5-m0'],
    ['ArrowRight', 'menu5-3', 'menu5-m0,menu5-m2']]);
  await hover(pg, item(9));
  await pg.waitForSelector(sub(0), { state: 'hidden' });
  assert.equal(await pg.evaluate(() => document.activeElement.id), 'menu5-0');
  assert.deepEqual(await pg.$$eval('[role=menubar] > [tabindex="0"]', (l) => l.map((e) => e.id)), ['menu5-0']);
  await pg.close0();
});
