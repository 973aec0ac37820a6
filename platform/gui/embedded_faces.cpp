#include "platform/gui/embedded_faces.h"

#include <QDir>
#include <QFontDatabase>
#include <vector>

namespace bilan::gui {

namespace {
struct Registry {
  bool enabled = true;
  bool registered = false;
  std::vector<int> ids;
};

Registry& Faces() {
  static Registry registry;
  return registry;
}
}  // namespace

void RegisterEmbeddedFaces() {
  Registry& faces = Faces();
  if (!faces.enabled || faces.registered) return;
  faces.registered = true;
  const QDir folder(QStringLiteral(":/fonts"));
  for (const QString& file : folder.entryList({QStringLiteral("*.ttf"), QStringLiteral("*.otf")})) {
    const int id = QFontDatabase::addApplicationFont(folder.filePath(file));
    if (id >= 0) faces.ids.push_back(id);
  }
}

void SetEmbeddedFacesEnabled(bool on) {
  Registry& faces = Faces();
  faces.enabled = on;
  if (on) return;
  for (int id : faces.ids) QFontDatabase::removeApplicationFont(id);
  faces.ids.clear();
  faces.registered = false;
}

int EmbeddedFaceCount() { return static_cast<int>(Faces().ids.size()); }

}  // namespace bilan::gui
