// The hot key that shows and hides the pad: the chosen combination, the
// dialog that chooses it, and the desktop's shortcut service where no
// program may grab a key.
#include "miniwindow/hotkeycommands.h"

#include "base/ioerror.h"
#include "base/log.h"
#include "base/settingsnames.h"
#include "base/settingsstore.h"
#include "hotkeys/creghotkey.h"
#include "hotkeys/hotkeyerror.h"
#include "hotkeys/qt/frmhotkey.h"
#include "hotkeys/qt/hotkeyplatformfactory.h"
#include "hotkeys/qt/keychoice.h"
#include "pages/pagelist.h"
#include "ui/feature.h"
#if JW_HAVE_PORTAL
#include "hotkeys/portal/portalshortcut.h"
#endif

#include <QGuiApplication>
#include <QWidget>

namespace jw {

namespace {

// The portal's notation: "CTRL+ALT+j".
QString portalTrigger(const QKeySequence &keys)
{
    QStringList parts = keys.toString(QKeySequence::PortableText).split(u'+');
    const QString key = parts.takeLast();
    for (QString &part : parts)
        part = part == QLatin1StringView("Meta") ? QStringLiteral("LOGO") : part.toUpper();
    parts << (key.size() == 1 ? key.toLower() : key);
    return parts.join(u'+');
}

} // namespace

HotKeyCommands::HotKeyCommands(const ui::FeatureContext &context, Pressed pressed, QObject *parent)
    : QObject(parent), m_host(context.host), m_store(context.settings), m_pressed(std::move(pressed))
{
    ui::addCommand(context.commands, this, "mnuHotKey", tr("Hot &Key..."), {}, &HotKeyCommands::mnuHotKey_Click,
                   ui::Place::EditHotKey);
}

HotKeyCommands::~HotKeyCommands() = default;

void HotKeyCommands::registerHotKeys()
{
    m_cHK = createHotKeyRegistry();
    // The key can arrive in one batch with a minimise from the title bar, before
    // that state has reached this window: handle it after the window's news.
    m_cHK->HotKeyPress = [this](const std::string &sName, std::int32_t eModifiers, std::int32_t eKey) {
        QMetaObject::invokeMethod(
            this,
            [this, name = QString::fromStdString(sName), eModifiers, eKey] {
                QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
                m_pressed(name, eModifiers, eKey);
            },
            Qt::QueuedConnection);
    };
    m_cHK->Attach(static_cast<std::intptr_t>(m_host.toolOwner()->winId()));
    const QKeySequence standard = QKeySequence::fromString(kDefaultHotKeyText, QKeySequence::PortableText);
    const QString stored = m_store.readOne(kApp, kHotKeySection, kHotKeyName);
    if (!stored.isEmpty()) {
        const QString problem = useHotKey(QKeySequence::fromString(stored, QKeySequence::PortableText));
        if (problem.isEmpty())
            return;
        m_host.tell(QStringLiteral("The hot key \"%1\" could not be used: %2 %3 is used instead.")
                        .arg(stored, problem, kDefaultHotKeyText));
    }
    const QString problem = useHotKey(standard);
    if (problem.isEmpty())
        return;
    // The pad works without the key.
    qCWarning(lcHotKeys) << kDefaultHotKeyText << "is not available:" << problem;
    // Without a desktop there is no one to tell and no desktop service to ask.
    const QString platform = QGuiApplication::platformName();
    if (platform == QLatin1StringView("offscreen") || platform == QLatin1StringView("minimal"))
        return;
    usePortal(standard, problem);
}

void HotKeyCommands::usePortal(const QKeySequence &keys, const QString &problem)
{
#if JW_HAVE_PORTAL
    auto *portal = new PortalShortcut(QDBusConnection::sessionBus(), this);
    connect(portal, &PortalShortcut::activated, this,
            [this] { m_pressed(kHotKeyName, kDefaultHotKeyModifiers, kDefaultHotKeyCode); });
    connect(portal, &PortalShortcut::bound, this, [this, keys] { m_hotKey = keys; });
    connect(portal, &PortalShortcut::failed, this, [this, problem, portal](const QString &why) {
        qCInfo(lcHotKeys) << "no global shortcut from the desktop either:" << why;
        portal->deleteLater();
        tellHotKeyUnavailable(problem);
    });
    portal->bind(kHotKeyName, QStringLiteral("Show or hide Jotwell Pro"), portalTrigger(keys));
#else
    Q_UNUSED(keys);
    tellHotKeyUnavailable(problem);
#endif
}

void HotKeyCommands::tellHotKeyUnavailable(const QString &problem)
{
    // Said once per reason, not at every start of a session without the key.
    if (m_store.readOne(kApp, kHotKeySection, kHotKeyUnavailableKey) == problem)
        return;
    const QString text = QStringLiteral("%1\n\nThe hot key is not available. To show and hide the pad from any "
                                        "program, bind the command \"jotwell-pad --toggle\" to a key in your "
                                        "desktop's keyboard settings.")
                             .arg(problem);
    m_host.tell(text);
    try {
        m_store.write(kApp, kHotKeySection, kHotKeyUnavailableKey, problem);
    } catch (const IoError &error) {
        qCWarning(lcSettings) << error.what();
    }
}

void HotKeyCommands::mnuHotKey_Click()
{
    frmHotKey dialog(m_host.toolOwner(), m_hotKey, [this](const QKeySequence &keys) {
        if (keys == m_hotKey)
            return QString();
        QString problem = useHotKey(keys);
        if (!problem.isEmpty()) {
            qCInfo(lcHotKeys).noquote() << "the hot key" << keys.toString(QKeySequence::PortableText)
                                        << "was refused:" << problem;
            problem[0] = problem[0].toLower();
            return QStringLiteral("%1 cannot be used: %2").arg(keys.toString(QKeySequence::NativeText), problem);
        }
        try {
            m_store.write(kApp, kHotKeySection, kHotKeyName, keys.toString(QKeySequence::PortableText));
        } catch (const IoError &error) {
            problem = QStringLiteral("%1 works now but could not be kept for the next start: %2")
                          .arg(keys.toString(QKeySequence::NativeText), error.reason());
        }
        return problem;
    });
    dialog.exec();
}

QString HotKeyCommands::useHotKey(const QKeySequence &keys)
{
    QString why;
    const std::optional<HotKeyChoice> choice = hotKeyChoice(keys, &why);
    if (!choice)
        return why;
    const std::string name = kHotKeyName.toStdString();
    const bool had = !m_hotKey.isEmpty();
    try {
        if (had)
            m_cHK->UnregisterKey(name);
        m_cHK->RegisterKey(name, choice->key, choice->modifiers);
        m_hotKey = keys;
        return {};
    } catch (const HotKeyError &error) {
        // "Failed to Register Hot Key [why]": the reason is what the user needs.
        why = QString::fromStdString(error.what());
        const qsizetype open = why.indexOf(u'[');
        if (open >= 0 && why.endsWith(u']'))
            why = why.mid(open + 1).chopped(1);
    }
    if (had) {
        const std::optional<HotKeyChoice> old = hotKeyChoice(m_hotKey);
        try {
            m_cHK->RegisterKey(name, old->key, old->modifiers);
        } catch (const HotKeyError &error) {
            qCWarning(lcHotKeys) << "the old hot key could not be taken back:" << error.what();
            m_hotKey = {};
        }
    }
    return why;
}

} // namespace jw
