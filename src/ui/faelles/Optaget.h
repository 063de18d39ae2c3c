#pragma once

// Marks a long operation for its lifetime: the busy cursor is shown, and the
// windows are kept painted (uncovered parts included) while it runs.
class Optaget {
public:
    Optaget();
    ~Optaget();
    Optaget(const Optaget&) = delete;
    Optaget& operator=(const Optaget&) = delete;

    // Lets pending paint work through, at most a few times a second; user
    // input waits until the operation is over. Does nothing when idle.
    static void HoldVinduerOpdateret();
    // The same at once, e.g. after a message box has uncovered the windows.
    static void OpdaterNu();

    // Runs a message box or question with the normal cursor.
    class NormalMarkoer {
    public:
        NormalMarkoer();
        ~NormalMarkoer();
        NormalMarkoer(const NormalMarkoer&) = delete;
        NormalMarkoer& operator=(const NormalMarkoer&) = delete;
    };
};
