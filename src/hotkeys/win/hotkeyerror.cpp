#include "hotkeys/win/hotkeyerror.h"

#include <utility>

namespace jw {

HotKeyError::HotKeyError(std::int32_t number, std::string source, std::string description, std::uint32_t systemError,
                         std::string systemText)
    : std::runtime_error(description), m_number(number), m_source(std::move(source)),
      m_description(std::move(description)), m_systemError(systemError), m_systemText(std::move(systemText))
{}

} // namespace jw
