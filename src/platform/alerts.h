#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace Velmora {

// A modal alert the application shows on its own, outside any window.
struct AlertRequest
{
    QString message;
    QString informativeText;
    // In order, the first the default; none gives the single standard button.
    QStringList buttons;
    // The title of a check box such as "Don't ask again"; none shows no box.
    std::optional<QString> suppressionTitle;

    friend bool operator==(const AlertRequest &, const AlertRequest &) = default;
};

struct AlertResponse
{
    // The index of the chosen button in the request's order; -1 when the
    // alert was closed without one.
    int button = 0;
    // The check box was ticked when the alert closed.
    bool suppressed = false;
};

class Alerts
{
public:
    virtual ~Alerts();

    // Blocks until the user answers.
    virtual AlertResponse runModal(const AlertRequest &request) = 0;
};

} // namespace Velmora
