#include "platform/gui/input_limit.h"

#include <algorithm>

namespace bilan::gui {

namespace {

qsizetype CountCharacters(const QString& text) {
  qsizetype count = 0;
  for (qsizetype i = 0; i < text.size(); ++i) {
    if (!text.at(i).isLowSurrogate() || i == 0 || !text.at(i - 1).isHighSurrogate()) ++count;
  }
  return count;
}

// The first `count` characters of `text`, in UTF-16 units.
qsizetype UnitsOfFirst(const QString& text, qsizetype count) {
  qsizetype units = 0;
  for (qsizetype taken = 0; taken < count && units < text.size(); ++taken) {
    const bool pair = text.at(units).isHighSurrogate() && units + 1 < text.size() &&
                      text.at(units + 1).isLowSurrogate();
    units += pair ? 2 : 1;
  }
  return units;
}

}  // namespace

QString FitInsertion(const QString& text, const QString& selected, const QString& incoming,
                     int maxLength) {
  if (maxLength <= 0) return incoming;
  // A text that the program made longer than the limit leaves no room, but
  // what is already there is never cut.
  const qsizetype kept = CountCharacters(text) - CountCharacters(selected);
  const qsizetype room = std::max<qsizetype>(0, maxLength - kept);
  return incoming.left(UnitsOfFirst(incoming, room));
}

}  // namespace bilan::gui
