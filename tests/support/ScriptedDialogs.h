#pragma once

#include "platform/Dialogs.h"

#include <deque>
#include <functional>
#include <string>
#include <vector>

enum class DialogKind { MessageBox, OpenFile, ShowModal };

// One request made to the dialogs service.
struct DialogCall {
    DialogKind Kind;
    std::string Text; // MessageBox
    std::string Caption;
    MessageIcon Icon = MessageIcon::None;
    MessageButtons Buttons = MessageButtons::OK;
    OpenFileRequest Request;   // OpenFile, as it came in
    QWidget* Window = nullptr; // ShowModal
};

// Runs when its answer is given, before the call returns: a test acts here (fills in a window,
// clicks its buttons, checks state).
using DialogAction = std::function<void(const DialogCall&)>;

// A dialogs service for tests: installs itself while it lives, records every call and answers
// from a script. An empty script answers mrOk to message boxes and windows, false to OpenFile.
class ScriptedDialogs : public Dialogs {
public:
    ScriptedDialogs();
    ~ScriptedDialogs() override;
    ScriptedDialogs(const ScriptedDialogs&) = delete;
    ScriptedDialogs& operator=(const ScriptedDialogs&) = delete;

    // The next call's answer: a modal result; OpenFile answers true for mrOk only.
    void Answer(int result, DialogAction action = {});
    // The next call's answer is what the function returns: a window's own modal result after
    // the test clicked its buttons.
    void AnswerWith(std::function<int(const DialogCall&)> answer);
    // The next call picks this file (an OpenFile answering true).
    void AnswerFile(std::string fileName, DialogAction action = {});

    const std::vector<DialogCall>& Calls() const { return calls_; }
    // Texts of the message boxes so far, in order.
    std::vector<std::string> Messages() const;
    size_t PendingAnswers() const { return script_.size(); }

    ModalResult MessageBox(const std::string& text, const std::string& caption, MessageIcon icon,
                           MessageButtons buttons) override;
    bool OpenFile(OpenFileRequest& request) override;
    int ShowModal(QWidget& window) override;

private:
    struct Reply {
        int result = mrOk;
        std::string fileName;
        DialogAction action;
        std::function<int(const DialogCall&)> answer;
    };
    Reply Take(const DialogCall& call);

    std::deque<Reply> script_;
    std::vector<DialogCall> calls_;
    Dialogs* previous_;
};
