#pragma once

#include <functional>

class QFocusEvent;
class QKeyEvent;
class QWidget;
class TFieldDataLink;

// What the data-aware edit and memo share about keys and leaving.

// Escape with pending text shows the field again and is taken; true when it was.
bool ResetOnEscape(TFieldDataLink& link, QKeyEvent& event);
// Leaving the control for another one in the window writes the pending text; when that fails
// the application's error handler shows why, then the focus comes back with the text selected.
void UpdateOnLeaving(TFieldDataLink& link, QWidget& control, const QFocusEvent& event,
                     const std::function<void()>& selectAll);
