#pragma once

#include "platform/axerror.h"
#include "platform/axvalue.h"

#include <QString>

#include <optional>

namespace Velmora::Sim {

// A failure a test asks the simulated desktop to produce. It applies to the
// calls of one operation (a SimOperations name), optionally only for one
// attribute, action or function name and one process:
//   SimFailure::on(SimOperations::CopyAttributeValue, "AXWindows").error(AXError::CannotComplete).once()
struct SimFailure {
    static SimFailure on(const QString &operation, const QString &name = {})
    {
        SimFailure failure;
        failure.operation = operation;
        failure.name = name;
        return failure;
    }
    SimFailure forPid(qint32 processIdentifier) const { return with([&](SimFailure &f) { f.pid = processIdentifier; }); }
    SimFailure error(AXError code) const { return with([&](SimFailure &f) { f.axError = code; }); }
    SimFailure answering(const AXValue &replacement) const { return with([&](SimFailure &f) { f.value = replacement; }); }
    SimFailure withStatus(qint32 code) const { return with([&](SimFailure &f) { f.status = code; }); }
    SimFailure hanging() const { return with([](SimFailure &f) { f.neverAnswers = true; }); }
    SimFailure times(int count) const { return with([&](SimFailure &f) { f.remaining = count; }); }
    SimFailure once() const { return times(1); }

    QString operation;
    QString name;               // empty: any
    std::optional<qint32> pid;  // none: any
    // Accessibility calls fail with this code...
    AXError axError = AXError::Failure;
    // ...unless a replacement value is given: the call then succeeds with it
    // (to serve values of the wrong type).
    std::optional<AXValue> value;
    // Status returned by private functions and the like.
    qint32 status = -1;
    // Asynchronous calls never answer.
    bool neverAnswers = false;
    // How many calls fail; -1 for all of them.
    int remaining = -1;

private:
    template<typename Change>
    SimFailure with(Change change) const
    {
        SimFailure copy = *this;
        change(copy);
        return copy;
    }
};

} // namespace Velmora::Sim
