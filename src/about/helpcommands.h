#pragma once

#include <QObject>

namespace jw {

namespace ui {
class ICommands;
class IHostWindow;
} // namespace ui

/// About and Help Topics of the Help menu.
class HelpCommands final : public QObject {
    Q_OBJECT

public:
    HelpCommands(ui::ICommands &commands, ui::IHostWindow &host, QObject *parent = nullptr);

    /// The About box, with the system's registry to find the system information program.
    void mnuAbout_Click();
    /// The help window at its contents.
    void mnuHelpTopics_Click();

private:
    ui::IHostWindow &m_host;
};

} // namespace jw
