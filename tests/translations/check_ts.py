"""Every translation file is complete: no entry unfinished, obsolete or empty,
each keeping its source's placeholders (%1 ...) and its access letter (&)."""
import re
import sys
import xml.etree.ElementTree as ET

faults = []
for path in sys.argv[1:]:
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
print("\n".join(faults) or f"complete: {', '.join(sys.argv[1:])}")
sys.exit(1 if faults else 0)
