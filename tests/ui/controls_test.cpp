// The small controls: combo box, two-state toolbar, message boxes, tool dialog,
// position recorder, pictures, the tab strip, whose user changes ask first
// (BeforeClick) and report after (Click) while the program's raise nothing,
// and the read of a big page with its progress.
#include "support/qtwait.h"
#include "base/placement.h"
#include "ui/combobox.h"
#include "ui/messagebox.h"
#include "richtext/rtffile.h"
#include "ui/pagereading.h"
#include "ui/pictures.h"
#include "ui/positionrecorder.h"
#include "ui/tabstrip.h"
#include "ui/toolbar.h"
#include "ui/tooldialog.h"
#include "ui/twips.h"

#include <QAbstractItemView>
#include <QToolButton>
#include <QLineEdit>
#include <QPainter>
#include <QPaintEvent>
#include <QProgressDialog>
#include <QTemporaryDir>
#include <QPushButton>
#include <QSignalSpy>
#include <QVBoxLayout>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <functional>
#include <thread>

using namespace jw::ui;
using namespace Qt::StringLiterals;

TEST(ComboBox, ClickOnlyForTheUsersChoice)
{
    ComboBox box;
    box.addItems({u"4"_s, u"6"_s, u"8"_s, u"10"_s, u"12"_s, u"14"_s, u"16"_s});
    QStringList clicks; // the text shown at each Click
    QObject::connect(&box, &ComboBox::Click, &box, [&] { clicks << box.Text(); });
    box.setListIndex(5);
    box.setListIndex(7); // one past the last entry: ignored
    EXPECT_EQ(box.Text(), u"14"_s);
    box.setListIndex(2);
    QTest::keySequence(&box, QKeySequence(u"Down, Up"_s));
    // Enter in the field is told, and neither chooses nor adds an entry.
    QSignalSpy entered(&box, &ComboBox::Entered);
    for (Qt::Key enter : {Qt::Key_Return, Qt::Key_Enter}) {
        box.lineEdit()->selectAll();
        QTest::keyClicks(&box, u"10"_s);
        QTest::keyClick(&box, enter);
    }
    EXPECT_EQ(std::pair(int(entered.count()), box.Text()), std::pair(2, u"10"_s));
    box.setText(u"a long name whose end does not fit"_s);
    EXPECT_EQ(std::pair(box.ListIndex(), box.lineEdit()->cursorPosition()), std::pair(-1, 0));
    box.setListIndex(0); // the field shows the entry, not what was typed over it
    EXPECT_EQ(box.Text(), u"4"_s);
    box.chooseIndex(4); // the start-up choice counts as the user's
    box.chooseIndex(7); // one past the last entry
    EXPECT_EQ(clicks, (QStringList{u"10"_s, u"8"_s, u"12"_s}));
    EXPECT_EQ(std::pair(box.ListIndex(), box.count()), std::pair(-1, 7));
    box.addItem(QString(80, u'W'));
    box.setListIndex(6);
    QTest::keyClick(&box, Qt::Key_Down); // a long name taken from the list shows its start
    EXPECT_EQ(std::pair(box.ListIndex(), box.lineEdit()->cursorPosition()), std::pair(7, 0));
    box.showPopup(); // the list is as wide as its longest entry
    ASSERT_TRUE(jwtest::waitUntil([&] { return box.view()->isVisible(); }));
    EXPECT_GE(box.view()->viewport()->width(), box.view()->sizeHintForColumn(0));
}

TEST(Toolbar, AClickFlipsTheButtonThenRaisesButtonClick)
{
    TwoStateToolbar bar;
    for (const QString &key : {u"bold"_s, u"italic"_s, u"underline"_s})
        bar.addButton(key, key, QIcon());
    QList<std::pair<int, int>> seen; // button, its Value in the handler
    QObject::connect(&bar, &TwoStateToolbar::ButtonClick, &bar, [&](int i) { seen.append({i, bar.Value(i)}); });
    for (int i : {2, 2, 3})
        QTest::mouseClick(bar.buttonWidget(i), Qt::LeftButton);
    bar.setValue(1, 7); // any non-zero presses, silently
    bar.setValue(3, 0);
    bar.setValue(9, 1);
    EXPECT_EQ(seen, (QList<std::pair<int, int>>{{2, 1}, {2, 0}, {3, 1}}));
    EXPECT_EQ((QList<int>{bar.Value(1), bar.Value(2), bar.Value(3), bar.Value(9)}), (QList<int>{1, 0, 0, 0}));
    EXPECT_EQ(bar.Key(3) + bar.Key(4), u"underline"_s);
}

TEST(MessageBox, LiteralTextNoIconAndAskBoxSaysYesOnlyForItsYesButton)
{
    const QString text = u"<b>R&D</b> is missing."_s;
    QString seen; // title, text, buttons, whether without icon and markup
    auto look = [&seen](QWidget *modal) {
        auto *box = qobject_cast<QMessageBox *>(modal);
        seen = u"%1|%2|%3|%4"_s.arg(box->windowTitle(), box->text())
                   .arg(box->buttons().size())
                   .arg(box->icon() == QMessageBox::NoIcon && box->textFormat() == Qt::PlainText);
    };
    jwtest::onNextModal(look);
    MsgBox(nullptr, text);
    EXPECT_EQ(seen, u"Jotwell Pro|"_s + text + u"|1|1"_s);
    const std::pair<std::function<void(QMessageBox *)>, bool> answers[] = {
        {[](QMessageBox *box) { QTest::keyClick(box, Qt::Key_Return); }, false}, // No is the default button
        {[](QMessageBox *box) { QTest::keyClick(box, Qt::Key_Escape); }, false},
        {[](QMessageBox *box) { jwtest::clickButton(box, u"&Yes"_s); }, true}};
    for (const auto &[answer, yes] : answers) {
        jwtest::onNextModal([&, answer = answer](QWidget *modal) {
            look(modal);
            answer(static_cast<QMessageBox *>(modal));
        });
        EXPECT_EQ(AskBox(nullptr, text, u"&Yes"_s, u"&No"_s, u"Search"_s), yes);
        EXPECT_EQ(seen, u"Search|"_s + text + u"|2|1"_s);
    }
    jwtest::onNextModal([](QWidget *modal) { QTest::keyClick(modal, Qt::Key_Return); });
    EXPECT_TRUE(AskBox(nullptr, text, u"&Yes"_s, u"&No"_s, u"Search"_s, Default::Yes));
}

namespace {

class Probe final : public ToolDialog {
public:
    explicit Probe(QWidget *owner) : ToolDialog(owner, u"Probe"_s, 3000, 1200)
    {
        plainButton(u"Add"_s);
        setTextBox(box);
        placeBesideOwner();
    }

    QLineEdit *box = new QLineEdit(this);
    QList<int> keys;

protected:
    // Left to the dialog, which has no default button to press.
    bool textBoxKeyDown(int keyCode, Qt::KeyboardModifiers) override
    {
        keys << keyCode;
        return false;
    }
};

} // namespace

TEST(ToolDialog, EnterGoesToTheTextBoxOnlyAndEscapeCloses)
{
    QWidget owner;
    owner.setGeometry(200, 150, 300, 300);
    owner.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&owner));
    Probe dialog(&owner);
    QSignalSpy pressed(dialog.findChild<QPushButton *>(), &QPushButton::clicked);
    dialog.show();
    ASSERT_TRUE(jwtest::waitUntil([&] { return QApplication::focusWidget() == dialog.box; }));
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_A, Qt::Key_Enter})
        QTest::keyClick(dialog.box, key);
    EXPECT_EQ(std::tuple(dialog.keys, pressed.count(), dialog.isVisible()), std::tuple(QList<int>{13, 13}, 0, true));
    // Beside the owner, where the placement rule puts it.
    const jw::Corner place = jw::dialogPlacement(
        {Top(&owner), Left(&owner)}, {Width(&owner), Width(&dialog), ScreenWidth(&owner)}, ScreenHeight(&owner));
    EXPECT_NEAR(Top(&dialog), place.top, twipsPerPixelY(&dialog));
    EXPECT_NEAR(Left(&dialog), place.left, twipsPerPixelX(&dialog));
    QTest::keyClick(dialog.box, Qt::Key_Escape); // as Cancel
    EXPECT_FALSE(dialog.isVisible());
}

TEST(PositionRecorder, AfterAPaintNeverWhileHidden)
{
    int records = 0;
    QWidget window;
    new PositionRecorder(&window, [&records] { ++records; });
    window.show();
    ASSERT_TRUE(jwtest::waitUntil([&] { return records > 0; }));
    window.hide();
    records = 0;
    QPaintEvent paint(QRect(0, 0, 10, 10));
    QApplication::sendEvent(&window, &paint);
    jwtest::settle();
    EXPECT_EQ(records, 0);
}

namespace {

// The smallest rectangle holding every pixel with ink, and how many there are.
std::pair<QRect, int> ink(const QImage &image)
{
    std::pair<QRect, int> found;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) > 128)
                found = {found.first | QRect(x, y, 1, 1), found.second + 1};
    return found;
}

} // namespace

TEST(Pictures, DrawnAtThePixelRatioSmallOnesStaySixteenPixelsOnBiggerButtons)
{
    static QStringList logged; // the program's own complaints: none, every picture is readable
    const QtMessageHandler previous =
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext &where, const QString &text) {
            if (qstrncmp(where.category, "jotwell.", 8) == 0)
                logged << text;
        });
    for (const QIcon &icon :
         {imageListPicture(1), imageListPicture(2), imageListPicture(3), shrinkPicture(), expandPicture()}) {
        ASSERT_FALSE(icon.isNull());
        const int inkOne = ink(icon.pixmap(QSize(16, 16), 1.0).toImage()).second;
        const QImage two = icon.pixmap(QSize(16, 16), 2.0).toImage();
        EXPECT_EQ(std::pair(two.deviceIndependentSize(), qAlpha(two.pixel(0, 31))), std::pair(QSizeF(16, 16), 0));
        EXPECT_GT(ink(two).second, 2 * inkOne) << "the whole of 32 x 32 is used";
        EXPECT_TRUE(QRect(8, 8, 32, 32).contains(ink(icon.pixmap(QSize(24, 24), 2.0).toImage()).first));
        EXPECT_LT(ink(icon.pixmap(QSize(16, 16), 1.0, QIcon::Disabled).toImage()).second, inkOne) << "fainter disabled";
        QImage button(16, 16, QImage::Format_ARGB32_Premultiplied);
        QPainter painter(&button);
        icon.paint(&painter, button.rect(), Qt::AlignCenter, QIcon::Disabled);
        EXPECT_EQ(painter.opacity(), 1.0) << "painting an icon leaves the painter as it was";
    }
    // The splash, drawn at the pixel ratio too.
    const QImage splash = splashPicture(2.0).toImage();
    EXPECT_EQ(std::pair(splash.size(), splash.deviceIndependentSize()), std::pair(QSize(778, 776), QSizeF(389, 388)));
    EXPECT_NE(splash.pixel(0, 0), splash.pixel(389, 300)) << "more than a plain ground";
    qInstallMessageHandler(previous);
    EXPECT_EQ(logged, QStringList());
}

namespace {

/// A window with tabs "", B, C and D, the first selected, and a line edit; the events are logged.
class TabStripTest : public testing::Test {
protected:
    void SetUp() override
    {
        auto *layout = new QVBoxLayout(&window);
        layout->addWidget(strip = new TabStrip);
        layout->addWidget(other = new QLineEdit);
        for (int i = 2; i <= 4; ++i)
            strip->insertTab(i, QString(QChar(u'A' + i - 1)));
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        strip->setBeforeClick([this](int index) {
            log << u"before %1 while %2"_s.arg(index).arg(strip->selectedIndex());
            if (whileAsked)
                whileAsked();
            return !refuse;
        });
        QObject::connect(strip, &TabStrip::Click, strip,
                         [this] { log << u"click while %1"_s.arg(strip->selectedIndex()); });
    }

    void clickTab(int index) { QTest::mouseClick(strip, Qt::LeftButton, {}, strip->tabRect(index - 1).center()); }

    QWidget window;
    TabStrip *strip = nullptr;
    QLineEdit *other = nullptr;
    QStringList log;
    bool refuse = false;
    std::function<void()> whileAsked; // what the BeforeClick handler does besides answering
};

} // namespace

TEST_F(TabStripTest, ProgramChangesRaiseNothingAndKeepTheSelectedTab)
{
    strip->selectTab(3);
    strip->insertTab(1, u"new"_s); // before the selected tab, which stays selected
    strip->setCaption(1, u"R&D && more"_s);
    EXPECT_EQ(strip->tabText(0), u"R&&D &&&& more"_s); // shown literally, no access key
    for (int outside : {0, 6}) {
        strip->selectTab(outside);
        strip->setCaption(outside, u"x"_s);
        strip->removeTab(outside);
    }
    strip->removeTab(2); // the later tabs move down
    strip->setCaption(2, u"B 2"_s);
    QStringList captions;
    for (int i = 0; i <= strip->count() + 1; ++i)
        captions << strip->caption(i);
    EXPECT_EQ(captions, (QStringList{QString(), u"R&D && more"_s, u"B 2"_s, u"C"_s, u"D"_s, QString()}));
    EXPECT_EQ(std::pair(strip->selectedIndex(), log), std::pair(3, QStringList()));
    strip->setCaptions({u"A"_s, u"A much longer caption"_s, u"X&Y"_s}, 9); // clamped to the last
    EXPECT_EQ((std::tuple(strip->count(), strip->selectedIndex(), strip->caption(3), strip->tabText(2))),
              (std::tuple(3, 3, u"X&Y"_s, u"X&&Y"_s)));
    EXPECT_GT(strip->tabRect(1).width(), strip->tabRect(0).width() + 40); // laid out with real sizes
    window.resize(600, window.height());
    EXPECT_LT(strip->tabRect(2).right(), 400) << "tabs as wide as their captions, not the strip";
    EXPECT_TRUE(log.isEmpty());
    // However many pages, the strip scrolls instead of widening the small window.
    strip->setCaptions(QStringList(40, u"A page"_s), 1);
    EXPECT_LT(strip->minimumSizeHint().width(), 200);
}

TEST_F(TabStripTest, EveryWayOfTheUserAsksFirstAndCanBeRefused)
{
    auto wheelDown = [this] {
        const QPointF at = strip->tabRect(0).center();
        QWheelEvent wheel(at, strip->mapToGlobal(at), {}, {0, -120}, Qt::NoButton, {}, Qt::NoScrollPhase, false);
        QApplication::sendEvent(strip, &wheel);
    };
    const std::tuple<const char *, int, std::function<void()>, int> table[] = {
        {"mouse", 2, [this] { clickTab(4); }, 4},
        {"wheel", 2, wheelDown, 3},
        {"arrow key", 2, [this] { QTest::keyClick(strip, Qt::Key_Left); }, 1},
        {"Ctrl+Tab", 4, [this] { QTest::keyClick(other, Qt::Key_Tab, Qt::ControlModifier); }, 1},
        {"Ctrl+Shift+Tab", 1,
         [this] { QTest::keyClick(other, Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier); }, 4},
        {"Ctrl+Shift+Tab as Tab", 3,
         [this] { QTest::keyClick(other, Qt::Key_Tab, Qt::ControlModifier | Qt::ShiftModifier); }, 2},
        {"Ctrl+PgDn", 4, [this] { QTest::keyClick(other, Qt::Key_PageDown, Qt::ControlModifier); }, 1},
        {"Ctrl+PgUp", 1, [this] { QTest::keyClick(other, Qt::Key_PageUp, Qt::ControlModifier); }, 4},
        {"any other way", 2, [this] { static_cast<QTabBar *>(strip)->setCurrentIndex(2); }, 3}};
    for (const bool refusing : {false, true})
        for (const auto &[name, from, action, to] : table) {
            strip->selectTab(from);
            other->setFocus();
            ASSERT_TRUE(jwtest::waitUntil([this] { return other->hasFocus(); }));
            log.clear();
            refuse = refusing;
            action();
            const QStringList want{u"before %1 while %2"_s.arg(to).arg(from), u"click while %1"_s.arg(to)};
            EXPECT_EQ(std::pair(log, strip->selectedIndex()),
                      std::pair(want.mid(0, refusing ? 1 : 2), refusing ? from : to))
                << name;
        }
}

TEST_F(TabStripTest, TheHandlerIsAskedOnceAndMayChangeTheStripItself)
{
    whileAsked = [this] {
        clickTab(4); // the user clicks again while the handler decides
        if (refuse)  // refuses and picks a tab itself, as after a failed load
            strip->selectTab(2);
    };
    clickTab(3);
    refuse = true;
    clickTab(1);
    // Nothing to ask for the selected tab or one that is not there.
    clickTab(2);
    EXPECT_FALSE(strip->requestTab(0) || strip->requestTab(5) || strip->requestTab(2));
    EXPECT_EQ(std::pair(strip->selectedIndex(), log),
              std::pair(2, QStringList{u"before 3 while 1"_s, u"click while 3"_s, u"before 1 while 3"_s}));
    whileAsked = [this] { strip->removeTab(4); }; // says yes, but the tab went meanwhile
    refuse = false;
    EXPECT_FALSE(strip->requestTab(4));
}

TEST_F(TabStripTest, ADoubleClickAndADragAreToldOnceTheButtonIsUp)
{
    QSignalSpy doubleClicked(strip, &TabStrip::DblClick);
    QSignalSpy moved(strip, &TabStrip::TabMoved);
    clickTab(3); // as the desktop sends it: a click, then the second press as a double-click
    QTest::mouseDClick(strip, Qt::LeftButton, {}, strip->tabRect(2).center());
    EXPECT_EQ(doubleClicked.count(), 0);
    QTest::mouseRelease(strip, Qt::LeftButton, {}, strip->tabRect(2).center());
    EXPECT_EQ(log, (QStringList{u"before 3 while 1"_s, u"click while 3"_s}));
    EXPECT_EQ(doubleClicked.value(0).value(0).toInt(), 3); // once: counted at the end
    // Tab C dragged to the front stays selected in its new place.
    QTest::mousePress(strip, Qt::LeftButton, {}, strip->tabRect(2).center());
    for (int x = strip->tabRect(2).center().x(); x > 0; x -= 4)
        QTest::mouseMove(strip, QPoint(x, strip->tabRect(2).center().y()));
    QTest::mouseRelease(strip, Qt::LeftButton, {}, QPoint(1, strip->tabRect(2).center().y()));
    ASSERT_TRUE(jwtest::waitUntil([&] { return moved.count() > 0; }));
    EXPECT_EQ((QStringList{strip->caption(1), strip->caption(2), strip->caption(3)}),
              (QStringList{u"C"_s, QString(), u"B"_s}));
    EXPECT_EQ(std::tuple(strip->selectedIndex(), log.size(), doubleClicked.count()), std::tuple(1, 2, 1));
}

TEST(FitButtonRow, OnlyCaptionsTooLongGrowAndPushTheRestAndTheWindowRight)
{
    for (const bool firstLong : {false, true}) {
        QWidget window;
        window.setFixedSize(300, 100);
        QPushButton first(firstLong ? u"A caption far longer than its button"_s : u"OK"_s, &window);
        QPushButton second(u"Go"_s, &window);
        first.setGeometry(10, 60, 100, 24); // wide enough for a short caption in any style
        second.setGeometry(120, 60, 100, 24);
        const int growth = firstLong ? first.sizeHint().width() - 100 : 0;
        ASSERT_GE(growth, 0);
        fitButtonRow(&window, {&first, &second});
        EXPECT_EQ(first.geometry(), QRect(10, 60, 100 + growth, 24)) << firstLong;
        EXPECT_EQ(second.geometry(), QRect(120 + growth, 60, 100, 24)) << firstLong;
        EXPECT_EQ(window.maximumSize(), QSize(300 + growth, 100)) << firstLong; // still of a fixed size
    }
}

TEST(PageReading, ABigPageIsReadOnAWorkerAndEscStopsAReadThatTakesLong)
{
    // Past 16 MB: read in pieces on the worker, to the same page.
    const QTemporaryDir dir;
    QByteArray rtf = "{\\rtf1 " + QByteArray("notes \\i pad\\i0 keep\\par ").repeated(700000) + "}";
    ASSERT_TRUE(jwtest::writeBytes(dir.filePath(u"Big.rtf"_s), rtf));
    EXPECT_EQ(readPageShowingProgress(nullptr, dir.filePath(u"Big.rtf"_s), u"Big"_s),
              jw::loadRtfFile(dir.filePath(u"Big.rtf"_s)));
    // A read that would never end: the dialog says how far it got, and Esc stops it.
    QStringList seen;
    QTimer esc;
    QObject::connect(&esc, &QTimer::timeout, [&] {
        auto *dialog = qobject_cast<QProgressDialog *>(QApplication::activeModalWidget());
        if (dialog && dialog->isVisible() && dialog->value() > 0) {
            seen = {dialog->windowTitle(), dialog->objectName(), dialog->labelText(), QString::number(dialog->value())};
            QTest::keyClick(dialog, Qt::Key_Escape);
        }
    });
    esc.start(10);
    const auto endless = [](jw::rtf::ReadControl &control) -> jw::rtf::Document {
        for (control.done = 250; !control.stop;)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        throw jw::rtf::ReadStopped();
    };
    EXPECT_THROW(readShowingProgress(nullptr, u"Opening"_s, 1000, endless), jw::rtf::ReadStopped);
    EXPECT_EQ(seen, (QStringList{QCoreApplication::applicationName(), u"dlgReading"_s, u"Opening"_s, u"250"_s}));
}
