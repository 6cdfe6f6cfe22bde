#include "support/mainwindow.h"

#include "about/frmsplash.h"
#include "pages/pagelist.h"
#include "richtext/rtffile.h"
#include "miniwindow/minicommands.h"
#include "ui/combobox.h"
#include "ui/richtextedit.h"
#include "ui/tabstrip.h"
#include "ui/toolbar.h"

#include <QPushButton>
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
        store.updateSection(jw::kApp, jw::kTabsSection,
                            [&](jw::SettingsEntries &e) { return e = jw::numberedPageList(titles), true; });
    window = std::make_unique<jw::frmMain>(store, files);
    auto find = [&]<class T>(T *&control, const char *name) {
        control = window->findChild<T *>(QString::fromLatin1(name));
        ASSERT_NE(control, nullptr) << name;
    };
    find(txtPad, "txtPad");
    find(oTabs, "oTabs");
    find(Toolbar1, "Toolbar1");
    find(cmbFont, "cmbFont");
    find(cmbFontSize, "cmbFontSize");
    find(cmdShink, "cmdShink");
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
    if (window)
        window->hide();
    window.reset();
}

QStringList MainWindowTest::tabs() const { return window->tabCaptions(); }

void MainWindowTest::type(const QString &text)
{
    txtPad->setFocus();
    QTest::keyClicks(txtPad, text);
}

bool MainWindowTest::clickTab(int index) { return oTabs->requestTab(index); }

QAction *MainWindowTest::action(const char *name) const
{
    auto *found = window->findChild<QAction *>(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
}

jw::MiniWindowCommands &MainWindowTest::miniFeature() const { return *window->findChild<jw::MiniWindowCommands *>(); }

} // namespace jwtest
