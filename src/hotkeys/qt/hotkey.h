#pragma once

#include "hotkeys/hotkeyservice.h"

#include <QKeySequence>
#include <QLoggingCategory>
#include <QObject>
#include <QString>

Q_DECLARE_LOGGING_CATEGORY(lcHotKeys)

namespace jw {

/// One global hot key of the program: a key sequence in, `activated` out,
/// and, when the desktop does not give the keys, the reason as a value with
/// its text. Lets go of its keys when destroyed. The service outlives it.
class HotKey final : public QObject, private HotKeyService::Client {
    Q_OBJECT

public:
    /// `name` is stable and unique in the program; `description` is for
    /// desktops that list the shortcuts they grant.
    HotKey(HotKeyService &service, const QString &name, const QString &description, QObject *parent = nullptr);
    ~HotKey() override;

    /// Grabs `keys` in place of the keys held now, which stay when `keys` are
    /// refused. Returns the refusal, HotKeyRefusal::None when held.
    HotKeyRefusal setKeys(const QKeySequence &keys);

    /// Asks the desktop's shortcut service for `keys` instead (where no
    /// program may grab keys). The desktop may ask the user: the answer comes
    /// later by answered(); a refusal now is returned.
    HotKeyRefusal askDesktop(const QKeySequence &keys);

    /// The keys held or asked for; empty when none.
    QKeySequence keys() const;

    /// True while the desktop has not answered askDesktop().
    bool isPending() const { return m_pending; }

    /// Why the last request was refused; None when it was not.
    HotKeyRefusal refusal() const { return m_refusal; }

    /// The text for refusal(), for the user; empty when there is none.
    QString refusalText() const;

    /// The text for `refusal`, completed by the desktop's own words `detail`.
    static QString text(HotKeyRefusal refusal, const QString &detail = {});

Q_SIGNALS:
    /// The keys were pressed. `timestamp` is the desktop's time of the key
    /// event (the X server's time on X11), 0 when the desktop gives none.
    void activated(quint32 timestamp);

    /// The desktop answered askDesktop(): refusal() and refusalText() say
    /// how; on a refusal no keys are held.
    void answered();

private:
    HotKeyRefusal request(const QKeySequence &keys, HotKeyService::Route route);
    void note(const HotKeyAnswer &answer);
    void onPressed(std::uint32_t time) override;
    void onAnswered(const HotKeyAnswer &answer) override;

    HotKeyService &m_service;
    std::string m_name;
    std::string m_description;
    QKeySequence m_keys;
    bool m_pending = false;
    HotKeyRefusal m_refusal = HotKeyRefusal::None;
    QString m_detail;
};

} // namespace jw
