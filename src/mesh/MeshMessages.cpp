#include "mesh/MeshMessages.h"

#include <cstdio>

namespace planaq::messages {

std::string SplitCapacity(int parts) {
  return std::string("Capacity exceeded\n\n") +
         "The number of nodes or elements in the problem is too large to split all elements " +
         (parts == 4 ? "into 4 elements.\n\n" : "into 2 elements.\n\n") +
         "The capacity of the program can be increased by increasing the values of NMAX and " +
         "MMAX in the main window.";
}

std::string WellInteriorCapacity() {
  return std::string("Capacity exceeded\n\n") +
         "The number of nodes and/or elements in the problem is too large to add " +
         "an interior node.\n\n" +
         "The capacity of the program can be increased by increasing the values of " +
         "NMAX and MMAX in the main window.";
}

std::string WellCountCapacity() {
  return std::string("Capacity exceeded\n\n") +
         "The number of wells can not be increased further.\n\n" +
         "The capacity of the program can be increased by increasing the value of " +
         "BMAX in the main window.";
}

std::string WellOutsideMesh() {
  return std::string("Well outside mesh\n\n") +
         "A new well must be located inside the mesh of finite elements.";
}

std::string NewNodeCapacity() {
  return std::string("Capacity exceeded\n\n") +
         "The number of nodes and/or blocks in the problem is too large to add " +
         "another node or block.\n\n" +
         "The capacity of the program can be increased by increasing the values of " +
         "NMAX and BMAX in the Installation Grid of the main window.";
}

std::string NewLineCapacity() {
  return std::string("Capacity exceeded\n\n") +
         "The number of blocks in the problem is too large to add another block.\n\n" +
         "The capacity of the program can be increased by increasing the value of " +
         "BMAX in the Installation Grid of the main window.";
}

std::string NodeInsideBlock() {
  return std::string("Node inside block\n\n") +
         "A new node must be located outside all existing blocks.";
}

std::string NoTriangle() {
  return std::string("No triangle created.\n\n") + "A new line must create a new triangular block.";
}

std::string SplitProgress(int parts, int NN, int NM) {
  char text[96];
  std::snprintf(text, sizeof text,
                parts == 4 ? "Split 4 : %d Nodes, %d Elements" : "Split 2 : %d Nodes, %d Elements",
                NN, NM);
  return text;
}

std::string BlockEditorResetQuestion(int NM, int NB, int NN, int NA, int NW) {
  const bool refined = NM != NB || NN != NA;
  if (!refined && NW <= 0) return "";
  const std::string wells = std::to_string(NW) + (NW == 1 ? " well" : " wells");
  std::string text = "Editing the blocks ";
  if (refined)
    text += "resets the mesh of " + std::to_string(NM) + " elements to its " +
            std::to_string(NB) + (NB == 1 ? " block" : " blocks") +
            (NW > 0 ? " and drops its " + wells : "");
  else
    text += "drops the " + wells + " of the mesh";
  return text + ".";
}

}  // namespace planaq::messages
