#pragma once

#include <cstdint>
#include <memory>
#include <vector>

namespace jw {

class ISubclass;

/// Hands window messages that a backend receives to the ISubclass objects
/// attached to that window and message number.
class MessageRouter final {
public:
    MessageRouter();
    ~MessageRouter();

    MessageRouter(const MessageRouter &) = delete;
    MessageRouter &operator=(const MessageRouter &) = delete;

    /// Delivers `message` of `hwnd` to `target` from now on; attaching twice has no extra effect.
    void attach(ISubclass &target, std::intptr_t hwnd, std::uint32_t message);

    /// Stops a delivery set up by attach; unknown triples are ignored.
    void detach(ISubclass &target, std::intptr_t hwnd, std::uint32_t message);

    /// True when something is attached to `message` of `hwnd`.
    bool isAttached(std::intptr_t hwnd, std::uint32_t message) const;

    /// Calls WindowProc of every target attached to (`hwnd`, `message`), in
    /// attach order. Returns true when at least one target received it. A
    /// target may detach, or destroy this router, from inside WindowProc.
    bool deliver(std::intptr_t hwnd, std::uint32_t message, std::int32_t wParam, std::int32_t lParam);

private:
    struct Route {
        ISubclass *target;
        std::intptr_t hwnd;
        std::uint32_t message;
    };

    bool contains(const Route &route) const;

    std::vector<Route> m_routes;
    std::shared_ptr<bool> m_alive;
};

} // namespace jw
