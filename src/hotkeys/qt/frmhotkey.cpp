#include "hotkeys/qt/frmhotkey.h"

#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <iterator>

namespace jw {

namespace {

// Keys that keep their usual meaning in the field: a hot key needs Alt, Ctrl
// or the logo key, so none of these alone can be one.
bool passesThrough(const QKeyEvent &event)
{
    static const Qt::Key keys[] = {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape, Qt::Key_Tab, Qt::Key_Backtab};
    const bool plain = !(event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
    return plain && std::find(std::begin(keys), std::end(keys), event.key()) != std::end(keys);
}

// A combination is taken when its key goes down (a key sequence editor would
// wait a second for more keys, and take Enter as one of them).
class KeyField final : public QLineEdit {
public:
    KeyField(std::function<void(const QKeySequence &)> chosen, QWidget *parent)
        : QLineEdit(parent), m_chosen(std::move(chosen))
    {
        setReadOnly(true);
    }

protected:
    bool event(QEvent *event) override
    {
        // The window's own shortcuts and access keys do not fire while a combination is typed.
        if (event->type() == QEvent::ShortcutOverride && !passesThrough(*static_cast<QKeyEvent *>(event))) {
            event->accept();
            return true;
        }
        return QLineEdit::event(event);
    }
    void keyPressEvent(QKeyEvent *event) override
    {
        const int key = event->key();
        const bool modifierAlone = key == Qt::Key_Control || key == Qt::Key_Shift || key == Qt::Key_Alt
                                   || key == Qt::Key_Meta || key == Qt::Key_AltGr || key == Qt::Key_unknown;
        if (passesThrough(*event)) {
            event->ignore();
        } else if (!modifierAlone) {
            m_chosen(QKeySequence(QKeyCombination(event->modifiers() & ~Qt::KeypadModifier, Qt::Key(key))));
        }
    }

private:
    std::function<void(const QKeySequence &)> m_chosen;
};

} // namespace

frmHotKey::frmHotKey(QWidget *owner, const QKeySequence &current, Apply apply)
    : QDialog(owner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      m_apply(std::move(apply))
{
    setWindowTitle(tr("Hot Key"));
    auto *layout = new QVBoxLayout(this);
    auto *prompt = new QLabel(tr("Press the keys that show and hide the pad from any program:"), this);
    prompt->setWordWrap(true);
    layout->addWidget(prompt);
    txtKeys = new KeyField([this](const QKeySequence &keys) { choose(keys); }, this);
    txtKeys->setObjectName(QStringLiteral("txtKeys"));
    prompt->setBuddy(txtKeys);
    txtKeys->setAccessibleName(tr("Hot key"));
    txtKeys->setAccessibleDescription(
        tr("Press the new combination here; it is taken as soon as its last key goes down"));
    layout->addWidget(txtKeys);
    lblProblem = new QLabel(this);
    lblProblem->setObjectName(QStringLiteral("lblProblem"));
    lblProblem->setWordWrap(true);
    layout->addWidget(lblProblem);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    QPushButton *standard = buttons->addButton(tr("&Alt+V"), QDialogButtonBox::ResetRole);
    standard->setObjectName(QStringLiteral("cmdStandard"));
    standard->setAutoDefault(false);
    standard->setAccessibleDescription(tr("Chooses the standard hot key, Alt+V"));
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(standard, &QPushButton::clicked, this, [this] { choose(QKeySequence(Qt::ALT | Qt::Key_V)); });
    connect(buttons, &QDialogButtonBox::accepted, this, &frmHotKey::cmdOK_Click);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    choose(current);
    txtKeys->setFocus();
}

void frmHotKey::choose(const QKeySequence &keys)
{
    m_keys = keys;
    txtKeys->setText(keys.toString(QKeySequence::NativeText));
    lblProblem->clear();
}

void frmHotKey::cmdOK_Click()
{
    const QString problem = m_apply(m_keys);
    lblProblem->setText(problem);
    if (problem.isEmpty())
        accept();
}

} // namespace jw
