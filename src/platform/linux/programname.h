#pragma once

#include <QString>

#include <string_view>

namespace Velmora::Linux {

// The name a process list shows for a program. The kernel keeps only the
// first 15 bytes of a program's name ("xdg-desktop-por"), so a name that long
// may have been cut; the whole name is then taken from the executable's file
// name or, when that cannot be read (another user's process), from the file
// name of the first argument. Either must begin with what the kernel kept: a
// program that named itself keeps its own name. Without either, the kernel's
// name stays.
//
// `procDirectory` is an open descriptor of the procfs root.
QString programName(int procDirectory, int pid, std::string_view kernelName);

} // namespace Velmora::Linux
