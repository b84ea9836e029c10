#pragma once

#include "params/CParam.h"
#include "params/tstr.h"

// An option stored as one of the decimal texts "0" to count - 1: a check box is a choice of
// two, a group of radio buttons a choice of as many as it has. Anything else it is given,
// a malformed or out-of-range stored text or a control's third state, gives its default, so
// that a damaged value never reaches the program and the next save mends it.
class CChoiceParam : public CParam<int> {
public:
    CChoiceParam(int fallback, int count);

    const int* Set(const int& v) override;
    int Default() const { return fallback; }
    // Whether `v` is one of the choices.
    bool Allows(int v) const { return v >= 0 && v < count; }

protected:
    int ParseText(const tstr& text) const override;

private:
    int fallback;
    int count;
};

// A check box's option: "1" on, "0" off.
class CFlagParam : public CChoiceParam {
public:
    explicit CFlagParam(bool fallback) : CChoiceParam(fallback ? 1 : 0, 2) {}
    bool On() const { return *Get() != 0; }
};
