#include "app/messageboxalerts.h"

#include <QCheckBox>
#include <QMessageBox>
#include <QPushButton>

namespace Velmora {

AlertResponse MessageBoxAlerts::runModal(const AlertRequest &request)
{
    QMessageBox box;
    box.setIcon(QMessageBox::Information);
    box.setText(request.message);
    box.setInformativeText(request.informativeText);
    QList<QAbstractButton *> buttons;
    for (const QString &title : request.buttons) {
        // The first is the default; Escape picks the last, as a "Not Now" is.
        QPushButton *button = box.addButton(title, buttons.isEmpty() ? QMessageBox::AcceptRole : QMessageBox::RejectRole);
        if (buttons.isEmpty())
            box.setDefaultButton(button);
        buttons += button;
    }
    if (buttons.isEmpty())
        box.setStandardButtons(QMessageBox::Ok);
    if (request.suppressionTitle)
        box.setCheckBox(new QCheckBox(*request.suppressionTitle, &box));
    box.exec();
    return AlertResponse{
        .button = buttons.isEmpty() ? 0 : int(buttons.indexOf(box.clickedButton())),
        .suppressed = box.checkBox() && box.checkBox()->isChecked(),
    };
}

} // namespace Velmora
