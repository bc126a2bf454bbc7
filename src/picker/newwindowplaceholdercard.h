#pragma once

#include "picker/windowpreviewcardframe.h"

#include <QIcon>

namespace Velmora {

// The card shown in the strip while a window the user asked for has not
// appeared yet: the app's icon on the dark picture and "New Window" below,
// the size of a window card. It always rises into place at once, and has no
// click, hover or menu.
class NewWindowPlaceholderCard : public WindowPreviewCardFrame
{
    Q_OBJECT
public:
    static const QString title;           // "New Window"
    static const QString accessibleLabel; // "Opening new window"

    NewWindowPlaceholderCard(Animator &animator, Scheduler &scheduler, const QIcon &appIcon, QWidget *parent = nullptr);
    ~NewWindowPlaceholderCard() override;

protected:
    void paintBody(QPainter &painter) override;

private:
    QIcon m_appIcon;
};

} // namespace Velmora
