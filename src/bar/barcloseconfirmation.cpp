#include "bar/barcloseconfirmation.h"

#include "bar/windowcloseconfirmationdialog.h"

#include <QPointer>

namespace Velmora {

void BarCloseConfirmation::confirm(const QIcon &icon, const Text &text, QObject *context,
                                   std::function<void(bool confirmed)> done)
{
    auto *dialog = new WindowCloseConfirmationDialog(icon, text.title, text.message, text.closeButtonTitle);
    QPointer<QObject> guard(context);
    QObject::connect(dialog, &WindowCloseConfirmationDialog::answered, dialog,
                     [guard, done = std::move(done)](bool confirmed) {
                         // Whoever asked may be gone by the time the user answers.
                         if (guard && done)
                             done(confirmed);
                     });
    dialog->present();
}

} // namespace Velmora
