#pragma once

// Pages for the editor tests.
#include "richtext/richtext.h"

#include <QString>

#include <utility>
#include <vector>

namespace jw::ui::test {

inline rtf::CharFormat fmt(const char *font, int halfPoints, bool bold = false, bool italic = false,
                           bool underline = false)
{
    return {font, halfPoints, bold, italic, underline};
}

/// A page from pieces of text with their formats, runs merged as the model wants them.
inline rtf::Document makeDoc(const std::vector<std::pair<QString, rtf::CharFormat>> &pieces)
{
    rtf::Document doc;
    for (const auto &[text, format] : pieces) {
        const std::size_t start = doc.text.size();
        doc.text += text.toStdU16String();
        if (!doc.runs.empty() && doc.runs.back().format == format)
            doc.runs.back().length += std::size_t(text.size());
        else if (!text.isEmpty())
            doc.runs.push_back({start, std::size_t(text.size()), format});
    }
    return doc;
}

} // namespace jw::ui::test
