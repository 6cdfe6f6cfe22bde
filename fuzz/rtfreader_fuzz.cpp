// Feeds arbitrary bytes to the RTF reader. Besides the sanitizers, it checks
// what the rest of the program relies on: the document is well formed, and
// writing it and reading it back gives the same document.

#include "richtext/richtext.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

void check(bool ok)
{
    if (!ok)
        std::abort();
}

void checkWellFormed(const jw::rtf::Document &doc)
{
    std::size_t pos = 0;
    for (std::size_t i = 0; i < doc.runs.size(); ++i) {
        const jw::rtf::Run &r = doc.runs[i];
        check(r.start == pos && r.length > 0);
        check(i == 0 || !(doc.runs[i - 1].format == r.format));
        check(r.format.halfPoints > 0);
        pos += r.length;
    }
    check(pos == doc.text.size());
    for (std::size_t i = 0; i < doc.text.size(); ++i) {
        const char16_t u = doc.text[i];
        check(u != 0);
        if (u >= 0xD800 && u <= 0xDBFF) {
            check(i + 1 < doc.text.size() && doc.text[i + 1] >= 0xDC00 && doc.text[i + 1] <= 0xDFFF);
            ++i;
        } else {
            check(u < 0xDC00 || u > 0xDFFF);
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char *>(data), size);
    const jw::rtf::Document doc = jw::rtf::readRtf(bytes);
    checkWellFormed(doc);
    const std::string rtf = jw::rtf::writeRtf(doc);
    for (char c : rtf)
        check(static_cast<unsigned char>(c) < 0x80);
    check(jw::rtf::readRtf(rtf) == doc);
    return 0;
}
