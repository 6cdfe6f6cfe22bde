#include "pages/clsdata.h"

#include "pages/pagefiles.h"
#include "ui/richtextedit.h"

namespace jw {

void clsData::loadData(QString &sTitle)
{
    m_unreadFile = sTitle;
    m_files.ensureExists(sTitle);
    m_editor.LoadFile(m_files.path(sTitle));
    m_unreadFile.clear();
}

} // namespace jw
