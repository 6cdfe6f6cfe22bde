#pragma once

#include <cstdint>

namespace jw {

/// Receiver of window messages handed over by a backend's message router.
///
/// Window handles are std::intptr_t: X11 window ids and Win32 HWNDs both fit.
class ISubclass {
public:
    virtual ~ISubclass() = default;

    /// How the router should treat the message after WindowProc; routers may ignore it.
    virtual std::int32_t MsgResponse() const = 0;

    /// Sets the response mode (see MsgResponse).
    virtual void setMsgResponse(std::int32_t RHS) = 0;

    /// Handles one message of window `hwnd`; the router calls it on the UI thread.
    virtual std::int32_t WindowProc(std::intptr_t hwnd, std::int32_t iMsg, std::int32_t wParam,
                                    std::int32_t lParam) = 0;

protected:
    ISubclass() = default;
    ISubclass(const ISubclass &) = default;
    ISubclass &operator=(const ISubclass &) = default;
};

} // namespace jw
