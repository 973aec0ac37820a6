#pragma once
// Builds a window from its definition: applies the window's properties, creates
// each control in creation order with its stored properties, binds each OnClick
// by handler name, then ends the creation (sizes, scaling, anchors).
//
// Every name must be known: an unknown class, property, value or handler, a
// value of the wrong kind or a duplicate control name throws DefinitionError.
// Nothing is skipped silently.

#include <QByteArray>
#include <functional>
#include <map>
#include <string>

#include "platform/gui/button.h"
#include "platform/gui/definition_parser.h"

namespace bilan::gui {

class TForm;

// The click handlers a window offers to its definition, by name.
using HandlerTable = std::map<std::string, ClickHandler, std::less<>>;
// The bytes of a picture file named in the definition; throws DefinitionError
// (or returns an empty array) when there is none.
using PictureSource = std::function<QByteArray(const std::string& name)>;

void ReadDefinition(TForm& form, const Definition& definition, const HandlerTable& handlers,
                    const PictureSource& pictures);
void ReadDefinitionText(TForm& form, const std::string& text, const HandlerTable& handlers,
                        const PictureSource& pictures);
// Reads a definition from a file or a Qt resource; pictures are files named
// relative to the definition's folder.
void ReadDefinitionFile(TForm& form, const QString& path, const HandlerTable& handlers);

}  // namespace bilan::gui
