#pragma once

#include <QString>

#include <functional>

namespace jw {

/// The places the help's contents page can be, fixed when the program is built.
struct HelpLocations {
    /// The build folder; a program inside it uses the build tree's copy.
    QString buildDir;
    /// The contents page in the build tree.
    QString buildFile;
    /// The contents page where installing puts it.
    QString installedFile;
    /// The same seen from the program's folder, for a tree installed
    /// elsewhere than it was built for (`cmake --install --prefix`).
    QString relativeFile;
};

/// The locations of this build.
HelpLocations builtHelpLocations();

/// The contents page for a program running from `appDir`: the build tree's
/// copy inside the build folder; else the installed page, or the page found
/// beside the program when only that exists. When neither exists, the
/// installed page, so that the message names the place it belongs.
QString chooseHelpFile(const QString &appDir, const HelpLocations &locations,
                       const std::function<bool(const QString &path)> &exists);

/// The contents page of this program's help.
QString helpFilePath();

} // namespace jw
