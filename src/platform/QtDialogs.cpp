#include "platform/QtDialogs.h"

#include "platform/Cp1251.h"
#include "platform/QtText.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QEvent>
#include <QEventLoop>
#include <QFileDialog>
#include <QMessageBox>
#include <QPointer>
#include <QStringList>
#include <cstdio>

namespace {

constexpr const char* kModalResultProperty = "ModalResult";

bool AutoMode() {
    return qEnvironmentVariableIntValue("SKEDORA_AUTO_DIALOGS") == 1;
}

std::string EscapeLineBreaks(const std::string& text) {
    std::string result;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        if (text[i] == '\r' || text[i] == '\n')
            result += "\\n";
        else
            result += text[i];
    }
    return result;
}

void PrintLine(const std::string& cp1251) {
    const std::string line = Cp1251ToUtf8(cp1251) + "\n";
    std::fwrite(line.data(), 1, line.size(), stderr);
    std::fflush(stderr);
}

ModalResult FirstButton(MessageButtons buttons) {
    return buttons == MessageButtons::OK || buttons == MessageButtons::OKCancel ? mrOk : mrYes;
}

QMessageBox::Icon ToQtIcon(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Error:
        return QMessageBox::Critical;
    case MessageIcon::Warning:
        return QMessageBox::Warning;
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::Question:
        return QMessageBox::Question;
    default:
        return QMessageBox::NoIcon;
    }
}

QMessageBox::StandardButtons ToQtButtons(MessageButtons buttons) {
    switch (buttons) {
    case MessageButtons::OKCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case MessageButtons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case MessageButtons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case MessageButtons::SaveDiscardCancel:
        return QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel;
    case MessageButtons::OverwriteReloadCancel:
        return QMessageBox::Yes | QMessageBox::Retry | QMessageBox::Cancel;
    default:
        return QMessageBox::Ok;
    }
}

ModalResult FromQtButton(int button) {
    switch (button) {
    case QMessageBox::Ok:
        return mrOk;
    case QMessageBox::Yes:
    case QMessageBox::Save:
        return mrYes;
    case QMessageBox::No:
    case QMessageBox::Discard:
        return mrNo;
    case QMessageBox::Cancel:
        return mrCancel;
    case QMessageBox::Retry:
        return mrRetry;
    default:
        return mrNone;
    }
}

// "XML|*.xml|All|*.a;*.b" -> "XML (*.xml);;All (*.a *.b)".
QString ToQtFilter(const std::string& filter) {
    const QStringList parts = ToQString(filter).split('|');
    QStringList entries;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
        entries << parts[i] + " (" + QString(parts[i + 1]).replace(';', ' ') + ")";
    return entries.join(";;");
}

// Quits the loop of a plain window shown modally once the window hides.
class HideWatcher : public QObject {
public:
    explicit HideWatcher(QEventLoop& loop) : loop_(loop) {}
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Hide) loop_.quit();
        return false;
    }

private:
    QEventLoop& loop_;
};

int RunWindowModal(QWidget& window) {
    window.setProperty(kModalResultProperty, static_cast<int>(mrNone));
    window.setWindowModality(Qt::ApplicationModal);
    QEventLoop loop;
    HideWatcher watcher(loop);
    window.installEventFilter(&watcher);
    const QPointer<QWidget> alive(&window);
    window.show();
    loop.exec();
    if (!alive) return mrCancel; // a window deleted on close
    window.removeEventFilter(&watcher);
    return window.property(kModalResultProperty).toInt();
}

} // namespace

ModalResult QtDialogs::MessageBox(const std::string& text, const std::string& caption,
                                  MessageIcon icon, MessageButtons buttons) {
    if (AutoMode()) {
        PrintLine("DIALOG " + caption + "|" + EscapeLineBreaks(text));
        return FirstButton(buttons);
    }
    QMessageBox box(ToQtIcon(icon), ToQString(caption), ToQString(text).replace("\r\n", "\n"),
                    ToQtButtons(buttons), QApplication::activeWindow());
    box.setDefaultButton(buttons == MessageButtons::SaveDiscardCancel ? QMessageBox::Save
                         : FirstButton(buttons) == mrYes              ? QMessageBox::Yes
                                                                      : QMessageBox::Ok);
    // Another user's work is not overwritten by a stray Enter.
    if (buttons == MessageButtons::OverwriteReloadCancel) {
        box.button(QMessageBox::Yes)->setText(ToQString("Overwrite"));
        box.button(QMessageBox::Retry)->setText(ToQString("Reload"));
        box.setDefaultButton(QMessageBox::Cancel);
    }
    return FromQtButton(box.exec());
}

bool QtDialogs::OpenFile(OpenFileRequest& request) {
    if (AutoMode()) return false;
    QFileDialog dialog(QApplication::activeWindow(),
                       ToQString(request.Title.empty() ? "Open" : request.Title),
                       ToQString(request.InitialDir), ToQtFilter(request.Filter));
    // The open dialog also names files still to be written (the export), so a new name is taken.
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    if (!request.FileName.empty()) dialog.selectFile(ToQString(request.FileName));
    if (request.Width > 0 && request.Height > 0) dialog.resize(request.Width, request.Height);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
    request.FileName = FromQString(QDir::toNativeSeparators(dialog.selectedFiles().first()));
    return true;
}

int QtDialogs::ShowModal(QWidget& window) {
    if (AutoMode()) {
        PrintLine("WINDOW " + FromQString(window.windowTitle()));
        return mrCancel;
    }
    auto* dialog = qobject_cast<QDialog*>(&window);
    const int result = dialog ? dialog->exec() : RunWindowModal(window);
    return result == mrNone ? mrCancel : result;
}

void SetModalResult(QWidget& window, int result) {
    if (result == mrNone) return;
    if (auto* dialog = qobject_cast<QDialog*>(&window)) {
        dialog->done(result);
        return;
    }
    window.setProperty(kModalResultProperty, result);
    window.close();
}
