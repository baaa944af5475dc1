#pragma once

namespace kvt {

class FormControl;

// The main window's handlers that an object form's controls are wired to when the form is
// loaded. Each runs with the object-form control as its sender.
class ObjectFormHandlers {
public:
    virtual ~ObjectFormHandlers() = default;

    // Click of a command button whose HelpContext is 123 (the special command).
    virtual void SpeedButton3Click(FormControl& sender) = 0;
    // Click of any other command button.
    virtual void Send_Pusk_ButtonClick(FormControl& sender) = 0;
    // A page switch is about to change to `newTab`; clearing `allowChange` keeps the old tab.
    virtual void TabSet1Change(FormControl& sender, int newTab, bool& allowChange) = 0;
    // Double-click of a setting box titled "(H:M)" (time editor) or "(G:M)" (coordinate editor).
    virtual void SpinEdit2DblClick(FormControl& sender) = 0;
    virtual void SpinEdit3DblClick(FormControl& sender) = 0;
};

} // namespace kvt
