#include "params/CParam.h"

#include "params/CSettingsStore.h"

#include <string>
#include <string_view>
#include <type_traits>

namespace {

// The per-type rules: zero, empty value, step sentinel, text forms and step order.
template <class T> struct ParamTraits;

template <> struct ParamTraits<bool> {
    static bool Zero() { return false; }
    static bool Empty() { return false; }
    static bool Sentinel() { return true; }
    static bool FromText(const tstr& text) { return text.ToBool(); }
    static tstr ToText(bool v) { return tstr::FromBool(v); }
    static int ToInt(bool v) { return v ? 1 : 0; }
    static bool Greater(bool a, bool b) { return a > b; }
    static bool Less(bool a, bool b) { return a < b; }
};

template <> struct ParamTraits<int> {
    static int Zero() { return 0; }
    static int Empty() { return 0; }
    static int Sentinel() { return -1; }
    static int FromText(const tstr& text) { return text.ToInt(); }
    static tstr ToText(int v) { return tstr::FromInt(v); }
    static int ToInt(int v) { return v; }
    static bool Greater(int a, int b) { return a > b; }
    static bool Less(int a, int b) { return a < b; }
};

template <> struct ParamTraits<unsigned long> {
    static unsigned long Zero() { return 0; }
    static unsigned long Empty() { return 0; }
    static unsigned long Sentinel() { return 4294967295UL; }
    static unsigned long FromText(const tstr& text) { return text.ToULong(); }
    static tstr ToText(unsigned long v) { return tstr::FromULong(v); }
    // The low 32 bits as a signed int, so that 64-bit and 32-bit builds store the same.
    static int ToInt(unsigned long v) { return static_cast<int>(static_cast<unsigned int>(v)); }
    static bool Greater(unsigned long a, unsigned long b) { return a > b; }
    static bool Less(unsigned long a, unsigned long b) { return a < b; }
};

template <> struct ParamTraits<tstr> {
    static tstr Zero() { return tstr("0"); }
    static tstr Empty() { return tstr(""); }
    static tstr Sentinel() { return tstr("-1"); }
    static tstr FromText(const tstr& text) { return text; }
    static tstr ToText(const tstr& v) { return v; }
    // Texts have no order: every step counts as beyond the current value.
    static bool Greater(const tstr&, const tstr&) { return true; }
    static bool Less(const tstr&, const tstr&) { return true; }
};

bool IsSeparator(char c) {
    return c == ' ' || c == '=' || c == '\t' || c == '\n' || c == '\r';
}

// The value text of the name's entry in the section, or null when no value line ending
// in CR follows. found is false when the section or the entry is missing.
tstr FindEntry(const tstr& block, const tstr& section, const tstr& name, bool& found) {
    found = false;
    const std::string_view text(block.c_str(), block.Length());
    constexpr std::size_t npos = std::string_view::npos;
    const tstr header = tstr("[") + section + "]";
    const std::size_t header_at = text.find(header.str());
    if (header_at == npos)
        return tstr();
    const std::size_t body = header_at + header.Length();
    std::size_t section_end = text.find("\n[", body);
    if (section_end == npos)
        section_end = text.size();
    const tstr line_start = tstr("\n") + name;
    const std::size_t entry_at = text.find(line_start.str(), body);
    if (entry_at == npos || entry_at >= section_end)
        return tstr();
    found = true;
    std::size_t v = entry_at + line_start.Length();
    while (v < text.size() && IsSeparator(text[v]))
        ++v;
    const std::size_t cr = text.find('\r', v);
    if (cr == npos)
        return tstr();
    return tstr(std::string(text.substr(v, cr - v)).c_str());
}

} // namespace

template <class T>
CParam<T>::CParam()
    : value(ParamTraits<T>::Zero()), snapshot(ParamTraits<T>::Zero()),
      implicit(ParamTraits<T>::Zero()) {}

template <class T>
CParam<T>::CParam(const T& initial)
    : value(initial), snapshot(ParamTraits<T>::Zero()), implicit(ParamTraits<T>::Zero()) {}

template <class T> CParam<T>::~CParam() {
    // One at a time from the front: a destroyed binding may take others out of the list.
    const IParam* self = this;
    while (bindings.Count() > 0) {
        IParamDlg* binding = bindings.GetAt(0);
        if (binding->GetParam() == self)
            bindings.Delete(binding);
        else
            bindings.Detach(binding);
    }
}

template <class T> const T* CParam<T>::Set(const T& v) {
    if (v == value)
        return &value;
    value = v;
    if (mirror)
        *mirror = value;
    NotifyUpdate();
    return &value;
}

// Walks a copy of the list and skips bindings that left it meanwhile, so that a binding
// may remove itself (or another) while being told.
template <class T> void CParam<T>::NotifyUpdate() {
    const std::vector<IParamDlg*> walk = bindings.Items();
    for (IParamDlg* binding : walk)
        if (bindings.IndexOf(binding) >= 0)
            binding->Update();
}

template <class T> void CParam<T>::NotifyRange(const T& min, const T& max) {
    const std::vector<IParamDlg*> walk = bindings.Items();
    for (IParamDlg* binding : walk)
        if (bindings.IndexOf(binding) >= 0) // only bindings of this type are admitted
            static_cast<IParamDlgT<T>*>(binding)->SetRange(min, max);
}

template <class T> void CParam<T>::SetRange(T min, T max) {
    NotifyRange(min, max);
}

template <class T> int CParam<T>::RefreshRange(int) {
    NotifyRange(GetMin(), GetMax());
    return 0;
}

template <class T> bool CParam<T>::AddBinding(IParamDlg* binding) {
    if (!dynamic_cast<IParamDlgT<T>*>(binding))
        return false;
    return bindings.Add(binding) == 1;
}

template <class T> void CParam<T>::Clear() {
    Set(ParamTraits<T>::Empty());
}

template <class T> void CParam<T>::ResetToImplicit() {
    if (hasImplicit)
        Set(implicit);
}

template <class T> void CParam<T>::FromText(const tstr& text) {
    value = ParseText(text);
}

template <class T> T CParam<T>::ParseText(const tstr& text) const {
    return ParamTraits<T>::FromText(text);
}

template <class T> tstr CParam<T>::ToText() const {
    return ParamTraits<T>::ToText(value);
}

template <class T> T CParam<T>::GetMin() const {
    return ParamTraits<T>::Zero();
}

template <class T> T CParam<T>::GetMax() const {
    return ParamTraits<T>::Zero();
}

template <class T> void CParam<T>::SetMirror(T* variable) {
    mirror = variable;
    if (mirror)
        *mirror = value;
}

template <class T> void CParam<T>::SetImplicit(const T& implicitValue) {
    implicit = implicitValue;
    hasImplicit = true;
}

template <class T> void CParam<T>::AddSteps(std::initializer_list<T> values) {
    for (const T& step : values) {
        if (step == ParamTraits<T>::Sentinel())
            break;
        steps.push_back(step);
    }
}

template <class T> void CParam<T>::StepUp() {
    for (const T& step : steps) {
        if (ParamTraits<T>::Greater(step, value)) {
            Set(T(step));
            return;
        }
    }
    if (stepWrap && !steps.empty())
        Set(T(steps.front()));
}

template <class T> void CParam<T>::StepDown() {
    for (auto it = steps.rbegin(); it != steps.rend(); ++it) {
        if (ParamTraits<T>::Less(*it, value)) {
            Set(T(*it));
            return;
        }
    }
    if (stepWrap && !steps.empty())
        Set(T(steps.back()));
}

template <class T> void CParam<T>::AdoptPath(const tstr& path) {
    if (!path.IsEmpty())
        storePath = path;
}

template <class T> bool CParam<T>::Load(CSettingsStore* store, const tstr& path) {
    if (name.IsEmpty() || !store)
        return false;
    AdoptPath(path);
    tstr text;
    if (store->ReadString(storePath, name, text))
        Set(ParseText(text));
    return true;
}

template <class T> bool CParam<T>::Save(CSettingsStore* store, const tstr& path) {
    if (name.IsEmpty() || !store)
        return false;
    AdoptPath(path);
    if (hasImplicit && value == implicit)
        store->WriteString(storePath, name, tstr());
    else if constexpr (std::is_same_v<T, tstr>)
        store->WriteString(storePath, name, value);
    else
        store->WriteInt(storePath, name, ParamTraits<T>::ToInt(value));
    return true;
}

template <class T> bool CParam<T>::ReadFromText(const tstr& text, const tstr& section) {
    if (name.IsEmpty() || text.IsNull())
        return false;
    bool found = false;
    const tstr entry = FindEntry(text, section, name, found);
    if (!found)
        return false;
    if (!entry.IsNull())
        Set(ParseText(entry));
    return true;
}

template <class T> bool CParam<T>::WriteToText(tstr& output, const tstr& prefix) const {
    if (name.IsEmpty() || output.IsNull())
        return false;
    output += prefix + "\\" + name + "=" + ToText() + "\n";
    return true;
}

template class CParam<bool>;
template class CParam<unsigned long>;
template class CParam<int>;
template class CParam<tstr>;
