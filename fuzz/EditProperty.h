#pragma once
// What must hold after any sequence of accepted edits: the problem saves, unless two of its
// nodes have come closer than the file's millimetre (which Save refuses with its message), and
// the saved file reads back to the same problem, so that saving it again gives the same text.

#include <cstdint>
#include <string>

#include "files/Datafile.h"
#include "files/Tokens.h"
#include "mesh/Blocks.h"
#include "mesh/Split.h"
#include "mesh/Wells.h"
#include "ui/GeneralData.h"

namespace planaq::fuzz {

// The edits are read from the bytes: an operation code, then what the operation takes.
class EditBytes {
 public:
  explicit EditBytes(const std::string& bytes) : bytes_(bytes) {}
  bool empty() const { return at_ >= bytes_.size(); }
  int Byte() { return empty() ? 0 : static_cast<unsigned char>(bytes_[at_++]); }
  int Index(int count) { return count > 0 ? Byte() % count : 0; }
  // A text up to the next ';' as a user would type it: digits, signs, exponents, anything.
  std::string Text() {
    std::string t;
    while (!empty() && bytes_[at_] != ';') t += bytes_[at_++];
    if (!empty()) ++at_;
    return t;
  }

 private:
  const std::string& bytes_;
  std::size_t at_ = 0;
};

// A real typed into a data cell: stored only when the value rule accepts it.
inline void TypeReal(double& stored, const std::string& text) {
  LeadingStorableReal(text, stored);
}

// The block editor works on the blocks alone: its drawing, before every action, and its Close
// reset the mesh to the blocks.
inline void InBlockEditor(Problem& p, EditBytes& in, int action) {
  ResetMeshToBlocks(p);
  if (action == 0) {
    const int n = in.Index(p.NA);
    const double x = ReadCoordinateField(in.Text(), p.LX);
    MoveMainNode(p, n, x, ReadCoordinateField(in.Text(), p.LY));
  } else if (action == 1) {
    const double x = ReadCoordinateField(in.Text(), p.LX);
    const double y = ReadCoordinateField(in.Text(), p.LY);
    PlacePendingMainNode(p, x, y);
    AddMainNodeAndBlock(p, x, y);
  } else {
    const int s = in.Index(p.NA);
    AddBlockByLine(p, s, in.Index(p.NA));
  }
  ResetMeshToBlocks(p);
}

inline void EditOnce(Problem& p, EditBytes& in) {
  const int L = in.Index(p.NL);
  switch (in.Byte() % 12) {
    case 0: SplitElements4(p); break;
    case 1: SplitElements2(p); break;
    case 2: {
      const double x = ReadCoordinateField(in.Text(), p.LX);
      const double y = ReadCoordinateField(in.Text(), p.LY);
      if (CheckWellCapacity(p).Changed()) AddWellAt(p, x, y);
      break;
    }
    case 3: InBlockEditor(p, in, 0); break;
    case 4: InBlockEditor(p, in, 1); break;
    case 5: InBlockEditor(p, in, 2); break;
    case 6: ResetMeshToBlocks(p); break;
    case 7: {
      static const int kRows[] = {ui::kRowLX, ui::kRowLY, ui::kRowNL, ui::kRowNP, ui::kRowTM};
      ui::CheckGeneralRow(p, kRows[in.Index(5)], in.Text());
      break;
    }
    case 8: {
      NodeLayers& l = p.layers[in.Index(p.NN)];
      double* fields[] = {&l.B[L], &l.T[L], &l.F[L], &l.Q[L]};
      TypeReal(*fields[in.Index(4)], in.Text());
      break;
    }
    case 9: {
      Soil& s = p.soils[in.Index(p.NB)];
      double* fields[] = {&s.K[L], &s.P[L], &s.R[L], &s.KA[L], &s.PA[L], &s.RA[L], &s.I};
      TypeReal(*fields[in.Index(7)], in.Text());
      break;
    }
    case 10:
      if (p.NW > 0) TypeReal(p.wells[in.Index(p.NW)].Q, in.Text());
      break;
    default:
      if (p.NP > 0) {
        Particle& q = p.particles[in.Index(p.NP)];
        double* fields[] = {&q.X0, &q.Y0, &q.Z0};
        TypeReal(*fields[in.Index(3)], in.Text());
      }
      break;
  }
}

inline std::string ReadBack(Problem& into, const std::string& text) {
  std::FILE* f = text.empty() ? std::tmpfile() : fmemopen(const_cast<char*>(text.data()), text.size(), "rb");
  if (!f) return "";
  const Outcome read = ReadDatafileFrom(into, f);
  std::fclose(f);
  return read.ok ? "" : read.message;
}

// Returns an empty string when the property holds, else what went wrong.
inline std::string CheckEditBytes(const std::string& bytes) {
  const Capacities caps{20, 400, 800, 20};
  Problem p;
  p.StartUp(caps);
  EditBytes in(bytes);
  for (int edits = 0; edits < 64 && !in.empty(); ++edits) EditOnce(p, in);
  const std::string refused = CheckWritable(p);
  if (!refused.empty())
    return refused.find("would both be written at") != std::string::npos ? "" : refused;
  const std::string first = FormatDatafile(p);
  Problem again;
  again.StartUp(caps);
  const std::string failed = ReadBack(again, first);
  if (!failed.empty()) return "a saved problem was refused: " + failed;
  if (FormatDatafile(again) != first) return "a saved problem reads back differently";
  return "";
}

}  // namespace planaq::fuzz
