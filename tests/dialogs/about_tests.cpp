// The About box: layout, load and unload rules, and the System Info button.
#include "dialogtest.h"

#include "dialogs/frmabout.h"
#include "dialogs/registry/fake/fakeregistry.h"
#include "dialogs/registry/linux/linuxregistry.h"
#include "dialogs/registry/sysinfopath.h"
#include "base/placement.h"
#include "ui/twips.h"

#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <stdexcept>

using namespace jw;
using jwtest::MessageWatcher;
using jwtest::waitUntil;

namespace {

const QString kUnavailable = QStringLiteral("System Information Is Unavailable At This Time");

// ------------------------------------------------------------ placement

class AboutPlacementTest : public ::testing::Test {
protected:
    // Opens the About box from the Help menu with the main window's corner
    // at (top, left) and returns the box's corner as it stood while open.
    Corner openAt(double top, double left)
    {
        frmMain &main = m_main.window();
        ui::setTop(&main, top);
        ui::setLeft(&main, left);
        jwtest::settle();
        Corner seen{-1, -1};
        jwtest::onNextModal([&seen](QWidget *modal) {
            if (auto *box = qobject_cast<frmAbout *>(modal))
                seen = {ui::Top(box), ui::Left(box)};
        });
        main.mnuAbout_Click();
        return seen;
    }

    double screenHeight() { return ui::ScreenHeight(&m_main.window()); }

    jwtest::StartedMainWindow m_main;
};

TEST_F(AboutPlacementTest, OpensAtTheMainWindowsCorner)
{
    const Corner box = openAt(1500, 2250);
    EXPECT_NEAR(box.top, 1500, 15);
    EXPECT_NEAR(box.left, 2250, 15);
}

TEST_F(AboutPlacementTest, OpensHigherUpWhenTheMainWindowIsNearTheBottom)
{
    // 15 twips is one pixel at 96 dots per inch.
    const double limit = screenHeight() - 3930;
    Corner box = openAt(limit, 300);
    EXPECT_NEAR(box.top, limit, 15) << "exactly at the limit counts as not near the bottom";

    box = openAt(limit + 15, 300);
    EXPECT_NEAR(box.top, limit + 15 + 960 - 3930, 15);
    EXPECT_NEAR(box.left, 300, 15);

    box = openAt(screenHeight() - 900, 4500);
    EXPECT_NEAR(box.top, screenHeight() - 900 + 960 - 3930, 15);
    EXPECT_NEAR(box.left, 4500, 15);
}

// ------------------------------------------------- hidden while it is open

class AboutOpenCloseTest : public ::testing::TestWithParam<int> {
protected:
    jwtest::StartedMainWindow m_main;
};

enum CloseBy { ByOk, ByEscape, ByEnter, ByCloseBox };

TEST_P(AboutOpenCloseTest, TheMainWindowIsHiddenWhileTheBoxIsOpen)
{
    frmMain &main = m_main.window();
    ASSERT_TRUE(main.isVisible());
    QSignalSpy lastClosed(qApp, &QGuiApplication::lastWindowClosed);
    bool mainVisibleWhileOpen = true;
    bool boxSeen = false;
    jwtest::onNextModal([&](QWidget *modal) {
        auto *box = qobject_cast<frmAbout *>(modal);
        if (!box)
            return;
        boxSeen = true;
        mainVisibleWhileOpen = main.isVisible();
        switch (GetParam()) {
        case ByOk:
            QTest::mouseClick(box->cmdOK, Qt::LeftButton);
            break;
        case ByEscape:
            QTest::keyClick(box, Qt::Key_Escape);
            break;
        case ByEnter:
            QTest::keyClick(box->focusWidget() ? box->focusWidget() : box, Qt::Key_Return);
            break;
        case ByCloseBox:
            box->close();
            break;
        }
        EXPECT_FALSE(box->isVisible());
    });
    main.mnuAbout_Click();
    EXPECT_TRUE(boxSeen);
    EXPECT_FALSE(mainVisibleWhileOpen);
    EXPECT_TRUE(main.isVisible());
    jwtest::settle();
    EXPECT_EQ(lastClosed.count(), 0) << "closing the box must not end the program";
}

INSTANTIATE_TEST_SUITE_P(EveryWayOfClosing, AboutOpenCloseTest, ::testing::Values(ByOk, ByEscape, ByEnter, ByCloseBox));

// ------------------------------------------------------ layout and texts

class AboutBoxTest : public ::testing::Test {
protected:
    void SetUp() override { m_mainWindow.show(); }

    std::unique_ptr<frmAbout> open(frmAbout::Launcher launcher = {})
    {
        if (!launcher)
            launcher = [this](const QString &path) {
                m_started.push_back(path);
                return m_launchWorks;
            };
        auto box = std::make_unique<frmAbout>(m_mainWindow, m_registry, launcher);
        box->show();
        jwtest::settle();
        return box;
    }

    static int px(const QWidget *w, double twips) { return ui::toPixelsX(w, twips); }
    static int py(const QWidget *w, double twips) { return ui::toPixelsY(w, twips); }

    QWidget m_mainWindow;
    registry::FakeRegistry m_registry;
    QStringList m_started;
    bool m_launchWorks = true;
};

TEST_F(AboutBoxTest, ShowsTheTitleAndVersion)
{
    auto box = open();
    EXPECT_EQ(box->windowTitle(), QStringLiteral("About Jotwell Pro"));
    EXPECT_EQ(box->lblTitle->text(), QStringLiteral("Jotwell Pro"));
    EXPECT_EQ(box->lblVersion->text(), QStringLiteral("Version %1.%2.%3")
                                           .arg(JW_VERSION_MAJOR)
                                           .arg(JW_VERSION_MINOR)
                                           .arg(JW_VERSION_PATCH));
    EXPECT_TRUE(box->lblVersion->text().contains(QRegularExpression(QStringLiteral("^Version (0|[1-9][0-9]*)(\\.(0|[1-9][0-9]*)){2}$"))));
    EXPECT_FALSE(box->lblDescription->text().isEmpty());
    EXPECT_FALSE(box->Label1->text().isEmpty());
    EXPECT_TRUE(box->lblDisclaimer->text().isEmpty());
    EXPECT_FALSE(box->picIcon->pixmap().isNull());

    const QFont title = box->lblTitle->font();
    EXPECT_TRUE(title.bold());
    EXPECT_DOUBLE_EQ(title.pointSizeF(), 13.5);
    EXPECT_EQ(title.family(), box->lblVersion->font().family()) << "the default sans family";
}

TEST_F(AboutBoxTest, IsAFixedDialogLaidOutInTwips)
{
    auto box = open();
    EXPECT_EQ(box->size(), QSize(px(box.get(), 5730), py(box.get(), 3555)));
    EXPECT_EQ(box->minimumSize(), box->maximumSize());
    EXPECT_FALSE(box->windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(box->windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(box->isModal());

    const auto expect = [&box](QWidget *w, double l, double t, double wd, double h) {
        EXPECT_EQ(w->geometry(), QRect(px(box.get(), l), py(box.get(), t), px(box.get(), wd), py(box.get(), h)))
            << w->objectName().toStdString();
    };
    expect(box->picIcon, 240, 240, 540, 540);
    expect(box->lblTitle, 1050, 240, 3885, 480);
    expect(box->lblVersion, 1050, 780, 3885, 225);
    expect(box->lblDescription, 1050, 1125, 3885, 1170);
    expect(box->Label1, 1080, 2040, 3855, 375);
    expect(box->lblDisclaimer, 255, 2625, 3870, 825);
    expect(box->cmdOK, 4245, 2625, 1260, 345);
    expect(box->cmdSysInfo, 4260, 3075, 1245, 345);
    EXPECT_EQ(box->cmdOK->text(), QStringLiteral("OK"));
    EXPECT_EQ(box->cmdSysInfo->text(), QStringLiteral("&System Info..."));
    EXPECT_TRUE(box->cmdOK->isDefault());
}

TEST_F(AboutBoxTest, TheTextsFitTheirLabels)
{
    // The description's label reaches into Label1's: its text must end above it.
    auto box = open();
    const int descriptionRoom = py(box.get(), 2040 - 1125);
    EXPECT_LE(box->lblDescription->heightForWidth(box->lblDescription->width()), descriptionRoom);
    EXPECT_LE(box->Label1->heightForWidth(box->Label1->width()), box->Label1->height());
    EXPECT_LE(box->lblTitle->sizeHint().width(), box->lblTitle->width());
    EXPECT_LE(box->lblTitle->sizeHint().height(), box->lblTitle->height());
    EXPECT_LE(box->lblVersion->sizeHint().width(), box->lblVersion->width());
}

TEST_F(AboutBoxTest, TheTabOrderRunsOkIconSystemInfo)
{
    auto box = open();
    box->activateWindow();
    ASSERT_TRUE(waitUntil([&] { return box->focusWidget() == box->cmdOK; }));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(box->focusWidget(), box->picIcon);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(box->focusWidget(), box->cmdSysInfo);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(box->focusWidget(), box->cmdOK);
}

TEST_F(AboutBoxTest, DrawsAnEtchedSeparator)
{
    auto box = open();
    const QImage image = box->grab().toImage();
    const int x = px(box.get(), 3000);
    const auto rgb = [&box](QPalette::ColorRole role) { return box->palette().color(role).rgb(); };
    ASSERT_NE(rgb(QPalette::Dark), rgb(QPalette::Window));
    ASSERT_NE(rgb(QPalette::Light), rgb(QPalette::Dark));
    EXPECT_EQ(image.pixel(x, py(box.get(), 2445)), rgb(QPalette::Dark));
    EXPECT_EQ(image.pixel(x, py(box.get(), 2460)), rgb(QPalette::Light));
    EXPECT_EQ(image.pixel(x, py(box.get(), 2460) + 2), rgb(QPalette::Window));
    EXPECT_EQ(image.pixel(px(box.get(), 60), py(box.get(), 2445)), rgb(QPalette::Window)) << "the line starts at 90";
}

TEST_F(AboutBoxTest, HidesTheMainWindowAndShowsItAgainOnClose)
{
    auto box = open();
    EXPECT_FALSE(m_mainWindow.isVisible());
    box->cmdOK_Click();
    EXPECT_FALSE(box->isVisible());
    EXPECT_TRUE(m_mainWindow.isVisible());
}

// ------------------------------------------------------------ System Info

TEST_F(AboutBoxTest, SystemInfoStartsTheProgramThePathValueNames)
{
    m_registry.setText(registry::kHkeyLocalMachine, registry::kMsInfoKey, "PATH", "/usr/bin/sysinfo-program");
    auto box = open();
    MessageWatcher messages;
    QTest::mouseClick(box->cmdSysInfo, Qt::LeftButton);
    jwtest::settle();
    EXPECT_EQ(m_started, QStringList{QStringLiteral("/usr/bin/sysinfo-program")});
    EXPECT_TRUE(messages.seen().empty());
    EXPECT_TRUE(box->isVisible());

    box->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(box.get()));
    QTest::keyClick(box.get(), Qt::Key_S, Qt::AltModifier);
    // A button's access key animates the click: it comes a moment later.
    EXPECT_TRUE(waitUntil([this] { return m_started.size() == 2; })) << "Alt+S presses System Info";
}

TEST_F(AboutBoxTest, NothingFoundTellsTheUserAndKeepsTheBoxOpen)
{
    auto box = open();
    MessageWatcher messages;
    box->cmdSysInfo_Click();
    ASSERT_EQ(messages.seen().size(), 1u);
    const jwtest::SeenMessage &seen = messages.seen().front();
    EXPECT_EQ(seen.text, kUnavailable);
    EXPECT_EQ(seen.title, QStringLiteral("Jotwell Pro"));
    EXPECT_EQ(seen.buttons, 1);
    EXPECT_FALSE(seen.hasIcon);
    EXPECT_TRUE(m_started.isEmpty());
    EXPECT_TRUE(box->isVisible());
    EXPECT_FALSE(m_mainWindow.isVisible());
}

TEST_F(AboutBoxTest, AProgramThatFailsToStartTellsTheUser)
{
    m_registry.setText(registry::kHkeyLocalMachine, registry::kMsInfoKey, "PATH", "/nowhere/msinfo32");
    m_launchWorks = false;
    auto box = open();
    MessageWatcher messages;
    box->cmdSysInfo_Click();
    EXPECT_EQ(m_started.size(), 1);
    ASSERT_EQ(messages.seen().size(), 1u);
    EXPECT_EQ(messages.seen().front().text, kUnavailable);
    EXPECT_TRUE(box->isVisible());
}

TEST_F(AboutBoxTest, AnErrorWhileStartingTellsTheUser)
{
    m_registry.setText(registry::kHkeyLocalMachine, registry::kMsInfoKey, "PATH", "/usr/bin/sysinfo-program");
    auto box = open([](const QString &) -> bool { throw std::runtime_error("no process"); });
    MessageWatcher messages;
    box->cmdSysInfo_Click();
    ASSERT_EQ(messages.seen().size(), 1u);
    EXPECT_EQ(messages.seen().front().text, kUnavailable);
}

TEST_F(AboutBoxTest, APathThatIsNotTextStartsNothing)
{
    m_registry.setValue(registry::kHkeyLocalMachine, registry::kMsInfoKey, "PATH", registry::kRegBinary, {'/', 'b', 0});
    m_registry.setText(registry::kHkeyLocalMachine, registry::kSharedToolsKey, "MSINFO", "/usr/bin");
    auto box = open();
    MessageWatcher messages;
    box->cmdSysInfo_Click();
    EXPECT_TRUE(m_started.isEmpty());
    ASSERT_EQ(messages.seen().size(), 1u);
    EXPECT_EQ(messages.seen().front().text, kUnavailable);
}

TEST_F(AboutBoxTest, ANumberAsPathCannotBeStarted)
{
    m_registry.setValue(registry::kHkeyLocalMachine, registry::kMsInfoKey, "PATH", registry::kRegDword, {1, 0, 0, 0});
    frmAbout box(m_mainWindow, m_registry, &frmAbout::startDetached);
    box.show();
    MessageWatcher messages;
    box.cmdSysInfo_Click();
    ASSERT_EQ(messages.seen().size(), 1u);
    EXPECT_EQ(messages.seen().front().text, kUnavailable);
}

TEST_F(AboutBoxTest, AReadOnlyKeyMeansUnavailable)
{
    m_registry.setText(registry::kHkeyLocalMachine, registry::kMsInfoKey, "PATH", "/usr/bin/sysinfo-program");
    m_registry.setReadOnly(registry::kHkeyLocalMachine, registry::kMsInfoKey);
    auto box = open();
    MessageWatcher messages;
    box->cmdSysInfo_Click();
    EXPECT_TRUE(m_started.isEmpty());
    ASSERT_EQ(messages.seen().size(), 1u);
    EXPECT_EQ(messages.seen().front().text, kUnavailable);
}

TEST_F(AboutBoxTest, TheSharedToolsFolderIsUsedWhenItHoldsTheProgram)
{
    // The folder value plus "\MSINFO32.EXE" is one file name here.
    const QString folder = QDir::current().filePath(QStringLiteral("tools"));
    m_registry.setText(registry::kHkeyLocalMachine, registry::kSharedToolsKey, "MSINFO", folder.toStdString());
    auto box = open();
    {
        MessageWatcher messages;
        box->cmdSysInfo_Click();
        EXPECT_TRUE(m_started.isEmpty());
        EXPECT_EQ(messages.seen().size(), 1u);
    }
    const QString program = folder + QStringLiteral("\\MSINFO32.EXE");
    QFile file(program);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    MessageWatcher messages;
    box->cmdSysInfo_Click();
    EXPECT_EQ(m_started, QStringList{program});
    EXPECT_TRUE(messages.seen().empty());
}

TEST_F(AboutBoxTest, TheProgramRunsAsItsOwnProcessNotWaitedFor)
{
    // A stand-in system information program that runs until the test lets it end.
    const QDir here = QDir::current();
    here.mkpath(QStringLiteral("bin"));
    const QString script = here.filePath(QStringLiteral("bin/kinfocenter"));
    QFile file(script);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("#!/bin/sh\n"
               "cd \"$(dirname \"$0\")\"\n"
               "echo started > started\n"
               "n=0\n"
               "while [ ! -f release ] && [ $n -lt 400 ]; do sleep 0.05; n=$((n+1)); done\n"
               "echo done > finished\n");
    file.close();
    file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    registry::LinuxRegistry desktop({"hardinfo", "kinfocenter"}, here.filePath(QStringLiteral("bin")).toStdString());
    frmAbout box(m_mainWindow, desktop, &frmAbout::startDetached);
    box.show();
    MessageWatcher messages;
    box.cmdSysInfo_Click();
    EXPECT_FALSE(QFile::exists(here.filePath(QStringLiteral("bin/finished")))) << "the click returned before the program ended";
    EXPECT_TRUE(waitUntil([&] { return QFile::exists(here.filePath(QStringLiteral("bin/started"))); }, 10000));
    EXPECT_TRUE(messages.seen().empty());

    QFile release(here.filePath(QStringLiteral("bin/release")));
    ASSERT_TRUE(release.open(QIODevice::WriteOnly));
    release.close();
    EXPECT_TRUE(waitUntil([&] { return QFile::exists(here.filePath(QStringLiteral("bin/finished"))); }, 10000));
}

TEST_F(AboutBoxTest, AProgramThatCannotBeExecutedIsReported)
{
    // Found by an older look-up, gone by the time it starts.
    m_registry.setText(registry::kHkeyLocalMachine, registry::kMsInfoKey, "PATH",
                       QDir::current().filePath(QStringLiteral("gone")).toStdString());
    frmAbout box(m_mainWindow, m_registry, &frmAbout::startDetached);
    box.show();
    MessageWatcher messages;
    box.cmdSysInfo_Click();
    ASSERT_EQ(messages.seen().size(), 1u);
    EXPECT_EQ(messages.seen().front().text, kUnavailable);
}

} // namespace
