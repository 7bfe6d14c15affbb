"""Builds the icon font from the symbolic SVG icons in this folder.

Run with fontforge's Python: fontforge -lang=py -script make_iconfont.py OUT.ttf
The QML draws icons as code points of this font; GLYPHS is the one list of them.
"""
import os
import sys

import fontforge

FAMILY = "parlavine-icons"

# code point -> icon file (without "-symbolic.svg")
GLYPHS = {
    0xE609: "edit-select-all",        # copy the selection
    0xE615: "emblem-system",          # general settings tab
    0xE618: "view-more-horizontal",   # gap in a pager
    0xE61A: "window-close",
    0xE61C: "window-minimize",
    0xE627: "emblem-default",         # default glyph of the icon controls
    0xE62C: "action-unavailable",     # dislike
    0xE62D: "emblem-favorite",        # like
    0xE64C: "go-first",               # previous year
    0xE64E: "go-last",                # next year
    0xE68E: "edit-clear",             # clear a text area
    0xE6E8: "camera-photo",           # screenshot translation
    0xE712: "go-previous",            # previous month / page
    0xE718: "go-next",                # next month / page
    0xE72D: "document-open-recent",   # history entry
    0xE739: "edit-copy",              # copy all
    0xE7E1: "input-mouse",            # select-to-translate
    0xE800: "window-maximize",
    0xE801: "window-restore",
    0xE802: "pan-down",               # drop-down closed
    0xE803: "pan-up",                 # drop-down open
    0xE804: "object-select",          # check mark
    0xE805: "format-justify-left",    # text translation page
    0xE806: "x-office-document",      # document translation page
    0xE807: "user-bookmarks",         # term base
    0xE808: "view-list-bullet",       # sentence base
    0xE809: "window-new",             # mini translation window
    0xE80A: "open-menu",              # more
    0xE80B: "avatar-default",         # user
    0xE80C: "user-trash",             # delete a repository

    0xE820: "document-save",          # save a screenshot
    0xE821: "view-reveal",            # show a password
    0xE822: "view-conceal",           # hide a password again
}

EM = 1024


def build(out_path):
    here = os.path.dirname(os.path.abspath(__file__))
    font = fontforge.font()
    font.encoding = "UnicodeFull"
    font.fontname = font.familyname = font.fullname = FAMILY
    font.em = EM
    font.ascent = 896
    font.descent = 128
    for code, name in sorted(GLYPHS.items()):
        glyph = font.createChar(code, "uni%04X" % code)
        glyph.importOutlines(os.path.join(here, name + "-symbolic.svg"))
        glyph.removeOverlap()
        glyph.correctDirection()
        glyph.width = EM
        # the 16-unit icons are scaled to the em square; centre them on the baseline area
        xmin, ymin, xmax, ymax = glyph.boundingBox()
        glyph.transform((1, 0, 0, 1, (EM - (xmax - xmin)) / 2 - xmin,
                         (font.ascent - font.descent - (ymax - ymin)) / 2 - ymin))
    font.generate(out_path)


if __name__ == "__main__":
    build(sys.argv[1])
