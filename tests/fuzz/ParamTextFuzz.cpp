#include "FuzzInput.h"

#include "params/CEdges.h"
#include "params/CParam.h"
#include "params/tstr.h"

#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

void Check(bool holds) {
    if (!holds)
        std::abort();
}

// The reading of a decimal text by the C runtime's atoi rules, written independently:
// white space, an optional sign, digits up to the first other character, saturated to
// the 32-bit range.
int32_t ReadDecimal(const std::string& text) {
    std::size_t at = 0;
    while (at < text.size() && std::isspace(static_cast<unsigned char>(text[at])))
        ++at;
    bool negative = false;
    if (at < text.size() && (text[at] == '+' || text[at] == '-'))
        negative = text[at++] == '-';
    int64_t magnitude = 0;
    for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at)
        magnitude = std::min<int64_t>(magnitude * 10 + (text[at] - '0'), int64_t{1} << 32);
    const int64_t value = negative ? -magnitude : magnitude;
    return static_cast<int32_t>(std::max<int64_t>(INT32_MIN, std::min<int64_t>(INT32_MAX, value)));
}

void CheckConversions(const std::string& text) {
    const tstr value(text.c_str());
    const int32_t expected = ReadDecimal(text);
    Check(value.ToInt() == expected);
    Check(value.ToULong() == static_cast<uint32_t>(expected));
    Check(value.ToBool() == (expected != 0));
    Check(tstr::FromInt(expected).ToInt() == expected);
    Check(tstr::FromULong(value.ToULong()).ToULong() == value.ToULong());
}

// Every kind of parameter reads its entry from a sectioned text block; a bounded one
// stays within its bounds whatever the text holds.
void CheckTextBlock(const tstr& block, const tstr& section, const tstr& name) {
    CParam<int> number;
    CParam<unsigned long> colour;
    CParam<bool> flag;
    CParam<tstr> text;
    CEdges<CParam<int>, int> bounded;
    bounded.SetRange(10, 100);
    bounded.Set(50);
    for (IParamReg* param :
         std::initializer_list<IParamReg*>{&number, &colour, &flag, &text, &bounded}) {
        param->SetName(name);
        param->ReadFromText(block, section);
    }
    Check(*bounded.Get() >= 10 && *bounded.Get() <= 100);
    tstr written("");
    number.WriteToText(written, section);
    text.WriteToText(written, section);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    CFuzzInput input(data, size);
    const std::string first = input.UpToNul();
    CheckConversions(first);
    const std::string section = input.UpToNul();
    const std::string name = input.UpToNul();
    CheckTextBlock(first.c_str(), section.c_str(), name.c_str());
    return 0;
}
