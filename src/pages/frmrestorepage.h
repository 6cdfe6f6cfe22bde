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

    void cmdRestore_Click();

    QListWidget *lstPages = nullptr;
    QPushButton *cmdRestore = nullptr;
    QPushButton *cmdCancel = nullptr;

protected:
    bool textBoxKeyDown(int, Qt::KeyboardModifiers) override { return false; }

private:
    AddPage m_add;
};

} // namespace jw
