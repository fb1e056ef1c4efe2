#pragma once
// The background thread that reads what the reader sends by itself: over
// HID one length-prefixed frame per pass, over COM the bursts of a 50 ms
// poll. It touches no widget: each accepted frame and each burst of card
// text is handed, as a copy, to the main dialog on the UI thread, where the
// calls run in arrival order until the hand-over is closed.

#include "reader/types.h"

#include <cstdint>
#include <memory>
#include <pthread.h>

class CDQ450DemoDlg;

class ReadThread {
public:
    // Starts the thread on device; it runs while dialog.m_bReadRun is set.
    // Started() tells whether the thread could be created.
    ReadThread(CDQ450DemoDlg& dialog, DeviceHandle device, int transport);
    // Closes the hand-over, wakes an idle wait and waits for the thread,
    // however long it takes, since the thread uses the dialog.
    ~ReadThread();
    ReadThread(const ReadThread&) = delete;
    ReadThread& operator=(const ReadThread&) = delete;

    // What a stop takes, for a device that no thread reads: what the reader
    // already sent is read on the calling thread and handed over as the
    // thread would. dialog.m_bReadRun must be clear.
    static void TakeAlreadySent(CDQ450DemoDlg& dialog, DeviceHandle device, int transport);

    bool Started() const { return m_started; }
    DeviceHandle Device() const;
    // Waits at most timeoutMs for the thread to end; true once it has.
    bool WaitEnded(uint32_t timeoutMs);
    // Calls that the thread hands over from now on do nothing. UI thread.
    void CloseHandOver();
    // Frames read and bursts taken so far, handed over or dropped (tests and
    // benchmarks wait on it).
    int Taken() const;

    struct Shared;

private:
    std::shared_ptr<Shared> m_shared;
    pthread_t m_thread{};
    bool m_started = false;
    bool m_joined = false;
};
