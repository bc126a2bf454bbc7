#pragma once

#include "onboarding/onboardingstyle.h"
#include "store/apppermission.h"

#include <QWidget>

namespace Velmora {

class PageHeader;

// The template of both permission pages: the header with the page's symbol,
// title, optional tag and the permission's status badge, the description,
// then the page's own content. Only the badge follows the permission: the
// page reads the same whether it is granted or not.
class PermissionPage : public QWidget
{
    Q_OBJECT
public:
    struct Content {
        AppPermission permission = AppPermission::accessibility;
        OnboardingStyle::Symbol symbol = OnboardingStyle::Symbol::accessibility;
        QString title;
        // Under the title; none when empty.
        QString tag;
        QString description;
        // Below the description; the page takes it over.
        QWidget *extra = nullptr;
    };

    explicit PermissionPage(const Content &content, QWidget *parent = nullptr);

    AppPermission permission() const { return m_permission; }
    void setGranted(bool granted);
    PageHeader *header() const { return m_header; }

    // The pages as the product shows them.
    static PermissionPage *accessibility(QWidget *parent = nullptr);
    // `extra` is the Screen Recording page's own content.
    static PermissionPage *screenRecording(QWidget *extra, QWidget *parent = nullptr);

private:
    AppPermission m_permission;
    PageHeader *m_header;
};

// The badge of a permission: "Allowed" in green, or "Not yet granted" in orange.
void showPermissionStatus(class StatusBadge &badge, bool granted);

} // namespace Velmora
