#pragma once
// The texts of the main window's help buttons and of the about line.

#include <string>

namespace planaq::ui {

std::string HelpText();
std::string GeneralDataHelpText();
std::string InstallationDataHelpText();
std::string AboutText();

}  // namespace planaq::ui
