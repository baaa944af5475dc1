#pragma once

namespace kvt {

class FormControl;

// The main window's handlers that belong to the radio and RS-485 links: link supervision on
// Timer2 and the command buttons of object forms, which send over the link of the object's last
// contact. The main window forwards each one here in one line.
class LinkHandlers {
public:
    virtual ~LinkHandlers() = default;

    // Timer2: link supervision's walk over the objects.
    virtual void Timer2Timer() = 0;
    // A command button of the object form (HelpContext other than 123): sends its command.
    virtual void Send_Pusk_ButtonClick(FormControl& sender) = 0;
    // The settings button of the object form (HelpContext 123): sends the form's settings.
    virtual void SpeedButton3Click(FormControl& sender) = 0;
};

} // namespace kvt
