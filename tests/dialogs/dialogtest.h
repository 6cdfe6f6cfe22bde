#pragma once

// Shared by the window tests of the About box and the help: a started main
// window in the test's folder, and a watcher that answers message boxes.

#include "pages/pagefiles.h"
#include "shell/frmmain.h"
#include "dialogs/frmsplash.h"
#include "base/settingsstore.h"
#include "support/qtwait.h"

#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace jwtest {

/// While it lives, every message box that opens is recorded and closed with OK.
class MessageWatcher final {
public:
    MessageWatcher()
    {
        QObject::connect(&m_timer, &QTimer::timeout, &m_timer, [this] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box || !box->isVisible())
                return;
            SeenMessage seen;
            seen.title = box->windowTitle();
            seen.text = box->text();
            seen.buttons = int(box->buttons().size());
            seen.hasIcon = box->icon() != QMessageBox::NoIcon;
            seen_.push_back(seen);
            box->accept();
        });
        m_timer.start(10);
    }

    const std::vector<SeenMessage> &seen() const { return seen_; }

private:
    QTimer m_timer;
    std::vector<SeenMessage> seen_;
};

/// A main window started in the test's current folder, with the splash
/// already gone and the window shown.
class StartedMainWindow {
public:
    StartedMainWindow()
        : m_store(QDir::current().filePath(QStringLiteral("config/jotwell/settings.json"))),
          m_files(QDir::currentPath()), m_window(std::make_unique<jw::frmMain>(m_store, m_files))
    {
        m_window->Form_Load();
        delete m_window->splash();
        m_window->show();
        m_window->activateWindow();
        settle();
    }
    ~StartedMainWindow()
    {
        m_window->hide();
        m_window.reset();
    }

    jw::frmMain &window() { return *m_window; }

private:
    jw::SettingsStore m_store;
    jw::PageFiles m_files;
    std::unique_ptr<jw::frmMain> m_window;
};

} // namespace jwtest
