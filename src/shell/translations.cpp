#include "shell/translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace jw {

QStringList desktopLanguages(const std::function<QString(const char *)> &env, const QStringList &system)
{
    QStringList values = env("LANGUAGE").split(u':', Qt::SkipEmptyParts);
    for (const char *name : {"LC_ALL", "LC_MESSAGES", "LANG"})
        values << env(name);
    values << system;
    QStringList languages;
    for (QString value : values) {
        // "de_DE.UTF-8@euro" and "de-DE" both name "de_DE".
        value = value.section(u'.', 0, 0).section(u'@', 0, 0).replace(u'-', u'_');
        if (value.isEmpty() || value == u"C" || value == u"POSIX" || languages.contains(value))
            continue;
        languages << value;
    }
    return languages;
}

QStringList desktopLanguages()
{
    return desktopLanguages([](const char *name) { return qEnvironmentVariable(name); },
                            QLocale::system().uiLanguages());
}

QString installTranslations(QCoreApplication &app, const QStringList &wanted)
{
    for (const QString &language : wanted) {
        if (language == u"en" || language.startsWith(u"en_"))
            return {};
        auto *own = new QTranslator(&app);
        // load() falls back from "jotwell_de_DE" to "jotwell_de".
        if (!own->load(QStringLiteral("jotwell_") + language, QStringLiteral(":/i18n"))) {
            delete own;
            continue;
        }
        auto *qt = new QTranslator(&app);
        if (qt->load(QStringLiteral("qtbase_") + language, QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
            QCoreApplication::installTranslator(qt);
        else
            delete qt;
        QCoreApplication::installTranslator(own);
        return own->language();
    }
    return {};
}

} // namespace jw
