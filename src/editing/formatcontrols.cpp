#include "editing/formatcontrols.h"

#include "editing/formatsync.h"
#include "ui/combobox.h"
#include "ui/fonts.h"
#include "ui/richtextedit.h"
#include "ui/toolbar.h"

namespace jw {

FormatControls::FormatControls(ui::TwoStateToolbar &toolbar, ui::ComboBox &font, ui::ComboBox &size,
                               ui::RichTextEdit &pad)
    : m_toolbar(toolbar), m_font(font), m_size(size), m_pad(pad), m_sizeNames(sizeEntries())
{
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
    m_fontNames = ui::screenFontNames();
    m_font.addItems(m_fontNames);
    const int font = startupFontEntry(m_fontNames);
    if (font >= 0)
        m_font.chooseIndex(font);
    else
        m_font.setListIndex(-1);
    m_size.chooseIndex(2);
}

void FormatControls::buttonClicked(int index)
{
    const bool value = m_toolbar.Value(index) == 1;
    switch (index) {
    case 1: m_pad.setSelBold(value); break;
    case 2: m_pad.setSelItalic(value); break;
    case 3: m_pad.setSelUnderline(value); break;
    default: break;
    }
}

void FormatControls::fontChosen()
{
    m_pad.setSelFontName(m_font.currentText());
}

void FormatControls::sizeChosen()
{
    bool ok = false;
    const double points = m_size.currentText().toDouble(&ok);
    if (ok && points > 0)
        m_pad.setSelFontSize(points);
}

void FormatControls::selectionChanged()
{
    m_toolbar.setValue(1, syncButtonValue(m_pad.SelBold(), m_toolbar.Value(1)));
    m_toolbar.setValue(2, syncButtonValue(m_pad.SelItalic(), m_toolbar.Value(2)));
    m_toolbar.setValue(3, syncButtonValue(m_pad.SelUnderline(), m_toolbar.Value(3)));
    m_font.setListIndex(syncFontEntry(m_fontNames, m_pad.SelFontName(), m_font.ListIndex()));
    m_size.setListIndex(syncSizeEntry(m_sizeNames, m_pad.SelFontSize(), m_size.ListIndex()));
}

} // namespace jw
