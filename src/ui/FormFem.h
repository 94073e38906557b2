#pragma once
// The main window. It owns the one Problem and hands it by reference to every window and core
// operation; it starts every command from its toolbar and menu, keeps the open-state of each
// secondary window, and shows what the core returns (texts of failures in message boxes,
// progress of Solve in its grid). It holds no numerical logic of its own.

#include <QMainWindow>
#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include "model/Problem.h"
#include "observe/Observations.h"
#include "print/PrintJob.h"
#include "ui/Dialogs.h"
#include "ui/widgets/Glyphs.h"
#include "ui/widgets/LayerSelector.h"
#include "ui/RememberedGeoreference.h"

class QFrame;
class QLabel;
class QToolBar;
class QToolButton;
class QAction;
class QPlainTextEdit;

namespace planaq::ui {

class StringGrid;
class SecondaryForm;
class TFormOpt;
class TFormBalance;
class TFormObservations;
class TFormScatter;
class TFormFit;
class TFormExportMap;

// The secondary windows in the order in which close-all visits them.
enum class Win { Options, Nodes, Elements, Mesh, Edit, Soils, Contours, Graph3D, Manual, Wells,
                 Particles };
constexpr int kWindowCount = 11;

class TFormFem : public QMainWindow {
  Q_OBJECT

 public:
  // workDir: the folder of "PLANAQ.txt" and where the datafile dialogs start.
  TFormFem(Dialogs& dialogs, std::string workDir, QWidget* parent = nullptr);
  ~TFormFem() override;

  Problem& problem() { return problem_; }
  bool IsOpen(Win w) const { return open_[static_cast<int>(w)]; }
  SecondaryForm* Window(Win w) const { return windows_[static_cast<int>(w)]; }
  TFormOpt* FormOpt() const;
  TFormBalance* FormBalance() const { return formBalance_; }
  const FileDialogSetup& OpenSetup() const { return openSetup_; }
  const FileDialogSetup& SaveSetup() const { return saveSetup_; }
  PrintState& printState() { return printState_; }
  int Cycles() const { return cycles_; }
  // the cell selection shared by the data grids (column, row)
  std::pair<int, int> GridSelection() const { return gridSelection_; }
  // the layer (0-based) of every window that shows one layer; they all read and set this one
  int CurrentLayer() const { return currentLayer_.Value(); }
  // What Quit does once the tables are released; the program ends its event loop.
  void OnQuit(std::function<void()> handler) { onQuit_ = std::move(handler); }

  // commands of the toolbar and menu
  void SpeedButtonOpenClick();
  // `planaq FILE.aqd`: the file opened as Open would, the file dialogs then start in its folder
  void OpenFromCommandLine(const std::string& path);
  void SpeedButtonNewClick();
  void SpeedButtonEditClick();
  void SpeedButtonSaveClick();
  void Print1Click();
  // beyond the written commands: the problem as GIS layers, in its dialog
  void ExportMap1Click();
  TFormExportMap* FormExportMap() const { return formExportMap_; }
  void SpeedButtonOptionsClick();
  void SpeedButtonSoilsClick();
  void SpeedButtonNodesClick();
  void SpeedButtonElementsClick();
  void SpeedButtonMeshClick();
  void SpeedButtonWellsClick();
  void SpeedButtonParticlesClick();
  void SpeedButtonCalcClick();
  // the balance of the problem as it is, in its window
  void WaterBalance1Click();
  // beyond the written commands: observed heads, their figure and the fit to them
  void Observations1Click();
  void Scatter1Click();
  void Fit1Click();
  const ObservationSet& observations() const { return observations_; }
  TFormObservations* FormObservations() const { return formObservations_; }
  TFormScatter* FormScatter() const { return formScatter_; }
  TFormFit* FormFit() const { return formFit_; }
  void SpeedButtonContoursClick();
  void SpeedButton3DClick();
  void SpeedButtonManualClick();
  void SpeedButtonHelpClick();
  void About1Click();
  void Quit1Click();
  // the menu items that only run while their button is enabled
  void Nodes1Click();
  void Elements1Click();
  void Mesh1Click();
  void Wells1Click();
  void Particles1Click();
  void GeneralHelpClick();
  void InstallationHelpClick();

  void StartUp();
  void CloseAll();
  // both grids from the model, the data commands enabled
  void Refresh();
  // what every repaint of the main window does
  void FormPaint();
  // leaving the Installation Grid: its current row is checked, then the file is written
  void InstallationGridExit();

  // Unsaved edits: the datafile text of the problem differs from the text it had at the last
  // start-up, New, Open or Save (compared by length and hash, computed when asked).
  bool HasUnsavedEdits() const;
  // "PLANAQ - Data1.aqd", marked while there are unsaved edits
  void UpdateTitle();

 protected:
  void showEvent(QShowEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void BuildToolbar();
  void BuildMenu();
  void BuildPanels();
  void CreateWindows();
  void PlaceOnScreen();
  void LayOut();
  QToolButton* AddButton(const char* name, const char* hint, Glyph glyph,
                         void (TFormFem::*command)());
  QAction* AddMenuItem(QWidget* menu, const char* name, const char* caption,
                       void (TFormFem::*command)());
  QFrame* NoticePanel(const char* name, const char* caption, bool red);
  void ShowNotice(QWidget* panel);
  void BuildBalancePanel();
  // the balance after a Solve, in the notice area until a command may change the problem
  void ShowBalanceNotice();
  void PlaceBalanceNotice();
  void ForgetBalance();
  static bool KeepsBalance(void (TFormFem::*command)());
  void BuildObservations();
  void ObservationsChanged();
  void CloseObservationWindows();
  void ForgetObservations();
  // the side file NAME.aqd.obs of the datafile
  void OpenObservationsBeside(const std::string& datafile);
  void SaveObservationsBeside(const std::string& datafile);
  // the side file NAME.aqd.geo of the datafile
  void OpenGeoreferenceBeside(const std::string& datafile);

  void Toggle(Win w);
  void Close(Win w);
  void CloseList(std::initializer_list<Win> list);
  void EnableDataCommands(bool enabled);
  // what Open does with the path chosen
  void OpenDatafile(const std::string& path);
  void RefreshGeneralGrid(bool onlyChanged);
  // the grid from the problem, unless the user is in the middle of an entry
  void RefreshInstallationGrid();
  void ShowInstallationValues();

  bool GeneralGridSelectCell(int col, int row);
  bool InstallationGridSelectCell(int col, int row);
  // Returns false when the entry was refused and nothing changed.
  bool CheckInstallationCell();
  void ResetNewParticles();
  void SaveInstallationData();
  // what a checked Installation cell changes, against the name and capacities before it
  void ApplyInstallation(const std::string& user, const Capacities& before);
  // the datafile text as it is now the one without unsaved edits
  void MarkSaved();
  // Before New, Open or Quit: true when nothing unsaved would be lost, or the user saved or
  // discarded it; false when the user cancelled (or the save did not happen).
  bool AskBeforeDropping();

  Dialogs& dialogs_;
  const std::string workDir_;
  Problem problem_;
  PrintState printState_;
  FileDialogSetup openSetup_;
  FileDialogSetup saveSetup_;
  std::string installationFile_ = "PLANAQ.txt";
  int cycles_ = 6;
  std::pair<int, int> gridSelection_{1, 1};
  // exits from the coordinate fields of the mesh window and the block editor, counted together
  int coordinateExits_ = 0;
  SharedLayer currentLayer_;
  std::function<void()> onQuit_;
  std::uint64_t savedFingerprint_ = 0;  // of the problem as last opened, saved or started
  bool quitting_ = false;  // the tables are released: nothing may read them any more

  std::array<bool, kWindowCount> open_{};
  std::array<SecondaryForm*, kWindowCount> windows_{};
  std::array<std::string, 12> shownGeneral_;

  QToolBar* toolbar_ = nullptr;
  QToolButton* SpeedButtonNodes = nullptr;
  QToolButton* SpeedButtonElements = nullptr;
  QToolButton* SpeedButtonMesh = nullptr;
  QToolButton* SpeedButtonSave = nullptr;
  QToolButton* SpeedButtonPrint = nullptr;
  QToolButton* SpeedButtonWells = nullptr;
  QToolButton* SpeedButtonParticles = nullptr;
  QWidget* central_ = nullptr;
  QFrame* PanelInstallation = nullptr;
  QFrame* PanelGeneral = nullptr;
  StringGrid* InstallationGrid = nullptr;
  StringGrid* GeneralGrid = nullptr;
  QFrame* ProgressPanel = nullptr;
  QLabel* ProgressLabel = nullptr;
  StringGrid* ProgressGrid = nullptr;
  QFrame* PanelRead = nullptr;
  QFrame* PanelSave = nullptr;
  QFrame* PanelWait = nullptr;
  QFrame* PanelWarning = nullptr;
  QFrame* PanelBalance = nullptr;
  QPlainTextEdit* BalanceText = nullptr;
  QAction* WaterBalance1 = nullptr;
  TFormBalance* formBalance_ = nullptr;
  ObservationSet observations_;
  std::string savedObservations_;  // the side file's text as last opened or saved
  bool sideFileUnread_ = false;    // the side file could not be read: it is not overwritten
  TFormObservations* formObservations_ = nullptr;
  TFormScatter* formScatter_ = nullptr;
  TFormFit* formFit_ = nullptr;
  TFormExportMap* formExportMap_ = nullptr;
  RememberedGeoreference georeference_;
  bool installationEditing_ = false;  // checking or saving the installation data
  QMetaObject::Connection focusWatch_;

};

}  // namespace planaq::ui
