'use strict';
// Pointer behaviour: delays, placement, staying in the viewport, diagonal moves, touch,
// and two menus on one page.
const { test, before, after } = require('node:test');
const assert = require('node:assert/strict');
const { Site, launch, open, box, item, sub, visible, hover, lacks } = require('./lib/harness');

let browser;
let site;
before(async () => {
  browser = await launch();
  site = await new Site().start();
});
after(async () => {
  await browser?.close();
  await site?.stop();
});

const still = { pOpenSlideType: '0', pCloseSlideType: '0' };
const kids = (n, prefix = 'Item', extra = {}) => Array.from({ length: n }, (_, i) => ({ ICaption: `${prefix} ${i + 1}`, ...extra }));

test('submenus open after the open delay and close after the close delay', async () => {
  // The page runs on a fake clock, so the delays are exact whatever the machine's load.
  const pg = await open(browser, site.menu({
    menu: { ...still, pOpenDelay: '300', pCloseDelay: '400' },
    items: [{ ICaption: 'Open me', kids: kids(3) }, { ICaption: 'Other' }],
  }), { clock: true });
  const shown = () => visible(pg, sub(0));
  await hover(pg, item(0));
  await pg.clock.runFor(290);
  assert.equal(await shown(), false, 'open before the open delay');
  await pg.clock.runFor(20);
  assert.equal(await shown(), true, 'not open after the open delay');

  // Leaving for less than the close delay keeps it open.
  await pg.mouse.move(700, 500);
  await pg.clock.runFor(350);
  await hover(pg, `${sub(0)} [role=menuitem]`);
  await pg.clock.runFor(1000);
  assert.equal(await shown(), true, 'closed though the pointer came back in time');

  await pg.mouse.move(700, 500);
  await pg.clock.runFor(390);
  assert.equal(await shown(), true, 'closed before the close delay');
  await pg.clock.runFor(20);
  assert.equal(await shown(), false, 'not closed after the close delay');
  assert.deepEqual(pg.errors, []);
  await pg.close0();
});

test('direction, gaps and offsets place the bar and the submenus', async () => {
  const pg = await open(browser, site.menu({
    menu: { ...still, pOpenDelay: '0', pMainMenuItemGap: '5' },
    items: [
      { ICaption: 'Down', ISubmenuOffsetX: '7', ISubmenuOffsetY: '9', ISubmenuItemGap: '4', kids: [
        { ICaption: 'Side', ISubmenuOffsetX: '-3', ISubmenuOffsetY: '6', ISubmenuDirection: '1', ISubmenuItemGap: '2',
          kids: [{ ICaption: 'Row A', IWidth: '60', kids: [{ ICaption: 'Below' }] }, { ICaption: 'Row B', IWidth: '60' }] },
        { ICaption: 'Two' },
      ] },
      { ICaption: 'Next' },
    ],
  }));
  const b0 = await box(pg, item(0));
  const bNext = await box(pg, item(6));
  assert.equal(bNext.x, b0.r + 5, 'horizontal bar gap');
  assert.equal(bNext.y, b0.y);

  await hover(pg, item(0));
  const s0 = await box(pg, sub(0));
  assert.deepEqual([s0.x, s0.y], [b0.x + 7, b0.b + 9], 'drop-down below its item with its offsets');
  const side = await box(pg, item(1));
  const two = await box(pg, item(5));
  assert.equal(two.y, side.b + 4, 'vertical submenu gap');
  assert.equal(two.x, side.x);

  await hover(pg, item(1));
  const s1 = await box(pg, sub(1));
  assert.deepEqual([s1.x, s1.y], [side.r - 3, side.y + 6], 'beside its item with its offsets');
  const rowA = await box(pg, item(2));
  const rowB = await box(pg, item(4));
  assert.equal(rowB.x, rowA.r + 2, 'horizontal submenu gap');
  assert.equal(rowB.y, rowA.y);
  // An item of a horizontal submenu drops its own submenu below itself.
  await hover(pg, item(2));
  const s2 = await box(pg, sub(2));
  assert.deepEqual([s2.x, s2.y], [rowA.x, rowA.b]);
  await pg.close0();

  // A vertical bar opens its submenus to the right.
  const pv = await open(browser, site.menu({
    menu: { ...still, pOpenDelay: '0', pMainMenuDirection: '0', pMainMenuItemGap: '0' },
    items: [{ ICaption: 'A' }, { ICaption: 'B', kids: kids(2) }],
  }));
  const bA = await box(pv, item(0));
  const bB = await box(pv, item(1));
  assert.deepEqual([bB.x, bB.y], [bA.x, bA.b]);
  await hover(pv, item(1));
  const sB = await box(pv, sub(1));
  assert.deepEqual([sB.x, sB.y], [bB.r, bB.y]);
  await pv.close0();
});

test('submenus stay inside the viewport: they flip, shift, and scroll when too tall', async () => {
  const pg = await open(browser, site.menu({
    menu: { ...still, pOpenDelay: '0' },
    items: [
      { ICaption: 'Wide', IWidth: '700' },
      { ICaption: 'Edge', IWidth: '250', kids: [
        { ICaption: 'Deeper', IWidth: '200', kids: kids(2, 'Leaf', { IWidth: '200' }) },
        ...kids(14, 'Filler', { IWidth: '200' }),
        { ICaption: 'Low', IWidth: '200', kids: kids(6, 'Low kid') },
      ] },
      { ICaption: 'Long', IWidth: '40', kids: kids(40, 'Row') },
    ],
  }), { viewport: { width: 1000, height: 400 } });
  const vw = 1000;
  const vh = 400;
  // The drop-down of an item near the right edge is right-aligned with it.
  await hover(pg, item(1));
  const edge = await box(pg, item(1));
  const s1 = await box(pg, sub(1));
  assert.ok(s1.r <= vw, `drop-down right edge ${s1.r}`);
  // Its side submenu has no room on the right: it opens on the left.
  await hover(pg, item(2));
  const deeper = await box(pg, item(2));
  const s2 = await box(pg, sub(2));
  assert.ok(edge.r + 200 > vw);
  assert.equal(s2.r, deeper.x, 'flipped to the left of its item');
  assert.ok(s2.x >= 0);
  // A submenu of a low item moves up to stay above the bottom edge.
  await hover(pg, item(19));
  const s19 = await box(pg, sub(19));
  assert.ok(s19.b <= vh && s19.y >= 0, `low submenu ${s19.y}..${s19.b}`);
  // A submenu taller than the viewport fits into it and scrolls.
  await hover(pg, item(26));
  const s26 = await box(pg, sub(26));
  assert.ok(s26.y >= 0 && s26.b <= vh, `tall submenu ${s26.y}..${s26.b}`);
  const scroll = await pg.$eval(sub(26), (e) => [e.scrollHeight > e.clientHeight, getComputedStyle(e).overflowY]);
  assert.deepEqual(scroll, [true, 'auto']);
  await pg.close0();
});

test('a bar wider than the window becomes one button; its list opens in view and submenus unfold in place', async () => {
  // Top item 8 (item index 24) is taller than the others; with 120 items the list lays out
  // only the items in view.
  const tall = { ICaption: 'A top item whose caption wraps onto several lines', ITextWrap: '1', IWidth: '90', kids: kids(2) };
  for (const n of [10, 120]) {
    const pg = await open(browser, site.menu({
      menu: { ...still, pOpenDelay: '0', pCloseDelay: '0' },
      items: Array.from({ length: n }, (_, i) => (i === 8 ? tall : { ICaption: `Top ${i}`, kids: kids(2) })),
    }));
    assert.equal(await visible(pg, '#menu5div .vm-tg'), true, `bar of ${n}: no menu button`);
    assert.equal(await visible(pg, item(0)), false);
    assert.equal(await pg.$('[role=menubar]'), null);
    await pg.click('#menu5div .vm-tg');
    await pg.click(item(24));
    const it = await box(pg, item(24));
    const s = await box(pg, sub(24));
    assert.ok(it.h > 40, `bar of ${n}: the tall item is ${it.h} high`);
    assert.equal(s.y, it.b, `bar of ${n}: the submenu does not follow its item`);
    assert.ok(it.x >= 0 && it.r <= 1000 && s.r <= 1000, `bar of ${n}: item ${it.x}..${it.r}, submenu ..${s.r}`);
    const [scroll, client] = await pg.evaluate(() => [document.documentElement.scrollWidth, document.documentElement.clientWidth]);
    assert.equal(scroll, client, `bar of ${n}: the page scrolls sideways`);
    assert.deepEqual(pg.errors, []);
    await pg.close0();
  }
});

test('moving diagonally towards an open submenu across another item keeps it open', async () => {
  const pg = await open(browser, site.menu({
    menu: { ...still, pOpenDelay: '0', pCloseDelay: '0', pMainMenuDirection: '0', pMainMenuItemGap: '0' },
    items: [
      { ICaption: 'First', kids: kids(8, 'First kid') },
      { ICaption: 'Second', kids: kids(3, 'Second kid') },
      { ICaption: 'Third' },
    ],
  }), { clock: true }); // no timer runs unless the test lets the clock run
  await hover(pg, item(0));
  const a = await box(pg, item(0));
  const target = await box(pg, `${sub(0)} > :nth-child(5)`);
  // From the middle of "First" down and right, through "Second", into the submenu.
  await pg.mouse.move(a.x + a.w / 2, a.y + a.h / 2);
  await pg.mouse.move(target.x + 20, target.y + target.h / 2, { steps: 12 });
  assert.equal(await visible(pg, sub(0)), true);
  assert.equal(await visible(pg, sub(9)), false, 'the crossed item opened its submenu');
  assert.match(await pg.$eval(item(0), (e) => e.className), /menu5itemo/);

  // Resting on the other item does open its submenu.
  await hover(pg, item(9), 1);
  await pg.clock.runFor(400);
  await pg.waitForSelector(sub(9), { state: 'visible' });
  await pg.waitForSelector(sub(0), { state: 'hidden' });
  // Moving straight across it, away from the submenu, switches at once.
  await pg.mouse.move(a.x + 5, a.y + a.h / 2, { steps: 2 });
  assert.equal(await visible(pg, sub(0)), true);
  await pg.close0();
});

test('touch: the first tap opens a submenu, the second follows the link, a tap outside closes', { skip: lacks('touch') }, async () => {
  const pg = await open(browser, site.menu({
    menu: { pOpenDelay: '0', pCloseDelay: '0' },
    items: [{ ICaption: 'Parent', ILink: 'parent.html', kids: kids(3) }, { ICaption: 'Leaf' }],
  }), { touch: true });
  const start = pg.url();
  await pg.tap(item(0));
  await pg.waitForSelector(sub(0), { state: 'visible' });
  assert.equal(pg.url(), start);
  await pg.tap('body', { position: { x: 600, y: 500 } });
  await pg.waitForSelector(sub(0), { state: 'hidden' });
  await pg.tap(item(0));
  await pg.waitForSelector(sub(0), { state: 'visible' });
  await Promise.all([pg.waitForURL(/parent\.html$/), pg.tap(item(0))]);
  await pg.close0();
});

test('two menus on one page work independently', async () => {
  // Two published menus, loaded by one page in the generated way.
  site.menu({ menu: { ...still, pOpenDelay: '0', pCloseDelay: '0' },
    items: [{ ICaption: 'A one', kids: kids(2, 'A kid') }, { ICaption: 'A two' }] }, 'menu11');
  const a = site.last;
  site.menu({ menu: { ...still, pOpenDelay: '0', pCloseDelay: '0', pMainMenuDirection: '0' },
    items: [{ ICaption: 'B one', kids: kids(2, 'B kid') }, { ICaption: 'B two', kids: kids(2, 'B2 kid') }] }, 'menu22');
  const b = site.last;
  const url = site.file('two/index.html', ['<html><body>',
    `<link href="../${a}/jsmenu01.css" type=text/css rel=stylesheet><link href="../${b}/jsmenu01.css" type=text/css rel=stylesheet>`,
    `<script language="javascript" src="../${a}/jsmenu01cfg.js"></script><script language="javascript" src="../${b}/jsmenu01cfg.js"></script>`,
    `<script language="javascript" src="../${a}/jsmenu0.js"></script>`,
    '<div id=menu11div></div><div style="height:80px"></div><div id=menu22div></div></body></html>'].join('\r\n'));
  const pg = await open(browser, url, { name: 'menu22' });
  await pg.waitForSelector('#menu11div [role=menubar]');
  assert.equal(await pg.$eval('#menu11div [role=menubar]', (e) => e.getAttribute('aria-orientation')), 'horizontal');
  assert.equal(await pg.$eval('#menu22div [role=menubar]', (e) => e.getAttribute('aria-orientation')), 'vertical');
  await hover(pg, item(0, 'menu11'));
  await pg.waitForSelector(sub(0, 'menu11'), { state: 'visible' });
  assert.equal(await pg.$(sub(0, 'menu22')), null);
  await hover(pg, item(3, 'menu22'));
  await pg.waitForSelector(sub(3, 'menu22'), { state: 'visible' });
  await pg.waitForSelector(sub(0, 'menu11'), { state: 'hidden' });
  // Keyboard in one leaves the other alone.
  await pg.focus(item(0, 'menu11'));
  await pg.keyboard.press('ArrowRight');
  assert.equal(await pg.evaluate(() => document.activeElement.id), 'menu11-3');
  assert.equal(await pg.$eval(item(0, 'menu22'), (e) => e.tabIndex), 0);
  assert.deepEqual([pg.errors, pg.warnings], [[], []]);
  await pg.close0();
});
