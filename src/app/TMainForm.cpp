#include "app/TMainForm.h"

#include "toolkit/ClassRegistry.h"
#include "toolkit/LayoutReader.h"
#include "toolkit/TApplication.h"
#include "toolkit/TLabel.h"
#include "toolkit/TPageControl.h"
#include "toolkit/TPanel.h"
#include "toolkit/TTabSheet.h"
#include "toolkit/TTimer.h"

TMainForm* MainForm = nullptr;

void TMainForm::RegisterClass() {
  static bool registered = false;
  if (registered) return;
  registered = true;
  RegisterStandardClasses();
  ClassRegistry().Register<TMainForm>("TMainForm", "TForm");
}

TMainForm::TMainForm(TComponent* owner) : TForm(owner) {
  RegisterClass();
  PublishHandlers();
  // The inherited construction: every component of the layout, then the create event.
  ReadLayoutResource(this, "TMainForm");
  BindComponents();
  DoCreate();
  ActiveGame = 0;
}

TMainForm::~TMainForm() {
  if (MainForm == this) MainForm = nullptr;
}

void TMainForm::PublishHandlers() {
  PublishMethod("FormCreate", this, &TMainForm::FormCreate);
  PublishMethod("FormDestroy", this, &TMainForm::FormDestroy);
  PublishMethod("FormKeyPress", this, &TMainForm::FormKeyPress);
  PublishMethod("ExitBtnClick", this, &TMainForm::ExitBtnClick);
  PublishMethod("BackBtnClick", this, &TMainForm::BackBtnClick);
  PublishMethod("NextBtnClick", this, &TMainForm::NextBtnClick);
  PublishMethod("PageControl1Change", this, &TMainForm::PageControl1Change);
  PublishMethod("PageControl1Changing", this, &TMainForm::PageControl1Changing);
  PublishMethod("PageControl1DrawTab", this, &TMainForm::PageControl1DrawTab);
  PublishMethod("IdleTimerTimer", this, &TMainForm::IdleTimerTimer);
}

template <class T>
T* TMainForm::Bind(const char* name) {
  T* found = dynamic_cast<T*>(FindComponent(name));
  if (!found) throw Exception(Format("The window layout has no %s", name));
  return found;
}

void TMainForm::BindComponents() {
  Panel1 = Bind<TPanel>("Panel1");
  PageControl1 = Bind<TPageControl>("PageControl1");
  ConfigSheet = Bind<TTabSheet>("ConfigSheet");
  IntroSheet = Bind<TTabSheet>("IntroSheet");
  OverviewSheet = Bind<TTabSheet>("OverviewSheet");
  HoldSheet = Bind<TTabSheet>("HoldSheet");
  Usage = Bind<TTabSheet>("Usage");
  SelectingSheet = Bind<TTabSheet>("SelectingSheet");
  Training1Sheet = Bind<TTabSheet>("Training1Sheet");
  ActivatingSheet = Bind<TTabSheet>("ActivatingSheet");
  Training2Sheet = Bind<TTabSheet>("Training2Sheet");
  MovingSheet = Bind<TTabSheet>("MovingSheet");
  Training3Sheet = Bind<TTabSheet>("Training3Sheet");
  OutroSheet = Bind<TTabSheet>("OutroSheet");
  QBSheet = Bind<TTabSheet>("QBSheet");
  Timer1 = Bind<TTimer>("Timer1");
  Timer3 = Bind<TTimer>("Timer3");
  Timer2 = Bind<TTimer>("Timer2");
  DblClkTimer = Bind<TTimer>("DblClkTimer");
  IdleTimer = Bind<TTimer>("IdleTimer");
  ContinueLabel = Bind<TLabel>("ContinueLabel");
  Label15 = Bind<TLabel>("Label15");
  Label21 = Bind<TLabel>("Label21");
  Label22 = Bind<TLabel>("Label22");
}

void TMainForm::FormCreate(TObject*) {
  GameOver = true;
  DblClkTimer->SetInterval(platform::Backend().Display().DoubleClickTime());
  DblClkTimer->Tag = 0;
}

void TMainForm::FormDestroy(TObject*) {}

void TMainForm::ExitBtnClick(TObject*) { Close(); }
