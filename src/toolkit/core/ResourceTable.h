#pragma once

// One embedded file: its name (file name without extension), its kind (the file
// extension in lower case: "bmp", "cur", "wav", "ico", "dfm", "ttf", "ver", "png")
// and its bytes [Begin, End). The table ends with an entry whose Name is null.
struct TResourceEntry {
  const char* Name;
  const char* Kind;
  const unsigned char* Begin;
  const unsigned char* End;
};

extern const TResourceEntry PointrixResourceEntries[];
