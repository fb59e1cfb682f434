#pragma once

// A command shared by menu items and buttons: a caption, an enabled flag, an image
// (an index into an image list) and the handler that carries it out. Clients that
// show the action follow it through OnChange.

#include <string>

#include "toolkit/core/TComponent.h"

class TImageList;

class TAction : public TComponent {
public:
  explicit TAction(TComponent* owner);
  const char* ClassName() const override { return "TAction"; }

  const std::string& Caption() const { return FCaption; }
  void SetCaption(const std::string& caption);
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool enabled);
  int ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int index);
  // The list the image index refers to; not owned (forgotten when it is destroyed).
  TImageList* Images() const { return FImages; }
  void SetImages(TImageList* images);
  std::string Hint;

  // Runs OnExecute when enabled; true when a handler ran.
  bool Execute();
  TNotifyEvent OnExecute;
  // Runs after a property changed.
  TNotifyEvent OnChange;

  void Notification(TComponent* component, TOperation operation) override;

private:
  void Changed();

  std::string FCaption;
  bool FEnabled = true;
  int FImageIndex = -1;
  TImageList* FImages = nullptr;
};
