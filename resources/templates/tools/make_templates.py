#!/usr/bin/env python3
"""Writes the bundled template projects (*.velm) from the designs below.

A development tool: the templates are committed, so builds never run this.
Each design is written as a project file, then (when a velmora-cli is given)
published once with it so the committed file is exactly what the program
saves: derived fields such as parent indexes and style classes filled in.

Usage: make_templates.py [--cli BUILD/velmora-cli] [--home BUILD] [OUT_DIR]
OUT_DIR (default: the templates folder) must already hold the images the
designs name, as make_images.sh draws them; both tools give the same bytes on
every run.
"""

import argparse
import os
import shutil
import subprocess
import sys
import tempfile

SEP = "#$@"

# Item record positions (the project file's field order).
ITEM_FIELDS = [
    "ICaption", "ITextAlign", "ITextWrap", "IPaddingLeft", "IPaddingRight", "IPaddingTop",
    "IPaddingBottom", "ILink", "ITarget", "IStatusBarMsg", "IToolTip", "IParentIndex", "DisableItem",
    "IWidth", "IHeight", "IReserved15", "IReserved16", "IClassNormal", "IClassOver", "IClassClicked",
    "ILeftIconUrl", "IOverLeftIconUrl", "IClickedLeftIconUrl", "ILeftIconWidth", "ILeftIconHeight",
    "IImageUrl", "IOverImageUrl", "IClickedImageUrl", "IImageWidth", "IImageHeight", "IRightIconUrl",
    "IOverRightIconUrl", "IClickedRightIconUrl", "IRightIconWidth", "IRightIconHeight",
    "ISubmenuOffsetX", "ISubmenuOffsetY", "ISubmenuDirection", "IReserved38", "ISubmenuItemGap",
] + [f"IReserved{k}" for k in range(40, 47)]
STATE_FIELDS = [
    "FontFamily", "FontSize", "FontWeight", "FontStyle",
    "BorderTopColor", "BorderTopWidth", "BorderTopStyle",
    "BorderRightColor", "BorderRightWidth", "BorderRightStyle",
    "BorderBottomColor", "BorderBottomWidth", "BorderBottomStyle",
    "BorderLeftColor", "BorderLeftWidth", "BorderLeftStyle",
    "Cursor", "Color", "BackgroundColor", "BackgroundImage",
]
STATES = ["Normal", "Over", "Clicked"]
ITEM_FIELDS += [f"I{f}{s}" for s in STATES for f in STATE_FIELDS] + ["ILevel", "IReserved108"]
assert len(ITEM_FIELDS) == 109

BORDER = {"none": "0", "dotted": "1", "dashed": "2", "solid": "3", "double": "4", "groove": "5",
          "ridge": "6", "inset": "7", "outset": "9"}
CURSOR = {"default": "2", "pointer": "6"}
EFFECT = {"none": "0", "fade": "1", "circle": "2", "diamond": "6", "wipe": "18", "wipe down": "20"}
ALIGN = {"left": "0", "center": "1", "right": "2"}


def border(colour, width=1, style="solid"):
    return (colour, str(width), BORDER[style])


NO_BORDER = border("FFFFFF", 0, "none")


def state(font, size, colour, background, weight="normal", italic=False, top=NO_BORDER,
          right=NO_BORDER, bottom=NO_BORDER, left=NO_BORDER, image="", cursor="pointer"):
    """One state block: 20 values in record order."""
    block = [font, str(size), weight, "italic" if italic else "normal"]
    for side in (top, right, bottom, left):
        block += list(side)
    block += [CURSOR[cursor], colour, background, image]
    assert len(block) == 20
    return block


def item(caption, normal, over, clicked, kids=(), link="", target="_self", tip="", status="",
         width=150, height=20, pad=(4, 10, 0, 0), align="left", wrap=False, enabled=True,
         left=("", "", ""), left_size=(16, 16), right=("", "", ""), right_size=(16, 16),
         image=("", "", ""), sub_offset=(0, 0), sub_horizontal=False, sub_gap=0):
    """An item and its children; pad is (left, right, top, bottom)."""
    f = [""] * 109
    values = {
        "ICaption": caption, "ITextAlign": ALIGN[align], "ITextWrap": "1" if wrap else "0",
        "IPaddingLeft": pad[0], "IPaddingRight": pad[1], "IPaddingTop": pad[2],
        "IPaddingBottom": pad[3], "ILink": link, "ITarget": target, "IStatusBarMsg": status,
        "IToolTip": tip, "DisableItem": "1" if enabled else "0", "IWidth": width, "IHeight": height,
        "ILeftIconUrl": left[0], "IOverLeftIconUrl": left[1], "IClickedLeftIconUrl": left[2],
        "ILeftIconWidth": left_size[0], "ILeftIconHeight": left_size[1],
        "IImageUrl": image[0], "IOverImageUrl": image[1], "IClickedImageUrl": image[2],
        # The designer keeps the image size equal to the item size.
        "IImageWidth": width, "IImageHeight": height,
        "IRightIconUrl": right[0], "IOverRightIconUrl": right[1], "IClickedRightIconUrl": right[2],
        "IRightIconWidth": right_size[0], "IRightIconHeight": right_size[1],
        "ISubmenuOffsetX": sub_offset[0], "ISubmenuOffsetY": sub_offset[1],
        "ISubmenuDirection": "1" if sub_horizontal else "0", "IReserved38": "0",
        "ISubmenuItemGap": sub_gap,
    }
    for name, value in values.items():
        f[ITEM_FIELDS.index(name)] = str(value)
    for k, block in enumerate((normal, over, clicked)):
        first = ITEM_FIELDS.index(f"IFontFamily{STATES[k]}")
        f[first:first + 20] = block
    return {"fields": f, "kids": list(kids)}


def menu(horizontal=True, gap=1, open_delay=0, open_slide=True, open_duration=250, open_effect="fade",
         close_delay=300, close_slide=False, close_duration=150, close_effect="fade"):
    # The designer always stores both transition flags as "1".
    return ["Menu1", "Menu1Cfg", "Menu1_DIV", "1" if horizontal else "0", str(gap), str(open_delay),
            str(open_duration), "2" if open_slide else "0", "1", EFFECT[open_effect],
            str(close_delay), str(close_duration), "2" if close_slide else "0", "1",
            EFFECT[close_effect], "", "", "1"]


def flatten(items, level=0, parent=-1, out=None):
    """Items in tree pre-order with their levels and parent indexes."""
    out = [] if out is None else out
    for it in items:
        f = list(it["fields"])
        f[ITEM_FIELDS.index("ILevel")] = str(level)
        f[ITEM_FIELDS.index("IParentIndex")] = str(parent)
        index = len(out)
        out.append(f)
        flatten(it["kids"], level + 1, index, out)
    return out


def project_text(applet, items, extensions=None):
    line = lambda fields: "".join(v + SEP for v in fields)
    block = []
    if extensions:
        block = ["<Format_Extensions>"] + [f"{k}={v}" for k, v in extensions.items()] + ["</Format_Extensions>"]
    lines = ["<Warning_Info>", "Note: This file was created and maintained by Velmora 1.0.",
             "Do not modify it or script project may not be opened again!", "</Warning_Info>",
             "<Product_Name>", "Velmora", "</Product_Name>", "<Product_Version>", "1.0",
             "</Product_Version>"] + block + ["<Applet_Parameters>", line(applet), "</Applet_Parameters>",
             "<Item_Parameters>"] + [line(f) for f in flatten(items)] + ["</Item_Parameters>"]
    return "".join(l + "\r\n" for l in lines)


# ---------------------------------------------------------------------------
# The designs. Each returns (menu-wide record, top-level items).

def light_bar():
    font = "Verdana,Arial,Helvetica,sans-serif"
    line, accent, ink = "D5DBE1", "1766B5", "33414E"

    def top(caption, kids=(), link="", tip="", first=False):
        rule = border(line)
        start = rule if first else border("F7F8FA", 0, "none")
        return item(caption,
                    state(font, 12, ink, "F7F8FA", top=rule, right=rule, bottom=border("F7F8FA", 3),
                          left=start),
                    state(font, 12, accent, "FFFFFF", top=rule, right=rule, bottom=border(accent, 3),
                          left=start),
                    state(font, 12, "0F4C8A", "EAF2FB", weight="bold", top=rule, right=rule,
                          bottom=border("0F4C8A", 3), left=start),
                    kids, link=link, tip=tip, width=112, height=36, pad=(8, 8, 0, 0), align="center",
                    sub_offset=(0, 0))

    def sub(caption, kids=(), link="", first=False, last=False, enabled=True):
        edge = border(line)
        inner = border("EEF1F4")
        top_edge = edge if first else border("FFFFFF", 0, "none")
        bottom_edge = edge if last else inner
        return item(caption,
                    state(font, 12, ink if enabled else "6B7580", "FFFFFF", italic=not enabled,
                          top=top_edge, right=edge, bottom=bottom_edge, left=edge,
                          cursor="pointer" if enabled else "default"),
                    state(font, 12, accent, "EEF5FD", top=top_edge, right=edge, bottom=bottom_edge,
                          left=border(accent, 3)),
                    state(font, 12, "0F4C8A", "E1ECF8", weight="bold", top=top_edge, right=edge,
                          bottom=bottom_edge, left=border("0F4C8A", 3)),
                    kids, link=link, width=190, height=30, pad=(12, 8, 0, 0), enabled=enabled,
                    sub_offset=(-1, -1 if first else 0), sub_gap=0)

    def column(entries):
        out = []
        for k, (caption, link, *rest) in enumerate(entries):
            kids = column(rest[0]) if rest and rest[0] else ()
            enabled = not (len(rest) > 1 and rest[1] == "off")
            out.append(sub(caption, kids, link, first=k == 0, last=k == len(entries) - 1, enabled=enabled))
        return out

    items = [
        top("Home", link="#home", tip="Back to the start page", first=True),
        top("Products", column([
            ("Menu Designer", "#products/designer"),
            ("Icon Studio", "", [("For Windows", "#products/icons/windows"),
                                 ("For macOS", "#products/icons/macos"),
                                 ("For Linux", "#products/icons/linux")]),
            ("Theme Packs", "#products/themes"),
            ("Mobile Kit (coming soon)", "", None, "off"),
        ])),
        top("Services", column([
            ("Web Design", "#services/design"),
            ("Hosting", "", [("Shared Hosting", "#services/hosting/shared"),
                             ("Dedicated Servers", "#services/hosting/dedicated")]),
            ("Training", "#services/training"),
        ])),
        top("Company", column([
            ("About Us", "#company/about"),
            ("Careers", "#company/careers"),
            ("Press Room", "#company/press"),
        ])),
        top("Contact", link="#contact", tip="Write to us"),
    ]
    return menu(horizontal=True, gap=0, open_delay=50, open_slide=True, open_duration=200,
                open_effect="fade", close_delay=350, close_slide=False, close_effect="fade"), items


def dark_bar():
    font = "Trebuchet MS,Helvetica,Arial,sans-serif"
    bar, teal, deep = "23272E", "0A7C78", "065C59"

    def top(caption, kids=(), link=""):
        sep = border("3A404A")
        none = border(bar, 0, "none")
        return item(caption,
                    state(font, 13, "E8ECF1", bar, weight="bold", right=sep, top=none, bottom=none, left=none),
                    state(font, 13, "FFFFFF", teal, weight="bold", right=border(teal), top=none, bottom=none,
                          left=none),
                    state(font, 13, "FFFFFF", deep, weight="bold", right=border(deep), top=none, bottom=none,
                          left=none),
                    kids, link=link, width=120, height=40, pad=(10, 10, 0, 0), align="center")

    def sub(caption, kids=(), link=""):
        rule = border("3A404A")
        arrows = ("dark_arrow_right.gif", "dark_arrow_right_over.gif", "dark_arrow_right_over.gif") \
            if kids else ("", "", "")
        return item(caption,
                    state(font, 13, "C9D1DB", "2F343C", bottom=rule),
                    state(font, 13, "FFFFFF", teal, bottom=border(teal)),
                    state(font, 13, "FFFFFF", deep, bottom=border(deep)),
                    kids, link=link, width=200, height=34, pad=(14, 8, 0, 0), right=arrows,
                    right_size=(8, 8), sub_offset=(0, 0), sub_gap=0)

    items = [
        top("Home", link="#home"),
        top("Solutions", [
            sub("Small Business", [sub("Online Shop", link="#solutions/small/shop"),
                                   sub("Booking System", link="#solutions/small/booking"),
                                   sub("Newsletter", link="#solutions/small/newsletter")]),
            sub("Enterprise", [sub("Intranet Portals", link="#solutions/enterprise/intranet"),
                               sub("Single Sign-On", link="#solutions/enterprise/sso")]),
            sub("Public Sector", link="#solutions/public"),
        ]),
        top("Pricing", link="#pricing"),
        top("Resources", [
            sub("Documentation", link="#resources/docs"),
            sub("Tutorials", [sub("Getting Started", link="#resources/tutorials/start"),
                              sub("Advanced Layouts", link="#resources/tutorials/layouts")]),
            sub("Blog", link="#resources/blog"),
            sub("Community Forum", link="#resources/forum"),
        ]),
        top("Sign In", link="#signin"),
    ]
    return menu(horizontal=True, gap=0, open_delay=0, open_slide=False, open_effect="fade",
                open_duration=180, close_delay=300, close_effect="fade", close_duration=120), items


def sidebar():
    font = "Segoe UI,Tahoma,Verdana,Arial,sans-serif"
    panel, hover, pressed, accent = "1E3A5F", "2B5283", "142A45", "F5B942"

    # Flat panels; a bar of colour at the left marks the item under the pointer.
    def top(caption, kids=(), link=""):
        def look(ink, background, mark, weight="normal"):
            return state(font, 13, ink, background, weight=weight, top=border(background, 0, "none"),
                         right=border(background, 0, "none"), bottom=border(background, 0, "none"),
                         left=border(mark, 4))
        return item(caption, look("E6EDF5", panel, panel), look("FFFFFF", hover, accent),
                    look("FFD58A", pressed, accent, "bold"),
                    kids, link=link, width=200, height=40, pad=(16, 8, 0, 0), sub_offset=(4, 0))

    def sub(caption, kids=(), link="", first=False):
        frame = border("D5DEE8")

        def look(ink, background, mark, weight="normal"):
            lid = frame if first else border(background, 0, "none")
            return state(font, 13, ink, background, weight=weight, top=lid, right=frame,
                         bottom=border("EEF2F6"), left=border(mark, 3))

        return item(caption, look("22344A", "FFFFFF", "FFFFFF"), look("1E3A5F", "EDF3FA", "2B5283"),
                    look("1E3A5F", "DDE8F5", "142A45", "bold"),
                    kids, link=link, width=180, height=34, pad=(14, 8, 0, 0), sub_offset=(2, -1 if first else 0))

    def column(entries):
        return [sub(c, column(k) if k else (), l, first=i == 0) for i, (c, l, k) in enumerate(entries)]

    items = [
        top("Dashboard", link="#dashboard"),
        top("Projects", column([("Active Projects", "#projects/active", None),
                                ("Archived", "#projects/archived", None),
                                ("New Project", "#projects/new", None)])),
        top("Reports", column([("Sales", "", [("By Region", "#reports/sales/region", None),
                                              ("By Product", "#reports/sales/product", None),
                                              ("By Month", "#reports/sales/month", None)]),
                               ("Traffic", "#reports/traffic", None),
                               ("Export Data", "#reports/export", None)])),
        top("Team", column([("Members", "#team/members", None), ("Roles", "#team/roles", None)])),
        top("Settings", link="#settings"),
        top("Log Out", link="#logout"),
    ]
    return menu(horizontal=False, gap=0, open_delay=80, open_slide=True, open_duration=200,
                open_effect="none", close_delay=300, close_slide=True, close_duration=150,
                close_effect="none"), items


def tabs():
    font = "Arial,Helvetica,sans-serif"
    line, strip_bg = "AEBBC8", "F3F6F9"

    # The tab under the pointer opens onto its strip: same colour, no line between.
    def tab(caption, kids=(), link=""):
        rule = border(line)
        return item(caption,
                    state(font, 13, "3B4A59", "E4EAF0", top=rule, right=rule, bottom=rule, left=rule),
                    state(font, 13, "1F5FA8", strip_bg, top=border("1F5FA8", 2), right=rule,
                          bottom=border(strip_bg), left=rule),
                    state(font, 13, "1F2F3F", "FFFFFF", weight="bold", top=border("F28C28", 3), right=rule,
                          bottom=border("FFFFFF"), left=rule),
                    kids, link=link, width=118, height=34, pad=(6, 6, 0, 0), align="center",
                    sub_horizontal=True, sub_offset=(0, -1))

    def strip(caption, kids=(), link="", first=False, last=False):
        rule = border(line)

        def look(ink, mark, weight="normal"):
            return state(font, 12, ink, strip_bg, weight=weight, top=border(strip_bg, 0, "none"),
                         right=rule if last else border(strip_bg, 0, "none"), bottom=mark,
                         left=rule if first else border(strip_bg, 0, "none"))

        return item(caption, look("3B4A59", rule), look("1F5FA8", border("1F5FA8", 2)),
                    look("1F2F3F", border("F28C28", 2), "bold"),
                    kids, link=link, width=120, height=30, pad=(6, 6, 0, 0), align="center")

    def drop(caption, link, first=False):
        edge = border(line)

        def look(ink, background):
            return state(font, 12, ink, background, top=edge if first else border(background, 0, "none"),
                         right=edge, bottom=edge, left=edge)

        return item(caption, look("3B4A59", "FFFFFF"), look("FFFFFF", "1F5FA8"), look("FFFFFF", "A85400"),
                    link=link, width=160, height=28, pad=(10, 6, 0, 0))

    def row(entries):
        return [strip(c, k, l, first=i == 0, last=i == len(entries) - 1) for i, (c, l, k) in enumerate(entries)]

    items = [
        tab("Overview", link="#overview"),
        tab("Features", row([("Editor", "#features/editor", ()),
                             ("Preview", "#features/preview", ()),
                             ("Publishing", "", [drop("Report", "#features/publishing/report", first=True),
                                                 drop("Path Replacement", "#features/publishing/paths"),
                                                 drop("Command Line", "#features/publishing/cli")]),
                             ("Templates", "#features/templates", ())])),
        tab("Gallery", row([("Menus", "#gallery/menus", ()), ("Sites", "#gallery/sites", ())])),
        tab("Support", row([("FAQ", "#support/faq", ()), ("Forum", "#support/forum", ()),
                            ("Contact", "#support/contact", ())])),
        tab("Download", link="#download"),
    ]
    return menu(horizontal=True, gap=3, open_delay=0, open_slide=False, open_effect="none",
                close_delay=500, close_slide=False, close_effect="none"), items


def icons():
    font = "Verdana,Arial,Helvetica,sans-serif"
    edge = "C9D6E6"

    def icon_set(name):
        return (f"icons_{name}.gif", f"icons_{name}_over.gif", f"icons_{name}_over.gif")

    def top(caption, name, kids=(), link="", first=False):
        rule = border(edge)
        arrows = ("icons_arrow_down.gif", "icons_arrow_down_over.gif", "icons_arrow_down_over.gif") \
            if kids else ("", "", "")
        return item(caption,
                    state(font, 12, "24415F", "F4F7FB", top=rule, bottom=rule, right=rule,
                          left=rule if first else border("F4F7FB", 0, "none")),
                    state(font, 12, "FFFFFF", "2F6DB5", top=border("2F6DB5"), bottom=border("2F6DB5"),
                          right=border("2F6DB5"), left=border("2F6DB5", 1 if first else 0)),
                    state(font, 12, "FFFFFF", "1F4F8A", top=border("1F4F8A"), bottom=border("1F4F8A"),
                          right=border("1F4F8A"), left=border("1F4F8A", 1 if first else 0)),
                    kids, link=link, width=132, height=34, pad=(10, 10, 0, 0), left=icon_set(name),
                    right=arrows, right_size=(8, 8), sub_gap=0)

    def sub(caption, kids=(), link="", first=False):
        rule = border(edge)
        arrows = ("icons_arrow_right.gif", "icons_arrow_right_over.gif", "icons_arrow_right_over.gif") \
            if kids else ("", "", "")
        top_edge = rule if first else border("FFFFFF", 0, "none")
        return item(caption,
                    state(font, 12, "24415F", "FFFFFF", top=top_edge, right=rule, bottom=rule, left=rule),
                    state(font, 12, "FFFFFF", "2F6DB5", top=top_edge, right=rule, bottom=rule, left=rule),
                    state(font, 12, "FFFFFF", "1F4F8A", top=top_edge, right=rule, bottom=rule, left=rule),
                    kids, link=link, width=176, height=30, pad=(12, 10, 0, 0), right=arrows,
                    right_size=(8, 8), sub_offset=(-1, 0), sub_gap=0)

    def column(entries):
        return [sub(c, column(k) if k else (), l, first=i == 0) for i, (c, l, k) in enumerate(entries)]

    items = [
        top("Home", "home", link="#home", first=True),
        top("Products", "products", column([
            ("Starter Edition", "#products/starter", None),
            ("Professional", "", [("Features", "#products/pro/features", None),
                                  ("Pricing", "#products/pro/pricing", None),
                                  ("Compare Editions", "#products/pro/compare", None)]),
            ("Add-ons", "#products/addons", None),
        ])),
        top("Downloads", "downloads", column([
            ("Latest Release", "#downloads/latest", None),
            ("Older Versions", "#downloads/older", None),
            ("Release Notes", "#downloads/notes", None),
        ])),
        top("Support", "support", column([
            ("Help Center", "#support/help", None),
            ("Contact Support", "", [("By E-mail", "#support/email", None),
                                     ("By Phone", "#support/phone", None)]),
            ("System Status", "#support/status", None),
        ])),
        top("Contact", "contact", link="#contact"),
    ]
    return menu(horizontal=True, gap=0, open_delay=60, open_slide=True, open_duration=220,
                open_effect="none", close_delay=300, close_slide=True, close_duration=140,
                close_effect="none"), items


def footer():
    font = "Verdana,Arial,Helvetica,sans-serif"
    band = "2E3338"

    def link(caption, kids=(), href=""):
        sep = border("596069", 1, "dotted")
        none = border(band, 0, "none")
        return item(caption,
                    state(font, 11, "C5CCD3", band, right=sep, top=none, bottom=none, left=none),
                    state(font, 11, "FFFFFF", band, right=sep, top=none, bottom=none, left=none),
                    state(font, 11, "FFC857", band, right=sep, top=none, bottom=none, left=none),
                    kids, link=href, width=96, height=24, pad=(6, 6, 0, 0), align="center",
                    sub_offset=(0, 2), sub_gap=0)

    def small(caption, href):
        rule = border("454C54")
        return item(caption,
                    state(font, 11, "C5CCD3", "3A4047", bottom=rule),
                    state(font, 11, "FFFFFF", "4A525B", bottom=rule),
                    state(font, 11, "FFC857", "3A4047", bottom=rule),
                    link=href, width=150, height=22, pad=(10, 6, 0, 0))

    items = [
        link("Home", href="#home"),
        link("About", [small("Our Story", "#about/story"), small("Team", "#about/team"),
                       small("Jobs", "#about/jobs")]),
        link("Legal", [small("Terms of Use", "#legal/terms"), small("Privacy Policy", "#legal/privacy"),
                       small("Cookies", "#legal/cookies"), small("Imprint", "#legal/imprint")]),
        link("Sitemap", href="#sitemap"),
        link("Follow Us", [small("Newsletter", "#follow/newsletter"), small("RSS Feed", "#follow/rss")]),
        link("Contact", href="#contact"),
    ]
    return menu(horizontal=True, gap=0, open_delay=0, open_slide=False, open_effect="fade",
                open_duration=150, close_delay=250, close_effect="fade", close_duration=100), items


def buttons():
    font = "Verdana,Arial,Helvetica,sans-serif"

    # The pictures carry the captions; each state records the colours they are
    # drawn in (make_images.sh), so contrast can be checked from the design.
    def button(caption, name, kids=(), link=""):
        clear = border("FFFFFF", 0, "none")
        images = (f"buttons_{name}.gif", f"buttons_{name}_over.gif", f"buttons_{name}_clicked.gif")
        looks = [state(font, 13, ink, fill, weight="bold", top=clear, right=clear, bottom=clear, left=clear)
                 for ink, fill in (("FFFFFF", "1F4E79"), ("FFFFFF", "2B6CB0"), ("FFD58A", "143652"))]
        return item(caption, *looks, kids, link=link, width=160, height=36, pad=(0, 0, 0, 0),
                    image=images, sub_offset=(6, 0), tip=caption, sub_gap=0)

    def sub(caption, link, first=False):
        rule = border("E3E8EE")

        def look(ink, background, mark, weight="normal"):
            lid = border("D5DEE8") if first else border(background, 0, "none")
            return state(font, 12, ink, background, weight=weight, top=lid, right=border("D5DEE8"),
                         bottom=rule, left=border(mark, 3))

        return item(caption, look("1F2F3F", "FFFFFF", "FFFFFF"), look("1F4E79", "EAF2FB", "2B6CB0"),
                    look("FFFFFF", "1F4E79", "143652", "bold"),
                    link=link, width=170, height=32, pad=(14, 8, 0, 0))

    def column(entries):
        return [sub(c, l, first=i == 0) for i, (c, l) in enumerate(entries)]

    items = [
        button("Home", "home", link="#home"),
        button("Portfolio", "portfolio", column([("Websites", "#portfolio/web"), ("Logos", "#portfolio/logos"),
                                                 ("Print", "#portfolio/print")])),
        button("Services", "services", column([("Consulting", "#services/consulting"),
                                               ("Design", "#services/design"),
                                               ("Maintenance", "#services/maintenance")])),
        button("About Us", "about", link="#about"),
        button("Contact", "contact", link="#contact"),
    ]
    return menu(horizontal=False, gap=6, open_delay=0, open_slide=True, open_duration=180,
                open_effect="none", close_delay=300, close_slide=False, close_effect="none",
                close_duration=120), items


def touch_bar():
    """Made for the HTML5 page and for phones: 44 px tall items, large type."""
    font = "system-ui,Segoe UI,Roboto,Helvetica,Arial,sans-serif"
    line, ink, blue = "DADCE0", "1B2733", "0B57D0"

    def top(caption, kids=(), link=""):
        none = border("FFFFFF", 0, "none")
        return item(caption,
                    state(font, 16, ink, "FFFFFF", top=none, right=none, left=none, bottom=border("FFFFFF", 3)),
                    state(font, 16, blue, "E8F0FE", top=none, right=none, left=none, bottom=border(blue, 3)),
                    state(font, 16, "FFFFFF", blue, weight="bold", top=none, right=none, left=none,
                          bottom=border("083A8C", 3)),
                    kids, link=link, width=132, height=48, pad=(12, 12, 0, 0), align="center", sub_gap=0)

    def sub(caption, kids=(), link="", first=False):
        edge = border(line)
        lid = edge if first else border("FFFFFF", 0, "none")
        return item(caption,
                    state(font, 16, ink, "FFFFFF", top=lid, right=edge, bottom=border("EEF0F2"), left=edge),
                    state(font, 16, blue, "E8F0FE", top=lid, right=edge, bottom=border("EEF0F2"), left=edge),
                    state(font, 16, "FFFFFF", blue, weight="bold", top=lid, right=edge, bottom=border(blue),
                          left=edge),
                    kids, link=link, width=230, height=44, pad=(18, 12, 0, 0), sub_offset=(-1, -1 if first else 0),
                    sub_gap=0)

    def column(entries):
        return [sub(c, column(k) if k else (), l, first=i == 0) for i, (c, l, k) in enumerate(entries)]

    items = [
        top("Home", link="#home"),
        top("Shop", column([("New Arrivals", "#shop/new", None),
                            ("Clothing", "", [("Jackets", "#shop/clothing/jackets", None),
                                              ("Shirts", "#shop/clothing/shirts", None)]),
                            ("Sale", "#shop/sale", None)])),
        top("Stores", column([("Find a Store", "#stores/find", None), ("Opening Hours", "#stores/hours", None)])),
        top("Help", column([("Delivery", "#help/delivery", None), ("Returns", "#help/returns", None),
                            ("Contact Us", "#help/contact", None)])),
        top("Account", link="#account"),
    ]
    return menu(horizontal=True, gap=0, open_delay=0, open_slide=False, open_effect="none",
                close_delay=400, close_slide=False, close_effect="none"), items, {"Page_Style": "HTML5"}


def slate_header():
    """Made for the HTML5 page: a dark site header with light drop-down panels."""
    font = "system-ui,Segoe UI,Roboto,Helvetica,Arial,sans-serif"
    slate, raised, sky, link = "0F172A", "1E293B", "38BDF8", "0369A1"

    def top(caption, kids=(), href=""):
        none = border(slate, 0, "none")
        return item(caption,
                    state(font, 14, "E2E8F0", slate, top=none, right=none, left=none, bottom=border(slate, 3)),
                    state(font, 14, "FFFFFF", raised, top=none, right=none, left=none, bottom=border(sky, 3)),
                    state(font, 14, "7DD3FC", slate, weight="bold", top=none, right=none, left=none,
                          bottom=border(sky, 3)),
                    kids, link=href, width=124, height=48, pad=(14, 14, 0, 0), align="center", sub_gap=0)

    def sub(caption, kids=(), href="", first=False, last=False):
        edge = border("CBD5E1")
        lid = edge if first else border("FFFFFF", 0, "none")
        foot = edge if last else border("F1F5F9")
        return item(caption,
                    state(font, 14, slate, "FFFFFF", top=lid, right=edge, bottom=foot, left=edge),
                    state(font, 14, link, "F1F5F9", top=lid, right=edge, bottom=foot, left=edge),
                    state(font, 14, "FFFFFF", link, weight="bold", top=lid, right=edge, bottom=foot, left=edge),
                    kids, link=href, width=210, height=40, pad=(16, 12, 0, 0), sub_offset=(-1, -1 if first else 0),
                    sub_gap=0)

    def column(entries):
        return [sub(c, column(k) if k else (), l, first=i == 0, last=i == len(entries) - 1)
                for i, (c, l, k) in enumerate(entries)]

    items = [
        top("Home", href="#home"),
        top("Platform", column([("Overview", "#platform/overview", None),
                                ("Integrations", "", [("Payments", "#platform/integrations/payments", None),
                                                      ("Analytics", "#platform/integrations/analytics", None),
                                                      ("Messaging", "#platform/integrations/messaging", None)]),
                                ("Security", "#platform/security", None)])),
        top("Pricing", href="#pricing"),
        top("Docs", column([("Quick Start", "#docs/start", None), ("API Reference", "#docs/api", None),
                            ("Changelog", "#docs/changelog", None)])),
        top("Company", column([("About", "#company/about", None), ("Careers", "#company/careers", None)])),
    ]
    return menu(horizontal=True, gap=0, open_delay=40, open_slide=True, open_duration=160, open_effect="none",
                close_delay=300, close_slide=False, close_effect="none"), items, \
        {"Page_Style": "HTML5", "Page_Language": "en-GB"}


TEMPLATES = {
    "light_bar": light_bar,
    "dark_bar": dark_bar,
    "sidebar": sidebar,
    "tabs": tabs,
    "icons_arrows": icons,
    "footer": footer,
    "image_buttons": buttons,
    "touch_bar": touch_bar,
    "slate_header": slate_header,
}


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("out", nargs="?", default=os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
    parser.add_argument("--cli", help="velmora-cli to normalise the files with")
    parser.add_argument("--home", help="program folder for velmora-cli (holds jsmenu0.js)")
    args = parser.parse_args()

    for name, design in TEMPLATES.items():
        applet, items, *extensions = design()
        text = project_text(applet, items, *extensions)
        target = os.path.join(args.out, name + ".velm")
        with open(target, "wb") as f:
            f.write(text.encode("cp1252"))
        if args.cli:
            # Let the program itself write the file, derived fields included.
            with tempfile.TemporaryDirectory() as work:
                cmd = [args.cli, "publish", target, "--to", work, "--menu-name", "menu1"]
                if args.home:
                    cmd += ["--home", args.home]
                done = subprocess.run(cmd, capture_output=True, text=True)
                if done.returncode != 0 or done.stderr:
                    sys.exit(f"{target}: velmora-cli said: {done.stderr.strip()}\n"
                             f"(are the images in {args.out}? run make_images.sh {args.out} first)")
                shutil.copyfile(os.path.join(work, name + ".velm"), target)
        print(f"{target}: {len(flatten(items))} items")


if __name__ == "__main__":
    main()
