#pragma once
// A command that runs short of memory ends with "Not enough memory for ..." instead of ending
// the program; what it changed before it ran short is for the caller to put back.

#include <new>
#include <string>

#include "ui/Dialogs.h"

namespace planaq::ui {

inline std::string NotEnoughMemory(const std::string& what) {
  return "Not enough memory for " + what + ".";
}

// Runs the command; false, after the message, when it ran out of memory.
template <class Command>
bool WithinMemory(Dialogs& dialogs, const std::string& what, Command&& command) {
  try {
    command();
    return true;
  } catch (const std::bad_alloc&) {
    dialogs.Message(NotEnoughMemory(what));
    return false;
  }
}

}  // namespace planaq::ui
