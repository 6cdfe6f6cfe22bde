#include "hotkeys/hotkeyerror.h"

#include <utility>

namespace jw {

HotKeyError::HotKeyError(std::int32_t number, std::string source, std::string description, std::uint32_t systemError)
    : std::runtime_error(description), m_number(number), m_source(std::move(source)),
      m_description(std::move(description)), m_systemError(systemError)
{}

} // namespace jw
