// rtfdump FILE            prints the page in FILE as one JSON object
// rtfdump --to-rtf FILE   writes the RTF for a page given in that JSON form

#include "richtext/richtext.h"
#include "richtext/unicode.h"

#include <QByteArray>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QJsonValue>
#include <QString>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

using namespace Qt::StringLiterals;

namespace {

using jw::rtf::detail::appendUtf8;

void appendEscapedUnit(std::string &out, char16_t u)
{
    char buf[8];
    std::snprintf(buf, sizeof buf, "\\u%04x", static_cast<unsigned>(u));
    out += buf;
}

// JSON string of UTF-16 text; line breaks are shown as paragraph breaks.
std::string jsonString(std::u16string_view s)
{
    std::string out = "\"";
    for (std::size_t i = 0; i < s.size(); ++i) {
        const char16_t u = s[i];
        switch (u) {
        case u'"': out += "\\\""; continue;
        case u'\\': out += "\\\\"; continue;
        case u'\n':
        case u'\u2028': out += "\\n"; continue;
        case u'\t': out += "\\t"; continue;
        case u'\r': out += "\\r"; continue;
        default: break;
        }
        if (u < 0x20 || u == 0x2029) {
            appendEscapedUnit(out, u);
        } else if (u >= 0xD800 && u <= 0xDBFF && i + 1 < s.size() && s[i + 1] >= 0xDC00
                   && s[i + 1] <= 0xDFFF) {
            appendUtf8(out, 0x10000 + ((char32_t(u) - 0xD800) << 10) + (s[i + 1] - 0xDC00));
            ++i;
        } else if (u >= 0xD800 && u <= 0xDFFF) {
            appendEscapedUnit(out, u); // keep a lone half visible rather than invent text
        } else {
            appendUtf8(out, u);
        }
    }
    out += '"';
    return out;
}

std::string jsonString(const std::string &utf8)
{
    const QString s = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
    return jsonString(std::u16string_view(reinterpret_cast<const char16_t *>(s.utf16()),
                                          static_cast<std::size_t>(s.size())));
}

std::string sizeText(int halfPoints)
{
    std::string s = std::to_string(halfPoints / 2);
    if (halfPoints % 2 != 0)
        s += ".5";
    return s;
}

std::string toJson(const jw::rtf::Document &doc)
{
    std::string out = "{\"text\": " + jsonString(doc.text) + ", \"runs\": [";
    for (std::size_t i = 0; i < doc.runs.size(); ++i) {
        const jw::rtf::Run &r = doc.runs[i];
        const auto b = [](bool v) { return v ? "true" : "false"; };
        if (i > 0)
            out += ", ";
        out += "{\"start\": " + std::to_string(r.start) + ", \"length\": " + std::to_string(r.length)
            + ", \"font\": " + jsonString(r.format.font) + ", \"size\": " + sizeText(r.format.halfPoints)
            + ", \"bold\": " + b(r.format.bold) + ", \"italic\": " + b(r.format.italic)
            + ", \"underline\": " + b(r.format.underline) + "}";
    }
    out += "]}\n";
    return out;
}

bool readFile(const char *path, QByteArray &out)
{
    QFile f(QString::fromLocal8Bit(path));
    if (!f.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "rtfdump: cannot read %s: %s\n", path, qPrintable(f.errorString()));
        return false;
    }
    out = f.readAll();
    if (f.error() != QFileDevice::NoError) {
        std::fprintf(stderr, "rtfdump: cannot read %s: %s\n", path, qPrintable(f.errorString()));
        return false;
    }
    return true;
}

bool fail(const char *path, const char *what)
{
    std::fprintf(stderr, "rtfdump: %s: %s\n", path, what);
    return false;
}

// Builds a document from the JSON form; runs are clipped to the text and
// gaps get the default format.
bool fromJson(const char *path, const QByteArray &bytes, jw::rtf::Document &doc)
{
    QJsonParseError err{};
    const QJsonDocument json = QJsonDocument::fromJson(bytes, &err);
    if (err.error != QJsonParseError::NoError)
        return fail(path, qPrintable(err.errorString()));
    if (!json.isObject())
        return fail(path, "expected a JSON object");
    const QJsonObject root = json.object();
    if (!root.value(u"text"_s).isString())
        return fail(path, "\"text\" must be a string");
    const QString text = root.value(u"text"_s).toString();
    doc.text.assign(reinterpret_cast<const char16_t *>(text.utf16()), static_cast<std::size_t>(text.size()));
    const QJsonValue runsValue = root.value(u"runs"_s);
    if (!runsValue.isUndefined() && !runsValue.isArray())
        return fail(path, "\"runs\" must be an array");

    std::vector<jw::rtf::Run> runs;
    for (const QJsonValue &v : runsValue.toArray()) {
        if (!v.isObject())
            return fail(path, "each run must be an object");
        const QJsonObject o = v.toObject();
        const double start = o.value(u"start"_s).toDouble(-1);
        const double length = o.value(u"length"_s).toDouble(-1);
        if (start < 0 || length < 0 || start != std::floor(start) || length != std::floor(length))
            return fail(path, "run start and length must be whole numbers >= 0");
        jw::rtf::Run r;
        r.start = static_cast<std::size_t>(std::min(start, double(doc.text.size())));
        r.length = static_cast<std::size_t>(std::min(length, double(doc.text.size() - r.start)));
        r.format.font = o.value(u"font"_s).toString().toStdString();
        r.format.halfPoints = static_cast<int>(std::lround(o.value(u"size"_s).toDouble(12.0) * 2));
        r.format.bold = o.value(u"bold"_s).toBool();
        r.format.italic = o.value(u"italic"_s).toBool();
        r.format.underline = o.value(u"underline"_s).toBool();
        runs.push_back(std::move(r));
    }
    std::stable_sort(runs.begin(), runs.end(), [](const auto &a, const auto &b) { return a.start < b.start; });
    std::size_t pos = 0;
    for (jw::rtf::Run &r : runs) {
        if (r.start + r.length <= pos)
            continue; // entirely inside an earlier run
        if (r.start > pos)
            doc.runs.push_back(jw::rtf::Run{pos, r.start - pos, {}});
        const std::size_t end = r.start + r.length;
        r.start = std::max(r.start, pos);
        r.length = end - r.start;
        pos = end;
        doc.runs.push_back(std::move(r));
    }
    if (pos < doc.text.size())
        doc.runs.push_back(jw::rtf::Run{pos, doc.text.size() - pos, {}});
    jw::rtf::normalizeRuns(doc);
    return true;
}

bool writeAll(const std::string &s)
{
    return std::fwrite(s.data(), 1, s.size(), stdout) == s.size() && std::fflush(stdout) == 0;
}

int usage()
{
    std::fprintf(stderr, "usage: rtfdump FILE\n       rtfdump --to-rtf FILE.json\n");
    return 2;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc == 2 && std::strcmp(argv[1], "--to-rtf") != 0 && argv[1][0] != '-') {
        QByteArray bytes;
        if (!readFile(argv[1], bytes))
            return 1;
        const jw::rtf::Document doc = jw::rtf::readRtf(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
        return writeAll(toJson(doc)) ? 0 : 1;
    }
    if (argc == 3 && std::strcmp(argv[1], "--to-rtf") == 0) {
        QByteArray bytes;
        if (!readFile(argv[2], bytes))
            return 1;
        jw::rtf::Document doc;
        if (!fromJson(argv[2], bytes, doc))
            return 1;
        return writeAll(jw::rtf::writeRtf(doc)) ? 0 : 1;
    }
    return usage();
}
