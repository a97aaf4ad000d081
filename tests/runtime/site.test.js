'use strict';
// One published menu serving a whole site: pages in sub-folders load the scripts by
// relative paths, the configuration's links and images reach the same files from every
// folder, and the item leading to the page shown is marked with the items above it.
const { test } = require('node:test');
const assert = require('node:assert/strict');
const fs = require('node:fs');
const { open, box, item, hover, suite } = require('./lib/harness');

const S = suite();

const still = { pOpenDelay: '0', pCloseDelay: '0', pOpenSlideType: '0', pCloseSlideType: '0' };
// 0 Home, 1 Blog [2 First, 3 First again, 4 Archive], 5 Elsewhere
const SITE = {
  menu: still,
  items: [
    { ICaption: 'Home', ILink: 'project.html', ILeftIconUrl: 'red.svg' },
    { ICaption: 'Blog', ILink: 'blog/', kids: [
      { ICaption: 'First', ILink: 'blog/2026/first.html?from=menu#top' },
      { ICaption: 'First again', ILink: 'blog/2026/first.html' },
      { ICaption: 'Archive', ILink: 'blog/index.htm' },
    ] },
    { ICaption: 'Elsewhere', ILink: 'https://example.com/' },
  ],
};
// The state colours of the fixture designs' items.
const LOOK = { 'rgb(192, 192, 192)': 'normal', 'rgb(0, 0, 0)': 'over', 'rgb(255, 0, 0)': 'clicked' };

/** A page of the site at rel, holding the published loading code with paths from its folder. */
function sitePage(dir, rel, page = 'project.html') {
  const html = fs.readFileSync(`${S.site.root}/${dir}/${page}`, 'latin1');
  const up = '../'.repeat(rel.split('/').length - 1);
  const code = html.slice(html.indexOf('<!-- BEGIN -->'), html.lastIndexOf('</div>') + 6)
    .replace(/(href|src)="\.\/(jsmenu0[^"]*)"/g, `$1="${up}$2"`)
    .replace(/(href|src)=(?!")(jsmenu0\S*?)([ >])/g, `$1=${up}$2$3`);
  return S.site.file(`${dir}/${rel}`, `<!doctype html><html lang=en><head><meta charset=utf-8><title>${rel}</title></head>` +
    `<body>${code}<p>Text</p></body></html>`);
}

/** Each item, every submenu built and the menu at rest: its link and image addresses as
 * paths, aria-current, and its look. */
function state(pg) {
  return pg.evaluate((look) => {
    const all = Velmora.menus.menu5.all;
    for (let i = 0; i < all.length; i++) Velmora.show('menu5', i);
    Velmora.show('menu5', -1);
    return all.map(({ el: e }) => {
      const img = e && e.querySelector('img');
      return [e.textContent, e.href ? new URL(e.href).pathname + new URL(e.href).search : '',
        img ? new URL(img.src).pathname : '', e.getAttribute('aria-current'), look[getComputedStyle(e).color]];
    });
  }, LOOK);
}

test('pages in sub-folders: links and images reach the published files, the current page is marked', async () => {
  const root = new URL(S.site.menu(SITE)).pathname.replace(/[^/]*$/, '');
  const dir = S.site.last;
  const first = sitePage(dir, 'blog/2026/first.html');
  const pg = await open(S.browser, `${first}?q=1#x`);
  await hover(pg, item(1));
  await pg.waitForSelector('#menu5-m1', { state: 'visible' });
  await pg.mouse.move(900, 650);
  await pg.waitForFunction(() => !document.querySelector('[aria-expanded=true]'));
  assert.deepEqual(await state(pg), [
    ['Home', `${root}project.html`, `${root}red.svg`, null, 'normal'],
    ['Blog', `${root}blog/`, '', null, 'clicked'],
    ['First', `${root}blog/2026/first.html?from=menu`, '', 'page', 'clicked'],
    ['First again', `${root}blog/2026/first.html`, '', 'page', 'clicked'],
    ['Archive', `${root}blog/index.htm`, '', null, 'normal'],
    ['Elsewhere', '/', '', null, 'normal'],
  ]);
  // Pointing and focus still show the Mouse Over look.
  await hover(pg, item(1));
  assert.equal(await pg.$eval(item(1), (e, look) => look[getComputedStyle(e).color], LOOK), 'over');
  await pg.mouse.move(900, 650);
  await pg.focus(item(1));
  assert.equal(await pg.$eval(item(1), (e, look) => look[getComputedStyle(e).color], LOOK), 'over');
  assert.deepEqual([pg.errors, pg.warnings], [[], []]);
  await pg.close0();

  // A folder's index page is the folder; beside the scripts nothing moves.
  for (const [url, marked] of [[sitePage(dir, 'blog/index.html'), ['Blog', 'Archive']],
    [`${S.site.base}${root}project.html`, ['Home']]]) {
    const p = await open(S.browser, url);
    const got = await state(p);
    assert.deepEqual(got.filter((s) => s[3] === 'page').map((s) => s[0]), marked, url);
    assert.equal(got[0][1], `${root}project.html`);
    if (url.endsWith('project.html')) {
      assert.equal(await p.$eval(item(0), (e) => e.getAttribute('href')), 'project.html');
    }
    await p.close0();
  }
});

test('the modern page: list links stay the page\'s, records\' images follow the script, aria-current is kept', async () => {
  const url = S.site.menu(SITE, 'menu5', { page: 'html5', files: {
    // As the site updater writes it: the list already marks a page, here one the
    // runtime would not match.
    page: (t) => t.replace('<a href="https://example.com/"', '<a href="https://example.com/" aria-current="page"'),
  } });
  const root = new URL(url).pathname.replace(/[^/]*$/, '');
  const pg = await open(S.browser, url);
  const got = await state(pg);
  assert.deepEqual(got.map((s) => [s[0], s[3], s[4]]), [['Home', 'page', 'clicked'], ['Blog', null, 'normal'],
    ['First', null, 'normal'], ['First again', null, 'normal'], ['Archive', null, 'normal'], ['Elsewhere', 'page', 'clicked']]);
  assert.equal(got[0][2], `${root}red.svg`);
  await pg.close0();
  // Without the list's mark the runtime finds the page by its address, whatever its query.
  const plain = await open(S.browser, S.site.file(`${S.site.last}/plain.html`, fs.readFileSync(`${S.site.root}/${S.site.last}/project.html`, 'latin1')
    .replace(' aria-current="page"', '').replace('<a href="https://example.com/"', '<a href="./plain.html?from=menu"')) + '?q=1#x');
  assert.deepEqual((await state(plain)).filter((s) => s[3] === 'page').map((s) => s[0]), ['Elsewhere']);
  await plain.close0();

  // Pasted into a page two folders down: the list's links are the page's own text, the
  // icon still comes from the published folder.
  const deep = await open(S.browser, sitePage(S.site.last, 'a/b/page.html'));
  const deepState = await state(deep);
  assert.equal(deepState[0][2], `${root}red.svg`);
  assert.equal(deepState[0][1], `${root}a/b/project.html`);
  assert.equal((await box(deep, item(0))).w, 150);
  assert.deepEqual([deep.errors, deep.warnings], [[], []]);
  await deep.close0();
});

test('a folder\'s page: the modern page marks the links that lead to it as the classic page does', async () => {
  // Folder, Other [Deep [the links to try]]: the marked items are made at load.
  const LINKS = ['./', '.', 'index.html', 'INDEX.HTM', '?a=1', '#top', '%2e/', 'sub/..', 'sub/%2e%2e/', ' ./ ',
    'sub/%2E%2E', 'y/', 'index2.html', '../', 'other.html', 'x/index.html'];
  const d = { menu: still, items: [{ ICaption: 'Folder', ILink: 'z.html' }, { ICaption: 'Other', kids: [
    { ICaption: 'Deep', kids: LINKS.map((l, i) => ({ ICaption: `L${i}`, ILink: l })) }] }] };
  const got = [];
  for (const page of ['classic', 'html5']) {
    S.site.menu(d, 'menu5', { page });
    const url = S.site.file(`${S.site.last}/index.html`, fs.readFileSync(`${S.site.root}/${S.site.last}/project.html`));
    const pg = await open(S.browser, url);
    got.push(await pg.evaluate(() => {
      const m = Velmora.menus.menu5;
      const marked = m.all.filter((it) => it && it.cur).map((it) => it.el ? it.el.textContent : it.c[0]);
      // Then as a visitor finds them, every item made.
      for (let i = 0; i < 21; i++) Velmora.show('menu5', i);
      return [marked, m.all.filter((it) => it.el.getAttribute('aria-current')).map((it) => it.el.textContent)];
    }));
    assert.deepEqual([pg.errors, pg.warnings], [[], []], page);
    await pg.close0();
  }
  const want = ['Other', 'Deep', 'L0', 'L1', 'L2', 'L3', 'L4', 'L5', 'L6', 'L7', 'L8', 'L9', 'L10'];
  assert.deepEqual(got[0][0], want);
  assert.deepEqual(got[1], got[0]);
  assert.deepEqual(got[1][1], want.slice(2));
});
