#pragma once
// Which control of a window's ring takes the focus next. Pure: it works on a
// small description of each control, so the walk can be checked without any
// widget; the window fills the description from its controls. It does not move
// the focus itself.

#include <cstddef>
#include <optional>
#include <span>

namespace bilan::gui {

// What the walk needs to know about one control of the ring.
struct RingSlot {
  bool visible = true;
  bool enabled = true;
  bool tabStop = true;
  // Placed directly on the window rather than inside another container.
  bool onWindow = true;
};

enum class RingDirection { Forward, Backward };

// Tab, Shift+Tab and the first activation honour the tab stops; the arrow keys
// of a button ignore them but keep to the controls placed directly on the window.
enum class TabStops { Count, Ignore };

// `ring` lists the focusable controls in tab order. Starting from `current` (or,
// without one or with one outside the ring, from the last slot going forward and
// the first going backward), steps around the ring, wrapping, and returns the
// first slot that may take the focus. The walk stops when it comes back to its
// start, which is therefore the last slot tried: the current control itself may
// be the answer. Returns nothing when no slot qualifies.
//
//   4 eligible slots, current 3, Forward  -> 0
//   4 eligible slots, none,      Forward  -> 0;  Backward -> 3
//   only slot 2 eligible, current 2       -> 2
std::optional<std::size_t> NextInRing(std::span<const RingSlot> ring,
                                      std::optional<std::size_t> current, RingDirection direction,
                                      TabStops tabStops);

}  // namespace bilan::gui
