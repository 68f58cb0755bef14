// Turns check boxes of an open window into image-based on/off slider switches.
//
// For each registered check box the manager hides the box, lays a region
// (which catches the mouse) and an image (which shows the on or off picture)
// over its place, and from then on toggles the box's variable itself when the
// region reports a mouse-up; then it posts "EVENT:Accepted" for the hidden
// box, so the window's own loop handles the change where it handles a click
// on the box. A switch's state lives only in its variable: 1 is on, every
// other value off.
//
// The object is plain data as its class data descriptor describes it: the
// class identity word, then ENTRYQ, the handle of the queue of SwitchRecords.
// Its creator clears it by that descriptor and stores the class identity
// (ConstructSliderSwitchManager) before calling Init.
#pragma once

#include <cstdint>

#include "runtime/data/Handle.h"

class SliderSwitchManager {
 public:
  void Init();
  void AddSwitch(std::int32_t checkControl, runtime::Handle variable, std::int32_t parent);
  void TakeEvent();
  void Kill();

  std::uint32_t class_identity;  // read by no one; names the class to the runtime
  runtime::Handle ENTRYQ;        // the queue of SwitchRecords; null before Init and after Kill
};

// The number that identifies the class in its objects' first word.
inline constexpr std::uint32_t kSliderSwitchManagerClass = 0x534C4453;  // "SDLS"

// What the creator of a manager does before Init: clear the object by its
// class data descriptor (ENTRYQ becomes null) and store the class identity.
void ConstructSliderSwitchManager(SliderSwitchManager& manager);
