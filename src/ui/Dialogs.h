#pragma once
// The one door to modal things: message boxes, the datafile dialogs and the print dialog.
// The program uses the Qt implementation; tests install a scripted one, so nothing a test
// drives ever waits for a person.

#include <optional>
#include <string>

class QPrinter;

namespace planaq::ui {

// What a datafile dialog starts from.
struct FileDialogSetup {
  std::string filter = "AQD(*.aqd)|*.aqd";
  std::string defaultExt = "*.aqd";
  std::string initialDir;
  std::string fileName = "Data1.aqd";
};

// The answer to the question before unsaved edits would be dropped.
enum class SaveChoice { Save, Discard, Cancel };

class Dialogs {
 public:
  virtual ~Dialogs() = default;
  virtual void Message(const std::string& text) = 0;
  // the chosen path, or nothing when the user cancelled
  virtual std::optional<std::string> OpenFile(const FileDialogSetup& setup) = 0;
  virtual std::optional<std::string> SaveFile(const FileDialogSetup& setup) = 0;
  // the print dialog on printer; false when the user cancelled
  virtual bool Print(QPrinter& printer) = 0;
  // the question with the buttons Save, Discard and Cancel
  virtual SaveChoice AskSave(const std::string& text) = 0;
  // a question with OK and Cancel; true for OK
  virtual bool Confirm(const std::string& text) = 0;
};

// "AQD(*.aqd)|*.aqd" as a Qt name filter: "AQD (*.aqd)".
std::string QtNameFilter(const std::string& filter);
// The path with the default extension added when its base name has none.
std::string WithDefaultExtension(const std::string& path, const std::string& defaultExt);

}  // namespace planaq::ui
