#pragma once

#include "params/CParam.h"
#include "params/IParamDlg.h"
#include "params/tstr.h"

#include <string>
#include <vector>

// A binding that records what its parameter tells it, in one event log shared by all
// bindings that are given the same log: "name:update=V" with the value read at the
// time of the call, and "name:range=MIN..MAX".
template <class T> class CRecordingParamDlg : public IParamDlgT<T> {
public:
    CRecordingParamDlg(CParam<T>* param, std::vector<std::string>* log, std::string name = "b")
        : param(param), reported(param), log(log), name(std::move(name)) {}

    ~CRecordingParamDlg() override {
        if (destroyed)
            ++*destroyed;
    }

    int Update() override {
        Record("update=" + Text(param ? *param->Get() : T()));
        return 0;
    }
    IParam* GetParam() const override { return reported; }
    void SetRange(T min, T max) override { Record("range=" + Text(min) + ".." + Text(max)); }

    CParam<T>* param;
    // What GetParam answers; the bound parameter unless a test says otherwise.
    IParam* reported;
    // Counted up when the binding is destroyed.
    int* destroyed = nullptr;

private:
    static std::string Text(const tstr& v) { return v.IsNull() ? "(null)" : v.str(); }
    static std::string Text(bool v) { return v ? "1" : "0"; }
    static std::string Text(int v) { return std::to_string(v); }
    static std::string Text(unsigned long v) { return std::to_string(v); }

    void Record(const std::string& event) {
        if (log)
            log->push_back(name + ":" + event);
    }

    std::vector<std::string>* log;
    std::string name;
};
