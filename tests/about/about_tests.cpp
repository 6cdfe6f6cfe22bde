// The About box: where it opens, what it shows, how it closes, and System Info.
#include "base/placement.h"
#include "about/frmabout.h"
#include "about/platform/fake/fakeregistry.h"
#include "about/platform/sysinfopath.h"
#include "support/files.h"
#include "support/qtwait.h"
#include "ui/twips.h"

#include <QPushButton>
#include <QLabel>
#include <gtest/gtest.h>

#include <stdexcept>

using namespace jw;
using namespace jw::registry;

namespace {

class AboutTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_main.show();
        // Every message box is noted and closed.
        QObject::connect(&m_watch, &QTimer::timeout, &m_watch, [this] {
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
                m_messages << box->windowTitle() + u'|' + box->text();
                box->accept();
            }
        });
        m_watch.start(10);
    }

    std::unique_ptr<frmAbout> open()
    {
        // Only a program that is there starts.
        auto box = std::make_unique<frmAbout>(m_main, m_registry, [this](const QString &path) {
            m_started << path;
            if (!QFile::exists(path))
                throw std::runtime_error("cannot start");
        });
        box->show();
        jwtest::settle();
        return box;
    }

    QWidget m_main;
    FakeRegistry m_registry;
    QStringList m_started;
    QTimer m_watch;
    QStringList m_messages;
};

TEST_F(AboutTest, OpensInItsPlaceWithTitleAndVersionWhileTheMainWindowHides)
{
    const double screen = ui::ScreenHeight(&m_main);
    ui::setTop(&m_main, screen - 3000); // near the bottom: the box opens higher up
    ui::setLeft(&m_main, 700);
    jwtest::settle();
    const Corner expected = aboutPlacement({ui::Top(&m_main), ui::Left(&m_main)}, screen);
    auto box = open();
    EXPECT_NEAR(ui::Top(box.get()), expected.top, 15);
    EXPECT_NEAR(ui::Left(box.get()), expected.left, 15);
    EXPECT_FALSE(m_main.isVisible());
    EXPECT_FALSE(box->picIcon->pixmap().isNull());
    // The etched line above the buttons: a shadow, and a highlight under it.
    const QImage drawn = box->grab().toImage();
    const int x = ui::toPixelsX(box.get(), 3000), y = ui::toPixelsY(box.get(), 2445);
    EXPECT_EQ(std::pair(drawn.pixel(x, y), drawn.pixel(x, std::max(ui::toPixelsY(box.get(), 2460), y + 1))),
              std::pair(box->palette().color(QPalette::Dark).rgb(), box->palette().color(QPalette::Light).rgb()));
    box->activateWindow();
    EXPECT_TRUE(jwtest::waitUntil([&] { return QApplication::focusWidget() == box->cmdOK; })); // Tab order: surfaces
}

TEST_F(AboutTest, OkEscEnterAndTheCloseBoxShowTheMainWindowAgain)
{
    const std::function<void(frmAbout &)> ways[] = {
        [](frmAbout &box) { QTest::mouseClick(box.cmdOK, Qt::LeftButton); },
        [](frmAbout &box) { QTest::keyClick(&box, Qt::Key_Escape); },
        [](frmAbout &box) { QTest::keyClick(box.picIcon, Qt::Key_Return); }, // Enter anywhere presses OK
        [](frmAbout &box) { box.close(); },
    };
    for (const auto &close : ways) {
        auto box = open();
        close(*box);
        EXPECT_EQ(std::pair(box->isVisible(), m_main.isVisible()), std::pair(false, true));
    }
}

// Which registries lead where is the search's rule, tested with it; here,
// what the box does then. The box stays open either way.
TEST_F(AboutTest, SystemInfoStartsTheProgramOrSaysItIsUnavailable)
{
    const QString unavailable = QStringLiteral("Jotwell Pro|System Information Is Unavailable At This Time");
    // The folder's value with "\MSINFO32.EXE" appended is one file name here.
    const QString tools = jwtest::here(QStringLiteral("tools")), program = tools + QStringLiteral("\\MSINFO32.EXE");
    const auto folderValue = [this](const QString &folder) {
        return [=, this] { m_registry.setText(kHkeyLocalMachine, kSharedToolsKey, "MSINFO", folder.toStdString()); };
    };
    // The PATH value as `type`: `text` and a NUL.
    const auto pathValue = [this](std::uint32_t type, const std::string &text) {
        std::vector<unsigned char> bytes(text.begin(), text.end());
        bytes.push_back(0);
        return [=, this] { m_registry.setValue(kHkeyLocalMachine, kMsInfoKey, "PATH", type, bytes); };
    };
    const std::tuple<const char *, std::function<void()>, QStringList, QStringList> cases[] = {
        {"a folder holding the program", folderValue(tools), {program}, {}},
        {"a folder without the program", folderValue(QDir::currentPath()), {}, {unavailable}},
        {"a path that is not text", pathValue(kRegBinary, "/b"), {}, {unavailable}},
        {"a program that cannot start", pathValue(kRegSz, "/gone/info"), {QStringLiteral("/gone/info")}, {unavailable}},
    };
    ASSERT_TRUE(jwtest::writeBytes(program, "x"));
    for (const auto &[what, arrange, started, messages] : cases) {
        m_registry = FakeRegistry();
        m_started.clear();
        m_messages.clear();
        arrange();
        auto box = open();
        QTest::mouseClick(box->cmdSysInfo, Qt::LeftButton);
        EXPECT_EQ(std::tuple(m_started, m_messages, box->isVisible()), std::tuple(started, messages, true)) << what;
    }
}

TEST(AboutLauncher, StartsTheProgramWithoutWaitingAndSaysWhenItCannot)
{
    // The program runs until it is told to end: a launcher that waited would never return.
    const QString script = jwtest::here(QStringLiteral("info"));
    ASSERT_TRUE(jwtest::writeBytes(script,
                                   "#!/bin/sh\nexec >/dev/null 2>&1\ntouch \"$0.started\"\nn=0\n"
                                   "while [ ! -f \"$0.end\" ] && [ $n -lt 300 ]; do sleep 0.1; n=$((n+1)); done\n"));
    QFile::setPermissions(script, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    frmAbout::startDetached(script);
    EXPECT_TRUE(jwtest::waitUntil([&] { return QFile::exists(script + QStringLiteral(".started")); }));
    ASSERT_TRUE(jwtest::writeBytes(script + QStringLiteral(".end"), {}));

    EXPECT_THROW(frmAbout::startDetached(jwtest::here(QStringLiteral("gone"))), std::exception);
}

} // namespace
