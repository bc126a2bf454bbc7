#pragma once

#include <QImage>

namespace Velmora {

// The two pictures of the Screen Recording page: the window picker above
// the bar for three browser windows, once with live thumbnails and once
// with only the browser's icon on each card. Drawn in code on first use,
// once, and kept for the life of the process.
class OnboardingImages
{
public:
    static const QImage &windowPreviewsWithPermission();
    static const QImage &windowPreviewsWithoutPermission();

    // What assistive technologies say about each picture.
    static const QString withPermissionDescription;
    static const QString withoutPermissionDescription;

private:
    static QImage draw(bool liveThumbnails);
};

} // namespace Velmora
