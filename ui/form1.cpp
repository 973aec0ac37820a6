#include "ui/form1.h"

#include "calc/clearing.h"
#include "calc/energy_balance.h"
#include "platform/gui/definition_reader.h"
#include "platform/gui/embedded_faces.h"

TForm1* Form1 = nullptr;

namespace {

using bilan::gui::DefinitionError;

// The control of the definition named `name`, of class T: a definition that
// lacks it is a programming error, reported as such.
template <class T>
T* Bound(TForm& form, const char* name) {
  auto* control = dynamic_cast<T*>(form.FindControl(name));
  if (control == nullptr) throw DefinitionError(0, std::string("no control ") + name);
  return control;
}

bilan::FieldSet Fields(TForm1& form) {
  return {*form.Edit1, *form.Edit2, *form.Edit3, *form.Edit4, *form.Edit5, *form.Edit6};
}

}  // namespace

TForm1::TForm1(QWidget* owner) : TForm(owner) {
  Q_INIT_RESOURCE(ui);
  bilan::gui::RegisterEmbeddedFaces();
  const bilan::gui::HandlerTable handlers{
      {"Button1Click", [this](TControl* sender) { Button1Click(sender); }},
      {"Button2Click", [this](TControl* sender) { Button2Click(sender); }},
  };
  bilan::gui::ReadDefinitionFile(*this, QStringLiteral(":/ui/form1.window"), handlers);

  Label1 = Bound<TLabel>(*this, "Label1");
  Label3 = Bound<TLabel>(*this, "Label3");
  Shape6 = Bound<TShape>(*this, "Shape6");
  Shape1 = Bound<TShape>(*this, "Shape1");
  Shape8 = Bound<TShape>(*this, "Shape8");
  Shape9 = Bound<TShape>(*this, "Shape9");
  Label2 = Bound<TLabel>(*this, "Label2");
  Edit1 = Bound<TEdit>(*this, "Edit1");
  Edit2 = Bound<TEdit>(*this, "Edit2");
  Edit3 = Bound<TEdit>(*this, "Edit3");
  Shape3 = Bound<TShape>(*this, "Shape3");
  Shape2 = Bound<TShape>(*this, "Shape2");
  Button1 = Bound<TButton>(*this, "Button1");
  Button2 = Bound<TButton>(*this, "Button2");
  Image2 = Bound<TImage>(*this, "Image2");
  Label4 = Bound<TLabel>(*this, "Label4");
  Label5 = Bound<TLabel>(*this, "Label5");
  Shape4 = Bound<TShape>(*this, "Shape4");
  Shape5 = Bound<TShape>(*this, "Shape5");
  Shape7 = Bound<TShape>(*this, "Shape7");
  Shape10 = Bound<TShape>(*this, "Shape10");
  Shape11 = Bound<TShape>(*this, "Shape11");
  Shape12 = Bound<TShape>(*this, "Shape12");
  Edit4 = Bound<TEdit>(*this, "Edit4");
  Edit5 = Bound<TEdit>(*this, "Edit5");
  Label6 = Bound<TLabel>(*this, "Label6");
  Edit6 = Bound<TEdit>(*this, "Edit6");
  Label7 = Bound<TLabel>(*this, "Label7");
  Label8 = Bound<TLabel>(*this, "Label8");
  Label9 = Bound<TLabel>(*this, "Label9");
  Label10 = Bound<TLabel>(*this, "Label10");
  Image3 = Bound<TImage>(*this, "Image3");
  Image4 = Bound<TImage>(*this, "Image4");
  Image1 = Bound<TImage>(*this, "Image1");

  // Assistive technology names each field after the caption above it.
  const std::pair<TEdit*, TLabel*> captioned[] = {{Edit1, Label1}, {Edit2, Label2},
                                                  {Edit3, Label3}, {Edit4, Label4},
                                                  {Edit5, Label5}, {Edit6, Label6}};
  for (const auto& [edit, label] : captioned) edit->setAccessibleName(label->Caption());
}

void TForm1::Button1Click(TControl*) { bilan::EnergyBalance(Fields(*this)); }

void TForm1::Button2Click(TControl*) { bilan::ClearFields(Fields(*this)); }
