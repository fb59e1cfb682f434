#pragma once

// Builds components from a layout text (see LayoutParser.h for the format and
// ClassRegistry.h for the property tables).
//
// ReadLayout(root, text) fills an existing root component (the form) from the
// top-level object and creates every nested object as a component owned by the
// root, named as declared, with its parent set from the nesting (a control inside
// a windowed control's block goes on that control; a sheet inside a page control's
// block becomes its page; components that are not controls only get an owner).
// The top-level object's class must be registered and the root an instance of it;
// its name becomes the root's name when the root has none yet (Name_1, Name_2...
// when the root's owner already holds a component of that name).
//
// `inherited Name: TClass` does not create anything: it sets the properties of the
// existing component of that name (the root itself at the top level). `inline` is
// read like `object`.
//
// While the layout is read the root and every component met have csLoading set;
// component references are resolved after the last object; then Loaded() runs on
// the root and on every component in the order they were met, and csLoading is
// cleared. A layout error raises Exception("Layout line N: ..."), naming the
// property where there is one; components created up to that point stay owned by
// the root (and have csLoading cleared).

#include <string>

#include "toolkit/core/TComponent.h"

void ReadLayout(TComponent* root, const std::string& text);

// Reads the embedded layout resource (kind "dfm") of this name into root.
void ReadLayoutResource(TComponent* root, const std::string& resourceName);
