#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace jw {

/// An error raised by cRegHotKey: a 32-bit number, the source text
/// ("<program>.cRegHotKey") and the description. what() gives the description.
class HotKeyError final : public std::runtime_error {
public:
    /// `systemError` is the system's error code behind a failed call (0 when
    /// none) and `systemText` its text.
    HotKeyError(std::int32_t number, std::string source, std::string description, std::uint32_t systemError = 0,
                std::string systemText = {});

    /// The error number, e.g. 0x8004041B as -2147220453.
    std::int32_t number() const { return m_number; }

    /// The program's name without extension followed by ".cRegHotKey".
    const std::string &source() const { return m_source; }

    /// The text for the user.
    const std::string &description() const { return m_description; }

    /// The system error code behind atom or registration failures, else 0.
    std::uint32_t systemError() const { return m_systemError; }

    /// The system's text for systemError(), "" when there is none.
    const std::string &systemText() const { return m_systemText; }

private:
    std::int32_t m_number;
    std::string m_source;
    std::string m_description;
    std::uint32_t m_systemError;
    std::string m_systemText;
};

} // namespace jw
