#pragma once

#include <cstdint>
#include <initializer_list>

struct xcb_connection_t;

namespace jwtest {

/// Another program on the same display: types keys through XTest and grabs
/// key combinations of its own.
class XClient final {
public:
    XClient(); ///< connects to $DISPLAY
    ~XClient();
    XClient(const XClient &) = delete;
    XClient &operator=(const XClient &) = delete;

    /// Presses or releases the key of `keysym` and waits until the server has it.
    void press(std::uint32_t keysym);
    void release(std::uint32_t keysym);

    /// Presses `modifiers` in order, taps `key`, releases the modifiers in reverse.
    void chord(std::initializer_list<std::uint32_t> modifiers, std::uint32_t key);

    /// Grabs the key with exactly `modifiers` (X masks), and with every
    /// CapsLock/NumLock variant when `allVariants`; false when the server refuses any.
    bool grab(std::uint16_t modifiers, std::uint32_t keysym, bool allVariants = false);

    /// The modifier and lock state the server reports.
    std::uint16_t modifierState();

private:
    std::uint8_t keycode(std::uint32_t keysym);
    void sync();

    xcb_connection_t *m_connection = nullptr;
    std::uint32_t m_root = 0;
};

} // namespace jwtest
