#include "richtext/richtext.h"

namespace jw::rtf {

void normalizeRuns(Document &doc)
{
    std::vector<Run> &runs = doc.runs;
    std::size_t kept = 0;
    for (std::size_t i = 0; i < runs.size(); ++i) {
        if (runs[i].length == 0)
            continue;
        if (kept > 0) {
            Run &prev = runs[kept - 1];
            if (prev.format == runs[i].format && prev.start + prev.length == runs[i].start) {
                prev.length += runs[i].length;
                continue;
            }
        }
        if (kept != i)
            runs[kept] = std::move(runs[i]);
        ++kept;
    }
    runs.resize(kept);
}

} // namespace jw::rtf
