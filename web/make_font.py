#!/usr/bin/python3
"""Makes the labels' web font: the characters the game shows, cut from IPA P
Gothic and renamed Kinopa Gothic, as the IPA Font License asks of a modified
font (Article 3.1: no "IPA" in its font or file name, shipped with the
licence and with how to put the original back).

Writes into --out: kinopa-gothic.woff2, kinopa-gothic-characters.txt (the
characters it holds, which remake it), LICENCE.txt and README.txt.
The characters: printable ASCII (digits, '-', the Latin captions and file
names), every character of the translations in the .ts files given with
--sources, and every other character of the .html and .js files given there:
the page as the build wrote it, whose windows hold the captions of the
game's window look, and page.js. What a page shows in the browser's own font
(an element marked data-font="system", and all within it) is left out. Fails
when the font lacks one of them, or when a name left in the font still says
IPA.
"""
import argparse
import html.parser
import os
import sys
import tempfile
import xml.etree.ElementTree as ElementTree

from fontTools import subset
from fontTools.ttLib import TTFont

FAMILY = "Kinopa Gothic"
POSTSCRIPT = "KinopaGothic"
# The names a font is known by: family, style, unique ID, full name,
# PostScript name, typographic family and style, and their variants.
NAME_IDS = (1, 2, 3, 4, 6, 16, 17, 18, 20, 21, 22, 25)

class PageText(html.parser.HTMLParser):
    """The characters of a page, its attributes' values among them, less
    those of the elements it shows in the browser's own font."""

    def __init__(self):
        super().__init__()
        self.chars = set()
        self.skipped = None  # the tag of the element skipped, and its depth
        self.depth = 0

    def handle_starttag(self, tag, attrs):
        if self.skipped:
            self.depth += tag == self.skipped
            return
        if ("data-font", "system") in attrs:
            self.skipped, self.depth = tag, 1
            return
        for _, value in attrs:
            self.chars.update(value or "")

    def handle_endtag(self, tag):
        if self.skipped and tag == self.skipped:
            self.depth -= 1
            if not self.depth:
                self.skipped = None

    def handle_data(self, data):
        if not self.skipped:
            self.chars.update(data)


def shown_characters(paths):
    chars = {chr(c) for c in range(0x20, 0x7F)}
    for path in paths:
        with open(path, encoding="utf-8") as f:
            text = f.read()
        if path.endswith(".ts"):
            root = ElementTree.fromstring(text)
            for node in root.iter("translation"):
                chars.update(node.text or "")
                for form in node.iter("numerusform"):
                    chars.update(form.text or "")
        elif path.endswith(".html"):
            page = PageText()
            page.feed(text)
            page.close()
            chars.update(c for c in page.chars if ord(c) > 0x7F)
        elif path.endswith(".js"):
            chars.update(c for c in text if ord(c) > 0x7F)
        else:
            sys.exit(f"{path}: neither a page (.html, .js) nor translations (.ts)")
    return sorted(c for c in chars if c.isprintable())


def licence_text(copyright_path):
    """The 'License: IPA-1' paragraph of Debian's copyright file, unfolded."""
    with open(copyright_path, encoding="utf-8") as f:
        lines = f.read().split("\n")
    # The stand-alone paragraph, not the Files paragraph's License line.
    starts = [i for i, line in enumerate(lines[:-1])
              if line == "License: IPA-1" and lines[i + 1].startswith(" ")]
    if not starts:
        sys.exit(f"{copyright_path}: no 'License: IPA-1' paragraph")
    start = starts[0]
    body = []
    for line in lines[start + 1:]:
        if not line.startswith(" "):
            break
        body.append("" if line.strip() == "." else line[1:])
    if not any("IPA Font License Agreement v1.0" in line for line in body):
        sys.exit(f"{copyright_path}: the IPA-1 paragraph lacks the licence's text")
    return "\n".join(body).rstrip() + "\n"


def rename(font, version):
    name = font["name"]
    name.names = [r for r in name.names if r.nameID not in NAME_IDS]
    for string, name_id in ((FAMILY, 1), ("Regular", 2), (f"{POSTSCRIPT}-{version}", 3),
                            (FAMILY, 4), (POSTSCRIPT, 6)):
        name.setName(string, name_id, 3, 1, 0x409)
        name.setName(string, name_id, 1, 0, 0)
    name.setName(f"{FAMILY}: the characters Kinopa shows, from IPA P Gothic {version}, "
                 "under the IPA Font License Agreement v1.0.", 10, 3, 1, 0x409)
    left = [r.toUnicode() for r in name.names if r.nameID in NAME_IDS and "IPA" in r.toUnicode()]
    if left:
        sys.exit(f"names still saying IPA: {left}")


def write_whole(path, data):
    """Writes through a temporary file beside `path`, so no reader ever
    sees half of it."""
    directory = os.path.dirname(path)
    fd, temporary = tempfile.mkstemp(dir=directory, prefix=".tmp-")
    try:
        with os.fdopen(fd, "wb") as f:
            f.write(data)
        os.chmod(temporary, 0o644)
        os.replace(temporary, path)
    except BaseException:
        os.unlink(temporary)
        raise


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--font", required=True, help="ipagp.ttf")
    parser.add_argument("--licence", default="/usr/share/doc/fonts-ipafont-gothic/copyright")
    parser.add_argument("--out", required=True)
    parser.add_argument("--sources", nargs="+", required=True)
    args = parser.parse_args()
    os.makedirs(args.out, exist_ok=True)

    chars = shown_characters(args.sources)
    original = TTFont(args.font, lazy=True)
    cmap = original.getBestCmap()
    missing = [c for c in chars if ord(c) not in cmap]
    if missing:
        sys.exit(f"{args.font} has no glyph for: {''.join(missing)!r}")
    version = original["name"].getDebugName(5).replace("Version ", "")
    original.close()

    options = subset.Options()
    options.flavor = "woff2"
    options.hinting = False        # browsers do not use TrueType hints at these sizes
    options.name_IDs = ["*"]       # kept, then renamed below
    options.name_languages = ["*"]
    options.notdef_outline = True
    font = subset.load_font(args.font, options)
    subsetter = subset.Subsetter(options)
    subsetter.populate(text="".join(chars))
    subsetter.subset(font)
    rename(font, version)
    held = font.getBestCmap()
    lost = [c for c in chars if ord(c) not in held]
    if lost:
        sys.exit(f"the subset lost: {''.join(lost)!r}")

    with tempfile.TemporaryDirectory() as scratch:
        woff2 = os.path.join(scratch, "font.woff2")
        subset.save_font(font, woff2, options)
        with open(woff2, "rb") as f:
            write_whole(os.path.join(args.out, "kinopa-gothic.woff2"), f.read())
    write_whole(os.path.join(args.out, "kinopa-gothic-characters.txt"),
                ("".join(chars) + "\n").encode("utf-8"))
    write_whole(os.path.join(args.out, "LICENCE.txt"), licence_text(args.licence).encode("utf-8"))
    write_whole(os.path.join(args.out, "README.txt"), f"""\
Kinopa Gothic (kinopa-gothic.woff2)

A Derived Program of IPA P Gothic (ipagp.ttf, version {version}) under the
IPA Font License Agreement v1.0, in LICENCE.txt beside this file. It holds
only the {len(chars)} characters in kinopa-gothic-characters.txt, which Kinopa's
labels show, without hinting, and is renamed as the licence asks of a
modified font. Kinopa's build makes it with fontTools' subsetter (web/make_font.py
in Kinopa's sources) from the font of Debian's fonts-ipafont-gothic package.

To use the original font instead: get IPA P Gothic (Debian's
fonts-ipafont-gothic package, /usr/share/fonts/opentype/ipafont-gothic/ipagp.ttf,
or the font's own distribution by CITPC), put ipagp.ttf in this folder and,
in index.html, change the @font-face rule's src from
url("fonts/kinopa-gothic.woff2") format("woff2") to
url("fonts/ipagp.ttf") format("truetype").
""".encode("utf-8"))
    print(f"Kinopa Gothic: {len(chars)} characters, "
          f"{os.path.getsize(os.path.join(args.out, 'kinopa-gothic.woff2'))} bytes")


if __name__ == "__main__":
    main()
