#pragma once

#include <QObject>
#include <QTextEdit>

#include <functional>

class QMenu;
class QUrl;

namespace jw {

namespace ui {
class RichTextEdit;
}

/// Links over the page: web and mail addresses in the text, and the links
/// a page holds, are shown as links (display only: nothing is stored).
/// Ctrl+click opens one with the desktop's handler; while Ctrl is held over
/// one the pointer is a hand.
class LinkView final : public QObject {
    Q_OBJECT

public:
    /// Opens an address; QDesktopServices::openUrl unless a test gives another.
    using Opener = std::function<bool(const QUrl &)>;

    explicit LinkView(ui::RichTextEdit &pad, Opener opener = {}, QObject *parent = nullptr);
    ~LinkView() override;

    /// The address of the link on the character at document position `pos`,
    /// or empty. Only http, https, ftp and mailto addresses count.
    QString linkAt(int pos) const;
    /// The document position of the character at a point of the viewport; -1 off the text.
    int positionAt(QPoint viewportPos) const;
    /// Opens `url` with the opener; false when it refused.
    bool open(const QString &url) const;
    /// "Open Link" and "Copy Link Address" for the link at `pos`, if there is one.
    void addMenuItems(QMenu &menu, int pos) const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QList<QTextEdit::ExtraSelection> marks(int from, int to) const;
    /// The hand while Ctrl is held over a link, else the text pointer.
    void updatePointer(Qt::KeyboardModifiers modifiers);
    /// At the end of a link, what is typed next is no part of it.
    void leaveLinkEnd();

    ui::RichTextEdit &m_pad;
    Opener m_opener;
    int m_provider = 0;
    bool m_hand = false;
};

} // namespace jw
