#pragma once
// Work a command leaves to run once it has returned, as the keys it stands for would be handled:
// in the order it was left, through the window's message queue, whatever keys the user holds.

#include <functional>

namespace wendrill {

class AfterCommand {
  public:
    virtual void post(std::function<void()> work) = 0;

  protected:
    ~AfterCommand() = default;
};

}  // namespace wendrill
