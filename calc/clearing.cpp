#include "calc/clearing.h"

namespace bilan {

// All six are emptied before the first focus change, so a refused focus
// request still leaves every field empty. Only the last focus change lasts.
void ClearFields(const FieldSet& fields) {
  TextHolder* const order[] = {&fields.Edit1, &fields.Edit2, &fields.Edit3,
                               &fields.Edit4, &fields.Edit5, &fields.Edit6};
  for (TextHolder* field : order) field->SetText(std::string());
  for (TextHolder* field : order) field->SetFocus();
}

}  // namespace bilan
