#include <gtest/gtest.h>

#include "document/undo_track.h"
#include "tests/support/fault_capture.h"

namespace qv {
namespace {

TEST(UndoTrack, ResetThenOneActionUndoAndRedo) {
    LeFile lf;
    UndoTrack utrack;
    EXPECT_EQ(utrack.pf, -1);
    utrack.Reset(lf);
    EXPECT_EQ(utrack.undoes, 0);
    EXPECT_EQ(utrack.redoes, 0);
    EXPECT_EQ(utrack.pf, 0);

    lf.AddObj(0);
    utrack.Track(lf);
    EXPECT_EQ(utrack.undoes, 1);
    EXPECT_EQ(utrack.redoes, 0);
    EXPECT_EQ(utrack.pf, 1);

    utrack.Undo(lf);
    EXPECT_EQ(lf.objs, 0);
    EXPECT_EQ(utrack.undoes, 0);
    EXPECT_EQ(utrack.redoes, 1);
    EXPECT_EQ(utrack.pf, 0);

    utrack.Redo(lf);
    EXPECT_EQ(lf.objs, 1);
    EXPECT_EQ(lf.cur, 0);
    EXPECT_EQ(utrack.undoes, 1);
    EXPECT_EQ(utrack.redoes, 0);
}

TEST(UndoTrack, TheRingKeepsNinetyNineStepsBack) {
    LeFile lf;
    UndoTrack utrack;
    utrack.Reset(lf);
    for (int n = 0; n < 150; ++n) {
        lf.bgc.h = static_cast<float>(n);
        utrack.Track(lf);
    }
    EXPECT_EQ(utrack.undoes, 99);
    EXPECT_EQ(utrack.pf, 50);
    for (int n = 0; n < 99; ++n) utrack.Undo(lf);
    EXPECT_EQ(utrack.undoes, 0);
    EXPECT_EQ(utrack.redoes, 99);
    EXPECT_EQ(lf.bgc.h, 50.0f);  // the oldest state still held: step 51 of 150

    test::FaultCapture capture;
    utrack.Undo(lf);  // the menu keeps this unreachable; it must still change nothing
    ASSERT_EQ(capture.faults.size(), 1u);
    EXPECT_EQ(capture.FailedExpression(), "undoes>0");
    EXPECT_EQ(lf.bgc.h, 50.0f);
    EXPECT_EQ(utrack.undoes, 0);
}

TEST(UndoTrack, ANewActionClearsTheRedoHistory) {
    LeFile lf;
    UndoTrack utrack;
    utrack.Reset(lf);
    for (int n = 1; n <= 3; ++n) {
        lf.bgc.l = static_cast<float>(n);
        utrack.Track(lf);
    }
    utrack.Undo(lf);
    utrack.Undo(lf);
    EXPECT_EQ(utrack.redoes, 2);
    lf.bgc.l = 77;
    utrack.Track(lf);
    EXPECT_EQ(utrack.redoes, 0);
    test::FaultCapture capture;
    utrack.Redo(lf);
    EXPECT_EQ(capture.FailedExpression(), "redoes>0");
    EXPECT_EQ(lf.bgc.l, 77.0f);
}

TEST(UndoTrack, UndoAfterDuplicateRestoresTheOriginalSelection) {
    LeFile lf;
    UndoTrack utrack;
    lf.AddObj(0);
    lf.AddObj(1);
    lf.SetCurObj(0);
    utrack.Reset(lf);
    lf.DuplicateCur();
    utrack.Track(lf);
    EXPECT_EQ(lf.objs, 3);
    EXPECT_EQ(lf.cur, 2);
    utrack.Undo(lf);
    EXPECT_EQ(lf.objs, 2);
    EXPECT_EQ(lf.cur, 0);
}

TEST(UndoTrack, SnapshotsAreIndependentOfTheLiveDocument) {
    LeFile lf;
    UndoTrack utrack;
    lf.AddObj(0);
    utrack.Reset(lf);
    lf.GetObj(0)->lt.str = "edited";
    utrack.Track(lf);
    lf.GetObj(0)->lt.str = "edited again, not tracked";
    utrack.Undo(lf);
    EXPECT_EQ(lf.GetObj(0)->lt.str, "New Text");
    utrack.Redo(lf);
    EXPECT_EQ(lf.GetObj(0)->lt.str, "edited");
}

// A bar's Cancel records the edited state and steps back, so Redo can bring the edit back.
TEST(UndoTrack, CancelAsTrackThenUndo) {
    LeFile lf;
    UndoTrack utrack;
    lf.AddObj(0);
    utrack.Reset(lf);
    lf.GetObj(0)->lt.shadow = 1;
    utrack.Track(lf);
    utrack.Undo(lf);
    EXPECT_EQ(lf.GetObj(0)->lt.shadow, 0);
    EXPECT_EQ(utrack.redoes, 1);
    utrack.Redo(lf);
    EXPECT_EQ(lf.GetObj(0)->lt.shadow, 1);
}

}  // namespace
}  // namespace qv
