#pragma once

#include "pages/pagelist.h"
#include "ui/tooldialog.h"

#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;

namespace jw {

/// The "Rename Tab" dialog: asks for the current page's new title.
class frmRenameTab final : public ui::ToolDialog {
    Q_OBJECT

public:
    /// The rename operation for a typed title; the window behind it shows the result.
    using RenamePage = std::function<PageResult(const QString &sNew)>;

    /// `page` is the title being renamed, shown above the name box.
    frmRenameTab(QWidget *owner, const QString &page, RenamePage rename);

    void Form_Load();
    /// Enter (key code 13) in the name box renames; other keys are the box's own.
    bool txtName_KeyDown(int keyCode, Qt::KeyboardModifiers shift);
    /// The rename operation. A refused name leaves the dialog open and changes nothing.
    void cmdRename_Click();
    /// Closes the dialog; nothing changes.
    void cmdCancel_Click();

    QLabel *lblPage = nullptr;
    QLabel *Label1 = nullptr;
    QLineEdit *txtName = nullptr;
    QPushButton *cmdCancel = nullptr;
    QPushButton *cmdRename = nullptr;

protected:
    bool textBoxKeyDown(int keyCode, Qt::KeyboardModifiers shift) override { return txtName_KeyDown(keyCode, shift); }

private:
    RenamePage m_rename;
};

} // namespace jw
