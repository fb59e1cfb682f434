#pragma once

// Registers the library's controls (TAnimatedLabel, TNumberEdit, TUnitEdit) with the
// layout reader, once, after the toolkit classes they stand on.
void RegisterLibraryControlsClasses();
