#pragma once
// The application object: one instance per user, the language, and the main
// dialog as the program's only window.

inline constexpr const char* kSingleInstanceName = "QLN207";
inline constexpr const char* kRegistryKey = "Norvagen_Dorel_TXV418K";
inline constexpr const char* kApplicationName = "TXV418K Demo";

// TXV_ON_SHOWN=print writes "shown" on its own line to standard output when
// the main window is first painted; TXV_ON_SHOWN=quit also ends the program
// then. Benchmarks and tests use it to time start-up and to know the window
// is up.
inline constexpr const char* kOnShownVariable = "TXV_ON_SHOWN";

class CDQ450DemoApp {
public:
    // The program from start to end; returns the process's exit code.
    int Run(int argc, char** argv);

private:
    // Always false: the main dialog has ended (or never started) when it
    // returns, so no further message loop runs.
    bool InitInstance(int& argc, char** argv);
    int ExitInstance();
};
