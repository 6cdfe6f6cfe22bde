#pragma once

#include "pages/pageexport.h"

#include <QObject>
#include <QString>

namespace jw {

namespace ui {
struct FeatureContext;
class ICurrentPage;
class IHostWindow;
class RichTextEdit;
} // namespace ui

/// Print and Save As of the File menu: the page shown, on paper or in a
/// rich text file of the user's choice.
class PrintExportCommands final : public QObject {
    Q_OBJECT

public:
    explicit PrintExportCommands(const ui::FeatureContext &context, QObject *parent = nullptr);

    /// How Save As treats the pages' own files (see exportPage).
    void setPageFileGuard(PageFileGuard guard) { m_guard = std::move(guard); }

    void mnuPrint_Click();
    void mnuSaveAs_Click();

private:
    ui::RichTextEdit &m_pad;
    ui::IHostWindow &m_host;
    ui::ICurrentPage &m_page;
    /// The file chosen by the last Save As of this run; the dialog opens with it.
    QString sSaveAsName;
    PageFileGuard m_guard;
};

} // namespace jw
