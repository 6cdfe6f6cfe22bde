// The About box: where it opens, what it shows, how it closes, and System Info.
#include "base/placement.h"
#include "dialogs/frmabout.h"
#include "dialogs/registry/fake/fakeregistry.h"
#include "dialogs/registry/sysinfopath.h"
#include "support/qtwait.h"
#include "ui/twips.h"

#include <QDir>
#include <QLabel>
#include <QPushButton>

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
        // Every message box is read and closed while the test runs.
        QObject::connect(&m_watch, &QTimer::timeout, &m_watch, [this] {
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
                m_messages << QStringLiteral("%1|%2|%3|%4").arg(box->windowTitle(), box->text())
                                  .arg(box->buttons().size()).arg(int(box->icon()));
                box->accept();
            }
        });
        m_watch.start(10);
    }

    std::unique_ptr<frmAbout> open()
    {
        auto box = std::make_unique<frmAbout>(m_main, m_registry, [this](const QString &path) {
            m_started << path;
            if (m_launchFails)
                throw std::runtime_error("cannot start");
        });
        box->show();
        jwtest::settle();
        return box;
    }

    QWidget m_main;
    FakeRegistry m_registry;
    QStringList m_started;
    bool m_launchFails = false;
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
    EXPECT_EQ(box->windowTitle(), QStringLiteral("About Jotwell Pro"));
    EXPECT_EQ(box->lblTitle->text(), QStringLiteral("Jotwell Pro"));
    EXPECT_TRUE(box->lblTitle->font().bold());
    EXPECT_EQ(box->lblTitle->font().pointSizeF(), 13.5);
    EXPECT_EQ(box->lblVersion->text(),
              QStringLiteral("Version %1.%2.%3").arg(JW_VERSION_MAJOR).arg(JW_VERSION_MINOR).arg(JW_VERSION_PATCH));
    EXPECT_LE(box->lblTitle->sizeHint().width(), box->lblTitle->width());
    EXPECT_LE(box->lblDescription->heightForWidth(box->lblDescription->width()),
              box->Label1->y() - box->lblDescription->y());
    EXPECT_FALSE(box->picIcon->pixmap().isNull());
    EXPECT_EQ(box->picIcon->pixmap().devicePixelRatio(), box->devicePixelRatioF());

    // The etched separator: a dark line with a light one below it.
    const QImage image = box->grab().toImage();
    const int x = ui::toPixelsX(box.get(), 3000);
    EXPECT_EQ(image.pixel(x, ui::toPixelsY(box.get(), 2445)), box->palette().color(QPalette::Dark).rgb());
    EXPECT_EQ(image.pixel(x, ui::toPixelsY(box.get(), 2460)), box->palette().color(QPalette::Light).rgb());

    box->activateWindow();
    ASSERT_TRUE(jwtest::waitUntil([&] { return QApplication::focusWidget() == box->cmdOK; }));
    for (QWidget *next : std::initializer_list<QWidget *>{box->picIcon, box->cmdSysInfo, box->cmdOK}) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), next) << "Tab runs OK, icon, System Info";
    }
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
        EXPECT_FALSE(box->isVisible());
        EXPECT_TRUE(m_main.isVisible());
    }
}

TEST_F(AboutTest, SystemInfoStartsTheProgramTheRegistryNames)
{
    // The folder's value with "\MSINFO32.EXE" appended is one file name here.
    const QString folder = QDir::current().filePath(QStringLiteral("tools"));
    QFile program(folder + QStringLiteral("\\MSINFO32.EXE"));
    ASSERT_TRUE(program.open(QIODevice::WriteOnly));
    m_registry.setText(kHkeyLocalMachine, kSharedToolsKey, "MSINFO", folder.toStdString());
    auto box = open();
    QTest::mouseClick(box->cmdSysInfo, Qt::LeftButton);
    m_registry.setText(kHkeyLocalMachine, kMsInfoKey, "PATH", "/usr/bin/sysinfo");
    box->cmdSysInfo_Click();
    EXPECT_EQ(m_started, (QStringList{program.fileName(), QStringLiteral("/usr/bin/sysinfo")}));
    EXPECT_TRUE(m_messages.isEmpty());
    EXPECT_TRUE(box->isVisible());
}

TEST_F(AboutTest, SystemInfoThatCannotStartTellsTheUserAndTheBoxStaysOpen)
{
    // Which registries lead nowhere is the search's rule, tested with it; here, what the box does then.
    const std::pair<const char *, std::function<void()>> cases[] = {
        {"nothing found", [] {}},
        {"a folder without the program",
         [this] { m_registry.setText(kHkeyLocalMachine, kSharedToolsKey, "MSINFO", QDir::currentPath().toStdString()); }},
        {"a path that is not text",
         [this] { m_registry.setValue(kHkeyLocalMachine, kMsInfoKey, "PATH", kRegBinary, {'/', 'b', 0}); }},
        {"a program that fails to start", [this] {
             m_registry.setText(kHkeyLocalMachine, kMsInfoKey, "PATH", "/usr/bin/sysinfo");
             m_launchFails = true;
         }},
    };
    for (const auto &[what, arrange] : cases) {
        m_registry = FakeRegistry();
        m_launchFails = false;
        arrange();
        m_messages.clear();
        auto box = open();
        box->cmdSysInfo_Click();
        EXPECT_EQ(m_messages, QStringList{QStringLiteral("Jotwell Pro|System Information Is Unavailable At This Time|1|0")})
            << what;
        EXPECT_TRUE(box->isVisible()) << what;
    }
}

TEST(AboutLauncher, StartsTheProgramWithoutWaitingAndSaysWhenItCannot)
{
    const QString script = QDir::current().filePath(QStringLiteral("info"));
    QFile file(script);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("#!/bin/sh\ntouch \"$0.started\"\nn=0\n"
               "while [ ! -f \"$0.release\" ] && [ $n -lt 400 ]; do sleep 0.05; n=$((n+1)); done\ntouch \"$0.ended\"\n");
    file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    file.close();
    const auto exists = [&script](const char *suffix) { return QFile::exists(script + QLatin1String(suffix)); };
    frmAbout::startDetached(script);
    EXPECT_FALSE(exists(".ended")) << "not waited for";
    EXPECT_TRUE(jwtest::waitUntil([&] { return exists(".started"); }, 10000));
    QFile(script + QStringLiteral(".release")).open(QIODevice::WriteOnly);
    EXPECT_TRUE(jwtest::waitUntil([&] { return exists(".ended"); }, 10000));

    EXPECT_THROW(frmAbout::startDetached(QDir::current().filePath(QStringLiteral("gone"))), std::exception);
}

} // namespace
