'use strict';
// Sliding and the transition effects: each runs, and each ends with the submenu
// exactly as it looks without effects; reduced motion turns them off.
const { test, before, after } = require('node:test');
const assert = require('node:assert/strict');
const { Site, launch, open, item, sub, hover } = require('./lib/harness');

let browser;
let site;
let reference;
before(async () => {
  browser = await launch();
  site = await new Site().start();
});
after(async () => {
  await shared?.close0();
  await browser?.close();
  await site?.stop();
});

const ITEMS = [
  { ICaption: 'Effects', kids: [
    { ICaption: 'First entry', IBackgroundColorNormal: 'FFE0A0' },
    { ICaption: 'Second entry', IBackgroundColorNormal: 'A0E0FF' },
    { ICaption: 'Third entry', IBackgroundColorNormal: 'C0FFC0' },
  ] },
  { ICaption: 'Elsewhere' },
];

// What each filter code leaves in the submenu's style while it runs.
const TRACE = {
  1: /opacity/, 2: /polygon\(\d/, 3: /polygon\(evenodd/, 4: /polygon\(\d/, 5: /polygon\(evenodd/,
  6: /polygon\(\d/, 7: /polygon\(evenodd/, 8: /polygon\(\d/, 9: /polygon\(evenodd/, 10: /polygon\(\d/,
  11: /polygon\(evenodd/, 12: /polygon\(\d/, 13: /polygon\(evenodd/, 14: /filter: url\("#vm-px"\)/,
  15: /filter: url\("#vm-dz"\)/, 16: /conic-gradient/, 17: /conic-gradient/, 18: /linear-gradient\(to right/,
  19: /linear-gradient\(to left/, 20: /linear-gradient\(\w*\s*rgb|linear-gradient\(rgb/, 21: /linear-gradient\(to top/,
};

// Records every style the submenu panels and their frames take while the page runs.
function recordStyles(pg) {
  return pg.evaluate(() => {
    window.styleLog = [];
    new MutationObserver((list) => {
      for (const r of list) {
        const t = r.target;
        if (t.matches('.vm-p, .vm-s')) window.styleLog.push(t.getAttribute('style') || '');
        // The SVG filters change their parameters rather than the style.
        else if (t.closest('filter')) window.styleLog.push(`${t.closest('filter').id} ${r.attributeName}=${t.getAttribute(r.attributeName)}`);
      }
    }).observe(document.body, { subtree: true, attributes: true });
  });
}

async function shot(pg) {
  return (await pg.locator(sub(0)).screenshot()).toString('base64');
}

let shared;
async function run(menu, opts = {}) {
  const url = site.menu({ menu: { pOpenDelay: '0', pCloseDelay: '0', ...menu }, items: ITEMS });
  let pg = shared;
  if (opts.reducedMotion || !pg) pg = await open(browser, url, opts);
  else {
    await pg.goto(url);
    await pg.waitForSelector('#menu5div [role=menubar]', { state: 'attached' });
  }
  if (!opts.reducedMotion) shared = pg;
  await recordStyles(pg);
  await hover(pg, item(0));
  await pg.waitForSelector(sub(0), { state: 'visible' });
  // Finished: no effect left in the style of the panel or its frame.
  await pg.waitForFunction((sel) => {
    const p = document.querySelector(sel);
    return !/opacity|clip-path|mask|filter|transform/.test(`${p.getAttribute('style')} ${p.parentNode.getAttribute('style')}`);
  }, sub(0));
  const shown = await shot(pg);
  const opened = await pg.evaluate(() => window.styleLog.splice(0));
  // opts.point: the picture again with the pointer on the first entry, whose look changes.
  const pointed = opts.point && (await hover(pg, `${sub(0)} > :first-child`), await shot(pg));
  await pg.mouse.move(700, 500);
  await pg.waitForSelector(sub(0), { state: 'hidden' });
  const closed = await pg.evaluate(() => window.styleLog.splice(0));
  assert.deepEqual(pg.errors, []);
  if (pg !== shared) await pg.close0();
  return { shown, opened, closed, pointed };
}

test('without effects a submenu shows at once', async () => {
  const r = await run({ pOpenSlideType: '0', pCloseSlideType: '0' }, { point: true });
  assert.ok(!r.opened.some((s) => /opacity|clip-path|mask|filter|transform/.test(s)), r.opened.join('\n'));
  // The pictures compared below do show the submenu: they follow the entries' looks.
  assert.notEqual(r.pointed, r.shown);
  reference = r.shown;
});

test('every transition filter runs on open and close and ends with the submenu fully shown', async () => {
  assert.ok(reference, 'needs the reference picture');
  for (let code = 1; code <= 21; code++) {
    const r = await run({ pOpenSlideType: '0', pCloseSlideType: '0', pSlidingOpenDuration: '200', pSlidingCloseDuration: '120',
      pOpenTransitionFlag: '1', pOpenTransitionCustomFilter: String(code),
      pCloseTransitionFlag: '1', pCloseTransitionCustomFilter: String(code) });
    // Successive frames differ in the style, or in the SVG filter's parameters: the first
    // and at least one more before the end (a loaded WebKit draws only a few frames).
    assert.ok(r.opened.some((s) => TRACE[code].test(s)), `filter ${code} left no trace:\n${r.opened.join('\n')}`);
    const frames = r.opened.filter((s) => TRACE[code].test(s) || /^vm-/.test(s));
    assert.ok(new Set(frames).size >= 2, `filter ${code}: open ran ${frames.length} frames:\n${r.opened.join('\n')}`);
    assert.ok(r.closed.some((s) => TRACE[code].test(s)), `filter ${code}: close did not run:\n${r.closed.join('\n')}`);
    assert.equal(r.shown, reference, `filter ${code}: the submenu does not end fully shown`);
  }
});

test('the transition flag "0" and the empty filter text give no effect', async () => {
  for (const menu of [{ pOpenTransitionFlag: '0', pOpenTransitionCustomFilter: '3' },
    { pOpenTransitionFlag: '1', pOpenTransitionCustomFilter: '0' }]) {
    const r = await run({ pOpenSlideType: '0', pCloseSlideType: '0', ...menu });
    assert.ok(!r.opened.some((s) => /opacity|clip-path|mask|filter/.test(s)), r.opened.join('\n'));
  }
});

test('sliding open and closed moves the submenu out from its item and back', async () => {
  const r = await run({ pOpenSlideType: '2', pCloseSlideType: '2', pSlidingOpenDuration: '200', pSlidingCloseDuration: '150' });
  const moves = r.opened.filter((s) => /translate\(0px, -[\d.]+px\)/.test(s) && /inset\([\d.]+px 0px 0px/.test(s));
  assert.ok(new Set(moves).size >= 2, r.opened.join('\n'));
  assert.ok(r.closed.some((s) => /translate\(0px, -[\d.]+px\)/.test(s)), r.closed.join('\n'));
  assert.equal(r.shown, reference);
});

test('reduced motion turns sliding and transitions off', async () => {
  const r = await run({ pOpenSlideType: '2', pCloseSlideType: '2', pOpenTransitionFlag: '1',
    pOpenTransitionCustomFilter: '2', pCloseTransitionFlag: '1', pCloseTransitionCustomFilter: '2' }, { reducedMotion: 'reduce' });
  assert.ok(![...r.opened, ...r.closed].some((s) => /opacity|clip-path|mask|filter|transform/.test(s)), r.opened.join('\n'));
  assert.equal(r.shown, reference);
});
