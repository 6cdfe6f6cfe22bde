#pragma once

#include "hotkeys/hotkeybackend.h"

#include <QDBusConnection>

#include <map>
#include <memory>

namespace jw {

class PortalShortcut;

/// Hot keys granted by the desktop's GlobalShortcuts portal (D-Bus), for
/// sessions where no program may grab a key itself, as under Wayland. The
/// desktop may ask the user first, so every request is answered later.
/// Presses carry no time (0).
class PortalBackend final : public HotKeyBackend {
public:
    /// `bus` is normally the session bus; tests hand in a private one.
    explicit PortalBackend(QDBusConnection bus = QDBusConnection::sessionBus());
    ~PortalBackend() override;

    HotKeyAnswer grab(int id, const Request &request) override;
    void release(int id) override;

private:
    QDBusConnection m_bus;
    std::map<int, std::unique_ptr<PortalShortcut>> m_shortcuts;
};

} // namespace jw
