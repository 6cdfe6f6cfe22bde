#include "ui/richtextedit.h"

#include "richtext/rtffile.h"
#include "ui/decorations.h"
#include "ui/pagelayout.h"
#include "ui/paragraphjoins.h"
#include "ui/textmodel.h"

#include <QAbstractTextDocumentLayout>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QMimeData>
#include <QPointer>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QWheelEvent>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

#include <algorithm>
#include <cmath>
#include <functional>
#include <unordered_map>

namespace jw::ui {

namespace {

using jw::rtf::CharFormat;
using jw::rtf::Document;
using namespace jw::ui::textmodel;

// A page up to this many characters goes in at once; a bigger one shows a
// screenful first and the rest between events, in slices short enough to
// keep keys within a frame.
constexpr std::size_t kAtOnce = std::size_t(64) * 1024;
constexpr std::size_t kStep = std::size_t(4) * 1024;
constexpr int kSliceMs = 4;
// After a key or a wheel turn the rest waits this long: the key's repaint and
// the user's next key come before another slice.
constexpr int kHoldMs = 32;
// Square pixels per character, well below a small font's: a screenful errs long.
constexpr qint64 kCharArea = 40;

/// Gives the heap's free pages back to the system: a big page goes in and out
/// in many small pieces, and glibc keeps what they leave (tens of MiB).
void releaseFreedMemory()
{
#if defined(__GLIBC__)
    malloc_trim(0);
#endif
}

QString toPlain(QString s)
{
    for (QChar &c : s) {
        if (c == QChar::ParagraphSeparator || c == QChar::LineSeparator)
            c = u'\n';
    }
    return s;
}

} // namespace

RichTextEdit::RichTextEdit(QWidget *parent) : QTextEdit(parent), m_decorations(new Decorations(this))
{
    // QTextEdit's defaults stand: Tab types a tab, lines wrap at the window's width.
    m_selChangeTimer.setSingleShot(true);
    m_selChangeTimer.setInterval(0);
    connect(&m_selChangeTimer, &QTimer::timeout, this, &RichTextEdit::SelChange);
    connect(this, &QTextEdit::selectionChanged, this, &RichTextEdit::markSelChange);
    connect(this, &QTextEdit::cursorPositionChanged, this, &RichTextEdit::markSelChange);
    connect(this, &QTextEdit::currentCharFormatChanged, this, &RichTextEdit::markSelChange);
    document()->setDocumentLayout(new PageLayout(document()));
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, &RichTextEdit::layOutView);
    m_fillTimer.setInterval(0);
    connect(&m_fillTimer, &QTimer::timeout, this, &RichTextEdit::fillSome);
}

RichTextEdit::~RichTextEdit() = default;

struct RichTextEdit::Fill {
    explicit Fill(Document &&model) : page(std::move(model)), inserter(page) {}
    const Document page;
    textmodel::ModelInserter inserter;
    QTextCursor cursor; ///< where the rest goes
    bool undo = true;   ///< undo comes back once the page is whole
};

QTextDocument *RichTextEdit::newDocument() const
{
    const QTextDocument *old = document();
    auto *fresh = new QTextDocument(const_cast<RichTextEdit *>(this));
    fresh->setDefaultFont(old->defaultFont());
    fresh->setDefaultTextOption(old->defaultTextOption());
    fresh->setDocumentMargin(old->documentMargin());
    fresh->setDocumentLayout(new PageLayout(fresh));
    return fresh;
}

void RichTextEdit::layOutView()
{
    auto *layout = qobject_cast<PageLayout *>(document()->documentLayout());
    if (!layout)
        return;
    const int top = verticalScrollBar()->value();
    const int height = viewport()->height();
    // A short move up keeps what was in view still; a jump starts afresh.
    const int anchor = top < m_viewTop && m_viewTop - top < height ? m_viewTop : top;
    m_viewTop = top;
    layout->layOut(top, top + height, anchor);
}

void RichTextEdit::resizeEvent(QResizeEvent *event)
{
    QTextEdit::resizeEvent(event);
    layOutView();
}

void RichTextEdit::fillSome()
{
    if (!m_fill) {
        m_fillTimer.stop();
        return;
    }
    QTextDocument *doc = m_fill->cursor.document();
    const bool modified = doc->isModified();
    m_fillTimer.setInterval(0);
    QElapsedTimer clock;
    clock.start();
    bool done = false;
    m_fill->cursor.beginEditBlock();
    while (!done && clock.elapsed() < kSliceMs)
        done = m_fill->inserter.insertSome(m_fill->cursor, kStep);
    m_fill->cursor.endEditBlock();
    m_hasJoins = m_hasJoins || m_fill->inserter.joins() > 0;
    // Only the user's typing makes the page modified.
    if (doc->isModified() != modified)
        doc->setModified(modified);
    if (!done)
        return;
    const bool undo = m_fill->undo;
    m_fill.reset();
    m_fillTimer.stop();
    doc->setUndoRedoEnabled(undo);
    releaseFreedMemory();
    Q_EMIT loaded();
}

void RichTextEdit::finishLoading()
{
    while (m_fill)
        fillSome();
}

void RichTextEdit::LoadFile(const QString &path)
{
    // Read everything first: a failure leaves the page as it was.
    const Document doc = jw::loadRtfFile(path);
    setFromDocument(doc);
}

void RichTextEdit::SaveFile(const QString &path) const { jw::saveRtfFile(path, toDocument()); }

CharFormat RichTextEdit::baseFormat() const { return fromFont(document()->defaultFont()); }

Document RichTextEdit::toDocument() const
{
    const_cast<RichTextEdit *>(this)->finishLoading();
    const QTextDocument *doc = document();
    return fromQtDocument(*doc, 0, doc->characterCount() - 1, baseFormat());
}

void RichTextEdit::replaceContent(const std::function<void(QTextCursor &)> &fill)
{
    // The new content goes into a new document: QTextEdit then starts with a
    // fresh caret at 0 and lays the page out lazily. Filling the current
    // document instead leaves the caret at the end, and moving it back makes
    // QTextEdit lay out the whole page at once (seconds for a 1 MB page).
    const QPointer<QTextDocument> old = document();
    const bool undo = m_fill ? m_fill->undo : old->isUndoRedoEnabled();
    m_fill.reset();
    m_fillTimer.stop();
    QTextDocument *fresh = newDocument();
    fresh->setUndoRedoEnabled(false); // a new page is not undoable into the last one
    m_hasJoins = false;
    {
        QTextCursor cursor(fresh);
        cursor.beginEditBlock();
        fill(cursor);
        cursor.endEditBlock();
    }
    if (m_fill) {
        m_fill->undo = undo;
        m_fillTimer.start();
    } else {
        fresh->setUndoRedoEnabled(undo);
    }
    fresh->setModified(false);
    // Marks hold cursors into the old document, which Qt would still read
    // after it is deleted; the decorations mark the new one afresh.
    setExtraSelections({});
    setDocument(fresh);
    // QTextEdit deletes its own first document; ours are deleted here.
    if (old && old->parent() == this) {
        const bool big = std::size_t(old->characterCount()) > kAtOnce;
        delete old.data();
        if (big)
            releaseFreedMemory();
    }
    // setDocument hands the old caret's format on to the new caret; a fresh
    // cursor takes the format of the text it stands at instead.
    setTextCursor(QTextCursor(fresh));
    verticalScrollBar()->setValue(0);
    horizontalScrollBar()->setValue(0);
    connect(qobject_cast<PageLayout *>(fresh->documentLayout()), &PageLayout::shifted, this, [this](qreal delta) {
        m_viewTop += qRound(delta);
        verticalScrollBar()->setValue(verticalScrollBar()->value() + qRound(delta));
    });
    m_viewTop = 0;
    layOutView();
    markSelChange();
}

void RichTextEdit::setFromDocument(const Document &model) { setFromDocument(Document(model)); }

void RichTextEdit::setFromDocument(Document &&model)
{
    replaceContent([this, &model](QTextCursor &cursor) {
        // An empty first line types in the format of its own break.
        if (!model.runs.empty())
            cursor.setBlockCharFormat(toQtFormat(model.runs.front().format));
        if (model.text.size() <= kAtOnce) {
            m_hasJoins = insertModel(cursor, model) > 0;
            return;
        }
        m_fill = std::make_unique<Fill>(std::move(model));
        // Filling the view and no more keeps the switch short.
        const qint64 screen = qint64(viewport()->width()) * viewport()->height() / kCharArea;
        m_fill->inserter.insertSome(cursor, std::clamp(std::size_t(screen), kStep, kAtOnce));
        m_hasJoins = m_fill->inserter.joins() > 0;
        m_fill->cursor = cursor;
    });
}

std::vector<int> RichTextEdit::joinsIn(int from, int to) const
{
    return m_hasJoins ? joins::joinPositions(*document(), from, to) : std::vector<int>();
}

QString RichTextEdit::Text() const
{
    // Kept until the next change: Find Next through a big page would copy it all each time.
    const_cast<RichTextEdit *>(this)->finishLoading();
    const QTextDocument *doc = document();
    if (m_textWatched != doc) {
        connect(doc, &QTextDocument::contentsChange, this, [this] { m_textOf = nullptr; });
        m_textWatched = doc;
        m_textOf = nullptr;
    }
    if (m_textOf != doc) {
        const QString raw = doc->toRawText();
        m_text = toPlain(joins::withoutJoins(raw, joinsIn(0, int(raw.size())), 0));
        m_textOf = doc;
    }
    return m_text;
}

void RichTextEdit::setText(const QString &text)
{
    // Unformatted: no explicit attributes, the default font shows through.
    QString normalized = text;
    normalized.replace(QStringLiteral("\r\n"), QStringLiteral("\n"))
        .replace(u'\r', u'\n')
        .replace(QChar::ParagraphSeparator, u'\n');
    for (QChar &c : normalized) {
        if (isFrameMarker(c.unicode()))
            c = QChar::ReplacementCharacter;
    }
    replaceContent([&normalized](QTextCursor &cursor) {
        const QStringList paragraphs = normalized.split(u'\n');
        for (qsizetype i = 0; i < paragraphs.size(); ++i) {
            if (i > 0)
                cursor.insertBlock(QTextBlockFormat(), QTextCharFormat());
            if (!paragraphs.at(i).isEmpty())
                cursor.insertText(paragraphs.at(i), QTextCharFormat());
        }
    });
}

namespace {

int textLength(const QTextDocument *doc) { return doc->characterCount() - 1; }

/// Moves a position off the low half of a surrogate pair.
int snap(const QTextDocument *doc, int pos, bool forward)
{
    // Out of range, characterAt gives a null character, which is no surrogate.
    if (doc->characterAt(pos).isLowSurrogate() && doc->characterAt(pos - 1).isHighSurrogate())
        return forward ? pos + 1 : pos - 1;
    return pos;
}

} // namespace

int RichTextEdit::SelStart() const
{
    const int start = textCursor().selectionStart();
    return joins::textOffset(joinsIn(0, start), start);
}

void RichTextEdit::setSelStart(int start)
{
    finishLoading();
    const QTextDocument *doc = document();
    const std::vector<int> all = joinsIn(0, textLength(doc));
    start = std::clamp(start, 0, textLength(doc) - int(all.size()));
    QTextCursor c = textCursor();
    c.setPosition(snap(doc, joins::documentPosition(all, start), false));
    setTextCursor(c);
}

int RichTextEdit::SelLength() const
{
    const QTextCursor c = textCursor();
    return c.selectionEnd() - c.selectionStart() - int(joinsIn(c.selectionStart(), c.selectionEnd()).size());
}

void RichTextEdit::setSelLength(int length)
{
    finishLoading();
    const QTextDocument *doc = document();
    const std::vector<int> all = joinsIn(0, textLength(doc));
    QTextCursor c = textCursor();
    const int start = c.selectionStart();
    const int from = joins::textOffset(all, start);
    const int to = from + std::clamp(length, 0, textLength(doc) - int(all.size()) - from);
    const int end = snap(doc, std::max(start, joins::documentPosition(all, to)), true);
    c.setPosition(start);
    c.setPosition(end, QTextCursor::KeepAnchor);
    setTextCursor(c);
}

QString RichTextEdit::SelText() const
{
    const QTextCursor c = textCursor();
    return toPlain(
        joins::withoutJoins(c.selectedText(), joinsIn(c.selectionStart(), c.selectionEnd()), c.selectionStart()));
}

void RichTextEdit::markSelChange()
{
    if (!m_selChangeTimer.isActive())
        m_selChangeTimer.start();
}

void RichTextEdit::flushSelChange()
{
    if (!m_selChangeTimer.isActive())
        return;
    m_selChangeTimer.stop();
    Q_EMIT SelChange();
}

void RichTextEdit::insertFromMimeData(const QMimeData *source)
{
    if (!source || isReadOnly())
        return;
    // Only what a page can hold survives (links included): other
    // attributes, images and tables are dropped, keeping their text.
    const CharFormat typing = toModel(currentCharFormat(), baseFormat());
    Document doc;
    if (acceptRichText() && source->hasHtml()) {
        doc = fromHtml(source->html(), document()->defaultFont(), typing);
    } else if (source->hasText()) {
        const QString text = source->text();
        doc.text.assign(reinterpret_cast<const char16_t *>(text.constData()), std::size_t(text.size()));
        if (!doc.text.empty())
            doc.runs.push_back({0, doc.text.size(), typing});
    } else {
        return;
    }
    QTextCursor cursor = textCursor();
    cursor.beginEditBlock();
    cursor.removeSelectedText();
    if (insertModel(cursor, doc) > 0)
        m_hasJoins = true;
    cursor.endEditBlock();
    setTextCursor(cursor);
    ensureCursorVisible();
}

QMimeData *RichTextEdit::createMimeDataFromSelection() const
{
    if (!m_hasJoins)
        return QTextEdit::createMimeDataFromSelection();
    // Joins would come out as paragraph breaks: copy the selection as the page holds it.
    const QTextCursor selection = textCursor();
    QTextDocument copy;
    copy.setDefaultFont(document()->defaultFont());
    QTextCursor target(&copy);
    insertModel(target, fromQtDocument(*document(), selection.selectionStart(), selection.selectionEnd(), baseFormat()),
                false);
    const QTextDocumentFragment whole(&copy);
    auto *data = new QMimeData;
    data->setHtml(whole.toHtml());
    data->setText(whole.toPlainText());
    return data;
}

void RichTextEdit::stepOverJoin(const QKeyEvent *event)
{
    QTextCursor cursor = textCursor();
    if (cursor.hasSelection())
        return;
    // A join is no character: Backspace and Delete take the one beyond it.
    const bool back = (event->key() == Qt::Key_Backspace && !(event->modifiers() & ~Qt::ShiftModifier))
                      || event->matches(QKeySequence::DeleteStartOfWord);
    const bool forward = event->matches(QKeySequence::Delete) || event->matches(QKeySequence::DeleteEndOfWord);
    if (back && cursor.atBlockStart() && joins::joinsPrevious(cursor.block()))
        cursor.movePosition(QTextCursor::PreviousCharacter);
    else if (forward && cursor.atBlockEnd() && joins::joinsPrevious(cursor.block().next()))
        cursor.movePosition(QTextCursor::NextCharacter);
    else
        return;
    setTextCursor(cursor);
}

void RichTextEdit::holdFill()
{
    // A hold already running is not made longer: a key held down with a fast
    // repeat would otherwise stop the rest from going in.
    if (m_fill && m_fillTimer.interval() == 0)
        m_fillTimer.start(kHoldMs);
}

void RichTextEdit::wheelEvent(QWheelEvent *event)
{
    holdFill();
    QTextEdit::wheelEvent(event);
}

void RichTextEdit::keyPressEvent(QKeyEvent *event)
{
    holdFill();
    // Everything means the whole page.
    if (event->matches(QKeySequence::SelectAll) || event->matches(QKeySequence::MoveToEndOfDocument)
        || event->matches(QKeySequence::SelectEndOfDocument))
        finishLoading();
    const bool newParagraph = m_hasJoins && !isReadOnly() && event->matches(QKeySequence::InsertParagraphSeparator);
    if (m_hasJoins && !isReadOnly())
        stepOverJoin(event);
    QTextEdit::keyPressEvent(event);
    // The new paragraph copies its block's format, join mark included; the
    // break just typed is a paragraph break.
    QTextCursor cursor = textCursor();
    if (newParagraph && cursor.atBlockStart() && joins::joinsPrevious(cursor.block())) {
        cursor.joinPreviousEditBlock();
        cursor.setBlockFormat(joins::withoutJoin(cursor.blockFormat()));
        cursor.endEditBlock();
    }
}

} // namespace jw::ui
