#pragma once

#include <QString>

#include <functional>

namespace jw {

/// Whether two page titles (and so two page file names, or two names in the
/// settings store) are the same ignoring letter case: by Unicode case
/// folding, whatever the locale, as case-insensitive file systems compare
/// names. A locale's lower case would let "LIST" and "list" be two pages of
/// one file under a Turkish locale.
bool sameTitle(const QString &a, const QString &b);
/// The form of `title` that equal titles share, for hashing.
QString titleKey(const QString &title);

/// The name for a copy of `file` set aside with `mark`: "Notes (mark).rtf"
/// beside it, or "Notes (mark) 2.rtf", 3 ... while `taken` says a name is
/// in use, so an earlier copy is never replaced.
QString asideName(const QString &file, const QString &mark, const std::function<bool(const QString &)> &taken);

} // namespace jw
