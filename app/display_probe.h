#pragma once
// Whether the windowing system that Qt will use can be reached, asked before
// QApplication exists: Qt aborts the process when it cannot open a display,
// and the program must instead say why in French and end with status 1.
//
// Knows the X11 and Wayland platforms; any other platform plugin (offscreen,
// a frame buffer, VNC) is taken as available and left to Qt.

#include <optional>
#include <string>

namespace bilan {

// Empty when a display is there; otherwise the French reason, such as
// "la variable DISPLAY n'est pas définie". Reads QT_QPA_PLATFORM (a list of
// platforms separated by ";", each with optional ":arguments"), DISPLAY,
// WAYLAND_DISPLAY, XDG_RUNTIME_DIR and XDG_SESSION_TYPE as they are now.
std::optional<std::string> MissingDisplayReason();

// The line written to standard error: "<program> : aucun affichage graphique
// n'est disponible (<reason>)."
std::string MissingDisplayMessage(const std::string& program, const std::string& reason);

}  // namespace bilan
