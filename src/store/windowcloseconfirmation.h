#pragma once

#include <QIcon>
#include <QObject>
#include <QString>

#include <functional>

namespace Velmora {

// Asks the user before a window with several tabs is closed. The bar
// implements it with its modal confirmation window (icon, the three texts,
// "Cancel" and the close button); the store runs it.
class WindowCloseConfirmation
{
public:
    struct Text
    {
        Text(int tabCount, const QString &windowTitle);

        QString title;
        QString message;
        QString closeButtonTitle;

        friend bool operator==(const Text &, const Text &) = default;
    };

    virtual ~WindowCloseConfirmation() = default;

    // Shows the confirmation; `done` runs once on the main thread, true only
    // when the user chose the close button, and only while `context` lives.
    virtual void confirm(const QIcon &icon, const Text &text, QObject *context, std::function<void(bool confirmed)> done)
        = 0;
};

} // namespace Velmora
