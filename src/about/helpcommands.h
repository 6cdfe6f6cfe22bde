#pragma once

#include <QKeySequence>
#include <QObject>

#include <functional>

namespace jw {

namespace ui {
class ICommands;
class IHostWindow;
} // namespace ui

/// About and Help Topics of the Help menu.
class HelpCommands final : public QObject {
    Q_OBJECT

public:
    /// `hotKey` tells the key that shows the pad, for the About box.
    HelpCommands(ui::ICommands &commands, ui::IHostWindow &host, std::function<QKeySequence()> hotKey,
                 QObject *parent = nullptr);

    /// The About box, with the system's registry to find the system information program.
    void mnuAbout_Click();
    /// The help window at its contents.
    void mnuHelpTopics_Click();

private:
    ui::IHostWindow &m_host;
    std::function<QKeySequence()> m_hotKey;
};

} // namespace jw
