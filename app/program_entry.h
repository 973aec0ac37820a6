#pragma once
// The frame around the program's own three steps (initialise, create the main
// window, run): makes sure a display exists, creates QApplication and the
// application object with its title, icon and start show command, follows the
// end of the session, and shows an error that escapes the steps in the
// "Erreur d'application" box.
//
// The steps come in as a function so that a test can run the frame with a
// window whose creation fails. Expects the floating-point environment, the
// thread's locale and the decimal mark to be set up already.

#include <functional>

namespace bilan {

// Returns the exit status: 0 after a normal end of the run, 1 without a
// display (after a French line on standard error) or after an error outside
// the event loop (after its box is closed). Reads from the command line only
// the start show command (see ShowCommandFromArguments). Uses the existing
// QApplication when there is one.
int RunApplication(int argc, char** argv, const std::function<void()>& steps);

}  // namespace bilan
