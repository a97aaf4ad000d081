'use strict';
// The menu a generated page makes: loading, structure, ARIA, item looks and states, links.
const { test, before, after } = require('node:test');
const assert = require('node:assert/strict');
const { Site, launch, open, box, item, sub, hover } = require('./lib/harness');

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

const SHOP = {
  menu: { pOpenDelay: '0', pCloseDelay: '0', pOpenSlideType: '0', pCloseSlideType: '0' },
  items: [
    { ICaption: 'Home', ILink: 'home.html', IToolTip: 'Back to the start', IStatusBarMsg: 'Go home' },
    { ICaption: 'Products', ILink: 'products.html', kids: [
      { ICaption: 'Apples', ILink: 'apples.html', ITarget: '_blank' },
      { ICaption: 'Pears', kids: [{ ICaption: 'Green' }, { ICaption: 'Red' }] },
    ] },
    { ICaption: 'Closed', ILink: 'closed.html', DisableItem: '0', IToolTip: 'Not yet' },
    { ICaption: 'Nothing' },
  ],
};

test('the menu is built from the generated page whichever script loads first, and adds only its own globals', async () => {
  for (const runtimeFirst of [false, true]) {
    const swap = (t) => t.replace(/(<script[^\n]*jsmenu01cfg[^\n]*\n)(<script[^\n]*jsmenu0\.js[^\n]*\n)/, '$2$1');
    const url = site.menu(SHOP, 'menu5', runtimeFirst ? { files: { page: swap } } : {});
    const html = require('node:fs').readFileSync(`${site.root}/${site.last}/project.html`, 'latin1');
    assert.equal(html.indexOf('jsmenu0.js') < html.indexOf('jsmenu01cfg.js'), runtimeFirst);
    const pg = await open(browser, url, { wait: false, init: () => {
      window.seen = {};
      document.addEventListener('DOMContentLoaded', () => { window.seen.ready = performance.now(); });
      new MutationObserver(() => {
        if (!window.seen.bar && document.querySelector('[role=menubar]')) window.seen.bar = performance.now();
      }).observe(document, { childList: true, subtree: true });
    } });
    await pg.waitForSelector('#menu5div [role=menubar]');
    // Built as soon as the page is parsed, not at the configuration script's next 350 ms retry.
    const seen = await pg.evaluate(() => window.seen);
    assert.ok(seen.bar - seen.ready < 150, JSON.stringify(seen));
    const top = await pg.$$eval('#menu5div [role=menubar] > [role=menuitem]', (l) => l.map((e) => e.textContent));
    assert.deepEqual(top, ['Home', 'Products', 'Closed', 'Nothing']);
    await pg.waitForTimeout(400); // the configuration script's own retry calls the builder again
    assert.equal(await pg.$$eval('#menu5div [role=menubar]', (l) => l.length), 1);
    assert.deepEqual([pg.errors, pg.warnings], [[], []]);
    await pg.close0();
  }
  // The designer's preview opens the page from a file.
  const local = await open(browser, `file://${site.root}/${site.last}/project.html`);
  await hover(local, item(1));
  await local.waitForSelector(sub(1), { state: 'visible' });
  assert.deepEqual([local.errors, local.warnings], [[], []]);
  await local.close0();
  // The runtime on its own adds bbae, bMac and its namespace to a blank page.
  const url = site.file('bare/index.html', '<html><body><script src="../m1/jsmenu0.js"></script></body></html>');
  const pg = await open(browser, url, { wait: false });
  const added = await pg.evaluate(() => {
    const f = document.createElement('iframe');
    document.body.appendChild(f);
    const plain = new Set(Object.keys(f.contentWindow));
    return Object.keys(window).filter((k) => !plain.has(k) && k !== '0').sort();
  });
  assert.deepEqual(added, ['Velmora', 'bMac', 'bbae']);
  await pg.close0();
});

test('roles and states follow the menubar pattern', async () => {
  const pg = await open(browser, site.menu(SHOP));
  const attrs = (sel) => pg.$eval(sel, (e) => Object.fromEntries(['role', 'aria-haspopup', 'aria-expanded',
    'aria-disabled', 'aria-orientation', 'tabindex'].map((k) => [k, e.getAttribute(k)])));
  assert.equal((await attrs('#menu5div [role=menubar]'))['aria-orientation'], 'horizontal');
  assert.deepEqual(await attrs(item(0)), { role: 'menuitem', 'aria-haspopup': null, 'aria-expanded': null,
    'aria-disabled': null, 'aria-orientation': null, tabindex: '0' });
  assert.equal((await attrs(item(1))).tabindex, '-1');
  assert.equal((await attrs(item(1)))['aria-haspopup'], 'menu');
  assert.equal((await attrs(item(1)))['aria-expanded'], 'false');
  assert.equal((await attrs(item(6)))['aria-disabled'], 'true');

  await hover(pg, item(1));
  await pg.waitForSelector(sub(1), { state: 'visible' });
  assert.equal((await attrs(item(1)))['aria-expanded'], 'true');
  const menu = await attrs(sub(1));
  assert.equal(menu.role, 'menu');
  assert.equal(menu['aria-orientation'], 'vertical');
  assert.equal(await pg.$eval(sub(1), (e) => e.getAttribute('aria-labelledby')), 'menu5-1');
  assert.deepEqual(await pg.$$eval(`${sub(1)} > [role=menuitem]`, (l) => l.map((e) => e.textContent)), ['Apples', 'Pears']);

  await pg.mouse.move(900, 600);
  await pg.waitForSelector(sub(1), { state: 'hidden' });
  assert.equal((await attrs(item(1)))['aria-expanded'], 'false');
  await pg.close0();
});

test('items take their size, padding, alignment, wrapping, tooltip and status message', async () => {
  const pg = await open(browser, site.menu({
    menu: { pMainMenuDirection: '0', pMainMenuItemGap: '3' },
    items: [
      { ICaption: 'Left', IWidth: '120', IHeight: '30', IPaddingLeft: '7', IPaddingRight: '5', IPaddingTop: '2', IPaddingBottom: '3', IToolTip: 'Tip text', IStatusBarMsg: 'Status text' },
      { ICaption: 'Mid', ITextAlign: '1', IWidth: '120' },
      { ICaption: 'Right', ITextAlign: '2', IWidth: '120' },
      { ICaption: 'A long caption that wraps over several lines', ITextWrap: '1', IWidth: '90' },
      { ICaption: 'A long caption that does not wrap at all', IWidth: '90' },
      { ICaption: 'Negative', IPaddingLeft: '-3', IPaddingRight: '6' },
    ],
  }));
  const b0 = await box(pg, item(0));
  assert.deepEqual([b0.w, b0.h], [120, 30]);
  const css = await pg.$eval(item(0), (e) => { const s = getComputedStyle(e); return [s.paddingLeft, s.paddingRight, s.paddingTop, s.paddingBottom]; });
  assert.deepEqual(css, ['7px', '5px', '2px', '3px']);
  // A negative padding counts as none and leaves the others in place.
  assert.deepEqual(await pg.$eval(item(5), (e) => [getComputedStyle(e).paddingLeft, getComputedStyle(e).paddingRight]), ['0px', '6px']);
  // Vertical bar with a gap of 3 between items.
  const b1 = await box(pg, item(1));
  assert.equal(b1.x, b0.x);
  assert.equal(b1.y, b0.b + 3);
  // Alignment: the caption text starts further right for centre and right.
  const textLeft = (i) => pg.$eval(`${item(i)} .vm-t`, (t) => { const r = document.createRange(); r.selectNodeContents(t); return r.getBoundingClientRect().left; });
  const [l, c, r] = [await textLeft(0), await textLeft(1), await textLeft(2)];
  assert.ok(l < c && c < r, `${l} < ${c} < ${r}`);
  // Wrapping grows the item; no wrapping keeps the given height.
  assert.ok((await box(pg, item(3))).h > 30);
  assert.equal((await box(pg, item(4))).h, 20);
  assert.equal(await pg.$eval(item(0), (e) => e.title), 'Tip text');
  await hover(pg, item(0));
  assert.equal(await pg.evaluate(() => window.status), 'Status text');
  await hover(pg, item(1));
  assert.equal(await pg.evaluate(() => window.status), '');
  await pg.close0();
});

// Over and clicked looks differ from the defaults in colour, icons and image.
const STATES = {
  menu: { pOpenDelay: '0', pOpenSlideType: '0', pCloseSlideType: '0' },
  items: [
    { ICaption: 'Icons', ILeftIconUrl: 'gray.svg', IOverLeftIconUrl: 'green.svg', IClickedLeftIconUrl: 'red.svg',
      ILeftIconWidth: '12', ILeftIconHeight: '10', IRightIconUrl: 'gray.svg', IOverRightIconUrl: 'blue.svg',
      IBackgroundColorOver: 'FFFF00', IBackgroundColorClicked: '00FFFF', kids: [{ ICaption: 'Child' }] },
    { ICaption: 'Picture', IImageUrl: 'gray.svg', IOverImageUrl: 'green.svg', IClickedImageUrl: 'red.svg',
      IImageWidth: '40', IImageHeight: '18' },
    { ICaption: 'Off', DisableItem: '0', ILeftIconUrl: 'gray.svg', IOverLeftIconUrl: 'green.svg' },
    { ICaption: 'Plain' },
  ],
};

test('normal, over and clicked states switch class, icons and images', async () => {
  const pg = await open(browser, site.menu(STATES));
  const look = (i) => pg.$eval(item(i), (e) => ({
    cls: e.className.split(' ').filter((c) => /^menu5item/.test(c)).join(),
    bg: getComputedStyle(e).backgroundColor,
    imgs: [...e.querySelectorAll('img')].map((m) => `${m.src.replace(/.*\//, '')}:${m.width}x${m.height}`),
  }));
  const n = await look(0);
  assert.match(n.cls, /^menu5itemn\d+$/);
  assert.deepEqual(n.imgs, ['gray.svg:12x10', 'gray.svg:16x16']);
  assert.equal(n.bg, 'rgb(255, 255, 255)');

  await hover(pg, item(0));
  const o = await look(0);
  assert.match(o.cls, /^menu5itemo\d+$/);
  assert.deepEqual(o.imgs, ['green.svg:12x10', 'blue.svg:16x16']);
  assert.equal(o.bg, 'rgb(255, 255, 0)');
  // The item stays "over" while the pointer is in its open submenu.
  await hover(pg, `${sub(0)} [role=menuitem]`);
  assert.match((await look(0)).cls, /^menu5itemo/);

  // The item image stands in for the caption, with the caption as its text.
  assert.equal(await pg.$eval(`${item(2)} .vm-t`, (t) => t.textContent), '');
  assert.equal(await pg.$eval(`${item(2)} img`, (m) => m.alt), 'Picture');
  const pic = await box(pg, `${item(2)} img`);
  assert.deepEqual([pic.w, pic.h], [40, 18]);
  await hover(pg, item(2));
  assert.deepEqual((await look(2)).imgs, ['green.svg:40x18']);
  await pg.mouse.down();
  const pressed = await look(2);
  assert.match(pressed.cls, /^menu5itemc\d+$/);
  assert.deepEqual(pressed.imgs, ['red.svg:40x18']);
  await pg.mouse.up();
  // The item last activated keeps the clicked look; the others go back to normal.
  await hover(pg, item(4));
  assert.match((await look(2)).cls, /^menu5itemc/);
  assert.match((await look(0)).cls, /^menu5itemn/);
  await pg.mouse.down();
  await pg.mouse.up();
  assert.match((await look(4)).cls, /^menu5itemc/);
  assert.match((await look(2)).cls, /^menu5itemn/);

  // A disabled item never changes its look.
  await hover(pg, item(3));
  await pg.mouse.down();
  const off = await look(3);
  assert.match(off.cls, /^menu5itemn/);
  assert.deepEqual(off.imgs, ['gray.svg:16x16']);
  await pg.mouse.up();
  assert.deepEqual(pg.errors, []);
  await pg.close0();
});

test('links open in their target; empty links and disabled items stay put', async () => {
  const pg = await open(browser, site.menu(SHOP));
  const start = pg.url();
  // Disabled: no link at all, and clicking does nothing.
  assert.equal(await pg.$eval(item(6), (e) => e.hasAttribute('href')), false);
  await pg.click(item(6), { force: true });
  await pg.click(item(7));
  await pg.waitForTimeout(100);
  assert.equal(pg.url(), start);
  // A link with target _blank opens a new window.
  await hover(pg, item(1));
  const [popup] = await Promise.all([pg.waitForEvent('popup'), pg.click(item(2))]);
  assert.match(popup.url(), /\/apples\.html$/);
  // Submenus close after an item is activated.
  await pg.waitForSelector(sub(1), { state: 'hidden' });
  // _self follows the link in the page itself.
  await Promise.all([pg.waitForURL(/\/home\.html$/), pg.click(item(0))]);
  await pg.close0();
});

test('IE-only stylesheet words still give their look, on the classic and the modern page', async () => {
  const outline = {
    items: [
      { ICaption: 'Inset', IBorderTopStyleNormal: '8', IBorderLeftStyleNormal: '8', IBorderTopWidthNormal: '3',
        IBorderTopColorNormal: '123456', ICursorNormal: '3' },
      { ICaption: 'Url', ICursorNormal: '23' },
      { ICaption: 'Help', ICursorNormal: '4' },
    ],
  };
  for (const page of ['classic', 'html5']) {
    const pg = await open(browser, site.menu(outline, 'menu5', { page }));
    const cursor = (i) => pg.$eval(item(i), (e) => getComputedStyle(e).cursor);
    assert.equal(await cursor(0), 'pointer');
    assert.equal(await cursor(1), 'pointer');
    assert.equal(await cursor(2), 'help');
    await pg.waitForFunction((sel) => getComputedStyle(document.querySelector(sel)).borderTopStyle === 'inset', item(0));
    const border = await pg.$eval(item(0), (e) => {
      const s = getComputedStyle(e);
      return [s.borderTopStyle, s.borderTopWidth, s.borderTopColor, s.borderLeftStyle, s.borderRightStyle];
    });
    assert.deepEqual(border, ['inset', '3px', 'rgb(18, 52, 86)', 'inset', 'solid'], page);
    // The modern stylesheet says "inset" itself: its page's sheets are not fetched again.
    const sheets = await pg.evaluate(() => new Promise((done) => setTimeout(() => done(
      performance.getEntriesByType('resource').map((e) => e.name).filter((n) => /\.css$/.test(n))), 300)));
    if (page === 'html5') assert.deepEqual(sheets, [...new Set(sheets)], sheets.join(' '));
    await pg.close0();
  }
});
