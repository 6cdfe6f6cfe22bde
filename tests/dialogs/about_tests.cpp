// The About box: where it opens, what it shows, how it closes, and System Info.
#include "base/placement.h"
#include "dialogs/frmabout.h"
#include "dialogs/registry/fake/fakeregistry.h"
#include "dialogs/registry/sysinfopath.h"
#include "support/qtwait.h"
#include "ui/twips.h"

#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include <stdexcept>

using namespace jw;
using namespace jw::registry;

namespace {

// Closes every message box that opens while it lives, keeping title, text and button count.
class Messages final {
public:
    Messages()
    {
        QObject::connect(&m_timer, &QTimer::timeout, &m_timer, [this] {
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
                seen << QStringLiteral("%1|%2|%3|%4").arg(box->windowTitle(), box->text()).arg(box->buttons().size())
                            .arg(box->icon() == QMessageBox::NoIcon ? QStringLiteral("no icon") : QStringLiteral("icon"));
                box->accept();
            }
        });
        m_timer.start(10);
    }
    QStringList seen;

private:
    QTimer m_timer;
};

class AboutTest : public ::testing::Test {
protected:
    void SetUp() override { m_main.show(); }

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
};

TEST_F(AboutTest, OpensAtItsPlaceWithTitleAndVersionWhileTheMainWindowHides)
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
}

TEST_F(AboutTest, TabRunsOkIconSystemInfo)
{
    auto box = open();
    box->activateWindow();
    ASSERT_TRUE(jwtest::waitUntil([&] { return QApplication::focusWidget() == box->cmdOK; }));
    for (QWidget *next : {static_cast<QWidget *>(box->picIcon), static_cast<QWidget *>(box->cmdSysInfo),
                          static_cast<QWidget *>(box->cmdOK)}) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), next);
    }
}

TEST_F(AboutTest, OkEscEnterAndTheCloseBoxShowTheMainWindowAgain)
{
    QSignalSpy lastClosed(qApp, &QGuiApplication::lastWindowClosed);
    const std::function<void(frmAbout &)> ways[] = {
        [](frmAbout &box) { QTest::mouseClick(box.cmdOK, Qt::LeftButton); },
        [](frmAbout &box) { QTest::keyClick(&box, Qt::Key_Escape); },
        [](frmAbout &box) { QTest::keyClick(box.cmdOK, Qt::Key_Return); },
        [](frmAbout &box) { box.close(); },
    };
    for (const auto &close : ways) {
        auto box = open();
        ASSERT_FALSE(m_main.isVisible());
        close(*box);
        EXPECT_FALSE(box->isVisible());
        EXPECT_TRUE(m_main.isVisible());
    }
    jwtest::settle();
    EXPECT_EQ(lastClosed.count(), 0) << "closing the box does not end the program";
}

TEST_F(AboutTest, SystemInfoStartsTheProgramTheRegistryNames)
{
    // The folder's value with "\MSINFO32.EXE" appended is one file name here.
    const QString folder = QDir::current().filePath(QStringLiteral("tools"));
    QFile program(folder + QStringLiteral("\\MSINFO32.EXE"));
    ASSERT_TRUE(program.open(QIODevice::WriteOnly));
    m_registry.setText(kHkeyLocalMachine, kSharedToolsKey, "MSINFO", folder.toStdString());
    auto box = open();
    Messages messages;
    QTest::mouseClick(box->cmdSysInfo, Qt::LeftButton);
    m_registry.setText(kHkeyLocalMachine, kMsInfoKey, "PATH", "/usr/bin/sysinfo");
    box->cmdSysInfo_Click();
    EXPECT_EQ(m_started, (QStringList{program.fileName(), QStringLiteral("/usr/bin/sysinfo")}));
    EXPECT_TRUE(messages.seen.isEmpty());
    EXPECT_TRUE(box->isVisible());
}

TEST_F(AboutTest, SystemInfoThatCannotStartTellsTheUserAndTheBoxStaysOpen)
{
    struct Case {
        const char *what;
        std::function<void()> arrange;
        int launches;
    };
    const Case cases[] = {
        {"nothing in the registry", [] {}, 0},
        {"a folder without the program",
         [this] { m_registry.setText(kHkeyLocalMachine, kSharedToolsKey, "MSINFO", QDir::currentPath().toStdString()); }, 0},
        {"a path that is not text",
         [this] { m_registry.setValue(kHkeyLocalMachine, kMsInfoKey, "PATH", kRegBinary, {'/', 'b', 0}); }, 0},
        {"a key the user may only read",
         [this] {
             m_registry.setText(kHkeyLocalMachine, kMsInfoKey, "PATH", "/usr/bin/sysinfo");
             m_registry.setReadOnly(kHkeyLocalMachine, kMsInfoKey);
         }, 0},
        {"a program that fails to start",
         [this] {
             m_registry.setText(kHkeyLocalMachine, kMsInfoKey, "PATH", "/usr/bin/sysinfo");
             m_launchFails = true;
         }, 1},
    };
    for (const Case &c : cases) {
        m_registry = FakeRegistry();
        m_started.clear();
        c.arrange();
        auto box = open();
        Messages messages;
        box->cmdSysInfo_Click();
        EXPECT_EQ(messages.seen, QStringList{QStringLiteral("Jotwell Pro|System Information Is Unavailable At This "
                                                            "Time|1|no icon")}) << c.what;
        EXPECT_EQ(m_started.size(), c.launches) << c.what;
        EXPECT_TRUE(box->isVisible()) << c.what;
    }
}

TEST(AboutLauncher, StartsTheProgramWithoutWaitingAndSaysWhenItCannot)
{
    const QString script = QDir::current().filePath(QStringLiteral("info"));
    QFile file(script);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("#!/bin/sh\necho > \"$0.started\"\nn=0\n"
               "while [ ! -f \"$0.release\" ] && [ $n -lt 400 ]; do sleep 0.05; n=$((n+1)); done\n"
               "echo > \"$0.finished\"\n");
    file.close();
    file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const auto exists = [&script](const char *suffix) { return QFile::exists(script + QLatin1String(suffix)); };

    frmAbout::startDetached(script);
    EXPECT_FALSE(exists(".finished"));
    EXPECT_TRUE(jwtest::waitUntil([&] { return exists(".started"); }, 10000));
    QFile(script + QStringLiteral(".release")).open(QIODevice::WriteOnly);
    EXPECT_TRUE(jwtest::waitUntil([&] { return exists(".finished"); }, 10000));

    EXPECT_THROW(frmAbout::startDetached(QDir::current().filePath(QStringLiteral("gone"))), std::exception);
}

} // namespace
