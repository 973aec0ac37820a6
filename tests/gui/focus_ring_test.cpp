// The walk that picks the next control of the ring, on described controls.

#include <QTest>

#include <optional>
#include <vector>

#include "platform/gui/focus_ring.h"

namespace {

using bilan::gui::NextInRing;
using bilan::gui::RingDirection;
using bilan::gui::RingSlot;
using bilan::gui::TabStops;

// One character per slot, in tab order: '.' may take the focus, 'h' hidden,
// 'd' disabled, 't' without a tab stop, 'c' inside a container.
std::vector<RingSlot> Describe(const QString& controls) {
  std::vector<RingSlot> ring;
  for (QChar kind : controls) {
    RingSlot slot;
    slot.visible = kind != 'h';
    slot.enabled = kind != 'd';
    slot.tabStop = kind != 't';
    slot.onWindow = kind != 'c';
    ring.push_back(slot);
  }
  return ring;
}

constexpr int kNone = -1;

}  // namespace

class FocusRingTest : public QObject {
  Q_OBJECT

 private slots:
  void nextControl_data() {
    // clang-format off
    QTest::addColumn<QString>("controls");
    QTest::addColumn<int>("current");
    QTest::addColumn<bool>("forward");
    QTest::addColumn<bool>("tabStopsCount");
    QTest::addColumn<int>("expected");

    // The window's ring: six fields then two buttons, all eligible.
    const QString all = "........";
    QTest::newRow("Edit1 forward: Edit2") << all << 0 << true << true << 1;
    QTest::newRow("Edit6 forward: Button1") << all << 5 << true << true << 6;
    QTest::newRow("Button2 forward wraps: Edit1") << all << 7 << true << true << 0;
    QTest::newRow("Edit1 backward wraps: Button2") << all << 0 << false << true << 7;
    QTest::newRow("Button1 backward: Edit6") << all << 6 << false << true << 5;
    QTest::newRow("Button2 arrow forward: Edit1") << all << 7 << true << false << 0;
    QTest::newRow("Button1 arrow backward: Edit6") << all << 6 << false << false << 5;

    QTest::newRow("no current, forward: first") << all << kNone << true << true << 0;
    QTest::newRow("no current, backward: last") << all << kNone << false << true << 7;
    QTest::newRow("current outside ring, forward: first") << all << 42 << true << true << 0;
    QTest::newRow("current outside ring, backward: last") << all << 42 << false << true << 7;
    QTest::newRow("no current, only last eligible") << "hhhhhhh." << kNone << true << true << 7;
    QTest::newRow("no current, only first eligible, backward") << ".ddddddd" << kNone << false << true << 0;

    QTest::newRow("skips hidden") << ".h.." << 0 << true << true << 2;
    QTest::newRow("skips disabled") << ".d.." << 0 << true << true << 2;
    QTest::newRow("skips missing tab stop") << ".t.." << 0 << true << true << 2;
    QTest::newRow("skips a run, backward") << "..htd." << 5 << false << true << 1;
    QTest::newRow("tab stops ignored: takes it") << ".t.." << 0 << true << false << 1;
    QTest::newRow("tab stops ignored: container skipped") << ".c.." << 0 << true << false << 2;
    QTest::newRow("tab stops counted: container taken") << ".c.." << 0 << true << true << 1;
    QTest::newRow("tab stops ignored: hidden still skipped") << ".h.." << 0 << true << false << 2;

    QTest::newRow("only current eligible: current") << "hh.h" << 2 << true << true << 2;
    QTest::newRow("only current eligible, backward") << "hh.h" << 2 << false << true << 2;
    QTest::newRow("current ineligible, moves on") << "..h." << 2 << true << true << 3;
    QTest::newRow("nothing eligible") << "hdtd" << 1 << true << true << kNone;
    QTest::newRow("nothing eligible, no current") << "hdcd" << kNone << false << false << kNone;
    QTest::newRow("empty ring") << "" << kNone << true << true << kNone;
    // clang-format on
  }

  void nextControl() {
    QFETCH(QString, controls);
    QFETCH(int, current);
    QFETCH(bool, forward);
    QFETCH(bool, tabStopsCount);
    QFETCH(int, expected);

    const std::vector<RingSlot> ring = Describe(controls);
    const std::optional<std::size_t> from =
        current == kNone ? std::nullopt : std::optional<std::size_t>(current);
    const std::optional<std::size_t> next =
        NextInRing(ring, from, forward ? RingDirection::Forward : RingDirection::Backward,
                   tabStopsCount ? TabStops::Count : TabStops::Ignore);
    QCOMPARE(next ? int(*next) : kNone, expected);
  }

  // With every control eligible, each step goes to the ring neighbour, so eight
  // steps in either direction come back to the start after visiting all.
  void fullCircle() {
    const std::vector<RingSlot> ring = Describe("........");
    for (RingDirection direction : {RingDirection::Forward, RingDirection::Backward}) {
      std::size_t position = 0;
      std::vector<std::size_t> visited;
      for (int step = 0; step < 8; ++step) {
        position = NextInRing(ring, position, direction, TabStops::Count).value();
        visited.push_back(position);
      }
      const std::vector<std::size_t> expected =
          direction == RingDirection::Forward ? std::vector<std::size_t>{1, 2, 3, 4, 5, 6, 7, 0}
                                              : std::vector<std::size_t>{7, 6, 5, 4, 3, 2, 1, 0};
      QCOMPARE(visited, expected);
    }
  }
};

QTEST_APPLESS_MAIN(FocusRingTest)
#include "focus_ring_test.moc"
