#pragma once

#include "pages/pagelist.h"
#include "ui/tooldialog.h"

#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;

namespace jw {

/// The "Add Tab" dialog: asks for the title of a new page. Created by the
/// Edit menu, shown modally, destroyed when closed.
class frmAddTab final : public ui::ToolDialog {
    Q_OBJECT

public:
    /// The add operation for a typed title; the window behind it shows the result.
    using AddPage = std::function<PageResult(const QString &sTitle)>;

    frmAddTab(QWidget *owner, AddPage add);

    /// Places the dialog beside the main window and on top of the desktop.
    void Form_Load();
    /// Enter (key code 13) in the title box adds the page; other keys are the box's own.
    bool txtTitle_KeyDown(int keyCode, Qt::KeyboardModifiers shift);
    /// The add operation. A refused title leaves the dialog open and changes nothing.
    void cmdAdd_Click();
    /// Closes the dialog; nothing is stored.
    void cmdCancel_Click();

    QLabel *Label1 = nullptr;
    QLineEdit *txtTitle = nullptr;
    QPushButton *cmdAdd = nullptr;
    QPushButton *cmdCancel = nullptr;

protected:
    bool textBoxKeyDown(int keyCode, Qt::KeyboardModifiers shift) override { return txtTitle_KeyDown(keyCode, shift); }

private:
    AddPage m_add;
};

/// Shows what a page operation gave in a message box; true when it was done.
bool showPageResult(QWidget *parent, const PageResult &result);

} // namespace jw
