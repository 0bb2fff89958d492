#pragma once

// The benchmark binary runs itself as a child to time a processor's first prepare in a process
// that has prepared nothing before. The child prints the time in nanoseconds and exits.
namespace FirstPrepareChild
{
    constexpr const char* flag = "--time-first-prepare";

    // Runs the child's work when the arguments ask for it; false otherwise.
    bool runIfAsked (int argc, char** argv);
}
