"""Fills the catalogues after lupdate (see scripts/update-translations)."""
import subprocess
import sys
import xml.etree.ElementTree as ET
from pathlib import Path

SEPARATOR = "\n@@PARLAVINE@@\n"


def messages(tree):
    for context in tree.getroot().iter("context"):
        for message in context.iter("message"):
            yield message


def traditional(texts):
    """Converts Simplified Chinese texts to Traditional with Taiwan phrases, in one opencc run."""
    joined = SEPARATOR.join(texts)
    out = subprocess.run(["opencc", "-c", "s2twp"], input=joined, capture_output=True,
                         text=True, check=True).stdout
    if out.endswith("\n") and not joined.endswith("\n"):
        out = out[:-1]
    converted = out.split(SEPARATOR)
    assert len(converted) == len(texts)
    return converted


def fill_traditional(path):
    tree = ET.parse(path)
    entries = list(messages(tree))
    sources = [m.findtext("source") or "" for m in entries]
    for message, text in zip(entries, traditional(sources)):
        translation = message.find("translation")
        translation.text = text
        translation.attrib.pop("type", None)
    write(tree, path)


def fill_english(path):
    tree = ET.parse(path)
    known = {}
    for message in messages(tree):
        translation = message.find("translation")
        if translation.get("type") != "unfinished" and translation.text:
            known.setdefault(message.findtext("source"), translation.text)
    missing = []
    for message in messages(tree):
        translation = message.find("translation")
        if translation.get("type") == "unfinished":
            source = message.findtext("source")
            if source in known:
                translation.text = known[source]
                translation.attrib.pop("type")
            else:
                missing.append(source)
    write(tree, path)
    for source in missing:
        print("en: not yet translated: %r" % source)


def write(tree, path):
    ET.indent(tree, space="    ")
    body = ET.tostring(tree.getroot(), encoding="unicode")
    Path(path).write_text('<?xml version="1.0" encoding="utf-8"?>\n<!DOCTYPE TS>\n' + body + "\n",
                          encoding="utf-8")


if __name__ == "__main__":
    folder = Path(sys.argv[1])
    fill_traditional(folder / "zh-Hant.ts")
    fill_english(folder / "en.ts")
