#pragma once

// Pages in a short, readable form for the codec's tables and failure messages.

#include "richtext/richtext.h"
#include "support/files.h"

#include <gtest/gtest.h>

#include <string>

namespace jwtest {

/// A page's runs as "length:font:halfPoints:flags" joined by "; ", flags being any of "biu",
/// then ">address" for a link.
inline std::string runsOf(const jw::rtf::Document &doc)
{
    std::string out;
    for (const jw::rtf::Run &r : doc.runs)
        out += (out.empty() ? "" : "; ") + std::to_string(r.length) + ':' + r.format.font + ':'
               + std::to_string(r.format.halfPoints) + ':' + (r.format.bold ? "b" : "") + (r.format.italic ? "i" : "")
               + (r.format.underline ? "u" : "") + (r.format.href.empty() ? "" : ">" + r.format.href);
    return out;
}

inline std::string utf8(std::u16string_view text)
{
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size())).toStdString();
}

inline std::string readFile(const std::string &path) { return readBytes(QString::fromStdString(path)).toStdString(); }

/// Sorted contiguous runs covering the text, none empty, no equal neighbours.
inline ::testing::AssertionResult wellFormed(const jw::rtf::Document &doc)
{
    std::size_t pos = 0;
    for (std::size_t i = 0; i < doc.runs.size(); ++i) {
        const jw::rtf::Run &r = doc.runs[i];
        if (r.start != pos || r.length == 0 || (i > 0 && doc.runs[i - 1].format == r.format))
            return ::testing::AssertionFailure() << "run " << i << " of " << runsOf(doc);
        pos += r.length;
    }
    if (pos != doc.text.size())
        return ::testing::AssertionFailure() << "runs cover " << pos << " of " << doc.text.size() << " units";
    return ::testing::AssertionSuccess();
}

} // namespace jwtest

namespace jw::rtf {
inline void PrintTo(const Document &doc, std::ostream *os)
{
    *os << '"' << jwtest::utf8(doc.text) << "\" [" << jwtest::runsOf(doc) << ']';
}
} // namespace jw::rtf
