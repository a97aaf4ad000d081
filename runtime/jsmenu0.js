/*
 * jsmenu0.js - Velmora menu runtime.
 *
 * A generated configuration script appends one 40-position array per item to
 * the global array NAMEcfg and, once the global bMac is set, calls
 *   bbae(name, cfg, containerId, barDirection, barGap,
 *        openDelay, openSlideDuration, openSlideType, openTransitionFlag, openFilter,
 *        closeDelay, closeSlideDuration, closeSlideType, closeTransitionFlag, closeFilter)
 * This file defines bbae, sets bMac and keeps its own state in window.Velmora.
 */
(function (w, d) {
  'use strict';
  if (w.Velmora) { w.bMac = true; return; }

  var V = w.Velmora = { menus: {} },
    motion = w.matchMedia && w.matchMedia('(prefers-reduced-motion: reduce)'),
    // Positions in an item array.
    CAP = 0, ALIGN = 1, WRAP = 2, PAD = 3 /* left right top bottom */, LINK = 7, TARGET = 8,
    STATUS = 9, TIP = 10, PARENT = 11, ENABLED = 12, WIDTH = 13, HEIGHT = 14,
    CLASS = 17 /* normal over clicked */, LICON = 20 /* n o c, then w h */, IMAGE = 25,
    RICON = 30, SUB_X = 35, SUB_Y = 36, SUB_DIR = 37, SUB_GAP = 39,
    // Item states, also the index of their class name and icons.
    NORMAL = 0, OVER = 1, CLICKED = 2,
    fxSvg;

  var CSS =
    '.vm-bar,.vm-p{display:flex;align-items:flex-start;margin:0;padding:0}' +
    '.vm-v{flex-direction:column}' +
    '.vm-h>.vm-i+.vm-i{margin-left:var(--g)}.vm-v>.vm-i+.vm-i{margin-top:var(--g)}' +
    '.vm-l{position:absolute;width:0;height:0;z-index:1000}' +
    '.vm-s{position:absolute;display:none}' +
    '.vm-p{overflow:auto;overscroll-behavior:contain}' +
    '.vm-i{box-sizing:border-box;display:flex;align-items:center;column-gap:4px;flex:none;' +
    'text-decoration:none;overflow:hidden;-webkit-tap-highlight-color:transparent}' +
    // Low specificity: a cursor or colour that the item's own class states wins.
    ':where(.vm-i){cursor:pointer;color:inherit}:where(.vm-x){cursor:default}' +
    '.vm-t{flex:1 1 auto;min-width:0;overflow:hidden;white-space:nowrap;text-overflow:ellipsis}' +
    '.vm-w .vm-t{white-space:normal}' +
    '.vm-i img{flex:none;border:0;vertical-align:middle}' +
    '.vm-i:focus{outline:0}.vm-i:focus-visible{outline:2px solid;outline-offset:-3px}' +
    // Submenu marker for items without a right icon of their own.
    '.vm-ar::after{content:"";flex:none;border:4px solid transparent;border-right:0;border-left-color:currentColor}' +
    '.vm-h>.vm-ar::after{border:4px solid transparent;border-bottom:0;border-top-color:currentColor}';

  function str(v) { return v == null ? '' : String(v); }
  function num(v, def) { v = parseFloat(v); return isNaN(v) ? def : v; }
  function px(v) { return v + 'px'; }
  function warn(msg) { if (w.console) console.warn('Velmora menu: ' + msg); }
  function attr(e, k, v) { e.setAttribute(k, v); }
  function mk(tag, cls, parent) {
    var e = d.createElement(tag);
    if (cls) e.className = cls;
    if (parent) parent.appendChild(e);
    return e;
  }
  // Runs fn after ms milliseconds, or at once when ms is not positive.
  function later(fn, ms) {
    if (ms > 0) return setTimeout(fn, ms);
    fn();
    return 0;
  }
  function each(list, fn) { for (var i = 0; i < list.length; i++) fn(list[i], i); }

  /* ---- The builder ---- */

  w.bbae = function (name, cfg, divId, dir, gap, oDelay, oDur, oSlide, oFlag, oFilter,
    cDelay, cDur, cSlide, cFlag, cFilter) {
    var m = {
      name: str(name), hz: num(dir, 1) !== 0, gap: num(gap, 1),
      od: num(oDelay, 0), odur: num(oDur, 330), os: str(oSlide) === '2',
      of: str(oFlag) === '1' && effect(oFilter),
      cd: num(cDelay, 200), cdur: num(cDur, 220), cs: str(cSlide) === '2',
      cf: str(cFlag) === '1' && effect(cFilter),
      open: [], top: []
    };
    var old = V.menus[m.name];
    // The configuration script calls again when its own retry comes after an early start.
    if (old && old.cfg === cfg && old.n === (cfg && cfg.length)) return;
    function go() {
      var box = d.getElementById(divId);
      if (!box) {
        if (d.readyState === 'loading') d.addEventListener('DOMContentLoaded', go);
        else if (d.readyState !== 'complete') w.addEventListener('load', go);
        else warn('no element with id "' + divId + '" for ' + m.name);
        return;
      }
      if (old && old.bar) remove(old);
      m.box = box;
      build(m);
    }
    try {
      if (!cfg || typeof cfg.length !== 'number') return warn(m.name + ' has no item list');
      m.cfg = cfg;
      m.n = cfg.length;
      parse(m, cfg);
      V.menus[m.name] = m;
      go();
    } catch (e) {
      warn(m.name + ' could not be built: ' + e);
    }
  };

  // Turns the item arrays into a tree. An item whose parent is not an earlier item
  // joins the top level; rows that are not arrays are skipped; one warning sums up.
  function parse(m, cfg) {
    var all = [], bad = 0;
    each(cfg, function (c, i) {
      var it = null, p, par;
      if (c && typeof c === 'object' && typeof c.length === 'number') {
        p = num(c[PARENT], NaN);
        par = p >= 0 && p < i ? all[p] || null : null;
        if (c.length < 40 || (p !== -1 && !par)) bad++;
        it = {
          m: m, c: c, i: i, par: par, lv: par ? par.lv + 1 : 0, kids: [], s: -1,
          off: str(c[ENABLED]) === '0',
          cls: [str(c[CLASS]), str(c[CLASS + 1]) || str(c[CLASS]), str(c[CLASS + 2]) || str(c[CLASS])]
        };
        (par ? par.kids : m.top).push(it);
      } else bad++;
      all.push(it);
    });
    if (bad) warn(m.name + ': ' + bad + ' item(s) with missing positions or a parent that is not an earlier item; skipped or moved to the top');
  }

  function build(m) {
    if (!d.getElementById('vm-css')) mk('style', '', d.head || d.documentElement).id = 'vm-css';
    d.getElementById('vm-css').textContent = CSS;
    fixSheets();
    var f = d.createDocumentFragment();
    m.bar = panel(m, f, m.top, m.hz, m.gap, 'menubar');
    m.layer = mk('div', 'vm-l', f);
    m.tab = m.top[0];
    if (m.tab) m.tab.el.tabIndex = 0;
    m.h = {};
    each(['pointerover', 'pointerout', 'pointermove', 'pointerdown', 'click', 'keydown', 'focusin', 'focusout'],
      function (t) { m.box.addEventListener(t, m.h[t] = function (e) { on[t](m, e); }); });
    m.box.appendChild(f);
  }

  function remove(m) {
    trim(m, 0);
    for (var t in m.h) m.box.removeEventListener(t, m.h[t]);
    m.box.removeChild(m.bar);
    m.box.removeChild(m.layer);
  }

  function panel(m, parent, items, hz, gap, role) {
    var p = mk('div', (role === 'menu' ? 'vm-p ' : 'vm-bar ') + (hz ? 'vm-h' : 'vm-v'), parent);
    attr(p, 'role', role);
    attr(p, 'aria-orientation', hz ? 'horizontal' : 'vertical');
    p.style.setProperty('--g', px(gap));
    each(items, function (it) { p.appendChild(itemEl(m, it)); });
    return p;
  }

  function itemEl(m, it) {
    var c = it.c, a = it.el = mk('a'), link = str(c[LINK]), tip = str(c[TIP]), t, s = a.style;
    a.$vm = it;
    a.id = m.name + '-' + it.i;
    a.tabIndex = -1;
    attr(a, 'role', 'menuitem');
    it.bc = 'vm-i' + (num(c[WRAP], 0) === 1 ? ' vm-w' : '') + (it.off ? ' vm-x' : '');
    if (it.off) attr(a, 'aria-disabled', 'true');
    else if (link) {
      a.href = link;
      if (str(c[TARGET])) a.target = str(c[TARGET]);
    }
    if (it.kids.length) {
      attr(a, 'aria-haspopup', 'menu');
      attr(a, 'aria-expanded', 'false');
      attr(a, 'aria-controls', m.name + '-m' + it.i);
    }
    if (tip) a.title = tip;
    s.width = px(num(c[WIDTH], 150));
    s.minHeight = px(num(c[HEIGHT], 20));
    s.padding = [num(c[PAD + 2], 0), num(c[PAD + 1], 10), num(c[PAD + 3], 0), num(c[PAD], 4)].map(px).join(' ');
    it.im = [];
    icon(it, LICON, a);
    t = mk('span', 'vm-t', a);
    t.style.textAlign = ['left', 'center', 'right'][num(c[ALIGN], 0)] || 'left';
    // An item with an image shows the image in place of its caption.
    if (!icon(it, IMAGE, t, str(c[CAP]))) t.textContent = str(c[CAP]);
    if (!icon(it, RICON, a) && it.kids.length) it.bc += ' vm-ar';
    paint(it);
    return a;
  }

  // Adds the image of one icon slot (normal, over and clicked address, then width and
  // height) when the slot names any image.
  function icon(it, k, parent, alt) {
    var c = it.c, u = [str(c[k]), str(c[k + 1]), str(c[k + 2])], img;
    if (!(k === IMAGE ? u[0] : u[0] || u[1] || u[2])) return null;
    img = mk('img', '', parent);
    img.alt = alt || '';
    img.width = num(c[k + 3], 16);
    img.height = num(c[k + 4], 16);
    each(u, function (x, j) { if (j && x) new Image().src = x; });
    it.im.push([img, u]);
    return img;
  }

  // Shows the item in its current state: clicked while pressed and for the item last
  // activated, over while pointed at, focused or on the open submenu path.
  function paint(it) {
    if (!it || !it.el) return;
    var m = it.m, s = it.off ? NORMAL : it === m.press || it === m.last ? CLICKED :
      it === m.hov || it === m.foc || m.open[it.lv] === it ? OVER : NORMAL;
    if (s === it.s) return;
    it.s = s;
    it.el.className = it.bc + ' ' + it.cls[s];
    each(it.im, function (p) {
      var u = p[1][s] || p[1][NORMAL], img = p[0];
      if (img.$u === u) return;
      img.$u = u;
      if (u) img.src = u;
      img.style.visibility = u ? '' : 'hidden';
    });
  }

  /* ---- Opening and closing ---- */

  function canOpen(it) { return it && it.kids.length && !it.off; }

  function openSub(m, it, focus) {
    if (m.open.length < it.lv) openSub(m, it.par);
    clearTimeout(m.ct);
    trim(m, it.lv);
    var s = it.sub || mkSub(m, it);
    m.open[it.lv] = it;
    attr(it.el, 'aria-expanded', 'true');
    paint(it);
    place(m, it, s);
    anim(m, s, 1);
    if (focus) focusIt(m, it.kids[focus > 0 ? 0 : it.kids.length - 1]);
  }

  // Closes the open submenus from depth n on, deepest first.
  function trim(m, n) {
    while (m.open.length > n) {
      var it = m.open.pop();
      attr(it.el, 'aria-expanded', 'false');
      if (it.sub.el.contains(d.activeElement)) focusIt(m, it);
      anim(m, it.sub, 0);
      paint(it);
    }
  }

  function mkSub(m, it) {
    var c = it.c, s = it.sub = { el: mk('div', 'vm-s', m.layer), pr: 0 };
    it.sh = num(c[SUB_DIR], 0) === 1;
    s.el.$vm = it;
    s.p = panel(m, s.el, it.kids, it.sh, num(c[SUB_GAP], 1), 'menu');
    s.p.id = m.name + '-m' + it.i;
    attr(s.p, 'aria-labelledby', it.el.id);
    return s;
  }

  // Puts a submenu beside its item (below it when the item's row is horizontal) with the
  // item's offsets, flipped to the other side or shifted to stay inside the viewport.
  function place(m, it, s) {
    var c = it.c, e = s.el, p = s.p, ox = num(c[SUB_X], 0), oy = num(c[SUB_Y], 0),
      r = it.el.getBoundingClientRect(), vp = d.scrollingElement || d.documentElement,
      vw = vp.clientWidth, vh = vp.clientHeight, drop = it.par ? it.par.sh : m.hz,
      flip = it.par ? it.par.sub.flip : 0, L, x, y, W, H;
    p.style.maxHeight = p.style.maxWidth = '';
    e.style.display = 'block';
    e.style.left = e.style.top = '0';
    L = m.layer.getBoundingClientRect();
    W = e.offsetWidth;
    H = e.offsetHeight;
    if (H > vh) p.style.maxHeight = px(H = vh);
    if (W > vw) p.style.maxWidth = px(W = vw);
    if (drop) {
      x = r.left + ox;
      y = r.bottom + oy;
      if (x + W > vw) x = r.right - W - ox;
      s.dir = 'd';
      if (y + H > vh && r.top - H - oy >= 0) { y = r.top - H - oy; s.dir = 'u'; }
    } else {
      x = flip ? r.left - W - ox : r.right + ox;
      if (!flip && x + W > vw && r.left - W - ox >= 0) { flip = 1; x = r.left - W - ox; }
      else if (flip && x < 0) { flip = 0; x = r.right + ox; }
      y = r.top + oy;
      if (y + H > vh) y = vh - H;
      s.dir = flip ? 'l' : 'r';
    }
    s.flip = flip;
    x = Math.max(0, Math.min(x, vw - W));
    y = Math.max(0, Math.min(y, vh - H));
    e.style.left = px(x - L.left);
    e.style.top = px(y - L.top);
  }

  // Animates a submenu towards shown (open 1) or hidden (0) from where it stands now.
  function anim(m, s, open) {
    var dur = open ? m.odur : m.cdur, slide = open ? m.os : m.cs, fx = open ? m.of : m.cf,
      from = s.pr, to = open ? 1 : 0, t0 = performance.now(), span = dur * Math.abs(to - from),
      e = s.el, ps = s.p.style;
    cancelAnimationFrame(s.raf);
    clearTimeout(s.tm);
    function end() {
      cancelAnimationFrame(s.raf);
      clearTimeout(s.tm);
      s.pr = to;
      e.style.transform = e.style.clipPath = ps.opacity = ps.clipPath = ps.filter = '';
      mask(ps, '');
      if (!open) e.style.display = 'none';
    }
    function step() {
      var k = Math.min(1, (performance.now() - t0) / span), p = from + (to - from) * k, q = 1 - p;
      s.pr = p;
      if (k >= 1) return end();
      if (slide) {
        var v = s.dir, X = v === 'r' ? -q * s.w : v === 'l' ? q * s.w : 0, Y = v === 'd' ? -q * s.h : v === 'u' ? q * s.h : 0;
        e.style.transform = 'translate(' + px(X) + ',' + px(Y) + ')';
        e.style.clipPath = 'inset(' + [v === 'd' ? -Y : 0, v === 'l' ? X : 0, v === 'u' ? Y : 0, v === 'r' ? -X : 0].map(px).join(' ') + ')';
      }
      if (fx) fx(ps, p, s.w, s.h);
      s.raf = requestAnimationFrame(step);
    }
    if (motion && motion.matches || !(slide || fx) || !(span > 0)) return end();
    s.w = e.offsetWidth;
    s.h = e.offsetHeight;
    step();
    // Finish even where frames are not delivered (a hidden tab).
    s.tm = setTimeout(end, span + 100);
  }

  function mask(st, v) {
    st.webkitMaskImage = st.maskImage = v;
  }

  /* ---- Transition effects: the filter texts of the generated script in today's CSS ---- */

  // Returns fn(style, progress 0..1, width, height) for a filter text, or null.
  function effect(text) {
    var f = /Microsoft\.(\w+)\(([^)]*)\)/i.exec(str(text)), a, kind;
    if (!f) return null;
    kind = f[1].toLowerCase();
    a = f[2].toLowerCase();
    function arg(k) { var r = new RegExp(k + '\\s*=\\s*([\\w.]+)').exec(a); return r ? r[1] : ''; }
    if (kind === 'fade') return function (st, p) { st.opacity = p; };
    if (kind === 'iris') return iris(arg('irisstyle') || 'plus', arg('motion') === 'in');
    if (kind === 'wheel') {
      var sector = 360 / (num(arg('spokes'), 4) || 4);
      return function (st, p) {
        mask(st, 'repeating-conic-gradient(#000 0 ' + p * sector + 'deg,transparent 0 ' + sector + 'deg)');
      };
    }
    if (kind === 'wipe') {
      var to = 'to ' + (arg('wipestyle') === '1' ? arg('motion') === 'reverse' ? 'top' : 'bottom' :
        arg('motion') === 'reverse' ? 'left' : 'right');
      return function (st, p) {
        mask(st, 'linear-gradient(' + to + ',#000 ' + (p * 200 - 100) + '%,transparent ' + p * 200 + '%)');
      };
    }
    if (kind === 'pixelate') {
      var max = num(arg('maxsquare'), 20);
      return function (st, p) {
        var b = Math.max(2, Math.round((1 - p) * max));
        svgFx('px', [['flood', { x: b / 2 - 1, y: b / 2 - 1 }], ['comp', { width: b, height: b }], ['dil', { radius: b / 2 }]]);
        st.filter = 'url(#vm-px)';
        st.opacity = Math.min(1, p * 2);
      };
    }
    if (kind === 'randomdissolve') return function (st, p) {
      svgFx('dz', [['fa', { intercept: -20 * (0.85 - 0.7 * p) }]]);
      st.filter = 'url(#vm-dz)';
    };
    return null;
  }

  // Pixelate and dissolve are SVG filters whose parameters change frame by frame.
  function svgFx(id, set) {
    if (!fxSvg) {
      fxSvg = mk('div');
      fxSvg.innerHTML = '<svg aria-hidden="true" style="position:absolute;width:0;height:0">' +
        '<filter id="vm-px" x="0" y="0" width="1" height="1"><feFlood id="vm-px-flood" width="2" height="2"/>' +
        '<feComposite id="vm-px-comp" result="c"/><feTile in="c" result="t"/>' +
        '<feComposite in="SourceGraphic" in2="t" operator="in"/><feMorphology id="vm-px-dil" operator="dilate"/></filter>' +
        '<filter id="vm-dz" x="0" y="0" width="1" height="1"><feTurbulence type="fractalNoise" baseFrequency=".8" result="n"/>' +
        '<feComponentTransfer in="n" result="a"><feFuncA id="vm-dz-fa" type="linear" slope="20"/></feComponentTransfer>' +
        '<feComposite in="SourceGraphic" in2="a" operator="in"/></filter></svg>';
      fxSvg = fxSvg.firstChild;
      d.body.appendChild(fxSvg);
    }
    each(set, function (x) {
      var e = d.getElementById('vm-' + id + '-' + x[0]);
      for (var k in x[1]) attr(e, k, x[1][k]);
    });
  }

  // Iris outlines at full size: circle and star keep their proportions and cover a
  // circle through the box's corners (radius 1); the others stretch with the box,
  // which they cover when it spans -1..1 both ways.
  var SHAPES = {
    circle: ring(32, function () { return 1.005; }),
    star: ring(10, function (j) { return j % 2 ? 1.25 : 2.5; }),
    square: [[-1, -1], [1, -1], [1, 1], [-1, 1]],
    diamond: [[0, -2], [2, 0], [0, 2], [-2, 0]],
    plus: cross(1, 3, 0),
    cross: cross(Math.SQRT2, 3.5, 1)
  };
  function ring(n, radius) {
    var pts = [];
    for (var j = 0; j < n; j++) {
      var a = 2 * Math.PI * j / n - Math.PI / 2;
      pts.push([Math.cos(a) * radius(j), Math.sin(a) * radius(j)]);
    }
    pts.round = 1;
    return pts;
  }
  // A plus with arms T thick and L long, or the same turned by 45 degrees.
  function cross(T, L, turn) {
    var pts = [[-T, -L], [T, -L], [T, -T], [L, -T], [L, T], [T, T], [T, L], [-T, L], [-T, T], [-L, T], [-L, -T], [-T, -T]];
    return turn ? pts.map(function (q) { return [(q[0] - q[1]) * Math.SQRT1_2, (q[0] + q[1]) * Math.SQRT1_2]; }) : pts;
  }

  // The iris grows from the centre; with motion "in" it closes from the edges inward,
  // drawn as the box with a shrinking hole (even-odd fill).
  function iris(style, inward) {
    var unit = SHAPES[style] || SHAPES.plus;
    return function (st, p, w, h) {
      var f = inward ? 1 - p : p, R = Math.sqrt(w * w + h * h) / 2,
        kx = f * (unit.round ? R : w / 2), ky = f * (unit.round ? R : h / 2),
        pts = unit.map(function (q) { return px(w / 2 + q[0] * kx) + ' ' + px(h / 2 + q[1] * ky); });
      if (inward) pts = ['0 0', px(w) + ' 0', px(w) + ' ' + px(h), '0 ' + px(h), '0 0'].concat(pts, pts[0], '0 0');
      st.clipPath = 'polygon(' + (inward ? 'evenodd,' : '') + pts.join(',') + ')';
    };
  }

  /* ---- Pointer, touch and keyboard ---- */

  function itemOf(m, t) {
    var a = t && t.closest && t.closest('.vm-i');
    return a && a.$vm && a.$vm.m === m ? a.$vm : null;
  }

  function focusIt(m, it) {
    if (!it.par) {
      if (m.tab) m.tab.el.tabIndex = -1;
      (m.tab = it).el.tabIndex = 0;
    }
    it.el.focus();
  }

  // The pointer rests on item it (or, with it null, on the menu's depth keep); open
  // submenus beyond that path close after the close delay, its own opens after the
  // open delay. Crossing another item on the way to an open submenu changes nothing.
  function hover(m, it, keep, force) {
    var k0 = keep, o = m.hov, s = m.open[keep], last = m.open[m.open.length - 1], msg = it && !it.off && str(it.c[STATUS]),
      opens = canOpen(it) && s !== it;
    if (o !== it) {
      m.hov = it;
      paint(o);
      paint(it);
      if (msg || m.st) w.status = msg || '';
      m.st = !!msg;
    }
    clearTimeout(m.ot);
    clearTimeout(m.ct);
    m.pend = null;
    if (canOpen(it) && s === it) keep++;
    if (!force && last && last !== it && (opens || m.open.length > keep) && aiming(m, last.sub)) {
      m.pend = [it, k0, last];
      m.ot = setTimeout(function () { hover(m, it, k0, 1); }, 300);
      return;
    }
    if (m.open.length > keep) m.ct = later(function () { trim(m, keep); }, m.cd);
    if (opens) m.ot = later(function () { openSub(m, it); }, m.od);
  }

  // Is the pointer's last move heading into the submenu s?
  function aiming(m, s) {
    var a = m.p0, b = m.p1, r = s.el.getBoundingClientRect(), c1, c2, x, y;
    if (!a) return false;
    x = a.x < r.left ? r.left : a.x > r.right ? r.right : 0;
    y = a.y < r.top ? r.top : r.bottom;
    c1 = x ? [x, r.top] : [r.left, y];
    c2 = x ? [x, r.bottom] : [r.right, y];
    function side(p, q) { return (b.x - q[0]) * (p[1] - q[1]) - (p[0] - q[0]) * (b.y - q[1]); }
    var s1 = side([a.x, a.y], c1), s2 = side(c1, c2), s3 = side(c2, [a.x, a.y]);
    return (s1 > 0 && s2 > 0 && s3 > 0) || (s1 < 0 && s2 < 0 && s3 < 0);
  }

  function track(m, e) {
    var p = m.p1;
    if (p && p.x === e.clientX && p.y === e.clientY) return;
    m.p0 = p;
    m.p1 = { x: e.clientX, y: e.clientY };
  }

  function activate(m, it) {
    var o = m.last;
    m.last = it;
    paint(o);
    paint(it);
    trim(m, 0);
  }

  var on = {
    pointerover: function (m, e) {
      if (e.pointerType === 'touch') return;
      track(m, e);
      var it = itemOf(m, e.target), sub = e.target.closest && e.target.closest('.vm-s');
      hover(m, it, it ? it.lv : sub ? sub.$vm.lv + 1 : 0);
    },
    pointerout: function (m, e) {
      if (e.pointerType !== 'touch' && !m.box.contains(e.relatedTarget)) hover(m, null, 0);
    },
    pointermove: function (m, e) {
      track(m, e);
      var p = m.pend;
      if (p) {
        if (!aiming(m, p[2].sub)) hover(m, p[0], p[1], 1);
        else {
          clearTimeout(m.ot);
          m.ot = setTimeout(function () { hover(m, p[0], p[1], 1); }, 300);
        }
      }
    },
    pointerdown: function (m, e) {
      var it = itemOf(m, e.target);
      if (it && !it.off && e.button < 1) {
        m.press = it;
        paint(it);
      }
    },
    // A first click or tap on an item whose submenu is closed opens it; the next one
    // follows the item's link.
    click: function (m, e) {
      var it = itemOf(m, e.target);
      if (!it) return;
      if (it.off) return e.preventDefault();
      if (canOpen(it) && m.open[it.lv] !== it) {
        e.preventDefault();
        clearTimeout(m.ot);
        return openSub(m, it);
      }
      if (it.el.href || !it.kids.length) activate(m, it);
    },
    focusin: function (m, e) {
      var it = itemOf(m, e.target), o = m.foc;
      m.foc = it;
      paint(o);
      if (it) {
        paint(it);
        if (m.open.length > it.lv && m.open[it.lv] !== it) trim(m, it.lv);
      }
    },
    focusout: function (m, e) {
      if (m.box.contains(e.relatedTarget)) return;
      var o = m.foc;
      m.foc = null;
      paint(o);
      if (e.relatedTarget) trim(m, 0);
    },
    keydown: function (m, e) {
      var it = itemOf(m, e.target);
      if (!it || e.altKey || e.ctrlKey || e.metaKey) return;
      if (key(m, it, e.key, e.shiftKey)) e.preventDefault();
    }
  };

  // Keyboard handling of the menubar pattern; true when the key was used.
  function key(m, it, k, shift) {
    var par = it.par, sib = par ? par.kids : m.top, n = sib.length, j = sib.indexOf(it),
      hz = par ? par.sh : m.hz, next = hz ? 'ArrowRight' : 'ArrowDown', prev = hz ? 'ArrowLeft' : 'ArrowUp',
      into = hz ? 'ArrowDown' : 'ArrowRight', back = hz ? 'ArrowUp' : 'ArrowLeft', root;
    if (k.length > 1) m.ta = '';
    if (k === next || k === prev) focusIt(m, sib[(j + (k === next ? 1 : n - 1)) % n]);
    else if (k === 'Home' || k === 'End') focusIt(m, sib[k === 'Home' ? 0 : n - 1]);
    else if ((k === into || k === ' ' || k === 'Enter' && !it.el.href) && canOpen(it)) openSub(m, it, 1);
    else if (k === back && !par && hz && canOpen(it)) openSub(m, it, -1);
    else if (par && !par.par && (m.hz ? /Left|Right/ : /Up|Down/).test(k)) {
      // Leaving a first-level submenu sideways moves along the menubar.
      j = m.top.indexOf(par) + (/Right|Down/.test(k) ? 1 : m.top.length - 1);
      root = m.top[j % m.top.length];
      trim(m, 0);
      focusIt(m, root);
      if (canOpen(root)) openSub(m, root, 1);
    } else if (par && (k === back || k === 'Escape')) {
      trim(m, par.lv);
      focusIt(m, par);
    } else if (k === 'Escape') trim(m, 0);
    else if ((k === ' ' || k === 'Enter' && !it.el.href) && !it.off) it.el.href ? it.el.click() : activate(m, it);
    else if (k === 'Tab') {
      // Let the browser move on from the menubar, with every submenu closed.
      for (root = it; root.par; root = root.par);
      trim(m, 0);
      if (par) focusIt(m, root);
      return false;
    } else if (k.length === 1 && k !== ' ') typeAhead(m, sib, j, k.toLowerCase());
    else return false;
    return !shift || k !== 'Tab';
  }

  function typeAhead(m, sib, j, ch) {
    var now = Date.now(), n = sib.length, q, x;
    m.ta = (now - m.tt < 700 ? m.ta : '') + ch;
    m.tt = now;
    q = m.ta.length > 1 ? 0 : 1;
    for (var i = 0; i < n; i++) {
      x = sib[(j + q + i) % n];
      if (str(x.c[CAP]).toLowerCase().indexOf(m.ta) === 0) return focusIt(m, x);
    }
  }

  function allMenus(fn) { for (var k in V.menus) if (V.menus[k].bar) fn(V.menus[k]); }
  d.addEventListener('pointerdown', function (e) {
    allMenus(function (m) { if (!m.box.contains(e.target)) trim(m, 0); });
  }, true);
  each(['pointerup', 'pointercancel'], function (t) {
    d.addEventListener(t, function () {
      allMenus(function (m) { var p = m.press; m.press = null; paint(p); });
    }, true);
  });
  w.addEventListener('resize', function () { allMenus(function (m) { trim(m, 0); }); });

  // Browsers drop the IE border style "window-inset" from the generated stylesheet
  // together with the colour and width beside it. Where the page may read its own
  // stylesheets, restate those declarations with "inset". ("hand" and "url(uri)"
  // cursors fall back to the pointer that the items have anyway.)
  function fixSheets() {
    if (!w.fetch || !/^https?:$/.test(location.protocol)) return;
    each(d.querySelectorAll('link[rel~=stylesheet]'), function (l) {
      if (l.$vm) return;
      l.$vm = 1;
      fetch(l.href).then(function (r) { return r.ok ? r.text() : ''; }).then(function (t) {
        var re = /([^{}]+)\{([^}]*)\}/g, x, out = '';
        while ((x = re.exec(t))) {
          var decl = x[2].match(/[\w-]+\s*:[^;]*window-inset[^;]*/gi);
          if (decl) out += x[1].replace(/\/\*[\s\S]*?\*\//g, '') + '{' + decl.join(';').replace(/window-inset/gi, 'inset') + '}';
        }
        if (out) mk('style', '', d.head || d.documentElement).textContent = out;
      }).catch(function () {});
    });
  }

  w.bMac = true;

  // The configuration script looks for bMac only every 350 ms: start menus that are
  // already waiting now rather than leave the page without its menu meanwhile.
  each(Object.keys(w), function (k) {
    var n = /^Init(menu\d+)$/.exec(k);
    if (n && typeof w[k] === 'function' && w[n[1] + 'cfg']) try { w[k](); } catch (e) { /* its own retry follows */ }
  });
})(window, document);
