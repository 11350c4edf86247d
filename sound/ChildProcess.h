// Runs work in a child process that inherits no descriptor but the three
// standard ones, and that ends (with any process it forks in turn) when the
// calling thread's process ends.
#pragma once

#include <functional>

namespace sonobox {

// Runs `body` in a forked child, waits for it, and returns the child's exit
// status (the value `body` returned, 0..255), or -1 when the child could
// not be made or did not exit normally.
int RunInChild(const std::function<int()>& body);

}  // namespace sonobox
