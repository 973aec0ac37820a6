#include "platform/gui/definition_reader.h"

#include <QFile>
#include <QFileInfo>
#include <array>
#include <utility>

#include "platform/gui/edit.h"
#include "platform/gui/form.h"
#include "platform/gui/image.h"
#include "platform/gui/label.h"
#include "platform/gui/shape.h"

namespace bilan::gui {

namespace {

using Kind = DefinitionValue::Kind;

const DefinitionValue& Expect(const DefinitionValue& value, Kind kind, const char* what) {
  if (value.kind != kind) throw DefinitionError(value.line, std::string("expected ") + what);
  return value;
}

int Integer(const DefinitionValue& value) {
  return static_cast<int>(Expect(value, Kind::Integer, "an integer").integer);
}

QString String(const DefinitionValue& value) {
  return QString::fromStdString(Expect(value, Kind::String, "a string").text);
}

const std::string& Identifier(const DefinitionValue& value) {
  return Expect(value, Kind::Identifier, "an identifier").text;
}

bool Boolean(const DefinitionValue& value) {
  const std::string& name = Identifier(value);
  if (name == "true") return true;
  if (name == "false") return false;
  throw DefinitionError(value.line, "expected true or false, not " + name);
}

TColor Color(const DefinitionValue& value) {
  const std::string& name = Identifier(value);
  if (auto color = ColorByName(name)) return *color;
  throw DefinitionError(value.line, "unknown colour " + name);
}

// The one accepted value of a setting that this layer supports in one way only.
void Require(const DefinitionValue& value, const std::string& only) {
  if (Identifier(value) != only) {
    throw DefinitionError(value.line, "unsupported value " + value.text + ", only " + only);
  }
}

int Charset(const DefinitionValue& value) {
  if (value.kind == Kind::Integer) return Integer(value);
  static const std::array<std::pair<const char*, int>, 3> names{{
      {"ANSI_CHARSET", kAnsiCharset},
      {"DEFAULT_CHARSET", kDefaultCharset},
      {"ARABIC_CHARSET", kArabicCharset},
  }};
  for (const auto& [name, charset] : names) {
    if (Identifier(value) == name) return charset;
  }
  throw DefinitionError(value.line, "unknown character set " + value.text);
}

// Applies a Font.* property to `font`; false when `name` is not one.
bool ApplyFontProperty(TFont& font, const std::string& name, const DefinitionValue& value) {
  if (name == "Font.Name") {
    font.Name = String(value).toStdString();
  } else if (name == "Font.Height") {
    font.Height = Integer(value);
  } else if (name == "Font.Color") {
    font.Color = Color(value);
  } else if (name == "Font.Charset") {
    font.Charset = Charset(value);
  } else if (name == "Font.Style") {
    Expect(value, Kind::List, "a list of styles");
    font.Bold = false;
    for (const std::string& style : value.items) {
      if (style != "fsBold") throw DefinitionError(value.line, "unsupported font style " + style);
      font.Bold = true;
    }
  } else {
    return false;
  }
  return true;
}

// Left, Top, Width and Height; false for any other name.
bool ApplyBoundsProperty(TControl& control, const std::string& name, const DefinitionValue& value) {
  QRect bounds = control.BoundsRect();
  if (name == "Left") {
    bounds.moveLeft(Integer(value));
  } else if (name == "Top") {
    bounds.moveTop(Integer(value));
  } else if (name == "Width") {
    bounds.setWidth(Integer(value));
  } else if (name == "Height") {
    bounds.setHeight(Integer(value));
  } else {
    return false;
  }
  control.SetBounds(bounds);
  return true;
}

Anchors AnchorSet(const DefinitionValue& value) {
  Expect(value, Kind::List, "a list of anchors");
  static const std::array<std::pair<const char*, Anchor>, 4> names{
      {{"akLeft", akLeft}, {"akTop", akTop}, {"akRight", akRight}, {"akBottom", akBottom}}};
  Anchors anchors = 0;
  for (const std::string& item : value.items) {
    bool known = false;
    for (const auto& [name, anchor] : names) {
      if (item == name) {
        anchors |= anchor;
        known = true;
      }
    }
    if (!known) throw DefinitionError(value.line, "unknown anchor " + item);
  }
  return anchors;
}

ReadingMode BiDiMode(const DefinitionValue& value) {
  static const std::array<std::pair<const char*, ReadingMode>, 4> names{{
      {"bdLeftToRight", ReadingMode::LeftToRight},
      {"bdRightToLeft", ReadingMode::RightToLeft},
      {"bdRightToLeftNoAlign", ReadingMode::RightToLeftNoAlign},
      {"bdRightToLeftReadingOnly", ReadingMode::RightToLeftReadingOnly},
  }};
  for (const auto& [name, mode] : names) {
    if (Identifier(value) == name) return mode;
  }
  throw DefinitionError(value.line, "unknown reading direction " + value.text);
}

[[noreturn]] void UnknownProperty(const DefinitionSection& section, const DefinitionProperty& p) {
  const std::string owner = section.name.empty() ? "the window" : section.class_name;
  throw DefinitionError(p.value.line, "unknown property " + p.name + " of " + owner);
}

void ReadWindow(TForm& form, const DefinitionSection& section) {
  QSize client(form.ClientWidth(), form.ClientHeight());
  QPoint position = form.pos();
  TFont font = form.Font();
  for (const DefinitionProperty& p : section.properties) {
    const DefinitionValue& v = p.value;
    if (ApplyFontProperty(font, p.name, v)) continue;
    if (p.name == "Caption") {
      form.SetCaption(String(v));
    } else if (p.name == "ClientWidth") {
      client.setWidth(Integer(v));
    } else if (p.name == "ClientHeight") {
      client.setHeight(Integer(v));
    } else if (p.name == "Left") {
      position.setX(Integer(v));
    } else if (p.name == "Top") {
      position.setY(Integer(v));
    } else if (p.name == "Color") {
      form.SetColor(Color(v));
    } else if (p.name == "PixelsPerInch") {
      form.SetPixelsPerInch(Integer(v));
    } else if (p.name == "TextHeight") {
      form.SetTextHeight(Integer(v));
    } else if (p.name == "Position") {
      Require(v, "poDesigned");  // the stored position, never centred
    } else if (p.name == "BorderStyle") {
      Require(v, "bsSingle");  // the form's frame is always fixed
    } else if (p.name == "BorderIcons") {
      Expect(v, Kind::List, "a list of title-bar buttons");
      if (v.items != std::vector<std::string>{"biSystemMenu", "biMinimize"}) {
        throw DefinitionError(v.line, "unsupported title-bar buttons");
      }
    } else if (p.name == "BiDiMode") {
      Require(v, "bdLeftToRight");
    } else if (p.name == "ParentBiDiMode" || p.name == "Visible") {
      if (Boolean(v)) throw DefinitionError(v.line, p.name + " must be false");
    } else if (p.name == "Ctl3D") {
      if (!Boolean(v)) throw DefinitionError(v.line, "Ctl3D must be true");
    } else {
      UnknownProperty(section, p);
    }
  }
  form.SetFont(font);
  form.SetClientSize(client.width(), client.height());
  form.SetPosition(position.x(), position.y());
}

void ReadLabel(TForm& form, const DefinitionSection& section) {
  auto& label = static_cast<TLabel&>(form.AddControl(std::make_unique<TLabel>(form)));
  label.SetName(section.name);
  TFont font = label.Font();
  for (const DefinitionProperty& p : section.properties) {
    if (ApplyBoundsProperty(label, p.name, p.value) || ApplyFontProperty(font, p.name, p.value)) {
      continue;
    }
    if (p.name == "Caption") {
      label.SetCaption(String(p.value));
    } else if (p.name == "ParentFont") {
      if (Boolean(p.value)) font = form.Font();
    } else if (p.name == "Color") {
      label.SetColor(Color(p.value));
    } else {
      UnknownProperty(section, p);
    }
  }
  label.SetFont(font);
}

void ReadShape(TForm& form, const DefinitionSection& section) {
  auto& shape = static_cast<TShape&>(form.AddControl(std::make_unique<TShape>(form)));
  shape.SetName(section.name);
  for (const DefinitionProperty& p : section.properties) {
    if (ApplyBoundsProperty(shape, p.name, p.value)) continue;
    if (p.name == "Brush.Color") {
      shape.SetBrushColor(Color(p.value));
    } else {
      UnknownProperty(section, p);
    }
  }
}

void ReadImage(TForm& form, const DefinitionSection& section, const PictureSource& pictures) {
  auto& image = static_cast<TImage&>(form.AddControl(std::make_unique<TImage>(form)));
  image.SetName(section.name);
  for (const DefinitionProperty& p : section.properties) {
    if (ApplyBoundsProperty(image, p.name, p.value)) continue;
    if (p.name == "Picture") {
      const std::string name = String(p.value).toStdString();
      QByteArray file = pictures ? pictures(name) : QByteArray();
      if (file.isEmpty()) throw DefinitionError(p.value.line, "no picture " + name);
      image.SetPicture(std::make_unique<TJPEGImage>(std::move(file)));
    } else {
      UnknownProperty(section, p);
    }
  }
}

void ReadEdit(TForm& form, const DefinitionSection& section) {
  auto* edit = new TEdit(form);  // owned by the form as its child widget
  edit->SetName(section.name);
  edit->setObjectName(QString::fromStdString(section.name));
  TFont font = edit->Font();
  for (const DefinitionProperty& p : section.properties) {
    const DefinitionValue& v = p.value;
    if (ApplyBoundsProperty(*edit, p.name, v) || ApplyFontProperty(font, p.name, v)) continue;
    if (p.name == "Text") {
      edit->SetText(String(v).toStdString());
    } else if (p.name == "MaxLength") {
      edit->SetMaxLength(Integer(v));
    } else if (p.name == "TabOrder") {
      edit->SetTabOrder(Integer(v));
    } else if (p.name == "Color") {
      edit->SetColor(Color(v));
    } else if (p.name == "BiDiMode") {
      edit->SetBiDiMode(BiDiMode(v));
    } else if (p.name == "Anchors") {
      edit->SetAnchors(AnchorSet(v));
    } else if (p.name == "ParentFont") {
      if (Boolean(v)) font = form.Font();
    } else if (p.name == "ParentBiDiMode") {
      if (Boolean(v)) throw DefinitionError(v.line, "ParentBiDiMode must be false");
    } else {
      UnknownProperty(section, p);
    }
  }
  edit->SetFont(font);
}

void ReadButton(TForm& form, const DefinitionSection& section, const HandlerTable& handlers) {
  auto* button = new TButton(form);  // owned by the form as its child widget
  button->SetName(section.name);
  button->setObjectName(QString::fromStdString(section.name));
  TFont font = button->Font();
  for (const DefinitionProperty& p : section.properties) {
    const DefinitionValue& v = p.value;
    if (ApplyBoundsProperty(*button, p.name, v) || ApplyFontProperty(font, p.name, v)) continue;
    if (p.name == "Caption") {
      button->SetCaption(String(v));
    } else if (p.name == "TabOrder") {
      button->SetTabOrder(Integer(v));
    } else if (p.name == "ParentFont") {
      if (Boolean(v)) font = form.Font();
    } else if (p.name == "OnClick") {
      const auto handler = handlers.find(Identifier(v));
      if (handler == handlers.end()) throw DefinitionError(v.line, "unknown handler " + v.text);
      button->SetOnClick(handler->second);
    } else {
      UnknownProperty(section, p);
    }
  }
  button->SetFont(font);
}

}  // namespace

void ReadDefinition(TForm& form, const Definition& definition, const HandlerTable& handlers,
                    const PictureSource& pictures) {
  ReadWindow(form, definition.window);
  for (const DefinitionSection& section : definition.controls) {
    if (form.FindControl(section.name) != nullptr) {
      throw DefinitionError(section.line, "second control named " + section.name);
    }
    if (section.class_name == "TLabel") {
      ReadLabel(form, section);
    } else if (section.class_name == "TShape") {
      ReadShape(form, section);
    } else if (section.class_name == "TImage") {
      ReadImage(form, section, pictures);
    } else if (section.class_name == "TEdit") {
      ReadEdit(form, section);
    } else if (section.class_name == "TButton") {
      ReadButton(form, section, handlers);
    } else {
      throw DefinitionError(section.line, "unknown class " + section.class_name);
    }
  }
  form.Loaded();
}

void ReadDefinitionText(TForm& form, const std::string& text, const HandlerTable& handlers,
                        const PictureSource& pictures) {
  ReadDefinition(form, ParseDefinition(text), handlers, pictures);
}

void ReadDefinitionFile(TForm& form, const QString& path, const HandlerTable& handlers) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    throw DefinitionError(0, "cannot open " + path.toStdString());
  }
  const QString folder = QFileInfo(path).path();
  const PictureSource pictures = [folder](const std::string& name) {
    QFile picture(folder + '/' + QString::fromStdString(name));
    return picture.open(QIODevice::ReadOnly) ? picture.readAll() : QByteArray();
  };
  ReadDefinitionText(form, file.readAll().toStdString(), handlers, pictures);
}

}  // namespace bilan::gui
