#!/usr/bin/env bash
# Makes the LibreOffice-made fixtures next to this script:
#   charsets.txt              LibreOffice's reading of the hand-written charsets.rtf
#   libreoffice-charsets.rtf  LibreOffice's own RTF of that document
#   libreoffice-formats.rtf   LibreOffice's RTF of formats.html, made here
# usage: tests/data/rtf/make-libreoffice.sh   (needs soffice: libreoffice-writer-nogui)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

convert() { # FILTER FILE
  soffice -env:UserInstallation="file://$work/profile" --headless --convert-to "$1" \
    --outdir "$work/out" "$2" >/dev/null 2>&1
}

convert 'txt:Text (encoded):UTF8' "$here/charsets.rtf"
# The reader's form of text: no byte order mark, '\n' between paragraphs.
sed '1s/^\xEF\xBB\xBF//' "$work/out/charsets.txt" | tr -d '\r' >"$here/charsets.txt"
convert rtf "$here/charsets.rtf"
mv "$work/out/charsets.rtf" "$here/libreoffice-charsets.rtf"

cat >"$work/formats.html" <<'HTML'
<html><head><meta charset="utf-8"></head><body>
<p><font face="Liberation Serif" size="3">Plain <b>bold</b> <i>italic</i> <u>underlined</u>
<b><i><u>all three</u></i></b></font></p>
<p><font face="Liberation Sans" size="5">Большой</font> <font face="DejaVu Sans Mono" size="2">Ελληνικά 日本語</font></p>
<p><font face="Liberation Serif">Emoji 😀 and {braces} \ back</font></p>
</body></html>
HTML
convert 'rtf:Rich Text Format' "$work/formats.html"
mv "$work/out/formats.rtf" "$here/libreoffice-formats.rtf"
