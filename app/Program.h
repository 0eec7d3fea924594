#pragma once

struct Services;

// The program from start to end: shows the start-up window and runs the event loop until the
// last loaded window has been unloaded (status 0) or the common error path ends it (status 1).
class Program {
public:
    static int run(Services& services);
};
