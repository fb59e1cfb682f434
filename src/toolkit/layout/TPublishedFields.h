#pragma once

// The table of a form's published fields, by name: once the layout has made the
// components, each field is set to the component of its name. A form lists its fields
// once, with the classes they point to, and binds them all in one call:
//
//   using TFields = TPublishedFields<TMainForm, TPanel, TLabel>;
//   constexpr TFields::TEntry Fields[] = {{"Panel1", &TMainForm::Panel1},
//                                          {"TipLabel", &TMainForm::TipLabel}};
//   TFields::Bind(*this, Fields);
//
// A component that is missing, or is not of its field's class, is an error naming it,
// raised while the form is made rather than as a null field later on.

#include <cstddef>
#include <type_traits>
#include <variant>

#include "toolkit/core/TComponent.h"
#include "toolkit/core/Types.h"

template <class TRoot, class... TClasses>
class TPublishedFields {
public:
  // A member of TRoot that points to a component of one of the classes.
  using TField = std::variant<TClasses * TRoot::*...>;
  struct TEntry {
    const char* Name;
    TField Field;
  };

  // Sets every field to the component of its name that root owns (letter case ignored).
  // Throws for the first one that is missing or of another class; the fields before it
  // are set.
  template <size_t N>
  static void Bind(TRoot& root, const TEntry (&fields)[N]) {
    for (const TEntry& entry : fields)
      std::visit(
          [&](auto member) {
            using TPointer = std::remove_reference_t<decltype(root.*member)>;
            root.*member = Find<std::remove_pointer_t<TPointer>>(root, entry.Name);
          },
          entry.Field);
  }

  // The component named name that root owns, as class T; throws when there is none of that class.
  template <class T>
  static T* Find(const TRoot& root, const char* name) {
    T* found = dynamic_cast<T*>(root.FindComponent(name));
    if (!found) throw Exception(Format("The window layout has no %s", name));
    return found;
  }
};
