#pragma once

#include <QWidget>

class QLabel;

namespace Velmora {

class HoverSegmentedPicker;
class PreviewPicture;

// What the Screen Recording page shows below its description: the picker
// between the two pictures of the window picker (with live thumbnails, or
// the browser's icon only) and its caption, the warning about the system's
// wording, and the hint for granting it again.
class ScreenRecordingDetails : public QWidget
{
    Q_OBJECT
public:
    static const QString withCaption;
    static const QString withoutCaption;

    explicit ScreenRecordingDetails(bool showingWithoutPermission, QWidget *parent = nullptr);

    void setShowingWithoutPermission(bool without);
    HoverSegmentedPicker *picker() const { return m_picker; }
    PreviewPicture *picture() const { return m_picture; }
    QString caption() const;

signals:
    void showingWithoutPermissionChosen(bool without);

private:
    HoverSegmentedPicker *m_picker;
    PreviewPicture *m_picture;
    QLabel *m_caption;
};

} // namespace Velmora
