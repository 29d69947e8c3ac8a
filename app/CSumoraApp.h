// The application: start-up and shut-down in a fixed order around the window's message loop.
#pragma once

class CSumoraApp {
public:
    // Loads the data (or the defaults), opens the window and runs it; saves at the end.
    // Returns the process exit code.
    int Run();

private:
    bool InitInstance();
    int ExitInstance();
};
