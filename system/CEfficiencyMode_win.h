#pragma once

#include <windows.h>

#include <functional>
#include <mutex>
#include <thread>
#include <vector>

// The program's efficiency mode: Windows is asked to run the process at a lower execution
// speed on its efficient cores (the power throttling of SetProcessInformation), and the
// render workers run below normal priority. Where the system has no such request or refuses
// it, the request changes nothing and is no error; the workers' priority follows all the
// same. Apply runs on the main thread, the workers register themselves on their own.
class CEfficiencyMode {
public:
    // Whether the mode is wanted ("Efficiency"); unset: it is not.
    std::function<bool()> wanted;

    // Asks for the mode or ends the request after `wanted`, and gives every running worker
    // its priority.
    void Apply();
    // A render worker's thread that runs `work` at the priority the mode gives it.
    std::thread MakeWorker(std::function<void()> work);

private:
    int Priority() const;

    mutable std::mutex lock;    // guards `on` and `workers`
    bool on = false;            // as Apply found it last
    std::vector<DWORD> workers; // the running workers' thread ids
};
