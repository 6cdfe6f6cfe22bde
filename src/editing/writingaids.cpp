#include "editing/writingaids.h"

#include "editing/editormenu.h"
#include "editing/linkview.h"
#include "editing/pagezoom.h"
#include "editing/spelling.h"
#include "ui/feature.h"

#include <QMenu>

namespace jw {

WritingAids::WritingAids(const ui::FeatureContext &context, QObject *parent)
    : QObject(parent), m_spelling(new Spelling(context.commands, context.editor, context.settings, context.host,
                                               systemDictionaryFolders(), this)),
      m_links(new LinkView(context.editor, {}, this)),
      m_zoom(new PageZoom(context.commands, context.editor, context.settings, this)),
      m_menu(new EditorMenu(context.editor, this))
{
    m_menu->addSection([this](QMenu &menu, int pos) { m_spelling->addMenuItems(menu, pos); });
    m_menu->addSection([this](QMenu &menu, int pos) { m_links->addMenuItems(menu, pos); });
}

WritingAids::~WritingAids() = default;

} // namespace jw
