#pragma once

#include <QIcon>
#include <QObject>
#include <QString>

namespace Velmora {

// The application's square item in the system's status bar, at the right of
// the menu bar. It only shows the mark and reports clicks: the application
// pops its menu up itself, so it can choose what the menu holds and where it
// opens each time.
class StatusItem : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;
    ~StatusItem() override;

    // Puts the item in the status bar showing `image`, a one-colour mark the
    // status bar tints as it tints its other items. Installing again replaces
    // the image.
    virtual void install(const QIcon &image, const QString &accessibilityDescription) = 0;
    virtual bool isInstalled() const = 0;
    // Drawn pressed while the application's menu for it is open.
    virtual void setHighlighted(bool highlighted) = 0;

signals:
    // The person clicked the item.
    void clicked();
};

} // namespace Velmora
