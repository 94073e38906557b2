// Undo of the mesh window and the block editor: the datafile after an undo is the datafile of
// before the edit, and the copy holds only the used part of the tables.

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "files/Datafile.h"
#include "mesh/Blocks.h"
#include "mesh/EditSnapshot.h"
#include "mesh/Split.h"
#include "mesh/Wells.h"

namespace planaq {
namespace {

// the initial triangle with a second block and one Split 4, so that there is a mesh
Problem Refined(Capacities caps = Capacities{}) {
  Problem p;
  p.StartUp(caps);
  PlacePendingMainNode(p, 900, 100);
  AddMainNodeAndBlock(p, 900, 100);
  SplitElements4(p);
  return p;
}

struct EditCase {
  const char* name;
  std::function<MeshOutcome(Problem&)> edit;
};

class UndoOfEdit : public ::testing::TestWithParam<EditCase> {};

TEST_P(UndoOfEdit, RestoresTheExactDatafile) {
  Problem p = Refined();
  const std::string before = FormatDatafile(p);
  EditUndo undo;
  undo.Remember(p);
  const MeshOutcome out = GetParam().edit(p);
  ASSERT_TRUE(out.Changed()) << out.message;
  undo.Keep(true);
  ASSERT_NE(FormatDatafile(p), before);
  ASSERT_TRUE(undo.Undo(p));
  EXPECT_EQ(FormatDatafile(p), before);
  EXPECT_FALSE(undo.CanUndo()) << "one level";
}

INSTANTIATE_TEST_SUITE_P(
    Edits, UndoOfEdit,
    ::testing::Values(EditCase{"Split4", [](Problem& p) { return SplitElements4(p); }},
                      EditCase{"Split2", [](Problem& p) { return SplitElements2(p); }},
                      EditCase{"WellInElement", [](Problem& p) { return AddWellAt(p, 260, 40); }},
                      EditCase{"WellAtNode", [](Problem& p) { return AddWellAt(p, 0, 0); }},
                      EditCase{"DragNode",
                               [](Problem& p) {
                                 MoveMainNode(p, 1, 40, 700);
                                 return MeshOutcome{};
                               }},
                      EditCase{"NewNode",
                               [](Problem& p) {
                                 ResetMeshToBlocks(p);
                                 PlacePendingMainNode(p, 1500, 900);
                                 return AddMainNodeAndBlock(p, 1500, 900);
                               }},
                      EditCase{"NewLine",
                               [](Problem& p) {
                                 ResetMeshToBlocks(p);
                                 return AddBlockByLine(p, 0, 3);
                               }}),
    [](const ::testing::TestParamInfo<EditCase>& info) { return info.param.name; });

// A refused edit leaves the datafile as it was, numbering included.
class RefusedEdit : public ::testing::TestWithParam<EditCase> {};

TEST_P(RefusedEdit, LeavesTheDatafileAsItWas) {
  Capacities small;
  small.NMAX = 100;
  small.MMAX = 36;
  Problem p = Refined(small);
  ASSERT_TRUE(SplitElements4(p).Changed());  // 32 elements: no room for more
  const std::string before = FormatDatafile(p);
  const MeshOutcome out = GetParam().edit(p);
  EXPECT_FALSE(out.Changed());
  EXPECT_FALSE(out.message.empty());
  EXPECT_EQ(FormatDatafile(p), before);
}

INSTANTIATE_TEST_SUITE_P(
    Refusals, RefusedEdit,
    ::testing::Values(
        EditCase{"Split4", [](Problem& p) { return SplitElements4(p); }},
        EditCase{"Split2", [](Problem& p) { return SplitElements2(p); }},
        EditCase{"WellInteriorCapacity", [](Problem& p) { return AddWellAt(p, 260, 40); }},
        EditCase{"WellOutsideMesh", [](Problem& p) { return AddWellAt(p, 1999, 999); }}),
    [](const ::testing::TestParamInfo<EditCase>& info) { return info.param.name; });

TEST(EditUndo, RefusedEditKeepsTheEarlierLevel) {
  Problem p = Refined();
  EditUndo undo;
  undo.Remember(p);
  ASSERT_TRUE(SplitElements4(p).Changed());
  undo.Keep(true);
  const std::string afterSplit = FormatDatafile(p);
  undo.Remember(p);
  ASSERT_EQ(AddWellAt(p, 1999, 999).status, MeshStatus::OutsideMesh);
  undo.Keep(false);
  EXPECT_EQ(FormatDatafile(p), afterSplit);
  ASSERT_TRUE(undo.Undo(p));
  EXPECT_EQ(p.NM, Refined().NM) << "the split is undone, not the refused well";
  EXPECT_FALSE(undo.Undo(p));
}

TEST(EditSnapshot, CopiesOnlyTheUsedPartOfTheTables) {
  Problem p = Refined();
  const EditSnapshot s = TakeEditSnapshot(p);
  EXPECT_EQ(s.nodes.size(), static_cast<std::size_t>(p.NN));
  EXPECT_EQ(s.layers.size(), static_cast<std::size_t>(p.NN));
  EXPECT_EQ(s.elements.size(), static_cast<std::size_t>(p.NM));
  EXPECT_EQ(s.blocks.size(), static_cast<std::size_t>(p.NB));
  EXPECT_EQ(s.wells.size(), 0u);
}

}  // namespace
}  // namespace planaq
