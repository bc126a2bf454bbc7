#pragma once

#include <QWidget>

namespace Velmora {

// "Allowed" in green with a check, or "Not yet granted" in orange with a
// cross: a small tinted capsule that never wraps or shrinks.
class PermissionBadge : public QWidget
{
    Q_OBJECT
public:
    explicit PermissionBadge(QWidget *parent = nullptr);

    void setGranted(bool granted);
    bool isGranted() const { return m_granted; }
    QString text() const;
    QColor color() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    bool m_granted = false;
};

} // namespace Velmora
