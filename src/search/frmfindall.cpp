#include "search/frmfindall.h"

#include "search/hitdelegate.h"
#include "ui/dialogplacement.h"
#include "ui/twips.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QVBoxLayout>

#include <algorithm>

namespace jw::search {

frmFindAll::frmFindAll(QWidget *owner, Pages pages)
    : QWidget(owner, Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint),
      m_owner(owner), m_pages(std::move(pages))
{
    setObjectName(QStringLiteral("frmFindAll"));
    setWindowTitle(tr("Find in All Pages"));
    buildControls();
    ui::setClientSizeTwips(this, 4800, 4335);
    if (m_owner)
        m_owner->installEventFilter(this);

    m_pause.setInterval(kPause); // searchNow stops it: one search per pause
    connect(&m_pause, &QTimer::timeout, this, &frmFindAll::searchNow);
    m_list.setInterval(0); // listArrived stops it: hits are listed once per turn of the event loop
    connect(&m_list, &QTimer::timeout, this, &frmFindAll::listArrived);
    connect(txtFind, &QLineEdit::textChanged, this, &frmFindAll::changed);
    connect(chkMatchCase, &QCheckBox::toggled, this, &frmFindAll::changed);
    connect(chkWholeWords, &QCheckBox::toggled, this, &frmFindAll::changed);
    connect(&m_searcher, &Searcher::pageFound, this, &frmFindAll::pageFound);
    connect(&m_searcher, &Searcher::finished, this, &frmFindAll::finished);
    connect(lstResults, &QListView::doubleClicked, this, [this](const QModelIndex &index) {
        if (m_results.hitAt(index.row()))
            openChosen();
    });
    // F3 and Shift+F3 work here as they do in the main window.
    for (const auto &[keys, step] :
         {std::pair(QKeySequence(Qt::Key_F3), 1), std::pair(QKeySequence(Qt::SHIFT | Qt::Key_F3), -1)}) {
        auto *action = new QAction(this);
        action->setShortcut(keys);
        connect(action, &QAction::triggered, this, [this, step = step] { goToHit(step); });
        addAction(action);
    }
}

void frmFindAll::buildControls()
{
    // Made in Tab order.
    txtFind = new QLineEdit(this);
    txtFind->setObjectName(QStringLiteral("txtFind"));
    txtFind->setPlaceholderText(tr("Find in all pages"));
    txtFind->setClearButtonEnabled(true);
    // A placeholder is no name for a screen reader once the box holds text.
    txtFind->setAccessibleName(tr("Find in all pages"));
    chkMatchCase = new QCheckBox(tr("Match case"), this);
    chkMatchCase->setObjectName(QStringLiteral("chkMatchCase"));
    chkWholeWords = new QCheckBox(tr("Whole words"), this);
    chkWholeWords->setObjectName(QStringLiteral("chkWholeWords"));
    lstResults = new QListView(this);
    lstResults->setObjectName(QStringLiteral("lstResults"));
    lstResults->setModel(&m_results);
    lstResults->setItemDelegate(new HitDelegate(lstResults));
    lstResults->setUniformItemSizes(true);
    lstResults->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lstResults->setAccessibleName(tr("Hits"));
    lstResults->setAccessibleDescription(tr("The hits grouped by page; Enter opens the chosen one"));
    lblStatus = new QLabel(this);
    lblStatus->setObjectName(QStringLiteral("lblStatus"));

    auto *options = new QHBoxLayout;
    options->addWidget(chkMatchCase);
    options->addWidget(chkWholeWords);
    options->addStretch();
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setSpacing(4);
    layout->addWidget(txtFind);
    layout->addLayout(options);
    layout->addWidget(lstResults, 1);
    layout->addWidget(lblStatus);
    txtFind->installEventFilter(this);
    lstResults->installEventFilter(this);
}

void frmFindAll::Form_Load()
{
    if (!isVisible()) {
        if (m_owner)
            ui::applyDialogPlacement(this, m_owner);
        show();
        // The pages are read while the user types, so the first search finds them read.
        if (txtFind->text().isEmpty())
            m_searcher.readAhead(m_pages());
    }
    raise();
    activateWindow();
    txtFind->setFocus();
    txtFind->selectAll();
    // The pages may have changed since the panel was last open.
    if (!txtFind->text().isEmpty())
        searchNow();
}

void frmFindAll::changed()
{
    // The search under way is of no use any more; the next starts after the pause.
    m_searcher.cancel();
    m_pause.start();
}

void frmFindAll::searchNow()
{
    m_pause.stop();
    m_list.stop();
    m_arrived.clear();
    m_results.clear();
    m_searched.reset();
    m_keep.reset();
    if (txtFind->text().isEmpty()) {
        m_searcher.cancel();
        lblStatus->clear();
        Q_EMIT searchStarted();
        return;
    }
    SearchRequest request = m_pages();
    request.query = txtFind->text();
    request.options = {chkMatchCase->isChecked(), chkWholeWords->isChecked()};
    m_searched.emplace(request.query, request.options);
    m_searcher.start(std::move(request));
    lblStatus->setText(tr("Searching…"));
    Q_EMIT searchStarted();
}

void frmFindAll::searchAgain(const QString &title, qsizetype start)
{
    searchNow();
    m_keep.emplace(title, start);
}

void frmFindAll::pageFound(const PageHits &page)
{
    m_arrived.push_back(page);
    m_list.start();
}

void frmFindAll::listArrived()
{
    m_list.stop();
    const int first = int(m_results.pages().size());
    m_results.addPages(std::exchange(m_arrived, {}));
    for (int index = first; index < int(m_results.pages().size()); ++index) {
        const PageHits &page = m_results.pages()[std::size_t(index)];
        if (m_keep && page.title == m_keep->first) {
            const auto at = std::find_if(page.hits.begin(), page.hits.end(),
                                         [&](const Hit &h) { return h.start >= m_keep->second; });
            if (at != page.hits.end())
                choose({index, int(at - page.hits.begin())});
            m_keep.reset();
        }
        if (page.hits.empty() || chosen())
            continue;
        // The first hit is chosen at once, so Enter opens it.
        choose({index, 0});
        if (std::exchange(m_openFirst, false))
            openChosen();
    }
}

void frmFindAll::finished(const SearchSummary &summary)
{
    listArrived();
    m_openFirst = false;
    m_keep.reset();
    QString text = summary.hits == 0   ? tr("No hits.")
                   : summary.hits == 1 ? tr("1 hit.")
                   : summary.pagesWithHits == 1
                       ? tr("%1 hits on 1 page.").arg(summary.hits)
                       : tr("%1 hits on %2 pages.").arg(summary.hits).arg(summary.pagesWithHits);
    if (summary.unreadable > 0)
        text += QLatin1Char(' ') + tr("Pages that cannot be read: %1.").arg(summary.unreadable);
    lblStatus->setText(text);
}

std::optional<ResultsModel::HitRef> frmFindAll::chosen() const
{
    return m_results.hitAt(lstResults->currentIndex().row());
}

void frmFindAll::choose(const ResultsModel::HitRef &ref)
{
    const QModelIndex index = m_results.index(m_results.rowOf(ref));
    lstResults->setCurrentIndex(index);
    lstResults->scrollTo(index);
}

void frmFindAll::openChosen()
{
    if (m_pause.isActive()) {
        // Enter before the pause ended: search now, open the first hit when it comes.
        searchNow();
        m_openFirst = true;
        return;
    }
    if (const auto ref = chosen())
        Q_EMIT hitChosen(m_results.page(*ref), m_results.hit(*ref));
    else
        m_openFirst = m_searcher.busy();
}

void frmFindAll::goToHit(int step)
{
    const auto next = m_results.step(chosen(), step);
    if (!next) {
        lblStatus->setText(m_results.hitCount() == 0 ? tr("No hits.")
                           : step > 0                ? tr("No more hits after this one.")
                                                     : tr("No hits before this one."));
        return;
    }
    choose(*next);
    Q_EMIT hitChosen(m_results.page(*next), m_results.hit(*next));
}

bool frmFindAll::eventFilter(QObject *watched, QEvent *event)
{
    // The panel works on the main window: it goes when that is shrunk or
    // hidden, and comes back with it.
    if (watched == m_owner && event->type() == QEvent::Hide && isVisible()) {
        m_hiddenWithOwner = true;
        hide();
    } else if (watched == m_owner && event->type() == QEvent::Show && std::exchange(m_hiddenWithOwner, false)) {
        show();
    }
    if (event->type() == QEvent::KeyPress && (watched == txtFind || watched == lstResults)) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            openChosen();
            return true;
        }
        if ((key->key() == Qt::Key_Down || key->key() == Qt::Key_Up) && key->modifiers() == Qt::NoModifier) {
            // Up and Down go from hit to hit, over the pages' headings.
            if (const auto next = m_results.step(chosen(), key->key() == Qt::Key_Down ? 1 : -1))
                choose(*next);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void frmFindAll::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void frmFindAll::closeEvent(QCloseEvent *event)
{
    m_pause.stop();
    m_searcher.cancel();
    // The pages' texts are read again when the panel opens: they may change meanwhile.
    m_searcher.cache().clear();
    QWidget::closeEvent(event);
    Q_EMIT closed();
}

} // namespace jw::search
