#include "search/findallcommands.h"

#include "pages/pagefiles.h"
#include "pages/pagelist.h"
#include "search/frmfindall.h"
#include "ui/decorations.h"
#include "ui/feature.h"
#include "ui/messagebox.h"
#include "ui/richtextedit.h"

#include <QTextCursor>
#include <QTextDocument>

namespace jw::search {

namespace {

/// The hit on `text` nearest to `hit` at or after its place, else the last
/// one before it: where a hit went when the page changed since the search.
std::optional<Hit> hitNear(const Matcher &matcher, QStringView text, Hit hit)
{
    if (matcher.matchesAt(text, hit))
        return hit;
    const std::vector<Hit> hits = matcher.findAll(text);
    const auto after = std::find_if(hits.begin(), hits.end(), [&](const Hit &h) { return h.start >= hit.start; });
    if (after != hits.end())
        return *after;
    return hits.empty() ? std::nullopt : std::optional(hits.back());
}

} // namespace

FindAllCommands::FindAllCommands(const ui::FeatureContext &context, PageList &pages, const PageFiles &files,
                                 QObject *parent)
    : QObject(parent), m_pad(context.editor), m_page(context.page), m_host(context.host), m_pages(pages), m_files(files)
{
    QAction *find = ui::addCommand(context.commands, this, "mnuFindAll", tr("&Find in All Pages..."),
                                   QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F), &FindAllCommands::mnuFindAll_Click,
                                   ui::Place::EditFindAll);
    // Ctrl+F too: the key users of every other editor press.
    find->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F), QKeySequence(Qt::CTRL | Qt::Key_F)});
    for (const auto &[name, keys, step] :
         {std::tuple("mnuFindAllNext", QKeySequence(Qt::Key_F3), 1),
          std::tuple("mnuFindAllPrevious", QKeySequence(Qt::SHIFT | Qt::Key_F3), -1)}) {
        QAction *action = ui::newAction(this, name, {}, keys);
        connect(action, &QAction::triggered, this, [this, step = step] { goToHit(step); });
        // Keys outside the menus work in the window that holds them.
        if (QWidget *window = m_host.toolOwner())
            window->addAction(action);
        context.commands.addKeys(action);
    }
}

FindAllCommands::~FindAllCommands() { delete m_panel; }

frmFindAll &FindAllCommands::ensurePanel()
{
    if (m_panel)
        return *m_panel;
    m_panel = new frmFindAll(m_host.toolOwner(), [this] {
        SearchRequest request;
        request.files = m_files;
        request.tabs = m_page.titles();
        request.shownTitle = m_page.title();
        // A copy of the editor's text (shared until the editor changes it) for the worker.
        request.shownText = m_pad.Text();
        return request;
    });
    connect(m_panel, &frmFindAll::hitChosen, this, &FindAllCommands::openHit);
    connect(m_panel, &frmFindAll::closed, this, &FindAllCommands::panelClosed);
    connect(m_panel, &frmFindAll::searchStarted, this, [this] { m_pad.decorations().refresh(); });
    return *m_panel;
}

void FindAllCommands::mnuFindAll_Click()
{
    frmFindAll &panel = ensurePanel();
    if (m_marks == 0)
        m_marks = m_pad.decorations().addProvider([this](int from, int to) { return marks(from, to); });
    panel.Form_Load();
}

void FindAllCommands::goToHit(int step)
{
    if (!m_panel || m_panel->results().hitCount() == 0)
        mnuFindAll_Click();
    else
        m_panel->goToHit(step);
}

void FindAllCommands::panelClosed()
{
    if (m_marks != 0)
        m_pad.decorations().removeProvider(std::exchange(m_marks, 0));
    // The keyboard goes back to the page.
    if (QWidget *window = m_host.toolOwner(); window && window->isVisible()) {
        window->activateWindow();
        m_pad.setFocus();
    }
}

bool FindAllCommands::restore(const QString &title)
{
    QWidget *owner = m_panel ? static_cast<QWidget *>(m_panel) : m_host.toolOwner();
    if (!ui::AskBox(owner, tr("The page \"%1\" was removed. Restore it as the last tab to open this hit?").arg(title),
                    tr("&Restore"), tr("Cancel")))
        return false;
    const QString current = m_page.title();
    const PageResult result = m_pages.add(title, m_page.titles());
    if (!result.done()) {
        ui::MsgBox(owner, result.message, result.caption.isEmpty() ? QStringLiteral("Jotwell Pro") : result.caption);
        return false;
    }
    m_page.showTitles(result.titles, current);
    return true;
}

void FindAllCommands::openHit(const PageHits &page, Hit hit)
{
    if (page.removed && !restore(page.title))
        return;
    if (page.title != m_page.title() && !m_page.switchTo(page.title))
        return;
    const Matcher *matcher = m_panel ? m_panel->searchedFor() : nullptr;
    const std::optional<Hit> found = matcher ? hitNear(*matcher, m_pad.Text(), hit) : std::optional(hit);
    if (found) {
        m_pad.setSelStart(int(found->start));
        m_pad.setSelLength(int(found->length));
        m_pad.ensureCursorVisible();
    }
    if (QWidget *window = m_host.toolOwner()) {
        window->activateWindow();
        window->raise();
    }
    m_pad.setFocus();
    // A restored page is a tab now, and a changed page has other hits: list them afresh.
    if (m_panel && (page.removed || !found || *found != hit))
        m_panel->searchAgain(page.title, found ? found->start : hit.start);
}

QList<QTextEdit::ExtraSelection> FindAllCommands::marks(int from, int to) const
{
    QList<QTextEdit::ExtraSelection> list;
    const Matcher *matcher = m_panel ? m_panel->searchedFor() : nullptr;
    if (!matcher || matcher->isEmpty())
        return list;
    // A little more than the range, for hits across its edges and the words around them.
    QTextDocument *document = m_pad.document();
    const int margin = int(matcher->query().size()) + 32;
    const int start = std::max(0, from - margin);
    const int end = std::min(document->characterCount() - 1, to + margin);
    QTextCursor range(document);
    range.setPosition(start);
    range.setPosition(end, QTextCursor::KeepAnchor);
    // Raw document text: one unit per position, so offsets are positions.
    const QString text = range.selectedText();
    QTextCharFormat marked;
    marked.setBackground(QColor(255, 226, 110));
    for (const Hit &hit : matcher->findAll(text)) {
        if (start + hit.start + hit.length <= from || start + hit.start >= to)
            continue;
        QTextEdit::ExtraSelection mark{QTextCursor(document), marked};
        mark.cursor.setPosition(start + int(hit.start));
        mark.cursor.setPosition(start + int(hit.start + hit.length), QTextCursor::KeepAnchor);
        list.append(mark);
    }
    return list;
}

} // namespace jw::search
