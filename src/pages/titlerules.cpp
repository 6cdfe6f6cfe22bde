#include "pages/titlerules.h"

#include <QCoreApplication>

namespace jw {

namespace {

const QString kReserved = QStringLiteral("/\\:*?\"<>|");

bool isDeviceName(const QString &stem)
{
    static const QString fixed[] = {QStringLiteral("CON"), QStringLiteral("PRN"), QStringLiteral("AUX"),
                                    QStringLiteral("NUL")};
    for (const QString &name : fixed) {
        if (stem.compare(name, Qt::CaseInsensitive) == 0)
            return true;
    }
    if (stem.size() != 4 || stem.at(3) < u'1' || stem.at(3) > u'9')
        return false;
    const QString prefix = stem.left(3);
    return prefix.compare(QLatin1StringView("COM"), Qt::CaseInsensitive) == 0
           || prefix.compare(QLatin1StringView("LPT"), Qt::CaseInsensitive) == 0;
}

// The device part of a name: what comes before the first dot, without the
// blanks in front of that dot ("con.txt" and "Aux " both open the device).
QString deviceStem(const QString &title)
{
    QString stem = title.left(title.indexOf(u'.') < 0 ? title.size() : title.indexOf(u'.'));
    while (stem.endsWith(u' '))
        stem.chop(1);
    return stem;
}

} // namespace

QString pageTitle(const QString &typed) { return typed.trimmed(); }

TitleProblem checkTitle(const QString &title)
{
    if (title.isEmpty())
        return TitleProblem::Empty;
    if (title.count(u'.') == title.size())
        return TitleProblem::OnlyDots;
    for (const QChar c : title) {
        if (kReserved.contains(c))
            return TitleProblem::ReservedCharacter;
        if (c.category() == QChar::Other_Control)
            return TitleProblem::ControlCharacter;
    }
    if (isDeviceName(deviceStem(title)))
        return TitleProblem::DeviceName;
    if ((title + QStringLiteral(".rtf")).toUtf8().size() > kMaxFileNameBytes)
        return TitleProblem::TooLong;
    return TitleProblem::None;
}

bool canBeFileName(const QString &title)
{
    return !title.isEmpty() && title != u"." && title != u".." && !title.contains(u'/') && !title.contains(u'\\')
           && !title.contains(QChar(u'\0')) && (title + QStringLiteral(".rtf")).toUtf8().size() <= kMaxFileNameBytes;
}

QString titleProblemText(TitleProblem problem, const QString &title)
{
    switch (problem) {
    case TitleProblem::None: return {};
    case TitleProblem::Empty: return QCoreApplication::translate("jw::TitleRules", "A tab name cannot be empty.");
    case TitleProblem::ReservedCharacter:
        return QCoreApplication::translate("jw::TitleRules",
                                           "A tab name cannot contain any of the characters / \\ : * ? \" < > |.");
    case TitleProblem::ControlCharacter:
        return QCoreApplication::translate("jw::TitleRules",
                                           "A tab name cannot contain control characters such as tabs or line breaks.");
    case TitleProblem::DeviceName:
        return QCoreApplication::translate("jw::TitleRules",
                                           "\"%1\" is a device name of the system and cannot be used as a tab name.")
            .arg(deviceStem(title));
    case TitleProblem::TooLong:
        return QCoreApplication::translate("jw::TitleRules", "The tab name is too long to be used as a file name.");
    case TitleProblem::OnlyDots:
        return QCoreApplication::translate("jw::TitleRules", "A tab name cannot be made of dots only.");
    }
    return {};
}

} // namespace jw
