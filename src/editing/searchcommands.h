#pragma once

#include <QObject>

namespace jw {

class SearchState;

namespace ui {
struct FeatureContext;
class IHostWindow;
class RichTextEdit;
} // namespace ui

/// Search and Find Next of the Edit menu, on the page shown.
class SearchCommands final : public QObject {
    Q_OBJECT

public:
    /// `state` (the main window's vSearch and iCursor) outlives the feature.
    SearchCommands(const ui::FeatureContext &context, SearchState &state, QObject *parent = nullptr);

    /// The search dialog; afterwards the main window has the keys, with the match selected.
    void mnuSearch_Click();
    /// The next match after the last one; asks for the text when nothing was searched yet.
    void mnuNext_Click();

private:
    ui::RichTextEdit &m_pad;
    ui::IHostWindow &m_host;
    SearchState &m_state;
};

} // namespace jw
