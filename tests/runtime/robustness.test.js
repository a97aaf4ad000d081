'use strict';
// Configuration scripts edited by hand or cut short: the page never sees an exception,
// the console gets one warning, and the good items still make a menu.
const { test, before, after } = require('node:test');
const assert = require('node:assert/strict');
const { Site, launch, open, box, item } = require('./lib/harness');

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

const FULL = (caption, parent) => `['${caption}',0,0,4,10,0,0,'','_self','','',${parent},1,150,20,,,'c','c','c','','','',16,16,'','','',16,16,'','','',16,16,0,0,0,0,1]`;

// A configuration script in the generated layout around the given item lines.
function config(lines, N = 'menu5') {
  return [...lines.map((l) => `CI${N}(${l});`), `function CI${N}(ipa){`,
    `if(!(window.${N}cfg)){eval('window.${N}cfg=new Array();');};`, `${N}cfg[${N}cfg.length]=ipa;};`,
    `function Init${N}(){`, `if (!window.bMac){setTimeout('Init${N}()',350);return;};`,
    `bbae('${N}',${N}cfg,'${N}div',1,1,0,330,2,0,'',200,220,2,0,'');};`, `Init${N}();`].join('\r\n');
}

// A published page whose configuration script is replaced by the given item lines.
async function load(lines, files = {}) {
  const url = site.menu({ items: [{}] }, 'menu5', { files: { 'jsmenu01cfg.js': config(lines), ...files } });
  const pg = await open(browser, url, { wait: false });
  await pg.waitForLoadState('load');
  await pg.waitForTimeout(450); // past the configuration script's own retry
  const top = await pg.$$eval('[role=menubar] > [role=menuitem]', (l) => l.map((e) => e.textContent));
  const all = await pg.evaluate(() => Object.values(Velmora.menus).filter((m) => m.bar).length);
  return { pg, top, all };
}

test('items whose parent is missing, later or not a number join the top level with one warning', async () => {
  const { pg, top } = await load([FULL('A', -1), FULL('Forward', 3), FULL('Nowhere', 99), FULL('Child', 0),
    FULL('Self', 4), FULL('Text', "'x'"), FULL('Negative', -7)]);
  assert.deepEqual(top, ['A', 'Forward', 'Nowhere', 'Self', 'Text', 'Negative']);
  assert.equal(await pg.$eval(item(0), (e) => e.getAttribute('aria-haspopup')), 'menu');
  assert.deepEqual(pg.errors, []);
  assert.equal(pg.warnings.length, 1, pg.warnings.join('\n'));
  await pg.close0();
});

test('short rows, empty positions and rows that are not arrays are filled in or skipped', async () => {
  const { pg, top } = await load([
    "['Short']", // a caption only: defaults for everything else
    "['Holes',,,,,,,,,,,-1,,,,,,,,,,,,,,,,,,,,,,,,,,,,]", // 40 positions, most empty
    'null', '42', FULL('Last', -1)]);
  assert.deepEqual(top, ['Short', 'Holes', 'Last']);
  for (const i of [0, 1]) {
    const b = await box(pg, item(i));
    assert.deepEqual([b.w, b.h], [150, 20]);
  }
  assert.deepEqual(pg.errors, []);
  assert.equal(pg.warnings.length, 1, pg.warnings.join('\n'));
  await pg.close0();
});

test('a missing container or item list gives one warning and no exception', async () => {
  const { pg, all } = await load([FULL('A', -1)], { page: (t) => t.replace('<div id=menu5div></div>', '') });
  assert.equal(all, 0);
  assert.deepEqual(pg.errors, []);
  assert.equal(pg.warnings.length, 1, pg.warnings.join('\n'));
  assert.match(pg.warnings[0], /menu5div/);
  const thrown = await pg.evaluate(() => {
    try {
      bbae('menu9', undefined, 'nothing', 1, 1, 0, 0, 0, 0, '', 0, 0, 0, 0, '');
      bbae('menu9', [Object.assign(Array(40).fill(''), { 0: 'x', 11: -1 })], 'nothing', 'a', 'b', 'c', 'd', 'e', 'f', 42, 'h', 'i', 'j', 'k', {});
      return null;
    } catch (e) {
      return String(e);
    }
  });
  assert.equal(thrown, null);
  assert.equal(pg.warnings.length, 3, pg.warnings.join('\n'));
  await pg.close0();
});
