#pragma once

#include "hotkeys/hotkeybackend.h"

#include <map>
#include <utility>
#include <vector>

namespace jw {

/// A desktop for tests of the shared bookkeeping and the API: grants every
/// combination unless told to refuse it, answers at once or later, and
/// presses what the test types.
class FakeBackend final : public HotKeyBackend {
public:
    HotKeyAnswer grab(int id, const Request &request) override;
    void release(int id) override
    {
        m_held.erase(id);
        if (released)
            released->push_back(id);
    }
    /// Where releases are written down too, for a test that outlives the backend.
    std::vector<int> *released = nullptr;

    /// Requests for `chord` get `answer` (a refusal) from now on.
    void refuse(const KeyChord &chord, HotKeyAnswer answer)
    {
        m_refusals[chord.modifiers << 16 | chord.key] = std::move(answer);
    }
    /// Every later grab is accepted for now and decided by decide().
    void decideLater() { m_later = true; }
    /// The desktop decides pending request `id`.
    void decide(int id, const HotKeyAnswer &answer) { reportAnswer(id, answer); }
    /// The user presses `chord` at `time`; false when nothing holds it.
    bool press(const KeyChord &chord, std::uint32_t time);

    /// What is held (or pending), by id.
    const std::map<int, Request> &held() const { return m_held; }

private:
    std::map<int, Request> m_held;
    std::map<std::int32_t, HotKeyAnswer> m_refusals;
    bool m_later = false;
};

} // namespace jw
