#include "hotkeys/messagerouter.h"

#include "hotkeys/isubclass.h"

#include <algorithm>

namespace jw {

MessageRouter::MessageRouter()
    : m_alive(std::make_shared<bool>(true))
{
}

MessageRouter::~MessageRouter()
{
    *m_alive = false;
}

void MessageRouter::attach(ISubclass &target, std::intptr_t hwnd, std::uint32_t message)
{
    const Route route{&target, hwnd, message};
    if (!contains(route))
        m_routes.push_back(route);
}

void MessageRouter::detach(ISubclass &target, std::intptr_t hwnd, std::uint32_t message)
{
    std::erase_if(m_routes, [&](const Route &r) {
        return r.target == &target && r.hwnd == hwnd && r.message == message;
    });
}

bool MessageRouter::isAttached(std::intptr_t hwnd, std::uint32_t message) const
{
    return std::any_of(m_routes.begin(), m_routes.end(),
                       [&](const Route &r) { return r.hwnd == hwnd && r.message == message; });
}

bool MessageRouter::deliver(std::intptr_t hwnd, std::uint32_t message, std::int32_t wParam,
                            std::int32_t lParam)
{
    // Work on a copy: a target's WindowProc may change the routes or end the router.
    const std::shared_ptr<bool> alive = m_alive;
    const std::vector<Route> routes = m_routes;
    bool delivered = false;
    for (const Route &route : routes) {
        if (!*alive)
            break;
        if (route.hwnd != hwnd || route.message != message || !contains(route))
            continue;
        route.target->WindowProc(hwnd, static_cast<std::int32_t>(message), wParam, lParam);
        delivered = true;
    }
    return delivered;
}

bool MessageRouter::contains(const Route &route) const
{
    return std::any_of(m_routes.begin(), m_routes.end(), [&](const Route &r) {
        return r.target == route.target && r.hwnd == route.hwnd && r.message == route.message;
    });
}

} // namespace jw
