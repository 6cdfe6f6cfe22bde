#pragma once

#include <QDialog>
#include <QKeySequence>

#include <functional>

class QLabel;
class QLineEdit;

namespace jw {

/// Edit > Hot Key...: the combination that shows and hides the pad from any
/// program. OK hands the new one to `apply`, which registers it and returns
/// why it could not (empty: done); the dialog stays open with the reason.
/// The key field ("txtKeys") takes one combination as soon as its key goes
/// down, so Enter right after it confirms; Tab leaves it for the buttons.
class frmHotKey final : public QDialog {
    Q_OBJECT

public:
    using Apply = std::function<QString(const QKeySequence &)>;

    frmHotKey(QWidget *owner, const QKeySequence &current, Apply apply);

    /// The combination in the key field.
    QKeySequence keys() const { return m_keys; }

    void cmdOK_Click();

private:
    void choose(const QKeySequence &keys);

    Apply m_apply;
    QKeySequence m_keys;
    QLineEdit *txtKeys = nullptr;
    QLabel *lblProblem = nullptr;
};

} // namespace jw
