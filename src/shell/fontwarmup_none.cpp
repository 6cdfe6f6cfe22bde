#include "shell/fontwarmup.h"

namespace jw {

// Without fontconfig there is nothing to read ahead.
FontWarmUp::FontWarmUp() = default;
FontWarmUp::~FontWarmUp() = default;

} // namespace jw
