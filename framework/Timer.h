#pragma once

#include "framework/Component.h"

#include <memory>

class QTimer;
class TWinControl;

// Raises OnTimer every Interval milliseconds while Enabled, from the event loop.
class TTimer : public TComponent {
public:
    explicit TTimer(TComponent* owner);
    ~TTimer() override;

    bool GetEnabled() const { return enabled; }
    void SetEnabled(bool value);
    unsigned GetInterval() const { return interval; }
    void SetInterval(unsigned value);

    TNotifyEvent OnTimer;

private:
    void Update();

    std::unique_ptr<QTimer> timer;
    bool enabled = true;
    unsigned interval = 1000;
};

// A window timer: every elapse milliseconds the window's WMTimer gets id, until the window goes.
// Setting an id that runs already restarts it with the new period.
void SetTimer(TWinControl& window, unsigned id, unsigned elapse);
// Stops the window timer id; nothing when it does not run.
void KillTimer(TWinControl& window, unsigned id);
