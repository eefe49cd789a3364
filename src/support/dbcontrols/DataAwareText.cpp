#include "support/dbcontrols/DataAwareText.h"

#include "platform/HandledAction.h"
#include "support/dbcontrols/FieldDataLink.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QWidget>
#include <exception>

bool ResetOnEscape(TFieldDataLink& link, QKeyEvent& event) {
    if (event.key() != Qt::Key_Escape || !link.IsModified()) return false;
    link.Reset();
    event.accept();
    return true;
}

// A window losing activation, or a popup opening, is no leaving. The error is shown once the
// focus has settled, so the box does not interrupt the focus change.
void UpdateOnLeaving(TFieldDataLink& link, QWidget& control, const QFocusEvent& event,
                     const std::function<void()>& selectAll) {
    if (event.reason() == Qt::ActiveWindowFocusReason || event.reason() == Qt::PopupFocusReason)
        return;
    try {
        link.UpdateRecord();
    } catch (...) {
        const std::exception_ptr error = std::current_exception();
        QMetaObject::invokeMethod(
            &control,
            [&control, selectAll, error] {
                RunHandled([error] { std::rethrow_exception(error); });
                control.setFocus();
                selectAll();
            },
            Qt::QueuedConnection);
    }
}
