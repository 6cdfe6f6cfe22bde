#pragma once

#include "hotkeys/hotkeybackend.h"

#include <memory>
#include <optional>
#include <vector>

namespace jw {

/// The bookkeeping every desktop shares: which of the program's keys holds
/// which combination in which backend, one owner per combination, presses and
/// later answers routed to their key, and every combination let go at the end.
/// Keys come as Clients; the service must outlive them. UI thread only.
class HotKeyService final {
public:
    /// One key of the program.
    class Client {
    public:
        /// The key was pressed; `time` as HotKeyBackend reports it.
        virtual void onPressed(std::uint32_t time) = 0;
        /// A pending request was decided; on a refusal the key holds nothing.
        virtual void onAnswered(const HotKeyAnswer &answer) = 0;

    protected:
        ~Client() = default;
    };

    /// Where a request goes: the grabs of `grabs`, or the desktop's own
    /// shortcut service (`desktop`), which asks the user and answers later.
    enum class Route { Grab, Desktop };

    explicit HotKeyService(std::unique_ptr<HotKeyBackend> grabs, std::unique_ptr<HotKeyBackend> desktop = nullptr);
    ~HotKeyService();
    HotKeyService(const HotKeyService &) = delete;
    HotKeyService &operator=(const HotKeyService &) = delete;

    /// Takes `request.chord` for `client` in place of what it holds. On a
    /// refusal the client keeps what it held; asking again for the combination
    /// it holds changes nothing.
    HotKeyAnswer take(Client &client, const HotKeyBackend::Request &request, Route route = Route::Grab);

    /// Lets go of what `client` holds or has asked for.
    void release(Client &client);

    /// The combination `client` holds or has asked for.
    std::optional<KeyChord> chordOf(const Client &client) const;

    /// Whether requests by `route` can go anywhere.
    bool offers(Route route) const { return backend(route) != nullptr; }

private:
    struct Entry {
        Client *client;
        int id;
        KeyChord chord;
        HotKeyBackend *backend;
        bool pending;
    };
    HotKeyBackend *backend(Route route) const;
    std::vector<Entry>::iterator find(const Client &client);
    std::vector<Entry>::iterator findId(int id);
    void listen(HotKeyBackend &backend);

    std::unique_ptr<HotKeyBackend> m_grabs;
    std::unique_ptr<HotKeyBackend> m_desktop;
    std::vector<Entry> m_entries;
    int m_lastId = 0;
};

} // namespace jw
