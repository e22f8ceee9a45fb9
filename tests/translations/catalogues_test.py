"""Every catalogue is complete and true to the code: lupdate over the sources
finds no text it lacks and none it keeps for nothing; every text is translated
with the same placeholders, accelerator, line breaks and edge blanks as its
source (the toolbar's captions are spaced by their blanks); and the desktop
entry and the AppStream metainfo carry each catalogue's language too.

Usage: catalogues_test.py LUPDATE SOURCE_DIR BUILD_DIR"""
import glob
import os
import re
import shutil
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ElementTree

lupdate, source_dir, build_dir = sys.argv[1:4]
FOLDERS = ["app", "display", "system", "windows", "platform"]
XML_LANG = "{http://www.w3.org/XML/1998/namespace}lang"
faults = []


def text_of(element):
    """The element's text with lupdate's <byte value="xd"/> put back as CR."""
    parts = [element.text or ""]
    for byte in element:
        parts.append(chr(int(byte.get("value").lstrip("x"), 16)) + (byte.tail or ""))
    return "".join(parts)


def shape(text):
    return {
        "placeholders": sorted(re.findall(r"%\d", text)),
        "accelerator": "&" in text,
        "line breaks": text.count("\n"),
        "leading blanks": len(text) - len(text.lstrip(" ")),
        "trailing blanks": len(text) - len(text.rstrip(" ")),
    }


def check_up_to_date(catalogue):
    with tempfile.TemporaryDirectory() as scratch:
        copy = os.path.join(scratch, os.path.basename(catalogue))
        shutil.copy(catalogue, copy)
        subprocess.run([lupdate, "-silent", "-I", source_dir, "-locations", "none", "-no-obsolete",
                        "-extensions", "cpp,h"] + [os.path.join(source_dir, f) for f in FOLDERS] +
                       ["-ts", copy], check=True, capture_output=True)
        with open(catalogue, encoding="utf-8") as a, open(copy, encoding="utf-8") as b:
            if a.read() != b.read():
                faults.append(catalogue + " differs from the texts in the code: run the "
                              "update-translations target and translate what it adds")


def check_translations(catalogue):
    root = ElementTree.parse(catalogue).getroot()
    for context in root.iter("context"):
        name = context.findtext("name")
        for message in context.iter("message"):
            source = text_of(message.find("source"))
            translation = message.find("translation")
            where = "%s: %s %r" % (os.path.basename(catalogue), name, source)
            if translation.get("type") or not text_of(translation):
                faults.append(where + " is not translated")
            elif shape(source) != shape(text_of(translation)):
                faults.append("%s: the translation %r keeps %s, not %s" % (
                    where, text_of(translation), shape(text_of(translation)), shape(source)))
    return root.get("language")


def check_desktop_files(language):
    packaging = os.path.join(build_dir, "packaging")
    [entry] = glob.glob(os.path.join(packaging, "*.desktop"))
    with open(entry, encoding="utf-8") as file:
        keys = {line.split("=", 1)[0] for line in file if "=" in line}
    for key in ("GenericName", "Comment", "Keywords"):
        if "%s[%s]" % (key, language) not in keys:
            faults.append("%s has no %s[%s]" % (entry, key, language))
    [metainfo] = glob.glob(os.path.join(packaging, "*.metainfo.xml"))
    component = ElementTree.parse(metainfo).getroot()
    groups = [component.findall("summary")] + [
        [child for child in parent if child.tag in ("p", "li")]
        for parent in list(component.iter("description")) + list(component.iter("ul"))]
    for elements in groups:
        untranslated = [e for e in elements if e.get(XML_LANG) is None]
        translated = [e for e in elements if e.get(XML_LANG) == language]
        if len(untranslated) != len(translated):
            faults.append("%s: %d of %d texts in %s" % (
                metainfo, len(translated), len(untranslated), language))


catalogues = sorted(glob.glob(os.path.join(source_dir, "translations", "quelvo-player_*.ts")))
if not catalogues:
    faults.append("no catalogue in " + os.path.join(source_dir, "translations"))
for catalogue in catalogues:
    check_up_to_date(catalogue)
    check_desktop_files(check_translations(catalogue))
for fault in faults:
    print(fault)
sys.exit(1 if faults else 0)
