// The undo buffers: one level with redo, many levels, the undo action's caption and
// state, and flushing.

#include "library/LibraryFixture.h"
#include "storage/TUndoMultiBuffer.h"
#include "storage/TUndoSingleBuffer.h"
#include "toolkit/stdctrls/TAction.h"

JActionData* MakeTypeData(JAction* action, const std::string& text);

namespace {

class UndoTest : public LibraryTest {
protected:
  void SetUp() override {
    LibraryTest::SetUp();
    Form = Read(R"(object F: TLibraryForm
  object Typing: JAction
    Caption = 'Typing'
    OnDo = TypeDo
  end
  object Pasting: JAction
    Caption = 'Paste'
    OnDo = TypeDo
  end
  object UndoCommand: TAction
    Caption = 'Undo'
    Enabled = False
  end
  object Single: TUndoSingleBuffer
    UndoAction = UndoCommand
  end
  object Multi: TUndoMultiBuffer
    UndoAction = UndoCommand
  end
end
)");
    Typing = Form->Find<JAction>("Typing");
    Pasting = Form->Find<JAction>("Pasting");
    Command = Form->Find<TAction>("UndoCommand");
    Single = Form->Find<TUndoSingleBuffer>("Single");
    Multi = Form->Find<TUndoMultiBuffer>("Multi");
  }
  // Runs a fresh record through a buffer; the record stays ours.
  template <class B>
  JActionData* Do(B& buffer, JAction* action, const std::string& text) {
    std::unique_ptr<JActionData> record(MakeTypeData(action, text));
    return buffer.Do(record.get());
  }

  TLibraryForm* Form = nullptr;
  JAction *Typing = nullptr, *Pasting = nullptr;
  TAction* Command = nullptr;
  TUndoSingleBuffer* Single = nullptr;
  TUndoMultiBuffer* Multi = nullptr;
};

TEST_F(UndoTest, SingleBufferDoesUndoesAndRedoes) {
  ASSERT_TRUE(Single && Command && Typing);
  EXPECT_FALSE(Single->GetCanUndo());
  Single->Undo();  // nothing to undo
  EXPECT_EQ(Form->Document, "");

  EXPECT_NE(Do(*Single, Typing, "abc"), nullptr);
  EXPECT_EQ(Form->Document, "abc");
  EXPECT_TRUE(Single->GetCanUndo());
  EXPECT_EQ(Command->Caption(), "Typing");
  EXPECT_TRUE(Command->Enabled());

  Do(*Single, Pasting, "de");
  EXPECT_EQ(Command->Caption(), "Paste");
  Single->Undo();  // only the last edit is kept
  EXPECT_EQ(Form->Document, "abc");
  Single->Undo();  // the reversal of the reversal: redo
  EXPECT_EQ(Form->Document, "abcde");
  Single->Undo();
  EXPECT_EQ(Form->Document, "abc");
  EXPECT_EQ(Command->Caption(), "Paste");
}

TEST_F(UndoTest, MultiBufferUndoesInReverseUntilItCannot) {
  ASSERT_TRUE(Multi);
  Do(*Multi, Typing, "a");
  Do(*Multi, Pasting, "bb");
  Do(*Multi, Typing, "c");
  EXPECT_EQ(Form->Document, "abbc");
  EXPECT_EQ(Multi->Depth(), 3u);
  Multi->Undo();
  EXPECT_EQ(Form->Document, "abb");
  EXPECT_EQ(Command->Caption(), "Typing");
  Multi->Undo();
  EXPECT_EQ(Form->Document, "a");
  EXPECT_EQ(Command->Caption(), "Paste");
  EXPECT_TRUE(Command->Enabled());
  Multi->Undo();
  EXPECT_EQ(Form->Document, "");
  EXPECT_EQ(Command->Caption(), "Can't undo");
  EXPECT_FALSE(Command->Enabled());
  EXPECT_FALSE(Multi->GetCanUndo());
  Multi->Undo();  // a fourth does nothing
  EXPECT_EQ(Form->Document, "");
}

TEST_F(UndoTest, FlushEmptiesWithoutTouchingTheAction) {
  Do(*Multi, Typing, "a");
  Do(*Multi, Typing, "b");
  Multi->Flush();
  EXPECT_FALSE(Multi->GetCanUndo());
  EXPECT_EQ(Command->Caption(), "Typing");
  EXPECT_TRUE(Command->Enabled());
}

TEST_F(UndoTest, EditsWithoutReversalLeaveNothingToUndo) {
  JAction once(nullptr);
  once.Caption = "Print";
  int printed = 0;
  once.OnDo = [&](JActionData*, pJActionData) { ++printed; };
  JActionData record(&once);
  Do(*Multi, Typing, "a");
  EXPECT_EQ(Multi->Do(&record), nullptr);
  EXPECT_EQ(Multi->Depth(), 1u);  // nothing pushed
  Multi->Undo();
  EXPECT_EQ(Form->Document, "");
  EXPECT_EQ(printed, 1);

  Do(*Single, Typing, "x");
  Single->Do(&record);
  EXPECT_FALSE(Single->GetCanUndo());
}

TEST_F(UndoTest, BuffersWorkWithoutAnUndoActionAndReportMissingHandlers) {
  TUndoMultiBuffer bare(nullptr);
  Do(bare, Typing, "q");
  bare.Undo();
  EXPECT_EQ(Form->Document, "");
  JAction silent(nullptr);
  JActionData record(&silent);
  EXPECT_THROW(bare.Do(&record), Exception);
  EXPECT_FALSE(bare.GetCanUndo());
  // A failing handler leaves the single buffer's kept record in place.
  Do(*Single, Typing, "k");
  Typing->OnDo = [](JActionData*, pJActionData) { throw Exception("disk full"); };
  EXPECT_THROW(Single->Undo(), Exception);
  EXPECT_TRUE(Single->GetCanUndo());
}

TEST_F(UndoTest, ADestroyedUndoActionIsForgotten) {
  delete Command;
  Do(*Multi, Typing, "a");
  Multi->Undo();
  EXPECT_EQ(Multi->GetUndoAction(), nullptr);
  EXPECT_EQ(Single->GetUndoAction(), nullptr);
}

}  // namespace
