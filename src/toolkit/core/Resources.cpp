#include "toolkit/core/Resources.h"

#include <strings.h>

#include "toolkit/core/ResourceTable.h"
#include "toolkit/core/Types.h"

const TResourceEntry* FindResourceEntry(const std::string& kind, const std::string& name) {
  for (const TResourceEntry* e = PointrixResourceEntries; e->Name; ++e)
    if (strcasecmp(e->Kind, kind.c_str()) == 0 && strcasecmp(e->Name, name.c_str()) == 0) return e;
  return nullptr;
}

bool ResourceExists(const std::string& kind, const std::string& name) {
  return FindResourceEntry(kind, name) != nullptr;
}

TResourceData ResourceBytes(const std::string& kind, const std::string& name) {
  const TResourceEntry* e = FindResourceEntry(kind, name);
  if (!e) throw Exception(Format("Resource %s not found", name.c_str()));
  return {e->Begin, size_t(e->End - e->Begin)};
}
