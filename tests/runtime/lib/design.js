'use strict';
// Menu designs for the browser tests: records by field name with the designer's
// defaults, written as project files that velmora-cli publishes.

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
    for (const entry of list) {
      const f = itemDefaults();
      for (const [k, v] of Object.entries(entry)) if (k !== 'kids' && k !== 'level') set(f, ITEM_FIELDS, k, v);
      const lv = entry.level ?? level;
      f[107] = String(lv);
      stack.length = lv;
      f[11] = lv === 0 ? '-1' : String(stack[lv - 1]);
      stack[lv] = out.length;
      out.push(f);
      if (entry.kids) walk(entry.kids, lv + 1);
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

module.exports = { design, projectFile, ITEM_FIELDS, APPLET_FIELDS };
