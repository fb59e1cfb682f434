// A tour of the component library in one window: the animated labels, a number and a
// unit edit, a combo box that remembers its entries, a recent-items list mirrored into
// a menu (shown here as a list), a multi-level undo and a debug log beside the
// executable. Every component is declared in the layout below.
//
// Type a word into the combo box and press "Remember": the word is stored in the
// registry (the combo's list and the recent list), appended to the document line and
// logged. "Undo" removes the last word again. Clicking a recent entry opens it.

#include <memory>
#include <string>

#include "controls/LibraryControlsRegistration.h"
#include "controls/TAnimatedLabel.h"
#include "controls/TNumberEdit.h"
#include "controls/TUnitEdit.h"
#include "platform/Platform.h"
#include "storage/JAction.h"
#include "storage/StorageLibraryRegistration.h"
#include "storage/TDebugHelper.h"
#include "storage/TJMostRecentlyUsedList.h"
#include "storage/TMRUCombo.h"
#include "storage/TUndoMultiBuffer.h"
#include "toolkit/forms/TApplication.h"
#include "toolkit/forms/TForm.h"
#include "toolkit/layout/ClassRegistry.h"
#include "toolkit/layout/LayoutReader.h"
#include "toolkit/layout/TPublishedMethods.h"
#include "toolkit/stdctrls/TAction.h"
#include "toolkit/stdctrls/TListBox.h"
#include "toolkit/stdctrls/TMenuItem.h"
#include "toolkit/stdctrls/TPanel.h"
#include "toolkit/stdctrls/TStaticText.h"

namespace {

const char* const TestLayout = R"(object DemoForm: TDemoForm
  Caption = 'Pointrix component library'
  ClientWidth = 420
  ClientHeight = 300
  Color = clBtnFace
  object FlashLabel: TAnimatedLabel
    Left = 12
    Top = 10
    Width = 120
    AutoSize = False
    Caption = 'Flashing'
    AnimationType = atFlash
  end
  object FlyLabel: TAnimatedLabel
    Left = 144
    Top = 10
    Width = 120
    AutoSize = False
    Caption = 'Flying'
    Color = clBtnFace
    AnimationType = atFly
  end
  object FadeLabel: TAnimatedLabel
    Left = 276
    Top = 10
    Width = 120
    AutoSize = False
    Caption = 'Fading'
    Color = clBtnFace
    Font.Color = clNavy
    AnimationType = atFade
    Interval = 80
  end
  object AmountLabel: TStaticText
    Left = 12
    Top = 44
    Width = 80
    Height = 18
    Caption = 'Amount:'
  end
  object Amount: TNumberEdit
    Left = 100
    Top = 40
    Width = 90
    Height = 21
    Value = 1234567.8
    NumberType = ntFloat
  end
  object Length: TUnitEdit
    Left = 210
    Top = 40
    Width = 110
    Unit = 'cm'
    Value = 12.5
    EditColor = clWindow
    UnitColor = clBtnFace
  end
  object Word: TMRUCombo
    Left = 12
    Top = 76
    Width = 180
    Storage.Key = 'Software\Quillaby Software\Library demo\Words'
    Storage.RegistryRootKey = atrkCurrentUser
    ShowLatest = True
  end
  object RememberBtn: TPanel
    Left = 204
    Top = 76
    Width = 90
    Height = 22
    Caption = 'Remember'
    OnClick = RememberClick
  end
  object UndoBtn: TPanel
    Left = 304
    Top = 76
    Width = 90
    Height = 22
    Caption = 'Undo'
    OnClick = UndoClick
  end
  object DocumentText: TStaticText
    Left = 12
    Top = 110
    Width = 396
    Height = 20
    BorderStyle = sbsSunken
    Caption = ''
  end
  object RecentTitle: TStaticText
    Left = 12
    Top = 140
    Width = 200
    Height = 18
    Caption = 'Recent words (click to open):'
  end
  object RecentList: TListBox
    Left = 12
    Top = 160
    Width = 396
    Height = 100
    OnClick = RecentListClick
  end
  object Status: TStaticText
    Left = 12
    Top = 270
    Width = 396
    Height = 18
    Caption = ''
  end
  object RecentMenu: TMenuItem
    Caption = '&Recent'
  end
  object Recent: TJMostRecentlyUsedList
    Storage.Key = 'Software\Quillaby Software\Library demo\Recent'
    MaxItems = 5
    MenuKind = mkSubMenu
    RootMenuItem = RecentMenu
    OnChange = RecentChange
    OnSelect = RecentSelect
  end
  object AppendWord: JAction
    Caption = 'Append word'
    OnDo = AppendWordDo
  end
  object UndoCommand: TAction
    Caption = 'Undo'
    Enabled = False
  end
  object Undo: TUndoMultiBuffer
    UndoAction = UndoCommand
  end
  object Trace: TDebugHelper
    ActiveOnCreation = aocYes
  end
end
)";

// A word appended to the document (or, reversed, removed from its end).
struct TWordData : JActionData {
  TWordData(JAction* action, std::string word, bool remove)
      : JActionData(action), Word(std::move(word)), Remove(remove) {}
  std::string Word;
  bool Remove;
};

class TDemoForm : public TForm, public TPublishedMethods {
public:
  explicit TDemoForm(TComponent* owner) : TForm(owner) {
    PublishMethod("RememberClick", this, &TDemoForm::RememberClick);
    PublishMethod("UndoClick", this, &TDemoForm::UndoClick);
    PublishMethod("RecentListClick", this, &TDemoForm::RecentListClick);
    PublishMethod("RecentChange", this, &TDemoForm::RecentChange);
    PublishMethod("RecentSelect", this, &TDemoForm::RecentSelect);
    PublishMethod("AppendWordDo", this, &TDemoForm::AppendWordDo);
    ReadLayout(this, TestLayout);
    Word = Find<TMRUCombo>("Word");
    Recent = Find<TJMostRecentlyUsedList>("Recent");
    Undo = Find<TUndoMultiBuffer>("Undo");
    Trace = Find<TDebugHelper>("Trace");
    RecentChange(this);
    Trace->Output("Library demo started");
  }
  const char* ClassName() const override { return "TDemoForm"; }

  void RememberClick(TObject*) {
    const std::string word = Word->Text();
    if (word.empty()) return;
    Word->UpdateList();
    Recent->Add(word);
    TWordData record(Find<JAction>("AppendWord"), word, false);
    Undo->Do(&record);
    Trace->Output("Remembered " + word);
  }
  void UndoClick(TObject*) {
    Undo->Undo();
    auto* command = Find<TAction>("UndoCommand");
    SetStatus("Undo action: " + command->Caption() + (command->Enabled() ? "" : " (disabled)"));
  }
  void RecentListClick(TObject* sender) {
    auto* list = static_cast<TListBox*>(sender);
    TMenuItem* anchor = Find<TMenuItem>("RecentMenu");
    if (list->ItemIndex() >= 0 && list->ItemIndex() < anchor->Count()) anchor->Items(list->ItemIndex())->Click();
  }
  // Mirrors the recent list's menu into the list box.
  void RecentChange(TObject*) {
    auto* list = Find<TListBox>("RecentList");
    TMenuItem* anchor = Find<TMenuItem>("RecentMenu");
    if (!list || !anchor) return;
    list->Items()->BeginUpdate();
    list->Items()->Clear();
    for (int i = 0; i < anchor->Count(); ++i) list->Items()->Add(anchor->Items(i)->Caption());
    list->Items()->EndUpdate();
  }
  void RecentSelect(TObject*, const std::string& item, bool& opened) {
    Word->SetText(item);
    SetStatus("Opened " + item + " (it leaves the list while open)");
    opened = true;
  }
  void AppendWordDo(JActionData* data, pJActionData reversal) {
    auto* word = static_cast<TWordData*>(data);
    std::string text = Find<TStaticText>("DocumentText")->Caption();
    if (word->Remove) {
      if (text.size() >= word->Word.size() + 1) text.erase(text.size() - word->Word.size() - 1);
    } else {
      text += " " + word->Word;
    }
    Find<TStaticText>("DocumentText")->SetCaption(text);
    *reversal = new TWordData(word->Action, word->Word, !word->Remove);
  }

private:
  template <class T>
  T* Find(const char* name) {
    return dynamic_cast<T*>(FindComponent(name));
  }
  void SetStatus(const std::string& text) { Find<TStaticText>("Status")->SetCaption(text); }

  TMRUCombo* Word = nullptr;
  TJMostRecentlyUsedList* Recent = nullptr;
  TUndoMultiBuffer* Undo = nullptr;
  TDebugHelper* Trace = nullptr;
};

TDemoForm* DemoForm = nullptr;

}  // namespace

int main() {
  auto backend = platform::CreateSdlBackend();
  platform::SetBackend(backend.get());
  RegisterStorageLibraryClasses();
  RegisterLibraryControlsClasses();
  ClassRegistry().Register<TDemoForm>("TDemoForm", "TForm");
  try {
    Application->Title = "Library demo";
    Application->CreateForm(DemoForm);
    Application->Run();
  } catch (const std::exception& error) {
    Application->ShowException(error);
  }
  Application->DestroyForms();
  platform::SetBackend(nullptr);
  return 0;
}
