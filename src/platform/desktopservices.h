#pragma once

#include <QObject>
#include <QStringList>
#include <QUrl>

#include <functional>

namespace Velmora {

// What the desktop this program runs on offers to every program: opening an
// address with the handler the user chose, and showing files in the user's
// file manager.
class DesktopServices
{
public:
    // Whether the file manager showed the items.
    using ShowCompletion = std::function<void(bool shown)>;

    virtual ~DesktopServices();

    // False when no handler could be started for the address.
    virtual bool openUrl(const QUrl &url) = 0;
    // Asks the file manager to show the files (as file addresses), selected.
    // `completion` runs once on the main thread while `context` lives.
    virtual void showItems(const QList<QUrl> &files, QObject *context, ShowCompletion completion) = 0;
};

} // namespace Velmora
