#include "app/display_probe.h"

#include <sys/stat.h>
#include <xcb/xcb.h>

#include <cstdlib>
#include <string_view>
#include <vector>

namespace bilan {

namespace {

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}

std::vector<std::string> Split(std::string_view text, char separator) {
  std::vector<std::string> parts;
  size_t start = 0;
  while (start <= text.size()) {
    const size_t end = std::min(text.find(separator, start), text.size());
    parts.emplace_back(text.substr(start, end - start));
    start = end + 1;
  }
  return parts;
}

// The platforms Qt tries, in order, with their arguments removed.
std::vector<std::string> Platforms() {
  const std::string requested = Environment("QT_QPA_PLATFORM");
  std::vector<std::string> names;
  if (requested.empty()) {
    // Qt's default on Linux, preceded by Wayland in a Wayland session.
    if (Environment("XDG_SESSION_TYPE") == "wayland") names.push_back("wayland");
    names.push_back("xcb");
    return names;
  }
  for (const std::string& entry : Split(requested, ';')) {
    const std::string name = entry.substr(0, entry.find(':'));
    if (!name.empty()) names.push_back(name);
  }
  return names;
}

std::optional<std::string> X11Missing() {
  const std::string display = Environment("DISPLAY");
  if (display.empty()) return "la variable DISPLAY n'est pas définie";
  // The only sure test is Qt's own: opening a connection.
  xcb_connection_t* connection = xcb_connect(display.c_str(), nullptr);
  const bool failed = xcb_connection_has_error(connection) != 0;
  xcb_disconnect(connection);
  if (failed) return "impossible d'ouvrir l'affichage « " + display + " »";
  return std::nullopt;
}

std::optional<std::string> WaylandMissing() {
  std::string socket = Environment("WAYLAND_DISPLAY");
  if (socket.empty()) socket = "wayland-0";
  if (socket.front() != '/') {
    const std::string runtime = Environment("XDG_RUNTIME_DIR");
    if (runtime.empty()) return "la variable XDG_RUNTIME_DIR n'est pas définie";
    socket = runtime + "/" + socket;
  }
  struct stat status {};
  if (stat(socket.c_str(), &status) != 0 || !S_ISSOCK(status.st_mode))
    return "aucun serveur Wayland n'écoute sur « " + socket + " »";
  return std::nullopt;
}

}  // namespace

std::optional<std::string> MissingDisplayReason() {
  std::optional<std::string> first_reason;
  for (const std::string& platform : Platforms()) {
    std::optional<std::string> reason;
    if (platform == "xcb") {
      reason = X11Missing();
    } else if (platform.rfind("wayland", 0) == 0) {
      reason = WaylandMissing();
    }
    if (!reason) return std::nullopt;
    if (!first_reason) first_reason = std::move(reason);
  }
  return first_reason;
}

std::string MissingDisplayMessage(const std::string& program, const std::string& reason) {
  return program + " : aucun affichage graphique n'est disponible (" + reason + ").";
}

}  // namespace bilan
