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
    /// The size box's start-up entry ("8").
    static constexpr int kStartupSize = 2;

    /// Fills the font box with the screen fonts and makes the start-up font
    /// and size the editor's default for every page, shown in the boxes.
    /// Without a font of the start-up name the desktop's font stands in.
    void fillFontList();
    /// A click on toolbar button `index` (its state already flipped).
    void buttonClicked(int index);
    /// The user chose an entry of the font box.
    void fontChosen();
    /// The user chose an entry of the size box.
    void sizeChosen();
    /// Enter in the font box: a listed name (in any letter case) applies like
    /// a choice; false, with the box showing the selection again, otherwise.
    bool fontEntered();
    /// Enter in the size box: a size applies; false as with fontEntered.
    bool sizeEntered();
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
