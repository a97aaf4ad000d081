'use strict';
// The modern page's lean configuration: the runtime makes the menu from the page's own
// list and the configuration's shared records. For random designs that menu equals the
// one a classic page builds from the full configuration; a list edited by hand still
// makes a menu, with one warning.
const fs = require('node:fs');
const { test } = require('node:test');
const assert = require('node:assert/strict');
const { open, suite } = require('./lib/harness');

const S = suite();

// A small seeded generator, so that a failing design can be made again.
function random(seed) {
  let x = seed >>> 0 || 1;
  const next = () => {
    x ^= x << 13;
    x ^= x >>> 17;
    x ^= x << 5;
    return (x >>> 0) / 4294967296;
  };
  const int = (n) => Math.floor(next() * n);
  return { int, pick: (list) => list[int(list.length)], chance: (p) => next() < p };
}

const WORDS = ['File', 'Caf\xe9', 'Tom & Jerry', '<b>bold</b>', '"quoted"', "it's", '\x80uro', 'Na\xefve', 'x'];
const COLOURS = ['000000', 'FF0000', '00AA00', '3344CC', 'FFFFFF'];

/** A random design: up to three levels, every field the list and the records share. */
function randomDesign(seed) {
  const r = random(seed);
  const entry = (depth) => {
    const it = {
      ICaption: `${r.pick(WORDS)} ${r.int(100)}`,
      ITextAlign: r.int(3), ITextWrap: r.int(2), IWidth: 60 + r.int(150), IHeight: 16 + r.int(30),
      IPaddingLeft: r.int(12), IPaddingRight: r.int(12), IPaddingTop: r.int(6), IPaddingBottom: r.int(6),
      ISubmenuDirection: r.int(2), ISubmenuOffsetX: r.int(5) - 2, ISubmenuItemGap: r.int(4),
      IColorNormal: r.pick(COLOURS), IColorOver: r.pick(COLOURS), IBackgroundColorClicked: r.pick(COLOURS),
    };
    if (r.chance(0.7)) it.ILink = r.pick(['a.html', 'b/c.html?x=1&y=2', 'https://example.com/d', '#e', '../f.html']);
    if (r.chance(0.3)) it.ITarget = r.pick(['_blank', '_self', 'frame1']);
    if (r.chance(0.3)) it.IToolTip = `Tip ${r.pick(WORDS)}`;
    if (r.chance(0.15)) it.DisableItem = '0';
    if (r.chance(0.2)) it.ILeftIconUrl = r.pick(['red.svg', 'green.svg']);
    if (r.chance(0.1)) Object.assign(it, { IImageUrl: 'blue.svg', IOverImageUrl: 'gray.svg' });
    if (r.chance(0.2)) it.IRightIconUrl = 'black.svg';
    if (r.chance(0.2)) it.IStatusBarMsg = `Status ${r.int(9)}`;
    if (depth < 2 && r.chance(0.4)) it.kids = Array.from({ length: 1 + r.int(5) }, () => entry(depth + 1));
    return it;
  };
  return {
    menu: { pOpenDelay: '0', pCloseDelay: '0', pOpenSlideType: '0', pCloseSlideType: '0',
      pMainMenuDirection: String(r.int(2)) },
    items: Array.from({ length: 1 + r.int(6) }, () => entry(0)),
  };
}

/** Every item of the menu with each submenu opened in turn: what a visitor meets. A modern
 * page makes a submenu's items when it first opens, so every item is shown first, by number
 * up to `n` (those under a disabled item too) and then those made on the way. */
function menuOf(pg, n = 0) {
  return pg.evaluate((n) => {
    const m = Velmora.menus.menu5;
    for (let i = 0; i < Math.max(n, m.all.length); i++) Velmora.show('menu5', i);
    const here = location.href.replace(/[^/]*$/, '');
    const rel = (u) => (u || '').replace(here, '');
    return m.all.map((it) => {
      Velmora.show('menu5', it.i);
      const e = it.el;
      const r = e.getBoundingClientRect();
      return {
        i: it.i, parent: it.par ? it.par.i : -1, kids: it.kids.length, text: e.textContent, href: rel(e.href),
        target: e.target || '_self', title: e.title, disabled: e.getAttribute('aria-disabled'), cls: e.className,
        role: e.getAttribute('role'), size: [Math.round(r.width), Math.round(r.height)], status: it.c[9] || '',
        images: [...e.querySelectorAll('img')].map((img) => [rel(img.src), img.alt, img.width, img.height]),
      };
    });
  }, n);
}

// Items alike in every field the records hold: one record, and no record numbers.
const ALIKE = { menu: { pOpenDelay: '0', pCloseDelay: '0' }, items: [
  { ICaption: 'One', ILink: 'one.html', kids: [{ ICaption: 'Two', kids: [{ ICaption: 'Three', ILink: 'three.html' }] }] },
  { ICaption: 'Four', IToolTip: 'Tip', kids: [{ ICaption: 'Five', DisableItem: '0' }] }] };

test('for random designs the modern page\'s menu equals the classic page\'s', async () => {
  for (let seed = 0; seed <= 12; seed++) {
    const d = seed ? randomDesign(seed * 7919) : ALIKE;
    const got = [];
    for (const page of ['classic', 'html5']) {
      // Both in standards mode, as the modern page is: the classic page has no doctype.
      const files = page === 'classic' ? { page: (t) => `<!DOCTYPE html>${t}` } : {};
      const pg = await open(S.browser, S.site.menu(d, 'menu5', { page, files }));
      got.push(await menuOf(pg, got.length ? got[0].length : 0));
      if (!seed && page === 'html5') {
        assert.doesNotMatch(fs.readFileSync(`${S.site.root}/${S.site.last}/jsmenu01cfg.js`, 'latin1'), /i:\[/);
      }
      assert.deepEqual([pg.errors, pg.warnings], [[], []], `seed ${seed * 7919} ${page}`);
      await pg.close0();
    }
    assert.ok(got[0].length > 0);
    assert.deepEqual(got[1], got[0], `seed ${seed * 7919}`);
  }
});

const still = { pOpenDelay: '0', pCloseDelay: '0', pOpenSlideType: '0', pCloseSlideType: '0' };
// 0 Wide [1 Narrow, 2 Narrow], 3 Plain: each level its own sizes
const SMALL = {
  menu: still,
  items: [
    { ICaption: 'Wide', IWidth: 200, kids: [{ ICaption: 'Narrow', IWidth: 90, ILink: 'n.html' }, { ICaption: 'Narrow two', IWidth: 90 }] },
    { ICaption: 'Plain', IWidth: 120, ILink: 'p.html' },
  ],
};

test('a list edited by hand: the menu as the list stands, borrowed records, one warning', async () => {
  const cases = [
    // An item added at the end of the submenu and one at the top: the previous sibling's record.
    [(t) => t.replace('Narrow two</span>', 'Narrow two</span></li><li><a href="x.html">Added</a>')
      .replace('Plain</a>', 'Plain</a></li><li><a href="y.html">Added top</a>'),
    [['Wide', 200], ['Narrow', 90], ['Narrow two', 90], ['Added', 90], ['Plain', 120], ['Added top', 120]]],
    // The submenu's first item removed: the rest keep their records by position.
    [(t) => t.replace(/<li><a href="n.html"[^>]*>Narrow<\/a><\/li>/, ''), [['Wide', 200], ['Narrow two', 90], ['Plain', 120]]],
    // A new submenu under an item that had none: its parent's record.
    [(t) => t.replace('Plain</a>', 'Plain</a><ul><li><a href="z.html">Under</a></li></ul>'),
      [['Wide', 200], ['Narrow', 90], ['Narrow two', 90], ['Plain', 120], ['Under', 120]]],
  ];
  for (const [edit, want] of cases) {
    const pg = await open(S.browser, S.site.menu(SMALL, 'menu5', { page: 'html5', files: { page: edit } }));
    const got = await menuOf(pg);
    assert.deepEqual(got.map((x) => [x.text, x.size[0]]), want);
    assert.deepEqual(pg.errors, []);
    assert.equal(pg.warnings.length, 1, pg.warnings.join('\n'));
    assert.match(pg.warnings[0], /menu5/);
    await pg.close0();
  }
  // No list at all: nothing shows, the same one warning.
  const pg = await open(S.browser, S.site.menu(SMALL, 'menu5', { page: 'html5', files: {
    page: (t) => t.replace(/<ul>[\s\S]*<\/ul>/, '') } }), { wait: false });
  await pg.waitForLoadState();
  await pg.waitForTimeout(100);
  assert.equal(await pg.$('#menu5div [role=menubar]'), null);
  assert.deepEqual(pg.errors, []);
  assert.equal(pg.warnings.length, 1, pg.warnings.join('\n'));
  assert.match(pg.warnings[0], /menu5.*list/);
  await pg.close0();
});

test('the keyboard walks a modern page\'s menu as it walks the classic page\'s, into submenus made on the way', async () => {
  // No Enter or Space: they would follow links. Letters jump by the captions' first letters.
  const KEYS = ['ArrowDown', 'ArrowUp', 'ArrowLeft', 'ArrowRight', 'Home', 'End', 'Escape', 'f', 't', 'n', 'c'];
  for (let seed = 1; seed <= 4; seed++) {
    const d = randomDesign(seed * 104729);
    // No link leads to the page itself, whose item would be made at load with those above it.
    const away = (items) => items.forEach((it) => {
      if (it.ILink === '#e') it.ILink = 'e.html';
      away(it.kids || []);
    });
    away(d.items);
    const r = random(seed);
    const keys = Array.from({ length: 40 }, () => r.pick(KEYS));
    const walks = [];
    for (const page of ['classic', 'html5']) {
      const files = page === 'classic' ? { page: (t) => `<!DOCTYPE html>${t}` } : {};
      const pg = await open(S.browser, S.site.menu(d, 'menu5', { page, files }));
      // At load a modern page has made the bar's items only.
      const made = await pg.evaluate(() => Velmora.menus.menu5.all.filter((it) => it && it.par).length);
      if (page === 'html5') assert.equal(made, 0, `seed ${seed}: submenu items made at load`);
      await pg.focus('#menu5-0');
      const walk = [];
      for (const key of keys) {
        await pg.keyboard.press(key);
        walk.push(await pg.evaluate((k) => [k, document.activeElement.id, [...document.querySelectorAll('[aria-expanded=true]')]
          .map((e) => e.id).sort().join()], key));
      }
      walks.push(walk);
      assert.deepEqual(pg.errors, [], `seed ${seed} ${page}`);
      await pg.close0();
    }
    assert.ok(walks[0].some(([, id]) => /^menu5-\d+$/.test(id) && id !== 'menu5-0'), `seed ${seed}: the walk never left the first item`);
    assert.deepEqual(walks[1], walks[0], `seed ${seed}`);
  }
});
