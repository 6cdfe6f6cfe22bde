#include "pages/frmpagehistory.h"

#include "base/ioerror.h"
#include "pages/worddiff.h"
#include "ui/messagebox.h"
#include "ui/richtextedit.h"
#include "ui/textmodel.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QStyle>
#include <QSplitter>
#include <QTextBlock>
#include <QTextEdit>
#include <QTimeZone>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace jw {

namespace {

enum Column { When, Kind, Size, Added, Removed };

QString plain(const rtf::Document &page) { return QString::fromStdU16String(page.text); }

/// The user's own short date and time, with seconds: two saves a minute apart must differ.
class WhenText {
public:
    QString operator()(const QDateTime &time) const
    {
        // Through one time zone object: toLocalTime() asks the C library, which looks at the zone file each time.
        const QDateTime local = time.toTimeZone(m_zone);
        return m_locale.toString(local.date(), QLocale::ShortFormat) + u' ' + m_locale.toString(local.time(), m_format);
    }

private:
    QLocale m_locale;
    QTimeZone m_zone = QTimeZone::systemTimeZone();
    QString m_format = [this] {
        QString format = m_locale.timeFormat(QLocale::ShortFormat);
        if (!format.contains(u's'))
            format.replace(QStringLiteral("mm"), QStringLiteral("mm:ss"));
        return format;
    }();
};

/// Marks the words of the shown version that the page now lacks, and puts
/// the words only the page now has, struck out, where they would stand.
void markChanges(QTextDocument &shown, const QString &then, const QString &now)
{
    const QList<worddiff::Word> thenWords = worddiff::words(then);
    const QList<worddiff::Word> nowWords = worddiff::words(now);
    const QList<worddiff::Change> changes = worddiff::changes(then, thenWords, now, nowWords);
    QTextCharFormat onlyThen;
    onlyThen.setBackground(QColor(198, 239, 206));
    QTextCharFormat onlyNow;
    onlyNow.setForeground(QColor(176, 0, 32));
    onlyNow.setFontStrikeOut(true);
    QTextCursor cursor(&shown);
    cursor.beginEditBlock();
    // From the end, so that what is inserted does not move the places still to come.
    for (auto c = changes.crbegin(); c != changes.crend(); ++c) {
        const bool atEnd = c->thenIndex >= thenWords.size();
        int after = atEnd ? int(then.size()) : thenWords[c->thenIndex].start; // where the page now's words go
        if (c->thenCount > 0) {
            const worddiff::Word &last = thenWords[c->thenIndex + c->thenCount - 1];
            after = last.start + last.length;
            cursor.setPosition(thenWords[c->thenIndex].start);
            cursor.setPosition(after, QTextCursor::KeepAnchor);
            cursor.mergeCharFormat(onlyThen);
        }
        if (c->nowCount > 0) {
            const worddiff::Word &first = nowWords[c->nowIndex];
            const worddiff::Word &last = nowWords[c->nowIndex + c->nowCount - 1];
            QString text = now.mid(first.start, last.start + last.length - first.start);
            text.replace(u'\n', u' ').replace(QChar::LineSeparator, u' ');
            cursor.setPosition(after);
            QTextCharFormat format = cursor.charFormat();
            format.clearBackground();
            format.merge(onlyNow);
            const bool before = c->thenCount == 0 && !atEnd;
            cursor.insertText(before ? text + u' ' : u' ' + text, format);
        }
    }
    cursor.endEditBlock();
}

} // namespace

frmPageHistory::frmPageHistory(QWidget *owner, const QString &title, QList<PageHistory::Version> versions,
                               rtf::Document now, Restore restore)
    : QDialog(owner), m_versions(std::move(versions)), m_now(std::move(now)), m_restore(std::move(restore))
{
    setObjectName(QStringLiteral("frmPageHistory"));
    setWindowTitle(tr("Page History: %1").arg(title));
    lstVersions = new QTreeWidget(this);
    lstVersions->setObjectName(QStringLiteral("lstVersions"));
    lstVersions->setRootIsDecorated(false);
    lstVersions->setUniformRowHeights(true);
    lstVersions->setHeaderLabels({tr("Time"), tr("Kind"), tr("Size"), tr("Added"), tr("Removed")});
    lstVersions->setAccessibleName(tr("Versions"));
    lstVersions->setAccessibleDescription(tr("The versions kept of this page, newest first"));
    txtPreview = new QTextEdit(this);
    txtPreview->setObjectName(QStringLiteral("txtPreview"));
    txtPreview->setReadOnly(true);
    txtPreview->setAccessibleName(tr("Preview"));
    txtPreview->setAccessibleDescription(tr("The chosen version, with its differences from the page now marked"));
    lblLegend = new QLabel(this);
    lblLegend->setWordWrap(true);
    cmdRestore = new QPushButton(tr("Restore This Version"), this);
    cmdRestore->setObjectName(QStringLiteral("cmdRestore"));
    cmdClose = new QPushButton(tr("Close"), this);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    auto *splitter = new QSplitter(Qt::Horizontal, this);
    splitter->addWidget(lstVersions);
    splitter->addWidget(txtPreview);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(lblLegend, 1);
    buttons->addWidget(cmdRestore);
    buttons->addWidget(cmdClose);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(splitter, 1);
    layout->addLayout(buttons);
    resize(fontMetrics().averageCharWidth() * 120, fontMetrics().height() * 28);
    connect(cmdRestore, &QPushButton::clicked, this, &frmPageHistory::cmdRestore_Click);
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::reject);
    connect(lstVersions, &QTreeWidget::itemActivated, this, &frmPageHistory::cmdRestore_Click);
    connect(lstVersions, &QTreeWidget::currentItemChanged, this, &frmPageHistory::showVersion);
    fillList();
    // Every column of the list in view, the preview beside it.
    const int listWidth = lstVersions->header()->length() + 2 * lstVersions->frameWidth()
                          + lstVersions->style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 4;
    const int previewWidth = fontMetrics().averageCharWidth() * 50;
    resize(std::max(width(), listWidth + previewWidth), height());
    splitter->setSizes({listWidth, width() - listWidth});
    // The list first; the preview and the counts once it is on the screen.
    QTimer::singleShot(0, this, [this] {
        lstVersions->setCurrentItem(lstVersions->topLevelItem(0));
        countWords();
    });
}

frmPageHistory::~frmPageHistory()
{
    m_stop = true;
    if (m_counter.joinable())
        m_counter.join();
}

QString frmPageHistory::kindText(PageHistory::Reason reason)
{
    switch (reason) {
    case PageHistory::Reason::Saved: return tr("Before a save");
    case PageHistory::Reason::Reloaded: return tr("Before a change made elsewhere");
    case PageHistory::Reason::Restored: return tr("Before a restore");
    case PageHistory::Reason::SavedAs: return tr("Before Save As over it");
    case PageHistory::Reason::Renamed: return tr("Before a rename");
    case PageHistory::Reason::Removed: return tr("Removed page");
    case PageHistory::Reason::Recovery: return tr("Unsaved text (recovery)");
    }
    return {};
}

void frmPageHistory::fillList()
{
    const QLocale locale;
    const WhenText whenText;
    QList<QTreeWidgetItem *> items;
    items.reserve(m_versions.size());
    for (const PageHistory::Version &v : m_versions) {
        auto *item = new QTreeWidgetItem(
            QStringList{whenText(v.time), kindText(v.reason), locale.formattedDataSize(v.size), {}, {}});
        item->setTextAlignment(Size, Qt::AlignRight | Qt::AlignVCenter);
        items.append(item);
    }
    lstVersions->addTopLevelItems(items);
    // The counts come later; their columns are as wide as their headings.
    for (const Column c : {When, Kind, Size, Added, Removed})
        lstVersions->resizeColumnToContents(c);
    cmdRestore->setEnabled(!m_versions.isEmpty());
    lblLegend->setText(m_versions.isEmpty()
                           ? tr("No earlier versions of this page are kept yet.")
                           : tr("Highlighted: only in this version. Struck out: only in the page now."));
}

void frmPageHistory::showVersion()
{
    const int row = lstVersions->indexOfTopLevelItem(lstVersions->currentItem());
    txtPreview->clear();
    if (row < 0)
        return;
    try {
        const rtf::Document version = PageHistory::read(m_versions[row]);
        QTextCursor cursor(txtPreview->document());
        if (!version.runs.empty())
            cursor.setBlockCharFormat(ui::toQtFormat(version.runs.front().format));
        // Whole paragraphs, so that positions in the text are positions in the preview.
        ui::textmodel::insertModel(cursor, version, false);
        markChanges(*txtPreview->document(), plain(version), plain(m_now));
        txtPreview->moveCursor(QTextCursor::Start);
    } catch (const IoError &error) {
        txtPreview->setPlainText(tr("This version could not be read: %1.").arg(error.reason()));
    }
}

void frmPageHistory::countWords()
{
    m_counter = std::thread([this, versions = m_versions, now = plain(m_now)] {
        const QList<worddiff::Word> nowWords = worddiff::words(now);
        for (qsizetype row = 0; row < versions.size() && !m_stop; ++row) {
            int added = -1;
            int removed = -1;
            try {
                const QString then = plain(PageHistory::read(versions[row]));
                const worddiff::Counts counts =
                    worddiff::count(worddiff::changes(then, worddiff::words(then), now, nowWords));
                added = counts.added;
                removed = counts.removed;
            } catch (const IoError &) {
                // Shown as unknown; the preview says why.
            }
            QMetaObject::invokeMethod(
                this, [this, row, added, removed] { counted(row, added, removed); }, Qt::QueuedConnection);
        }
    });
}

void frmPageHistory::counted(qsizetype row, int added, int removed)
{
    QTreeWidgetItem *item = lstVersions->topLevelItem(int(row));
    const QLocale locale;
    for (const auto &[column, n] : {std::pair{Added, added}, std::pair{Removed, removed}}) {
        item->setText(column, n < 0 ? QStringLiteral("?") : locale.toString(n));
        item->setTextAlignment(column, Qt::AlignRight | Qt::AlignVCenter);
    }
    ++m_counted;
}

void frmPageHistory::cmdRestore_Click()
{
    const int row = lstVersions->indexOfTopLevelItem(lstVersions->currentItem());
    if (row < 0)
        return;
    try {
        if (m_restore(PageHistory::read(m_versions[row])))
            accept();
    } catch (const IoError &error) {
        ui::MsgBox(this, tr("This version could not be read: %1.").arg(error.reason()));
    }
}

} // namespace jw
