// The slider switch manager's four operations.
#include "slider/SliderSwitchManager.h"

#include <cstddef>
#include <type_traits>

#include "runtime/Runtime.h"
#include "slider/Descriptors.h"
#include "slider/SwitchRecord.h"

static_assert(std::is_standard_layout_v<SliderSwitchManager> && std::is_trivially_copyable_v<SliderSwitchManager>);
static_assert(sizeof(SliderSwitchManager) == 8 && offsetof(SliderSwitchManager, ENTRYQ) == 4,
              "the object is laid out as its class data descriptor says");

namespace {

constexpr std::string_view kOnPicture = "~Slider-On.png";
constexpr std::string_view kOffPicture = "~Slider-Off.png";
constexpr std::int64_t kOnValue = 1;
constexpr std::int64_t kOffValue = 0;
// The lookup key: field 3, DWREGIONFEQ, then the end mark.
constexpr std::int32_t kRegionKey[] = {3, 0};

SwitchRecord& Buffer(runtime::Handle queue) { return *static_cast<SwitchRecord*>(runtime::QueueBuffer(queue)); }

// Lays `control` exactly over `checkControl`.
void CopyPlace(std::int32_t checkControl, std::int32_t control) {
  for (int property : {runtime::Prop::Xpos, runtime::Prop::Ypos, runtime::Prop::Width, runtime::Prop::Height}) {
    runtime::SetProperty(control, property, runtime::GetProperty(checkControl, property));
  }
}

}  // namespace

void ConstructSliderSwitchManager(SliderSwitchManager& manager) {
  runtime::ClearByDescriptor(&manager, kSliderSwitchManagerDescriptor);
  manager.class_identity = kSliderSwitchManagerClass;
}

void SliderSwitchManager::Init() { ENTRYQ = runtime::NewQueue(kSwitchRecordDescriptor); }

void SliderSwitchManager::AddSwitch(std::int32_t checkControl, runtime::Handle variable, std::int32_t parent) {
  runtime::HideControls(checkControl, 0);
  runtime::ClearQueueBuffer(ENTRYQ, 0);
  SwitchRecord& record = Buffer(ENTRYQ);
  record.DWFEQ = checkControl;
  runtime::AssignReference(record.THEFIELD, variable);

  record.DWREGIONFEQ = runtime::CreateControl(0, runtime::ControlKind::Region, parent, -1);
  CopyPlace(checkControl, record.DWREGIONFEQ);
  runtime::SetProperty(record.DWREGIONFEQ, runtime::Prop::Imm, 1);
  runtime::UnhideControls(record.DWREGIONFEQ, 0);

  record.DWIMAGEFEQ = runtime::CreateControl(0, runtime::ControlKind::Image, parent, -1);
  CopyPlace(checkControl, record.DWIMAGEFEQ);
  runtime::SetProperty(record.DWIMAGEFEQ, runtime::Prop::Centered, 1);
  bool on = runtime::CompareValue(record.THEFIELD, kOnValue) == 0;
  runtime::SetProperty(record.DWIMAGEFEQ, runtime::Prop::Text, on ? kOnPicture : kOffPicture);
  runtime::UnhideControls(record.DWIMAGEFEQ, 0);

  runtime::AddRecord(ENTRYQ);
}

void SliderSwitchManager::TakeEvent() {
  if (runtime::CurrentEvent() != runtime::Event::MouseUp) return;
  SwitchRecord& record = Buffer(ENTRYQ);
  record.DWREGIONFEQ = runtime::EventControl();
  runtime::GetRecordByKey(ENTRYQ, kRegionKey);
  if (runtime::ErrorCode() != 0) return;  // no switch owns that control

  // The picture is cleared before the new name, so each toggle loads it afresh.
  if (runtime::CompareValue(record.THEFIELD, kOnValue) == 0) {
    runtime::AssignValue(record.THEFIELD, kOffValue);
    runtime::SetProperty(record.DWIMAGEFEQ, runtime::Prop::Text, "");
    runtime::SetProperty(record.DWIMAGEFEQ, runtime::Prop::Text, kOffPicture);
  } else {
    runtime::AssignValue(record.THEFIELD, kOnValue);
    runtime::SetProperty(record.DWIMAGEFEQ, runtime::Prop::Text, "");
    runtime::SetProperty(record.DWIMAGEFEQ, runtime::Prop::Text, kOnPicture);
  }
  runtime::PutRecord(ENTRYQ);
  // The variable already holds its new value when the window handles this.
  runtime::PostEvent(runtime::Event::Accepted, record.DWFEQ, 0, 0);
}

void SliderSwitchManager::Kill() {
  std::int32_t count = runtime::RecordCount(ENTRYQ);
  for (std::int32_t position = count; position >= 1; --position) {
    runtime::GetRecordAt(ENTRYQ, position);
    if (runtime::ErrorCode() != 0) continue;
    runtime::AssignReference(Buffer(ENTRYQ).THEFIELD, runtime::kNullHandle);  // releases the record's reference
    runtime::DeleteRecord(ENTRYQ);
  }
  runtime::DisposeQueue(ENTRYQ);
  ENTRYQ = runtime::kNullHandle;
}
