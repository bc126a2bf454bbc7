#include "picker/windowpreviewscroller.h"

#include "picker/model/windowpickerviewmodel.h"
#include "picker/windowpreviewstrip.h"

namespace Velmora {

WindowPreviewScroller::WindowPreviewScroller(WindowPickerViewModel &picker,
    const WindowPreviewCard::Environment &environment, const QIcon &appIcon, QWidget *parent)
    : HorizontalPreviewScrollView(picker.scroller(), parent)
    , m_strip(new WindowPreviewStrip(picker.strip(), environment, picker.app(), appIcon))
{
    // Installed once; later changes only resize it and move its cards.
    setDocument(m_strip);
    connect(&picker, &WindowPickerViewModel::changed, m_strip, [this](quint32 changes) {
        if (changes & WindowPickerViewModel::StripChanged)
            m_strip->sync();
    });
}

WindowPreviewScroller::~WindowPreviewScroller() = default;

} // namespace Velmora
