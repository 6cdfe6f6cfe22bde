#include "editing/linkview.h"

#include "editing/linkfinder.h"
#include "ui/decorations.h"
#include "ui/richtextedit.h"

#include <QAbstractTextDocumentLayout>
#include <QClipboard>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTextBlock>
#include <QUrl>

namespace jw {

namespace {

/// What a link opens; a page may hold links of other kinds (files, places
/// in other documents), which are kept but neither shown nor opened.
QString openable(QString url)
{
    if (url.startsWith(QLatin1String("www."), Qt::CaseInsensitive))
        url.prepend(QStringLiteral("http://"));
    const QString scheme = QUrl(url).scheme().toLower();
    const bool known = scheme == u"http" || scheme == u"https" || scheme == u"ftp" || scheme == u"mailto";
    return known ? url : QString();
}

/// The stored link on each fragment of `block` that has one, as [start, end, url].
template <typename Visit>
void forEachStoredLink(const QTextBlock &block, Visit visit)
{
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment fragment = it.fragment();
        const QTextCharFormat format = fragment.charFormat();
        if (!format.isAnchor())
            continue;
        if (const QString url = openable(format.anchorHref()); !url.isEmpty())
            visit(fragment.position(), fragment.position() + fragment.length(), url);
    }
}

} // namespace

LinkView::LinkView(ui::RichTextEdit &pad, Opener opener, QObject *parent)
    : QObject(parent), m_pad(pad), m_opener(opener ? std::move(opener) : Opener(&QDesktopServices::openUrl))
{
    m_provider = m_pad.decorations().addProvider([this](int from, int to) { return marks(from, to); });
    m_pad.viewport()->setMouseTracking(true);
    m_pad.viewport()->installEventFilter(this);
    m_pad.installEventFilter(this);
}

LinkView::~LinkView() { m_pad.decorations().removeProvider(m_provider); }

QString LinkView::linkAt(int pos) const
{
    const QTextBlock block = m_pad.document()->findBlock(pos);
    if (pos < 0 || !block.isValid())
        return {};
    const int offset = pos - block.position();
    for (const FoundLink &link : findLinks(block.text())) {
        if (offset >= link.start && offset < link.start + link.length)
            return link.url;
    }
    QString stored;
    forEachStoredLink(block, [&](int start, int end, const QString &url) {
        if (pos >= start && pos < end)
            stored = url;
    });
    return stored;
}

int LinkView::positionAt(QPoint viewportPos) const
{
    const QPointF at(viewportPos.x() + m_pad.horizontalScrollBar()->value(),
                     viewportPos.y() + m_pad.verticalScrollBar()->value());
    return m_pad.document()->documentLayout()->hitTest(at, Qt::ExactHit);
}

bool LinkView::open(const QString &url) const
{
    const QString target = openable(url);
    return !target.isEmpty() && m_opener(QUrl(target, QUrl::TolerantMode));
}

void LinkView::addMenuItems(QMenu &menu, int pos) const
{
    const QString url = linkAt(pos);
    if (url.isEmpty())
        return;
    connect(menu.addAction(tr("Open Link")), &QAction::triggered, this, [this, url] { open(url); });
    connect(menu.addAction(tr("Copy Link Address")), &QAction::triggered, this,
            [url] { QGuiApplication::clipboard()->setText(url); });
}

QList<QTextEdit::ExtraSelection> LinkView::marks(int from, int to) const
{
    QTextCharFormat look;
    look.setForeground(m_pad.palette().color(QPalette::Link));
    look.setFontUnderline(true);
    QList<QTextEdit::ExtraSelection> out;
    auto mark = [&](int start, int end) {
        QTextEdit::ExtraSelection selection{QTextCursor(m_pad.document()), look};
        selection.cursor.setPosition(start);
        selection.cursor.setPosition(end, QTextCursor::KeepAnchor);
        out.append(selection);
    };
    for (QTextBlock block = m_pad.document()->findBlock(from); block.isValid() && block.position() <= to;
         block = block.next()) {
        for (const FoundLink &link : findLinks(block.text()))
            mark(block.position() + int(link.start), block.position() + int(link.start + link.length));
        forEachStoredLink(block, [&](int start, int end, const QString &) { mark(start, end); });
    }
    return out;
}

void LinkView::leaveLinkEnd()
{
    QTextCharFormat typing = m_pad.currentCharFormat();
    const QTextCursor caret = m_pad.textCursor();
    if (!typing.isAnchor() || caret.hasSelection())
        return;
    QTextCursor next = caret;
    next.movePosition(QTextCursor::NextCharacter);
    if (!caret.atBlockEnd() && next.charFormat().anchorHref() == typing.anchorHref())
        return; // inside the link, typing goes into it
    typing.setAnchor(false);
    m_pad.setCurrentCharFormat(typing);
}

void LinkView::updatePointer(Qt::KeyboardModifiers modifiers)
{
    const QPoint at = m_pad.viewport()->mapFromGlobal(QCursor::pos());
    const bool hand =
        modifiers == Qt::ControlModifier && m_pad.viewport()->rect().contains(at) && !linkAt(positionAt(at)).isEmpty();
    if (hand == m_hand)
        return;
    m_hand = hand;
    m_pad.viewport()->setCursor(hand ? Qt::PointingHandCursor : Qt::IBeamCursor);
}

bool LinkView::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
        if (watched == &m_pad && !static_cast<QKeyEvent *>(event)->text().isEmpty())
            leaveLinkEnd();
        [[fallthrough]];
    case QEvent::KeyRelease:
        if (const auto *key = static_cast<QKeyEvent *>(event); key->key() == Qt::Key_Control)
            updatePointer(event->type() == QEvent::KeyPress ? key->modifiers() | Qt::ControlModifier
                                                            : key->modifiers() & ~Qt::ControlModifier);
        break;
    case QEvent::MouseMove:
        if (watched == m_pad.viewport())
            updatePointer(static_cast<QMouseEvent *>(event)->modifiers());
        break;
    case QEvent::MouseButtonPress: {
        const auto *press = static_cast<QMouseEvent *>(event);
        if (watched != m_pad.viewport() || press->button() != Qt::LeftButton
            || press->modifiers() != Qt::ControlModifier)
            break;
        const QString url = linkAt(positionAt(press->position().toPoint()));
        if (url.isEmpty())
            break;
        open(url);
        return true; // the click opens the link and leaves the caret where it was
    }
    default: break;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace jw
