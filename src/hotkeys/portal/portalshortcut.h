#pragma once

#include <QDBusConnection>
#include <QDBusMessage>
#include <QHash>
#include <QObject>
#include <QString>

#include <functional>

namespace jw {

/// One global shortcut through the desktop's GlobalShortcuts portal (D-Bus),
/// for sessions where no program may grab a key itself, as under Wayland.
/// The desktop asks the user to confirm or change the key; the pad only
/// proposes one. Every step is asynchronous: the result comes as bound()
/// or failed(), presses as activated().
class PortalShortcut final : public QObject {
    Q_OBJECT

public:
    /// `bus` is normally the session bus; tests hand in a private one.
    explicit PortalShortcut(QDBusConnection bus = QDBusConnection::sessionBus(), QObject *parent = nullptr);
    /// Closes the session, which lets the desktop drop the shortcut.
    ~PortalShortcut() override;

    /// Asks for shortcut `id` described as `description`, proposing
    /// `trigger` in the portal's notation ("ALT+v").
    void bind(const QString &id, const QString &description, const QString &trigger);

Q_SIGNALS:
    void bound();
    void failed(const QString &why);
    void activated();

private Q_SLOTS:
    void onActivated(const QDBusMessage &message);
    void onResponse(const QDBusMessage &message);

private:
    using Answer = std::function<void(uint response, const QVariantMap &results)>;
    /// Calls `method` of the portal, whose answer comes as a Response
    /// signal on a request object; `options` get the request's token.
    void request(const QString &method, QList<QVariant> arguments, QVariantMap options, Answer answer);
    void createSession();
    void bindShortcut();

    QDBusConnection m_bus;
    QString m_id, m_description, m_trigger;
    QString m_session;
    int m_requests = 0;
    QHash<QString, Answer> m_waiting; ///< request object path -> what to do with its Response
};

} // namespace jw
