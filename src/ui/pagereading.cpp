#include "ui/pagereading.h"

#include "richtext/rtffile.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QFileInfo>
#include <QProgressDialog>
#include <QTimer>

#include <chrono>
#include <future>

namespace jw::ui {

namespace {

// Below this a page is read before a progress dialog would be worth showing.
constexpr qint64 kInBackground = qint64(16) << 20;

bool ready(const std::future<rtf::Document> &reading)
{
    return reading.wait_for(std::chrono::seconds(0)) == std::future_status::ready;
}

} // namespace

rtf::Document readPageShowingProgress(QWidget *parent, const QString &path, const QString &title)
{
    const QFileInfo file(path);
    if (!file.isFile() || file.size() < kInBackground)
        return loadRtfFile(path);
    // Read, then parsed: each byte counts twice.
    return readShowingProgress(
        parent, QCoreApplication::translate("jw::ui::PageReading", "Opening the page \"%1\"...").arg(title),
        2 * file.size(), [&path](rtf::ReadControl &control) { return loadRtfFile(path, control); });
}

rtf::Document readShowingProgress(QWidget *parent, const QString &label, qint64 total,
                                  const std::function<rtf::Document(rtf::ReadControl &)> &read)
{
    rtf::ReadControl control;
    std::future<rtf::Document> reading = std::async(std::launch::async, [&] { return read(control); });
    QProgressDialog progress(label, QCoreApplication::translate("jw::ui::PageReading", "Cancel"), 0, 1000, parent);
    progress.setObjectName(QStringLiteral("dlgReading"));
    progress.setWindowTitle(QCoreApplication::applicationName());
    progress.setWindowModality(Qt::WindowModal);
    progress.setAutoReset(false);
    progress.setAutoClose(false);
    progress.setMinimumDuration(500);
    progress.setValue(0);
    QEventLoop loop;
    QObject::connect(&progress, &QProgressDialog::canceled, &loop, &QEventLoop::quit);
    // Esc that reaches the dialog before its Cancel shortcut does only rejects it.
    QObject::connect(&progress, &QDialog::rejected, &loop, &QEventLoop::quit);
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, &loop, [&] {
        if (ready(reading))
            loop.quit();
        else
            progress.setValue(int(double(control.done) * 1000 / double(std::max<qint64>(total, 1))));
    });
    tick.start(30);
    loop.exec();
    // Cancel, Esc or the end of the application: the worker stops at its next report.
    if (!ready(reading))
        control.stop = true;
    return reading.get();
}

} // namespace jw::ui
