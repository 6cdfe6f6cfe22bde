#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <functional>

namespace jw {

/// A word of the text to check: UTF-16 offset and length.
struct WordSpan {
    qsizetype start = 0;
    qsizetype length = 0;
    bool operator==(const WordSpan &) const = default;
};

/// The words of `text` that spelling checks: runs of letters, with
/// apostrophes between letters ("don't"). Left out: runs that hold digits
/// ("3rd", "mp3"), web and mail addresses, and parts of names such as
/// "notes.txt", "bob@example" or "path/to" that are no words of a language.
QList<WordSpan> spellWords(QStringView text);

/// The dictionary that the desktop's language asks for, among `available`
/// (names such as "en_US"): the first of LANGUAGE (a list split by ':'),
/// LC_ALL, LC_MESSAGES and LANG that names one, whole ("de_DE.UTF-8") or by
/// language alone ("de"); else "en_US" when it is available; else the first.
/// `env` reads an environment variable.
QString desktopLanguage(const QStringList &available, const std::function<QString(const char *)> &env);

/// A dictionary's name for people: "English (United States)" for "en_US",
/// the name itself when it names no language.
QString languageLabel(const QString &dictionary);

} // namespace jw
