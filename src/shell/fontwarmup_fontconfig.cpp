#include "shell/fontwarmup.h"

#include <fontconfig/fontconfig.h>

namespace jw {

// Several milliseconds of parsing configuration files, which the first window
// otherwise waits for. Racing Qt's own FcInit is safe: fontconfig keeps one of
// the two copies and drops the other.
FontWarmUp::FontWarmUp() : m_thread([] { FcInit(); }) {}

FontWarmUp::~FontWarmUp() { m_thread.join(); }

} // namespace jw
