#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace jw {

/// A key with its modifiers in the codes the pad's hot keys are registered
/// in on every desktop: a virtual key code and MOD_ flags (win32codes.h).
struct KeyChord {
    std::int32_t key = 0;
    std::int32_t modifiers = 0;
    bool operator==(const KeyChord &) const = default;
};

/// Why the desktop did not give a hot key.
enum class HotKeyRefusal {
    None,          ///< not refused
    Invalid,       ///< not a combination that can be a hot key
    NotOnKeyboard, ///< the key is not on the keyboard layout
    Taken,         ///< another program, or another hot key of this one, holds it
    Unsupported,   ///< the desktop session offers no global hot keys
    Failed,        ///< the desktop refused for another reason
};

/// The desktop's answer to a request for a hot key.
struct HotKeyAnswer {
    HotKeyAnswer(HotKeyRefusal refusal = HotKeyRefusal::None, std::string detail = {}, bool pending = false)
        : refusal(refusal), detail(std::move(detail)), pending(pending)
    {}

    HotKeyRefusal refusal = HotKeyRefusal::None;
    /// The desktop's own words (why it offers no hot keys, the system's error
    /// text), for the user; may be empty.
    std::string detail;
    /// Accepted for now: the desktop decides later and says so through the
    /// backend's answer callback.
    bool pending = false;
    bool operator==(const HotKeyAnswer &) const = default;
};

/// One desktop's global hot keys, as the shared bookkeeping (HotKeyService)
/// uses them: a backend only grabs and releases combinations and reports
/// their presses. Calls and callbacks happen on the UI thread.
class HotKeyBackend {
public:
    /// What the pad asks for.
    struct Request {
        std::string name;        ///< stable, unique in the program ("JotwellVisible")
        std::string description; ///< for desktops that list the shortcuts they grant
        std::string keys;        ///< the combination in portable text ("Alt+V")
        KeyChord chord;
    };
    using Pressed = std::function<void(int id, std::uint32_t time)>;
    using Answered = std::function<void(int id, const HotKeyAnswer &answer)>;

    virtual ~HotKeyBackend() = default;
    HotKeyBackend(const HotKeyBackend &) = delete;
    HotKeyBackend &operator=(const HotKeyBackend &) = delete;

    /// Takes `request.chord` for the whole desktop as key `id` (never used
    /// before). A refusal leaves nothing held.
    virtual HotKeyAnswer grab(int id, const Request &request) = 0;

    /// Lets go of key `id`; an id not held is ignored.
    virtual void release(int id) = 0;

    /// From now on presses (with the desktop's time of the press, the X
    /// server's on X11, 0 when there is none) and later answers go to these.
    void setListeners(Pressed pressed, Answered answered)
    {
        m_pressed = std::move(pressed);
        m_answered = std::move(answered);
    }

protected:
    HotKeyBackend() = default;

    // The listeners may release keys or end this backend: touch no member
    // after calling these.
    void reportPress(int id, std::uint32_t time) const
    {
        if (const Pressed pressed = m_pressed)
            pressed(id, time);
    }
    void reportAnswer(int id, const HotKeyAnswer &answer) const
    {
        if (const Answered answered = m_answered)
            answered(id, answer);
    }

private:
    Pressed m_pressed;
    Answered m_answered;
};

} // namespace jw
