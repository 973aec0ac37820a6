#include "platform/runtime/decimal_mark.h"

#include <langinfo.h>
#include <locale.h>

#include <cstring>

namespace bilan {

char DecimalMark = '.';

void LoadDecimalMark() {
  // nl_langinfo answers for the thread's locale (uselocale), or the global one.
  const char* radix = nl_langinfo(RADIXCHAR);
  DecimalMark = (radix != nullptr && radix[0] != '\0' && radix[1] == '\0') ? radix[0] : '.';
}

void InstallUserDefaultLocale() {
  // The locale we installed last; the global locale is never ours to free.
  static locale_t installed = static_cast<locale_t>(0);
  locale_t user = newlocale(LC_ALL_MASK, "", static_cast<locale_t>(0));
  if (user == static_cast<locale_t>(0)) return;
  uselocale(user);
  if (installed != static_cast<locale_t>(0)) freelocale(installed);
  installed = user;
}

}  // namespace bilan
