#include "base/names.h"

#include <QFileInfo>

namespace jw {

bool sameTitle(const QString &a, const QString &b) { return QString::compare(a, b, Qt::CaseInsensitive) == 0; }

QString titleKey(const QString &title) { return title.toCaseFolded(); }

QString asideName(const QString &file, const QString &mark, const std::function<bool(const QString &)> &taken)
{
    const QFileInfo info(file);
    const QString folder = file.contains(u'/') ? info.path() + u'/' : QString();
    const QString suffix = info.suffix().isEmpty() ? QString() : u'.' + info.suffix();
    const QString stem = folder + info.completeBaseName() + QStringLiteral(" (") + mark + u')';
    QString name = stem + suffix;
    for (int n = 2; taken(name); ++n)
        name = stem + u' ' + QString::number(n) + suffix;
    return name;
}

} // namespace jw
