#pragma once

#include "platform/axerror.h"
#include "platform/axvalue.h"

#include <QString>

#include <optional>

namespace Velmora::Sim {

// A failure a test asks the simulated desktop to produce. It applies to the
// calls of one operation (a SimOperations name), optionally only for one
// attribute, action or function name and one process.
struct SimFailure {
    QString operation;
    QString name;               // empty: any
    std::optional<qint32> pid;  // none: any
    // Accessibility calls fail with this code...
    AXError error = AXError::Failure;
    // ...unless a replacement value is given: the call then succeeds with it
    // (to serve values of the wrong type).
    std::optional<AXValue> value;
    // Status returned by private functions and the like.
    qint32 status = -1;
    // Asynchronous calls never answer.
    bool neverAnswers = false;
    // How many calls fail; -1 for all of them.
    int times = -1;
};

} // namespace Velmora::Sim
