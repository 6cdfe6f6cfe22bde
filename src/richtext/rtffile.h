#pragma once

#include "richtext/richtext.h"
#include "base/ioerror.h"

#include <QString>

namespace jw {

/// Reads the rich text file `path` into a page; a 0-byte file is an empty
/// page. Throws jw::IoError with the operating system's reason when the
/// file cannot be read (missing, a folder, no permission ...).
rtf::Document loadRtfFile(const QString &path);
/// The same, reporting to `control` (twice the file's size when whole: it
/// is read, then parsed) and throwing rtf::ReadStopped when asked to stop.
rtf::Document loadRtfFile(const QString &path, rtf::ReadControl &control);

/// Writes `doc` as rich text to `path`, creating or replacing the file
/// atomically: a temporary file in the same folder is flushed and renamed
/// over the old one. On any failure the previous file stays intact and
/// jw::IoError is thrown with the operating system's reason.
void saveRtfFile(const QString &path, const rtf::Document &doc);

} // namespace jw
