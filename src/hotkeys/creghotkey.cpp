#include "hotkeys/creghotkey.h"

#include "hotkeys/hotkeyerror.h"
#include "hotkeys/hotkeytext.h"
#include "hotkeys/ihotkeyplatform.h"

#include <stdexcept>
#include <utility>

namespace jw {

namespace {

constexpr std::size_t MaxNameLength = 32;
constexpr std::size_t MaxAtomNameLength = 254;

// Identifiers the system reserves for its own snapshot keys.
constexpr std::int32_t IDHOT_SNAPWINDOW = -1;
constexpr std::int32_t IDHOT_SNAPDESKTOP = -2;

constexpr std::int32_t SW_SHOW = 5;
constexpr std::uint32_t WM_SYSCOMMAND = 274;
constexpr std::uintptr_t SC_RESTORE = 0xF120;

// The atom name for attempt `attempt`; later attempts keep a distinguishing
// suffix even when the name has to be cut.
std::string atomNameFor(const std::string &base, int attempt)
{
    if (attempt == 0)
        return hotkeytext::utf16Prefix(base, MaxAtomNameLength);
    const std::string suffix = "_" + std::to_string(attempt);
    return hotkeytext::utf16Prefix(base, MaxAtomNameLength - suffix.size()) + suffix;
}

std::string withSystemText(std::string description, const std::string &systemText)
{
    if (!systemText.empty())
        description += " [" + systemText + "]";
    return description;
}

} // namespace

cRegHotKey::cRegHotKey(std::unique_ptr<IHotKeyPlatform> platform)
    : m_platform(std::move(platform))
{
    if (!m_platform)
        throw std::invalid_argument("cRegHotKey needs a platform");
}

cRegHotKey::~cRegHotKey()
{
    try {
        Clear();
    } catch (...) {
        // A destructor must not throw; the platform releases what is left.
    }
}

void cRegHotKey::Attach(std::intptr_t hwndA)
{
    Clear();
    if (hwndA != 0) {
        m_hWnd = hwndA;
        m_platform->attachMessage(*this, m_hWnd, WM_HOTKEY);
    }
}

void cRegHotKey::Clear()
{
    const std::int32_t count = m_iCount;
    for (std::int32_t i = count; i >= 1; --i) {
        const std::string name = m_tKeys[static_cast<std::size_t>(i - 1)].sName;
        UnregisterKey(name);
    }
    if (m_hWnd != 0) {
        m_platform->detachMessage(*this, m_hWnd, WM_HOTKEY);
        m_hWnd = 0;
    }
}

void cRegHotKey::RegisterKey(const std::string &sName, std::int32_t eKey, std::int32_t eModifiers)
{
    if (hotkeytext::utf16Length(sName) > MaxNameLength)
        throw HotKeyError(ErrNameTooLong, errorSource(), "Key Name too long (max 32 characters).");
    for (const tHotKey &key : m_tKeys) {
        if (key.sName == sName)
            throw HotKeyError(ErrNameTaken, errorSource(),
                              "The Key Name '" + sName + "' is already registered.");
    }

    const std::string program = m_platform->executableName();
    const std::uint32_t ticks = m_platform->tickCount();
    const std::string base = sName + "_" + program + "_" + std::to_string(ticks);

    // Atom names compare without regard to case, so two keys could get the
    // same atom; every key needs its own identifier, and -1/-2 belong to the
    // system. Unusable atoms stay held until the search ends, so each attempt
    // (with a new name) yields a new value and the loop ends after at most one
    // attempt per identifier in use.
    std::vector<std::uint16_t> unusable;
    const auto releaseUnusable = [&] {
        for (const std::uint16_t atom : unusable)
            m_platform->deleteAtom(atom);
    };
    const int attempts = m_iCount + 3;
    std::string atomName;
    std::int32_t lID = 0;
    for (int attempt = 0;; ++attempt) {
        atomName = atomNameFor(base, attempt);
        const std::uint16_t atom = m_platform->addAtom(atomName);
        if (atom == 0) {
            const std::uint32_t error = m_platform->lastError();
            releaseUnusable();
            const std::string text = SystemErrorText(error);
            throw HotKeyError(ErrAddAtom, errorSource(), withSystemText("Failed to add GlobalAtom", text),
                              error);
        }
        lID = static_cast<std::int16_t>(atom);
        if (!idInUse(lID))
            break;
        unusable.push_back(atom);
        if (attempt + 1 >= attempts) {
            releaseUnusable();
            throw HotKeyError(ErrAddAtom, errorSource(), "Failed to add GlobalAtom");
        }
    }
    releaseUnusable();

    if (!m_platform->registerHotKey(m_hWnd, lID, eModifiers, eKey)) {
        const std::uint32_t error = m_platform->lastError();
        m_platform->deleteAtom(static_cast<std::uint16_t>(lID));
        const std::string text = SystemErrorText(error);
        throw HotKeyError(ErrRegisterRefused, errorSource(),
                          withSystemText("Failed to Register Hot Key", text), error);
    }

    m_tKeys.push_back(tHotKey{sName, std::move(atomName), lID, eKey, eModifiers});
    ++m_iCount;
}

void cRegHotKey::UnregisterKey(const std::string &sName)
{
    const std::int32_t index = IndexOfKey(sName);
    const std::size_t at = static_cast<std::size_t>(index - 1);
    const std::int32_t lID = m_tKeys[at].lID;
    m_platform->unregisterHotKey(m_hWnd, lID);
    m_platform->deleteAtom(static_cast<std::uint16_t>(lID));
    if (m_iCount < 2) {
        m_iCount = 0;
        m_tKeys = {};
    } else {
        m_tKeys.erase(m_tKeys.begin() + static_cast<std::ptrdiff_t>(at));
        --m_iCount;
    }
}

void cRegHotKey::RestoreAndActivate(std::intptr_t hwnd)
{
    if (!m_platform->isWindowVisible(hwnd))
        m_platform->showWindow(hwnd, SW_SHOW);
    if (m_platform->isIconic(hwnd))
        m_platform->sendMessage(hwnd, WM_SYSCOMMAND, SC_RESTORE, 0);
    m_platform->setForegroundWindow(hwnd);
}

std::int32_t cRegHotKey::MsgResponse() const
{
    return 2;
}

void cRegHotKey::setMsgResponse(std::int32_t)
{
}

std::int32_t cRegHotKey::WindowProc(std::intptr_t, std::int32_t iMsg, std::int32_t wParam,
                                    std::int32_t lParam)
{
    if (iMsg != WM_HOTKEY)
        return 0;

    std::string name;
    std::int32_t modifiers = 0;
    std::int32_t key = 0;
    if (wParam == IDHOT_SNAPDESKTOP) {
        name = "Desktop Snapshot";
        key = 44;
    } else if (wParam == IDHOT_SNAPWINDOW) {
        name = "Window Snapshot";
        modifiers = 4;
        key = 44;
    } else {
        bool found = false;
        for (const tHotKey &entry : m_tKeys) {
            if (entry.lID == wParam) {
                name = entry.sName;
                modifiers = entry.eModifiers;
                key = entry.eKey;
                found = true;
                break;
            }
        }
        if (!found) {
            const auto bits = static_cast<std::uint32_t>(lParam);
            name = "Unknown HotKey";
            modifiers = static_cast<std::int32_t>(bits & 0xFFFFu);
            key = static_cast<std::int32_t>(bits >> 16);
        }
    }

    // A copy, so a handler that replaces HotKeyPress or clears the registry
    // does not pull the running function from under itself.
    const HotKeyPressHandler handler = HotKeyPress;
    if (handler)
        handler(name, modifiers, key);
    return 0;
}

const cRegHotKey::tHotKey &cRegHotKey::key(std::int32_t index) const
{
    if (index < 1 || index > m_iCount)
        throw std::out_of_range("cRegHotKey::key: no such index");
    return m_tKeys[static_cast<std::size_t>(index - 1)];
}

std::int32_t cRegHotKey::IndexOfKey(const std::string &sName) const
{
    for (std::size_t i = 0; i < m_tKeys.size(); ++i) {
        if (m_tKeys[i].sName == sName)
            return static_cast<std::int32_t>(i + 1);
    }
    throw HotKeyError(ErrNotRegistered, errorSource(),
                      "No hot key registered under the name '" + sName + "'");
}

std::string cRegHotKey::SystemErrorText(std::uint32_t lErr) const
{
    return m_platform->formatMessage(lErr);
}

std::string cRegHotKey::errorSource() const
{
    return m_platform->executableName() + ".cRegHotKey";
}

bool cRegHotKey::idInUse(std::int32_t lID) const
{
    if (lID == IDHOT_SNAPWINDOW || lID == IDHOT_SNAPDESKTOP)
        return true;
    for (const tHotKey &key : m_tKeys) {
        if (key.lID == lID)
            return true;
    }
    return false;
}

} // namespace jw
