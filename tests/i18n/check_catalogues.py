#!/usr/bin/env python3
"""Checks the text catalogues against the sources.

Runs lupdate over src/ into copies of translations/*.ts (the files in the tree stay untouched) and
fails when a text of the code has no finished translation, when a translation loses a %1..%9
marker of its source, or when the English catalogue holds Japanese for an English source.

Usage: check_catalogues.py LUPDATE SOURCE_DIR"""
import pathlib
import re
import shutil
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET

JAPANESE = re.compile(r"[\u3040-\u30ff\u4e00-\u9fff\uff00-\uffef]")
MARKER = re.compile(r"%[1-9]")


def messages(path):
    for context in ET.parse(path).getroot().iter("context"):
        name = context.findtext("name")
        for message in context.iter("message"):
            source = message.findtext("source") or ""
            translation = message.find("translation")
            yield name, source, translation


def check(path, language):
    problems = []
    count = 0
    for context, source, translation in messages(path):
        count += 1
        where = f"{path.name}: [{context}] {source!r}"
        kind = translation.get("type") if translation is not None else "missing"
        text = (translation.text or "") if translation is not None else ""
        if kind in ("unfinished", "missing") or not text:
            problems.append(f"{where}: no finished translation")
            continue
        if sorted(set(MARKER.findall(source))) != sorted(set(MARKER.findall(text))):
            problems.append(f"{where}: the markers differ in {text!r}")
        if language == "en" and JAPANESE.search(text) and not JAPANESE.search(source):
            problems.append(f"{where}: Japanese in the English catalogue: {text!r}")
        if language == "ja" and JAPANESE.search(source) is None and text == source and \
                re.search(r"[a-z]{3,} [a-z]{3,}", source):
            problems.append(f"{where}: an English sentence left untranslated")
    return count, problems


def main():
    lupdate, root = sys.argv[1], pathlib.Path(sys.argv[2])
    failed = False
    with tempfile.TemporaryDirectory() as work:
        for language in ("ja", "en"):
            stored = root / "translations" / f"brivane3_{language}.ts"
            copy = pathlib.Path(work) / stored.name
            shutil.copyfile(stored, copy)
            subprocess.run([lupdate, "-silent", "-tr-function-alias",
                            "translate+=Tr,QT_TRANSLATE_NOOP+=BRV3_TR_NOOP", "-locations",
                            "none", "-no-obsolete", "-extensions", "cpp,h", "-I", str(root / "src"),
                            str(root / "src"),
                            "-ts", str(copy)], check=True)
            count, problems = check(copy, language)
            for p in problems:
                print(p)
            print(f"{stored.name}: {count} texts, {len(problems)} problems")
            failed |= bool(problems) or count == 0
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
