#include "dialogs/frmsplash.h"

#include "ui/pictures.h"
#include "ui/twips.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <QTimer>

namespace jw {

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
    Picture1->setPixmap(splashPicture(devicePixelRatioF()));
    Picture1->setScaledContents(true);
    ui::placeTwips(Picture1, 0, 0, 5895, 5895);
    // Clicks on the picture reach the window.
    Picture1->setAttribute(Qt::WA_TransparentForMouseEvents);

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

QPixmap splashPicture(qreal ratio)
{
    const QSize size(389, 388);
    QPixmap pixmap(size * ratio);
    pixmap.setDevicePixelRatio(ratio);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);

    QLinearGradient sky(0, 0, 0, size.height());
    sky.setColorAt(0.0, QColor(34, 52, 78));
    sky.setColorAt(1.0, QColor(16, 24, 38));
    p.fillRect(QRect(QPoint(0, 0), size), sky);

    // Rows of round keys, fading towards the top: the desk the pad sits on.
    for (int row = 0; row < 4; ++row) {
        const int y = 236 + row * 38;
        const int offset = (row % 2) * 19;
        for (int x = -10 + offset; x < size.width(); x += 40) {
            const qreal fade = 0.35 + 0.15 * row;
            QRadialGradient cap(QPointF(x + 15, y + 12), 20);
            cap.setColorAt(0, QColor(235, 228, 210, int(255 * fade)));
            cap.setColorAt(1, QColor(150, 140, 120, int(255 * fade)));
            p.setPen(QPen(QColor(10, 10, 10, int(200 * fade)), 2));
            p.setBrush(cap);
            p.drawEllipse(QRectF(x, y, 30, 30));
        }
    }

    // A sheet of note paper with the program's mark.
    const QRectF sheet(54, 40, 281, 170);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 70));
    p.drawRoundedRect(sheet.translated(4, 5), 8, 8);
    p.setBrush(QColor(252, 248, 232));
    p.drawRoundedRect(sheet, 8, 8);
    p.setPen(QPen(QColor(170, 200, 230), 1));
    for (qreal y = sheet.top() + 58; y < sheet.bottom() - 8; y += 18)
        p.drawLine(QPointF(sheet.left() + 14, y), QPointF(sheet.right() - 14, y));
    p.setPen(QPen(QColor(220, 120, 120), 1.5));
    p.drawLine(QPointF(sheet.left() + 40, sheet.top() + 8), QPointF(sheet.left() + 40, sheet.bottom() - 8));

    p.drawPixmap(QRectF(sheet.left() + 12, sheet.top() + 12, 32, 32), ui::programIcon().pixmap(64, 64),
                 QRectF(0, 0, 64, 64));

    QFont title(QStringLiteral("DejaVu Sans"));
    title.setPixelSize(30);
    title.setBold(true);
    p.setFont(title);
    p.setPen(QColor(34, 52, 78));
    p.drawText(QRectF(sheet.left() + 52, sheet.top() + 10, sheet.width() - 60, 40), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Jotwell Pro"));

    QFont version(QStringLiteral("DejaVu Sans"));
    version.setPixelSize(13);
    p.setFont(version);
    p.setPen(QColor(90, 100, 115));
    p.drawText(QRectF(sheet.left() + 52, sheet.top() + 56, sheet.width() - 60, 18), Qt::AlignLeft,
               QStringLiteral("Version %1.%2.%3").arg(JW_VERSION_MAJOR).arg(JW_VERSION_MINOR).arg(JW_VERSION_PATCH));

    QFont slogan(QStringLiteral("DejaVu Serif"));
    slogan.setPixelSize(17);
    slogan.setItalic(true);
    p.setFont(slogan);
    p.setPen(QColor(40, 40, 48));
    p.drawText(QRectF(sheet.left() + 52, sheet.top() + 92, sheet.width() - 60, 60), Qt::AlignLeft | Qt::TextWordWrap,
               QStringLiteral("Your notes, one keystroke away."));

    QFont notice(QStringLiteral("DejaVu Sans"));
    notice.setPixelSize(10);
    p.setFont(notice);
    p.setPen(QColor(200, 205, 215));
    p.drawText(QRectF(0, size.height() - 22, size.width(), 16), Qt::AlignCenter,
               QStringLiteral("Copyright 2026 the Jotwell Pro developers. Alt+V shows the pad."));
    return pixmap;
}

} // namespace jw
