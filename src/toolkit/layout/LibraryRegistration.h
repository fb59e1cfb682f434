#pragma once

// Registers the toolkit classes the component library stands on (TMenuItem, TAction,
// TStaticText, TCustomEdit, TCustomComboBox) with the layout reader, once, after the
// standard classes.
void RegisterLibraryToolkitClasses();
