#pragma once

#include "richtext/richtext.h"

#include <QPointer>
#include <QTextCharFormat>
#include <QTextEdit>
#include <QTimer>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QPrinter;

namespace jw::ui {

class Decorations;

/// The page editor: a QTextEdit limited to what a page file can hold
/// (font family, size, bold, italic, underline, links; paragraphs, line
/// breaks, tabs).
///
/// Offsets (SelStart, SelLength) are UTF-16 positions in Text(): a paragraph
/// break and a line break each count one, a character outside the BMP counts
/// two. They are QTextCursor positions except past the joins of an
/// over-long paragraph (paragraphjoins.h), which count none.
///
/// SelChange is coalesced: selectionChanged, cursorPositionChanged and
/// currentCharFormatChanged only mark it pending, and a zero-delay
/// single-shot timer raises it once when control returns to the event loop.
/// flushSelChange() raises a pending one at once.
///
/// Loading (LoadFile, setFromDocument, setText) puts the new content into a
/// new QTextDocument, so document() changes with every load: ask for it
/// each time rather than keeping the pointer or connecting to it. Each of
/// its documents is laid out by a PageLayout, which lays out only what is
/// shown. A big page shows its first screen at once and goes in the rest of
/// the way between events (isLoading()); typing meanwhile is kept, and
/// whatever needs the whole page (Text, toDocument, printing, select all)
/// puts the rest in first. Undo starts once the page is whole.
class RichTextEdit final : public QTextEdit {
    Q_OBJECT

public:
    explicit RichTextEdit(QWidget *parent = nullptr);
    ~RichTextEdit() override;

    /// Replaces the whole content by the rich text of the file at `path`.
    /// Throws jw::IoError and leaves the content unchanged when the file
    /// cannot be read. The undo history starts afresh.
    void LoadFile(const QString &path);

    /// Writes the whole content as rich text to `path`, replacing the file
    /// atomically. Throws jw::IoError on failure.
    void SaveFile(const QString &path) const;

    /// The content in the page model (runs merged, breaks as '\n'/U+2028).
    jw::rtf::Document toDocument() const;

    /// Replaces the whole content by `model`; clears the undo history and puts
    /// the caret at the start.
    void setFromDocument(const jw::rtf::Document &model);
    /// The same, keeping `model` itself for a big page rather than a copy.
    void setFromDocument(jw::rtf::Document &&model);

    /// The content as plain text: paragraph and line breaks read as '\n'.
    QString Text() const;

    /// Replaces the content by unformatted text ('\n', '\r\n' and '\r' end
    /// paragraphs). Hides QTextEdit::setText, which would guess at HTML.
    void setText(const QString &text);

    /// Start of the selection (or the caret) as an offset into Text().
    int SelStart() const;
    /// Collapses the selection to a caret at `start` (clamped to the text).
    void setSelStart(int start);
    /// Length of the selection in UTF-16 units of Text().
    int SelLength() const;
    /// Selects `length` units from SelStart() on (clamped; negative is 0).
    void setSelLength(int length);

    /// The selected text as plain text (breaks as '\n').
    QString SelText() const;

    /// Font family of the selection; nullopt when it is mixed. With no
    /// selection, the family that typing at the caret would get.
    std::optional<QString> SelFontName() const;
    /// Size in points (a multiple of 0.5); nullopt when mixed.
    std::optional<double> SelFontSize() const;
    /// Bold state of the selection; nullopt when mixed.
    std::optional<bool> SelBold() const;
    /// Italic state of the selection; nullopt when mixed.
    std::optional<bool> SelItalic() const;
    /// Underline state of the selection; nullopt when mixed.
    std::optional<bool> SelUnderline() const;

    /// Applies a font family to the selection, or to what is typed next.
    void setSelFontName(const QString &name);
    /// Applies a size in points (rounded to half points; values that are not
    /// positive and finite are ignored).
    void setSelFontSize(double points);
    /// Applies or removes bold on the selection, or for what is typed next.
    void setSelBold(bool on);
    /// Applies or removes italic.
    void setSelItalic(bool on);
    /// Applies or removes underline.
    void setSelUnderline(bool on);

    /// The font and size of text without formatting of its own, for every
    /// page from now on: what typing on an empty page produces.
    void setTypingDefault(const QString &family, double points);

    /// Prints the selection, or everything when nothing is selected, with
    /// its formatting, as one job and without page numbers or headers.
    /// Returns false when the printer could not be started.
    bool SelPrint(QPrinter *printer) const;

    /// Raises a pending SelChange now instead of at the next event-loop turn.
    void flushSelChange();

    /// True while the last page loaded is still going in (see the class note).
    bool isLoading() const { return m_fill != nullptr; }
    /// Puts the rest of a loading page in now.
    void finishLoading();

    /// True while a SelChange is waiting to be raised.
    bool selChangePending() const { return m_selChangeTimer.isActive(); }

    /// The display-only marks over the text (decorations.h).
    Decorations &decorations() const { return *m_decorations; }

Q_SIGNALS:
    /// Raised once after every change of the selection or the caret
    /// (typing, mouse, keyboard, program, loading), coalesced per event-loop
    /// turn.
    void SelChange();
    /// A page that went in bit by bit is whole.
    void loaded();

protected:
    void insertFromMimeData(const QMimeData *source) override;
    QMimeData *createMimeDataFromSelection() const override;
    void keyPressEvent(QKeyEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

private:
    /// What a format that leaves an attribute open shows: the default font.
    jw::rtf::CharFormat baseFormat() const;
    /// The distinct model formats of the selection, or of the caret.
    QList<jw::rtf::CharFormat> selectionFormats() const;
    void markSelChange();
    /// Replaces everything by what `fill` inserts; caret and view to the start.
    void replaceContent(const std::function<void(QTextCursor &)> &fill);
    void applyFormat(const QTextCharFormat &format);
    /// Puts the caret across a join that Backspace or Delete would take.
    void stepOverJoin(const QKeyEvent *event);
    /// The join positions in [from, to); none unless the page was given some.
    std::vector<int> joinsIn(int from, int to) const;

    /// Lays out the paragraphs in view before they are painted, keeping
    /// what was at the top of the view in place.
    void layOutView();
    void fillSome();
    /// Puts the next slice of a loading page off while the user acts.
    void holdFill();
    /// A document of this editor's kind, empty, with the current settings.
    QTextDocument *newDocument() const;

    struct Fill;
    std::unique_ptr<Fill> m_fill; ///< the rest of a page that is going in
    QTimer m_fillTimer;
    int m_viewTop = 0; ///< the view's top at the last layOutView()
    QTimer m_selChangeTimer;
    Decorations *m_decorations;                      ///< child object
    bool m_hasJoins = false;                         ///< the document may hold joins
    mutable QString m_text;                          ///< Text() of m_textOf
    mutable const QTextDocument *m_textOf = nullptr; ///< unset by any change of it
    mutable QPointer<const QTextDocument> m_textWatched;
};

/// The Qt character format for a model format (only the model's attributes).
QTextCharFormat toQtFormat(const jw::rtf::CharFormat &format);

} // namespace jw::ui
