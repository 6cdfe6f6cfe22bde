#include "richtext/rtffile.h"

#include "base/fileio.h"

#include <string_view>

namespace jw {

rtf::Document loadRtfFile(const QString &path)
{
    const QByteArray bytes = readWholeFile(path);
    if (bytes.isEmpty())
        return {};
    return rtf::readRtf(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

rtf::Document loadRtfFile(const QString &path, rtf::ReadControl &control)
{
    const QByteArray bytes = readWholeFile(path, [&control](qint64 got) {
        control.done = std::size_t(got);
        return !control.stop;
    });
    if (control.stop)
        throw rtf::ReadStopped();
    control.parsedFrom = std::size_t(bytes.size());
    if (bytes.isEmpty())
        return {};
    return rtf::readRtf(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())), &control);
}

void saveRtfFile(const QString &path, const rtf::Document &doc)
{
    const std::string bytes = rtf::writeRtf(doc);
    writeFileAtomically(path, QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

} // namespace jw
