#include "editing/spelling.h"

#include "base/ioerror.h"
#include "base/log.h"
#include "base/settingsstore.h"
#include "ui/decorations.h"
#include "ui/feature.h"
#include "ui/richtextedit.h"

#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QTextBlock>

#include <algorithm>

namespace jw {

namespace {

const QString kApp = QStringLiteral("Jotwell");
const QString kSection = QStringLiteral("Spelling");
const QString kEnabledKey = QStringLiteral("Enabled");
const QString kLanguagesKey = QStringLiteral("Languages");
constexpr int kSuggestions = 7;

} // namespace

Spelling::Spelling(ui::ICommands &commands, ui::RichTextEdit &pad, SettingsStore &settings, ui::IHostWindow &host,
                   const QStringList &folders, QObject *parent)
    : QObject(parent), m_pad(pad), m_settings(settings), m_host(host),
      m_wordList(QFileInfo(settings.filePath()).dir().filePath(QStringLiteral("words.txt"))),
      m_speller(std::make_shared<Speller>()), m_worker(new QObject), m_available(findDictionaries(folders))
{
    QStringList names;
    for (const Dictionary &d : m_available)
        names.append(d.name);
    m_enabled = m_settings.readOne(kApp, kSection, kEnabledKey) != u"0";
    for (const QString &name : m_settings.readOne(kApp, kSection, kLanguagesKey).split(u',', Qt::SkipEmptyParts)) {
        if (names.contains(name) && !m_languages.contains(name))
            m_languages.append(name);
    }
    if (m_languages.isEmpty() && !names.isEmpty())
        m_languages.append(desktopLanguage(names, [](const char *name) { return qEnvironmentVariable(name); }));

    m_worker->moveToThread(&m_thread);
    connect(&m_thread, &QThread::finished, m_worker, &QObject::deleteLater);
    m_thread.start(QThread::LowPriority);
    buildMenu(commands);
    m_provider = m_pad.decorations().addProvider([this](int from, int to) { return marks(from, to); });
    // The word at the caret is marked once the caret leaves it.
    connect(&m_pad, &QTextEdit::cursorPositionChanged, &m_pad.decorations(), &ui::Decorations::refresh);
    if (m_enabled)
        reload();
}

Spelling::~Spelling()
{
    m_pad.decorations().removeProvider(m_provider);
    m_thread.quit();
    m_thread.wait();
    delete m_menu;
}

void Spelling::buildMenu(ui::ICommands &commands)
{
    m_menu = new QMenu(tr("&Spelling"));
    m_menu->menuAction()->setObjectName(QStringLiteral("mnuSpelling"));
    m_onOff = m_menu->addAction(tr("&Check Spelling"));
    m_onOff->setObjectName(QStringLiteral("mnuSpellingOn"));
    m_onOff->setCheckable(true);
    m_onOff->setChecked(m_enabled);
    connect(m_onOff, &QAction::triggered, this, &Spelling::setEnabled);
    m_menu->addSeparator();
    for (const Dictionary &d : m_available) {
        QAction *language = m_menu->addAction(languageLabel(d.name));
        language->setObjectName(QStringLiteral("mnuSpelling_") + d.name);
        language->setCheckable(true);
        language->setChecked(m_languages.contains(d.name));
        connect(language, &QAction::triggered, this, [this, name = d.name](bool on) {
            QStringList chosen = m_languages;
            on ? chosen.append(name) : void(chosen.removeAll(name));
            setLanguages(chosen);
        });
    }
    if (m_available.isEmpty())
        m_menu->addAction(tr("No Dictionaries Installed"))->setEnabled(false);
    commands.add(m_menu->menuAction(), ui::Place::EditSpelling);
}

void Spelling::store(const QString &key, const QString &value)
{
    try {
        m_settings.write(kApp, kSection, key, value);
    } catch (const IoError &error) {
        qCWarning(lcSettings) << error.what();
    }
}

void Spelling::setEnabled(bool on)
{
    m_onOff->setChecked(on);
    if (on == m_enabled)
        return;
    m_enabled = on;
    store(kEnabledKey, on ? QStringLiteral("1") : QStringLiteral("0"));
    if (on)
        reload();
    m_pad.decorations().refresh();
}

void Spelling::setLanguages(const QStringList &names)
{
    QStringList chosen;
    for (const Dictionary &d : m_available) {
        if (names.contains(d.name))
            chosen.append(d.name);
    }
    // A last language stays: spelling without one is turned off instead.
    if (!chosen.isEmpty() && chosen != m_languages) {
        m_languages = chosen;
        store(kLanguagesKey, chosen.join(u','));
        if (m_enabled)
            reload();
    }
    for (QAction *action : m_menu->actions()) {
        const QString name = action->objectName().section(u'_', 1);
        if (action->objectName().startsWith(QStringLiteral("mnuSpelling_")))
            action->setChecked(m_languages.contains(name));
    }
}

void Spelling::reload()
{
    ++m_generation;
    m_right.clear();
    m_asked.clear();
    m_blocks.clear();
    m_loading = true;
    QList<Dictionary> chosen;
    for (const Dictionary &d : m_available) {
        if (m_languages.contains(d.name))
            chosen.append(d);
    }
    QMetaObject::invokeMethod(
        m_worker,
        [this, speller = m_speller, chosen, path = m_wordList, generation = m_generation] {
            try {
                speller->addOwnWords(readWordList(path));
            } catch (const IoError &error) {
                qCWarning(lcFiles) << "the word list could not be read:" << error.what();
            }
            const QStringList failed = speller->load(chosen);
            if (!failed.isEmpty())
                qCWarning(lcFiles) << "dictionaries that could not be loaded:" << failed;
            // The destructor waits for this thread, so `this` is still there.
            QMetaObject::invokeMethod(this, [this, generation] {
                if (generation == m_generation)
                    m_loading = false;
                m_pad.decorations().refresh();
            });
        },
        Qt::QueuedConnection);
}

void Spelling::ask(const QStringList &words)
{
    for (const QString &word : words)
        m_asked.insert(word);
    QMetaObject::invokeMethod(
        m_worker,
        [this, speller = m_speller, words, generation = m_generation] {
            QHash<QString, bool> right;
            for (const QString &word : words)
                right.insert(word, speller->check(word));
            QMetaObject::invokeMethod(this, [this, right, generation] { answered(right, generation); });
        },
        Qt::QueuedConnection);
}

void Spelling::answered(const QHash<QString, bool> &right, quint64 generation)
{
    if (generation != m_generation)
        return;
    bool wrong = false;
    for (auto it = right.cbegin(); it != right.cend(); ++it) {
        m_right.insert(it.key(), it.value());
        m_asked.remove(it.key());
        wrong = wrong || !it.value();
    }
    if (!wrong)
        return;
    // Only the paragraphs that were waiting for a wrong word get new marks.
    for (BlockMarks &entry : m_blocks) {
        if (std::any_of(entry.unknown.cbegin(), entry.unknown.cend(),
                        [&](const QString &word) { return !right.value(word, true); }))
            entry.revision = -1;
    }
    m_pad.decorations().refresh();
}

QList<QTextEdit::ExtraSelection> Spelling::blockMarks(const QTextBlock &block, int caret)
{
    // A paragraph keeps its marks while its text and the answers stand: the
    // marks' cursors follow the edits around them.
    BlockMarks &entry = m_blocks[block.fragmentIndex()];
    const bool atCaret = caret >= block.position() && caret < block.position() + block.length();
    if (entry.revision == block.revision() && entry.length == block.length() && !atCaret && !entry.atCaret)
        return entry.marks;
    // Marks still standing are kept: placing a new one lays out its line.
    const QList<QTextEdit::ExtraSelection> before = std::move(entry.marks);
    auto reuse = before.cbegin();
    entry = BlockMarks{block.revision(), block.length(), atCaret, {}, {}};
    QTextCharFormat look;
    look.setUnderlineStyle(QTextCharFormat::WaveUnderline);
    look.setUnderlineColor(Qt::red);
    const QString text = block.text();
    QStringList unknown;
    for (const WordSpan &w : spellWords(text)) {
        const int start = block.position() + int(w.start);
        const int end = start + int(w.length);
        if (end == caret)
            continue; // still being typed
        const QString word = text.mid(w.start, w.length);
        const auto known = m_right.constFind(word);
        if (known == m_right.cend()) {
            entry.unknown.append(word);
            if (!m_asked.contains(word) && !unknown.contains(word))
                unknown.append(word);
        } else if (!known.value()) {
            while (reuse != before.cend() && reuse->cursor.selectionStart() < start)
                ++reuse;
            if (reuse != before.cend() && reuse->cursor.selectionStart() == start
                && reuse->cursor.selectionEnd() == end) {
                entry.marks.append(*reuse);
                continue;
            }
            QTextEdit::ExtraSelection mark{QTextCursor(m_pad.document()), look};
            mark.cursor.setPosition(start);
            mark.cursor.setPosition(end, QTextCursor::KeepAnchor);
            entry.marks.append(mark);
        }
    }
    if (!unknown.isEmpty())
        ask(unknown);
    return entry.marks;
}

QList<QTextEdit::ExtraSelection> Spelling::marks(int from, int to)
{
    if (!m_enabled || m_languages.isEmpty())
        return {};
    const QTextCursor caret = m_pad.textCursor();
    const int at = caret.hasSelection() ? -1 : caret.position();
    QList<QTextEdit::ExtraSelection> out;
    QHash<int, BlockMarks> old;
    old.swap(m_blocks);
    for (QTextBlock block = m_pad.document()->findBlock(from); block.isValid() && block.position() <= to;
         block = block.next()) {
        if (const auto kept = old.constFind(block.fragmentIndex()); kept != old.cend())
            m_blocks.insert(kept.key(), kept.value());
        for (const QTextEdit::ExtraSelection &mark : blockMarks(block, at)) {
            if (mark.cursor.selectionEnd() >= from && mark.cursor.selectionStart() <= to)
                out.append(mark);
        }
    }
    return out; // only the paragraphs in view keep their marks
}

std::optional<WordSpan> Spelling::misspeltAt(int pos) const
{
    const QTextBlock block = m_pad.document()->findBlock(pos);
    if (!block.isValid())
        return std::nullopt;
    const QString text = block.text();
    const int offset = pos - block.position();
    for (const WordSpan &w : spellWords(text)) {
        if (offset < w.start || offset > w.start + w.length)
            continue;
        const auto known = m_right.constFind(text.mid(w.start, w.length));
        if (known == m_right.cend() || known.value())
            return std::nullopt;
        return WordSpan{block.position() + w.start, w.length};
    }
    return std::nullopt;
}

void Spelling::addMenuItems(QMenu &menu, int pos)
{
    const std::optional<WordSpan> span = m_enabled ? misspeltAt(pos) : std::nullopt;
    if (!span)
        return;
    QTextCursor cursor(m_pad.document());
    cursor.setPosition(int(span->start));
    cursor.setPosition(int(span->start + span->length), QTextCursor::KeepAnchor);
    const QString word = cursor.selectedText();
    const QStringList suggestions = m_speller->suggest(word, kSuggestions);
    for (const QString &suggestion : suggestions) {
        connect(menu.addAction(suggestion), &QAction::triggered, this,
                [this, cursor, suggestion]() mutable { cursor.insertText(suggestion); });
    }
    if (suggestions.isEmpty())
        menu.addAction(tr("No Suggestions"))->setEnabled(false);
    menu.addSeparator();
    connect(menu.addAction(tr("Add to Dictionary")), &QAction::triggered, this, [this, word] { accept(word, true); });
    connect(menu.addAction(tr("Ignore All")), &QAction::triggered, this, [this, word] { accept(word, false); });
}

void Spelling::accept(const QString &word, bool forGood)
{
    if (forGood) {
        try {
            addToWordList(m_wordList, word);
        } catch (const IoError &error) {
            m_host.tell(tr("\"%1\" could not be added to the dictionary: %2").arg(word, error.reason()));
            return;
        }
        m_speller->addOwnWords({word});
    } else {
        m_speller->ignore(word);
    }
    // Forms of the word (capitals, endings) may be right now too.
    ++m_generation;
    m_right.clear();
    m_asked.clear();
    m_blocks.clear();
    m_pad.decorations().refresh();
}

} // namespace jw
