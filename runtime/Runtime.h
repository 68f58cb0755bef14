// Everything a program calls: windows, events, controls, properties, the
// message box, record queues and references.
#pragma once

#include "runtime/data/Queue.h"
#include "runtime/data/Reference.h"
#include "runtime/data/TypeDescriptor.h"
#include "runtime/events/EventLoop.h"
#include "runtime/events/EventNumber.h"
#include "runtime/system/WindowOperations.h"
#include "runtime/window/Control.h"
#include "runtime/window/ControlOperations.h"
#include "runtime/window/MessageBox.h"
#include "runtime/window/Property.h"
