#pragma once
// The hook a long drawing calls between tracing passes so that the window system can process
// pending messages. The window answers whether the figure is still wanted (false once it has
// been closed), so a trace under a closed window stops at once.

#include <string>

namespace planaq {

class PendingEvents {
 public:
  virtual ~PendingEvents() = default;
  // processes what the window system has pending; false ends the tracing early
  virtual bool Process() = 0;
  // the figure's contour legend as soon as it is known, before the pathlines are traced
  virtual void LegendChanged(const std::string& /*legend*/) {}
};

// For the command line and the tests: nothing pending, always go on.
class NoPendingEvents : public PendingEvents {
 public:
  bool Process() override { return true; }
};

}  // namespace planaq
