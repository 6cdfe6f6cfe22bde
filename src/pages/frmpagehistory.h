#pragma once

#include "pages/pagehistory.h"

#include <QDialog>

#include <atomic>
#include <functional>
#include <thread>

class QLabel;
class QPushButton;
class QTextEdit;
class QTreeWidget;

namespace jw {

/// "Page History": the versions of one page, newest first, with their time,
/// kind, size and the words added and removed since (counted on a worker
/// thread, so a long history lists at once); a read-only preview of the
/// chosen version with its formatting and the differences from the page now
/// marked; "Restore This Version" hands the version to the caller.
class frmPageHistory final : public QDialog {
    Q_OBJECT

public:
    /// Puts `version` back into its page; false when it could not (the dialog stays).
    using Restore = std::function<bool(const rtf::Document &version)>;

    frmPageHistory(QWidget *owner, const QString &title, QList<PageHistory::Version> versions, rtf::Document now,
                   Restore restore);
    ~frmPageHistory() override;

    void cmdRestore_Click();

    /// The text shown for a kind of version.
    static QString kindText(PageHistory::Reason reason);
    /// Whether the word counts of every version are in the list.
    bool countsDone() const { return m_counted == m_versions.size(); }

    QTreeWidget *lstVersions = nullptr;
    QTextEdit *txtPreview = nullptr;
    QLabel *lblLegend = nullptr;
    QPushButton *cmdRestore = nullptr;
    QPushButton *cmdClose = nullptr;

private:
    void fillList();
    void showVersion();
    void countWords();
    void counted(qsizetype row, int added, int removed);

    QList<PageHistory::Version> m_versions;
    rtf::Document m_now;
    Restore m_restore;
    qsizetype m_counted = 0;
    std::atomic<bool> m_stop{false};
    std::thread m_counter;
};

} // namespace jw
