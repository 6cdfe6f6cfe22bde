#pragma once

#include "pages/pageexport.h"
#include "pages/pageversions.h"

#include <QObject>
#include <QTimer>

namespace jw {

class HistoryKeeper;
class RecoveryJournal;
class SettingsStore;

namespace ui {
struct FeatureContext;
class ICurrentPage;
class IHostWindow;
class RichTextEdit;
} // namespace ui

/// Edit > Page History: the current page's versions, and restoring one;
/// the page history's part in renames, removals and Save As; thinning the
/// history once typing rests; telling the user once when it cannot be kept.
class PageHistoryCommands final : public QObject, public IPageVersions {
    Q_OBJECT

public:
    /// `keeper` and `journal` outlive the feature.
    PageHistoryCommands(const ui::FeatureContext &context, HistoryKeeper &keeper, const RecoveryJournal &journal,
                        QObject *parent = nullptr);
    ~PageHistoryCommands() override;

    void mnuPageHistory_Click();
    /// The page shown is about to be replaced by its file's new version,
    /// written elsewhere: what it showed is kept first.
    void beforeReload();
    /// What Save As needs to keep a page's file it would replace.
    PageFileGuard saveAsGuard();

    // IPageVersions
    void keepLeaving(const QString &title, const QString &path, PageHistory::Reason reason) override;
    QList<PageHistory::Page> pagesWithHistory() const override;
    void browse(QWidget *owner, const QString &title, const rtf::Document &now,
                const std::function<bool(const rtf::Document &)> &restore) override;
    void restoreIntoEditor(const rtf::Document &version) override;

private:
    /// The page whose file `path` is, among the tabs; empty when none.
    QString pageOf(const QString &path) const;
    qint64 sizeLimit() const;

    ui::RichTextEdit &m_pad;
    ui::ICurrentPage &m_page;
    ui::IHostWindow &m_host;
    SettingsStore &m_settings;
    HistoryKeeper &m_keeper;
    const RecoveryJournal &m_journal;
    QTimer m_rest; ///< thinning waits until typing has rested this long
};

} // namespace jw
