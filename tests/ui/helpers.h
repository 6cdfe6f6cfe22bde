#pragma once

#include "richtext/richtext.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QString>

#include <string>
#include <utility>
#include <vector>

namespace jw::ui::test {

inline std::u16string u16(const QString &s)
{
    return std::u16string(reinterpret_cast<const char16_t *>(s.constData()), std::size_t(s.size()));
}

inline jw::rtf::CharFormat fmt(const char *font, int halfPoints, bool bold = false, bool italic = false,
                               bool underline = false)
{
    jw::rtf::CharFormat f;
    f.font = font;
    f.halfPoints = halfPoints;
    f.bold = bold;
    f.italic = italic;
    f.underline = underline;
    return f;
}

/// A document from pieces of text with their formats, merged like the model wants.
inline jw::rtf::Document makeDoc(const std::vector<std::pair<QString, jw::rtf::CharFormat>> &pieces)
{
    jw::rtf::Document doc;
    for (const auto &[text, format] : pieces) {
        if (text.isEmpty())
            continue;
        const std::size_t start = doc.text.size();
        doc.text += u16(text);
        if (!doc.runs.empty() && doc.runs.back().format == format)
            doc.runs.back().length += std::size_t(text.size());
        else
            doc.runs.push_back({start, std::size_t(text.size()), format});
    }
    return doc;
}

/// Runs the event loop until `done()` or the timeout.
template <typename Pred>
bool waitFor(Pred done, int timeoutMs = 5000)
{
    QDeadlineTimer deadline(timeoutMs);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}

} // namespace jw::ui::test
