#pragma once

#include <QMetaObject>
#include <QObject>
#include <QPointer>

#include <functional>
#include <memory>

class QWindow;

namespace Velmora {

enum class ActivationPolicy;

// Keeps this application's own titled windows (settings, Task Manager,
// onboarding) from holding key and main status while another application is
// active: an accessory application keeps them otherwise, and the next click
// on the bar would then go to them first. When the application resigns
// active and one of them is visible, the parking window, an invisible
// one-point window that takes no input, is put in front of them. It never
// takes the keyboard focus: the application that just became active keeps it.
//
// Main thread only. Installed once at start-up; the parking window is made
// at the first resignation that needs it and kept for the life of the object.
class ActivationParking : public QObject
{
    Q_OBJECT
public:
    using PolicyReader = std::function<ActivationPolicy()>;

    // `policy` reads this application's activation policy when it resigns.
    explicit ActivationParking(PolicyReader policy, QObject *parent = nullptr);
    ~ActivationParking() override;

    // Starts watching the application resign active; a second call does nothing.
    void install();
    bool isInstalled() const { return bool(m_observer); }

    // The parking window, once made (for tests).
    QWindow *parkingWindow() const;

private:
    void park();

    PolicyReader m_policy;
    QMetaObject::Connection m_observer;
    std::unique_ptr<QWindow> m_parkingWindow;
};

} // namespace Velmora
