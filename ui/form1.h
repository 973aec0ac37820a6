#pragma once
// The main window: built from its definition (form1.window, a Qt resource),
// with its 34 controls and the two click handlers that run the calculation and
// the clearing on the six fields. Created hidden; the shell shows it.

#include <QWidget>

#include "platform/gui/button.h"
#include "platform/gui/edit.h"
#include "platform/gui/form.h"
#include "platform/gui/image.h"
#include "platform/gui/label.h"
#include "platform/gui/shape.h"

using bilan::gui::TButton;
using bilan::gui::TControl;
using bilan::gui::TEdit;
using bilan::gui::TForm;
using bilan::gui::TImage;
using bilan::gui::TLabel;
using bilan::gui::TShape;

class TForm1 : public TForm {
 public:
  explicit TForm1(QWidget* owner = nullptr);

  TLabel* Label1 = nullptr;
  TLabel* Label3 = nullptr;
  TShape* Shape6 = nullptr;
  TShape* Shape1 = nullptr;
  TShape* Shape8 = nullptr;
  TShape* Shape9 = nullptr;
  TLabel* Label2 = nullptr;
  TEdit* Edit1 = nullptr;
  TEdit* Edit2 = nullptr;
  TEdit* Edit3 = nullptr;
  TShape* Shape3 = nullptr;
  TShape* Shape2 = nullptr;
  TButton* Button1 = nullptr;
  TButton* Button2 = nullptr;
  TImage* Image2 = nullptr;
  TLabel* Label4 = nullptr;
  TLabel* Label5 = nullptr;
  TShape* Shape4 = nullptr;
  TShape* Shape5 = nullptr;
  TShape* Shape7 = nullptr;
  TShape* Shape10 = nullptr;
  TShape* Shape11 = nullptr;
  TShape* Shape12 = nullptr;
  TEdit* Edit4 = nullptr;
  TEdit* Edit5 = nullptr;
  TLabel* Label6 = nullptr;
  TEdit* Edit6 = nullptr;
  TLabel* Label7 = nullptr;
  TLabel* Label8 = nullptr;
  TLabel* Label9 = nullptr;
  TLabel* Label10 = nullptr;
  TImage* Image3 = nullptr;
  TImage* Image4 = nullptr;
  TImage* Image1 = nullptr;

  // "=": the energy balance on the six fields.
  void Button1Click(TControl* Sender);
  // "C": empties the six fields; the focus ends in Edit6.
  void Button2Click(TControl* Sender);
};

// The one main window; set by the shell when it creates it.
extern TForm1* Form1;
