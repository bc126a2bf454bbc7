#pragma once

#include "platform/runningapplication.h"

namespace Velmora {

class Workspace;

// Whether this launch of the application still runs: a process identifier
// reused by another launch does not count.
bool isStillRunning(const Workspace &workspace, const RunningApplication &application);

} // namespace Velmora
