#include "editing/formatcontrols.h"

#include "editing/formatsync.h"
#include "ui/combobox.h"
#include "ui/fonts.h"
#include "ui/richtextedit.h"
#include "ui/feature.h"
#include "ui/toolbar.h"

#include <QAction>

namespace jw {

FormatControls::FormatControls(ui::TwoStateToolbar &toolbar, ui::ComboBox &font, ui::ComboBox &size,
                               ui::RichTextEdit &pad, ui::ICommands &commands, QObject *parent)
    : QObject(parent), m_toolbar(toolbar), m_font(font), m_size(size), m_pad(pad), m_sizeNames(sizeEntries())
{
    connect(&toolbar, &ui::TwoStateToolbar::ButtonClick, this, &FormatControls::Toolbar1_ButtonClick);
    connect(&font, &ui::ComboBox::Click, this, &FormatControls::cmbFont_Click);
    connect(&size, &ui::ComboBox::Click, this, &FormatControls::cmbFontSize_Click);
    connect(&font, &ui::ComboBox::Entered, this, &FormatControls::cmbFont_Entered);
    connect(&size, &ui::ComboBox::Entered, this, &FormatControls::cmbFontSize_Entered);
    // Esc in a box leaves it as the selection shows it and goes back to the page.
    for (ui::ComboBox *box : {&font, &size}) {
        connect(box, &ui::ComboBox::Escaped, this, [this] {
            txtPad_SelChange();
            m_pad.setFocus();
        });
    }
    connect(&pad, &ui::RichTextEdit::SelChange, this, &FormatControls::txtPad_SelChange);
    // The desktop's keys for bold, italic and underline work the buttons themselves.
    for (const auto &[index, key] : {std::pair(1, Qt::Key_B), std::pair(2, Qt::Key_I), std::pair(3, Qt::Key_U)}) {
        toolbar.buttonAction(index)->setShortcut(QKeySequence(Qt::CTRL | key));
        commands.addKeys(toolbar.buttonAction(index));
    }
}

QStringList FormatControls::sizeEntries()
{
    QStringList entries;
    for (int size : {4, 6, 8, 10, 12, 14, 16, 18, 20, 22, 24})
        entries << QString::number(size);
    return entries;
}

void FormatControls::fillFontList()
{
    m_fontNames = plainFontNames(ui::screenFontNames());
    m_font.addItems(m_fontNames);
    int font = startupFontEntry(m_fontNames);
    // The start-up name stands for the platform's interface font.
    const QString name = font >= 0 ? m_fontNames.at(font) : ui::desktopFontFamily();
    if (font < 0)
        font = typedFontEntry(m_fontNames, name);
    if (font >= 0)
        m_font.setListIndex(font);
    else
        m_font.setText(name);
    m_size.setListIndex(kStartupSize);
    // Not only the caret of the page shown: every page, also one opened later.
    m_pad.setTypingDefault(name, m_sizeNames.at(kStartupSize).toDouble());
}

void FormatControls::Toolbar1_ButtonClick(int index)
{
    const bool value = m_toolbar.Value(index) == 1;
    switch (index) {
    case 1: m_pad.setSelBold(value); break;
    case 2: m_pad.setSelItalic(value); break;
    case 3: m_pad.setSelUnderline(value); break;
    default: break;
    }
}

void FormatControls::applyFont() { m_pad.setSelFontName(m_font.currentText()); }

void FormatControls::applySize()
{
    if (const auto points = typedSize(m_size.currentText()))
        m_pad.setSelFontSize(*points);
}

void FormatControls::cmbFont_Click()
{
    applyFont();
    m_pad.setFocus();
}

void FormatControls::cmbFontSize_Click()
{
    applySize();
    m_pad.setFocus();
}

void FormatControls::cmbFont_Entered()
{
    const int entry = typedFontEntry(m_fontNames, m_font.Text());
    if (entry < 0) {
        m_font.refuse(tr("No font of that name is installed."));
        txtPad_SelChange();
        m_pad.setFocus();
        return;
    }
    m_font.setListIndex(entry);
    applyFont();
    m_pad.setFocus();
}

void FormatControls::cmbFontSize_Entered()
{
    const auto points = typedSize(m_size.Text());
    if (points)
        m_pad.setSelFontSize(*points);
    else
        m_size.refuse(tr("A size is a number of points, such as 10 or 10.5."));
    // The box shows the size as the page now has it.
    txtPad_SelChange();
    m_pad.setFocus();
}

void FormatControls::txtPad_SelChange()
{
    m_toolbar.setValue(1, syncButtonValue(m_pad.SelBold(), m_toolbar.Value(1)));
    m_toolbar.setValue(2, syncButtonValue(m_pad.SelItalic(), m_toolbar.Value(2)));
    m_toolbar.setValue(3, syncButtonValue(m_pad.SelUnderline(), m_toolbar.Value(3)));
    // A mixed attribute leaves its box as it is; an unlisted one is shown as text.
    if (const auto name = m_pad.SelFontName()) {
        const int entry = int(m_fontNames.lastIndexOf(*name));
        entry >= 0 ? m_font.setListIndex(entry) : m_font.setText(*name);
    }
    if (const auto points = m_pad.SelFontSize()) {
        const int entry = sizeEntry(m_sizeNames, *points);
        entry >= 0 ? m_size.setListIndex(entry) : m_size.setText(sizeText(*points));
    }
}

} // namespace jw
