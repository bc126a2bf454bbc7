#pragma once

#include "store/appitem.h"

#include <functional>

class QWidget;

namespace Velmora {

class BarActions;
class TaskbarStore;

// What the window picker's popover above one app button shows. The bar asks
// for the content each time the popover opens; the window picker installs its
// own view with setFactory() when the application starts, and until then the
// popover lists the store's previews by title.
class WindowPickerContent
{
public:
    // The height of one card of the picker.
    static constexpr qreal cardHeight = 159;

    struct Context
    {
        TaskbarStore &store;
        BarActions &actions;
        AppItem app;
        quint32 displayID = 0;
        qreal previewCardHeight = cardHeight;
    };

    // Makes the content widget for one app and display, parented to `parent`.
    // The widget reads the picker's state from the store as it changes and
    // reports its preferred size through sizeHint() (and updateGeometry()).
    using Factory = std::function<QWidget *(const Context &context, QWidget *parent)>;

    // Installs the picker's view; an empty factory goes back to the plain list.
    static void setFactory(Factory factory);
    static QWidget *create(const Context &context, QWidget *parent);

    WindowPickerContent() = delete;
};

} // namespace Velmora
