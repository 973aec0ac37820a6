#pragma once
// The "=" operation: reads Edit1 and Edit2, writes the net production, the
// production per day, per year and in megawatts into Edit3 to Edit6, each stage
// reading back the text that the stage before it wrote. Catches nothing: an
// EConvertError or EOverflow ends the run where it arises, and the fields
// written before that step keep their new texts.

#include "calc/fields.h"

namespace bilan {

void EnergyBalance(const FieldSet& fields);

}  // namespace bilan
