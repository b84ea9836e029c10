#pragma once

#include "effects/engine/IDesktop.h"

#include <cstddef>
#include <vector>

class CRenderState;
class CSet;

// The one path by which the effect starts, stops, starts afresh and changes its set. A
// request says what is wanted and is carried out at once, unless another request is being
// carried out already: a stop waits for the workers and answers the messages sent to the
// main thread meanwhile, and a request that comes in then (a display change, a switch of
// the effect, another stop) only changes what is wanted. The request being carried out
// goes on to what is wanted last once its own work is done, so start and stop never nest
// and the last request wins. Main thread only.
class CEffectControl {
public:
    explicit CEffectControl(CRenderState* renderState) : renderState(renderState) {}
    CEffectControl(const CEffectControl&) = delete;
    CEffectControl& operator=(const CEffectControl&) = delete;

    // The active set is to run. Without an active set, or when its start fails, nothing
    // runs and StartFailed tells so.
    void Start();
    // Nothing is to run.
    void Stop();
    // A running effect stops and starts afresh, reading the screen anew; nothing when it
    // is stopped.
    void Restart();
    // The bands of a running effect follow their taskbars (a setting changed). Nothing
    // while stopped, and nothing inside another request, which places them itself.
    void FollowTaskbars();
    // `set` becomes the active set; a running effect switches to it.
    void Choose(CSet* set);
    // Whether the effect is to pause: a running effect keeps its state and stays running
    // but hides its overlay and draws nothing until the pause ends; a start while pause is
    // wanted starts it paused. The wish outlasts stops and starts.
    void SetPaused(bool paused);
    bool Paused() const;
    // Whether one monitor's band is to pause (its index in the monitor list the last start
    // read): its overlay hides and gets nothing while the others go on. The wish outlasts
    // stops and starts while the monitor list stays the same.
    void SetMonitorPaused(std::size_t monitor, bool paused);
    bool MonitorPaused(std::size_t monitor) const;

    // The monitors with their taskbars as the last start read them.
    const std::vector<MonitorArea>& Monitors() const;
    // The workers run.
    bool Running() const { return running; }
    // The last start found no set or the set refused it, and no stop was asked for since.
    bool StartFailed() const { return startFailed; }
    // A request is being carried out (the caller is inside it).
    bool Busy() const { return busy; }

private:
    // Carries out what is wanted, again and again while requests come in meanwhile;
    // nothing when called from inside a request.
    void Settle();
    // Whether the running effect must stop for what is wanted.
    bool MustStop() const;

    CRenderState* const renderState;
    bool running = false;
    bool busy = false;
    bool startFailed = false;
    bool runWanted = false;
    bool restartWanted = false;
    bool choicePending = false;
    CSet* choice = nullptr; // the set to be made active, when choicePending
};
