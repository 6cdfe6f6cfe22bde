#include "hotkeys/portal/portalshortcut.h"

#include <QDBusArgument>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QLoggingCategory>

Q_LOGGING_CATEGORY(lcPortal, "jotwell.hotkeys.portal")

namespace {

const QString kService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString kPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString kInterface = QStringLiteral("org.freedesktop.portal.GlobalShortcuts");

/// One entry of BindShortcuts' a(sa{sv}).
struct Shortcut {
    QString id;
    QVariantMap properties;
};

QDBusArgument &operator<<(QDBusArgument &out, const Shortcut &shortcut)
{
    out.beginStructure();
    out << shortcut.id << shortcut.properties;
    out.endStructure();
    return out;
}

const QDBusArgument &operator>>(const QDBusArgument &in, Shortcut &shortcut)
{
    in.beginStructure();
    in >> shortcut.id >> shortcut.properties;
    in.endStructure();
    return in;
}

} // namespace

Q_DECLARE_METATYPE(Shortcut)

namespace jw {

PortalShortcut::PortalShortcut(QDBusConnection bus, QObject *parent) : QObject(parent), m_bus(std::move(bus))
{
    qDBusRegisterMetaType<Shortcut>();
    qDBusRegisterMetaType<QList<Shortcut>>();
}

PortalShortcut::~PortalShortcut()
{
    if (!m_session.isEmpty())
        m_bus.send(QDBusMessage::createMethodCall(kService, m_session, QStringLiteral("org.freedesktop.portal.Session"),
                                                  QStringLiteral("Close")));
}

void PortalShortcut::bind(const QString &id, const QString &description, const QString &trigger)
{
    m_id = id;
    m_description = description;
    m_trigger = trigger;
    if (!m_bus.isConnected()) {
        Q_EMIT failed(tr("there is no desktop message bus"));
        return;
    }
    // Asking for the interface's version tells whether the desktop offers it at all.
    QDBusMessage ask = QDBusMessage::createMethodCall(
        kService, kPath, QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    ask << kInterface << QStringLiteral("version");
    auto *watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(ask), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher *call) {
        call->deleteLater();
        if (call->isError()) {
            Q_EMIT failed(tr("the desktop offers no global shortcuts (%1)").arg(call->error().message()));
            return;
        }
        m_bus.connect(kService, kPath, kInterface, QStringLiteral("Activated"), this, SLOT(onActivated(QDBusMessage)));
        createSession();
    });
}

void PortalShortcut::request(const QString &method, QList<QVariant> arguments, QVariantMap options, Answer answer)
{
    // The answer comes as a signal on a request object whose path follows
    // from our token; listen before asking so that it cannot be missed.
    const QString token = QStringLiteral("jotwell%1").arg(++m_requests);
    QString sender = m_bus.baseService().mid(1);
    sender.replace(u'.', u'_');
    const QString path = QStringLiteral("%1/request/%2/%3").arg(kPath, sender, token);
    m_waiting.insert(path, answer);
    m_bus.connect(kService, path, QStringLiteral("org.freedesktop.portal.Request"), QStringLiteral("Response"), this,
                  SLOT(onResponse(QDBusMessage)));
    options.insert(QStringLiteral("handle_token"), token);
    arguments << options;
    QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kInterface, method);
    call.setArguments(arguments);
    auto *watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, path, method, answer](QDBusPendingCallWatcher *w) {
                w->deleteLater();
                const QDBusPendingReply<QDBusObjectPath> reply = *w;
                if (reply.isError()) {
                    m_waiting.remove(path);
                    Q_EMIT failed(tr("the desktop refused %1 (%2)").arg(method, reply.error().message()));
                    return;
                }
                // Older desktops choose the request's path themselves.
                const QString actual = reply.value().path();
                if (actual != path && m_waiting.remove(path)) {
                    m_waiting.insert(actual, answer);
                    m_bus.connect(kService, actual, QStringLiteral("org.freedesktop.portal.Request"),
                                  QStringLiteral("Response"), this, SLOT(onResponse(QDBusMessage)));
                }
            });
}

void PortalShortcut::onResponse(const QDBusMessage &message)
{
    const Answer answer = m_waiting.take(message.path());
    if (!answer || message.arguments().size() < 2)
        return;
    const QVariantMap results = qdbus_cast<QVariantMap>(message.arguments().at(1));
    answer(message.arguments().at(0).toUInt(), results);
}

void PortalShortcut::createSession()
{
    const QVariantMap options{{QStringLiteral("session_handle_token"), QStringLiteral("jotwell")}};
    request(QStringLiteral("CreateSession"), {}, options, [this](uint response, const QVariantMap &results) {
        const QVariant handle = results.value(QStringLiteral("session_handle"));
        // A string in the interface's description, an object path in some desktops.
        m_session = handle.canConvert<QDBusObjectPath>() ? handle.value<QDBusObjectPath>().path() : handle.toString();
        if (response != 0 || m_session.isEmpty()) {
            Q_EMIT failed(tr("the desktop did not open a shortcut session"));
            return;
        }
        bindShortcut();
    });
}

void PortalShortcut::bindShortcut()
{
    const Shortcut shortcut{
        m_id, {{QStringLiteral("description"), m_description}, {QStringLiteral("preferred_trigger"), m_trigger}}};
    const QList<QVariant> arguments{QVariant::fromValue(QDBusObjectPath(m_session)),
                                    QVariant::fromValue(QList<Shortcut>{shortcut}), QString()};
    request(QStringLiteral("BindShortcuts"), arguments, {}, [this](uint response, const QVariantMap &) {
        if (response != 0) {
            Q_EMIT failed(tr("the shortcut was not confirmed"));
            return;
        }
        qCInfo(lcPortal) << "bound through the desktop's global shortcuts:" << m_id;
        Q_EMIT bound();
    });
}

void PortalShortcut::onActivated(const QDBusMessage &message)
{
    const QList<QVariant> arguments = message.arguments();
    if (arguments.size() < 2)
        return;
    const QString session = arguments.at(0).value<QDBusObjectPath>().path();
    if (session == m_session && arguments.at(1).toString() == m_id)
        Q_EMIT activated();
}

} // namespace jw
