#include "richtext/rtfplaintext.h"

#include "richtext/codepages.h"
#include "richtext/unicode.h"

namespace jw::rtf::detail {

Document readPlainText(std::string_view bytes)
{
    if (bytes.size() >= 3 && bytes.substr(0, 3) == "\xEF\xBB\xBF")
        bytes.remove_prefix(3);
    std::u16string decoded;
    if (!utf8ToUtf16Strict(bytes, decoded))
        decoded = decodeWindows1252(bytes);
    Document doc;
    doc.text.reserve(decoded.size());
    for (std::size_t i = 0; i < decoded.size(); ++i) {
        const char16_t u = decoded[i];
        if (u == u'\r') {
            doc.text.push_back(u'\n');
            if (i + 1 < decoded.size() && decoded[i + 1] == u'\n')
                ++i;
        } else if (u != 0) {
            doc.text.push_back(u);
        }
    }
    if (!doc.text.empty())
        doc.runs.push_back(Run{0, doc.text.size(), CharFormat{}});
    return doc;
}

} // namespace jw::rtf::detail
