#include "hotkeys/qt/frmhotkey.h"

#include <QDialogButtonBox>
#include <QKeySequenceEdit>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace jw {

frmHotKey::frmHotKey(QWidget *owner, const QKeySequence &current, Apply apply)
    : QDialog(owner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      m_apply(std::move(apply))
{
    setWindowTitle(QStringLiteral("Hot Key"));
    auto *layout = new QVBoxLayout(this);
    auto *prompt = new QLabel(QStringLiteral("Press the keys that show and hide the pad from any program:"), this);
    prompt->setWordWrap(true);
    layout->addWidget(prompt);
    txtKeys = new QKeySequenceEdit(current, this);
    layout->addWidget(txtKeys);
    lblProblem = new QLabel(this);
    lblProblem->setWordWrap(true);
    layout->addWidget(lblProblem);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    QPushButton *standard = buttons->addButton(QStringLiteral("&Alt+V"), QDialogButtonBox::ResetRole);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    // One combination is a hot key (the editor would wait for up to four);
    // Enter then confirms it.
    QPushButton *ok = buttons->button(QDialogButtonBox::Ok);
    ok->setDefault(true);
    connect(txtKeys, &QKeySequenceEdit::keySequenceChanged, this, [this, ok](const QKeySequence &keys) {
        if (keys.count() > 1)
            txtKeys->setKeySequence(QKeySequence(keys[0]));
        else if (!keys.isEmpty())
            ok->setFocus();
    });
    connect(standard, &QPushButton::clicked, this,
            [this] { txtKeys->setKeySequence(QKeySequence(Qt::ALT | Qt::Key_V)); });
    connect(buttons, &QDialogButtonBox::accepted, this, &frmHotKey::cmdOK_Click);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    txtKeys->setFocus();
}

void frmHotKey::cmdOK_Click()
{
    const QString problem = m_apply(txtKeys->keySequence());
    lblProblem->setText(problem);
    if (problem.isEmpty())
        accept();
}

} // namespace jw
