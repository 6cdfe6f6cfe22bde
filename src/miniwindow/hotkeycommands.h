#pragma once

#include <QKeySequence>
#include <QObject>

#include <functional>
#include <memory>

namespace jw {

class HotKey;
class HotKeyService;
class SettingsStore;

namespace ui {
struct FeatureContext;
class IHostWindow;
} // namespace ui

/// The hot key that shows and hides the pad: registered at start-up, chosen
/// with Hot Key..., and asked of the desktop's shortcut service where no
/// program may grab a key.
class HotKeyCommands final : public QObject {
    Q_OBJECT

public:
    /// What a press of the key runs (the main window's swap); `time` is the
    /// desktop's time of the press (0: unknown).
    using Pressed = std::function<void(const QString &sName, qint32 eModifiers, qint32 eKey, quint32 time)>;
    HotKeyCommands(const ui::FeatureContext &context, Pressed pressed, QObject *parent = nullptr);
    ~HotKeyCommands() override;

    /// The start-up's registration of the stored key, else Alt+V; what fails is told.
    void registerHotKeys();
    void mnuHotKey_Click();
    /// The combination that shows and hides the pad; empty while none is registered.
    QKeySequence hotKey() const;

private:
    void tellHotKeyUnavailable(const QString &problem);

    ui::IHostWindow &m_host;
    SettingsStore &m_store;
    Pressed m_pressed;
    std::unique_ptr<HotKeyService> m_service;
    std::unique_ptr<HotKey> m_cHK;
};

} // namespace jw
