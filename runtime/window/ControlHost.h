// What a control may ask of the window that holds it.
#pragma once

#include "runtime/paint/Geometry.h"

namespace runtime {

class ModuleList;

class ControlHost {
 public:
  virtual ~ControlHost() = default;
  // Queues an event for one of the window's controls, behind the waiting ones.
  virtual void Post(int event, int control) = 0;
  // Marks part of the client area (client coordinates) for repainting.
  virtual void Invalidate(Rect area) = 0;
  // The modules that pictures are looked up in.
  virtual const ModuleList& Modules() const = 0;
};

}  // namespace runtime
