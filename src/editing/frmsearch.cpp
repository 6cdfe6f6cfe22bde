#include "editing/frmsearch.h"

#include "editing/search.h"
#include "ui/messagebox.h"
#include "ui/richtextedit.h"
#include "ui/twips.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>

namespace jw {

void selectMatch(ui::RichTextEdit &pad, qint64 start, qint64 length)
{
    pad.setSelStart(static_cast<int>(start));
    pad.setSelLength(static_cast<int>(length));
}

frmSearch::frmSearch(QWidget *owner, ui::RichTextEdit &pad, SearchState &state)
    : ui::ToolDialog(owner, tr("Jotwell Search"), 3870, 1320), m_pad(pad), m_state(state)
{
    Label1 = new QLabel(tr("Enter text for which to search..."), this);
    // Made in Tab order.
    txtSearch = new QLineEdit(this);
    txtSearch->setAccessibleName(tr("Text to find"));
    txtSearch->setAccessibleDescription(tr("Found exactly as typed, capitals included, from the start of the page"));
    cmdSearch = plainButton(tr("Search"));

    ui::placeTwips(Label1, 120, 120, 2415, 375);
    // The desktop's font can be wider than the one the layout was drawn for:
    // the label may use the free room to its right (the button stands lower).
    const int needed = Label1->fontMetrics().horizontalAdvance(Label1->text()) + 4;
    if (needed > Label1->width())
        Label1->resize(std::min(needed, ui::toPixelsX(this, 3870 - 240)), Label1->height());
    ui::placeTwips(txtSearch, 120, 600, 2415, 375);
    ui::placeTwips(cmdSearch, 2880, 600, 975, 495);
    setTextBox(txtSearch);

    connect(cmdSearch, &QPushButton::clicked, this, &frmSearch::cmdSearch_Click);
    Form_Load();
}

void frmSearch::Form_Load() { placeBesideOwner(); }

void frmSearch::Form_GotFocus() { txtSearch->setFocus(); }

void frmSearch::focusInEvent(QFocusEvent *event)
{
    ui::ToolDialog::focusInEvent(event);
    Form_GotFocus();
}

bool frmSearch::txtSearch_KeyDown(int keyCode, Qt::KeyboardModifiers)
{
    if (keyCode != 13)
        return false;
    cmdSearch_Click();
    return true;
}

void frmSearch::cmdSearch_Click()
{
    const QString what = txtSearch->text();
    if (what.isEmpty()) {
        ui::MsgBox(this, tr("Please enter a value before searching"), tr("Empty Search"));
        return;
    }
    if (const auto match = m_state.search(m_pad.Text(), what))
        selectMatch(m_pad, match->start, match->length);
    else
        ui::MsgBox(this, tr("Search string not found."));
    accept();
}

} // namespace jw
