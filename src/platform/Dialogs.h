#pragma once

#include <string>

class QWidget;

enum class MessageIcon { None, Error, Warning, Information, Question }; // Error: the stop icon

// SaveDiscardCancel answers mrYes for Save and mrNo for Discard; OverwriteReloadCancel mrYes for
// Overwrite and mrRetry for Reload.
enum class MessageButtons {
    OK,
    OKCancel,
    YesNo,
    YesNoCancel,
    SaveDiscardCancel,
    OverwriteReloadCancel
};

// Modal results; the numbers are those message box buttons and windows answer with.
enum ModalResult : int {
    mrNone = 0,
    mrOk = 1,
    mrCancel = 2,
    mrAbort = 3,
    mrRetry = 4,
    mrIgnore = 5,
    mrYes = 6,
    mrNo = 7,
};

struct OpenFileRequest {
    std::string Filter;   // "XML|*.xml|All|*.*": description and patterns ("*.a;*.b") in turn
    std::string FileName; // proposed on entry, chosen on a true return
    std::string InitialDir;
    std::string Title;
    int Width = 0; // dialog size in pixels; 0 leaves the default
    int Height = 0;
};

// Every message box, file dialog and modal window goes through this service, so tests can
// answer them. Texts are Windows-1251.
class Dialogs {
public:
    virtual ~Dialogs() = default;
    virtual ModalResult MessageBox(const std::string& text, const std::string& caption,
                                   MessageIcon icon, MessageButtons buttons) = 0;
    // False when the user cancels; request.FileName then stays as it was.
    virtual bool OpenFile(OpenFileRequest& request) = 0;
    // Shows the window modally until it closes; its modal result.
    virtual int ShowModal(QWidget& window) = 0;
};

// The process-wide service; raises Exception when none is installed.
Dialogs& AppDialogs();
// Installs a service (not owned) and returns the one it replaces.
Dialogs* SetAppDialogs(Dialogs* dialogs);
