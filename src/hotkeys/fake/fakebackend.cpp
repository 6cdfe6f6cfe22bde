#include "hotkeys/fake/fakebackend.h"

namespace jw {

HotKeyAnswer FakeBackend::grab(int id, const Request &request)
{
    const KeyChord &chord = request.chord;
    if (const auto refused = m_refusals.find(chord.modifiers << 16 | chord.key); refused != m_refusals.end())
        return refused->second;
    m_held[id] = request;
    return {HotKeyRefusal::None, {}, m_later};
}

bool FakeBackend::press(const KeyChord &chord, std::uint32_t time)
{
    for (const auto &[id, request] : m_held) {
        if (request.chord == chord) {
            reportPress(id, time);
            return true;
        }
    }
    return false;
}

} // namespace jw
