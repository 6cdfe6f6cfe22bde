#pragma once

#include "richtext/richtext.h"

#include <QString>

#include <functional>

class QWidget;

namespace jw::ui {

/// Reads the page file `path` (the page `title`). A big one is read and
/// parsed on a worker thread while the pad goes on answering, through
/// readShowingProgress.
rtf::Document readPageShowingProgress(QWidget *parent, const QString &path, const QString &title);

/// Runs `read` on a worker thread and waits for it with the event loop
/// running. After a moment a window-modal progress dialog over `parent`
/// says `label` and how far the read got (ReadControl::done of `total`);
/// its Cancel, Esc or the application's end asks the read to stop. Returns
/// what `read` returned, or throws what it threw (rtf::ReadStopped when stopped).
rtf::Document readShowingProgress(QWidget *parent, const QString &label, qint64 total,
                                  const std::function<rtf::Document(rtf::ReadControl &)> &read);

} // namespace jw::ui
