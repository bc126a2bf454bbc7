#pragma once

#include "store/appitem.h"

#include <functional>

class QWidget;

namespace Velmora {

class BarActions;
class TaskbarStore;

// What the window picker's popover above one app button shows. The bar asks
// for the content each time the popover opens, from the factory its
// environment names (the window picker's view in the application); without
// one the popover lists the store's previews by title.
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

    // The content `factory` makes, or the plain list when it is empty.
    static QWidget *create(const Factory &factory, const Context &context, QWidget *parent);

    WindowPickerContent() = delete;
};

} // namespace Velmora
