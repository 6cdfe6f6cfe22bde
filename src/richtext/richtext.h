#pragma once

#include <atomic>
#include <cstddef>
#include <exception>
#include <string>
#include <string_view>
#include <vector>

namespace jw::rtf {

/// Character formatting of a run of text.
struct CharFormat {
    std::string font;    ///< font family name, UTF-8
    int halfPoints = 24; ///< size in half points: 17 is 8.5 pt
    bool bold = false;
    bool italic = false;
    bool underline = false;
    std::string href{}; ///< a link's address, UTF-8; empty when the text is no link

    bool operator==(const CharFormat &) const = default;
};

/// A stretch of text with one format; offsets count UTF-16 code units.
struct Run {
    std::size_t start = 0;
    std::size_t length = 0;
    CharFormat format;

    bool operator==(const Run &) const = default;
};

/// A page: plain text plus its character formatting.
///
/// In `text`, '\n' ends a paragraph, U+2028 is a line break inside a
/// paragraph and '\t' a tab. `runs` are sorted, contiguous, cover the whole
/// text, have non-zero length, and no two neighbours share a format.
/// An empty text has no runs.
struct Document {
    std::u16string text;
    std::vector<Run> runs;

    bool operator==(const Document &) const = default;
};

/// How far a read on another thread has got, and the wish to stop it.
struct ReadControl {
    std::atomic<std::size_t> done{0}; ///< bytes read plus bytes parsed so far
    std::atomic<bool> stop{false};    ///< set by anyone: the read throws ReadStopped soon
    std::size_t parsedFrom = 0;       ///< what `done` held when the parse began
};

/// A read given up on request (ReadControl::stop).
struct ReadStopped : std::exception {
    const char *what() const noexcept override { return "the read was stopped"; }
};

/// Parses RTF (or, when the bytes do not start with "{\rtf", plain text in
/// UTF-8 or else Windows-1252). Never fails: unreadable parts are dropped.
/// With `control`, reports its progress there and throws ReadStopped when asked to stop.
Document readRtf(std::string_view bytes, ReadControl *control = nullptr);

/// Writes RTF 1.x that reads back through readRtf as the same document.
/// The output is pure ASCII and deterministic.
std::string writeRtf(const Document &doc);

/// Merges neighbouring runs with equal formats and drops empty ones.
void normalizeRuns(Document &doc);

} // namespace jw::rtf
