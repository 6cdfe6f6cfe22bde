#pragma once

#include <QUrl>
#include <QWidget>

class QAction;
class QTextBrowser;
class QToolBar;

namespace jw {

/// The pad's help window: the help pages in a browser with Back, Forward
/// and a link to the contents.
class frmHelp final : public QWidget {
    Q_OBJECT

public:
    explicit frmHelp(QWidget *parent = nullptr);

    /// Shows `file`, the help's contents page, from its top and makes it the
    /// page Contents goes back to. Returns false and leaves the window as it
    /// was when the file cannot be read; `error` then tells why.
    bool showContents(const QString &file, QString *error = nullptr);

    /// The contents page shown by Contents.
    QUrl contentsUrl() const { return m_contents; }

    QToolBar *tbrHelp = nullptr;
    QAction *cmdBack = nullptr;
    QAction *cmdForward = nullptr;
    QAction *cmdContents = nullptr;
    QTextBrowser *txtHelp = nullptr;

    void cmdContents_Click();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    QUrl m_contents;
    bool m_ownerHidden = false;
};

/// Opens the help file `file` at its contents in `owner`'s help window,
/// creating the window on first use. A file that cannot be read is reported
/// in a message box and no window opens.
void showHelp(QWidget *owner, const QString &file);

} // namespace jw
