#pragma once

// The ground the toolkit-level fixtures share: a headless display set as the platform
// backend while a test runs, the application object left clean afterwards (no forms,
// no title, no error handler), and helpers to show a plain form, run the loop and read
// the framebuffer. Fixtures derive from it and call its SetUp and TearDown first.

#include <gtest/gtest.h>

#include "platform/headless/HeadlessBackend.h"
#include "toolkit/forms/TApplication.h"
#include "toolkit/forms/TForm.h"
#include "toolkit/forms/TScreen.h"

namespace testsupport {

class HeadlessTest : public ::testing::Test {
protected:
  void SetUp() override {
    platform::SetBackend(&Backend);
    Screen->SetCursor(crDefault);
  }
  void TearDown() override {
    Application->DestroyForms();
    Application->Title.clear();
    Application->OnException = nullptr;
    platform::SetBackend(nullptr);
  }

  // A new form of class T owned by the application, not shown.
  template <class T = TForm>
  T* NewForm() {
    T* form = nullptr;
    Application->CreateForm(form);
    return form;
  }
  // A shown form of class T with the given client size and a plain colour.
  template <class T = TForm>
  T* ShowForm(int width = 200, int height = 150, TColor color = clWhite) {
    T* form = NewForm<T>();
    form->SetClientSize(width, height);
    form->SetColor(color);
    form->Show();
    return form;
  }
  // Handles every waiting event, due timer and paint.
  void Run() { Application->ProcessMessages(); }
  // The framebuffer pixel at (x, y) as a 0x00BBGGRR colour.
  TColor Pixel(int x, int y) const { return PixelToColor(Backend.PixelAt(x, y)); }

  platform::THeadlessBackend Backend;
};

}  // namespace testsupport
