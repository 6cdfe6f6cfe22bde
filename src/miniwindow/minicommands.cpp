#include "miniwindow/minicommands.h"

#include "base/ioerror.h"
#include "base/log.h"
#include "base/placement.h"
#include "base/settingsnames.h"
#include "base/settingsstore.h"
#include "hotkeys/qt/windowfocus.h"
#include "miniwindow/windowswap.h"
#include "pages/pagelist.h"
#include "ui/feature.h"
#include "ui/richtextedit.h"
#include "ui/twips.h"

#include <QAbstractButton>
#include <QEvent>
#include <QGuiApplication>
#include <QTimer>

namespace jw {

namespace {

// Whether the main window stays above all others: "0" or "1".
const QString kWindowSection = QStringLiteral("Window");
const QString kOnTopKey = QStringLiteral("AlwaysOnTop");

} // namespace

MiniWindowCommands::MiniWindowCommands(const ui::FeatureContext &context, QWidget &main, QAbstractButton &cmdShink,
                                       WindowPosition &position, qint32 &iTop, qint32 &iLeft, QObject *parent)
    : QObject(parent), m_main(main), m_pad(context.editor), m_page(context.page), m_position(position), iTop(iTop),
      iLeft(iLeft), m_store(context.settings), m_focus(createWindowFocus())
{
    // The check mark is the whole state: nothing is stored.
    mnuHide = ui::newAction(this, "mnuHide", tr("H&ide on Minimize"));
    mnuHide->setCheckable(true);
    mnuHide->setChecked(false);
    context.commands.add(mnuHide, ui::Place::EditHide);
    mnuOnTop = ui::newAction(this, "mnuOnTop", tr("Always on Top"));
    mnuOnTop->setCheckable(true);
    mnuOnTop->setChecked(m_store.readOne(kApp, kWindowSection, kOnTopKey) != QLatin1StringView("0"));
    connect(mnuOnTop, &QAction::triggered, this, &MiniWindowCommands::mnuOnTop_Click);
    context.commands.add(mnuOnTop, ui::Place::EditOnTop);
    connect(&cmdShink, &QAbstractButton::clicked, this, &MiniWindowCommands::cmdShink_Click);
    main.installEventFilter(this);
}

MiniWindowCommands::~MiniWindowCommands() = default;

frmMin &MiniWindowCommands::miniWindow()
{
    if (!m_min) {
        m_min = std::make_unique<frmMin>(
            m_position, frmMin::Actions{[this] { expandFromMini(); }, [this] { return m_closing || m_main.close(); }});
    }
    return *m_min;
}

void MiniWindowCommands::closeMiniWindow()
{
    m_closing = true;
    if (m_min)
        m_min->close();
}

bool MiniWindowCommands::hideOnMinimize() const { return mnuHide->isChecked(); }

bool MiniWindowCommands::alwaysOnTop() const { return mnuOnTop->isChecked(); }

void MiniWindowCommands::mnuOnTop_Click()
{
    // A window whose flags change is hidden by Qt: show it again where it was.
    const bool shown = m_main.isVisible();
    m_main.setWindowFlag(Qt::WindowStaysOnTopHint, mnuOnTop->isChecked());
    if (shown)
        m_main.show();
    try {
        m_store.write(kApp, kWindowSection, kOnTopKey,
                      mnuOnTop->isChecked() ? QStringLiteral("1") : QStringLiteral("0"));
    } catch (const IoError &error) {
        qCWarning(lcSettings) << error.what();
    }
}

void MiniWindowCommands::cmdShink_Click()
{
    frmMin &mini = miniWindow();
    const Corner corner = shrinkPlacement({ui::Top(&m_main), ui::Left(&m_main)}, iTop, iLeft);
    ui::setTop(&mini, corner.top);
    ui::setLeft(&mini, corner.left);
    m_main.hide();
    if (!mnuHide->isChecked())
        mini.show();
    m_page.save();
}

void MiniWindowCommands::expandFromMini()
{
    frmMin &mini = miniWindow();
    const ExpandPlacement place =
        expandPlacement({ui::Top(&mini), ui::Left(&mini)}, ui::ScreenWidth(&mini), ui::ScreenHeight(&mini));
    if (place.rememberTop != 0)
        iTop = place.rememberTop;
    if (place.rememberLeft != 0)
        iLeft = place.rememberLeft;
    ui::setTop(&m_main, place.main.top);
    ui::setLeft(&m_main, place.main.left);
    mini.hide();
    bringBack();
    m_main.activateWindow();
    m_pad.setFocus();
}

void MiniWindowCommands::bringBack()
{
    m_main.setWindowState(m_main.windowState() & ~Qt::WindowMinimized);
    m_main.show();
    m_main.raise();
}

bool MiniWindowCommands::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == &m_main && event->type() == QEvent::WindowStateChange && m_main.isMinimized()
        && mnuHide->isChecked())
        QTimer::singleShot(0, this, &MiniWindowCommands::hideMinimized);
    return QObject::eventFilter(watched, event);
}

void MiniWindowCommands::hideMinimized()
{
    if (!m_main.isMinimized() || !m_main.isVisible())
        return;
    // It stays minimised while hidden (restoring would map it again); bringBack() restores it.
    cmdShink_Click();
}

void MiniWindowCommands::m_cHK_HotKeyPress(const QString &sName, qint32, qint32, quint32 time)
{
    // A window minimised from its title bar is not shown: the key brings it back.
    const SwapAction action = hotKeyAction(sName, mnuHide->isChecked(), m_main.isVisible() && !m_main.isMinimized());
    const bool hadKeyboard = QGuiApplication::focusWindow() != nullptr;
    if (action == SwapAction::ShowMain || action == SwapAction::MiniToMain)
        m_focus->noteOrigin();
    switch (action) {
    case SwapAction::None: return;
    case SwapAction::ShowMain: bringBack(); break;
    case SwapAction::HideMain: m_main.hide(); break;
    case SwapAction::MainToMini:
        m_main.hide();
        miniWindow().show();
        break;
    case SwapAction::MiniToMain:
        bringBack();
        miniWindow().hide();
        break;
    }
    if (m_main.isVisible())
        m_focus->activate(*m_main.windowHandle(), time);
    else
        m_focus->returnToOrigin(hadKeyboard, time);
}

QString MiniWindowCommands::handOverCommand(const QString &command, const QByteArray &launchToken)
{
    const bool shown = m_main.isVisible() && !m_main.isMinimized();
    if (command == QLatin1StringView("toggle") || command == QLatin1StringView("show"))
        m_focus->useLaunchToken(launchToken);
    if (command == QLatin1StringView("toggle") || (command == QLatin1StringView("hide") && shown)) {
        m_cHK_HotKeyPress(kHotKeyName, kDefaultHotKeyModifiers, kDefaultHotKeyCode);
    } else if (command == QLatin1StringView("show")) {
        // A later start brings the pad forward, as the hot key does.
        if (!shown)
            m_cHK_HotKeyPress(kHotKeyName, kDefaultHotKeyModifiers, kDefaultHotKeyCode);
        else
            m_focus->activate(*m_main.windowHandle(), 0);
        m_main.raise();
    } else if (command != QLatin1StringView("hide")) {
        return QStringLiteral("unknown command");
    }
    return QStringLiteral("ok");
}

} // namespace jw
