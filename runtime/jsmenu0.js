/* jsmenu0.js - Velmora menu runtime. bbae() builds the menu that the configuration script
 * describes; bMac tells that script we are loaded. */
(function (w, d) {
  'use strict';
  if (w.Velmora) return;

  var V = w.Velmora = { menus: {}, geo: {}, g: 0 },
    motion = w.matchMedia('(prefers-reduced-motion: reduce)'),
    // Item array positions
    CAP = 0, ALIGN = 1, WRAP = 2, PAD = 3 /* left right top bottom */, LINK = 7, TARGET = 8,
    STATUS = 9, TIP = 10, PARENT = 11, ENABLED = 12, WIDTH = 13, HEIGHT = 14,
    CLASS = 17 /* normal over clicked */, LICON = 20 /* n o c, width, height */, IMAGE = 25,
    RICON = 30, SUB_X = 35, SUB_Y = 36, SUB_DIR = 37, SUB_GAP = 39,
    NORMAL = 0, OVER = 1, CLICKED = 2,
    fxSvg,
    CSS = '.vm-bar,.vm-p{display:flex;align-items:flex-start}.vm-v{flex-direction:column}' +
      '.vm-h>.vm-i+.vm-i{margin-left:var(--g)}.vm-v>.vm-i+.vm-i{margin-top:var(--g)}' +
      '.vm-l{position:absolute;z-index:1000}.vm-s{position:absolute;display:none}' +
      // Long bar: lay out items in view or open
      '.vm-p{overflow:auto}.vm-long>:not([aria-expanded=true]){content-visibility:auto;contain-intrinsic-size:auto none}' +
      '.vm-i{box-sizing:border-box;display:flex;align-items:center;column-gap:4px;flex:none;' +
      'text-decoration:none;overflow:clip}' +
      ':where(.vm-i){cursor:pointer;color:inherit}:where(.vm-x){cursor:default}' +
      '.vm-t{flex:1 1 auto;min-width:0;overflow:hidden;white-space:nowrap;text-overflow:ellipsis}' +
      '.vm-w .vm-t{white-space:normal}.vm-i img{flex:none;border:0}' +
      '.vm-i:focus-visible{outline:2px solid;outline-offset:-3px}' +
      '.vm-ar::after{content:"";border:4px solid transparent;border-right:0;border-left-color:currentColor}' +
      '.vm-h>.vm-ar::after{rotate:90deg}';

  function str(v) { return v == null ? '' : String(v); }
  function num(v, def) { v = parseFloat(v); return isNaN(v) ? def : v; }
  function px(v) { return v + 'px'; }
  function warn(msg) { console.warn('Velmora menu ' + msg); }
  function attr(e, k, v) { e.setAttribute(k, v); }
  function mk(tag, cls, parent) {
    var e = d.createElement(tag);
    if (cls) e.className = cls;
    if (parent) parent.appendChild(e);
    return e;
  }
  function each(list, fn) { for (var i = 0; i < list.length; i++) fn(list[i], i); }
  function later(fn, ms) {
    if (ms > 0) return setTimeout(fn, ms);
    fn();
  }

  w.bbae = function (name, cfg, divId, dir, gap, oDelay, oDur, oSlide, oFlag, oFilter,
    cDelay, cDur, cSlide, cFlag, cFilter) {
    var m = {
        name: str(name), cfg: cfg, n: cfg && cfg.length, hz: num(dir, 1) !== 0, gap: num(gap, 1),
        od: num(oDelay, 0), odur: num(oDur, 330), os: oSlide == 2, of: oFlag == 1 && effect(oFilter),
        cd: num(cDelay, 200), cdur: num(cDur, 220), cs: cSlide == 2, cf: cFlag == 1 && effect(cFilter),
        open: [], top: []
      };
    // A second call is the configuration script's own retry
    if (V.menus[m.name]) return;
    function go() {
      var box = d.getElementById(divId);
      if (box) build(m, box);
      else if (d.readyState === 'loading') d.addEventListener('DOMContentLoaded', go);
      else if (d.readyState !== 'complete') w.addEventListener('load', go);
      else warn(m.name + ': no element #' + divId);
    }
    try {
      if (!(m.n >= 0)) return warn(m.name + ': no item list');
      parse(m);
      V.menus[m.name] = m;
      go();
    } catch (e) {
      warn(m.name + ': ' + e);
    }
  };

  // Bad parent: to the top; no array: skipped
  function parse(m) {
    var all = [], bad = 0;
    each(m.cfg, function (c, i) {
      var it = null, p, par;
      if (Array.isArray(c)) {
        p = num(c[PARENT], NaN);
        par = p >= 0 && p < i ? all[p] || null : null;
        if (c.length < 40 || (p !== -1 && !par)) bad++;
        it = {
          m: m, c: c, i: i, par: par, lv: par ? par.lv + 1 : 0, kids: [], off: c[ENABLED] == '0',
          cls: [str(c[CLASS]), str(c[CLASS + 1] || c[CLASS]), str(c[CLASS + 2] || c[CLASS])]
        };
        (par ? par.kids : m.top).push(it);
      } else bad++;
      all.push(it);
    });
    if (bad) warn(m.name + ': ' + bad + ' bad item(s)');
  }

  function build(m, box) {
    var f = d.createDocumentFragment();
    if (!V.css) {
      (V.css = mk('style', '', d.head || d.documentElement)).textContent = CSS;
      fixSheets();
    }
    m.box = box;
    m.bar = panel(m, f, m.top, m.hz, m.gap, 'menubar');
    m.layer = mk('div', 'vm-l', f);
    if ((m.tab = m.top[0])) m.tab.el.tabIndex = 0;
    if (!box.$vm) for (var t in on) box.addEventListener(t, handler(box, on[t]));
    box.$vm = m;
    box.appendChild(f);
  }
  function handler(box, fn) { return function (e) { fn(box.$vm, e); }; }

  function panel(m, parent, items, hz, gap, role) {
    var p = mk('div', (role === 'menu' ? 'vm-p ' : items.length > 99 ? 'vm-bar vm-long ' : 'vm-bar ') + (hz ? 'vm-h' : 'vm-v'), parent),
      css = '';
    attr(p, 'role', role);
    attr(p, 'aria-orientation', hz ? 'horizontal' : 'vertical');
    p.style.setProperty('--g', px(gap));
    each(items, function (it) {
      var c = it.c, k = c.slice(ALIGN, PAD + 4) + ';' + c.slice(WIDTH, HEIGHT + 1);
      // Shared rules: quicker than inline styles
      if (!V.geo[k]) css += '.' + (V.geo[k] = 'vm-' + V.g++) + '{width:' + px(num(c[WIDTH], 150)) +
        '!important;min-height:' + px(num(c[HEIGHT], 20)) + '!important;padding:' +
        [num(c[PAD + 2], 0), num(c[PAD + 1], 10), num(c[PAD + 3], 0), num(c[PAD], 4)].map(function (v) {
          return px(Math.max(0, v));
        }).join(' ') + '!important;text-align:' + (['left', 'center', 'right'][c[ALIGN]] || 'left') + '!important}';
      p.appendChild(itemEl(m, it, V.geo[k]));
    });
    if (css) V.css.textContent += css;
    return p;
  }

  function itemEl(m, it, geo) {
    var c = it.c, a = it.el = mk('a'), t, pic;
    a.$vm = it;
    a.id = m.name + '-' + it.i;
    a.tabIndex = -1;
    attr(a, 'role', 'menuitem');
    it.bc = 'vm-i ' + geo + (c[WRAP] == 1 ? ' vm-w' : '') + (it.off ? ' vm-x' : '');
    if (it.off) attr(a, 'aria-disabled', 'true');
    else if (str(c[LINK])) {
      a.href = c[LINK];
      if (str(c[TARGET])) a.target = c[TARGET];
    }
    if (it.kids.length) {
      attr(a, 'aria-haspopup', 'menu');
      attr(a, 'aria-expanded', 'false');
      attr(a, 'aria-controls', m.name + '-m' + it.i);
    }
    if (str(c[TIP])) a.title = c[TIP];
    it.im = [];
    icon(it, LICON, a);
    t = mk('span', 'vm-t', a);
    if (!(pic = icon(it, IMAGE, t, str(c[CAP])))) t.textContent = str(c[CAP]);
    if (!icon(it, RICON, a) && it.kids.length && !pic) it.bc += ' vm-ar';
    paint(it);
    return a;
  }

  // Icon slot: normal, over, clicked address, width, height
  function icon(it, k, parent, alt) {
    var c = it.c, u = [str(c[k]), str(c[k + 1]), str(c[k + 2])], img;
    if (!(u[0] || k !== IMAGE && (u[1] || u[2]))) return;
    img = mk('img', '', parent);
    img.alt = alt || '';
    img.width = num(c[k + 3], 16);
    img.height = num(c[k + 4], 16);
    each(u, function (x, j) { if (j && x) new Image().src = x; });
    it.im.push([img, u]);
    return img;
  }

  // Clicked: pressed or last used; over: pointed at, focused or open
  function paint(it) {
    if (!it || !it.el) return;
    var m = it.m, s = it.off ? NORMAL : it === m.press || it === m.last ? CLICKED :
      it === m.hov || it === m.foc || m.open[it.lv] === it ? OVER : NORMAL;
    if (s === it.s) return;
    it.s = s;
    it.el.className = it.bc + ' ' + it.cls[s];
    each(it.im, function (p) {
      var u = p[1][s] || p[1][NORMAL], img = p[0];
      if (img.$u !== u) {
        if ((img.$u = u)) img.src = u;
        img.style.visibility = u ? '' : 'hidden';
      }
    });
  }

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
    var s = it.sub = { el: mk('div', 'vm-s', m.layer), pr: 0 };
    it.sh = it.c[SUB_DIR] == 1;
    s.el.$vm = it;
    s.p = panel(m, s.el, it.kids, it.sh, num(it.c[SUB_GAP], 1), 'menu');
    s.p.id = m.name + '-m' + it.i;
    attr(s.p, 'aria-labelledby', it.el.id);
    return s;
  }

  // Beside the item (below in a row), kept in the viewport
  function place(m, it, s) {
    var e = s.el, es = e.style, ps = s.p.style, ox = num(it.c[SUB_X], 0), oy = num(it.c[SUB_Y], 0),
      r = it.el.getBoundingClientRect(), vp = d.scrollingElement || d.documentElement,
      vw = vp.clientWidth, vh = vp.clientHeight, flip = it.par ? it.par.sub.flip : 0, L, x, y, W, H;
    ps.maxHeight = ps.maxWidth = '';
    es.display = 'block';
    es.left = es.top = '0';
    L = m.layer.getBoundingClientRect();
    W = e.offsetWidth;
    H = e.offsetHeight;
    if (H > vh) ps.maxHeight = px(H = vh);
    if (W > vw) ps.maxWidth = px(W = vw);
    if (it.par ? it.par.sh : m.hz) {
      x = r.left + ox;
      if (x + W > vw) x = r.right - W - ox;
      y = r.bottom + oy;
      s.v = [0, -1];
      if (y + H > vh && r.top - H - oy >= 0) {
        y = r.top - H - oy;
        s.v = [0, 1];
      }
    } else {
      if (!flip && r.right + ox + W > vw && r.left - W - ox >= 0) flip = 1;
      else if (flip && r.left - W - ox < 0) flip = 0;
      x = flip ? r.left - W - ox : r.right + ox;
      y = Math.min(r.top + oy, vh - H);
      s.v = [flip ? 1 : -1, 0];
    }
    s.flip = flip;
    es.left = px(Math.max(0, Math.min(x, vw - W)) - L.left);
    es.top = px(Math.max(0, Math.min(y, vh - H)) - L.top);
  }

  function anim(m, s, open) {
    var slide = open ? m.os : m.cs, fx = open ? m.of : m.cf, from = s.pr, to = open ? 1 : 0,
      t0 = performance.now(), span = (open ? m.odur : m.cdur) * Math.abs(to - from), es = s.el.style, ps = s.p.style;
    function end() {
      cancelAnimationFrame(s.raf);
      clearTimeout(s.tm);
      s.pr = to;
      es.transform = es.clipPath = ps.opacity = ps.clipPath = ps.filter = '';
      mask(ps, '');
      if (!open) es.display = 'none';
    }
    function step() {
      var k = Math.min(1, (performance.now() - t0) / span), p = s.pr = from + (to - from) * k,
        X = (1 - p) * s.v[0] * s.w, Y = (1 - p) * s.v[1] * s.h;
      if (k >= 1) return end();
      if (slide) {
        es.transform = 'translate(' + px(X) + ',' + px(Y) + ')';
        es.clipPath = 'inset(' + [-Y, X, Y, -X].map(function (v) { return px(Math.max(0, v)); }).join(' ') + ')';
      }
      if (fx) fx(ps, p, s.w, s.h);
      s.raf = requestAnimationFrame(step);
    }
    end();
    s.pr = from;
    if (!open) es.display = 'block';
    if (motion.matches || !(slide || fx) || !(span > 0)) return end();
    s.w = s.el.offsetWidth;
    s.h = s.el.offsetHeight;
    step();
    s.tm = setTimeout(end, span + 100); // even without frames (hidden tab)
  }

  function mask(st, v) { st.webkitMaskImage = st.maskImage = v; }

  // fn(style, progress 0..1, width, height) for an IE filter text
  function effect(text) {
    var f = /Microsoft\.(\w+)\(([^)]*)\)/.exec(text) || [], kind = str(f[1]).toLowerCase(), a = str(f[2]).toLowerCase();
    function arg(k) { return (new RegExp(k + '=([\\w.]+)').exec(a) || [])[1]; }
    var rev = arg('motion') === 'reverse', n = 360 / (num(arg('spokes'), 4) || 4), max = num(arg('maxsquare'), 20),
      to = 'linear-gradient(to ' + (arg('wipestyle') == 1 ? rev ? 'top' : 'bottom' : rev ? 'left' : 'right');
    return kind === 'fade' ? function (st, p) { st.opacity = p; } :
      kind === 'iris' ? iris(SHAPES[arg('irisstyle')] || SHAPES.plus, arg('motion') === 'in') :
      kind === 'wheel' ? function (st, p) {
        mask(st, 'repeating-conic-gradient(#000 0 ' + p * n + 'deg,transparent 0 ' + n + 'deg)');
      } :
      kind === 'wipe' ? function (st, p) { mask(st, to + ',#000 ' + (p * 200 - 100) + '%,transparent ' + p * 200 + '%)'); } :
      kind === 'pixelate' ? function (st, p) {
        var b = Math.max(2, Math.round((1 - p) * max));
        st.opacity = Math.min(1, p * 2);
        svgFx(st, 'px', [['feFlood', 'x', b / 2 - 1], ['feFlood', 'y', b / 2 - 1], ['[result=c]', 'width', b],
          ['[result=c]', 'height', b], ['feMorphology', 'radius', b / 2]]);
      } :
      kind === 'randomdissolve' ? function (st, p) { svgFx(st, 'dz', [['feFuncA', 'intercept', 14 * p - 17]]); } : null;
  }

  function svgFx(st, id, sets) {
    if (!fxSvg) {
      fxSvg = mk('div', '', d.body);
      fxSvg.innerHTML = '<svg style="position:absolute;width:0;height:0">' +
        '<filter id="vm-px" x="0" y="0" width="1" height="1"><feFlood width="2" height="2"/><feComposite result="c"/>' +
        '<feTile in="c" result="t"/><feComposite in="SourceGraphic" in2="t" operator="in"/><feMorphology operator="dilate"/></filter>' +
        '<filter id="vm-dz"><feTurbulence type="fractalNoise" baseFrequency=".8"/>' +
        '<feComponentTransfer result="a"><feFuncA type="linear" slope="20"/></feComponentTransfer>' +
        '<feComposite in="SourceGraphic" in2="a" operator="in"/></filter></svg>';
    }
    each(sets, function (x) { attr(fxSvg.querySelector('#vm-' + id + ' ' + x[0]), x[1], x[2]); });
    st.filter = 'url(#vm-' + id + ')';
  }

  // Iris outlines: round ones cover radius 1 (corners), others -1..1
  var SHAPES = {
    circle: ring(32, function () { return 1.005; }),
    star: ring(10, function (j) { return j % 2 ? 1.25 : 2.5; }),
    square: [[-1, -1], [1, -1], [1, 1], [-1, 1]],
    diamond: [[0, -2], [2, 0], [0, 2], [-2, 0]],
    plus: cross(1, 3),
    cross: cross(Math.SQRT2, 3.5).map(function (q) { return [(q[0] - q[1]) * Math.SQRT1_2, (q[0] + q[1]) * Math.SQRT1_2]; })
  };
  function ring(n, radius) {
    for (var pts = [], j = 0, a; j < n; j++) {
      a = 2 * Math.PI * j / n - Math.PI / 2;
      pts.push([Math.cos(a) * radius(j), Math.sin(a) * radius(j)]);
    }
    pts.round = 1;
    return pts;
  }
  function cross(T, L) {
    return [[-T, -L], [T, -L], [T, -T], [L, -T], [L, T], [T, T], [T, L], [-T, L], [-T, T], [-L, T], [-L, -T], [-T, -T]];
  }
  // Motion "in": the box minus a shrinking hole
  function iris(unit, inward) {
    return function (st, p, w, h) {
      var f = inward ? 1 - p : p, R = Math.sqrt(w * w + h * h) / 2, pts = unit.map(function (q) {
        return px(w / 2 + q[0] * f * (unit.round ? R : w / 2)) + ' ' + px(h / 2 + q[1] * f * (unit.round ? R : h / 2));
      });
      if (inward) pts = ['0 0', px(w) + ' 0', px(w) + ' ' + px(h), '0 ' + px(h), '0 0'].concat(pts, pts[0], '0 0');
      st.clipPath = 'polygon(' + (inward ? 'evenodd,' : '') + pts.join(',') + ')';
    };
  }

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
    it.el.scrollIntoView({ block: 'nearest' }); // now: WebKit scrolls later
  }

  // Pointer on item it (or depth keep); kept while heading for a submenu
  function hover(m, it, keep, force) {
    var k0 = keep, o = m.hov, s = m.open[keep], last = m.open[m.open.length - 1],
      msg = it && !it.off && str(it.c[STATUS]);
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
    if (!force && m.open.length > keep && aiming(m, last.sub)) {
      m.pend = [it, k0, last];
      m.ot = setTimeout(function () { hover(m, it, k0, 1); }, 300);
    } else {
      if (m.open.length > keep) m.ct = later(function () { trim(m, keep); }, m.cd);
      if (canOpen(it) && s !== it) m.ot = later(function () { openSub(m, it); }, m.od);
    }
  }

  function aiming(m, s) {
    var a = m.p0, b = m.p1, r = s.el.getBoundingClientRect(), x, y, c1, c2;
    if (!a) return false;
    x = a.x < r.left ? r.left : a.x > r.right ? r.right : 0;
    y = a.y < r.top ? r.top : r.bottom;
    c1 = x ? [x, r.top] : [r.left, y];
    c2 = x ? [x, r.bottom] : [r.right, y];
    a = [a.x, a.y];
    function side(p, q) { return (b.x - q[0]) * (p[1] - q[1]) - (p[0] - q[0]) * (b.y - q[1]) > 0; }
    return side(a, c1) === side(c1, c2) && side(c1, c2) === side(c2, a);
  }

  function track(m, e) {
    var p = m.p1;
    if (!p || p.x !== e.clientX || p.y !== e.clientY) {
      m.p0 = p;
      m.p1 = { x: e.clientX, y: e.clientY };
    }
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
      var it = itemOf(m, e.target), sub = e.target.closest('.vm-s');
      hover(m, it, it ? it.lv : sub ? sub.$vm.lv + 1 : 0);
    },
    pointerout: function (m, e) {
      if (e.pointerType !== 'touch' && !m.box.contains(e.relatedTarget)) hover(m, null, 0);
    },
    pointermove: function (m, e) {
      var p = m.pend;
      track(m, e);
      if (p) {
        clearTimeout(m.ot);
        if (aiming(m, p[2].sub)) m.ot = setTimeout(function () { hover(m, p[0], p[1], 1); }, 300);
        else hover(m, p[0], p[1], 1);
      }
    },
    pointerdown: function (m, e) {
      var it = itemOf(m, e.target);
      if (it && !it.off && e.button < 1) paint(m.press = it);
    },
    // A first tap opens a closed submenu, the next follows the link
    click: function (m, e) {
      var it = itemOf(m, e.target);
      if (!it) return;
      if (it.off) e.preventDefault();
      else if (canOpen(it) && m.open[it.lv] !== it) {
        e.preventDefault();
        clearTimeout(m.ot);
        openSub(m, it);
      } else if (it.el.href || !it.kids.length) activate(m, it);
    },
    focusin: function (m, e) {
      var it = itemOf(m, e.target), o = m.foc;
      m.foc = it;
      paint(o);
      paint(it);
      if (it && m.open.length > it.lv && m.open[it.lv] !== it) trim(m, it.lv);
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
      if (it && !e.altKey && !e.ctrlKey && !e.metaKey && key(m, it, e.key)) e.preventDefault();
    }
  };

  // Menubar keyboard pattern; true when the key was used
  function key(m, it, k) {
    var par = it.par, sib = par ? par.kids : m.top, n = sib.length, j = sib.indexOf(it),
      hz = par ? par.sh : m.hz, next = hz ? 'ArrowRight' : 'ArrowDown', prev = hz ? 'ArrowLeft' : 'ArrowUp',
      into = hz ? 'ArrowDown' : 'ArrowRight', back = hz ? 'ArrowUp' : 'ArrowLeft', act = k === ' ' || k === 'Enter' && !it.el.href, root;
    if (k.length > 1) m.ta = '';
    if (k === next || k === prev) focusIt(m, sib[(j + (k === next ? 1 : n - 1)) % n]);
    else if (k === 'Home' || k === 'End') focusIt(m, sib[k === 'Home' ? 0 : n - 1]);
    else if ((k === into || act) && canOpen(it)) openSub(m, it, 1);
    else if (k === back && !par && hz && canOpen(it)) openSub(m, it, -1);
    else if (par && !par.par && (m.hz ? /Left|Right/ : /Up|Down/).test(k)) {
      root = m.top[(m.top.indexOf(par) + (/Right|Down/.test(k) ? 1 : m.top.length - 1)) % m.top.length];
      trim(m, 0);
      focusIt(m, root);
      if (canOpen(root)) openSub(m, root, 1);
    } else if (par && (k === back || k === 'Escape')) {
      trim(m, par.lv);
      focusIt(m, par);
    } else if (k === 'Escape') trim(m, 0);
    else if (act && !it.off) it.el.href ? it.el.click() : activate(m, it);
    else if (k === 'Tab') {
      for (root = it; root.par; root = root.par);
      trim(m, 0);
      focusIt(m, root);
      return false;
    } else if (k.length === 1 && k !== ' ') {
      m.ta = (Date.now() - m.tt < 700 ? m.ta : '') + k.toLowerCase();
      m.tt = Date.now();
      for (var i = m.ta.length > 1 ? 0 : 1; i <= n; i++) {
        root = sib[(j + i) % n];
        if (!str(root.c[CAP]).toLowerCase().indexOf(m.ta)) return !focusIt(m, root);
      }
    } else return false;
    return true;
  }

  function allMenus(fn) { for (var k in V.menus) if (V.menus[k].bar) fn(V.menus[k]); }
  d.addEventListener('pointerdown', function (e) {
    allMenus(function (m) { if (!m.box.contains(e.target)) trim(m, 0); });
  }, true);
  each(['pointerup', 'pointercancel'], function (t) {
    d.addEventListener(t, function () { allMenus(function (m) { paint(m.press, m.press = null); }); }, true);
  });

  // Browsers drop "window-inset" borders: restate them as inset
  function fixSheets() {
    if (w.fetch && /^http/.test(location.protocol)) each(d.querySelectorAll('link[rel~=stylesheet]'), function (l) {
      fetch(l.href).then(function (r) { return r.text(); }).then(function (t) {
        var out = '';
        t.replace(/\/\*[\s\S]*?\*\//g, '').replace(/([^{}]+){([^}]*window-inset[^}]*)}/gi, function (x, sel, body) {
          out += sel + '{' + body.match(/[\w-]+:[^;]*window-inset[^;]*/gi).join(';').replace(/window-inset/gi, 'inset') + '}';
        });
        if (out) V.css.textContent += out;
      }).catch(function () {});
    });
  }

  w.bMac = true;

  // Start waiting configuration scripts now, not at their 350 ms retry
  each(Object.keys(w), function (k) {
    var n = /^Init(menu\d+)$/.exec(k);
    if (n && typeof w[k] === 'function' && w[n[1] + 'cfg']) w[k]();
  });
})(window, document);
