#include "support/ScriptedDialogs.h"

ScriptedDialogs::ScriptedDialogs() : previous_(SetAppDialogs(this)) {}

ScriptedDialogs::~ScriptedDialogs() {
    SetAppDialogs(previous_);
}

void ScriptedDialogs::Answer(int result, DialogAction action) {
    script_.push_back({result, {}, std::move(action), {}});
}

void ScriptedDialogs::AnswerWith(std::function<int(const DialogCall&)> answer) {
    script_.push_back({mrNone, {}, {}, std::move(answer)});
}

void ScriptedDialogs::AnswerFile(std::string fileName, DialogAction action) {
    script_.push_back({mrOk, std::move(fileName), std::move(action), {}});
}

std::vector<std::string> ScriptedDialogs::Messages() const {
    std::vector<std::string> texts;
    for (const DialogCall& call : calls_)
        if (call.Kind == DialogKind::MessageBox) texts.push_back(call.Text);
    return texts;
}

ScriptedDialogs::Reply ScriptedDialogs::Take(const DialogCall& call) {
    calls_.push_back(call);
    Reply reply;
    if (!script_.empty()) {
        reply = std::move(script_.front());
        script_.pop_front();
    } else if (call.Kind == DialogKind::OpenFile) {
        reply.result = mrCancel;
    }
    if (reply.action) reply.action(call);
    if (reply.answer) reply.result = reply.answer(call);
    return reply;
}

ModalResult ScriptedDialogs::MessageBox(const std::string& text, const std::string& caption,
                                        MessageIcon icon, MessageButtons buttons) {
    DialogCall call{DialogKind::MessageBox, text, caption, icon, buttons, {}, nullptr};
    return static_cast<ModalResult>(Take(call).result);
}

bool ScriptedDialogs::OpenFile(OpenFileRequest& request) {
    DialogCall call{DialogKind::OpenFile, {},      {},     MessageIcon::None,
                    MessageButtons::OK,   request, nullptr};
    const Reply reply = Take(call);
    if (reply.result != mrOk) return false;
    if (!reply.fileName.empty()) request.FileName = reply.fileName;
    return true;
}

int ScriptedDialogs::ShowModal(QWidget& window) {
    DialogCall call{DialogKind::ShowModal, {}, {},     MessageIcon::None,
                    MessageButtons::OK,    {}, &window};
    return Take(call).result;
}
