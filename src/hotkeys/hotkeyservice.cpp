#include "hotkeys/hotkeyservice.h"

#include <algorithm>

namespace jw {

HotKeyService::HotKeyService(std::unique_ptr<HotKeyBackend> grabs, std::unique_ptr<HotKeyBackend> desktop)
    : m_grabs(std::move(grabs)), m_desktop(std::move(desktop))
{
    for (HotKeyBackend *each : {m_grabs.get(), m_desktop.get()}) {
        if (each)
            listen(*each);
    }
}

HotKeyService::~HotKeyService()
{
    while (!m_entries.empty()) {
        const Entry last = m_entries.back();
        m_entries.pop_back();
        last.backend->release(last.id);
    }
}

void HotKeyService::listen(HotKeyBackend &backend)
{
    // A client may release its key, or end, while it is told.
    const auto pressed = [this](int id, std::uint32_t time) {
        if (const auto entry = findId(id); entry != m_entries.end())
            entry->client->onPressed(time);
    };
    const auto answered = [this](int id, const HotKeyAnswer &answer) {
        const auto entry = findId(id);
        if (entry == m_entries.end() || !entry->pending)
            return;
        Client *client = entry->client;
        if (answer.refusal == HotKeyRefusal::None) {
            entry->pending = false;
        } else {
            HotKeyBackend *from = entry->backend;
            m_entries.erase(entry);
            from->release(id);
        }
        client->onAnswered(answer);
    };
    backend.setListeners(pressed, answered);
}

HotKeyAnswer HotKeyService::take(Client &client, const HotKeyBackend::Request &request, Route route)
{
    HotKeyBackend *target = backend(route);
    if (!target)
        return {HotKeyRefusal::Unsupported, {}, false};
    if (const auto own = find(client); own != m_entries.end() && own->chord == request.chord)
        return {HotKeyRefusal::None, {}, own->pending};
    const auto othersHold = [&](const Entry &entry) { return entry.client != &client && entry.chord == request.chord; };
    if (std::any_of(m_entries.begin(), m_entries.end(), othersHold))
        return {HotKeyRefusal::Taken, {}, false};

    const int id = ++m_lastId;
    HotKeyAnswer answer = target->grab(id, request);
    if (answer.refusal != HotKeyRefusal::None)
        return answer;
    // The new combination is held before the old one goes, so the key is
    // never without one.
    release(client);
    m_entries.push_back({&client, id, request.chord, target, answer.pending});
    return answer;
}

void HotKeyService::release(Client &client)
{
    const auto entry = find(client);
    if (entry == m_entries.end())
        return;
    const Entry gone = *entry;
    m_entries.erase(entry);
    gone.backend->release(gone.id);
}

std::optional<KeyChord> HotKeyService::chordOf(const Client &client) const
{
    const auto entry =
        std::find_if(m_entries.begin(), m_entries.end(), [&](const Entry &e) { return e.client == &client; });
    if (entry == m_entries.end())
        return std::nullopt;
    return entry->chord;
}

HotKeyBackend *HotKeyService::backend(Route route) const
{
    return route == Route::Grab ? m_grabs.get() : m_desktop.get();
}

std::vector<HotKeyService::Entry>::iterator HotKeyService::find(const Client &client)
{
    return std::find_if(m_entries.begin(), m_entries.end(), [&](const Entry &e) { return e.client == &client; });
}

std::vector<HotKeyService::Entry>::iterator HotKeyService::findId(int id)
{
    return std::find_if(m_entries.begin(), m_entries.end(), [&](const Entry &e) { return e.id == id; });
}

} // namespace jw
