#pragma once

#include "params/CParam.h"
#include "params/tstr.h"

// Whether `text` is a well-formed language tag: two or three letters, then subtags of one
// to eight letters or digits, each after a hyphen ("de-DE", "pt-BR", "zh-Hans-CN"), at most
// 35 characters in all.
bool IsLanguageTag(const char* text);

// The "Language" option: "" follows Windows' display language, a language tag names one.
// Whatever it is given that is no well-formed tag gives "", so a damaged stored value
// follows Windows and the next save mends it; a well-formed tag of a language the program
// does not have is kept (it follows Windows too).
class CLanguageParam : public CParam<tstr> {
public:
    CLanguageParam() : CParam<tstr>(tstr("")) {}
    const tstr* Set(const tstr& v) override;
};
