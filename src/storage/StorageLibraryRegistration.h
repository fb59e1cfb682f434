#pragma once

// Registers the library's storage components (TJMostRecentlyUsedList, TMRUCombo,
// TDebugHelper, JAction, TUndoSingleBuffer, TUndoMultiBuffer) with the layout reader,
// once, after the toolkit classes they stand on.
void RegisterStorageLibraryClasses();
