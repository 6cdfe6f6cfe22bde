// The hot key that shows and hides the pad: the chosen combination, the
// dialog that chooses it, and the desktop's shortcut service where no
// program may grab a key.
#include "miniwindow/hotkeycommands.h"

#include "base/ioerror.h"
#include "base/log.h"
#include "base/settingsnames.h"
#include "base/settingsstore.h"
#include "hotkeys/qt/frmhotkey.h"
#include "hotkeys/qt/hotkey.h"
#include "hotkeys/qt/hotkeyplatform.h"
#include "pages/pagelist.h"
#include "ui/feature.h"

#include <QGuiApplication>
#include <QWidget>

namespace jw {

HotKeyCommands::HotKeyCommands(const ui::FeatureContext &context, Pressed pressed, QObject *parent)
    : QObject(parent), m_host(context.host), m_store(context.settings), m_pressed(std::move(pressed))
{
    ui::addCommand(context.commands, this, "mnuHotKey", tr("Hot &Key..."), {}, &HotKeyCommands::mnuHotKey_Click,
                   ui::Place::EditHotKey);
}

HotKeyCommands::~HotKeyCommands() = default;

void HotKeyCommands::registerHotKeys()
{
    m_service = createHotKeyService();
    m_cHK = std::make_unique<HotKey>(*m_service, kHotKeyName, tr("Show or hide Jotwell Pro"));
    // The key can arrive in one batch with a minimise from the title bar, before
    // that state has reached this window: handle it after the window's news.
    connect(m_cHK.get(), &HotKey::activated, this, [this](quint32 time) {
        QMetaObject::invokeMethod(
            this,
            [this, time] {
                QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
                m_pressed(kHotKeyName, kDefaultHotKeyModifiers, kDefaultHotKeyCode, time);
            },
            Qt::QueuedConnection);
    });
    const QKeySequence standard = QKeySequence::fromString(kDefaultHotKeyText, QKeySequence::PortableText);
    const QString stored = m_store.readOne(kApp, kHotKeySection, kHotKeyName);
    if (!stored.isEmpty()) {
        if (m_cHK->setKeys(QKeySequence::fromString(stored, QKeySequence::PortableText)) == HotKeyRefusal::None)
            return;
        m_host.tell(tr("The hot key \"%1\" could not be used: %2 %3 is used instead.")
                        .arg(stored, m_cHK->refusalText(), kDefaultHotKeyText));
    }
    if (m_cHK->setKeys(standard) == HotKeyRefusal::None)
        return;
    // The pad works without the key.
    const QString problem = m_cHK->refusalText();
    qCWarning(lcHotKeys) << kDefaultHotKeyText << "is not available:" << problem;
    // Without a desktop there is no one to tell and no desktop service to ask.
    const QString platform = QGuiApplication::platformName();
    if (platform == QLatin1StringView("offscreen") || platform == QLatin1StringView("minimal"))
        return;
    if (m_cHK->askDesktop(standard) != HotKeyRefusal::None) {
        tellHotKeyUnavailable(problem);
        return;
    }
    connect(m_cHK.get(), &HotKey::answered, this, [this, problem] {
        if (m_cHK->refusal() == HotKeyRefusal::None)
            return;
        qCInfo(lcHotKeys) << "no global shortcut from the desktop either:" << m_cHK->refusalText();
        tellHotKeyUnavailable(problem);
    });
}

void HotKeyCommands::tellHotKeyUnavailable(const QString &problem)
{
    // Said once per reason, not at every start of a session without the key.
    if (m_store.readOne(kApp, kHotKeySection, kHotKeyUnavailableKey) == problem)
        return;
    const QString text = tr("%1\n\nThe hot key is not available. To show and hide the pad from any "
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
    frmHotKey dialog(m_host.toolOwner(), hotKey(), [this](const QKeySequence &keys) {
        if (keys == hotKey())
            return QString();
        if (m_cHK->setKeys(keys) != HotKeyRefusal::None) {
            QString problem = m_cHK->refusalText();
            qCInfo(lcHotKeys).noquote() << "the hot key" << keys.toString(QKeySequence::PortableText)
                                        << "was refused:" << problem;
            problem[0] = problem[0].toLower();
            return tr("%1 cannot be used: %2").arg(keys.toString(QKeySequence::NativeText), problem);
        }
        try {
            m_store.write(kApp, kHotKeySection, kHotKeyName, keys.toString(QKeySequence::PortableText));
        } catch (const IoError &error) {
            return tr("%1 works now but could not be kept for the next start: %2")
                .arg(keys.toString(QKeySequence::NativeText), error.reason());
        }
        return QString();
    });
    dialog.exec();
}

QKeySequence HotKeyCommands::hotKey() const { return m_cHK ? m_cHK->keys() : QKeySequence(); }

} // namespace jw
