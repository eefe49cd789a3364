#pragma once

#include "platform/Dialogs.h"

// The dialogs service on Qt widgets.
//
// A test switch: with the environment variable SKEDORA_AUTO_DIALOGS=1 nothing is shown. Each
// message box is printed to stderr as the UTF-8 line "DIALOG <caption>|<text>" (line breaks as
// \n) and answered with its first button; each modal window as "WINDOW <title>", answered
// mrCancel; OpenFile answers false.
class QtDialogs : public Dialogs {
public:
    ModalResult MessageBox(const std::string& text, const std::string& caption, MessageIcon icon,
                           MessageButtons buttons) override;
    bool OpenFile(OpenFileRequest& request) override;
    // A QDialog runs its exec(); another window is shown application-modal until it hides.
    int ShowModal(QWidget& window) override;
};

// Ends a window shown by ShowModal with this result, as a button with a modal result does;
// mrNone leaves it open. A window closed any other way answers mrCancel.
void SetModalResult(QWidget& window, int result);
