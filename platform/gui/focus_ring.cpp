#include "platform/gui/focus_ring.h"

namespace bilan::gui {

namespace {

bool MayTakeFocus(const RingSlot& slot, TabStops tabStops) {
  if (!slot.visible || !slot.enabled) return false;
  return tabStops == TabStops::Count ? slot.tabStop : slot.onWindow;
}

}  // namespace

std::optional<std::size_t> NextInRing(std::span<const RingSlot> ring,
                                      std::optional<std::size_t> current, RingDirection direction,
                                      TabStops tabStops) {
  const std::size_t size = ring.size();
  if (size == 0) return std::nullopt;
  const bool forward = direction == RingDirection::Forward;

  // Without a current control the walk starts just before the first slot in
  // its direction, so that every slot, the start included, is tried once.
  std::size_t start = forward ? size - 1 : 0;
  if (current && *current < size) start = *current;

  std::size_t position = start;
  do {
    position = forward ? (position + 1) % size : (position + size - 1) % size;
    if (MayTakeFocus(ring[position], tabStops)) return position;
  } while (position != start);
  return std::nullopt;
}

}  // namespace bilan::gui
