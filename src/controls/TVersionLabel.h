#pragma once

// A label that shows "Version " followed by the file version of the running
// executable, read from its version information once the label has been loaded
// from a declared layout (the caption written in the layout is replaced then).

#include <string>

#include "toolkit/stdctrls/TLabel.h"

class TVersionLabel : public TLabel {
public:
  // Room for the version text, as in the stored form of the label: longer versions are cut.
  static constexpr size_t MaxVersionLength = 23;

  explicit TVersionLabel(TComponent* owner);
  const char* ClassName() const override { return "TVersionLabel"; }

  // The executable's file version ("1.2.1.0"), read on the first call that finds the
  // stored text empty; empty while the version information cannot be read.
  std::string GetVersion();

  void Loaded() override;

private:
  // Reads the first translation's "FileVersion"; any failure leaves the text empty.
  void ReadVersion();

  std::string FVersion;
};
