#pragma once

#include "params/IParam.h"

#include <vector>

// While it lives, every parameter that an open dialog edits holds the value it had when
// the dialog opened (the value the user last confirmed); the edited value comes back
// when it ends. Saves made meanwhile store no value the user has not accepted. Nothing
// is notified either way: the controls and the effect keep showing the edited values.
class CConfirmedValues {
public:
    CConfirmedValues();
    ~CConfirmedValues();
    CConfirmedValues(const CConfirmedValues&) = delete;
    CConfirmedValues& operator=(const CConfirmedValues&) = delete;

private:
    std::vector<IParam*> params;
};
