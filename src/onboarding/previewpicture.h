#pragma once

#include <QImage>
#include <QWidget>

namespace Velmora {

// A picture scaled to the width it is given, keeping its aspect ratio, in
// a rounded frame with a soft shadow below.
class PreviewPicture : public QWidget
{
    Q_OBJECT
public:
    explicit PreviewPicture(QWidget *parent = nullptr);

    void setImage(const QImage &image, const QString &description);
    const QImage &image() const { return m_image; }

    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    // Room for the shadow below the picture.
    static constexpr int shadowRoom = 12;

    QImage m_image;
};

} // namespace Velmora
