'use strict';
// Designs in any script: a UTF-8 design's captions, tool tips and image names show in
// the browser exactly as typed, from generated files that are plain ASCII; a classic
// design's image name with a code page letter finds its file too.
const { test, before, after } = require('node:test');
const assert = require('node:assert/strict');
const fs = require('node:fs');
const path = require('node:path');
const { execFileSync } = require('node:child_process');
const { Site, launch, open, item, RUNTIME } = require('./lib/harness');
const { design, projectFile } = require('./lib/design');

const CLI = path.join(process.env.VELMORA_BUILD || path.resolve(__dirname, '../../build'), 'velmora-cli');
const SQUARE = '<svg xmlns="http://www.w3.org/2000/svg" width="16" height="16"><rect width="16" height="16" fill="#0a0"/></svg>';

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

/** The image an item shows, once loaded: its natural width (0 when it did not load). */
async function imageWidth(pg, i) {
  return pg.$eval(`${item(i)} img`, async (img) => {
    if (!img.complete) await new Promise((r) => { img.onload = img.onerror = r; });
    return img.naturalWidth;
  });
}

test('a UTF-8 design shows captions and tool tips in every script as typed', async () => {
  const captions = ['Привет мир', '東京のメニュー', 'مرحبا بالعالم', 'Emoji 😀 ✓', 'Łódź – façade'];
  const d = design({
    menu: still,
    items: [...captions.map((c) => ({ ICaption: c, IToolTip: `Tip: ${c}` })), { IImageUrl: 'фасад.svg' }],
  });
  const marked = projectFile(d).replace('</Product_Version>\r\n',
    '</Product_Version>\r\n<Format_Extensions>\r\nText_Encoding=UTF-8\r\n</Format_Extensions>\r\n');
  const dir = path.join(site.root, 'utf8');
  fs.mkdirSync(dir);
  fs.writeFileSync(path.join(dir, 'меню.velm'), marked, 'utf8');
  fs.writeFileSync(path.join(dir, 'фасад.svg'), SQUARE);
  execFileSync(CLI, ['publish', path.join(dir, 'меню.velm'), '--to', dir, '--menu-name', 'menu5'], { stdio: 'pipe' });
  fs.copyFileSync(RUNTIME, path.join(dir, 'jsmenu0.js'));
  for (const f of ['меню.html', 'jsmenu01cfg.js', 'jsmenu01.css']) {
    assert.doesNotMatch(fs.readFileSync(path.join(dir, f), 'latin1'), /[^\x00-\x7f]/, `${f} is plain ASCII`);
  }

  const pg = await open(browser, `${site.base}/utf8/${encodeURIComponent('меню.html')}`);
  for (const [i, c] of captions.entries()) {
    assert.equal(await pg.$eval(item(i), (e) => e.textContent.trim()), c, `caption ${i}`);
    assert.equal(await pg.$eval(item(i), (e) => e.title), `Tip: ${c}`, `tool tip ${i}`);
  }
  // An item with an image shows the image in place of its caption.
  assert.equal(await imageWidth(pg, 5), 16, 'the image named in Cyrillic loads');
  if (process.env.VELMORA_SCREENSHOT) await pg.screenshot({ path: process.env.VELMORA_SCREENSHOT });
  assert.deepEqual(pg.errors, []);
  await pg.close0();
});

test('a classic design finds an image named with a code page letter', async () => {
  // The harness writes project files as Windows-1252, so "ç" is the one byte E7.
  const url = site.menu({ menu: still, items: [{ ICaption: 'Façade' }, { IImageUrl: 'façade.svg' }] }, 'menu5', {
    files: { 'façade.svg': SQUARE },
  });
  const pg = await open(browser, url);
  assert.equal(await pg.$eval(item(0), (e) => e.textContent.trim()), 'Façade');
  assert.equal(await imageWidth(pg, 1), 16);
  assert.deepEqual(pg.errors, []);
  await pg.close0();
});
