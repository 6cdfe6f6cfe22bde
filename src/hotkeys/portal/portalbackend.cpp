#include "hotkeys/portal/portalbackend.h"

#include "hotkeys/portal/portalshortcut.h"

#include <QCoreApplication>
#include <QStringList>

namespace jw {

namespace {

// The portal's notation of a portable key text: "Ctrl+Alt+J" is "CTRL+ALT+j".
QString portalTrigger(const std::string &keys)
{
    QStringList parts = QString::fromStdString(keys).split(u'+');
    const QString key = parts.takeLast();
    for (QString &part : parts)
        part = part == QLatin1StringView("Meta") ? QStringLiteral("LOGO") : part.toUpper();
    parts << (key.size() == 1 ? key.toLower() : key);
    return parts.join(u'+');
}

} // namespace

PortalBackend::PortalBackend(QDBusConnection bus) : m_bus(std::move(bus)) {}

PortalBackend::~PortalBackend() = default;

HotKeyAnswer PortalBackend::grab(int id, const Request &request)
{
    if (!m_bus.isConnected())
        return {HotKeyRefusal::Unsupported,
                QCoreApplication::translate("jw::PortalBackend", "there is no desktop message bus").toStdString()};
    auto shortcut = std::make_unique<PortalShortcut>(m_bus);
    PortalShortcut *asked = shortcut.get();
    QObject::connect(asked, &PortalShortcut::bound, asked, [this, id] { reportAnswer(id, {}); });
    QObject::connect(asked, &PortalShortcut::failed, asked, [this, id](const QString &why) {
        reportAnswer(id, {HotKeyRefusal::Failed, why.toStdString()});
    });
    QObject::connect(asked, &PortalShortcut::activated, asked, [this, id] { reportPress(id, 0); });
    m_shortcuts[id] = std::move(shortcut);
    asked->bind(QString::fromStdString(request.name), QString::fromStdString(request.description),
                portalTrigger(request.keys));
    return {HotKeyRefusal::None, {}, true};
}

void PortalBackend::release(int id)
{
    const auto found = m_shortcuts.find(id);
    if (found == m_shortcuts.end())
        return;
    // Released from inside one of its own signals, perhaps: it goes once they
    // are done, and says nothing more.
    PortalShortcut *gone = found->second.release();
    gone->disconnect();
    gone->deleteLater();
    m_shortcuts.erase(found);
}

} // namespace jw
