#include "richtext/rtffonttable.h"

#include "richtext/codepages.h"
#include "richtext/unicode.h"

namespace jw::rtf::detail {

namespace {

constexpr int kFlatFonts = 4096;

} // namespace

FontTable::FontTable()
{
    m_names.emplace_back();
    m_nameIds.emplace(std::string(), 0);
}

const FontTable::Font *FontTable::find(int number) const
{
    if (number >= 0 && number < kFlatFonts) {
        const auto n = static_cast<std::size_t>(number);
        return n < m_flat.size() && m_flat[n].nameId >= 0 ? &m_flat[n] : nullptr;
    }
    const auto it = m_other.find(number);
    return it != m_other.end() ? &it->second : nullptr;
}

void FontTable::beginEntry(int number, std::size_t depth)
{
    finishEntry();
    m_open = true;
    m_number = number;
    m_depth = depth;
    m_charsetCodePage = -1;
    m_codePage = -1;
    m_name.clear();
}

void FontTable::setCharset(int charset) { m_charsetCodePage = codePageForCharset(charset); }

void FontTable::setCodePage(int codePage) { m_codePage = codePage; }

int FontTable::entryCodePage() const
{
    for (const int cp : {m_codePage, m_charsetCodePage})
        if (cp > 0 && findCodePage(cp))
            return cp;
    return -1;
}

void FontTable::finishEntry()
{
    if (!m_open)
        return;
    m_open = false;
    const auto [it, added] = m_nameIds.try_emplace(utf16ToUtf8(m_name), static_cast<int>(m_names.size()));
    if (added)
        m_names.push_back(it->first);
    const Font font{it->second, entryCodePage()};
    if (m_number >= 0 && m_number < kFlatFonts) {
        const auto n = static_cast<std::size_t>(m_number);
        if (n >= m_flat.size())
            m_flat.resize(n + 1);
        m_flat[n] = font;
    } else {
        m_other[m_number] = font;
    }
}

} // namespace jw::rtf::detail
