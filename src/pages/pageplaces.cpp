#include "pages/pageplaces.h"

#include "base/ioerror.h"
#include "base/log.h"
#include "pages/clsdata.h"
#include "ui/paragraphjoins.h"
#include "ui/richtextedit.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QScrollBar>
#include <QTextDocument>

#include <algorithm>

namespace jw {

namespace pageplaces {

std::size_t keepCount(const std::vector<qint64> &weightsNewestFirst, const Limits &limits)
{
    std::size_t count = 0;
    qint64 total = 0;
    for (const qint64 weight : weightsNewestFirst) {
        if (count >= std::size_t(std::max(limits.documents, 0)) || total + weight > limits.characters)
            break;
        total += weight;
        ++count;
    }
    return count;
}

QByteArray toJson(const QHash<QString, PagePlace> &places)
{
    QJsonObject pages;
    for (auto it = places.cbegin(); it != places.cend(); ++it)
        pages.insert(it.key(), QJsonArray{it->caret, it->anchor, it->top});
    return QJsonDocument(QJsonObject{{QStringLiteral("pages"), pages}}).toJson(QJsonDocument::Compact);
}

QHash<QString, PagePlace> fromJson(const QByteArray &json)
{
    QHash<QString, PagePlace> places;
    const QJsonObject pages = QJsonDocument::fromJson(json).object().value(QStringLiteral("pages")).toObject();
    for (auto it = pages.constBegin(); it != pages.constEnd(); ++it) {
        const QJsonArray numbers = it->toArray();
        int values[3] = {};
        bool good = numbers.size() == 3;
        for (int i = 0; good && i < 3; ++i) {
            const double value = numbers[i].toDouble(-1);
            good = value >= 0 && value <= 1e9 && value == double(int(value));
            values[i] = good ? int(value) : 0;
        }
        if (good)
            places.insert(it.key(), {values[0], values[1], values[2]});
    }
    return places;
}

} // namespace pageplaces

namespace {

/// `position` within the document, and never between the halves of a surrogate pair.
int within(const QTextDocument &doc, int position)
{
    position = std::clamp(position, 0, doc.characterCount() - 1);
    return position > 0 && doc.characterAt(position).isLowSurrogate() ? position - 1 : position;
}

} // namespace

PagePlaces::PagePlaces(const clsData &data, ui::RichTextEdit &pad, QString placesFile, pageplaces::Limits limits)
    : m_data(data), m_pad(pad), m_file(std::move(placesFile)), m_limits(limits)
{
    try {
        if (QFileInfo::exists(m_file))
            m_places = pageplaces::fromJson(readWholeFile(m_file));
    } catch (const IoError &error) {
        qCWarning(lcFiles) << "the pages' places are not read:" << error.what();
    }
    // Text changes also come with every document the editor is given.
    connect(&m_pad, &QTextEdit::textChanged, this, &PagePlaces::follow);
    follow();
    m_write.setInterval(3000); // fires once: writePlaces() stops it
    connect(&m_write, &QTimer::timeout, this, &PagePlaces::writePlaces);
    if (auto *app = qobject_cast<QGuiApplication *>(QCoreApplication::instance())) {
        connect(app, &QCoreApplication::aboutToQuit, this, &PagePlaces::writePlaces);
        connect(app, &QGuiApplication::commitDataRequest, this, &PagePlaces::writePlaces);
    }
}

PagePlaces::~PagePlaces() { writePlaces(); }

qint64 PagePlaces::keptWeight() const
{
    qint64 total = 0;
    for (const Kept &kept : m_kept)
        total += kept.weight;
    return total;
}

void PagePlaces::follow()
{
    QTextDocument *doc = m_pad.document();
    if (doc == m_followed)
        return;
    if (m_followed)
        disconnect(m_followed, nullptr, this, nullptr);
    m_followed = doc;
    m_weight = doc->characterCount();
    connect(doc, &QTextDocument::contentsChange, this, [this](int, int, int added) { m_weight += added; });
}

PagePlace PagePlaces::placeNow() const
{
    const QTextCursor caret = m_pad.textCursor();
    return {caret.position(), caret.anchor(), m_pad.cursorForPosition(QPoint(0, 0)).position()};
}

void PagePlaces::leaving()
{
    follow();
    m_leaving.reset();
    const QString file = m_data.currentFile();
    if (file.isEmpty())
        return;
    const PagePlace place = placeNow();
    m_places.insert(file, place);
    m_write.start();
    QTextDocument *doc = m_pad.document();
    // Nothing to undo, or a page unread or still going in: its file gives the same.
    if (m_data.isGuarded() || !m_data.stamp().exists || !doc->isUndoRedoEnabled()
        || !(doc->isUndoAvailable() || doc->isRedoAvailable()))
        return;
    m_leaving = Kept{file, m_data.stamp(), doc, m_pad.textCursor(), place.top, m_weight};
}

void PagePlaces::adopt()
{
    if (!m_leaving)
        return;
    Kept kept = std::move(*m_leaving);
    m_leaving.reset();
    QTextDocument *doc = m_pad.document();
    // Only as it was saved; and not a page with joins, which the editor learns of only when it loads one.
    if (kept.doc != doc || doc->isModified() || kept.weight > m_limits.characters
        || !ui::joins::joinPositions(*doc, 0, doc->characterCount()).empty())
        return;
    disconnect(doc, nullptr, this, nullptr);
    m_followed = nullptr;
    doc->setParent(this); // the editor deletes only its own documents
    m_kept.remove_if([&](const Kept &older) {
        if (older.file == kept.file)
            delete older.doc.data();
        return older.file == kept.file;
    });
    m_kept.push_front(std::move(kept));
    trim();
}

void PagePlaces::trim()
{
    std::vector<qint64> weights;
    for (const Kept &kept : m_kept)
        weights.push_back(kept.weight);
    const std::size_t keep = pageplaces::keepCount(weights, m_limits);
    while (m_kept.size() > keep) {
        delete m_kept.back().doc.data();
        m_kept.pop_back();
    }
}

bool PagePlaces::showKept()
{
    adopt();
    const QString file = m_data.currentFile();
    const auto it = std::find_if(m_kept.begin(), m_kept.end(), [&](const Kept &kept) { return kept.file == file; });
    if (it == m_kept.end())
        return false;
    Kept kept = std::move(*it);
    m_kept.erase(it);
    // Changed since it was left (by another program, or this one through another name): the file holds the page.
    if (!kept.doc || !(kept.stamp == m_data.stamp())) {
        delete kept.doc.data();
        return false;
    }
    // A load of nothing first, so the editor ends the page it shows (one still going in too) its own way.
    m_pad.setFromDocument({});
    QTextDocument *empty = m_pad.document();
    kept.doc->setParent(&m_pad);
    m_pad.setDocument(kept.doc);
    if (empty->parent() == &m_pad)
        delete empty;
    follow();
    m_weight = kept.weight;
    m_pad.setTextCursor(kept.cursor);
    scrollTo(kept.top);
    return true;
}

void PagePlaces::scrollTo(int top)
{
    QTextCursor at(m_pad.document());
    at.setPosition(within(*m_pad.document(), top));
    QScrollBar *bar = m_pad.verticalScrollBar();
    bar->setValue(bar->value() + m_pad.cursorRect(at).top());
}

void PagePlaces::placeLoaded()
{
    follow();
    const auto it = m_places.constFind(m_data.currentFile());
    if (it == m_places.cend())
        return;
    QTextDocument *doc = m_pad.document();
    QTextCursor caret(doc);
    caret.setPosition(within(*doc, it->anchor));
    caret.setPosition(within(*doc, it->caret), QTextCursor::KeepAnchor);
    m_pad.setTextCursor(caret);
    scrollTo(it->top);
}

void PagePlaces::writePlaces()
{
    m_write.stop();
    if (!m_data.currentFile().isEmpty())
        m_places.insert(m_data.currentFile(), placeNow());
    const QByteArray json = pageplaces::toJson(m_places);
    try {
        if (QFileInfo::exists(m_file) && readWholeFile(m_file) == json)
            return;
        if (!QDir().mkpath(QFileInfo(m_file).path()))
            throw IoError(QFileInfo(m_file).path(), QStringLiteral("the folder could not be made"));
        writeFileAtomically(m_file, json);
    } catch (const IoError &error) {
        qCWarning(lcFiles) << "the pages' places are not kept:" << error.what();
    }
}

} // namespace jw
