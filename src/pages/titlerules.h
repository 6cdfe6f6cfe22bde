#pragma once

#include <QString>

namespace jw {

/// Why a title cannot name a page. A page folder may be synced to any other
/// system, so the same rule holds on every platform.
enum class TitleProblem {
    None,
    Empty,
    ReservedCharacter, ///< one of / \ : * ? " < > |
    ControlCharacter,
    DeviceName, ///< CON, PRN, AUX, NUL, COM1-9, LPT1-9
    TooLong,    ///< title + ".rtf" over 255 bytes in UTF-8
    OnlyDots,   ///< "." and ".." name folders; systems drop trailing dots
};

/// Longest page file name, in UTF-8 bytes.
inline constexpr int kMaxFileNameBytes = 255;

/// Caption of the message box that refuses a title.
inline constexpr const char *kInvalidTitleCaption = QT_TRANSLATE_NOOP("jw::PageList", "Invalid Tab Name");

/// The title a typed name stands for: without blanks at either end, so that
/// " Notes" and "Notes" never become two tabs that look the same.
QString pageTitle(const QString &typed);

/// The first reason `title` (already trimmed by pageTitle) cannot be a page
/// title, or None. Blanks and dots are allowed inside.
TitleProblem checkTitle(const QString &title);

/// Whether `title` + ".rtf" can name a file of the page folder on this
/// system: no path separator or NUL, not "." or "..", at most 255 bytes.
/// Looser than checkTitle: titles stored long ago may hold other characters.
bool canBeFileName(const QString &title);

/// One sentence telling the user why `title` was refused; empty for None.
QString titleProblemText(TitleProblem problem, const QString &title);

} // namespace jw
