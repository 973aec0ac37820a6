#pragma once
// The "C" operation: empties the six fields, then focuses Edit1 to Edit6 in turn
// so that the focus ends in Edit6. Catches nothing.

#include "calc/fields.h"

namespace bilan {

void ClearFields(const FieldSet& fields);

}  // namespace bilan
