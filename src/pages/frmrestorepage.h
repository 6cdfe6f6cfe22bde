#pragma once

#include "pages/pagelist.h"
#include "ui/tooldialog.h"

#include <functional>

class QListWidget;
class QPushButton;

namespace jw {

/// "Restore Removed Page...": lists the page files that are in no tab,
/// newest first with their date, and adds the chosen one back as the last tab.
class frmRestorePage final : public ui::ToolDialog {
    Q_OBJECT

public:
    using AddPage = std::function<PageResult(const QString &sTitle)>;

    frmRestorePage(QWidget *owner, const QList<StoredPage> &pages, AddPage add);

    /// Shows a page's history; true when a version brought the page back.
    using ShowHistory = std::function<bool(const QString &sTitle)>;
    /// Adds "History...", which opens the chosen page's history.
    void setShowHistory(ShowHistory show);

    void cmdRestore_Click();
    void cmdHistory_Click();

    QListWidget *lstPages = nullptr;
    QPushButton *cmdRestore = nullptr;
    QPushButton *cmdCancel = nullptr;
    QPushButton *cmdHistory = nullptr;

protected:
    bool textBoxKeyDown(int, Qt::KeyboardModifiers) override { return false; }

private:
    AddPage m_add;
    ShowHistory m_showHistory;
};

} // namespace jw
