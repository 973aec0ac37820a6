#pragma once
// The two boxes in which the program shows an error: the error box of the
// running program (one OK button, the stop icon, the application title as
// caption) and the "Erreur d'application" box for an error that escapes the
// program's start, before the event loop runs.
//
// Both are standard Qt message boxes shown application-modal: the program's
// windows take no input while one is open, but they are not disabled, so they
// keep their normal look. They do not end the program; the caller decides.

#include <QString>
#include <string>
#include <string_view>

#include "platform/gui/error_display.h"
#include "platform/runtime/errors.h"

namespace bilan {

// A display for SetErrorDisplay that shows each error in the error box
// captioned `caption`, with the message by WithClosingPeriod. While the box
// is open a mouse capture is cancelled; after OK the window that was active
// before is activated again, so that its focused control gets the focus back.
ErrorDisplay MessageBoxDisplay(const QString& caption);

// The text of the application error box:
//   "Exception <class> dans le module <module> à <address>." line break
//   <message>, and a period when the message is not empty and does not
//   already end with one.
// The address is printed as 8 upper-case hexadecimal digits.
QString ApplicationErrorText(std::string_view class_name, const QString& module,
                             unsigned long long address, std::string_view message);

// Shows the application error box with that text and returns when it is closed.
void ShowApplicationError(std::string_view class_name, const QString& module,
                          unsigned long long address, std::string_view message);

inline constexpr const char* kApplicationErrorCaption = "Erreur d'application";

}  // namespace bilan
