#pragma once

#include <cstdint>
#include <initializer_list>

struct xcb_connection_t;

namespace jw::test {

/// Another X client on the same display: types keys through XTest and grabs
/// key combinations of its own, as a second program would.
class XClient final {
public:
    /// Connects to $DISPLAY.
    XClient();
    ~XClient();

    XClient(const XClient &) = delete;
    XClient &operator=(const XClient &) = delete;

    bool connected() const;

    /// Presses (2 ms later than anything before) or releases the key that
    /// carries `keysym`, then waits until the server has it.
    void press(std::uint32_t keysym);
    void release(std::uint32_t keysym);

    /// Presses `modifiers` in order, taps `key`, releases the modifiers in reverse.
    void chord(std::initializer_list<std::uint32_t> modifiers, std::uint32_t key);

    /// Grabs `keysym` with exactly `modifiers` (X masks) on the root window;
    /// false when the server refuses (another client holds it).
    bool grab(std::uint16_t modifiers, std::uint32_t keysym);

    /// True when this client could grab every Lock/NumLock variant of the combination.
    bool grabAllVariants(std::uint16_t modifiers, std::uint32_t keysym);

    void ungrab(std::uint16_t modifiers, std::uint32_t keysym);

    /// The modifier and lock state the server reports for the pointer.
    std::uint16_t modifierState();

private:
    std::uint8_t keycode(std::uint32_t keysym);
    void fake(std::uint8_t type, std::uint32_t keysym, std::uint32_t delayMs);
    void sync();

    xcb_connection_t *m_connection = nullptr;
    std::uint32_t m_root = 0;
    void *m_symbols = nullptr;
};

} // namespace jw::test
