#pragma once

#include <QString>
#include <QVariant>

namespace Velmora::Sim {

// One call the product made on the simulated desktop.
struct SimRequest {
    qint64 atMs = 0;      // monotonic time of the call
    QString operation;    // SimOperations name
    qint32 pid = 0;       // the process the call was about; 0 for none
    QString name;         // attribute, action, notification, function or key
    QVariant detail;      // arguments worth asserting (a window number, a value...)
    int result = 0;       // error code or status the call returned

    friend bool operator==(const SimRequest &, const SimRequest &) = default;
};

} // namespace Velmora::Sim
