#include "hotkeys/win/creghotkey.h"

#include "hotkeys/win/hotkeyerror.h"
#include "hotkeys/win/hotkeytext.h"
#include "hotkeys/win32codes.h"

#include <stdexcept>
#include <utility>

namespace jw {

namespace {

constexpr std::size_t MaxNameLength = 32;
constexpr std::size_t MaxAtomNameLength = 254;

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

cRegHotKey::cRegHotKey(std::unique_ptr<Win32Functions> system) : m_system(std::move(system))
{
    if (!m_system)
        throw std::invalid_argument("cRegHotKey needs the system's functions");
}

cRegHotKey::~cRegHotKey() { Clear(); }

void cRegHotKey::Attach(std::intptr_t hwndA)
{
    Clear();
    if (hwndA == 0)
        return;
    m_hWnd = hwndA;
    m_system->attachMessage(*this, m_hWnd, win32::WM_HOTKEY);
}

void cRegHotKey::Clear()
{
    for (std::int32_t i = m_iCount; i >= 1; --i)
        releaseAt(i);
    if (m_hWnd != 0) {
        m_system->detachMessage(*this, m_hWnd, win32::WM_HOTKEY);
        m_hWnd = 0;
    }
}

void cRegHotKey::RegisterKey(const std::string &sName, std::int32_t eKey, std::int32_t eModifiers)
{
    if (hotkeytext::utf16Length(sName) > MaxNameLength)
        throw HotKeyError(ErrNameTooLong, errorSource(), "Key Name too long (max 32 characters).");
    for (const tHotKey &key : m_tKeys) {
        if (key.sName == sName)
            throw HotKeyError(ErrNameTaken, errorSource(), "The Key Name '" + sName + "' is already registered.");
    }

    std::string atomName;
    const std::int32_t lID = addUniqueAtom(sName, atomName);
    if (!m_system->registerHotKey(m_hWnd, lID, eModifiers, eKey)) {
        const std::uint32_t error = m_system->lastError();
        m_system->deleteAtom(static_cast<std::uint16_t>(lID));
        throw systemError(ErrRegisterRefused, "Failed to Register Hot Key", error);
    }
    m_tKeys.push_back(tHotKey{sName, std::move(atomName), lID, eKey, eModifiers});
    ++m_iCount;
}

// Atom names compare without regard to case, so two keys registered in the
// same tick could get the same atom; every key needs its own identifier, and
// -1/-2 belong to the system. Unusable atoms stay held until the search ends,
// so each attempt (with a new name) yields a new value and the loop ends
// after at most one attempt per identifier in use.
std::int32_t cRegHotKey::addUniqueAtom(const std::string &sName, std::string &atomName)
{
    const std::string base = sName + "_" + m_system->programName() + "_" + std::to_string(m_system->tickCount());
    std::vector<std::uint16_t> unusable;
    const auto releaseUnusable = [&] {
        for (const std::uint16_t atom : unusable)
            m_system->deleteAtom(atom);
    };
    for (int attempt = 0;; ++attempt) {
        atomName = atomNameFor(base, attempt);
        const std::uint16_t atom = m_system->addAtom(atomName);
        if (atom == 0) {
            const std::uint32_t error = m_system->lastError();
            releaseUnusable();
            throw systemError(ErrAddAtom, "Failed to add GlobalAtom", error);
        }
        const std::int32_t lID = static_cast<std::int16_t>(atom);
        if (!idInUse(lID)) {
            releaseUnusable();
            return lID;
        }
        unusable.push_back(atom);
        if (attempt >= m_iCount + 2) {
            releaseUnusable();
            throw HotKeyError(ErrAddAtom, errorSource(), "Failed to add GlobalAtom");
        }
    }
}

void cRegHotKey::UnregisterKey(const std::string &sName) { releaseAt(IndexOfKey(sName)); }

void cRegHotKey::releaseAt(std::int32_t index)
{
    const std::size_t at = static_cast<std::size_t>(index - 1);
    const std::int32_t lID = m_tKeys[at].lID;
    m_system->unregisterHotKey(m_hWnd, lID);
    m_system->deleteAtom(static_cast<std::uint16_t>(lID));
    m_tKeys.erase(m_tKeys.begin() + static_cast<std::ptrdiff_t>(at));
    --m_iCount;
    if (m_iCount == 0)
        m_tKeys = {};
}

void cRegHotKey::RestoreAndActivate(std::intptr_t hwnd)
{
    if (!m_system->isVisible(hwnd))
        m_system->show(hwnd);
    if (m_system->isMinimised(hwnd))
        m_system->restore(hwnd);
    m_system->bringToFront(hwnd);
}

std::int32_t cRegHotKey::WindowProc(std::intptr_t, std::int32_t iMsg, std::int32_t wParam, std::int32_t lParam)
{
    if (iMsg != win32::WM_HOTKEY)
        return 0;

    std::string name = "Unknown HotKey";
    auto modifiers = static_cast<std::int32_t>(static_cast<std::uint32_t>(lParam) & 0xFFFFu);
    auto key = static_cast<std::int32_t>(static_cast<std::uint32_t>(lParam) >> 16);
    if (wParam == win32::IDHOT_SNAPDESKTOP) {
        name = "Desktop Snapshot";
        modifiers = 0;
        key = win32::VK_SNAPSHOT;
    } else if (wParam == win32::IDHOT_SNAPWINDOW) {
        name = "Window Snapshot";
        modifiers = win32::MOD_SHIFT;
        key = win32::VK_SNAPSHOT;
    } else {
        for (const tHotKey &entry : m_tKeys) {
            if (entry.lID == wParam) {
                name = entry.sName;
                modifiers = entry.eModifiers;
                key = entry.eKey;
                break;
            }
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
    throw HotKeyError(ErrNotRegistered, errorSource(), "No hot key registered under the name '" + sName + "'");
}

std::string cRegHotKey::SystemErrorText(std::uint32_t lErr) const { return m_system->messageText(lErr); }

HotKeyError cRegHotKey::systemError(std::int32_t number, const std::string &description, std::uint32_t code) const
{
    const std::string text = SystemErrorText(code);
    return HotKeyError(number, errorSource(), withSystemText(description, text), code, text);
}

std::string cRegHotKey::errorSource() const { return m_system->programName() + ".cRegHotKey"; }

bool cRegHotKey::idInUse(std::int32_t lID) const
{
    if (lID == win32::IDHOT_SNAPWINDOW || lID == win32::IDHOT_SNAPDESKTOP)
        return true;
    for (const tHotKey &key : m_tKeys) {
        if (key.lID == lID)
            return true;
    }
    return false;
}

} // namespace jw
