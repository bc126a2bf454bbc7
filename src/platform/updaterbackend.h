#pragma once

#include <functional>
#include <memory>

namespace Velmora {

// An update framework that checks for new releases on its own schedule and
// can be asked to check now. The application creates at most one.
class UpdaterBackend
{
public:
    // Keeps an observation alive; destroying it ends the observation and
    // waits for a notification that is being delivered, so none arrives after.
    class Observation
    {
    public:
        virtual ~Observation();
    };

    virtual ~UpdaterBackend();

    // Whether the framework checks for updates on its own schedule.
    virtual bool automaticallyChecksForUpdates() const = 0;
    virtual void setAutomaticallyChecksForUpdates(bool checks) = 0;
    // Checks now, showing the framework's own progress and results.
    virtual void checkForUpdates() = 0;
    // `changed` runs after every change of the automatic-check flag, from
    // whatever thread changed it (the framework's own, or the caller's).
    virtual std::unique_ptr<Observation> observeAutomaticallyChecks(std::function<void()> changed) = 0;
};

} // namespace Velmora
