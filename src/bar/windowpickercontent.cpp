#include "bar/windowpickercontent.h"

#include "bar/plainpreviewlist.h"

namespace Velmora {

QWidget *WindowPickerContent::create(const Factory &factory, const Context &context, QWidget *parent)
{
    if (factory)
        return factory(context, parent);
    return new PlainPreviewList(context, parent);
}

} // namespace Velmora
