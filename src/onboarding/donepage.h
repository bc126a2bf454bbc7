#pragma once

#include "store/apppermission.h"

#include <QWidget>

namespace Velmora {

class StatusBadge;

// The last page: all set, with a card that shows each permission's status.
class DonePage : public QWidget
{
    Q_OBJECT
public:
    explicit DonePage(QWidget *parent = nullptr);

    void setGranted(AppPermission permission, bool granted);
    StatusBadge *badge(AppPermission permission) const;

private:
    StatusBadge *m_accessibility;
    StatusBadge *m_screenRecording;
};

} // namespace Velmora
