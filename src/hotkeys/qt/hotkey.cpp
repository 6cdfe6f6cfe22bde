#include "hotkeys/qt/hotkey.h"

#include "hotkeys/qt/keychoice.h"

Q_LOGGING_CATEGORY(lcHotKeys, "jotwell.hotkeys")

namespace jw {

HotKey::HotKey(HotKeyService &service, const QString &name, const QString &description, QObject *parent)
    : QObject(parent), m_service(service), m_name(name.toStdString()), m_description(description.toStdString())
{}

HotKey::~HotKey() { m_service.release(*this); }

HotKeyRefusal HotKey::setKeys(const QKeySequence &keys) { return request(keys, HotKeyService::Route::Grab); }

HotKeyRefusal HotKey::askDesktop(const QKeySequence &keys) { return request(keys, HotKeyService::Route::Desktop); }

HotKeyRefusal HotKey::request(const QKeySequence &keys, HotKeyService::Route route)
{
    QString why;
    const std::optional<KeyChord> chord = keyChord(keys, &why);
    if (!chord) {
        m_refusal = HotKeyRefusal::Invalid;
        m_detail = why;
        return m_refusal;
    }
    const std::string text = keys.toString(QKeySequence::PortableText).toStdString();
    const HotKeyAnswer answer = m_service.take(*this, {m_name, m_description, text, *chord}, route);
    if (answer.refusal == HotKeyRefusal::None) {
        m_keys = keys;
        m_pending = answer.pending;
    }
    note(answer);
    return m_refusal;
}

void HotKey::note(const HotKeyAnswer &answer)
{
    m_refusal = answer.refusal;
    m_detail = QString::fromStdString(answer.detail);
}

QKeySequence HotKey::keys() const { return m_service.chordOf(*this) ? m_keys : QKeySequence(); }

QString HotKey::refusalText() const { return m_refusal == HotKeyRefusal::None ? QString() : text(m_refusal, m_detail); }

QString HotKey::text(HotKeyRefusal refusal, const QString &detail)
{
    switch (refusal) {
    case HotKeyRefusal::None: return {};
    case HotKeyRefusal::Invalid: return detail.isEmpty() ? tr("This combination cannot be a hot key.") : detail;
    case HotKeyRefusal::NotOnKeyboard: return tr("The key is not on the current keyboard layout.");
    case HotKeyRefusal::Taken: return tr("Hot key is already registered by another program or registration.");
    case HotKeyRefusal::Unsupported:
        return detail.isEmpty() ? tr("Global hot keys are not available in this desktop session.")
                                : tr("Global hot keys are not available in this desktop session (%1)").arg(detail);
    case HotKeyRefusal::Failed: return detail.isEmpty() ? tr("The desktop refused the hot key.") : detail;
    }
    return {};
}

void HotKey::onPressed(std::uint32_t time) { Q_EMIT activated(time); }

void HotKey::onAnswered(const HotKeyAnswer &answer)
{
    m_pending = false;
    note(answer);
    Q_EMIT answered();
}

} // namespace jw
