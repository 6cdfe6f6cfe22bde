#include "editing/pagezoom.h"

#include "base/ioerror.h"
#include "base/log.h"
#include "base/settingsstore.h"
#include "ui/feature.h"
#include "ui/richtextedit.h"

#include <QAbstractTextDocumentLayout>
#include <QWheelEvent>

#include <array>

namespace jw {

namespace {

const QString kApp = QStringLiteral("Jotwell");
const QString kSection = QStringLiteral("View");
const QString kZoomKey = QStringLiteral("Zoom");
constexpr std::array kSteps{50, 67, 80, 90, 100, 110, 125, 150, 175, 200, 250, 300, 400};

} // namespace

PageZoom::PageZoom(ui::ICommands &commands, ui::RichTextEdit &pad, SettingsStore &settings, QObject *parent)
    : QObject(parent), m_pad(pad), m_settings(settings), m_device(1, 1, QImage::Format_RGB32)
{
    bool ok = false;
    const int stored = m_settings.readOne(kApp, kSection, kZoomKey).toInt(&ok);
    m_percent = ok ? std::clamp(stored, kSteps.front(), kSteps.back()) : 100;
    auto key = [&](const char *name, const QList<QKeySequence> &keys, void (PageZoom::*handler)()) {
        QAction *action = ui::newAction(this, name, QString());
        action->setShortcuts(keys);
        connect(action, &QAction::triggered, this, handler);
        m_pad.addAction(action);
        commands.addKeys(action);
    };
    key("actZoomIn", {QKeySequence(Qt::CTRL | Qt::Key_Equal), QKeySequence(Qt::CTRL | Qt::Key_Plus)},
        &PageZoom::zoomIn);
    key("actZoomOut", {QKeySequence(Qt::CTRL | Qt::Key_Minus)}, &PageZoom::zoomOut);
    key("actZoomReset", {QKeySequence(Qt::CTRL | Qt::Key_0)}, &PageZoom::zoomReset);
    m_pad.viewport()->installEventFilter(this);
    // Every page comes in a new document, which is laid out unzoomed.
    connect(&m_pad, &QTextEdit::textChanged, this, &PageZoom::apply);
    apply();
}

PageZoom::~PageZoom()
{
    if (m_zoomed == m_pad.document())
        m_pad.document()->documentLayout()->setPaintDevice(nullptr);
}

void PageZoom::setPercent(int percent)
{
    percent = std::clamp(percent, kSteps.front(), kSteps.back());
    if (percent == m_percent)
        return;
    m_percent = percent;
    try {
        m_settings.write(kApp, kSection, kZoomKey, QString::number(percent));
    } catch (const IoError &error) {
        qCWarning(lcSettings) << error.what();
    }
    m_zoomed = nullptr;
    apply();
}

void PageZoom::zoomIn()
{
    const auto next = std::upper_bound(kSteps.begin(), kSteps.end(), m_percent);
    setPercent(next == kSteps.end() ? kSteps.back() : *next);
}

void PageZoom::zoomOut()
{
    const auto next = std::lower_bound(kSteps.begin(), kSteps.end(), m_percent);
    setPercent(next == kSteps.begin() ? kSteps.front() : *(next - 1));
}

void PageZoom::zoomReset() { setPercent(100); }

void PageZoom::apply()
{
    QTextDocument *doc = m_pad.document();
    if (m_zoomed == doc)
        return;
    m_zoomed = doc;
    // The layout sizes the text for its paint device's resolution; one of a
    // higher resolution shows the same points larger. The painting is the
    // widget's, so only the screen sees it.
    const double dpi = m_pad.logicalDpiY() * m_percent / 100.0;
    m_device.setDotsPerMeterX(qRound(dpi / 0.0254));
    m_device.setDotsPerMeterY(qRound(dpi / 0.0254));
    QAbstractTextDocumentLayout *layout = doc->documentLayout();
    QPaintDevice *device = m_percent == 100 ? nullptr : &m_device;
    if (layout->paintDevice() == device && device == nullptr)
        return;
    layout->setPaintDevice(device);
    doc->setDefaultFont(doc->defaultFont()); // lays the whole page out again
}

bool PageZoom::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::Wheel || watched != m_pad.viewport())
        return QObject::eventFilter(watched, event);
    const auto *wheel = static_cast<QWheelEvent *>(event);
    if (!(wheel->modifiers() & Qt::ControlModifier))
        return false;
    // The editor would zoom by changing the page's default font, which the
    // page's file would then keep: the zoom is this view's alone.
    m_wheel += wheel->angleDelta().y();
    for (; m_wheel >= 120; m_wheel -= 120)
        zoomIn();
    for (; m_wheel <= -120; m_wheel += 120)
        zoomOut();
    return true;
}

} // namespace jw
