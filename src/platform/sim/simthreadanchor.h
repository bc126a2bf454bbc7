#pragma once

#include <QObject>

#include <functional>
#include <memory>

namespace Velmora::Sim {

// An object living on one thread, where the calls posted to it run, through
// that thread's event loop. The calls travel as events, which the receiving
// loop destroys, so nothing of a call is touched again by the thread that
// posted it. Shared by whoever may still post to it; the last owner lets it
// go on its own thread.
class SimThreadAnchor final : public QObject
{
public:
    // An anchor on the calling thread.
    static std::shared_ptr<SimThreadAnchor> here();

    bool isOnThisThread() const;
    // The anchor's thread has ended: nothing posted would run any more.
    bool isStranded() const;
    void post(std::function<void()> call);

protected:
    bool event(QEvent *event) override;

private:
    SimThreadAnchor() = default;
};

} // namespace Velmora::Sim
