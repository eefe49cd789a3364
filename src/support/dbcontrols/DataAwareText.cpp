#include "support/dbcontrols/DataAwareText.h"

#include "support/dbcontrols/FieldDataLink.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QWidget>

bool ResetOnEscape(TFieldDataLink& link, QKeyEvent& event) {
    if (event.key() != Qt::Key_Escape || !link.IsModified()) return false;
    link.Reset();
    event.accept();
    return true;
}

// A window losing activation, or a popup opening, is no leaving.
void UpdateOnLeaving(TFieldDataLink& link, QWidget& control, const QFocusEvent& event,
                     const std::function<void()>& selectAll) {
    if (event.reason() == Qt::ActiveWindowFocusReason || event.reason() == Qt::PopupFocusReason)
        return;
    try {
        link.UpdateRecord();
    } catch (...) {
        selectAll();
        QMetaObject::invokeMethod(
            &control, [&control] { control.setFocus(); }, Qt::QueuedConnection);
        throw;
    }
}
