#include "calc/energy_balance.h"

#include "calc/decimal_text.h"
#include "calc/extended.h"
#include "calc/extended_scope.h"
#include "platform/runtime/errors.h"

namespace bilan {
namespace {

constexpr Extended kHoursPerDay = FromInteger(24);
constexpr Extended kDaysPerYear = FromInteger(365);
constexpr Extended kWattsPerMegawatt = FromInteger(1000000);

// One arithmetic stage: a single rounded operation, checked before its field
// is written. Finite operands overflow only to an infinity.
template <typename Operation>
Extended Stage(Operation operation) {
  Extended result;
  bool overflowed;
  {
    ExtendedArithmeticScope scope;
    result = operation();
    overflowed = IsInfinite(result);
  }
  if (overflowed) throw EOverflow();
  return result;
}

}  // namespace

// Each stage computes with the figure that the previous field shows, read back
// from the field, never with the unrounded result.
void EnergyBalance(const FieldSet& fields) {
  const Extended production = ReadDecimal(fields.Edit1.Text());
  const Extended pump_consumption = ReadDecimal(fields.Edit2.Text());

  const Extended net = Stage([&] { return Subtract(production, pump_consumption); });
  fields.Edit3.SetText(WriteDecimal(net));
  const Extended net_production = ReadDecimal(fields.Edit3.Text());

  const Extended daily = Stage([&] { return Multiply(net_production, kHoursPerDay); });
  fields.Edit4.SetText(WriteDecimal(daily));
  const Extended daily_production = ReadDecimal(fields.Edit4.Text());

  const Extended yearly = Stage([&] { return Multiply(daily_production, kDaysPerYear); });
  fields.Edit5.SetText(WriteDecimal(yearly));
  const Extended yearly_production = ReadDecimal(fields.Edit5.Text());

  // A division, not a product with 0.000001, which has no exact Extended value.
  const Extended megawatts = Stage([&] { return Divide(yearly_production, kWattsPerMegawatt); });
  fields.Edit6.SetText(WriteDecimal(megawatts));
}

}  // namespace bilan
