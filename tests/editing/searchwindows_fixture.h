#pragma once

// A started main window in a temporary folder of its own, shown as the user
// sees it after opening the pad.

#include "dialogs/frmsplash.h"
#include "richtext/richtext.h"
#include "richtext/rtffile.h"
#include "pages/pagefiles.h"
#include "shell/frmmain.h"
#include "base/settingsstore.h"
#include "support/qtwait.h"
#include "ui/richtextedit.h"
#include "ui/tabstrip.h"

#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace jwtest {

inline std::u16string u16(const QString &s)
{
    return std::u16string(reinterpret_cast<const char16_t *>(s.constData()), std::size_t(s.size()));
}

inline jw::rtf::CharFormat plain() { return {"DejaVu Sans", 24, false, false, false}; }
inline jw::rtf::CharFormat bold() { return {"DejaVu Sans", 24, true, false, false}; }
inline jw::rtf::CharFormat italic() { return {"DejaVu Serif", 32, false, true, true}; }

/// A page from pieces of text with their formats.
inline jw::rtf::Document page(const std::vector<std::pair<QString, jw::rtf::CharFormat>> &pieces)
{
    jw::rtf::Document doc;
    for (const auto &[text, format] : pieces) {
        const std::size_t start = doc.text.size();
        doc.text += u16(text);
        doc.runs.push_back({start, std::size_t(text.size()), format});
    }
    jw::rtf::normalizeRuns(doc);
    return doc;
}

/// A page of unformatted text.
inline jw::rtf::Document page(const QString &text) { return page({{text, plain()}}); }

/// Watches for the next modal window that `wanted` accepts, hands it to
/// `inspect`, and then closes it (a dialog still open is rejected). The
/// watch ends with the object, so a window that never came cannot be
/// mistaken for a later one.
class ModalWatch final {
public:
    ModalWatch(std::function<bool(QWidget *)> wanted, std::function<void(QWidget *)> inspect)
        : m_timer(std::make_unique<QTimer>()), m_seen(std::make_shared<bool>(false))
    {
        QTimer *timer = m_timer.get();
        auto seen = m_seen;
        QObject::connect(timer, &QTimer::timeout, timer, [timer, seen, wanted, inspect] {
            QWidget *modal = QApplication::activeModalWidget();
            if (!modal || !wanted(modal))
                return;
            timer->stop();
            *seen = true;
            inspect(modal);
            if (auto *dialog = qobject_cast<QDialog *>(modal); dialog && dialog->isVisible())
                dialog->reject();
        });
        timer->start(10);
    }
    ModalWatch(ModalWatch &&) = default;
    ~ModalWatch()
    {
        if (m_timer)
            m_timer->stop();
    }

    /// True once the window came and was handled.
    bool seen() const { return *m_seen; }

private:
    std::unique_ptr<QTimer> m_timer;
    std::shared_ptr<bool> m_seen;
};

/// Watches for the next modal window of type W.
template <typename W>
ModalWatch watchModal(std::function<void(W &)> inspect)
{
    return ModalWatch([](QWidget *w) { return qobject_cast<W *>(w) != nullptr; },
                      [inspect](QWidget *w) { inspect(*qobject_cast<W *>(w)); });
}

/// Watches for the next message box, reads it into `seen` and closes it.
inline ModalWatch watchMessage(SeenMessage &seen)
{
    return watchModal<QMessageBox>([&seen](QMessageBox &box) {
        seen.title = box.windowTitle();
        seen.text = box.text();
        seen.buttons = int(box.buttons().size());
        seen.hasIcon = box.icon() != QMessageBox::NoIcon;
    });
}

class MainWindowFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_previousFolder = QDir::currentPath();
        QDir::setCurrent(m_dir.path());
        QDir(m_dir.path()).mkpath(QStringLiteral("config"));
        qputenv("XDG_CONFIG_HOME", m_dir.filePath(QStringLiteral("config")).toUtf8());
        m_store = std::make_unique<jw::SettingsStore>(m_dir.filePath(QStringLiteral("config/jotwell/settings.json")));
        m_files = std::make_unique<jw::PageFiles>(m_dir.path());
    }

    void TearDown() override
    {
        if (m_window) {
            m_window->hide();
            m_window.reset();
        }
        QDir::setCurrent(m_previousFolder);
    }

    /// Starts the pad (pages "Welcome" and "Notes", "Notes" current) and opens it.
    jw::frmMain &start()
    {
        m_window = std::make_unique<jw::frmMain>(*m_store, *m_files);
        m_window->Form_Load();
        delete m_window->splash();
        m_window->show();
        m_window->activateWindow();
        settle();
        return *m_window;
    }

    /// Makes the main window the active one again, as a window manager does
    /// when a dialog closes (the offscreen platform leaves no window active).
    void activate()
    {
        m_window->activateWindow();
        EXPECT_TRUE(waitUntil([&] { return m_window->isActiveWindow(); }));
    }

    /// Puts `doc` into the editor as the current page's text.
    void setPage(const jw::rtf::Document &doc)
    {
        m_window->txtPad->setFromDocument(doc);
        settle();
    }

    void selectText(int start, int length)
    {
        m_window->txtPad->setSelStart(start);
        m_window->txtPad->setSelLength(length);
    }

    void clickTab(int index)
    {
        auto *bar = m_window->oTabs;
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(index - 1).center());
        settle();
    }

    QString path(const QString &name) const { return m_dir.filePath(name); }
    QByteArray bytes(const QString &file) const
    {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    QStringList folderEntries() const
    {
        return QDir(m_dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name);
    }

    QTemporaryDir m_dir;
    QString m_previousFolder;
    std::unique_ptr<jw::SettingsStore> m_store;
    std::unique_ptr<jw::PageFiles> m_files;
    std::unique_ptr<jw::frmMain> m_window;
};

} // namespace jwtest
