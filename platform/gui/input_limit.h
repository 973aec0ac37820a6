#pragma once
// The typed-text limit of an edit field, as arithmetic: how much of a text that
// the user types, pastes, drops or composes is accepted. Text that the program
// writes never goes through here. Lengths count characters (code points), so a
// cut never splits a character that needs two UTF-16 units.

#include <QString>

namespace bilan::gui {

// `text` is the field's whole text and `selected` the part of it that the
// insertion replaces. Returns the longest prefix of `incoming` for which the
// text stays within `maxLength` characters; `maxLength` 0 means no limit.
//
//   text "123456789",   selected "",   incoming "0",     limit 10 -> "0"
//   text "1234567890",  selected "",   incoming "1",     limit 10 -> ""   (refused)
//   text "1234567890",  selected "90", incoming "abc",   limit 10 -> "ab"
//   text "",            selected "",   incoming 15 chars, limit 10 -> first 10
//   text 13 chars (written by the program), selected "", incoming "1", limit 10 -> ""
QString FitInsertion(const QString& text, const QString& selected, const QString& incoming,
                     int maxLength);

}  // namespace bilan::gui
