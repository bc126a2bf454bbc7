#pragma once

#include "picker/horizontalpreviewscrollview.h"
#include "picker/windowpreviewcard.h"

namespace Velmora {

class WindowPickerViewModel;
class WindowPreviewStrip;

// The picker's horizontally scrolling strip of cards: the scroll view with
// the strip installed once as its document. The picker's model keeps both
// in step with the store; this only reflects it.
class WindowPreviewScroller : public HorizontalPreviewScrollView
{
    Q_OBJECT
public:
    WindowPreviewScroller(WindowPickerViewModel &picker, const WindowPreviewCard::Environment &environment,
        const QIcon &appIcon, QWidget *parent = nullptr);
    ~WindowPreviewScroller() override;

    WindowPreviewStrip *strip() const { return m_strip; }

private:
    WindowPreviewStrip *m_strip;
};

} // namespace Velmora
