#pragma once
// The one place where the window layer hands an error that leaves a click
// dispatch or a focus request. The application installs its message-box display;
// tests may install their own to capture what would be shown.

#include <functional>

#include "platform/runtime/errors.h"

namespace bilan {

using ErrorDisplay = std::function<void(const Exception&)>;

// Replaces the display; returns the previous one so that a test can restore it.
ErrorDisplay SetErrorDisplay(ErrorDisplay display);

// Shows the error with the installed display and returns when it is closed.
// Without one, writes the message, with its closing period, to standard error.
void ShowError(const Exception& error);

}  // namespace bilan
