#pragma once

// A form built from a layout text on the headless backend, with its published
// handlers logging what they see.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/HeadlessFixture.h"
#include "toolkit/forms/TControlCanvas.h"
#include "toolkit/layout/ClassRegistry.h"
#include "toolkit/layout/LayoutReader.h"
#include "toolkit/stdctrls/TImage.h"
#include "toolkit/stdctrls/TLabel.h"
#include "toolkit/stdctrls/TListBox.h"
#include "toolkit/stdctrls/TPageControl.h"
#include "toolkit/stdctrls/TPanel.h"

using TLog = std::vector<std::string>;

class TTestForm : public TForm, public TPublishedMethods {
public:
  explicit TTestForm(TComponent* owner) : TForm(owner) {
    PublishMethod("PagesChange", this, &TTestForm::PagesChange);
    PublishMethod("PagesChanging", this, &TTestForm::PagesChanging);
    PublishMethod("PagesDrawTab", this, &TTestForm::PagesDrawTab);
    PublishMethod("SheetShow", this, &TTestForm::SheetShow);
    PublishMethod("SheetHide", this, &TTestForm::SheetHide);
    PublishMethod("ListClick", this, &TTestForm::ListClick);
  }
  const char* ClassName() const override { return "TTestForm"; }

  void PagesChange(TObject*) { Log.push_back("Change"); }
  void PagesChanging(TObject*, bool& allow) {
    Log.push_back("Changing");
    if (Veto) allow = false;
  }
  void PagesDrawTab(TObject* control, int tabIndex, const TRect& rect, bool active) {
    auto* pages = static_cast<TPageControl*>(control);
    TCanvas& canvas = pages->Canvas();
    canvas.Brush().Color = 0xE2C7C7;
    TRect r = rect;
    canvas.FillRect(r);
    canvas.TextOut(r.Left + 4, r.Top + 2, pages->Pages(tabIndex)->Caption());
    DrawnTabs.push_back(tabIndex);
  }
  void SheetShow(TObject* sender) { Log.push_back(static_cast<TComponent*>(sender)->Name() + ".Show"); }
  void SheetHide(TObject* sender) { Log.push_back(static_cast<TComponent*>(sender)->Name() + ".Hide"); }
  void ListClick(TObject* sender) {
    auto* list = static_cast<TListBox*>(sender);
    Log.push_back("Click " + std::to_string(list->ItemIndex()));
  }

  template <class T>
  T* Find(const char* name) {
    T* c = dynamic_cast<T*>(FindComponent(name));
    if (!c) throw Exception(std::string("no component ") + name);
    return c;
  }

  TLog Log;
  std::vector<int> DrawnTabs;
  bool Veto = false;
};

class StdControlsTest : public testsupport::HeadlessTest {
protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    RegisterStandardClasses();
    ClassRegistry().Register<TTestForm>("TTestForm", "TForm");
  }

  // Creates a form from layout and shows it.
  TTestForm* Build(const std::string& layout) {
    auto* form = NewForm<TTestForm>();
    ReadLayout(form, layout);
    form->Show();
    Run();
    return form;
  }

  void Click(int x, int y) {
    Backend.Click(platform::TPButton::Left, x, y);
    Run();
  }
  void Key(uint16_t key) {
    Backend.Key(key);
    Run();
  }
};
