#pragma once

#include <QImage>
#include <QMetaType>
#include <QString>

#include <optional>

namespace Velmora {

// One captured image of a window, with the window server's name of the
// window when it was taken: a kept image is shown again only while the
// window still carries that name.
struct CapturedThumbnail
{
    QImage image;
    std::optional<QString> title;
};

} // namespace Velmora

Q_DECLARE_METATYPE(Velmora::CapturedThumbnail)
