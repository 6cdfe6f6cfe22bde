"""Every translation file is complete: no entry unfinished, obsolete or empty,
each keeping its source's placeholders (%1 ...) and its access letter (&).
With --lupdate LUPDATE SOURCES, a copy of each file is first brought up to
date with the sources, so a text added to the program without its
translation fails too.
Usage: check_ts.py [--lupdate LUPDATE SOURCES] FILE.ts..."""
import os
import re
import shutil
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET

args = sys.argv[1:]
files = args
work = tempfile.mkdtemp()
if args[:1] == ["--lupdate"]:
    lupdate, sources, files = args[1], args[2], []
    for path in args[3:]:
        copy = os.path.join(work, os.path.basename(path))
        shutil.copy(path, copy)
        subprocess.run([lupdate, "-silent", "-locations", "none", "-no-obsolete", sources, "-ts", copy],
                       check=True, stdout=subprocess.DEVNULL)
        files.append(copy)

faults = []
for path in files:
    for context in ET.parse(path).getroot().iter("context"):
        for message in context.iter("message"):
            source, translation = message.findtext("source"), message.find("translation")
            where = f"{path}: {context.findtext('name')}: {source!r}"
            text = translation.text or ""
            if translation.get("type") or not text:
                faults.append(f"{where} is {translation.get('type') or 'empty'}")
            elif sorted(re.findall(r"%\d", source)) != sorted(re.findall(r"%\d", text)):
                faults.append(f"{where}: the placeholders differ in {text!r}")
            elif source.replace("&&", "").count("&") != text.replace("&&", "").count("&"):
                faults.append(f"{where}: the access letter differs in {text!r}")
shutil.rmtree(work)
print("\n".join(faults) or f"complete: {', '.join(files)}")
sys.exit(1 if faults else 0)
