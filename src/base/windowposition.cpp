#include "base/windowposition.h"

#include "base/ioerror.h"
#include "base/log.h"
#include "base/placement.h"
#include "base/settingsstore.h"

namespace jw {

namespace {
const QString kApp = QStringLiteral("Jotwell");
const QString kSection = QStringLiteral("Position");
} // namespace

WindowPosition::Stored WindowPosition::read() const
{
    Stored stored;
    const auto entries = m_store.readSection(kApp, kSection);
    if (!entries)
        return stored;
    stored.exists = true;
    std::optional<double> *slots[] = {&stored.top, &stored.left, &stored.width, &stored.height};
    for (int i = 0; i < 4 && i < entries->size(); ++i) {
        if (const auto value = toInt32(entries->at(i).second))
            *slots[i] = *value;
    }
    return stored;
}

void WindowPosition::recordCorner(double top, double left)
{
    record({{QStringLiteral("Top"), twipsText(top)}, {QStringLiteral("Left"), twipsText(left)}});
}

void WindowPosition::recordAll(double top, double left, double width, double height)
{
    record({{QStringLiteral("Top"), twipsText(top)},
            {QStringLiteral("Left"), twipsText(left)},
            {QStringLiteral("Width"), twipsText(width)},
            {QStringLiteral("Height"), twipsText(height)}});
}

void WindowPosition::record(const QList<QPair<QString, QString>> &entries)
{
    try {
        m_store.writeEntries(kApp, kSection, entries);
        m_failureLogged = false;
    } catch (const IoError &error) {
        // Only the window's corner is at stake, and it is written on every
        // paint: one line per run of failures.
        if (!m_failureLogged)
            qCWarning(lcSettings) << "cannot record the window position:" << error.what();
        m_failureLogged = true;
    }
}

} // namespace jw
