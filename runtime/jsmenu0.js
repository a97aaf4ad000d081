/* jsmenu0.js - Velmora menu runtime. bbae() builds the menu that the configuration script
 * describes; bMac tells that script we are loaded. The build ships this file minified.
 * - Classic configuration: one array of 40 fields per item. Lean configuration (modern page):
 *   {r: distinct records (fields at their defaults left empty), i: record numbers in list
 *   order, an item's children as an array after it; left out when all are 0}; captions,
 *   links, targets, tips, disabled state and nesting come from the page's own <nav><ul>
 *   list, whose <a>/<span> elements become the items: a submenu's when it first opens.
 * - In a container whose first element is a <nav>, the menu replaces the nav's content, and
 *   the rest. Menubar name: the container's aria-label, the nav's, or "Menu".
 * - Relative links and images of the configuration are relative to the configuration
 *   script's folder, so one script serves pages in every folder. The list's own links are
 *   the page's and stay as they are.
 * - The item leading to the page shown gets aria-current="page"; it and the items above it
 *   look Clicked while nothing is pointed at or focused.
 * - No eval or string timers; our rules go into adoptedStyleSheets where there are any.
 * - Velmora.show(name, i, look): item i (element id NAME-i) drawn in look 0 normal, 1 over
 *   (when left out) or 2 clicked, its own submenu and those above it open; focus stays.
 *   i = -1 closes.
 * - Compact mode below 600 CSS px or when the bar and its first submenus do not fit:
 *   a "Menu" button opens the items as a list, submenus as an accordion. A bar that starts
 *   compact makes its items on the first press, so a long one costs nothing until then. */
(function (w, d) {
  'use strict';
  if (w.Velmora) return;

  var V = w.Velmora = { menus: {}, geo: {}, bc: {}, g: 0 },
    motion = w.matchMedia('(prefers-reduced-motion: reduce)'),
    // Item fields
    CAP = 0, ALIGN = 1, WRAP = 2, PAD = 3 /* left right top bottom */, LINK = 7, TARGET = 8,
    STATUS = 9, TIP = 10, PARENT = 11, ENABLED = 12, WIDTH = 13, HEIGHT = 14,
    CLASS = 17 /* normal over clicked */, LICON = 20 /* n o c, width, height */, IMAGE = 25,
    RICON = 30, SUB_X = 35, SUB_Y = 36, SUB_DIR = 37, SUB_GAP = 39,
    NORMAL = 0, OVER = 1, CLICKED = 2, LEAF = Object.freeze([]) /* the children of every leaf */,
    fxSvg,
    CSS = '.vm-bar,.vm-p{display:flex;align-items:flex-start}.vm-v{flex-direction:column}' +
      '.vm-h>.vm-i~.vm-i{margin-inline-start:var(--g)}.vm-v>.vm-i~.vm-i{margin-top:var(--g)}' +
      '.vm-l{position:absolute;z-index:1000}.vm-s{position:absolute;display:none}' +
      // Long bar: only items in view laid out
      '.vm-p{overflow:auto}.vm-long>:not([aria-expanded=true]){content-visibility:auto;contain-intrinsic-size:auto none}' +
      '.vm-i{box-sizing:border-box;display:flex;align-items:center;column-gap:4px;flex:none;' +
      'text-decoration:none;overflow:clip}' +
      ':where(.vm-i){cursor:pointer;color:inherit}:where(.vm-x){cursor:default}' +
      '.vm-t{flex:1 1 auto;min-width:0;overflow:hidden;white-space:nowrap;text-overflow:ellipsis}' +
      '.vm-w .vm-t{white-space:normal}.vm-i img{flex:none;border:0}' +
      '.vm-i:focus-visible,.vm-xb:focus-visible{outline:2px solid;outline-offset:-3px}' +
      // Arrows, each in a 4x8 box
      '.vm-ar::after{content:"";border:4px solid transparent;border-right:0;border-left-color:currentColor}' +
      '[dir=rtl] .vm-ar::after{border-left:0;border-right:4px solid}' +
      '.vm-h>.vm-ar::after,.vm-c .vm-ar::after,.vm-xb::after{border:4px solid transparent;border-bottom:0;border-top-color:currentColor;margin:2px -2px}' +
      // Compact: the arrow of an item with a link is on its expand button
      '.vm-xb::after{content:""}.vm-c .vm-hx::after{content:none}' +
      '.vm-tg,.vm-c .vm-xb{box-sizing:border-box;display:grid;place-items:center;width:44px;min-height:44px;padding:0}' +
      '.vm-tg::before{content:"";width:20px;height:2px;background:currentColor;box-shadow:0 -6px,0 6px}' +
      '.vm-tg[hidden],.vm-xb{display:none}.vm-c,.vm-c .vm-p{display:grid;grid-template-columns:1fr auto;overflow:visible}' +
      '.vm-c:not(.vm-op){display:none}.vm-c{position:absolute;z-index:1000}.vm-c .vm-s{position:static;grid-column:1/-1;padding-inline-start:16px}' +
      '.vm-c .vm-i{grid-column:1/-1;width:auto!important;min-height:max(44px,var(--h))!important;margin:0!important}.vm-c .vm-hx{grid-column:1}';

  function str(v) { return v == null ? '' : String(v); }
  function num(v, def) { v = parseFloat(v); return isNaN(v) ? def : v; }
  function px(v) { return v + 'px'; }
  // Layout viewport (innerWidth grows on a phone with an overflowing page)
  function port() { return d.scrollingElement || d.documentElement; }
  function warn(msg) { console.warn('Velmora menu ' + msg); }
  function attr(e, k, v) {
    if (v == null) e.removeAttribute(k);
    else e.setAttribute(k, v);
  }
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
        open: [], kids: LEAF
      };
    if (V.menus[m.name]) return;
    m.base = cfgAddress();
    function go() {
      var box = d.getElementById(divId);
      if (box) build(m, box);
      else if (d.readyState === 'loading') d.addEventListener('DOMContentLoaded', go);
      else if (d.readyState !== 'complete') w.addEventListener('load', go);
      else warn(m.name + ': no element #' + divId);
    }
    try {
      m.lean = cfg && !Array.isArray(cfg);
      if (!(m.lean || m.n >= 0)) return warn(m.name + ': no item list');
      if (!m.lean) parse(m);
      V.menus[m.name] = m;
      go();
    } catch (e) {
      warn(m.name + ': ' + e);
    }
  };

  // Bad parent: top level; no array: skipped
  function parse(m) {
    var all = [], bad = 0;
    each(m.cfg, function (c, i) {
      var it = null, p, par;
      if (Array.isArray(c)) {
        p = num(c[PARENT], NaN);
        par = p >= 0 && p < i ? all[p] || null : null;
        if (c.length < 40 || (p !== -1 && !par)) bad++;
        it = add(m, c, i, par, c[ENABLED] == '0');
        if (!it.off) it.h = link(m, c[LINK]);
      } else bad++;
      all.push(it);
    });
    m.all = all;
    if (bad) warn(m.name + ': ' + bad + ' bad item(s)');
  }

  // Every field an item of a long list has is in the literal: one block per item
  function add(m, c, i, par, off, el) {
    var it = { m: m, c: c, i: i, par: par, lv: par ? par.lv + 1 : 0, kids: LEAF, off: off, el: el, cur: 0, u: null },
      up = par || m;
    if (up.kids === LEAF) up.kids = [];
    up.kids.push(it);
    return it;
  }
  function cls(it, s) { return str(it.c[CLASS + s] || it.c[CLASS]); }
  // One copy of each class list, not one per item
  function shared(k) { return V.bc[k] || (V.bc[k] = k); }
  // The caption, or the alternative text of the image standing for it
  function capOf(it) {
    var img = it.el.querySelector('.vm-t img');
    return img ? img.alt : it.el.textContent;
  }

  // Items from the page's list, a level at a time: the bar's when it shows, a submenu's
  // when it is about to open or the keyboard, Velmora.show or the current page reach into
  // it, so a long menu costs at load only what shows
  function kids(x) {
    var u = x.u, m = x.m || x, par = x.m && x;
    if (u) {
      x.u = null;
      entries(m, u, par ? par.i + 1 : 0, x.c, function (e, sub, r, i) {
        var it = m.all[i] = add(m, r, i, par, e.getAttribute('aria-disabled') == 'true', e);
        it.u = sub;
        e.$vm = it;
      });
    }
    m.tab = m.tab || m.kids[0];
    return x.kids;
  }
  // Has it a submenu? Looks at the list without making its items
  function has(it) {
    var u = it.u, li;
    if (!u) return it.kids.length;
    for (li = u[0].firstElementChild; li; li = li.nextElementSibling) if (entry(li)) return 1;
  }
  function entry(li) {
    var e = li.firstElementChild;
    return e && e.localName !== 'ul' && e;
  }
  // Each entry of a level [list, record numbers] of the page's list: fn(element, its own
  // level, record, number) until fn returns true. An entry without a record of its own
  // takes its previous sibling's, or its parent's; without record numbers every entry has
  // the first. Numbers (from n >= 0) follow the list's order: an entry's submenu counts its <li>s.
  function entries(m, u, n, up, fn) {
    var recs = m.cfg.r || [], order = u[1], j = 0, prev, li, e, sub, ko, r, k;
    for (li = u[0].firstElementChild; li; li = li.nextElementSibling) {
      for (sub = e = entry(li); sub && sub.localName !== 'ul'; sub = sub.nextElementSibling);
      k = n;
      if (n >= 0) n += sub ? 1 + li.getElementsByTagName('li').length : 1;
      if (!e) {
        bad(m);
        continue;
      }
      r = recs[order ? order[j] : 0];
      ko = null;
      if (order) {
        if (typeof order[j] == 'number') j++;
        ko = Array.isArray(order[j]) ? order[j++] : LEAF;
        if (ko.length && !sub) bad(m);
      }
      if (!r) {
        bad(m);
        r = prev || up || recs[0] || [];
      }
      if (fn(e, sub && [sub, ko], prev = r, k)) return;
    }
    if (order && j < order.length) bad(m);
  }
  function bad(m) {
    if (!m.bad) warn(m.name + ": the page's list does not match the configuration");
    m.bad = 1;
  }

  // The configuration script's address when its folder is not the page's: the first
  // script in the calling chain other than this one
  var self = d.currentScript && d.currentScript.src;
  function cfgAddress() {
    var u = (str(new Error().stack).match(/[a-z][\w+.-]*:\/\/[^\s()]*?(?=:\d+:\d+)/gi) || []).filter(function (x) {
        return x !== self;
      })[0], dir = function (x) { return x.replace(/[?#].*/, '').replace(/[^/]*$/, ''); };
    return u && dir(u) !== dir(location.href) ? u : null;
  }
  // A relative address of the configuration, made absolute against its script
  function link(m, u) {
    var t = str(u).trim();
    try {
      if (m.base && /^[^#?/]/.test(t) && !/^[a-z][\w+.-]*:/i.test(t)) return new URL(t, m.base).href;
    } catch (e) {}
    return str(u);
  }

  // The page shown, whatever its query, fragment or index file name
  function pageOf(u) {
    try {
      // The list's links come absolute already
      return (/^https?:\/\//.test(u) ? u : new URL(u, d.baseURI).href).replace(/[?#].*/, '').replace(/\/index\.html?$/i, '/');
    } catch (e) {}
  }
  function markCurrent(m) {
    var here = pageOf(location.href);
    function mark(it) {
      if (it && !it.off) {
        it.cur = 2;
        for (var p = it.par; p && !p.cur; p = p.par) p.cur = 1;
      }
    }
    if (!m.lean) return each(m.all, function (it) { if (it && it.h && pageOf(it.h) === here) mark(it); });
    each(m.ul.querySelectorAll(leads(here)), function (a) {
      if (a.getAttribute('aria-current') == 'page' || a.href && pageOf(a.href) === here) mark(itemFor(m, a));
    });
  }
  // The list's links whose text could lead here, and the marked ones: resolving every
  // link would cost more than the rest of the build, and each test here costs too
  function leads(here) {
    var tail = here.slice(here.lastIndexOf('/') + 1), q = ['=""'];
    function has(op, list) {
      each(list, function (t) { if (t) q.push(op + '"' + w.CSS.escape(t) + '"'); });
    }
    has('^=', '?# ');
    if (tail) {
      has('*=', [tail]);
      try { has('*=', [decodeURIComponent(tail)]); } catch (e) {}
    } else {
      // Backslashes are slashes; %2e is a dot in a folder's name
      has('$=', ['/', '.', '\\', location.host]);
      has('*=', ['/?', '/#', '.?', '.#', '\\?', '\\#']);
      q.push('*="index.htm" i', '*="%2e" i');
    }
    return 'a:is(' + q.map(function (x) { return '[href' + x + ']'; }) + '),[aria-current=page]';
  }
  // The item of an element of the page's list, its level and those above made
  function itemFor(m, a) {
    var path = [], e = a, li, ul, x;
    for (;;) {
      li = e.parentNode;
      ul = li && li.parentNode;
      if (!ul || entry(li) !== e) return;
      path.push(e);
      if (ul === m.ul) break;
      e = ul.parentNode && entry(ul.parentNode);
      for (x = e; x && x.localName !== 'ul'; x = x.nextElementSibling);
      if (x !== ul) return;
    }
    for (x = m; x && path.length; x = path.pop().$vm) kids(x);
    return x;
  }

  function css(t) {
    if (!V.sh) {
      try {
        V.sh = new CSSStyleSheet();
        d.adoptedStyleSheets = [].slice.call(d.adoptedStyleSheets).concat(V.sh);
      } catch (e) {
        V.sh = mk('style', '', d.head || d.documentElement);
      }
      V.t = CSS;
    }
    V.t += t;
    if (V.sh.replaceSync) V.sh.replaceSync(V.t);
    else V.sh.textContent = V.t;
  }

  function build(m, box) {
    var f = d.createDocumentFragment(), nav = box.firstElementChild, host = nav && nav.localName === 'nav' ? nav : box, first = '';
    if (m.lean) {
      if (!(m.ul = host.querySelector('ul'))) return bad(m);
      m.u = [m.ul, m.cfg.i];
      m.all = [];
    }
    markCurrent(m);
    m.box = box;
    look(m, m, function (c) { return (first = str(c[CLASS])), 1; });
    f.appendChild(m.tg = btn('vm-tg ' + first, 'Menu', m.name + '-bar'));
    m.tg.hidden = true;
    m.bar = panel(m, f, m, m.hz, m.gap, 'menubar', box.getAttribute('aria-label') || host.getAttribute('aria-label') || 'Menu', 1);
    m.bar.id = m.name + '-bar';
    m.layer = mk('div', 'vm-l', f);
    if (!box.$vm) for (var t in on) box.addEventListener(t, handler(box, on[t]));
    box.$vm = m;
    host.replaceChildren(f);
    // The rest of the container goes; the nav moves once it holds the menu, not the list
    if (host !== box) box.replaceChildren(host);
    // The measures, and our rules, once the page's list is gone: a long one is neither
    // laid out nor styled again. Our rules go in with the bar's own, in one go.
    m.rtl = getComputedStyle(box).direction === 'rtl';
    m.cm = !fits(m);
    roles(m, m.bar);
    if (m.cm) mode(m, m.cm, 1);
    else fill(m, m.bar);
    if (!V.sh) css('');
    // A classic page's sheets are read once the menu stands (the modern sheet says "inset")
    if (!m.lean && !V.fx) V.fx = setTimeout(fixSheets);
  }
  function handler(box, fn) { return function (e) { fn(box.$vm, e); }; }

  // Room for the bar and first submenus (items have fixed widths)?
  function fits(m) {
    var vw = port().clientWidth, r = m.box.getBoundingClientRect(),
      x = Math.max(0, m.rtl ? vw - r.right : r.left), e = x, ok = vw >= 600;
    look(m, m, function (c, off, it) {
      var w = wid(c), W = 0, o = num(c[SUB_X], 0), n = 0;
      if (!m.hz) e = x;
      if (!off) look(m, it, function (k) { W = c[SUB_DIR] == 1 ? W + wid(k) : Math.max(W, wid(k)), n++; });
      if (n) ok = ok && (m.hz ? e + o + W <= vw || e + w - W - o >= 0 : e + w + o + W <= vw);
      ok = ok && e + w <= vw;
      e += w + m.gap;
      return !ok;
    });
    return ok;
  }
  function wid(c) { return num(c[WIDTH], 150); }
  // fn(record, disabled, the entry) for each entry of a level, made into items or not: a
  // bar that starts compact is measured without making its items. Stops when fn returns true.
  function look(m, x, fn) {
    if (x.u) entries(m, x.u, -1, x.c, function (e, sub, r) { return fn(r, e.getAttribute('aria-disabled') == 'true', { u: sub, c: r, kids: LEAF }); });
    else for (var l = x.kids, j = 0; j < l.length && !fn(l[j].c, l[j].off, l[j]); j++);
  }

  function mode(m, cm, fresh) {
    var b = m.bar;
    tog(m, 0);
    m.cm = cm;
    b.classList.toggle('vm-c', cm);
    m.tg.hidden = !cm;
    if (fresh) return;
    fill(m, b);
    roles(m, b);
    each(m.all, function (it) {
      // Items of the page's list not yet in a panel wait until theirs is made
      if (it && it.bc) item(it);
      if (it && it.sub) {
        home(it);
        roles(m, it.sub.p);
      }
    });
  }
  function btn(cls, label, ctl) {
    var b = mk('button', cls);
    b.type = 'button';
    attr(b, 'aria-label', label);
    attr(b, 'aria-expanded', 'false');
    attr(b, 'aria-controls', ctl);
    return b;
  }
  function home(it) {
    var m = it.m, e = it.sub.el;
    if (m.cm) (it.xb || it.el).after(e);
    else m.layer.appendChild(e);
  }
  function roles(m, p) { for (var k in p.$a) attr(p, k, m.cm ? null : p.$a[k]); }

  function item(it) {
    var m = it.m, a = it.el, cm = m.cm, k = has(it), sid = m.name + '-m' + it.i, own = k && !(cm && a.href);
    attr(a, 'role', cm ? own && !it.off ? 'button' : null : 'menuitem');
    attr(a, 'aria-haspopup', !cm && k ? 'menu' : null);
    attr(a, 'aria-expanded', own ? m.open[it.lv] === it : null);
    attr(a, 'aria-controls', own ? sid : null);
    attr(a, 'aria-owns', !cm && it.sub ? sid : null);
    a.tabIndex = (cm ? !it.off : it === m.tab) ? 0 : -1;
    if (cm && k && a.href && !it.xb) {
      a.after(it.xb = btn('vm-xb', capOf(it), sid));
      it.xb.$vm = it;
      it.bc += ' vm-hx';
      it.s = -1;
      paint(it);
    }
  }

  function tog(m, on) {
    var b = m.bar, bs = b.style;
    if (!m.cm) return trim(m, 0);
    m.op = on;
    attr(m.tg, 'aria-expanded', !!on);
    if (on) fill(m, b);
    b.classList.toggle('vm-op', !!on);
    bs.transform = bs.width = '';
    if (on) {
      b.getBoundingClientRect(); // the list may bring a scroll bar
      bs.width = px(port().clientWidth);
      bs.transform = 'translateX(' + px(-b.getBoundingClientRect().left) + ')';
    } else {
      if (b.contains(d.activeElement)) m.tg.focus();
      trim(m, 0);
    }
  }

  // A panel's items are made with it, or, when `wait`, on the first fill(): a bar that
  // starts compact stays hidden until the Menu button opens it
  function panel(m, parent, x, hz, gap, role, label, wait) {
    var p = mk('div', (role === 'menu' ? 'vm-p ' : (x.u ? x.u[0].children : x.kids).length > 99 ? 'vm-bar vm-long ' : 'vm-bar ') + (hz ? 'vm-h' : 'vm-v'), parent);
    p.$a = { role: role, 'aria-orientation': hz ? 'horizontal' : 'vertical', 'aria-label': label, 'aria-labelledby': label ? null : parent.$vm.el.id };
    roles(m, p);
    p.style.setProperty('--g', px(gap));
    p.$k = x;
    if (!wait) fill(m, p);
    return p;
  }
  function fill(m, p) {
    var rules = '';
    each(p.$k ? kids(p.$k) : [], function (it) {
      var c = it.c, k = c.$k || (c.$k = c.slice(ALIGN, PAD + 4) + ';' + c.slice(WIDTH, HEIGHT + 1));
      // Shared rules: quicker than inline style
      if (!V.geo[k]) rules += '.' + (V.geo[k] = 'vm-' + V.g++) + '{width:' + px(wid(c)) +
        '!important;--h:' + px(num(c[HEIGHT], 20)) + ';min-height:var(--h)!important;padding:' +
        [num(c[PAD + 2], 0), num(c[PAD + 1], 10), num(c[PAD + 3], 0), num(c[PAD], 4)].map(function (v) {
          return px(Math.max(0, v));
        }).join(' ') + '!important;text-align:' + (['left', 'center', 'right'][c[ALIGN]] || 'left') + '!important}';
      p.appendChild(itemEl(m, it, V.geo[k]));
      item(it);
    });
    p.$k = null;
    if (rules) css(rules);
  }

  // The list's element of the item (made from a classic configuration), with the caption
  // in a span between the icons
  function itemEl(m, it, geo) {
    var c = it.c, a = it.el, t = mk('span', 'vm-t'), pic;
    if (!a) {
      a = it.el = mk('a');
      if (it.off) attr(a, 'aria-disabled', 'true');
      else if (it.h) {
        a.href = it.h;
        if (str(c[TARGET])) a.target = c[TARGET];
      }
      if (str(c[TIP])) a.title = c[TIP];
      a.textContent = str(c[CAP]);
    }
    a.$vm = it;
    a.id = m.name + '-' + it.i;
    if (it.cur > 1) attr(a, 'aria-current', 'page');
    it.bc = shared('vm-i ' + geo + (c[WRAP] == 1 ? ' vm-w' : '') + (it.off ? ' vm-x' : ''));
    while (a.firstChild) t.appendChild(a.firstChild);
    icon(it, LICON, a);
    a.appendChild(t);
    if ((pic = icon(it, IMAGE, t, t.textContent))) t.replaceChildren(pic);
    if (!icon(it, RICON, a) && has(it) && !pic) it.bc += ' vm-ar';
    paint(it);
    return a;
  }

  // Icon slot: normal, over, clicked address, width, height
  function icon(it, k, parent, alt) {
    var c = it.c, u = [c[k], c[k + 1], c[k + 2]].map(function (x) { return link(it.m, x); }), img;
    if (!(u[0] || k !== IMAGE && (u[1] || u[2]))) return;
    img = mk('img', '', parent);
    img.alt = alt || '';
    img.width = num(c[k + 3], 16);
    img.height = num(c[k + 4], 16);
    each(u, function (x, j) { if (j && x) new Image().src = x; });
    (it.im = it.im || []).push([img, u]);
    return img;
  }

  // Clicked: pressed or last used; over: pointed at, focused or open; at rest, the current
  // page and the items above it look Clicked
  function paint(it) {
    if (!it || !it.el) return;
    var m = it.m, s = it.off ? NORMAL : it === m.pv && m.pl >= 0 ? m.pl : it === m.press || it === m.last ? CLICKED :
      it === m.hov || it === m.foc || it === m.pv || m.open[it.lv] === it ? OVER : it.cur ? CLICKED : NORMAL;
    if (s === it.s) return;
    it.s = s;
    it.el.className = it.bc + ' ' + cls(it, s);
    if (it.xb) it.xb.className = 'vm-xb ' + cls(it, s);
    each(it.im || [], function (p) {
      var u = p[1][s] || p[1][NORMAL], img = p[0];
      if (img.$u !== u) {
        if ((img.$u = u)) img.src = u;
        img.style.visibility = u ? '' : 'hidden';
      }
    });
  }

  function canOpen(it) { return it && !it.off && has(it); }
  function base(it) { return it.par ? base(it.par) : it; }

  function openSub(m, it, focus) {
    if (it.par && m.open[it.lv - 1] !== it.par) openSub(m, it.par);
    clearTimeout(m.ct);
    trim(m, it.lv);
    var s = it.sub || mkSub(m, it);
    m.open[it.lv] = it;
    ex(it, true);
    paint(it);
    if (m.cm) s.p.style.maxHeight = s.p.style.maxWidth = '';
    else place(m, it, s);
    anim(m, s, 1);
    if (focus) focusIt(m, it.kids[focus > 0 ? 0 : it.kids.length - 1]);
  }

  function trim(m, n) {
    while (m.open.length > n) {
      var it = m.open.pop();
      ex(it, false);
      if (it.sub.el.contains(d.activeElement)) focusIt(m, it);
      anim(m, it.sub, 0);
      paint(it);
    }
  }

  function ex(it, v) { attr(it.m.cm && it.xb || it.el, 'aria-expanded', v); }

  function mkSub(m, it) {
    var s = it.sub = { el: mk('div', 'vm-s'), pr: 0 };
    home(it);
    it.sh = it.c[SUB_DIR] == 1;
    s.el.$vm = it;
    s.p = panel(m, s.el, it, it.sh, num(it.c[SUB_GAP], 1), 'menu');
    s.p.id = m.name + '-m' + it.i;
    item(it);
    return s;
  }

  // Beside or below the item (mirrored right to left), in view, never over the item or the bar
  function place(m, it, s) {
    var e = s.el, es = e.style, ps = s.p.style, ox = num(it.c[SUB_X], 0), oy = num(it.c[SUB_Y], 0),
      r = it.el.getBoundingClientRect(), vp = port(), vw = vp.clientWidth, vh = vp.clientHeight, rtl = m.rtl,
      rl = rtl ? vw - r.right : r.left, rr = rtl ? vw - r.left : r.right, flip = it.par ? it.par.sub.flip : 0, L, x, y, W, H, room, top;
    ps.maxHeight = ps.maxWidth = '';
    es.display = 'block';
    es.left = es.top = '0';
    L = m.layer.getBoundingClientRect();
    W = e.offsetWidth;
    H = e.offsetHeight;
    if (W > vw) ps.maxWidth = px(W = vw);
    if (it.par ? it.par.sh : m.hz) {
      x = rl + ox;
      if (x + W > vw) x = rr - W - ox;
      room = vh - r.bottom - oy;
      y = r.bottom + oy;
      s.v = [0, -1];
      if (H > room && r.top - oy > room) {
        room = r.top - oy;
        y = room - Math.min(H, room);
        s.v = [0, 1];
      }
    } else {
      if (!flip && rr + ox + W > vw && rl - W - ox >= 0) flip = 1;
      else if (flip && rl - W - ox < 0) flip = 0;
      x = flip ? rl - W - ox : rr + ox;
      top = m.hz ? Math.min(r.top, Math.max(0, m.bar.getBoundingClientRect().bottom)) : 0;
      y = r.top + oy;
      if (y + H > vh && !(H > vh - top && vh - y > (vh - top) / 2)) y = Math.max(top, vh - H);
      room = vh - y;
      s.v = [flip ^ rtl ? 1 : -1, 0];
    }
    if (H > room) ps.maxHeight = px(room);
    s.flip = flip;
    x = Math.max(0, Math.min(x, vw - W));
    es.left = px((rtl ? vw - W - x : x) - L.left);
    es.top = px(Math.max(0, y) - L.top);
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
    es.display = 'block';
    if (m.cm || m.now || motion.matches || !(slide || fx) || !(span > 0)) return end();
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
      fxSvg.style.position = 'absolute';
      fxSvg.innerHTML = '<svg width="0" height="0">' +
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
    var e = m.cm && it.xb || it.el;
    if (!it.par && !m.cm) {
      if (m.tab) m.tab.el.tabIndex = -1;
      (m.tab = it).el.tabIndex = 0;
    }
    e.focus();
    e.scrollIntoView({ block: 'nearest' });
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
    if (m.cm) return;
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
    tog(m, 0);
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
    // Tap 1 opens a submenu, tap 2 follows the link; compact: expand buttons toggle
    click: function (m, e) {
      var t = e.target, x = t.closest('.vm-xb'), it = x ? x.$vm : itemOf(m, t);
      if (t === m.tg) tog(m, !m.op);
      if (!it) return;
      if (it.off) e.preventDefault();
      else if (canOpen(it) && (m.cm ? x || !it.xb : m.open[it.lv] !== it)) {
        e.preventDefault();
        clearTimeout(m.ot);
        if (m.open[it.lv] === it) trim(m, it.lv);
        else openSub(m, it);
      } else if (it.el.href || !has(it)) activate(m, it);
    },
    focusin: function (m, e) {
      var it = itemOf(m, e.target), o = m.foc;
      m.foc = it;
      paint(o);
      paint(it);
      if (it && !m.cm && m.open.length > it.lv && m.open[it.lv] !== it) trim(m, it.lv);
    },
    focusout: function (m, e) {
      if (m.box.contains(e.relatedTarget)) return;
      var o = m.foc;
      m.foc = null;
      paint(o);
      if (e.relatedTarget && !m.cm) trim(m, 0);
    },
    keydown: function (m, e) {
      var it = itemOf(m, e.target);
      if (it && !e.altKey && !e.ctrlKey && !e.metaKey && key(m, it, e.key)) e.preventDefault();
    }
  };

  // Menubar keyboard pattern; true when the key was used
  function key(m, it, k) {
    var par = it.par, sib = (par || m).kids, n = sib.length, j = sib.indexOf(it),
      hz = par ? par.sh : m.hz, next = hz ? 'ArrowRight' : 'ArrowDown', prev = hz ? 'ArrowLeft' : 'ArrowUp',
      into = hz ? 'ArrowDown' : 'ArrowRight', back = hz ? 'ArrowUp' : 'ArrowLeft', act = k === ' ' || k === 'Enter' && !it.el.href, to;
    if (m.cm) return k === 'Escape' ? !tog(m, 0) : act && !it.el.href && !it.el.click();
    if (m.rtl) k = k === 'ArrowLeft' ? 'ArrowRight' : k === 'ArrowRight' ? 'ArrowLeft' : k;
    if (k.length > 1) m.ta = '';
    if (k === next || k === prev) focusIt(m, sib[(j + (k === next ? 1 : n - 1)) % n]);
    else if (k === 'Home' || k === 'End') focusIt(m, sib[k === 'Home' ? 0 : n - 1]);
    else if ((k === into || act) && canOpen(it)) openSub(m, it, 1);
    else if (k === back && !par && hz && canOpen(it)) openSub(m, it, -1);
    // Right: on to the next bar item; Left: from level 1 only
    else if (par && (m.hz ? k === 'ArrowRight' || k === 'ArrowLeft' && !par.par : !par.par && /Up|Down/.test(k))) {
      to = m.kids[(m.kids.indexOf(base(it)) + (/Right|Down/.test(k) ? 1 : m.kids.length - 1)) % m.kids.length];
      trim(m, 0);
      focusIt(m, to);
      if (canOpen(to)) openSub(m, to, 1);
    } else if (par && (k === back || k === 'Escape')) {
      trim(m, par.lv);
      focusIt(m, par);
    } else if (k === 'Escape') trim(m, 0);
    else if (act && !it.off) it.el.href ? it.el.click() : activate(m, it);
    else if (k === 'Tab') {
      trim(m, 0);
      focusIt(m, base(it));
      return false;
    } else if (k.length === 1 && k !== ' ') {
      m.ta = (Date.now() - m.tt < 700 ? m.ta : '') + k.toLowerCase();
      m.tt = Date.now();
      for (var i = m.ta.length > 1 ? 0 : 1; i <= n; i++) {
        to = sib[(j + i) % n];
        if (!capOf(to).toLowerCase().indexOf(m.ta)) return !focusIt(m, to);
      }
    } else return false;
    return true;
  }

  function allMenus(fn) { for (var k in V.menus) if (V.menus[k].bar) fn(V.menus[k]); }
  d.addEventListener('pointerdown', function (e) {
    var t = e.target;
    allMenus(function (m) { if (!(m.bar.contains(t) || m.layer.contains(t) || m.tg === t)) tog(m, 0); });
  }, true);
  w.addEventListener('resize', function () {
    allMenus(function (m) {
      var cm = !fits(m);
      if (cm !== m.cm) mode(m, cm);
      else if (m.op) tog(m, 1);
      else if (!cm) each(m.open, function (it) { place(m, it, it.sub); });
    });
  });

  V.show = function (name, i, look) {
    var m = V.menus[name] || {}, it = m.bar && i >= 0 && find(m, i), o = m.pv;
    if (!m.bar) return;
    m.pv = it;
    m.pl = look;
    paint(o);
    if (!it) return tog(m, 0);
    m.now = 1;
    tog(m, 1);
    if (canOpen(it) || it.par) openSub(m, canOpen(it) ? it : it.par);
    m.now = 0;
    paint(it);
  };
  // Item i, its level and those above made
  function find(m, i) {
    for (var x = m, l, k; x && !m.all[i]; x = l[k]) for (l = kids(x), k = l.length; k-- && l[k].i > i;);
    return m.all[i];
  }
  each(['pointerup', 'pointercancel'], function (t) {
    d.addEventListener(t, function () { allMenus(function (m) { paint(m.press, m.press = null); }); }, true);
  });

  // Browsers drop "window-inset" borders: restate them as inset
  function fixSheets() {
    if (location.protocol != 'file:') each(d.querySelectorAll('link[rel~=stylesheet]'), function (l) {
      var q = new XMLHttpRequest();
      q.onload = function () {
        q.response.replace(/\/\*[\s\S]*?\*\//g, '').replace(/([^{}]+){([^}]*window-inset[^}]*)}/gi, function (x, sel, body) {
          css(sel + '{' + body.match(/[\w-]+:[^;]*window-inset[^;]*/gi).join(';').replace(/window-inset/gi, 'inset') + '}');
        });
      };
      q.open('GET', l.href);
      q.send();
    });
  }

  w.bMac = true;

  // Start waiting configuration scripts now, not at their 350 ms retry
  each(Object.keys(w), function (k) {
    var n = /^Init(menu\d+)$/.exec(k);
    if (n && typeof w[k] === 'function' && w[n[1] + 'cfg']) w[k]();
  });
})(window, document);
