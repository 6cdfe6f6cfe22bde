#pragma once

#include <QDialog>
#include <QKeySequence>

#include <functional>

class QKeySequenceEdit;
class QLabel;

namespace jw {

/// Edit > Hot Key...: the combination that shows and hides the pad from any
/// program. OK hands the new one to `apply`, which registers it and returns
/// why it could not (empty: done); the dialog stays open with the reason.
class frmHotKey final : public QDialog {
    Q_OBJECT

public:
    using Apply = std::function<QString(const QKeySequence &)>;

    frmHotKey(QWidget *owner, const QKeySequence &current, Apply apply);

    QKeySequenceEdit *txtKeys = nullptr;
    QLabel *lblProblem = nullptr;

    void cmdOK_Click();

private:
    Apply m_apply;
};

} // namespace jw
