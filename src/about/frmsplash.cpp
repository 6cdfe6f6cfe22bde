#include "about/frmsplash.h"

#include "ui/pictures.h"
#include "ui/twips.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QScreen>
#include <QTimer>

namespace jw {

namespace {

// The build draws the picture for the usual scales (tools/renderpicture):
// drawing it here took longer than the rest of the first window.
QPixmap picture(qreal devicePixelRatio)
{
    const QString drawn = devicePixelRatio == 1.0   ? QStringLiteral(":/splash/splash.png")
                          : devicePixelRatio == 2.0 ? QStringLiteral(":/splash/splash-2x.png")
                                                    : QString();
    QPixmap pixmap;
    if (!drawn.isEmpty() && pixmap.load(drawn, "PNG")) {
        pixmap.setDevicePixelRatio(devicePixelRatio);
        return pixmap;
    }
    return ui::splashPicture(devicePixelRatio);
}

} // namespace

frmSplash::frmSplash(std::function<void()> showMiniWindow)
    : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      m_showMiniWindow(std::move(showMiniWindow))
{
    setAttribute(Qt::WA_DeleteOnClose);
    setAttribute(Qt::WA_QuitOnClose, false);
    setWindowTitle(QStringLiteral("Jotwell Pro"));
    setFocusPolicy(Qt::StrongFocus);
    setFixedSize(ui::toPixelsX(this, 5805), ui::toPixelsY(this, 5820));

    Picture1 = new QLabel(this);
    Picture1->setPixmap(picture(devicePixelRatioF()));
    Picture1->setAccessibleName(tr("Jotwell Pro is starting"));
    Picture1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    ui::placeTwips(Picture1, 0, 0, 5895, 5895);
    // A label ignores clicks: they reach the window without more ado.

    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        move(area.center() - QPoint(width() / 2, height() / 2));
    }

    Timer1 = new QTimer(this);
    Timer1->setSingleShot(true);
    Timer1->setTimerType(Qt::PreciseTimer); // a coarse timer may fire up to 5% early
    Timer1->setInterval(2000);
    connect(Timer1, &QTimer::timeout, this, &frmSplash::Timer1_Timer);
    Timer1->start();
}

void frmSplash::Timer1_Timer() { dismiss(); }
void frmSplash::Picture1_Click() { dismiss(); }
void frmSplash::Form_KeyPress() { dismiss(); }

void frmSplash::mousePressEvent(QMouseEvent *event)
{
    event->accept();
    Picture1_Click();
}

void frmSplash::keyPressEvent(QKeyEvent *event)
{
    event->accept();
    Form_KeyPress();
}

void frmSplash::dismiss()
{
    if (m_dismissed)
        return;
    m_dismissed = true;
    Timer1->stop();
    if (m_showMiniWindow)
        m_showMiniWindow();
    close();
}

} // namespace jw
