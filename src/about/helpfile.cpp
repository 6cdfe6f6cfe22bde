#include "about/helpfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace jw {

namespace {

QString canonical(const QString &path)
{
    const QString real = QFileInfo(path).canonicalFilePath();
    return real.isEmpty() ? QDir::cleanPath(path) : real;
}

} // namespace

HelpLocations builtHelpLocations()
{
    return {QStringLiteral(JW_BUILD_DIR), QStringLiteral(JW_HELP_BUILD_FILE), QStringLiteral(JW_HELP_INSTALLED_FILE),
            QStringLiteral(JW_HELP_RELATIVE_FILE)};
}

QString chooseHelpFile(const QString &appDir, const HelpLocations &locations,
                       const std::function<bool(const QString &path)> &exists)
{
    const QString program = canonical(appDir);
    const QString build = canonical(locations.buildDir);
    if (!build.isEmpty() && (program == build || program.startsWith(build + QLatin1Char('/'))))
        return locations.buildFile;
    if (exists(locations.installedFile))
        return locations.installedFile;
    if (!locations.relativeFile.isEmpty()) {
        const QString beside = QDir::cleanPath(QDir(appDir).filePath(locations.relativeFile));
        if (exists(beside))
            return beside;
    }
    return locations.installedFile;
}

QString helpFilePath()
{
    return chooseHelpFile(QCoreApplication::applicationDirPath(), builtHelpLocations(),
                          [](const QString &path) { return QFileInfo(path).isFile(); });
}

} // namespace jw
