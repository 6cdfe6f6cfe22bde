#pragma once

#include <QList>
#include <QString>
#include <QStringView>

namespace jw {

/// A web or mail address found in text.
struct FoundLink {
    qsizetype start = 0;  ///< UTF-16 offset of its first character
    qsizetype length = 0; ///< UTF-16 units shown as the link
    QString url;          ///< what opening it opens ("www." gains "http://")

    bool operator==(const FoundLink &) const = default;
};

/// The addresses in `text` that start with http://, https://, ftp://,
/// mailto: or www. (any letter case) at the start of a word. An address
/// ends at white space or a character no address holds; punctuation that
/// ends a sentence and closing brackets that it did not open are left out.
QList<FoundLink> findLinks(QStringView text);

} // namespace jw
