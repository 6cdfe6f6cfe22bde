#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>

namespace jw::rtf::detail {

/// Byte-to-UTF-16 tables of one code page, built once and shared.
class CodePage final {
public:
    explicit CodePage(int number);
    CodePage(const CodePage &) = delete;
    CodePage &operator=(const CodePage &) = delete;
    ~CodePage();

    /// The Windows code page number this table decodes.
    int number() const { return m_number; }
    /// True for the double-byte code pages (932, 936, 949, 950, 1361).
    bool isDoubleByte() const { return m_doubleByte; }
    /// True when `byte` starts a two-byte character.
    bool isLeadByte(unsigned char byte) const { return m_lead[byte]; }
    /// The character of a single byte; U+FFFD when the byte means nothing.
    char16_t single(unsigned char byte) const { return m_single[byte]; }
    /// The character of a lead/trail pair; U+FFFD when the pair is invalid.
    char16_t pair(unsigned char lead, unsigned char trail) const;

private:
    using Row = std::array<char16_t, 256>;
    const Row &row(unsigned char lead) const;

    int m_number;
    bool m_doubleByte = false;
    std::array<char16_t, 256> m_single{};
    std::array<bool, 256> m_lead{};
    mutable std::array<std::atomic<const Row *>, 256> m_rows{};
    mutable std::mutex m_rowMutex;
};

/// The shared table for `number`, or nullptr when the platform has no
/// converter for it.
const CodePage *findCodePage(int number);

/// The shared table for `number`; unknown code pages give Windows-1252.
const CodePage &codePage(int number);

/// Code page named by an RTF `\fcharset` value, or -1 for "the document's".
int codePageForCharset(int charset);

/// Decodes Windows-1252 bytes (undefined bytes map like Windows does, to
/// the C1 control with the same value).
std::u16string decodeWindows1252(std::string_view bytes);

} // namespace jw::rtf::detail
