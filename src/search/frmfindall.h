#pragma once

#include "search/matcher.h"
#include "search/pagesearch.h"
#include "search/resultsmodel.h"
#include "search/searcher.h"

#include <QTimer>
#include <QWidget>

#include <functional>
#include <optional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QListView;

namespace jw::search {

/// The panel of Find in All Pages: a box whose text is looked for in every
/// page as the user types (after a short pause, off the user-interface
/// thread), the two options, and the hits by page. A tool window beside the
/// main window, above it like the pad's other small windows; the keys work
/// from the box: Up and Down choose a hit, Enter opens it, Esc closes.
class frmFindAll final : public QWidget {
    Q_OBJECT

public:
    /// What a search needs from the pad besides the query and the options:
    /// the page folder, the tabs, and the shown page's title and text.
    using Pages = std::function<SearchRequest()>;

    frmFindAll(QWidget *owner, Pages pages);

    QLineEdit *txtFind = nullptr;
    QCheckBox *chkMatchCase = nullptr;
    QCheckBox *chkWholeWords = nullptr;
    QListView *lstResults = nullptr;
    QLabel *lblStatus = nullptr;

    /// Shows the panel beside its owner, the keyboard in the box with its
    /// text selected; the results are looked for afresh.
    void Form_Load();
    /// Starts the search now instead of after the pause.
    void searchNow();
    /// Searches again after the pages changed, keeping the hit of page
    /// `title` at `start` (or the next one there) chosen.
    void searchAgain(const QString &title, qsizetype start);
    /// Opens the hit `step` hits after the chosen one (before it when
    /// negative), across pages; says so when there is none.
    void goToHit(int step);
    /// Opens the chosen hit, or the first one once it is found.
    void openChosen();

    /// True while a search waits for the pause to end or runs.
    bool searching() const { return m_pause.isActive() || m_searcher.busy(); }
    /// The rule of the search whose hits are listed; none before the first.
    const Matcher *searchedFor() const { return m_searched ? &*m_searched : nullptr; }
    ResultsModel &results() { return m_results; }
    Searcher &searcher() { return m_searcher; }
    /// The pause after a keystroke before the search starts, in milliseconds.
    static constexpr int kPause = 200;

Q_SIGNALS:
    /// The user opens `hit` on `page`.
    void hitChosen(const jw::search::PageHits &page, jw::search::Hit hit);
    /// A search started or the list was emptied: searchedFor() changed.
    void searchStarted();
    /// The panel was closed (Esc or its close box).
    void closed();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void buildControls();
    void changed();
    void pageFound(const PageHits &page);
    /// Lists the pages that arrived since the last turn of the event loop.
    void listArrived();
    void finished(const SearchSummary &summary);
    /// Makes `ref` the chosen hit and scrolls it into view.
    void choose(const ResultsModel::HitRef &ref);
    std::optional<ResultsModel::HitRef> chosen() const;

    QWidget *m_owner;
    Pages m_pages;
    Searcher m_searcher;
    ResultsModel m_results;
    QTimer m_pause;
    QTimer m_list; ///< runs listArrived() once the pages that came at once are in
    std::vector<PageHits> m_arrived;
    std::optional<Matcher> m_searched;
    std::optional<std::pair<QString, qsizetype>> m_keep; ///< the hit searchAgain() keeps
    bool m_openFirst = false;                            ///< Enter came before the first hit
    bool m_hiddenWithOwner = false;                      ///< to come back when the main window does
};

} // namespace jw::search
