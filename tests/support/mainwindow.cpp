#include "support/mainwindow.h"

#include "dialogs/frmsplash.h"
#include "pages/pagelist.h"
#include "richtext/rtffile.h"
#include "ui/richtextedit.h"
#include "ui/tabstrip.h"

#include <QTest>

namespace jwtest {

jw::rtf::Document page(const std::u16string &text, bool bold)
{
    jw::rtf::Document doc{text, {}};
    if (!text.empty())
        doc.runs.push_back({0, text.size(), {"DejaVu Sans", 20, bold, false, false}});
    return doc;
}

std::u16string pageText(const QString &file)
{
    try {
        return jw::loadRtfFile(here(file)).text;
    } catch (const std::exception &) {
        return u"";
    }
}

void writePage(const QString &file, const jw::rtf::Document &doc) { jw::saveRtfFile(here(file), doc); }

jw::frmMain &MainWindowTest::start(const QStringList &titles)
{
    if (!titles.isEmpty())
        store.updateSection(jw::kApp, jw::kTabsSection, [&](jw::SettingsEntries &entries) {
            entries = jw::numberedPageList(titles);
            return true;
        });
    window = std::make_unique<jw::frmMain>(store, files);
    window->Form_Load();
    // The splash's course is tested on its own; here the user opens the pad at once.
    window->splash()->close();
    waitUntil([&] { return window->splash() == nullptr; });
    window->show();
    window->activateWindow();
    settle();
    return *window;
}

void MainWindowTest::TearDown()
{
    if (window) {
        window->hide();
        window.reset();
    }
}

QStringList MainWindowTest::tabs() const { return window->tabCaptions(); }

void MainWindowTest::type(const QString &text)
{
    window->txtPad->setFocus();
    QTest::keyClicks(window->txtPad, text);
}

bool MainWindowTest::clickTab(int index) { return window->oTabs->requestTab(index); }

} // namespace jwtest
