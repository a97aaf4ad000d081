'use strict';
// Menu designs for the browser tests: records by field name, written either as a
// project file for velmora-cli or directly in the published layout (config script,
// stylesheet, page) when the command-line tool is not at hand.

const STATE_FIELDS = ['FontFamily', 'FontSize', 'FontWeight', 'FontStyle',
  'BorderTopColor', 'BorderTopWidth', 'BorderTopStyle', 'BorderRightColor', 'BorderRightWidth',
  'BorderRightStyle', 'BorderBottomColor', 'BorderBottomWidth', 'BorderBottomStyle',
  'BorderLeftColor', 'BorderLeftWidth', 'BorderLeftStyle', 'Cursor', 'Color', 'BackgroundColor',
  'BackgroundImage'];

const ITEM_FIELDS = ['ICaption', 'ITextAlign', 'ITextWrap', 'IPaddingLeft', 'IPaddingRight',
  'IPaddingTop', 'IPaddingBottom', 'ILink', 'ITarget', 'IStatusBarMsg', 'IToolTip', 'IParentIndex',
  'DisableItem', 'IWidth', 'IHeight', 'IReserved15', 'IReserved16', 'IClassNormal', 'IClassOver',
  'IClassClicked', 'ILeftIconUrl', 'IOverLeftIconUrl', 'IClickedLeftIconUrl', 'ILeftIconWidth',
  'ILeftIconHeight', 'IImageUrl', 'IOverImageUrl', 'IClickedImageUrl', 'IImageWidth', 'IImageHeight',
  'IRightIconUrl', 'IOverRightIconUrl', 'IClickedRightIconUrl', 'IRightIconWidth', 'IRightIconHeight',
  'ISubmenuOffsetX', 'ISubmenuOffsetY', 'ISubmenuDirection', 'IReserved38', 'ISubmenuItemGap',
  'IReserved40', 'IReserved41', 'IReserved42', 'IReserved43', 'IReserved44', 'IReserved45', 'IReserved46',
  ...['Normal', 'Over', 'Clicked'].flatMap((s) => STATE_FIELDS.map((f) => `I${f}${s}`)),
  'ILevel', 'IReserved108'];

const APPLET_FIELDS = ['pMenuName', 'pMenuCfgName', 'pMenuDivName', 'pMainMenuDirection',
  'pMainMenuItemGap', 'pOpenDelay', 'pSlidingOpenDuration', 'pOpenSlideType', 'pOpenTransitionFlag',
  'pOpenTransitionCustomFilter', 'pCloseDelay', 'pSlidingCloseDuration', 'pCloseSlideType',
  'pCloseTransitionFlag', 'pCloseTransitionCustomFilter', 'pInternalUse_RootDir_Local',
  'pInternalUse_RootDir_Remote', 'pInternalUse_RootDir_Local_Checked'];

const APPLET_DEFAULTS = ['Menu1', 'Menu1Cfg', 'Menu1_DIV', '1', '1', '0', '330', '2', '0', '1',
  '200', '220', '2', '0', '1', '', '', '1'];

function itemDefaults() {
  const f = Array(109).fill('');
  Object.assign(f, { 0: 'Item Caption', 1: '0', 2: '0', 3: '4', 4: '10', 5: '0', 6: '0', 8: '_self',
    12: '1', 13: '150', 14: '20', 23: '16', 24: '16', 28: '16', 29: '16', 33: '16', 34: '16',
    35: '0', 36: '0', 37: '0', 38: '0', 39: '1' });
  const colors = ['C0C0C0', '000000', 'FF0000'];
  for (let s = 0; s < 3; s++) {
    const b = 47 + 20 * s;
    const block = ['Verdana,Ms Sans Serif,Georgia,Helvetica,Arial', '10', 'normal', 'normal'];
    for (let side = 0; side < 4; side++) block.push(colors[s], '1', '3');
    block.push('3', colors[s], 'FFFFFF', '');
    block.forEach((v, k) => { f[b + k] = v; });
  }
  return f;
}

const FILTERS = ['', 'Fade()', 'Iris(irisStyle=CIRCLE)', 'Iris(irisStyle=CIRCLE,motion=in)',
  'Iris(irisStyle=CROSS)', 'Iris(irisStyle=CROSS,motion=in)', 'Iris(irisStyle=DIAMOND)',
  'Iris(irisStyle=DIAMOND,motion=in)', 'Iris(irisStyle=PLUS)', 'Iris(irisStyle=PLUS,motion=in)',
  'Iris(irisStyle=SQUARE)', 'Iris(irisStyle=SQUARE,motion=in)', 'Iris(irisStyle=STAR)',
  'Iris(irisStyle=STAR,motion=in)', 'Pixelate(MaxSquare=20)', 'RandomDissolve()', 'Wheel(spokes=2)',
  'Wheel(spokes=8)', 'Wipe(GradientSize=1.0,wipeStyle=0)',
  'Wipe(GradientSize=1.0,wipeStyle=0,motion=reverse)', 'Wipe(GradientSize=1.0,wipeStyle=1)',
  'Wipe(GradientSize=1.0,wipeStyle=1,motion=reverse)'];
function filterText(code) {
  const t = FILTERS[Number(code)];
  return t ? `progid:DXImageTransform.Microsoft.${t}` : '';
}

const BORDER = ['none', 'dotted', 'dashed', 'solid', 'double', 'groove', 'ridge', 'inset', 'window-inset', 'outset'];
const CURSOR = ['auto', 'crosshair', 'default', 'hand', 'help', 'move', 'pointer', 'text', 'wait',
  'N-resize', 'NE-resize', 'NW-resize', 'S-resize', 'SE-resize', 'SW-resize', 'E-resize', 'W-resize',
  'all-scroll', 'col-resize', 'no-drop', 'not-allowed', 'progress', 'row-resize', 'url(uri)', 'vertical-text'];

/**
 * design({ menu: {pOpenDelay: '0', ...}, items: [{ level: 0, ICaption: 'File', ... }, ...] })
 * gives { applet: string[18], items: string[109][] } with defaults filled in, levels
 * stored in ILevel and parent indexes derived from the levels.
 * A `kids` array in an item nests items without giving levels by hand.
 */
function design({ menu = {}, items = [] }) {
  const applet = [...APPLET_DEFAULTS];
  for (const [k, v] of Object.entries(menu)) set(applet, APPLET_FIELDS, k, v);
  const out = [];
  const stack = [];
  const walk = (list, level) => {
    for (const spec of list) {
      const f = itemDefaults();
      for (const [k, v] of Object.entries(spec)) if (k !== 'kids' && k !== 'level') set(f, ITEM_FIELDS, k, v);
      const lv = spec.level ?? level;
      f[107] = String(lv);
      stack.length = lv;
      f[11] = lv === 0 ? '-1' : String(stack[lv - 1]);
      stack[lv] = out.length;
      out.push(f);
      if (spec.kids) walk(spec.kids, lv + 1);
    }
  };
  walk(items, 0);
  return { applet, items: out };
}

function set(rec, names, k, v) {
  const i = names.indexOf(k);
  if (i < 0) throw new Error(`unknown field ${k}`);
  rec[i] = String(v);
}

/** The project file (.velm) of a design. */
function projectFile(d) {
  const line = (f) => f.map((v) => `${v}#$@`).join('');
  return ['<Warning_Info>', 'Note: This file was created and maintained by Velmora 1.0.',
    'Do not modify it or script project may not be opened again!', '</Warning_Info>',
    '<Product_Name>', 'Velmora', '</Product_Name>', '<Product_Version>', '1.0', '</Product_Version>',
    '<Applet_Parameters>', line(d.applet), '</Applet_Parameters>', '<Item_Parameters>',
    ...d.items.map(line), '</Item_Parameters>'].map((l) => `${l}\r\n`).join('');
}

const HEADER = ['/*', 'Velmora 1.0', 'Copyright (c) Velmora test fixtures', 'https://example.invalid/velmora',
  'https://example.invalid/velmora/support', '*/'];

/** The three published files of a design, as the generator lays them out. */
function published(d, N) {
  const items = d.items.map((f) => [...f]);
  const styles = [];
  const letters = ['n', 'o', 'c'];
  for (const f of items) {
    for (let s = 0; s < 3; s++) {
      const block = f.slice(47 + 20 * s, 67 + 20 * s);
      let e = styles.find((x) => x.v.every((v, k) => v === block[k]));
      if (!e) {
        e = { name: `${N}item${letters[s]}${styles.length + 1}`, v: block };
        styles.push(e);
      }
      f[17 + s] = e.name;
    }
    f[38] = '0';
  }
  const css = [...HEADER];
  const border = (c, w, s) => `#${c} ${w}px ${BORDER[Number(s)] ?? 'solid'}`;
  for (const { name, v } of styles) {
    css.push(`.${name}{`, `FONT-FAMILY:${v[0]};`, `FONT-SIZE:${v[1]}px;`, `FONT-WEIGHT:${v[2]};`,
      `FONT-STYLE:${v[3]};`, `BORDER-TOP:${border(v[4], v[5], v[6])};`,
      `BORDER-RIGHT:${border(v[7], v[8], v[9])};`, `BORDER-BOTTOM:${border(v[10], v[11], v[12])};`,
      `BORDER-LEFT:${border(v[13], v[14], v[15])};`, `CURSOR:${CURSOR[Number(v[16])] ?? 'default'};`,
      `COLOR:#${v[17]};`, `BACKGROUND-COLOR:#${v[18]};`,
      `BACKGROUND-IMAGE:${v[19].trim() ? `url(./${v[19]})` : 'none'};`, '}');
  }
  const quoted = new Set([0, 7, 8, 9, 10, 17, 18, 19, 20, 21, 22, 25, 26, 27, 30, 31, 32]);
  const pos = (f) => Array.from({ length: 40 }, (_, k) => (k === 15 || k === 16 ? '' : quoted.has(k) ? `'${f[k]}'` : f[k])).join(',');
  const a = d.applet;
  const cfg = [...HEADER, ...items.map((f) => `CI${N}([${pos(f)}]);`),
    `function CI${N}(ipa){`, `if(!(window.${N}cfg)){eval('window.${N}cfg=new Array();');};`,
    `${N}cfg[${N}cfg.length]=ipa;};`, `function Init${N}(){`,
    `if (!window.bMac){setTimeout('Init${N}()',350);return;};`,
    `bbae('${N}',${N}cfg,'${N}div',${a[3]},${a[4]},${a[5]},${a[6]},${a[7]},${a[8]},'${filterText(a[9])}',` +
    `${a[10]},${a[11]},${a[12]},${a[13]},'${filterText(a[14])}');};`, `Init${N}();`];
  return { 'jsmenu01cfg.js': crlf(cfg), 'jsmenu01.css': crlf(css), 'index.html': page(N) };
}

const ADDRESS = 'https://example.invalid/'; // 24 characters
function page(N, { runtimeFirst = false } = {}) {
  const cfgTag = '<script language="javascript" src="./jsmenu01cfg.js"></script>';
  const rtTag = '<script language="javascript" src="./jsmenu0.js"></script>';
  return crlf([`<!-- saved from url=(${String(ADDRESS.length).padStart(4, '0')})${ADDRESS} -->`,
    '<html>', '<head>', '<title>Preview</title>', '</head>', '<body>', '', '<!-- Velmora 1.0 -->',
    '<!-- Copyright (c) Velmora test fixtures -->', '<!-- https://example.invalid/velmora -->',
    '<!-- NOTE: Please insert these codes into <body> section of Web pages. -->', '<!-- BEGIN -->',
    '<link href="./jsmenu01.css" type=text/css rel=stylesheet>',
    runtimeFirst ? rtTag : cfgTag, runtimeFirst ? cfgTag : rtTag, '<!-- END -->',
    `<div id=${N}div></div>`, '', '</body>', '</html>']);
}

function crlf(lines) { return lines.map((l) => `${l}\r\n`).join(''); }

module.exports = { design, projectFile, published, page, filterText, ITEM_FIELDS, APPLET_FIELDS };
