#pragma once

#include "platform/ownwindowregistry.h"

#include <QHash>
#include <QObject>
#include <QPointer>

class QWidget;

namespace Velmora {

// Reports every top-level window of this application to the desktop's
// registry as it appears, moves, changes its title and goes: the bar's
// panels, popovers, the tooltip, the Task Manager and the settings window.
// A window's level is what its owner set with setLayer(), else what its
// window flags say. Main thread only.
class OwnWindowMirror : public QObject
{
    Q_OBJECT
public:
    explicit OwnWindowMirror(OwnWindowRegistry &registry, QObject *parent = nullptr);
    ~OwnWindowMirror() override;

    // Watches the application's windows from now on, those already shown included.
    void start();

    static void setLayer(QWidget *window, qint64 layer);
    static qint64 layerOf(const QWidget *window);
    // False for a window marked as not on the desktop (the drawn desktop).
    static bool isMirrored(const QWidget *window);

    // Reports a window now, before it is first shown: a window that the
    // store shows by its number needs one from the start.
    void track(QWidget *window);

    // The desktop's number for a window it knows; 0 otherwise.
    quint32 numberOf(const QWidget *window) const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    static OwnWindowState stateOf(const QWidget *window);
    void report(QWidget *window, bool front);
    void forget(const QObject *window);

    OwnWindowRegistry &m_registry;
    QHash<const QObject *, quint32> m_numbers;
};

} // namespace Velmora
