#pragma once

#include <QStringList>

namespace jw {

namespace ui {
class ComboBox;
class RichTextEdit;
class TwoStateToolbar;
} // namespace ui

/// The formatting controls over the editor: the bold, italic and underline
/// buttons and the font and size boxes apply to the selection (or to what
/// is typed next), and show the formatting of the selection when it changes.
class FormatControls final {
public:
    FormatControls(ui::TwoStateToolbar &toolbar, ui::ComboBox &font, ui::ComboBox &size, ui::RichTextEdit &pad);

    /// The size box's designed entries, in order.
    static QStringList sizeEntries();

    /// Fills the font box with the screen fonts and makes the start-up
    /// choices of font and size, which apply to the caret like a user's.
    void fillFontList();
    /// A click on toolbar button `index` (its state already flipped).
    void buttonClicked(int index);
    /// The user chose an entry of the font box.
    void fontChosen();
    /// The user chose an entry of the size box.
    void sizeChosen();
    /// The selection changed: the controls show its formatting (mixed leaves them).
    void selectionChanged();

private:
    ui::TwoStateToolbar &m_toolbar;
    ui::ComboBox &m_font;
    ui::ComboBox &m_size;
    ui::RichTextEdit &m_pad;
    QStringList m_fontNames;
    QStringList m_sizeNames;
};

} // namespace jw
