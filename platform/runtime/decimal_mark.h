#pragma once
// The decimal mark of field texts, taken from the user's locale.

namespace bilan {

// The one byte that separates integer and fraction digits. Read by both
// conversions at every call; written only by LoadDecimalMark.
extern char DecimalMark;

// Sets DecimalMark from the radix character of the calling thread's locale
// (the one installed with uselocale): exactly one byte gives the mark,
// anything else (empty, or a multi-byte character) gives ".".
void LoadDecimalMark();

// Makes the user's default locale, as LC_ALL, LC_NUMERIC and LANG say at this
// moment, the calling thread's locale. Leaves the current one in place when the
// environment names a locale that the system does not have.
void InstallUserDefaultLocale();

}  // namespace bilan
