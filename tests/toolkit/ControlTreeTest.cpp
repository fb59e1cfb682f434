// Ownership, destruction order, parent-linked properties and alignment.

#include "ToolkitFixture.h"

namespace {

// Logs its destruction, and whether its owner was still a whole form at that moment.
class TProbe : public TComponent {
public:
  TProbe(TComponent* owner, TLog& log, std::string id) : TComponent(owner), FLog(log), FId(std::move(id)) {}
  ~TProbe() override { FLog.push_back(FId + (dynamic_cast<TForm*>(Owner()) ? " (owner is a form)" : " (owner gone)")); }

private:
  TLog& FLog;
  std::string FId;
};

class TProbeForm : public TForm {
public:
  TProbeForm(TComponent* owner, TLog& log) : TForm(owner), Log(log) {
    OnDestroy = [this](TObject*) { Log.push_back("OnDestroy sees " + State); };
  }
  TLog& Log;
  std::string State = "derived state";
};

TEST_F(ToolkitTest, FormRunsOnDestroyFirstThenDestroysOwnedComponentsLastFirstWhileStillAForm) {
  TLog log;
  auto* form = new TProbeForm(Application, log);
  new TProbe(form, log, "first");
  new TProbe(form, log, "second");
  Application->DestroyForms();
  EXPECT_EQ(log, (TLog{"OnDestroy sees derived state", "second (owner is a form)", "first (owner is a form)"}));
  EXPECT_EQ(Application->ComponentCount(), 0);
}

TLog* gFailingLog = nullptr;

// A form whose constructor fails after it has made a part and bound a handler.
class TFailingForm : public TForm {
public:
  explicit TFailingForm(TComponent* owner) : TForm(owner) {
    new TProbe(this, *gFailingLog, "part");
    OnDestroy = [](TObject*) { gFailingLog->push_back("OnDestroy"); };
    throw Exception("Cannot open file English\\1.rtf");
  }
};

TEST_F(ToolkitTest, AFormWhoseConstructorFailsIsNotLeftBehind) {
  TLog log;
  gFailingLog = &log;
  TFailingForm* form = nullptr;
  EXPECT_THROW(Application->CreateForm(form), Exception);
  EXPECT_EQ(form, nullptr);
  EXPECT_EQ(Application->MainForm(), nullptr);
  EXPECT_EQ(Application->ComponentCount(), 0);
  // Its parts went with it; the handler bound to the half-made form did not run.
  EXPECT_EQ(log, (TLog{"part (owner is a form)"}));
}

// A form whose constructor looks at the reference CreateForm fills in.
class TSelfAwareForm : public TForm {
public:
  static TSelfAwareForm* Instance;
  explicit TSelfAwareForm(TComponent* owner) : TForm(owner), SawItself(Instance == this) {}
  bool SawItself;
};
TSelfAwareForm* TSelfAwareForm::Instance = nullptr;

TEST_F(ToolkitTest, CreateFormSetsTheReferenceBeforeTheConstructorRunsAndTheApplicationOwnsTheForm) {
  Application->CreateForm(TSelfAwareForm::Instance);
  TSelfAwareForm* form = TSelfAwareForm::Instance;
  ASSERT_NE(form, nullptr);
  EXPECT_TRUE(form->SawItself);
  EXPECT_EQ(Application->MainForm(), form);
  EXPECT_EQ(form->Owner(), Application);
  TForm* second = nullptr;
  Application->CreateForm(second);
  EXPECT_EQ(Application->MainForm(), form) << "only the first form becomes the main form";
  Application->DestroyForms();
  EXPECT_EQ(Application->ComponentCount(), 0);
  TSelfAwareForm::Instance = nullptr;
}

TEST_F(ToolkitTest, DestroyingAWindowedControlDestroysItsChildrenAndTheirOwnersForgetThem) {
  TLog log;
  TForm* form = ShowForm();
  auto* panel = new TTestPanel(nullptr, form, Bounds(0, 0, 100, 100), clRed);
  // Owned by the form but shown on the panel.
  auto* child = new TTestGraphic(form, panel, Bounds(5, 5, 10, 10), clBlue);
  auto* probeOwner = new TComponent(nullptr);
  auto* inner = new TTestPanel(probeOwner, panel, Bounds(20, 20, 10, 10), clGreen);
  ASSERT_EQ(panel->ControlCount(), 2);
  EXPECT_EQ(child->Parent(), panel);
  EXPECT_EQ(inner->Owner(), probeOwner);
  const int owned = form->ComponentCount();
  delete panel;
  EXPECT_EQ(form->ComponentCount(), owned - 1);
  EXPECT_EQ(probeOwner->ComponentCount(), 0);
  delete probeOwner;  // must not destroy the inner panel a second time
  EXPECT_EQ(form->ControlCount(), 0);
}

TEST_F(ToolkitTest, ReparentingMovesAControlBetweenParentsAndRejectsCycles) {
  TForm* form = ShowForm();
  auto* a = new TTestPanel(form, form, Bounds(0, 0, 50, 50), clRed);
  auto* b = new TTestPanel(form, form, Bounds(60, 0, 50, 50), clRed);
  auto* g = new TTestGraphic(form, a, Bounds(1, 1, 5, 5), clBlue);
  g->SetParent(b);
  EXPECT_EQ(a->ControlCount(), 0);
  EXPECT_EQ(b->ControlCount(), 1);
  EXPECT_EQ(g->GetParentForm(), form);
  EXPECT_THROW(a->SetParent(a), Exception);
  a->SetParent(b);
  EXPECT_THROW(b->SetParent(a), Exception);
  EXPECT_EQ(b->Parent(), form);
  EXPECT_EQ(g->ClientOrigin(), (TPoint{form->ClientOrigin().X + 60 + 1, form->ClientOrigin().Y + 1}));
  EXPECT_EQ(g->ScreenToClient(g->ClientToScreen({3, 4})), (TPoint{3, 4}));
}

TEST_F(ToolkitTest, ColourFontAndHintFollowTheParentUntilSetOnTheControl) {
  TForm* form = ShowForm(200, 150, 0x123456);
  auto* panel = new TTestPanel(form, form, Bounds(0, 0, 100, 100), clRed);
  panel->SetParentColor(true);
  auto* label = new TTestGraphic(form, panel, Bounds(0, 0, 10, 10), clBlue);
  EXPECT_EQ(panel->Color(), 0x123456);
  EXPECT_EQ(label->Color(), 0x123456);
  form->SetColor(0x654321);
  EXPECT_EQ(label->Color(), 0x654321);
  label->SetColor(clLime);
  EXPECT_FALSE(label->ParentColor());
  form->SetColor(clWhite);
  EXPECT_EQ(panel->Color(), clWhite);
  EXPECT_EQ(label->Color(), clLime);

  form->Font().SetHeight(-19);
  EXPECT_EQ(panel->Font().Height(), -19);
  EXPECT_EQ(label->Font().Height(), -19);
  label->Font().SetColor(clRed);
  EXPECT_FALSE(label->ParentFont());
  form->Font().SetHeight(-30);
  EXPECT_EQ(panel->Font().Height(), -30);
  EXPECT_EQ(label->Font().Height(), -19);

  form->SetShowHint(true);
  EXPECT_TRUE(label->ShowHint());
  panel->SetShowHint(false);
  EXPECT_FALSE(label->ShowHint());
  EXPECT_TRUE(form->ShowHint());
}

TEST_F(ToolkitTest, AlignedChildrenShareTheClientAreaAndFollowResizes) {
  TForm* form = ShowForm(300, 200);
  auto* top = new TTestPanel(form, form, Bounds(0, 0, 10, 30), clRed);
  auto* left = new TTestPanel(form, form, Bounds(0, 0, 40, 10), clRed);
  auto* client = new TTestPanel(form, form, Bounds(0, 0, 1, 1), clRed);
  auto* bottom = new TTestPanel(form, form, Bounds(0, 0, 10, 20), clRed);
  top->SetAlign(alTop);
  left->SetAlign(alLeft);
  client->SetAlign(alClient);
  bottom->SetAlign(alBottom);
  EXPECT_EQ(top->BoundsRect(), Bounds(0, 0, 300, 30));
  EXPECT_EQ(bottom->BoundsRect(), Bounds(0, 180, 300, 20));
  EXPECT_EQ(left->BoundsRect(), Bounds(0, 30, 40, 150));
  EXPECT_EQ(client->BoundsRect(), Bounds(40, 30, 260, 150));
  // Inside a control the children follow its size.
  auto* inner = new TTestPanel(form, client, Bounds(5, 5, 5, 5), clRed);
  inner->SetAlign(alClient);
  EXPECT_EQ(inner->BoundsRect(), Bounds(0, 0, 260, 150));
  top->Hide();
  EXPECT_EQ(client->BoundsRect(), Bounds(40, 0, 260, 180));
  EXPECT_EQ(inner->BoundsRect(), Bounds(0, 0, 260, 180));
}

}  // namespace
