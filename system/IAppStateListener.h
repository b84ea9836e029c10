#pragma once

// Whether the effect shows, as the user sees it.
enum class EffectState {
    Stopped, // no effect runs (also after a start that failed)
    Running, // the effect shows
    Paused,  // the effect runs but a reason pauses it
};

// Told on the main thread when the application's state changed: the effect started,
// stopped, paused or resumed, or the reason for a pause changed.
class IAppStateListener {
public:
    virtual ~IAppStateListener() = default;
    virtual void OnAppStateChanged() = 0;
};
