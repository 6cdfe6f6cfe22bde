#pragma once

// A main window over a temporary page folder and settings file, with the
// helpers the page-operation tests share.

#include "dialogs/frmsplash.h"
#include "richtext/richtext.h"
#include "richtext/rtffile.h"
#include "pages/frmaddtab.h"
#include "pages/frmrenametab.h"
#include "pages/pagefiles.h"
#include "pages/pagelist.h"
#include "shell/frmmain.h"
#include "base/settingsstore.h"
#include "support/qtwait.h"
#include "ui/richtextedit.h"
#include "ui/tabstrip.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QTimer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>

namespace jwtest {

inline jw::rtf::CharFormat plainFormat() { return {"DejaVu Sans", 20, false, false, false}; }

/// A page of one plain run.
inline jw::rtf::Document plainPage(const std::u16string &text)
{
    jw::rtf::Document d{text, {}};
    if (!text.empty())
        d.runs.push_back({0, text.size(), plainFormat()});
    return d;
}

/// "Plain bold BIG underlined": four runs of different formatting.
inline jw::rtf::Document formattedPage()
{
    jw::rtf::Document d;
    d.text = u"Plain bold BIG\nunderlined";
    jw::rtf::CharFormat bold = plainFormat();
    bold.bold = true;
    jw::rtf::CharFormat big{"DejaVu Serif", 36, false, true, false};
    jw::rtf::CharFormat underlined = plainFormat();
    underlined.underline = true;
    d.runs = {{0, 6, plainFormat()}, {6, 5, bold}, {11, 3, big}, {14, 11, underlined}};
    return d;
}

/// While it lives, reads and closes every message box that becomes the
/// active modal window; other modal windows are left alone.
class MessageWatch final {
public:
    MessageWatch()
    {
        QObject::connect(&m_timer, &QTimer::timeout, &m_timer, [this] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box || !box->isVisible())
                return;
            SeenMessage message;
            message.title = box->windowTitle();
            message.text = box->text();
            message.buttons = int(box->buttons().size());
            message.hasIcon = box->icon() != QMessageBox::NoIcon;
            seen.append(message);
            box->accept();
        });
        m_timer.start(10);
    }

    QList<SeenMessage> seen;

private:
    QTimer m_timer;
};

class PageOpsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_oldCwd = QDir::currentPath();
        ASSERT_TRUE(QDir::setCurrent(m_dir.path()));
        qputenv("XDG_CONFIG_HOME", m_dir.filePath(QStringLiteral("config")).toLocal8Bit());
        m_store = std::make_unique<jw::SettingsStore>(m_dir.filePath(QStringLiteral("config/jotwell/settings.json")));
        m_files = std::make_unique<jw::PageFiles>(m_dir.path());
    }

    void TearDown() override
    {
        if (m_window) {
            m_window->hide();
            m_window.reset();
        }
        QDir::setCurrent(m_oldCwd);
    }

    /// Lists `titles` at positions 1..n before the start.
    void listPages(const QStringList &titles)
    {
        for (int i = 0; i < titles.size(); ++i)
            m_store->write(jw::kApp, jw::kTabsSection, titles.at(i), QString::number(i + 1));
    }

    /// Starts the pad as the user sees it once the splash is gone.
    jw::frmMain &start()
    {
        m_window = std::make_unique<jw::frmMain>(*m_store, *m_files);
        m_window->Form_Load();
        delete m_window->splash();
        m_window->show();
        m_window->activateWindow();
        settle();
        m_beforeClicks = std::make_unique<QSignalSpy>(m_window->oTabs, &jw::ui::TabStrip::BeforeClick);
        m_clicks = std::make_unique<QSignalSpy>(m_window->oTabs, &jw::ui::TabStrip::Click);
        return *m_window;
    }

    /// Selects a tab the way the user does, with the page switch.
    void chooseTab(int index)
    {
        ASSERT_TRUE(m_window->oTabs->requestTab(index));
        settle();
        m_beforeClicks->clear();
        m_clicks->clear();
    }

    /// Number of page switches the tab strip raised since start() or chooseTab().
    int switchEvents() const { return int(m_beforeClicks->count() + m_clicks->count()); }

    QString path(const QString &name) const { return m_dir.filePath(name); }
    bool exists(const QString &name) const { return QFileInfo::exists(path(name)); }
    QByteArray bytes(const QString &name) const
    {
        QFile f(path(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    jw::rtf::Document page(const QString &name) const { return jw::loadRtfFile(path(name)); }
    void writePage(const QString &name, const jw::rtf::Document &d) const { jw::saveRtfFile(path(name), d); }
    QStringList folder() const
    {
        return QDir(m_dir.path()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name);
    }

    QStringList tabs() const
    {
        QStringList captions;
        for (int i = 1; i <= m_window->oTabs->count(); ++i)
            captions << m_window->oTabs->caption(i);
        return captions;
    }
    jw::SettingsEntries pageList() const
    {
        return m_store->readSection(jw::kApp, jw::kTabsSection).value_or(jw::SettingsEntries{});
    }
    /// The page list as "title=position" texts, in store order.
    QStringList pageListText() const
    {
        QStringList list;
        for (const auto &[key, value] : pageList())
            list << key + u'=' + value;
        return list;
    }

    /// Opens the add dialog from the Edit menu and lets `drive` work it; if
    /// `drive` leaves it open it is closed through its close box.
    void withAddDialog(const std::function<void(jw::frmAddTab &)> &drive)
    {
        bool seen = false;
        onNextModal([&](QWidget *modal) {
            auto *dialog = qobject_cast<jw::frmAddTab *>(modal);
            ASSERT_NE(dialog, nullptr) << "no add dialog";
            seen = true;
            drive(*dialog);
            if (dialog->isVisible())
                dialog->close();
        });
        m_window->mnuAddTab->trigger();
        EXPECT_TRUE(seen);
        settle();
    }

    /// The same for the rename dialog.
    void withRenameDialog(const std::function<void(jw::frmRenameTab &)> &drive)
    {
        bool seen = false;
        onNextModal([&](QWidget *modal) {
            auto *dialog = qobject_cast<jw::frmRenameTab *>(modal);
            ASSERT_NE(dialog, nullptr) << "no rename dialog";
            seen = true;
            drive(*dialog);
            if (dialog->isVisible())
                dialog->close();
        });
        m_window->mnuRename->trigger();
        EXPECT_TRUE(seen);
        settle();
    }

    /// Types `text` into a box and presses `key` there; returns the
    /// message boxes that opened meanwhile (each read and closed).
    static QList<SeenMessage> typeAndPress(QLineEdit *box, const QString &text, Qt::Key key = Qt::Key_Return)
    {
        box->clear();
        QTest::keyClicks(box, text);
        MessageWatch watch;
        QTest::keyClick(box, key);
        settle();
        return watch.seen;
    }

    /// Clicks `button`; returns the message boxes that opened meanwhile.
    static QList<SeenMessage> clickAndRead(QPushButton *button)
    {
        MessageWatch watch;
        QTest::mouseClick(button, Qt::LeftButton);
        settle();
        return watch.seen;
    }

    QTemporaryDir m_dir;
    QString m_oldCwd;
    std::unique_ptr<jw::SettingsStore> m_store;
    std::unique_ptr<jw::PageFiles> m_files;
    std::unique_ptr<jw::frmMain> m_window;
    std::unique_ptr<QSignalSpy> m_beforeClicks;
    std::unique_ptr<QSignalSpy> m_clicks;
};

} // namespace jwtest
