#pragma once

#include <QString>
#include <QStringList>

#include <functional>

class QCoreApplication;

namespace jw {

/// The languages the desktop asks for, most wanted first, as locale names
/// without codeset ("de_DE", "pt_BR", "de"): LANGUAGE's list, then LC_ALL,
/// LC_MESSAGES and LANG, then `system` (the system locale's own list, which
/// is all Windows gives). "C" and "POSIX" are left out.
QStringList desktopLanguages(const std::function<QString(const char *)> &env, const QStringList &system);

/// Installs the program's translation and Qt's own (its standard dialogs) for
/// the first of `wanted` that the program speaks; English, the source
/// language, when an English name comes first or none matches. Returns the
/// name of the translation used, empty for English.
QString installTranslations(QCoreApplication &app, const QStringList &wanted);

/// The desktop's languages from the environment and QLocale::system().
QStringList desktopLanguages();

} // namespace jw
