#include "settings/CParamDlg.h"

#include "params/ControlKind.h"
#include "params/TypedNumber.h"
#include "params/tstr.h"
#include "settings/ColourDialog.h"
#include "settings/RadioGroup.h"
#include "ui/WindowHelpers.h"

#include <commctrl.h>

#include <climits>
#include <cstdio>
#include <functional>

namespace {

constexpr const char* kRadioDataProperty = "RADIO_DATA";
// The edit box's binding while its idle commit is pending; the timer finds it there.
constexpr const char* kTypedProperty = "EMBRA_TYPED_BINDING";
constexpr UINT_PTR kIdleCommitTimer = 0x454D; // one per edit box
constexpr UINT kIdleCommitMs = 1000;

int ToControlValue(int value) {
    return value;
}

int ToControlValue(bool value) {
    return value ? 1 : 0;
}

template <class T> T FromControlValue(LRESULT raw);

template <> int FromControlValue<int>(LRESULT raw) {
    return static_cast<int>(raw);
}

template <> bool FromControlValue<bool>(LRESULT raw) {
    return raw != 0;
}

int RadioData(HWND button) {
    return static_cast<int>(reinterpret_cast<INT_PTR>(GetPropA(button, kRadioDataProperty)));
}

// Sets the decimal text unless the box already shows it, keeping caret and selection.
void WriteEditText(HWND edit, int value) {
    char text[16];
    std::snprintf(text, sizeof(text), "%d", value);
    tstr shown;
    GetWindowTextString(edit, shown);
    if (shown == tstr(text))
        return;
    DWORD start = 0;
    DWORD end = 0;
    SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    SetWindowTextA(edit, text);
    SendMessageA(edit, EM_SETSEL, start, end);
}

// Clears the selection, then selects the first item that `matches` (index) accepts.
void SelectComboItem(HWND combo, const std::function<bool(int)>& matches) {
    SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    const int count = static_cast<int>(SendMessageA(combo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        if (matches(i)) {
            SendMessageA(combo, CB_SETCURSEL, i, 0);
            return;
        }
    }
}

int ComboItemNumber(HWND combo, int index) {
    tstr text;
    GetComboItemText(combo, index, text);
    return text.ToInt();
}

int ComboSelection(HWND combo) {
    return static_cast<int>(SendMessageA(combo, CB_GETCURSEL, 0, 0));
}

// The edit box's bounds; a parameter without bounds (both zero) takes any int.
template <class T> TypedNumber BoxNumbers(const CParam<T>& param) {
    const int low = ToControlValue(param.GetMin());
    const int high = ToControlValue(param.GetMax());
    return low < high ? TypedNumber(low, high) : TypedNumber(INT_MIN, INT_MAX);
}

} // namespace

template <class T> CParamDlg<T>::~CParamDlg() {
    StopIdleCommit();
}

template <class T> void CParamDlg<T>::Setup(int newKind, int newControlId) {
    kind = newKind;
    controlId = newControlId;
}

template <class T> void CParamDlg<T>::Connect(HWND dialog) {
    if (controlId == 0 || kind == 0)
        return;
    control = GetDlgItem(dialog, controlId);
    if (param) {
        param->ApplyRange();
        Update();
    }
}

template <class T> void CParamDlg<T>::OnCommand(HWND dialog, UINT id, UINT code, HWND sender) {
    (void)dialog;
    (void)sender;
    if (IsLive())
        ReadCommand(id, code);
}

template <class T> void CParamDlg<T>::ReadCommand(UINT id, UINT code) {
    const bool fromControl = id == static_cast<UINT>(controlId);
    const bool selectionChanged = code == CBN_SELCHANGE;
    int position = -1;
    switch (kind) {
    case kCheckBox:
        if (fromControl)
            Take(SendMessageA(control, BM_GETCHECK, 0, 0));
        break;
    case kEditBox:
        if (fromControl && code == EN_UPDATE && !writing)
            ReadTyped();
        else if (fromControl && code == EN_KILLFOCUS)
            Commit();
        break;
    case kComboByData:
        if (selectionChanged && ComboSelection(control) != CB_ERR)
            Take(SendMessageA(control, CB_GETITEMDATA, ComboSelection(control), 0));
        break;
    case kRadioByIndex:
        if (id != 0 && FindCheckedSibling(control, &position))
            Take(position);
        break;
    case kRadioByData:
        if (id != 0) {
            if (HWND checked = FindCheckedSibling(control, &position))
                Take(RadioData(checked));
        }
        break;
    case kColourButton:
        if (fromControl)
            ChooseColour();
        break;
    case kHotKey:
        Take(SendMessageA(control, HKM_GETHOTKEY, 0, 0));
        break;
    case kComboByText:
        if (selectionChanged && ComboSelection(control) != CB_ERR)
            Take(ComboItemNumber(control, ComboSelection(control)));
        break;
    default:
        break;
    }
}

template <class T> void CParamDlg<T>::OnNotify(HWND dialog, const NMHDR* header) {
    (void)dialog;
    if (!IsLive() || kind != kSlider || !header)
        return;
    const bool released = header->code == static_cast<UINT>(NM_RELEASEDCAPTURE);
    const bool repainted = header->code == static_cast<UINT>(NM_CUSTOMDRAW);
    if (header->idFrom == static_cast<UINT_PTR>(controlId) && GetFocus() == control &&
        (released || repainted))
        Take(SendMessageA(control, TBM_GETPOS, 0, 0));
}

template <class T> int CParamDlg<T>::Update() {
    if (!IsLive())
        return 0;
    const int value = Value();
    switch (kind) {
    case kCheckBox:
        SendMessageA(control, BM_SETCHECK, value, 0);
        break;
    case kEditBox:
        if (reading)
            break; // the box shows what the user typed
        StopIdleCommit();
        writing = true;
        WriteEditText(control, value);
        writing = false;
        break;
    case kComboByData:
        SelectComboItem(control, [this, value](int i) {
            return static_cast<int>(SendMessageA(control, CB_GETITEMDATA, i, 0)) == value;
        });
        break;
    case kRadioByIndex:
        CheckRadioGroup(control, [value](int i, HWND) { return i == value; });
        break;
    case kRadioByData:
        CheckRadioGroup(control, [value](int, HWND button) { return RadioData(button) == value; });
        break;
    case kSlider:
        SendMessageA(control, TBM_SETPOS, TRUE, value);
        break;
    case kColourButton:
        RedrawSwatch();
        break;
    case kHotKey:
        SendMessageA(control, HKM_SETHOTKEY, value, 0);
        break;
    case kComboByText:
        SelectComboItem(control,
                        [this, value](int i) { return ComboItemNumber(control, i) == value; });
        break;
    default:
        break;
    }
    return 0;
}

template <class T> void CParamDlg<T>::ReadTyped() {
    tstr text;
    GetWindowTextString(control, text);
    pending = true;
    if (const std::optional<int> live = BoxNumbers(*typed).Live(text.c_str())) {
        reading = true;
        typed->Set(FromControlValue<T>(*live));
        reading = false;
    }
    StartIdleCommit();
}

template <class T> void CParamDlg<T>::Commit() {
    if (kind != kEditBox || !IsLive() || !pending)
        return;
    tstr text;
    GetWindowTextString(control, text);
    typed->Set(FromControlValue<T>(BoxNumbers(*typed).Commit(text.c_str())));
    Update(); // the parameter may have kept its value and told no binding
}

template <class T> void CParamDlg<T>::StartIdleCommit() {
    SetPropA(control, kTypedProperty, this);
    SetTimer(control, kIdleCommitTimer, kIdleCommitMs, &CParamDlg<T>::OnIdle);
}

template <class T> void CParamDlg<T>::StopIdleCommit() {
    pending = false;
    if (!control || GetPropA(control, kTypedProperty) != this)
        return;
    KillTimer(control, kIdleCommitTimer);
    RemovePropA(control, kTypedProperty);
}

template <class T> void CALLBACK CParamDlg<T>::OnIdle(HWND edit, UINT, UINT_PTR, DWORD) noexcept {
    KillTimer(edit, kIdleCommitTimer);
    if (auto* binding = static_cast<CParamDlg<T>*>(GetPropA(edit, kTypedProperty)))
        binding->Commit();
}

template <class T> void CParamDlg<T>::SetParam(IParam* parameter) {
    StopIdleCommit();
    typed = dynamic_cast<CParam<T>*>(parameter);
    param = typed ? parameter : nullptr;
}

template <class T> void CParamDlg<T>::SetRange(T min, T max) {
    if (!IsLive())
        return;
    const int low = ToControlValue(min);
    const int high = ToControlValue(max);
    if (kind == kSpin) {
        SendMessageA(control, UDM_SETRANGE32, low, high);
    } else if (kind == kSlider) {
        SendMessageA(control, TBM_SETRANGEMIN, FALSE, low);
        SendMessageA(control, TBM_SETRANGEMAX, TRUE, high);
    }
}

template <class T> void CParamDlg<T>::Take(LRESULT controlValue) {
    const T value = FromControlValue<T>(controlValue);
    typed->Set(value);
    if (!(*typed->Get() == value))
        Update();
}

template <class T> int CParamDlg<T>::Value() const {
    return ToControlValue(*typed->Get());
}

template <class T> void CParamDlg<T>::ChooseColour() {
    COLORREF colour = static_cast<COLORREF>(Value());
    if (!PickColour(control, colour) || !IsLive()) // the dialog may have let go meanwhile
        return;
    typed->Set(FromControlValue<T>(static_cast<LRESULT>(colour)));
    RedrawSwatch();
}

// The dialog draws the colour swatch; invalidating it makes the system send the paint.
template <class T> void CParamDlg<T>::RedrawSwatch() {
    InvalidateRect(GetParent(control), nullptr, TRUE);
}

template class CParamDlg<int>;
template class CParamDlg<bool>;
