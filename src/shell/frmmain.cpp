#include "shell/frmmain.h"

#include "dialogs/frmsplash.h"
#include "editing/formatsync.h"
#include "hotkeys/creghotkey.h"
#include "hotkeys/frmmin.h"
#include "hotkeys/hotkeyerror.h"
#include "hotkeys/qt/hotkeyplatformfactory.h"
#include "richtext/rtffile.h"
#include "pages/clsdata.h"
#include "pages/pagefiles.h"
#include "pages/pagelist.h"
#include "base/ioerror.h"
#include "base/placement.h"
#include "base/settingsstore.h"
#include "ui/combobox.h"
#include "ui/fonts.h"
#include "ui/messagebox.h"
#include "ui/pictures.h"
#include "ui/richtextedit.h"
#include "ui/tabstrip.h"
#include "ui/toolbar.h"
#include "ui/twips.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSessionManager>
#include <QTimer>

#include <algorithm>
#include <cstdio>

namespace jw {

namespace {

const QString kRtf = QStringLiteral(".rtf");

// The start-up skips a failing step and goes on with the next one.
template <typename Step>
void skipOnFailure(Step &&step)
{
    try {
        step();
    } catch (const std::exception &) {
    }
}

} // namespace

frmMain::frmMain(SettingsStore &store, const PageFiles &files, QWidget *parent)
    : QMainWindow(parent), m_store(store), m_files(files)
{
    setWindowTitle(QStringLiteral("Jotwell Pro"));
    setWindowIcon(ui::programIcon());
    buildControls();
    buildMenus();
    // The designed client area lies below the menu bar.
    resize(ui::toPixelsX(this, 4680), ui::toPixelsY(this, 4515) + menuBar()->sizeHint().height());
    qApp->installEventFilter(this);
    m_moveSettled.setSingleShot(true);
    m_moveSettled.setInterval(300);
    connect(&m_moveSettled, &QTimer::timeout, this, &frmMain::Form_Paint);
    connect(qApp, &QGuiApplication::commitDataRequest, this, [this](QSessionManager &manager) {
        // The desktop session is ending: the page must not lose its last edits.
        if (!saveCurrentPage() && manager.allowsInteraction())
            manager.cancel();
    });
}

frmMain::~frmMain()
{
    qApp->removeEventFilter(this);
}

void frmMain::buildControls()
{
    m_client = new QWidget(this);
    setCentralWidget(m_client);

    Toolbar1 = new ui::TwoStateToolbar(m_client);
    Toolbar1->addButton(QStringLiteral("bold"), QStringLiteral("Bold"), ui::imageListPicture(3));
    Toolbar1->addButton(QStringLiteral("italic"), QStringLiteral("Italic"), ui::imageListPicture(2));
    Toolbar1->addButton(QStringLiteral("underline"), QStringLiteral("Underline"), ui::imageListPicture(1));

    cmbFont = new ui::ComboBox(m_client);
    cmbFont->setToolTip(QStringLiteral("Font"));
    cmbFontSize = new ui::ComboBox(m_client);
    cmbFontSize->setToolTip(QStringLiteral("Font size"));
    for (int size : {4, 6, 8, 10, 12, 14, 16, 18, 20, 22, 24})
        m_sizeNames << QString::number(size);
    cmbFontSize->addItems(m_sizeNames);
    cmbFontSize->setListIndex(2);

    cmdShink = new QPushButton(m_client);
    cmdShink->setIcon(ui::shrinkPicture());
    cmdShink->setToolTip(QStringLiteral("Mini window"));

    oTabs = new ui::TabStrip(m_client);
    txtPad = new ui::RichTextEdit(m_client);

    ui::placeTwips(Toolbar1, 0, 0, 4680, 360);
    ui::placeTwips(cmbFont, 1440, 0, 1335, 315);
    ui::placeTwips(cmbFontSize, 3000, 0, 735, 315);
    ui::placeTwips(cmdShink, 4320, 60, 300, 300);
    ui::placeTwips(oTabs, 0, 480, 4335, 360);
    ui::placeTwips(txtPad, 0, 840, 4335, 3495);
    // The boxes and the shrink button stand over the toolbar's right-hand part.
    cmbFont->raise();
    cmbFontSize->raise();
    cmdShink->raise();

    setTabOrder(cmdShink, oTabs);
    setTabOrder(oTabs, txtPad);
    setTabOrder(txtPad, Toolbar1);
    setTabOrder(Toolbar1, cmbFont);
    setTabOrder(cmbFont, cmbFontSize);

    connect(oTabs, &ui::TabStrip::BeforeClick, this, &frmMain::oTabs_BeforeClick);
    connect(oTabs, &ui::TabStrip::Click, this, &frmMain::oTabs_Click);
    connect(Toolbar1, &ui::TwoStateToolbar::ButtonClick, this, &frmMain::Toolbar1_ButtonClick);
    connect(cmbFont, &ui::ComboBox::Click, this, &frmMain::cmbFont_Click);
    connect(cmbFontSize, &ui::ComboBox::Click, this, &frmMain::cmbFontSize_Click);
    connect(txtPad, &ui::RichTextEdit::SelChange, this, &frmMain::txtPad_SelChange);
    connect(cmdShink, &QPushButton::clicked, this, &frmMain::cmdShink_Click);
}

void frmMain::buildMenus()
{
    auto item = [this](QMenu *menu, const QString &caption, const QKeySequence &shortcut, void (frmMain::*handler)()) {
        QAction *action = menu->addAction(caption);
        if (!shortcut.isEmpty())
            action->setShortcut(shortcut);
        connect(action, &QAction::triggered, this, handler);
        return action;
    };
    const QKeySequence none;

    mnuFile = menuBar()->addMenu(QStringLiteral("&File"));
    mnuPrint = item(mnuFile, QStringLiteral("&Print"), QKeySequence(Qt::CTRL | Qt::Key_P), &frmMain::mnuPrint_Click);
    mnuSave = item(mnuFile, QStringLiteral("S&ave"), QKeySequence(Qt::CTRL | Qt::Key_S), &frmMain::mnuSave_Click);
    mnuSaveAs = item(mnuFile, QStringLiteral("Save As..."), none, &frmMain::mnuSaveAs_Click);
    mnuExit = item(mnuFile, QStringLiteral("E&xit"), QKeySequence(Qt::CTRL | Qt::Key_Q), &frmMain::mnuExit_Click);

    mnuEdit = menuBar()->addMenu(QStringLiteral("&Edit"));
    mnuSearch = item(mnuEdit, QStringLiteral("S&earch"), QKeySequence(Qt::CTRL | Qt::Key_E), &frmMain::mnuSearch_Click);
    mnuNext = item(mnuEdit, QStringLiteral("F&ind Next"), QKeySequence(Qt::CTRL | Qt::Key_N), &frmMain::mnuNext_Click);
    mnuAddTab = item(mnuEdit, QStringLiteral("Add &Tab"), QKeySequence(Qt::CTRL | Qt::Key_T), &frmMain::mnuAddTab_Click);
    mnuRemoveTab = item(mnuEdit, QStringLiteral("R&emove Tab"), QKeySequence(Qt::CTRL | Qt::Key_R), &frmMain::mnuRemoveTab_Click);
    mnuRename = item(mnuEdit, QStringLiteral("Re&name Tab"), none, &frmMain::mnuRename_Click);
    mnuHide = item(mnuEdit, QStringLiteral("H&ide on Minimize"), none, &frmMain::mnuHide_Click);
    mnuHide->setCheckable(true);
    mnuHide->setChecked(false);

    mnuHelp = menuBar()->addMenu(QStringLiteral("&Help"));
    mnuAbout = item(mnuHelp, QStringLiteral("A&bout"), none, &frmMain::mnuAbout_Click);
    mnuHelpTopics = item(mnuHelp, QStringLiteral("H&elp Topics"), QKeySequence(Qt::Key_F1), &frmMain::mnuHelpTopics_Click);
}

// ---------------------------------------------------------------- start-up

void frmMain::Form_Load()
{
    skipOnFailure([&] { ConvertOldPages(); });
    skipOnFailure([&] { registerHotKeys(); });
    skipOnFailure([&] { loadPageList(); });
    QString current;
    skipOnFailure([&] { current = currentPageFile(); });
    skipOnFailure([&] { restorePosition(); });
    skipOnFailure([&] {
        hide();
        auto *splash = new frmSplash([this] {
            frmMin &mini = miniWindow();
            mini.show();
        });
        m_splash = splash;
        splash->show();
        splash->activateWindow();
    });
    iFullHeight = 4755;
    iShortHeight = 960;
    iTop = 0;
    iLeft = 0;
    oData = std::make_unique<clsData>(m_files, *txtPad);
    skipOnFailure([&] {
        oData->loadData(current);
        txtPad->document()->setModified(false);
    });
    skipOnFailure([&] { setWindowFlag(Qt::WindowStaysOnTopHint, true); });
    skipOnFailure([&] { fillFontList(); });
    // Whoever opens the window first (expand button or Alt+V) finds the caret in the page.
    txtPad->setFocus();
    m_loaded = true;
}

void frmMain::ConvertOldPages()
{
    ConvertDatPages(m_store, m_files);
}

void frmMain::registerHotKeys()
{
    m_cHK = createHotKeyRegistry();
    m_cHK->HotKeyPress = [this](const std::string &sName, std::int32_t eModifiers, std::int32_t eKey) {
        m_cHK_HotKeyPress(QString::fromStdString(sName), eModifiers, eKey);
    };
    m_cHK->Attach(static_cast<std::intptr_t>(winId()));
    try {
        m_cHK->RegisterKey("JotwellVisible", 86, 1); // Alt+V
    } catch (const HotKeyError &error) {
        // The pad works without the key.
        qCWarning(lcHotKeys, "Alt+V is not available: %s", error.what());
    }
}

void frmMain::loadPageList()
{
    auto entries = m_store.readSection(kApp, kTabsSection);
    if (!entries) {
        for (const auto &[key, value] : defaultPageList())
            m_store.write(kApp, kTabsSection, key, value);
        entries = m_store.readSection(kApp, kTabsSection);
    }
    if (!entries)
        return;
    // Every insertion lands in front of the designed tab, which stays selected and ends up last.
    for (int i = 1; i < entries->size(); ++i)
        oTabs->insertTab(i);
    const QStringList captions = tabCaptionsFromPageList(*entries);
    for (int p = 1; p <= captions.size(); ++p) {
        if (!captions.at(p - 1).isNull())
            oTabs->setCaption(p, captions.at(p - 1));
    }
}

void frmMain::restorePosition()
{
    const auto entries = m_store.readSection(kApp, kPositionSection);
    if (!entries) {
        ui::setTop(this, 1);
        ui::setLeft(this, 1);
        return;
    }
    using Setter = void (*)(QWidget *, double);
    const Setter setters[] = {&ui::setTop, &ui::setLeft, &ui::setWidth, &ui::setHeight};
    for (int i = 0; i < 4 && i < entries->size(); ++i) {
        if (const auto value = toInt32(entries->at(i).second))
            setters[i](this, *value);
    }
}

void frmMain::fillFontList()
{
    m_fontNames = ui::screenFontNames();
    cmbFont->addItems(m_fontNames);
    const int font = startupFontEntry(m_fontNames);
    if (font >= 0)
        cmbFont->chooseIndex(font);
    else
        cmbFont->setListIndex(-1);
    cmbFontSize->chooseIndex(2);
}

// ------------------------------------------------------------- page files

QString frmMain::currentPageFile() const
{
    return oTabs->caption(oTabs->selectedIndex()) + kRtf;
}

bool frmMain::saveCurrentPage()
{
    const QString name = currentPageFile();
    // A page whose file could not be read shows empty; unless the user wrote
    // something, that emptiness must not replace the file.
    if (oData && oData->unreadFile() == name && !txtPad->document()->isModified())
        return true;
    try {
        txtPad->SaveFile(m_files.path(name));
        txtPad->document()->setModified(false);
        if (oData)
            oData->forgetUnreadFile();
        return true;
    } catch (const IoError &error) {
        // Text that is already in its file is not lost by a failed rewrite.
        if (!txtPad->document()->isModified())
            return true;
        showSaveError(name, error);
        return false;
    }
}

void frmMain::showSaveError(const QString &fileName, const IoError &error)
{
    ui::MsgBox(isVisible() ? this : nullptr,
               QStringLiteral("The page could not be saved to \"%1\": %2.").arg(fileName, error.reason()));
}

void frmMain::mnuSave_Click()
{
    saveCurrentPage();
}

void frmMain::oTabs_BeforeClick(int newIndex, bool *cancel)
{
    if (!saveCurrentPage()) {
        *cancel = true;
        return;
    }
    // Read the new page before the tab changes: a page that cannot be read
    // must not be replaced by the text still in the editor at the next save.
    const QString title = oTabs->caption(newIndex);
    const QString name = title + kRtf;
    try {
        // A page never saved yet has no file: it opens empty, and its file is written when it is left.
        const QString path = m_files.path(name);
        m_pending = QFileInfo::exists(path) ? loadRtfFile(path) : rtf::Document{};
    } catch (const IoError &error) {
        m_pending.reset();
        *cancel = true;
        ui::MsgBox(this, QStringLiteral("The page \"%1\" could not be opened: %2.").arg(title, error.reason()));
    }
}

void frmMain::oTabs_Click()
{
    if (m_pending) {
        txtPad->setFromDocument(*m_pending);
        txtPad->document()->setModified(false);
        m_pending.reset();
        if (oData)
            oData->forgetUnreadFile();
    }
    txtPad->setFocus();
}

// ------------------------------------------------------------- lifecycle

void frmMain::paintEvent(QPaintEvent *event)
{
    QMainWindow::paintEvent(event);
    // Record the position after the paint, not inside it: it touches a file.
    if (!m_paintQueued) {
        m_paintQueued = true;
        QTimer::singleShot(0, this, [this] {
            m_paintQueued = false;
            Form_Paint();
        });
    }
}

void frmMain::moveEvent(QMoveEvent *event)
{
    QMainWindow::moveEvent(event);
    // A moved window is not always repainted; its corner must still be
    // remembered. A drag moves it many times: record where it comes to rest.
    if (isVisible())
        m_moveSettled.start();
}

void frmMain::Form_Paint()
{
    if (!m_loaded || !isVisible())
        return;
    try {
        m_store.writeEntries(kApp, kPositionSection,
                             {{QStringLiteral("Top"), twipsText(ui::Top(this))},
                              {QStringLiteral("Left"), twipsText(ui::Left(this))},
                              {QStringLiteral("Width"), twipsText(ui::Width(this))},
                              {QStringLiteral("Height"), twipsText(ui::Height(this))}});
    } catch (const IoError &error) {
        // Only the window's corner is at stake; say it once, not on every paint.
        static bool told = false;
        if (!told) {
            told = true;
            std::fprintf(stderr, "jotwell: cannot record the window position: %s\n", error.what());
        }
    }
}

void frmMain::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    Form_Resize();
}

void frmMain::Form_Resize()
{
    const double width = ui::ScaleWidth(m_client);
    const double height = ui::ScaleHeight(m_client);
    // The editor ends at the bottom of the client area, so its last lines and scroll bar stay visible.
    ui::placeTwips(txtPad, 0, 840, width, std::max(0.0, height - 840));
    // The toolbar band and the tab strip follow the window's width.
    ui::placeTwips(Toolbar1, 0, 0, std::max(4680.0, width), 360);
    ui::placeTwips(oTabs, 0, 480, std::max(4335.0, width), 360);
}

void frmMain::focusInEvent(QFocusEvent *event)
{
    QMainWindow::focusInEvent(event);
    Form_GotFocus();
}

void frmMain::Form_GotFocus()
{
    if (m_loaded)
        saveCurrentPage();
}

void frmMain::mnuExit_Click()
{
    if (!saveCurrentPage())
        return;
    m_closing = true;
    close();
}

void frmMain::closeEvent(QCloseEvent *event)
{
    // Closing by the close box keeps the last edits too; a page that cannot be
    // written keeps the program open so that nothing is thrown away.
    if (!m_closing && m_loaded && !saveCurrentPage()) {
        event->ignore();
        return;
    }
    m_closing = true;
    event->accept();
    Form_Unload();
}

void frmMain::Form_Unload()
{
    m_closing = true;
    if (m_min)
        m_min->close();
    if (m_splash)
        m_splash->close();
    hide();
    QCoreApplication::quit();
}

frmMin &frmMain::miniWindow()
{
    if (!m_min)
        m_min = std::make_unique<frmMin>(*this);
    return *m_min;
}

frmSplash *frmMain::splash() const
{
    return qobject_cast<frmSplash *>(m_splash.data());
}

// ------------------------------------------------------------ mini window

void frmMain::cmdShink_Click()
{
    const QString name = currentPageFile();
    frmMin &mini = miniWindow();
    const Corner corner = shrinkPlacement({ui::Top(this), ui::Left(this)}, iTop, iLeft);
    ui::setTop(&mini, corner.top);
    ui::setLeft(&mini, corner.left);
    hide();
    if (!mnuHide->isChecked())
        mini.show();
    try {
        txtPad->SaveFile(m_files.path(name));
        txtPad->document()->setModified(false);
    } catch (const IoError &error) {
        // The main window is gone already: say it above the mini window, or on its own.
        if (txtPad->document()->isModified())
            ui::MsgBox(mini.isVisible() ? static_cast<QWidget *>(&mini) : nullptr,
                       QStringLiteral("The page could not be saved to \"%1\": %2.").arg(name, error.reason()));
    }
}

void frmMain::m_cHK_HotKeyPress(const QString &sName, qint32 eModifiers, qint32 eKey)
{
    Q_UNUSED(eModifiers);
    Q_UNUSED(eKey);
    if (sName != QLatin1StringView("JotwellVisible"))
        return;
    const bool shown = isVisible();
    if (mnuHide->isChecked()) {
        setVisible(!shown);
        return;
    }
    frmMin &mini = miniWindow();
    if (shown) {
        hide();
        mini.show();
    } else {
        show();
        mini.hide();
    }
}

void frmMain::RestoreHeight()
{
    ui::setHeight(this, iFullHeight);
}

bool frmMain::eventFilter(QObject *watched, QEvent *event)
{
    // Editors claim some Ctrl+letter keys for themselves (Ctrl+E moves to the
    // end of a line on some desktops); the menu's shortcuts win in this window.
    if (event->type() == QEvent::ShortcutOverride) {
        auto *widget = qobject_cast<QWidget *>(watched);
        if (widget && widget->window() == this) {
            const auto *key = static_cast<QKeyEvent *>(event);
            const QKeySequence pressed(key->keyCombination());
            for (const QAction *action : {mnuPrint, mnuSave, mnuExit, mnuSearch, mnuNext, mnuAddTab, mnuRemoveTab,
                                          mnuHelpTopics}) {
                if (action->shortcut() == pressed)
                    return true;
            }
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

// ------------------------------------------------------------- formatting

void frmMain::Toolbar1_ButtonClick(int index)
{
    const bool value = Toolbar1->Value(index) == 1;
    switch (index) {
    case 1: txtPad->setSelBold(value); break;
    case 2: txtPad->setSelItalic(value); break;
    case 3: txtPad->setSelUnderline(value); break;
    default: break;
    }
}

void frmMain::cmbFont_Click()
{
    txtPad->setSelFontName(cmbFont->currentText());
}

void frmMain::cmbFontSize_Click()
{
    bool ok = false;
    const double points = cmbFontSize->currentText().toDouble(&ok);
    if (ok && points > 0)
        txtPad->setSelFontSize(points);
}

void frmMain::txtPad_SelChange()
{
    Toolbar1->setValue(1, syncButtonValue(txtPad->SelBold(), Toolbar1->Value(1)));
    Toolbar1->setValue(2, syncButtonValue(txtPad->SelItalic(), Toolbar1->Value(2)));
    Toolbar1->setValue(3, syncButtonValue(txtPad->SelUnderline(), Toolbar1->Value(3)));
    cmbFont->setListIndex(syncFontEntry(m_fontNames, txtPad->SelFontName(), cmbFont->ListIndex()));
    cmbFontSize->setListIndex(syncSizeEntry(m_sizeNames, txtPad->SelFontSize(), cmbFontSize->ListIndex()));
}

void frmMain::mnuHide_Click()
{
    // The menu item flips its own check mark when chosen; nothing is stored.
}

} // namespace jw
