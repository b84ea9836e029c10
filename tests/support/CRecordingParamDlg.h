#pragma once

#include "params/CParam.h"
#include "params/IParamDlg.h"

#include <string>
#include <vector>

// A binding that appends what its parameter tells it to a shared log (if given):
// "name:update=V" with the value at the time of the call, and "name:range=MIN..MAX".
template <class T> class CRecordingParamDlg : public IParamDlgT<T> {
public:
    CRecordingParamDlg(CParam<T>* param, std::vector<std::string>* log, std::string name = "b")
        : param(param), log(log), name(std::move(name)) {}
    ~CRecordingParamDlg() override {
        if (destroyed)
            ++*destroyed;
    }

    int Update() override {
        Record("update=" + Text(*param->Get()));
        return 0;
    }
    IParam* GetParam() const override { return param; }
    void SetRange(T min, T max) override { Record("range=" + Text(min) + ".." + Text(max)); }

    CParam<T>* param;
    int* destroyed = nullptr; // counted up on destruction

private:
    static std::string Text(const tstr& v) { return v.str(); }
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
