#pragma once

#include <QObject>
#include <QStringList>

namespace jw {

namespace ui {
class ComboBox;
class ICommands;
class RichTextEdit;
class TwoStateToolbar;
} // namespace ui

/// The formatting feature: the bold, italic and underline buttons (and
/// their keys) and the font and size boxes apply to the selection (or to
/// what is typed next), and show the formatting of the selection when it
/// changes. After a choice the keys go back to the page, where the user
/// types on.
class FormatControls final : public QObject {
    Q_OBJECT

public:
    /// Works the main window's own controls; the buttons' keys go to `commands`.
    FormatControls(ui::TwoStateToolbar &toolbar, ui::ComboBox &font, ui::ComboBox &size, ui::RichTextEdit &pad,
                   ui::ICommands &commands, QObject *parent = nullptr);

    /// The size box's designed entries, in order.
    static QStringList sizeEntries();
    /// The size box's start-up entry ("8").
    static constexpr int kStartupSize = 2;

    /// Fills the font box with the screen fonts and makes the start-up font
    /// and size the editor's default for every page, shown in the boxes.
    /// Without a font of the start-up name the desktop's font stands in.
    void fillFontList();

    /// A click on toolbar button `index` (its state already flipped).
    void Toolbar1_ButtonClick(int index);
    /// The user chose an entry of the font box.
    void cmbFont_Click();
    /// The user chose an entry of the size box.
    void cmbFontSize_Click();
    /// Enter in the font box: a listed name (in any letter case) applies like
    /// a choice; otherwise the box shows the selection's font again.
    void cmbFont_Entered();
    /// Enter in the size box: a size applies; the box shows the page's size.
    void cmbFontSize_Entered();
    /// The selection changed: the controls show its formatting (mixed leaves them).
    void txtPad_SelChange();

private:
    void applyFont();
    void applySize();

    ui::TwoStateToolbar &m_toolbar;
    ui::ComboBox &m_font;
    ui::ComboBox &m_size;
    ui::RichTextEdit &m_pad;
    QStringList m_fontNames;
    QStringList m_sizeNames;
};

} // namespace jw
