#pragma once

#include <cstdint>

// The kinds of dialog control that a parameter binding can drive.
enum ControlKind : int32_t {
    kNoKind = 0,
    kCheckBox = 1,    // check state 0, 1 or 2
    kEditBox = 2,     // decimal text, followed while valid, committed into the bounds
    kNoControl = 3,   // bound to nothing
    kComboByData = 4, // the item data of the selected item; of a text, the static text it points to
    kRadioByIndex = 5, // the position of the checked button in its group
    kRadioByData = 6,  // the "RADIO_DATA" property of the checked button
    kSpin = 7,         // only takes the range; its buddy edit box carries the value
    kSlider = 8,       // the thumb position; read while the slider has the focus
    kColourButton = 9, // a 0x00BBGGRR colour picked in the system colour dialog
    kHotKey = 10,      // the hot-key control's key and modifiers
    kComboByText = 11, // the decimal text of the selected item
};
