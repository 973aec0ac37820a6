#pragma once
// Faces shipped inside the program (the caption face, when the build found it)
// live as Qt resources under :/fonts and are registered with Qt's font database
// when a window is created. Without them, font matching supplies a substitute.

namespace bilan::gui {

// Registers every face under :/fonts once; later calls do nothing.
void RegisterEmbeddedFaces();
// Whether embedded faces are used; off withdraws those already registered, so
// that a test can see the window with the substitute face.
void SetEmbeddedFacesEnabled(bool on);
// The number of faces currently registered from the resources.
int EmbeddedFaceCount();

}  // namespace bilan::gui
