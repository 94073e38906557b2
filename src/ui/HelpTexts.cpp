#include "ui/HelpTexts.h"

namespace planaq::ui {

std::string HelpText() {
  std::string text =
      "PLANAQ is a program for the analysis of steady plane groundwater flow in a layered "
      "aquifer, "
      "using the finite element method.  "
      "The finite element mesh consists of triangular blocks, in which the soil properties are "
      "constant.  "
      "Each block can be subdivided into a large number of small triangular elements.\n"
      "List of Commands :\n"
      "- Open : Open existing datafile,\n"
      "- New : Generate a new datafile, from a single triangular block,\n"
      "- Edit : Show blocks, ready for editing,\n"
      "- Save : Save datafile,\n"
      "- Print : Print data, using Options,\n"
      "- Options : Print options and 3D-Graph options,\n"
      "- Properties : Soil properties in blocks,\n"
      "- Nodes : Show data of nodes, ready for editing,\n"
      "- Elements : Show data of elements, ready for editing,\n"
      "- Mesh : Show mesh of finite elements on the screen,\n"
      "- Wells : Show data of wells on the screen,\n"
      "- Particles : Show initial data of particles on the screen,\n"
      "- Solve : Solve finite element equations,\n"
      "- Contours : Show contours of groundwater head,\n"
      "- 3D-Graph : Show a 3D graph of the groundwater head, using Options,\n"
      "- Manual : Show a manual of the program,\n"
      "- Help : Show this information,\n"
      "- Quit : Exit program.\n"
      "All editing of data is performed using two-dimensional grids of data.  Navigation "
      "through the grids can "
      "be done by using the arrow keys (up, down, left and right), the TAB button or the ENTER "
      "button.\n";
  text += std::string(118, '-') + "\n";
  text +=
      "PLANAQ is free to use, copy and distribute for any purpose, without warranty of any "
      "kind.\n"
      "Problems are kept in datafiles (*.aqd); the installation data in PLANAQ.txt.";
  return text;
}

std::string GeneralDataHelpText() {
  return "General Data\n\n"
         "To be modified during execution of the program :\n\n"
         "- File Name : Name of datafile for storage,\n"
         "- NA : Number of main nodes (forming blocks),\n"
         "- NB : Number of blocks,\n"
         "- NW : Number of wells,\n"
         "- NN : Number of nodes (forming elements),\n"
         "- NM : Number of elements,\n\n"
         "To be modified by the user when defining a problem :\n\n"
         "- Problem Name : Identification of problem,\n"
         "- LX : Size of problem area in x-direction (m),\n"
         "      all x-coordinates are between 0 and LX,\n"
         "- LY : Size of problem area in y-direction (m).\n"
         "      all y-coordinates are between 0 and LY,\n"
         "- NL : Number of layers,\n"
         "- NP : Number particles in particle tracking,\n"
         "- TM : Time between marks in particle tracking (d).\n";
}

std::string InstallationDataHelpText() {
  return "Installation Data\n\n"
         "- User Name : Identification of user of this program,\n"
         "- BMAX : Maximum number of blocks (also maximum number of wells),\n"
         "- NMAX : Maximum number of nodes,\n"
         "- MMAX : Maximum number of elements.\n"
         "- PMAX : Maximum number of particles for particle tracking.\n\n"
         "These data are stored in the file PLANAQ.txt, which is read and saved automatically.";
}

std::string AboutText() { return "PLANAQ, plane groundwater flow in layered aquifers, January 2004"; }

}  // namespace planaq::ui
