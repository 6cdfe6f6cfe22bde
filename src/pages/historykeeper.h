#pragma once

#include "pages/pagehistory.h"

#include <QDateTime>
#include <QObject>
#include <QThreadPool>

#include <atomic>
#include <functional>
#include <memory>

namespace jw {

/// Keeps versions in the page history without holding up the pad: a
/// replaced file is hard-linked at once (one system call) or held open and
/// copied on a worker thread; everything else (writing a page, dropping a
/// repeated version, thinning) runs on that worker, one task at a time and
/// in order. A failure is logged, and said once through the failure handler
/// on the thread that made the keeper; it never reaches the save.
class HistoryKeeper final {
public:
    /// Versions of the pages in `pagesFolder`, kept in `history`.
    HistoryKeeper(PageHistory history, QString pagesFolder);
    /// Waits for the worker's tasks.
    ~HistoryKeeper();

    const PageHistory &history() const { return m_history; }
    const QString &pagesFolder() const { return m_pagesFolder; }

    /// `path`, the version of `title` that a save replaced by rename, is
    /// about to be removed: linked now, or opened now and copied later.
    void replaced(const QString &title, const QString &path, PageHistory::Reason reason = PageHistory::Reason::Saved);
    /// `path` holds the version of `title` that stays where it is (a page
    /// renamed or removed): copied on the worker from a handle opened now.
    void keepCopy(const QString &title, const QString &path, PageHistory::Reason reason);
    /// Keeps `page` as a version of `title` written now.
    void keepPage(const QString &title, const rtf::Document &page, PageHistory::Reason reason);

    /// Thins the history on the worker, at most once every ten minutes.
    /// `typing` set stops it between pages.
    void thinSoon(qint64 sizeLimit);
    void setTyping(bool typing) { m_typing = typing; }

    /// Waits until every task given so far has run.
    void waitIdle();

    /// Called once per run, with the reason, after the first failure.
    void setFailureHandler(std::function<void(const QString &reason)> handler);

private:
    void run(std::function<void()> task);
    void copyLater(const QString &title, const QString &path, PageHistory::Reason reason);
    void failed(const QString &reason);

    PageHistory m_history;
    QString m_pagesFolder;
    QObject m_home; ///< the thread the failure handler runs on
    std::function<void(const QString &)> m_onFailure;
    std::atomic<bool> m_told{false};
    std::atomic<bool> m_typing{false};
    QDateTime m_lastThin;
    QThreadPool m_worker;
};

} // namespace jw
