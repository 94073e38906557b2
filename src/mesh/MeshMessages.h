#pragma once
// The message texts of the mesh operations, exactly as the user sees them.

#include <string>

namespace planaq::messages {

std::string SplitCapacity(int parts);  // parts: 4 or 2
std::string WellInteriorCapacity();
std::string WellCountCapacity();
std::string WellOutsideMesh();
std::string NewNodeCapacity();
std::string NewLineCapacity();
std::string NodeInsideBlock();
std::string NoTriangle();
std::string SplitProgress(int parts, int NN, int NM);
// The question before the block editor resets a refined mesh or drops wells; empty when the
// mesh is its blocks and there are no wells.
std::string BlockEditorResetQuestion(int NM, int NB, int NN, int NA, int NW);

}  // namespace planaq::messages
