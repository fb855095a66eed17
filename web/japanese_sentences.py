#!/usr/bin/env python3
"""Writes the game's Japanese sentences for the browser's build as C++: the
translations kept in translations/kinopa_ja.ts (the one place they are
written), looked up by their English sentence.
   usage: japanese_sentences.py kinopa_ja.ts out.cpp [HEADER]
HEADER declares japaneseSentence (browser/web_face.h unless given)."""
import sys
import xml.etree.ElementTree as ElementTree


def literal(text):
    out = '"'
    for byte in text.encode("utf-8"):
        ch = chr(byte)
        if ch in '"\\':
            out += "\\" + ch
        elif 32 <= byte < 127:
            out += ch
        else:
            out += "\\%03o" % byte
    return out + '"'


def main():
    source, target = sys.argv[1], sys.argv[2]
    header = sys.argv[3] if len(sys.argv) > 3 else "browser/web_face.h"
    pairs = []
    for message in ElementTree.parse(source).getroot().iter("message"):
        english = message.findtext("source")
        translation = message.find("translation")
        if english is None or translation is None:
            continue
        if translation.get("type") in ("unfinished", "obsolete", "vanished") or not translation.text:
            continue
        pairs.append((english, translation.text))
    if not pairs:
        sys.exit(source + " holds no finished translation")
    lines = [
        "// Made by web/japanese_sentences.py from translations/kinopa_ja.ts: do not edit.",
        "#include <string>",
        "#include <unordered_map>",
        "",
        '#include "%s"' % header,
        "",
        "namespace kinopa {",
        "",
        "std::string japaneseSentence(const char* sentence) {",
        "  static const std::unordered_map<std::string, std::string> table = {",
    ]
    for english, japanese in pairs:
        lines.append("      {%s, %s}," % (literal(english), literal(japanese)))
    lines += [
        "  };",
        "  const auto found = table.find(sentence);",
        "  return found == table.end() ? sentence : found->second;",
        "}",
        "",
        "}  // namespace kinopa",
        "",
    ]
    with open(target + ".next", "w", encoding="utf-8") as out:
        out.write("\n".join(lines))
    import os
    os.replace(target + ".next", target)


main()
